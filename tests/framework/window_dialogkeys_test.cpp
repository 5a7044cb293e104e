// Dialog keys through the framework's loop: Enter clicks the button with the
// default look, Esc the Cancel button, Tab/Shift+Tab follow the tab order,
// accelerators work with and without Alt.
#include <gtest/gtest.h>

#include "stdctrls/stdctrls.h"
#include "window_test_util.h"

namespace {

class TKeyForm : public fw::TForm {
 public:
  std::vector<std::wstring> clicks;

  explicit TKeyForm(fw::TComponent* owner) : fw::TForm(owner) {
    ReadDescription([this] {
      SetBounds(50, 50, 400, 160);
      edit = new fw::TEdit(this);
      edit->SetParent(this);
      edit->SetBounds(8, 8, 120, 21);
      ok = AddButton(L"OK", 8, 3);
      ok->SetDefault(true);
      cancel = AddButton(L"Cancel", 90, 1);
      cancel->SetCancel(true);
      go = AddButton(L"&Go", 172, 2);
      edit->SetTabOrder(0);
      SetActiveControl(edit);
    });
  }
  fw::TButton* AddButton(const std::wstring& caption, int x, int tabOrder) {
    auto* b = new fw::TButton(this);
    b->SetParent(this);
    b->SetCaption(caption);
    b->SetBounds(x, 60, 75, 25);
    b->SetTabOrder(tabOrder);
    b->OnClick = [this, caption](fw::TObject*) { clicks.push_back(caption); };
    return b;
  }
  fw::TEdit* edit = nullptr;
  fw::TButton *ok = nullptr, *cancel = nullptr, *go = nullptr;
};

struct KeyTest : ::testing::Test {
  TKeyForm form{nullptr};
  void SetUp() override {
    fwtest::App();
    fwtest::SetModifiers(false);
    fwtest::ShowActive(form);
    ASSERT_EQ(GetFocus(), form.edit->Handle());
  }
  void TearDown() override { fwtest::SetModifiers(false); }
  std::vector<std::wstring> Take() {
    auto c = form.clicks;
    form.clicks.clear();
    return c;
  }
};

using Clicks = std::vector<std::wstring>;

TEST_F(KeyTest, EnterClicksTheDefaultButtonAndEscTheCancelButton) {
  EXPECT_TRUE(form.ok->IsDefaultLook());
  fwtest::PressKey(VK_RETURN);
  fwtest::PressKey(VK_ESCAPE);
  EXPECT_EQ(Take(), (Clicks{L"OK", L"Cancel"}));
  EXPECT_EQ(GetFocus(), form.edit->Handle());  // keys taken, focus unchanged
  EXPECT_EQ(form.edit->Text(), L"");           // and nothing typed
}

TEST_F(KeyTest, AFocusedButtonTakesTheDefaultLookAndEnter) {
  form.go->SetFocus();
  fwtest::Pump();
  ASSERT_EQ(GetFocus(), form.go->Handle());
  EXPECT_TRUE(form.go->IsDefaultLook());
  EXPECT_FALSE(form.ok->IsDefaultLook());
  EXPECT_EQ(GetWindowLongPtrW(form.go->Handle(), GWL_STYLE) & 0x0F, BS_DEFPUSHBUTTON);
  EXPECT_EQ(GetWindowLongPtrW(form.ok->Handle(), GWL_STYLE) & 0x0F, BS_PUSHBUTTON);
  fwtest::PressKey(VK_RETURN);
  EXPECT_EQ(Take(), (Clicks{L"&Go"}));
  // Back on a control that is not a button: the Default button again.
  form.edit->SetFocus();
  fwtest::Pump();
  EXPECT_TRUE(form.ok->IsDefaultLook());
  EXPECT_FALSE(form.go->IsDefaultLook());
}

TEST_F(KeyTest, TabAndShiftTabFollowTheTabOrderAndWrap) {
  std::vector<HWND> seen;
  for (int i = 0; i < 4; ++i) {
    fwtest::PressKey(VK_TAB);
    seen.push_back(GetFocus());
  }
  EXPECT_EQ(seen, (std::vector<HWND>{form.cancel->Handle(), form.go->Handle(), form.ok->Handle(),
                                     form.edit->Handle()}));
  fwtest::SetModifiers(true);
  fwtest::PressKey(VK_TAB);
  EXPECT_EQ(GetFocus(), form.ok->Handle());
  EXPECT_EQ(form.ActiveControl(), form.ok);
  EXPECT_TRUE(Take().empty());
}

TEST_F(KeyTest, AcceleratorsWithoutAltOnlyWhereTheFocusedControlLeavesCharacters) {
  fwtest::TypeChar(L'g');  // the edit wants characters
  EXPECT_TRUE(Take().empty());
  EXPECT_EQ(form.edit->Text(), L"g");
  form.cancel->SetFocus();
  fwtest::Pump();
  fwtest::TypeChar(L'G');
  EXPECT_EQ(Take(), (Clicks{L"&Go"}));
}

TEST_F(KeyTest, AcceleratorsWithAltWorkFromAnyControl) {
  fwtest::PressAltChar(L'g');
  EXPECT_EQ(Take(), (Clicks{L"&Go"}));
  EXPECT_EQ(form.edit->Text(), L"");
}

TEST_F(KeyTest, DisabledOrHiddenButtonsIgnoreTheirKeys) {
  form.cancel->SetEnabled(false);
  form.ok->SetVisible(false);
  fwtest::PressKey(VK_ESCAPE);
  fwtest::PressKey(VK_RETURN);
  EXPECT_TRUE(Take().empty());
}

TEST_F(KeyTest, ADestroyedControlLeavesTheTabOrderAndTheKeys) {
  delete form.cancel;
  form.cancel = nullptr;
  std::vector<HWND> seen;
  for (int i = 0; i < 3; ++i) {
    fwtest::PressKey(VK_TAB);
    seen.push_back(GetFocus());
  }
  EXPECT_EQ(seen, (std::vector<HWND>{form.go->Handle(), form.ok->Handle(), form.edit->Handle()}));
  fwtest::PressKey(VK_ESCAPE);
  EXPECT_TRUE(Take().empty());
  EXPECT_EQ(form.ComponentCount(), 3);
}

}  // namespace
