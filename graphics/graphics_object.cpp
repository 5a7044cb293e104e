#include "graphics/graphics_object.h"

namespace fw {

void TGraphicsObject::EndUpdate() {
  if (updating_ > 0 && --updating_ == 0 && pending_) {
    pending_ = false;
    if (OnChange) OnChange();
  }
}

void TGraphicsObject::Changed() {
  // The canvas must deselect the old handle before it can be deleted.
  if (beforeHandleFreed_) beforeHandleFreed_();
  FreeHandle();
  Notify();
}

void TGraphicsObject::Notify() {
  if (updating_ > 0) {
    pending_ = true;
    return;
  }
  if (OnChange) OnChange();
}

}  // namespace fw
