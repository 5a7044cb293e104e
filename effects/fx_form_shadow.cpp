#include "effects/fx_form_shadow.h"

#include <utility>

#include "effects/fx_errors.h"
#include "effects/fx_shadow_strip.h"
#include "framework/form.h"
#include "framework/high_contrast.h"

namespace fx {

TFxFormShadow::TFxFormShadow(fw::TComponent* owner) : TFxWndProcComponent(owner) {
  fw::TForm* form = OwnerForm();
  bool refused = !form || OwnerKind() == okMDIChild;
  // Reading the style creates the form's window when it does not exist yet.
  if (!refused && (GetWindowLongPtrW(form->Handle(), GWL_STYLE) & WS_CHILD)) refused = true;
  if (!refused && FxOwnerInvalid(owner, &FxIsA<TFxFormShadow>)) refused = true;
  if (refused) throw FxEOneInstError(oeOwner, L"TFxFormShadow");
  shadow_ = std::make_unique<TFxShadow>();
  shadow_->OnChange = [this](fw::TObject*) { ShadowChanged(); };
  showInActive_ = true;
  SetUseOwnWindow(true);
}

TFxFormShadow::~TFxFormShadow() {
  Destroying();
  // No message may reach a half-destroyed component; and strips without
  // their component would no longer follow the form.
  RemoveHook();
  HookOff();
  shadow_.reset();
}

HWND TFxFormShadow::FormWindow() const { return ExistingTargetWindow(); }

void TFxFormShadow::HookOn() {
  TFxWndProcComponent::HookOn();
  if (!Enabled() || IsDesigning() || !Hooked() || right_ || bottom_) return;
  HWND form = FormWindow();
  if (!form) return;
  RegisterShadowClass();
  RECT w{};
  GetWindowRect(form, &w);
  const int d = Depth();
  right_ = ShadowStrip(CreateShadowStrip(form, w.right, w.top + d, d, w.bottom - w.top - d));
  WriteStripSettings(right_.Get(), shadow_->Style(), shadow_->Color());
  bottom_ = ShadowStrip(CreateShadowStrip(form, w.left + d, w.bottom, w.right - w.left, d));
  WriteStripSettings(bottom_.Get(), shadow_->Style(), shadow_->Color());
}

void TFxFormShadow::HookOff() {
  right_.Reset();
  bottom_.Reset();
}

bool TFxFormShadow::HideTest() const {
  HWND form = FormWindow();
  if (fw::HighContrast() || !form || IsIconic(form) || IsZoomed(form) || !IsWindowVisible(form)) return true;
  if (OwnerKind() == okMDIParent) return false;
  fw::TForm* owner = OwnerForm();
  const bool active = owner ? owner->Active() : GetActiveWindow() == form;
  return !active;
}

void TFxFormShadow::ShowStrips(int command) {
  if (right_) ShowWindow(right_.Get(), command);
  if (bottom_) ShowWindow(bottom_.Get(), command);
}

int TFxFormShadow::Depth() const {
  // A design length, at the form's DPI.
  const fw::TForm* form = OwnerForm();
  return form ? form->Scaled(shadow_->Depth()) : shadow_->Depth();
}

RECT TFxFormShadow::RightRect(const RECT& w) const {
  const int d = Depth();
  return RECT{w.right, w.top + d, w.right + d, w.bottom};
}

RECT TFxFormShadow::BottomRect(const RECT& w) const {
  const int d = Depth();
  return RECT{w.left + d, w.bottom, w.right + d, w.bottom + d};
}

bool TFxFormShadow::StripsInPlace() const {
  HWND form = FormWindow();
  if (!form || !right_ || !bottom_) return false;
  RECT w{}, r{}, b{};
  GetWindowRect(form, &w);
  if (!IsWindowVisible(right_.Get()) || !IsWindowVisible(bottom_.Get())) return false;
  GetWindowRect(right_.Get(), &r);
  GetWindowRect(bottom_.Get(), &b);
  const RECT right = RightRect(w), bottom = BottomRect(w);
  return EqualRect(&r, &right) && EqualRect(&b, &bottom);
}

void TFxFormShadow::Reposition() {
  HWND form = FormWindow();
  if (!form || (!right_ && !bottom_)) return;
  RECT w{};
  GetWindowRect(form, &w);
  for (auto [strip, target] : {std::pair{right_.Get(), RightRect(w)}, std::pair{bottom_.Get(), BottomRect(w)}}) {
    if (!strip) continue;
    InvalidateRect(strip, nullptr, TRUE);
    MoveWindow(strip, target.left, target.top, target.right - target.left, target.bottom - target.top, TRUE);
  }
  if (!HideTest()) ShowStrips(SW_SHOWNOACTIVATE);
}

void TFxFormShadow::ShadowChanged() {
  // While the form is loaded the strips do not exist yet.
  if (IsDesigning() || (!right_ && !bottom_)) return;
  WriteStripSettings(right_.Get(), shadow_->Style(), shadow_->Color());
  WriteStripSettings(bottom_.Get(), shadow_->Style(), shadow_->Color());
  Reposition();
  if (right_) RedrawWindow(right_.Get(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE);
  if (bottom_) RedrawWindow(bottom_.Get(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE);
}

void TFxFormShadow::WndProc(fw::TMessage& m) {
  // First stage: around the forwarding.
  switch (m.Msg) {
    case WM_NCLBUTTONDOWN:
      // The system's move or size loop runs inside the forwarded call.
      ShowStrips(SW_HIDE);
      dragging_ = true;
      TFxWndProcComponent::WndProc(m);
      break;
    case WM_NCHITTEST:
    case WM_NCMOUSEMOVE:
    case WM_NCLBUTTONUP:
    case WM_MOUSEMOVE:
    case WM_LBUTTONUP:
      TFxWndProcComponent::WndProc(m);
      if (dragging_) {
        dragging_ = false;
        if (!HideTest()) ShowStrips(SW_SHOWNOACTIVATE);
      }
      break;
    default:
      TFxWndProcComponent::WndProc(m);
      break;
  }
  // Second stage: after the form has handled the message.
  switch (m.Msg) {
    case WM_DESTROY:
      HookOff();
      break;
    case WM_MOVE:
      // A shown window gets a move message that moves nothing (the first
      // show sends one): hiding and showing the strips then would only
      // flicker and cost two window updates.
      if (StripsInPlace() && !HideTest()) break;
      ShowStrips(SW_HIDE);
      Reposition();
      break;
    case WM_SIZE:
      if (m.WParam == SIZE_RESTORED) {
        Reposition();
        ShowStrips(SW_SHOWNOACTIVATE);
      } else if (m.WParam <= SIZE_MAXHIDE) {
        ShowStrips(SW_HIDE);
      } else {
        ShowStrips(SW_HIDE);
        Reposition();
      }
      break;
    case WM_ACTIVATE:
      if (HIWORD(m.WParam) != 0) ShowStrips(SW_HIDE);
      else if (LOWORD(m.WParam) == WA_INACTIVE) {
        if (!showInActive_) ShowStrips(SW_HIDE);
      } else {
        ShowByHideTest();
      }
      break;
    case WM_CLOSE:
      ShowStrips(SW_HIDE);
      break;
    case WM_SHOWWINDOW:
      if (m.WParam) ShowByHideTest();
      else ShowStrips(SW_HIDE);
      break;
    case WM_WINDOWPOSCHANGED:
      if (HideTest()) ShowStrips(SW_HIDE);
      break;
    case WM_SETTINGCHANGE:
      if (m.WParam != SPI_SETHIGHCONTRAST) break;
      [[fallthrough]];
    case WM_SYSCOLORCHANGE:
      // High contrast may have come or gone (the form has read it again).
      if (HideTest()) ShowStrips(SW_HIDE);
      else Reposition();
      break;
    default:
      break;
  }
}

}  // namespace fx
