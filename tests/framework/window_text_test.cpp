// The change event follows real changes of a control's text only.
#include <gtest/gtest.h>

#include "stdctrls/stdctrls.h"
#include "window_test_util.h"

namespace {

struct EditForm {
  fw::TForm form{nullptr};
  fw::TEdit* edit = new fw::TEdit(&form);
  int changes = 0;
  EditForm() {
    fwtest::App();
    form.SetBounds(100, 100, 300, 120);
    edit->SetParent(&form);
    edit->SetBounds(8, 8, 150, 21);
    edit->OnChange = [this](fw::TObject* sender) {
      EXPECT_EQ(sender, edit);
      ++changes;
    };
  }
};

TEST(TextChange, SettingTheCurrentTextRaisesNothing) {
  EditForm f;
  f.form.HandleNeeded();
  ASSERT_TRUE(f.edit->HandleAllocated());
  f.edit->SetText(L"12");
  EXPECT_EQ(f.changes, 1);
  f.edit->SetText(L"12");
  EXPECT_EQ(f.changes, 1);
  f.edit->SetText(L"123");
  EXPECT_EQ(f.changes, 2);
  f.edit->SetText(L"");
  EXPECT_EQ(f.changes, 3);
  EXPECT_EQ(f.edit->Text(), L"");
}

TEST(TextChange, WithoutAWindowTheTextIsKeptAndChangesStillCount) {
  EditForm f;
  f.edit->SetText(L"7");
  f.edit->SetText(L"7");
  EXPECT_EQ(f.changes, 1);
  f.form.HandleNeeded();
  EXPECT_EQ(f.changes, 1);  // creating the window is no change
  wchar_t buffer[16] = {};
  GetWindowTextW(f.edit->Handle(), buffer, 16);
  EXPECT_STREQ(buffer, L"7");
}

TEST(TextChange, TypedCharactersRaiseOneChangeEach) {
  EditForm f;
  f.edit->SetText(L"1");
  f.form.SetActiveControl(f.edit);
  fwtest::ShowActive(f.form);
  ASSERT_EQ(GetFocus(), f.edit->Handle());
  f.changes = 0;
  fwtest::TypeChar(L'5');  // replaces the selected "1" (AutoSelect)
  fwtest::TypeChar(L'6');
  EXPECT_EQ(f.changes, 2);
  EXPECT_EQ(f.edit->Text(), L"56");
}

// Multi-line edits send no EN_CHANGE for WM_SETTEXT; the change still comes,
// once.
class TMultiEdit : public fw::TEdit {
 public:
  using fw::TEdit::TEdit;
 protected:
  void CreateParams(fw::TCreateParams& p) override {
    fw::TEdit::CreateParams(p);
    p.Style |= ES_MULTILINE;
  }
};

TEST(TextChange, MultiLineEditRaisesOneChangePerRealChange) {
  fwtest::App();
  fw::TForm form(nullptr);
  auto* edit = new TMultiEdit(&form);
  edit->SetParent(&form);
  int changes = 0;
  edit->OnChange = [&](fw::TObject*) { ++changes; };
  form.HandleNeeded();
  ASSERT_NE(GetWindowLongPtrW(edit->Handle(), GWL_STYLE) & ES_MULTILINE, 0);
  edit->SetText(L"abc");
  edit->SetText(L"abc");
  edit->SetText(L"abd");
  EXPECT_EQ(changes, 2);
  // WM_SETTEXT from outside (another program, an automation tool) too.
  SendMessageW(edit->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"xyz"));
  SendMessageW(edit->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(L"xyz"));
  EXPECT_EQ(changes, 3);
  EXPECT_EQ(edit->Text(), L"xyz");
}

class TCountingLabel : public fw::TLabel {
 public:
  using fw::TLabel::TLabel;
  int textChanges = 0;
 protected:
  void CMTextChanged(fw::TMessage& m) override {
    ++textChanges;
    fw::TLabel::CMTextChanged(m);
  }
};

TEST(TextChange, CaptionOfAGraphicControlNotifiesOnlyRealChanges) {
  fwtest::App();
  fw::TForm form(nullptr);
  auto* label = new TCountingLabel(&form);
  label->SetParent(&form);
  label->SetCaption(L"Mass");
  label->SetCaption(L"Mass");
  label->SetCaption(L"Length");
  EXPECT_EQ(label->textChanges, 2);
  EXPECT_EQ(label->Caption(), L"Length");
}

}  // namespace
