#include "stdctrls/combobox.h"

#include <commctrl.h>

#include "framework/accessible.h"

namespace fw {

// ---- items

HWND TComboBoxStrings::Window() const {
  return combo_.HandleAllocated() ? combo_.Handle() : nullptr;
}

void TComboBoxStrings::Insert(int index, const std::wstring& s) {
  if (index < 0 || index > list_.Count()) index = list_.Count();
  if (HWND wnd = Window()) {
    LRESULT at = combo_.sorted_ ? SendMessageW(wnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(s.c_str()))
                                : SendMessageW(wnd, CB_INSERTSTRING, static_cast<WPARAM>(index),
                                               reinterpret_cast<LPARAM>(s.c_str()));
    if (at >= 0) index = static_cast<int>(at);
  } else if (combo_.sorted_) {
    index = 0;
    while (index < list_.Count() && _wcsicmp(list_.At(index).c_str(), s.c_str()) <= 0) ++index;
  }
  list_.Insert(index, s);
}

void TComboBoxStrings::Delete(int index) {
  list_.Delete(index);  // validates the index
  if (HWND wnd = Window()) SendMessageW(wnd, CB_DELETESTRING, static_cast<WPARAM>(index), 0);
}

void TComboBoxStrings::Clear() {
  list_.Clear();
  if (HWND wnd = Window()) SendMessageW(wnd, CB_RESETCONTENT, 0, 0);
  combo_.itemIndex_ = -1;
}

void TComboBoxStrings::Put(int index, const std::wstring& s) {
  int selected = combo_.ItemIndex();
  std::intptr_t object = list_.Object(index);
  Delete(index);
  Insert(index, s);
  SetObject(index, object);
  if (selected == index) combo_.SetItemIndex(index);
}

void TComboBoxStrings::SetObject(int index, std::intptr_t object) {
  list_.SetObject(index, object);
  if (HWND wnd = Window()) SendMessageW(wnd, CB_SETITEMDATA, static_cast<WPARAM>(index), object);
}

void TComboBoxStrings::FillWindow(HWND wnd) const {
  for (int i = 0; i < list_.Count(); ++i) {
    SendMessageW(wnd, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(list_.At(i).c_str()));
    SendMessageW(wnd, CB_SETITEMDATA, static_cast<WPARAM>(i), list_.Object(i));
  }
}

void TComboBoxStrings::SetUpdateState(bool updating) {
  if (HWND wnd = Window()) {
    SendMessageW(wnd, WM_SETREDRAW, updating ? FALSE : TRUE, 0);
    if (!updating) InvalidateRect(wnd, nullptr, TRUE);
  }
}

// ---- combo box

TCustomComboBox::TCustomComboBox(TComponent* owner)
    : TWinControl(owner), items_(std::make_unique<TComboBoxStrings>(*this)) {
  SetControlStyle(csSetCaption | csDoubleClicks);
  TWinControl::SetBounds(0, 0, 145, 21);
  SetTabStop(true);
  SetColor(clWindow);
  SetParentColor(false);
}

TCustomComboBox::~TCustomComboBox() {
  Destroying();
  DestroyHandle();
}

void TCustomComboBox::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.BaseClass = L"COMBOBOX";
  p.Style |= WS_VSCROLL | CBS_HASSTRINGS | CBS_AUTOHSCROLL;
  switch (style_) {
    case csDropDown: p.Style |= CBS_DROPDOWN; break;
    case csSimple: p.Style |= CBS_SIMPLE; break;
    case csDropDownList: p.Style |= CBS_DROPDOWNLIST; break;
    case csOwnerDrawFixed: p.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED; break;
    case csOwnerDrawVariable: p.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE; break;
  }
  if (sorted_) p.Style |= CBS_SORT;
  // The window's height includes the dropped-down list.
  if (style_ != csSimple) p.Height = Height() + RowHeight() * dropDownCount_ + Scaled(2);
}

void TCustomComboBox::CreateWnd() {
  int height = Height();
  TWinControl::CreateWnd();
  HWND wnd = Handle();
  if (maxLength_ > 0) SendMessageW(wnd, CB_LIMITTEXT, static_cast<WPARAM>(maxLength_), 0);
  if (style_ == csOwnerDrawFixed || style_ == csOwnerDrawVariable)
    SendMessageW(wnd, CB_SETITEMHEIGHT, 0, RowHeight());
  SendMessageW(wnd, CB_SETMINVISIBLE, static_cast<WPARAM>(dropDownCount_), 0);
  items_->FillWindow(wnd);
  if (itemIndex_ >= 0) SendMessageW(wnd, CB_SETCURSEL, static_cast<WPARAM>(itemIndex_), 0);
  (void)height;
}

void TCustomComboBox::DestroyWnd() {
  if (HandleAllocated()) itemIndex_ = static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0));
  TWinControl::DestroyWnd();
}

int TCustomComboBox::ItemIndex() const {
  if (HandleAllocated())
    return static_cast<int>(SendMessageW(const_cast<TCustomComboBox*>(this)->Handle(), CB_GETCURSEL, 0, 0));
  return itemIndex_;
}

void TCustomComboBox::SetItemIndex(int index) {
  if (index < -1 || index >= items_->Count()) index = -1;
  itemIndex_ = index;
  if (HandleAllocated()) SendMessageW(Handle(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

std::wstring TCustomComboBox::GetText() const {
  if (style_ != csDropDown && style_ != csSimple) {
    int i = ItemIndex();
    return i >= 0 && i < items_->Count() ? items_->Get(i) : std::wstring();
  }
  return TWinControl::GetText();
}

void TCustomComboBox::SetTextBuf(const std::wstring& text) {
  if (style_ == csDropDown || style_ == csSimple) {
    TWinControl::SetTextBuf(text);
    return;
  }
  SetItemIndex(items_->IndexOf(text));
}

void TCustomComboBox::CMWantSpecialKey(TMessage& m) {
  m.Result = ((m.WParam == VK_RETURN || m.WParam == VK_ESCAPE) && DroppedDown()) ? 1 : 0;
}

void TCustomComboBox::SetStyle(TComboBoxStyle style) {
  if (style_ == style) return;
  style_ = style;
  RecreateWnd();
}

void TCustomComboBox::SetDropDownCount(int count) {
  if (count < 1 || dropDownCount_ == count) return;
  dropDownCount_ = count;
  if (HandleAllocated()) SendMessageW(Handle(), CB_SETMINVISIBLE, static_cast<WPARAM>(count), 0);
}

int TCustomComboBox::ItemHeight() const {
  if (HandleAllocated() && style_ != csOwnerDrawFixed && style_ != csOwnerDrawVariable)
    return static_cast<int>(SendMessageW(const_cast<TCustomComboBox*>(this)->Handle(), CB_GETITEMHEIGHT, 0, 0));
  return itemHeight_;
}

int TCustomComboBox::RowHeight() const {
  if (HandleAllocated() && style_ != csOwnerDrawFixed && style_ != csOwnerDrawVariable) return ItemHeight();
  return Scaled(itemHeight_);
}

void TCustomComboBox::DpiChanged(int oldDpi) {
  TWinControl::DpiChanged(oldDpi);
  // The system sizes the selection field and the items as it makes the
  // window (WM_MEASUREITEM); setting them afterwards gives another frame
  // around the field than at creation, so the window is made again.
  if (HandleAllocated() && (style_ == csOwnerDrawFixed || style_ == csOwnerDrawVariable)) RecreateWnd();
}

void TCustomComboBox::SetItemHeight(int height) {
  if (height <= 0 || itemHeight_ == height) return;
  itemHeight_ = height;
  if (HandleAllocated() && (style_ == csOwnerDrawFixed || style_ == csOwnerDrawVariable))
    RecreateWnd();
}

void TCustomComboBox::SetSorted(bool value) {
  if (sorted_ == value) return;
  sorted_ = value;
  RecreateWnd();
}

void TCustomComboBox::SetMaxLength(int value) {
  if (value < 0) value = 0;
  maxLength_ = value;
  if (HandleAllocated()) SendMessageW(Handle(), CB_LIMITTEXT, static_cast<WPARAM>(value), 0);
}

bool TCustomComboBox::DroppedDown() const {
  return HandleAllocated() &&
         SendMessageW(const_cast<TCustomComboBox*>(this)->Handle(), CB_GETDROPPEDSTATE, 0, 0) != 0;
}

void TCustomComboBox::SetDroppedDown(bool value) {
  SendMessageW(Handle(), CB_SHOWDROPDOWN, value ? TRUE : FALSE, 0);
}

void TCustomComboBox::DescribeAccessible(AccessibleFacts& facts) const {
  TWinControl::DescribeAccessible(facts);
  facts.role = ROLE_SYSTEM_COMBOBOX;
  if (!facts.name) facts.name = std::wstring();
  facts.value = Text();
  facts.statesSet |= DroppedDown() ? STATE_SYSTEM_EXPANDED : STATE_SYSTEM_COLLAPSED;
}

void TCustomComboBox::AdjustDropDown() {
  // Room for DropDownCount rows (fewer when there are fewer items).
  int rows = items_->Count();
  if (rows < 1) rows = 1;
  if (rows > dropDownCount_) rows = dropDownCount_;
  SetWindowPos(Handle(), nullptr, 0, 0, Width(), Height() + RowHeight() * rows + Scaled(2),
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
}

void TCustomComboBox::Change() {
  if (IsLoading()) return;
  if (OnChange) OnChange(this);
}
void TCustomComboBox::DropDown() {
  if (OnDropDown) OnDropDown(this);
}
void TCustomComboBox::CloseUp() {
  if (OnCloseUp) OnCloseUp(this);
}

void TCustomComboBox::CNCommand(TMessage& m) {
  switch (HIWORD(m.WParam)) {
    case CBN_SELCHANGE:
      itemIndex_ = ItemIndex();
      Change();
      break;
    case CBN_EDITCHANGE:
      Change();
      break;
    case CBN_DROPDOWN:
      AdjustDropDown();
      DropDown();
      break;
    case CBN_CLOSEUP:
      CloseUp();
      break;
    default:
      break;
  }
  m.Result = 0;
}

void TCustomComboBox::DrawItem(int index, const RECT& rect, TOwnerDrawState state) {
  if (OnDrawItem) {
    OnDrawItem(this, index, rect, state);
    return;
  }
  bool selected = (state & odSelected) != 0;
  canvas_.Brush().SetColor(selected ? clHighlight : Color());
  canvas_.FillRect(rect);
  if (index < 0 || index >= items_->Count()) return;
  canvas_.Font().SetColor(selected ? clHighlightText : Font().Color());
  canvas_.Brush().SetStyle(bsClear);
  canvas_.TextOut(rect.left + Scaled(2), rect.top, items_->Get(index));
}

void TCustomComboBox::MeasureItem(int index, int& height) {
  if (OnMeasureItem) OnMeasureItem(this, index, height);
}

void TCustomComboBox::CNDrawItem(TMessage& m) {
  auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
  TOwnerDrawState state = item->itemState;
  if (!Enabled()) state |= odDisabled;
  CanvasAttachment attached(canvas_, item->hDC);
  canvas_.Font().Assign(Font());
  canvas_.Brush().SetColor(Color());
  int index = static_cast<int>(static_cast<INT_PTR>(static_cast<int>(item->itemID)));
  DrawItem(index, item->rcItem, state);
  m.Result = TRUE;
}

void TCustomComboBox::CNMeasureItem(TMessage& m) {
  auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
  int height = RowHeight();
  if (style_ == csOwnerDrawVariable && static_cast<int>(item->itemID) >= 0)
    MeasureItem(static_cast<int>(item->itemID), height);
  item->itemHeight = static_cast<UINT>(height);
  m.Result = TRUE;
}

void TCustomComboBox::WMCtlColor(TMessage& m) {
  // From the combo box's own edit or drop-down list: the control answers.
  m.Result = Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
}

}  // namespace fw
