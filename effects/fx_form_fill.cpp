#include "effects/fx_form_fill.h"

#include "effects/fx_errors.h"
#include "framework/form.h"
#include "framework/high_contrast.h"
#include "graphics/gdi.h"

namespace fx {

// ---- TFxCustomFormFill

TFxCustomFormFill::TFxCustomFormFill(fw::TComponent* owner) : TFxWndProcComponent(owner) {
  link_.OnChange = [this] { RefreshFromImageList(); };
}

TFxCustomFormFill::~TFxCustomFormFill() {
  RemoveHook();
  if (imageList_) imageList_->UnRegisterChanges(link_);
}

void TFxCustomFormFill::Notification(fw::TComponent* component, fw::TOperation operation) {
  if (operation == fw::opRemove && component == imageList_) {
    imageList_->UnRegisterChanges(link_);
    imageList_ = nullptr;
  }
  TFxWndProcComponent::Notification(component, operation);
}

void TFxCustomFormFill::SetEnabled(bool value) {
  if (value == enabled_) return;
  enabled_ = value;
  if (IsDesigning()) return;
  if (value) HookOn();
  else HookOff();
}

void TFxCustomFormFill::SetPaintMode(TFxPaintMode value) {
  if (value == paintMode_) return;
  paintMode_ = value;
  UpdateEraseOnSize();
  if (Enabled() && !IsLoading()) Invalidate(true);
}

void TFxCustomFormFill::SetDefaultFill(bool value) {
  if (value == defaultFill_) return;
  defaultFill_ = value;
  if (paintMode_ == pcOwnerDraw && Enabled() && !IsLoading()) Invalidate(true);
}

void TFxCustomFormFill::SetImageList(TFxCustomImageList* value) {
  if (value == imageList_) return;
  if (imageList_) {
    imageList_->UnRegisterChanges(link_);
    imageList_->RemoveFreeNotification(this);
  }
  imageList_ = value;
  if (imageList_) {
    imageList_->RegisterChanges(link_);
    imageList_->FreeNotification(this);
  }
  RefreshFromImageList();
}

void TFxCustomFormFill::SetListIndex(int value) {
  if (value < 0 || value == listIndex_) return;
  listIndex_ = value;
  if (imageList_) RefreshFromImageList();
}

void TFxCustomFormFill::SetImageIndex(int value) {
  if (value < 0 || value == imageIndex_) return;
  imageIndex_ = value;
  if (imageList_) RefreshFromImageList();
}

void TFxCustomFormFill::Invalidate(bool erase) const {
  if (HWND target = ExistingTargetWindow()) InvalidateRect(target, nullptr, erase ? TRUE : FALSE);
}

void TFxCustomFormFill::HookOn() {
  if (!Enabled()) return;
  InstallHook();
  if (!IsLoading()) Invalidate(true);
}

void TFxCustomFormFill::HookOff() {
  if (!IsDestroying()) Invalidate(true);
}

void TFxCustomFormFill::UpdateEraseOnSize() {
  if (paintMode_ == pcOwnerDraw) eraseOnSize_ = true;
  else if (paintMode_ == pcControl) eraseOnSize_ = !FillIndependentOfSize();
}

RECT TFxCustomFormFill::ClientArea() const {
  RECT r{};
  if (HWND target = ExistingTargetWindow()) GetClientRect(target, &r);
  return r;
}

fw::TColor TFxCustomFormFill::FormColor() const {
  fw::TForm* form = OwnerForm();
  return form ? form->Color() : fw::clBtnFace;
}

bool TFxCustomFormFill::OwnerDrawPaint(HDC dc) {
  if (IsLoading() || paintMode_ != pcOwnerDraw || !OnPaint) return false;
  fw::TCanvas canvas(dc);
  if (fw::TForm* form = OwnerForm()) canvas.SetDpi(form->Dpi());
  const RECT client = ClientArea();
  if (defaultFill_) {
    fw::GdiBrush brush(CreateSolidBrush(fw::ColorToRGB(FormColor())));
    if (brush) FillRect(dc, &client, brush.Get());
  }
  OnPaint(this, canvas, RECT{0, 0, client.right - client.left, client.bottom - client.top});
  return true;
}

bool TFxCustomFormFill::Paint(HDC dc) { return OwnerDrawPaint(dc); }

void TFxCustomFormFill::WndProc(fw::TMessage& m) {
  if (!Enabled()) {
    TFxWndProcComponent::WndProc(m);
    return;
  }
  switch (m.Msg) {
    case WM_SIZE:
      sizeChanged_ = true;
      Invalidate(eraseOnSize_);
      break;
    case WM_ERASEBKGND:
      // In high contrast the form erases in its own (system) colour.
      if (!fw::HighContrast() && Paint(reinterpret_cast<HDC>(m.WParam))) {
        m.Result = 1;
        return;
      }
      break;
    case WM_HSCROLL:
    case WM_VSCROLL:
      Invalidate(false);
      break;
    case WM_PALETTECHANGED:
      Invalidate(true);
      break;
    default:
      break;
  }
  TFxWndProcComponent::WndProc(m);
}

// ---- TFxFormFill

TFxFormFill::TFxFormFill(fw::TComponent* owner)
    : TFxCustomFormFill(owner),
      fill_(std::make_unique<TFxFillObject>()),
      cache_(std::make_unique<fw::TBitmap>()) {
  // Only a design tool refuses a second fill on one form.
  if (IsDesigning() && FxOwnerInvalid(owner, &FxIsA<TFxFormFill>))
    throw FxEOneInstError(oeOwner, L"TFxFormFill");
  fill_->OnChange = [this](fw::TObject*) { SettingsChanged(); };
}

TFxFormFill::~TFxFormFill() {
  Destroying();
  RemoveHook();
  fill_->OnChange = nullptr;
  cache_.reset();
  fill_.reset();
}

void TFxFormFill::Loaded() {
  TFxCustomFormFill::Loaded();
  UpdateEraseOnSize();
}

bool TFxFormFill::FillIndependentOfSize() const {
  switch (fill_->Style()) {
    case sfBrushBitmap:
    case sfBrush:
      return true;
    case sfBitmap:
    case sfBitmapList:
      return fill_->TileMode() == tmTile;
    default:
      return false;
  }
}

void TFxFormFill::SettingsChanged() {
  if (PaintMode() == pcControl && fill_->Style() != sfGradient && !cache_->Empty()) cache_->Clear();
  UpdateEraseOnSize();
  if (Enabled() && !IsDesigning()) {
    sizeChanged_ = true;
    Invalidate(true);
  }
}

void TFxFormFill::RefreshFromImageList() {
  fw::TBitmap& list = fill_->ListBitmap();
  // One settings change for the whole refresh.
  fill_->BeginUpdate();
  if (!ImageList() || !ImageList()->GetListBitmap(ListIndex(), ImageIndex(), list)) list.Clear();
  fill_->EndUpdate(false);
  SettingsChanged();
}

bool TFxFormFill::Paint(HDC dc) {
  if (PaintMode() != pcControl || fill_->NothingToDraw()) return OwnerDrawPaint(dc);
  fw::TCanvas canvas(dc);
  if (fw::TForm* form = OwnerForm()) canvas.SetDpi(form->Dpi());
  const RECT client = ClientArea();
  const int cw = client.right - client.left, ch = client.bottom - client.top;
  if (fill_->Style() == sfGradient) {
    if (sizeChanged_ || cache_->Width() != cw || cache_->Height() != ch) {
      cache_->Clear();
      cache_->SetSize(cw, ch);
      cache_->Canvas().SetDpi(canvas.Dpi());
      fill_->Fill(cache_->Canvas(), client, 0);
    }
    std::unique_ptr<fw::PaletteGuard> palette;
    if (fill_->Gradient().PaletteRealize())
      palette = std::make_unique<fw::PaletteGuard>(dc, fill_->Gradient().Palette());
    canvas.Draw(0, 0, *cache_);
    return true;
  }
  return fill_->Fill(canvas, RECT{0, 0, cw + 1, ch + 1}, FormColor());
}

}  // namespace fx
