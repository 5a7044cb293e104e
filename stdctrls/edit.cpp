#include "stdctrls/edit.h"

#include "framework/accessible.h"

namespace fw {

TCustomEdit::TCustomEdit(TComponent* owner) : TWinControl(owner) {
  SetControlStyle(csClickEvents | csSetCaption | csDoubleClicks);
  TWinControl::SetBounds(0, 0, 121, 21);
  SetTabStop(true);
  SetColor(clWindow);
  SetParentColor(false);
}

void TCustomEdit::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.BaseClass = L"EDIT";
  p.Style |= ES_AUTOHSCROLL | ES_AUTOVSCROLL;
  if (readOnly_) p.Style |= ES_READONLY;
  if (!hideSelection_) p.Style |= ES_NOHIDESEL;
  switch (alignment_) {
    case taLeftJustify: p.Style |= ES_LEFT; break;
    case taRightJustify: p.Style |= ES_RIGHT; break;
    case taCenter: p.Style |= ES_CENTER; break;
  }
  if (borderStyle_ == bsSingle) p.ExStyle |= WS_EX_CLIENTEDGE;
}

void TCustomEdit::CreateWnd() {
  TWinControl::CreateWnd();
  SendMessageW(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
}

void TCustomEdit::SetReadOnly(bool value) {
  if (readOnly_ == value) return;
  readOnly_ = value;
  if (HandleAllocated()) SendMessageW(Handle(), EM_SETREADONLY, value ? TRUE : FALSE, 0);
}

void TCustomEdit::SetMaxLength(int value) {
  if (maxLength_ == value) return;
  maxLength_ = value;
  if (HandleAllocated()) SendMessageW(Handle(), EM_LIMITTEXT, static_cast<WPARAM>(value), 0);
}

void TCustomEdit::SetAlignment(TAlignment value) {
  if (alignment_ == value) return;
  alignment_ = value;
  RecreateWnd();
}

void TCustomEdit::SetBorderStyle(TBorderStyle value) {
  if (borderStyle_ == value) return;
  borderStyle_ = value;
  RecreateWnd();
}

void TCustomEdit::SetHideSelection(bool value) {
  if (hideSelection_ == value) return;
  hideSelection_ = value;
  RecreateWnd();
}

int TCustomEdit::SelStart() {
  DWORD start = 0;
  if (HandleAllocated()) SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), 0);
  return static_cast<int>(start);
}

void TCustomEdit::SetSelStart(int value) {
  SendMessageW(Handle(), EM_SETSEL, static_cast<WPARAM>(value), value);
}

int TCustomEdit::SelLength() {
  DWORD start = 0, end = 0;
  if (HandleAllocated())
    SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  return static_cast<int>(end - start);
}

void TCustomEdit::SetSelLength(int value) {
  int start = SelStart();
  SendMessageW(Handle(), EM_SETSEL, static_cast<WPARAM>(start), start + value);
}

void TCustomEdit::SelectAll() {
  if (HandleAllocated()) SendMessageW(Handle(), EM_SETSEL, 0, -1);
}

bool TCustomEdit::Modified() {
  return HandleAllocated() && SendMessageW(Handle(), EM_GETMODIFY, 0, 0) != 0;
}

void TCustomEdit::DescribeAccessible(AccessibleFacts& facts) const {
  TWinControl::DescribeAccessible(facts);
  facts.role = ROLE_SYSTEM_TEXT;
  if (!facts.name) facts.name = std::wstring();
  facts.value = Text();
  if (readOnly_) facts.statesSet |= STATE_SYSTEM_READONLY;
}

void TCustomEdit::Change() {
  if (IsLoading()) return;
  if (OnChange) OnChange(this);
}

void TCustomEdit::DoEnter() {
  if (autoSelect_ && GetKeyState(VK_LBUTTON) >= 0 && HandleAllocated() &&
      (GetWindowLongPtrW(Handle(), GWL_STYLE) & ES_MULTILINE) == 0)
    SelectAll();
  TWinControl::DoEnter();
}

void TCustomEdit::CNCommand(TMessage& m) {
  if (HIWORD(m.WParam) == EN_CHANGE) Change();
  m.Result = 0;
}

void TCustomEdit::CMTextChanged(TMessage& m) {
  TWinControl::CMTextChanged(m);
  // Without a window there is no EN_CHANGE at all.
  if (!HandleAllocated()) Change();
}

void TCustomEdit::WMSetText(TMessage& m) {
  // Multi-line edits send no EN_CHANGE for WM_SETTEXT, whether the control's
  // own setter or another program sent it: the change is raised here, once
  // per real change.
  const bool multiLine = (GetWindowLongPtrW(Handle(), GWL_STYLE) & ES_MULTILINE) != 0;
  const std::wstring before = multiLine ? GetText() : std::wstring();
  DefaultHandler(m);
  if (multiLine && m.Result && GetText() != before) {
    // Nor does the system tell screen readers of it (a typed change it does
    // tell, where it tells at all).
    NotifyValueChange(Handle());
    Change();
  }
}

}  // namespace fw
