#include "effects/fx_object.h"

#include "core/exceptions.h"

namespace fx {

void RaiseCannotAssign(const fw::TObject& source, const fw::TObject& target) {
  throw core::EConvertError(L"Cannot assign a " + source.ClassName() + L" to a " +
                            target.ClassName());
}

void TFxObject::Assign(const fw::TObject& source) { RaiseCannotAssign(source, *this); }

void TFxObject::EndUpdate(bool notify) {
  updating_ = false;
  if (notify) Changed();
}

void TFxObject::Changed() {
  if (!updating_ && OnChange) OnChange(this);
}

}  // namespace fx
