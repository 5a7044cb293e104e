#include "controls/skin_form_hook.h"

#include <cstdlib>

#include "controls/skin_draw.h"
#include "framework/display_scale.h"
#include "framework/form.h"
#include "framework/high_contrast.h"
#include "graphics/gdi.h"

namespace skin {

namespace {

// The height of the caption bar the form's border style draws at its DPI; 0
// for a borderless form, which is left alone.
int CaptionHeight(fw::TWinControl* target) {
  auto* form = dynamic_cast<fw::TForm*>(target);
  if (!form) return fw::MetricForDpi(SM_CYCAPTION, target->Dpi());
  switch (form->BorderStyle()) {
    case fw::bsNone:
      return 0;
    case fw::bsToolWindow:
    case fw::bsSizeToolWin:
      return fw::MetricForDpi(SM_CYSMCAPTION, form->Dpi());
    default:  // single, sizeable and dialog frames have the full caption
      return fw::MetricForDpi(SM_CYCAPTION, form->Dpi());
  }
}

// Where the client area lies inside the window rectangle.
POINT ClientOffset(HWND wnd) {
  RECT window;
  GetWindowRect(wnd, &window);
  POINT origin{0, 0};
  ClientToScreen(wnd, &origin);
  return POINT{origin.x - window.left, origin.y - window.top};
}

// The area the form's visible controls cover, in window coordinates
// (`clientOffset`: where the client area lies in the window).
fw::GdiRegion VisibleChildren(fw::TWinControl* form, POINT clientOffset) {
  fw::GdiRegion area(CreateRectRgn(0, 0, 0, 0));
  for (int i = 0; i < form->ControlCount(); ++i) {
    fw::TControl* c = form->Controls(i);
    if (!c->Visible()) continue;
    RECT b = c->BoundsRect();
    OffsetRect(&b, clientOffset.x, clientOffset.y);
    fw::GdiRegion control(CreateRectRgnIndirect(&b));
    CombineRgn(area.Get(), area.Get(), control.Get(), RGN_OR);
  }
  return area;
}

}  // namespace

bool SetWindowShape(HWND wnd, fw::GdiRegion shape) {
  // Handed over only once the window has taken it; a refused region stays
  // ours and goes with `shape`.
  if (!SetWindowRgn(wnd, shape.Get(), TRUE)) return false;
  shape.Detach();
  return true;
}

TSkinFormHook::TSkinFormHook(fw::TComponent* owner)
    : fw::TComponent(owner), SkinPicture(*this, {.changed = [this] { PictureChanged(); }}) {
  target_ = dynamic_cast<fw::TWinControl*>(owner);
  hook_ = std::make_unique<TWndHook>(nullptr);
  hook_->OnBeforeMessage = [this](fw::TObject*, fw::TMessage& m, bool& handled) { BeforeMessage(m, handled); };
  hook_->OnAfterMessage = [this](fw::TObject*, fw::TMessage& m, bool&) { AfterMessage(m); };
  hook_->OnChangeWinControl = [this](fw::TObject*, fw::TWinControl* control) { target_ = control; };
  if (target_) target_->HandleNeeded();
}

TSkinFormHook::~TSkinFormHook() {
  Destroying();
  if (target_ && !target_->IsDestroying() && target_->HandleAllocated()) SetOptions(TSkinOptions{});
  hook_->OnBeforeMessage = nullptr;
  hook_->OnAfterMessage = nullptr;
  hook_->OnChangeWinControl = nullptr;
  hook_.reset();
}

void TSkinFormHook::Loaded() {
  fw::TComponent::Loaded();
  hook_->SetWinControl(target_);
  hook_->SetActive(true);
}

void TSkinFormHook::Notification(fw::TComponent* component, fw::TOperation operation) {
  // The form shows the lost picture until it next paints.
  SkinImagesRemoved(component, operation);
  fw::TComponent::Notification(component, operation);
}

// ---- properties

void TSkinFormHook::SetStartColor(fw::TColor value) {
  if (value == startColor_) return;
  startColor_ = value;
  if (!IsDesigning() && options_.Contains(ocPaintGradiently)) RepaintTarget();
}

void TSkinFormHook::SetEndColor(fw::TColor value) {
  if (value == endColor_) return;
  endColor_ = value;
  if (!IsDesigning() && options_.Contains(ocPaintGradiently)) RepaintTarget();
}

void TSkinFormHook::SetGradientDirection(TGradientDirection value) {
  if (value == gradientDirection_) return;
  gradientDirection_ = value;
  if (options_.Contains(ocPaintGradiently)) RepaintTarget();
}

void TSkinFormHook::PictureChanged() {
  if (IsDesigning() || IsDestroying() || !target_) return;
  // Children that copy the form's background repaint with it.
  target_->Perform(fw::CM_COLORCHANGED, 0, 0);
  RepaintTarget();
}

void TSkinFormHook::RepaintTarget() {
  if (target_ && target_->HandleAllocated()) target_->Repaint();
}

bool TSkinFormHook::PaintsBackground() const {
  return options_.Contains(ocPaintGradiently) || options_.Contains(ocPaintWallpaper);
}

// ---- options: caption, shape, wallpaper switch

void TSkinFormHook::SetOptions(TSkinOptions value) {
  const TSkinOptions old = options_;
  options_ = value;
  if (!target_ || old == value) return;
  if (target_->HandleAllocated()) {
    ApplyCaption();
    const bool wasTransparent = old.Contains(ocPaintTransparently);
    const bool transparent = value.Contains(ocPaintTransparently);
    const bool wasRounded = old.Contains(ocRoundedForm);
    const bool rounded = value.Contains(ocRoundedForm);
    if (transparent != wasTransparent) {
      if (rounded) ApplyEllipticShape();
      else if (transparent) ApplyFrameAndControlsShape();
      else ApplyPlainShape();
    }
    if (rounded != wasRounded) {
      if (rounded) ApplyEllipticShape();
      else if (transparent) ApplyFrameAndControlsShape();
      else ApplyPlainShape();
    }
  }
  if (old.Contains(ocPaintWallpaper) != value.Contains(ocPaintWallpaper))
    target_->Perform(fw::CM_COLORCHANGED, 0, 0);
  RepaintTarget();
}

void TSkinFormHook::ApplyCaption() {
  HWND wnd = target_->Handle();
  const int caption = CaptionHeight(target_);
  if (caption == 0) return;
  const LONG_PTR style = GetWindowLongPtrW(wnd, GWL_STYLE);
  const bool hasCaption = (style & WS_CAPTION) == WS_CAPTION;
  int grow = 0;
  if (options_.Contains(ocNoCaption) && hasCaption) {
    SetWindowLongPtrW(wnd, GWL_STYLE, style & ~static_cast<LONG_PTR>(WS_CAPTION));
    grow = -caption;
  } else if (!options_.Contains(ocNoCaption) && !hasCaption) {
    SetWindowLongPtrW(wnd, GWL_STYLE, style | WS_CAPTION);
    grow = caption;
  } else {
    return;
  }
  SetWindowPos(wnd, nullptr, 0, 0, 0, 0,
               SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  target_->SetHeight(target_->Height() + grow);
}

void TSkinFormHook::ApplyEllipticShape() {
  if (roundXOffset_ > 0) roundXOffset_ = -roundXOffset_;
  if (roundYOffset_ > 0) roundYOffset_ = -roundYOffset_;
  HWND wnd = target_->Handle();
  RECT r;
  GetClientRect(wnd, &r);
  InflateRect(&r, -target_->Scaled(std::abs(roundXOffset_)), -target_->Scaled(std::abs(roundYOffset_)));
  fw::GdiRegion shape(CreateEllipticRgnIndirect(&r));
  if (options_.Contains(ocPaintTransparently)) {
    // An elliptic ring plus the controls: the inner ellipse minus the
    // controls is cut out of the outer one.
    const POINT d = ClientOffset(wnd);
    RECT inner = r;
    InflateRect(&inner, -d.x, -d.y);
    fw::GdiRegion hole(CreateEllipticRgnIndirect(&inner));
    CombineRgn(hole.Get(), hole.Get(), VisibleChildren(target_, d).Get(), RGN_DIFF);
    CombineRgn(shape.Get(), shape.Get(), hole.Get(), RGN_DIFF);
  }
  SetWindowShape(wnd, std::move(shape));
}

void TSkinFormHook::ApplyFrameAndControlsShape() {
  HWND wnd = target_->Handle();
  RECT window, client;
  GetWindowRect(wnd, &window);
  GetClientRect(wnd, &client);
  const POINT d = ClientOffset(wnd);
  fw::GdiRegion shape(CreateRectRgn(0, 0, window.right - window.left, window.bottom - window.top));
  fw::GdiRegion area(CreateRectRgn(d.x, d.y, d.x + client.right, d.y + client.bottom));
  CombineRgn(shape.Get(), shape.Get(), area.Get(), RGN_DIFF);
  CombineRgn(shape.Get(), shape.Get(), VisibleChildren(target_, d).Get(), RGN_OR);
  SetWindowShape(wnd, std::move(shape));
}

void TSkinFormHook::ApplyPlainShape() { SetWindowRgn(target_->Handle(), nullptr, TRUE); }

// ---- the hooked window's messages

void TSkinFormHook::BeforeMessage(fw::TMessage& m, bool& handled) {
  handled = false;
  if (!target_ || IsDesigning() || m.Msg != WM_ERASEBKGND || !PaintsBackground()) return;
  // In high contrast the form keeps its own (system) background.
  if (fw::HighContrast()) return;
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  const RECT r = target_->ClientRect();
  if (options_.Contains(ocPaintGradiently)) {
    FillGradient(dc, r, startColor_, endColor_, gradientDirection_);
    handled = true;
  } else {
    // Without a picture the form keeps its own background.
    handled = DrawWallpaper(dc, EffectiveWallpaper(), r, SRCCOPY, options_.Contains(ocTileWallpaper), target_->Dpi());
  }
  if (handled) m.Result = 1;
}

void TSkinFormHook::AfterMessage(fw::TMessage& m) {
  if (!target_ || IsDesigning()) return;
  if (m.Msg == WM_SIZE) {
    if ((m.WParam == SIZE_RESTORED || m.WParam == SIZE_MAXIMIZED) && PaintsBackground())
      target_->Perform(fw::CM_COLORCHANGED, 0, 0);
  } else if (m.Msg == WM_NCHITTEST) {
    if (m.Result == HTCLIENT && options_.Contains(ocDragUsingClientArea)) m.Result = HTCAPTION;
    if (m.Result == HTCAPTION && options_.Contains(ocNoDragUsingCaption)) m.Result = HTNOWHERE;
  }
}

}  // namespace skin
