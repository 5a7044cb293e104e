// Notifications reflected from the parent to the control they concern
// (CN_COMMAND, CN_DRAWITEM, CN_MEASUREITEM, CN_CTLCOLOR*), the combo box's
// items and events, and the notifications between parents and children.
#include <gtest/gtest.h>

#include <thread>

#include "stdctrls/stdctrls.h"
#include "window_test_util.h"

namespace {

using Seq = std::vector<std::wstring>;

class TColorEdit : public fw::TEdit {
 public:
  using fw::TEdit::TEdit;
  Seq seen;
  HBRUSH answer = nullptr;
 protected:
  void CNCtlColor(fw::TMessage& m) override {
    seen.push_back(m.Msg == fw::CN_CTLCOLOREDIT ? L"edit" : L"static");
    if (answer) m.Result = reinterpret_cast<LRESULT>(answer);
    else fw::TEdit::CNCtlColor(m);
  }
};

// A window is bound to an object only by the framework, in this thread: a
// window property that anyone can set on any window names no object.
TEST(Reflection, OnlyFrameworkWindowsOfThisThreadHaveAnObject) {
  fwtest::App();
  fw::TForm form(nullptr);
  form.HandleNeeded();
  EXPECT_EQ(fw::TargetOf(form.Handle()), static_cast<fw::WindowTarget*>(&form));
  HWND plain = CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  SetPropW(plain, L"fw.Target", reinterpret_cast<HANDLE>(&form));
  EXPECT_EQ(fw::TargetOf(plain), nullptr);
  EXPECT_EQ(fw::TWinControl::FindControl(plain), nullptr);
  RemovePropW(plain, L"fw.Target");
  DestroyWindow(plain);
  fw::WindowTarget* seenByAnotherThread = &form;
  std::thread([&] { seenByAnotherThread = fw::TargetOf(form.Handle()); }).join();
  EXPECT_EQ(seenByAnotherThread, nullptr);
}

TEST(Reflection, ControlColourRequestsGoToTheChildAndUnhandledOnesGetItsColours) {
  fwtest::App();
  fw::TForm form(nullptr);
  auto* edit = new TColorEdit(&form);
  edit->SetParent(&form);
  edit->SetColor(fw::RGBColor(1, 2, 3));
  edit->Font().SetColor(fw::RGBColor(4, 5, 6));
  form.HandleNeeded();
  HDC dc = CreateCompatibleDC(nullptr);
  LRESULT r = SendMessageW(form.Handle(), WM_CTLCOLOREDIT, reinterpret_cast<WPARAM>(dc),
                           reinterpret_cast<LPARAM>(edit->Handle()));
  EXPECT_EQ(r, reinterpret_cast<LRESULT>(edit->Brush().Handle()));
  EXPECT_EQ(GetBkColor(dc), RGB(1, 2, 3));
  EXPECT_EQ(GetTextColor(dc), RGB(4, 5, 6));
  edit->answer = static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH));
  r = SendMessageW(form.Handle(), WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(edit->Handle()));
  EXPECT_EQ(r, reinterpret_cast<LRESULT>(edit->answer));
  DeleteDC(dc);
  EXPECT_EQ(edit->seen, (Seq{L"edit", L"static"}));
}

class TDrawnCombo : public fw::TComboBox {
 public:
  using fw::TComboBox::TComboBox;
  std::wstring ClassName() const override { return L"TDrawnCombo"; }
  Seq seen;
 protected:
  void CNMeasureItem(fw::TMessage& m) override {
    seen.push_back(L"measure");
    fw::TComboBox::CNMeasureItem(m);
  }
  void CNCtlColor(fw::TMessage& m) override {
    if (m.Msg == fw::CN_CTLCOLORLISTBOX && (seen.empty() || seen.back() != L"list colours"))
      seen.push_back(L"list colours");
    fw::TComboBox::CNCtlColor(m);
  }
};

struct ComboForm {
  fw::TForm form{nullptr};
  TDrawnCombo* combo = new TDrawnCombo(&form);
  Seq events;
  ComboForm() {
    fwtest::App();
    form.SetBounds(30, 30, 300, 250);
    combo->SetParent(&form);
    combo->SetStyle(fw::csOwnerDrawFixed);
    combo->SetItemHeight(18);
    combo->SetBounds(8, 8, 150, 22);
    for (auto* s : {L"kilogram", L"gram", L"tonne"}) combo->Items().Add(s);
    combo->OnChange = [this](fw::TObject*) { events.push_back(L"change " + combo->Text()); };
    combo->OnDropDown = [this](fw::TObject*) { events.push_back(L"drop down"); };
    combo->OnCloseUp = [this](fw::TObject*) { events.push_back(L"close up"); };
    combo->OnDrawItem = [this](fw::TObject*, int index, const RECT&, fw::TOwnerDrawState state) {
      if (index >= 0 && (state & fw::odComboBoxEdit))
        events.push_back(L"draw face " + combo->Items()[index]);
    };
  }
};

TEST(Reflection, OwnerDrawnComboMeasuresAndDrawsThroughTheControl) {
  ComboForm f;
  f.form.HandleNeeded();
  EXPECT_FALSE(f.combo->seen.empty());
  EXPECT_EQ(f.combo->seen.front(), L"measure");
  EXPECT_EQ(SendMessageW(f.combo->Handle(), CB_GETITEMHEIGHT, 0, 0), 18);
  f.combo->SetItemIndex(1);
  fwtest::ShowActive(f.form);
  UpdateWindow(f.combo->Handle());
  ASSERT_FALSE(f.events.empty());
  EXPECT_EQ(f.events.back(), L"draw face gram");
}

TEST(Reflection, ComboEventsComeFromTheWindowsOwnNotifications) {
  ComboForm f;
  f.combo->SetStyle(fw::csDropDownList);
  f.combo->OnDrawItem = nullptr;
  f.form.SetActiveControl(f.combo);
  fwtest::ShowActive(f.form);
  ASSERT_EQ(GetFocus(), f.combo->Handle());
  f.combo->SetItemIndex(0);  // set by the program: no change event
  fwtest::PressKey(VK_DOWN);
  EXPECT_EQ(f.combo->ItemIndex(), 1);
  f.combo->SetDroppedDown(true);
  fwtest::Pump();
  f.combo->SetDroppedDown(false);
  fwtest::Pump();
  EXPECT_EQ(f.events, (Seq{L"change gram", L"drop down", L"close up"}));
  // The drop-down list asked the combo box (not the form) for its colours.
  EXPECT_NE(std::find(f.combo->seen.begin(), f.combo->seen.end(), L"list colours"), f.combo->seen.end());
}

TEST(Reflection, EscClosesAnOpenListBeforeItReachesTheForm) {
  ComboForm f;
  f.combo->SetStyle(fw::csDropDownList);
  f.combo->OnDrawItem = nullptr;
  auto* cancel = new fw::TButton(&f.form);
  cancel->SetParent(&f.form);
  cancel->SetBounds(8, 150, 75, 25);
  cancel->SetCancel(true);
  int cancels = 0;
  cancel->OnClick = [&](fw::TObject*) { ++cancels; };
  f.form.SetActiveControl(f.combo);
  fwtest::ShowActive(f.form);
  f.combo->SetDroppedDown(true);
  fwtest::Pump();
  ASSERT_TRUE(f.combo->DroppedDown());
  fwtest::PressKey(VK_ESCAPE);
  EXPECT_EQ(cancels, 0);
  EXPECT_FALSE(f.combo->DroppedDown());
  fwtest::PressKey(VK_ESCAPE);
  EXPECT_EQ(cancels, 1);
  f.combo->SetText(L"tonne");
  EXPECT_EQ(f.combo->ItemIndex(), 2);
}

TEST(Reflection, ComboItemsSurviveTheWindowBeingRecreated) {
  ComboForm f;
  f.form.HandleNeeded();
  f.combo->SetItemIndex(2);
  HWND old = f.combo->Handle();
  f.combo->SetStyle(fw::csDropDownList);  // a style change recreates the window
  EXPECT_NE(f.combo->Handle(), old);
  EXPECT_EQ(SendMessageW(f.combo->Handle(), CB_GETCOUNT, 0, 0), 3);
  EXPECT_EQ(f.combo->ItemIndex(), 2);
  EXPECT_EQ(f.combo->Text(), L"tonne");
  f.combo->Items().Delete(0);
  f.combo->Items().Insert(0, L"pound");
  wchar_t text[32];
  SendMessageW(f.combo->Handle(), CB_GETLBTEXT, 0, reinterpret_cast<LPARAM>(text));
  EXPECT_STREQ(text, L"pound");
  f.combo->Items().Clear();
  EXPECT_EQ(SendMessageW(f.combo->Handle(), CB_GETCOUNT, 0, 0), 0);
  EXPECT_EQ(f.combo->ItemIndex(), -1);
  EXPECT_TRUE(f.events.empty());
}

class TNoticeLabel : public fw::TLabel {
 public:
  using fw::TLabel::TLabel;
  Seq seen;
 protected:
  void CMParentColorChanged(fw::TMessage& m) override { seen.push_back(L"parent colour"); fw::TLabel::CMParentColorChanged(m); }
  void CMParentFontChanged(fw::TMessage& m) override { seen.push_back(L"parent font"); fw::TLabel::CMParentFontChanged(m); }
  void CMEnabledChanged(fw::TMessage& m) override { seen.push_back(L"enabled"); fw::TLabel::CMEnabledChanged(m); }
  void CMMouseEnter(fw::TMessage& m) override { seen.push_back(L"enter"); fw::TLabel::CMMouseEnter(m); }
  void CMMouseLeave(fw::TMessage& m) override { seen.push_back(L"leave"); fw::TLabel::CMMouseLeave(m); }
};

class TNoticeButton : public fw::TButton {
 public:
  using fw::TButton::TButton;
  std::wstring ClassName() const override { return L"TSkinBtn"; }
  Seq seen;
 protected:
  void CMMouseEnter(fw::TMessage& m) override { seen.push_back(L"enter"); fw::TButton::CMMouseEnter(m); }
  void CMMouseLeave(fw::TMessage& m) override { seen.push_back(L"leave"); fw::TButton::CMMouseLeave(m); }
  void CMParentColorChanged(fw::TMessage& m) override { seen.push_back(L"parent colour"); fw::TButton::CMParentColorChanged(m); }
};

TEST(Notifications, ParentColourAndFontReachTheChildrenThatFollowThem) {
  fwtest::App();
  fw::TForm form(nullptr);
  auto* label = new TNoticeLabel(&form);
  label->SetParent(&form);
  auto* edit = new fw::TEdit(&form);
  edit->SetParent(&form);
  label->seen.clear();
  form.SetColor(fw::clNavy);
  form.Font().SetName(L"Courier New");
  label->SetEnabled(false);
  EXPECT_EQ(label->seen, (Seq{L"parent colour", L"parent font", L"enabled"}));
  EXPECT_EQ(label->Color(), fw::clNavy);
  EXPECT_TRUE(label->ParentColor());
  EXPECT_EQ(label->Font().Name(), L"Courier New");
  EXPECT_TRUE(label->ParentFont());
  EXPECT_EQ(edit->Color(), fw::clWindow);  // its own colour
  EXPECT_EQ(edit->Font().Name(), L"Courier New");
  label->Font().SetHeight(-20);  // an own font stops following
  EXPECT_FALSE(label->ParentFont());
  form.Font().SetName(L"Arial");
  EXPECT_EQ(label->Font().Name(), L"Courier New");
}

TEST(Notifications, MouseEnterAndLeaveForWindowedAndGraphicControls) {
  fwtest::App();
  fw::TForm form(nullptr);
  form.SetBounds(40, 40, 300, 200);
  auto* button = new TNoticeButton(&form);
  button->SetParent(&form);
  button->SetBounds(150, 10, 75, 25);
  auto* label = new TNoticeLabel(&form);
  label->SetParent(&form);
  label->SetBounds(10, 10, 60, 20);
  label->SetAutoSize(false);
  fwtest::ShowActive(form);
  wchar_t name[32];
  GetClassNameW(button->Handle(), name, 32);
  EXPECT_STREQ(name, L"TSkinBtn");
  PostMessageW(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
  PostMessageW(button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(6, 5));
  PostMessageW(button->Handle(), WM_MOUSELEAVE, 0, 0);
  PostMessageW(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(15, 15));  // onto the label
  PostMessageW(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(20, 15));
  PostMessageW(form.Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(100, 100));  // off it
  fwtest::Pump();
  EXPECT_EQ(button->seen, (Seq{L"enter", L"leave"}));
  Seq mouse;
  for (auto& s : label->seen)
    if (s == L"enter" || s == L"leave") mouse.push_back(s);
  EXPECT_EQ(mouse, (Seq{L"enter", L"leave"}));
}

TEST(Notifications, ClicksOnAGraphicControlComeFromItsParentsMouseMessages) {
  fwtest::App();
  fw::TForm form(nullptr);
  auto* label = new fw::TLabel(&form);
  label->SetParent(&form);
  label->SetAutoSize(false);
  label->SetBounds(10, 10, 60, 20);
  int clicks = 0;
  label->OnClick = [&](fw::TObject*) { ++clicks; };
  fwtest::ShowActive(form);
  PostMessageW(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 15));
  PostMessageW(form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(21, 16));
  PostMessageW(form.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 15));
  PostMessageW(form.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(200, 150));  // released outside
  fwtest::Pump();
  EXPECT_EQ(clicks, 1);
}

}  // namespace
