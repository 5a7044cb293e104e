#include "effects/fx_base_control.h"

#include "graphics/brush_pen.h"
#include "framework/wincontrol.h"

namespace fx {

TFxBaseControl::TFxBaseControl(fw::TComponent* owner) : fw::TGraphicControl(owner) {
  imageLink_.OnChange = [this] { ImageListChanged(); };
}

TFxBaseControl::~TFxBaseControl() { SetImageList(nullptr); }

void TFxBaseControl::SetBounds(int left, int top, int width, int height) {
  unsigned flags = 0;
  if (left != Left() || top != Top()) flags |= kFxBoundsPosition;
  if (width != Width() || height != Height()) flags |= kFxBoundsSize;
  fw::TGraphicControl::SetBounds(left, top, width, height);
  if (flags) BoundsChanged(flags);
}

void TFxBaseControl::BoundsChanged(unsigned flags) {
  if (OnBoundsChanged) OnBoundsChanged(flags);
}

void TFxBaseControl::Notification(fw::TComponent* component, fw::TOperation operation) {
  if (operation == fw::opRemove && component == imageList_) {
    imageList_ = nullptr;  // its destructor has unregistered the link
  }
  fw::TGraphicControl::Notification(component, operation);
}

void TFxBaseControl::SetImageList(TFxCustomImageList* list) {
  if (list == imageList_) return;
  if (imageList_) {
    imageList_->UnRegisterChanges(imageLink_);
    imageList_->RemoveFreeNotification(this);
  }
  imageList_ = list;
  if (imageList_) {
    imageList_->RegisterChanges(imageLink_);
    imageList_->FreeNotification(this);
  }
  if (!IsDestroying()) ImageListChanged();
}

void TFxBaseControl::Changed() {
  if (!IsLoading()) Invalidate();
}

void TFxBaseControl::MouseEntered() {
  if (OnMouseEnter) OnMouseEnter(this);
}

void TFxBaseControl::MouseLeft() {
  if (OnMouseExit) OnMouseExit(this);
}

void TFxBaseControl::CMMouseEnter(fw::TMessage& m) {
  fw::TGraphicControl::CMMouseEnter(m);
  MouseEntered();
}

void TFxBaseControl::CMMouseLeave(fw::TMessage& m) {
  fw::TGraphicControl::CMMouseLeave(m);
  MouseLeft();
}

TFxBaseGraphicControl::TFxBaseGraphicControl(fw::TComponent* owner) : TFxBaseControl(owner) {
  SetControlStyle(ControlStyle() & ~fw::csOpaque);
  SetBounds(0, 0, 30, 30);
}

void TFxBaseGraphicControl::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  if (value) SetControlStyle(ControlStyle() & ~fw::csOpaque);
  else SetControlStyle(ControlStyle() | fw::csOpaque);
  Changed();
}

bool TFxBaseGraphicControl::IsTransparent() const {
  // Only the library's own controls can report themselves transparent; a
  // plain windowed parent never does.
  const auto* parent = dynamic_cast<const TFxBaseControl*>(static_cast<const fw::TControl*>(Parent()));
  return transparent_ && parent && parent->IsTransparent();
}

void TFxBaseGraphicControl::Paint() {
  if (!Designing()) return;
  fw::TCanvas& c = Canvas();
  c.Pen().SetStyle(fw::psDash);
  c.Brush().SetStyle(fw::bsClear);
  c.Rectangle(ClientRect());
}

void TFxBaseGraphicControl::Changed() {
  if (IsLoading()) return;
  if (transparent_ || Designing()) Invalidate();
  else Repaint();
}

}  // namespace fx
