#include "stdctrls/button.h"

#include "framework/accessible.h"
#include "framework/form.h"

namespace fw {

TButton::TButton(TComponent* owner) : TWinControl(owner) {
  SetControlStyle(csSetCaption | csDoubleClicks);
  TWinControl::SetBounds(0, 0, 75, 25);
  SetTabStop(true);
  SetColor(clBtnFace);
  SetParentColor(false);
}

void TButton::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.BaseClass = L"BUTTON";
  p.Style |= active_ ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
}

void TButton::CreateWnd() {
  TWinControl::CreateWnd();
  active_ = default_ && !(GetParentForm(this) && GetParentForm(this)->ActiveControl() &&
                          dynamic_cast<TButton*>(GetParentForm(this)->ActiveControl()));
  SetButtonStyle(active_);
}

void TButton::SetDefault(bool value) {
  if (default_ == value) return;
  default_ = value;
  TForm* form = GetParentForm(this);
  TWinControl* focused = form ? form->ActiveControl() : nullptr;
  // The same rule as on every focus change.
  TMessage m{CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(focused), 0};
  CMFocusChanged(m);
}

void TButton::SetButtonStyle(bool isDefault) {
  if (!HandleAllocated()) return;
  LONG_PTR style = isDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON;
  if ((GetWindowLongPtrW(Handle(), GWL_STYLE) & 0x0F) != style)
    SendMessageW(Handle(), BM_SETSTYLE, static_cast<WPARAM>(style), TRUE);
}

void TButton::Click() {
  if (TForm* form = GetParentForm(this)) form->SetModalResult(modalResult_);
  TWinControl::Click();
}

void TButton::DescribeAccessible(AccessibleFacts& facts) const {
  TWinControl::DescribeAccessible(facts);
  const std::wstring caption = Caption();
  facts.role = ROLE_SYSTEM_PUSHBUTTON;
  if (!facts.name) facts.name = WithoutAccelerator(caption);
  facts.shortcut = AcceleratorShortcut(caption);
  // The button Enter presses.
  if (active_) facts.statesSet |= STATE_SYSTEM_DEFAULT;
}

void TButton::CNCommand(TMessage& m) {
  if (HIWORD(m.WParam) == BN_CLICKED) Click();
  m.Result = 0;
}

void TButton::CMDialogKey(TMessage& m) {
  bool plain = (KeyDataToShiftState(m.LParam) & (ssShift | ssCtrl | ssAlt)) == 0;
  if (plain && ((m.WParam == VK_RETURN && active_) || (m.WParam == VK_ESCAPE && cancel_)) &&
      CanFocus()) {
    Click();
    m.Result = 1;
    return;
  }
  TWinControl::CMDialogKey(m);
}

void TButton::CMDialogChar(TMessage& m) {
  if (IsAccel(static_cast<wchar_t>(m.WParam), Caption()) && CanFocus()) {
    Click();
    m.Result = 1;
    return;
  }
  TWinControl::CMDialogChar(m);
}

void TButton::CMFocusChanged(TMessage& m) {
  auto* focused = reinterpret_cast<TWinControl*>(m.LParam);
  bool active = dynamic_cast<TButton*>(focused) ? focused == this : default_;
  if (active != active_ || HandleAllocated()) {
    active_ = active;
    SetButtonStyle(active_);
  }
  m.Result = 0;
}

}  // namespace fw
