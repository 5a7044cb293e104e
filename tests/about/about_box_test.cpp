// The About box in process: its layout and texts in both languages, the
// notice pass, the credits and the program-wide busy flag, and open/close
// cycles that leave nothing behind.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "about/about_box.h"
#include "about/about_texts.h"
#include "about/system_facts.h"
#include "controls/scrolling_text.h"
#include "controls/skin_button.h"
#include "effects/fx_label.h"
#include "framework/application.h"
#include "stdctrls/button.h"
#include "stdctrls/extctrls.h"
#include "graphics/gdi.h"
#include "stdctrls/label.h"
#include "tests/support/app.h"

namespace {

using about::TAboutBox;

const core::FormatSettings kComma{L'.', L','};

// The application object is titled like the program.
const fwtest::AppSetup kAppSetup{L"Converter"};
using fwtest::App;

// The main window as far as the About box looks at it: its Print button's hint.
struct MainWindow {
  fw::TForm form{&App()};
  fw::TButton* print = new fw::TButton(&form);
  explicit MainWindow(const std::wstring& printHint) {
    print->SetName(L"PrintBtn");
    print->SetHint(printHint);
    App().SetMainForm(&form);
  }
  ~MainWindow() { App().SetMainForm(nullptr); }
};

using fwtest::PumpUntil;

// A click of the left button at a point of the box's client area.
void Click(TAboutBox& box, int x, int y, bool twice = false) {
  SendMessageW(box.Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
  SendMessageW(box.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  if (twice) {
    SendMessageW(box.Handle(), WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(x, y));
    SendMessageW(box.Handle(), WM_LBUTTONUP, 0, MAKELPARAM(x, y));
  }
}

bool At(const fw::TControl& c, int left, int top, int width, int height) {
  return c.Left() == left && c.Top() == top && c.Width() == width && c.Height() == height;
}

std::vector<std::wstring> Lines(skin::TSkinScrollingText& text) {
  std::vector<std::wstring> lines;
  for (int i = 0; i < text.Strings().Count(); ++i) lines.push_back(text.Strings()[i]);
  return lines;
}

TEST(AboutBox, LayoutAndTextsInBothLanguages) {
  struct Case {
    const wchar_t* printHint;
    const about::AboutTexts& texts;
  } cases[] = {{L"Print", about::kEnglishTexts}, {L"Печать", about::kRussianTexts}, {L"print", about::kRussianTexts}};
  for (const Case& c : cases) {
    MainWindow main(c.printHint);
    TAboutBox box(&App(), kComma);
    EXPECT_EQ(box.Caption(), c.texts.caption);
    EXPECT_EQ(box.FxLabel1->Caption(), c.texts.title);
  }
  EXPECT_EQ(about::kEnglishTexts.caption, L"About quantity converter");
  EXPECT_EQ(about::kRussianTexts.title, L"Конвертор величин   v 2.3  ");

  MainWindow main(L"Print");
  TAboutBox box(&App(), kComma);
  EXPECT_EQ(box.ClientWidth(), 418);
  EXPECT_EQ(box.ClientHeight(), 344);
  EXPECT_EQ(box.BorderStyle(), fw::bsDialog);
  EXPECT_TRUE(At(*box.Image1, 16, 16, 73, 73));
  EXPECT_FALSE(box.Image1->Picture().Empty());
  EXPECT_TRUE(At(*box.FxLabel1, 96, 24, 305, 33));
  EXPECT_EQ(box.FxLabel1->Bevel().Extent(), 0);
  EXPECT_TRUE(At(*box.SkinScrollingText1, 24, 144, 377, 41));
  EXPECT_TRUE(At(*box.Bevel1, 32, 214, 353, 2));
  EXPECT_TRUE(At(*box.OKButton, 232, 288, 105, 33));
  EXPECT_EQ(box.OKButton->ModalResult(), fw::mrOk);
  EXPECT_EQ(box.OS->Left(), 46);
  EXPECT_EQ(box.OS->Caption(), about::OsVersionLine(about::CapturedOsVersion()));
  EXPECT_EQ(box.Label3->Caption(), L"Memory Available to Windows:");
  EXPECT_EQ(box.PhysMem->Caption(), about::MemoryText(about::PhysicalMemoryKilobytes(), kComma));
  EXPECT_EQ(box.PhysMem->Left() + box.PhysMem->Width(), 377);  // grown to the left
  EXPECT_GT(box.PhysMem->Width(), 40);
  // The notice with one space at each end, as it passes by.
  EXPECT_EQ(Lines(*box.SkinScrollingText1),
            std::vector<std::wstring>{L" Copyright \u00A9 2026 Converter contributors, MIT License "});
  EXPECT_EQ(box.SkinScrollingText1->ScrollDirection(), skin::sdRightToLeft);
  EXPECT_TRUE(box.SkinScrollingText1->Active());
}

// The titles are built from the version numbers of assets/version.h; at 2.3
// the English one is the long-standing text, spaces included (the Russian one
// is pinned above).
TEST(AboutBox, EnglishTitleShowsTheVersion) {
  EXPECT_EQ(about::kEnglishTexts.title, L"Quantity converter    v 2.3   ");
}

TEST(AboutBox, NoticePassThenCreditsOnClickAndTheBusyFlagBetween) {
  MainWindow main(L"Print");
  TAboutBox box(&App(), kComma);
  skin::TSkinScrollingText& text = *box.SkinScrollingText1;
  text.SetInterval(1);  // a short pass
  box.Show();
  EXPECT_TRUE(TAboutBox::CreditsBusy());

  Click(box, 248, 40);  // the title, during the notice pass: nothing
  EXPECT_TRUE(At(text, 24, 144, 377, 41));
  EXPECT_EQ(text.ScrollDirection(), skin::sdRightToLeft);

  ASSERT_TRUE(PumpUntil([] { return !TAboutBox::CreditsBusy(); }));
  EXPECT_FALSE(text.Active());
  EXPECT_EQ(text.ScrollDirection(), skin::sdBottomToTop);

  Click(box, 50, 50);  // the picture
  EXPECT_TRUE(TAboutBox::CreditsBusy());
  EXPECT_TRUE(At(text, 24, 98, 377, 96));
  EXPECT_EQ(text.Alignment(), fw::taLeftJustify);
  EXPECT_TRUE(text.Active());
  const std::vector<std::wstring> credits(about::kCreditLines.begin(), about::kCreditLines.end());
  EXPECT_EQ(Lines(text), credits);
  for (size_t i : {0u, 3u}) EXPECT_EQ(credits[i].find(L"Converter contributors"), 19u);  // column 20
  EXPECT_EQ(credits[1].find_first_not_of(L' '), 19u);
  EXPECT_EQ(credits[4].find_first_not_of(L' '), 19u);

  text.Strings().Add(L"changed");  // a second click would have replaced the lines
  Click(box, 200, 170, true);  // a double click on the scrolling text
  EXPECT_EQ(text.Strings().Count(), 7);
  ASSERT_TRUE(PumpUntil([] { return !TAboutBox::CreditsBusy(); }));
  EXPECT_TRUE(At(text, 24, 98, 377, 96));  // keeps the enlarged box
  box.Hide();
}

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
  ++*reinterpret_cast<int*>(count);
  return TRUE;
}

int ThreadWindows() {
  int count = 0;
  EnumThreadWindows(GetCurrentThreadId(), CountWindow, reinterpret_cast<LPARAM>(&count));
  return count;
}

TEST(AboutBox, AThousandOpenCloseCyclesLeaveNoGdiOrUserObjects) {
  MainWindow main(L"Print");
  // Made, painted (every control, into a memory DC: showing the window
  // 1,000 times would only time Wine's X11 side), closed and destroyed.
  fw::MemoryDC memory;
  fw::GdiBitmap bitmap(CreateBitmap(430, 380, 1, 32, nullptr));
  fw::SelectGuard selected(memory, bitmap.Get());
  auto cycle = [&memory] {
    std::unique_ptr<TAboutBox> box(new TAboutBox(&App(), kComma));
    box->PaintTo(memory, 0, 0);
    box->Close();
    App().ProcessMessages();
  };
  cycle();
  const long gdi = fw::GdiCounters::Live();
  const int windows = ThreadWindows();
  const int components = App().ComponentCount();
  for (int i = 0; i < 1000; ++i) cycle();
  EXPECT_EQ(fw::GdiCounters::Live(), gdi);
  EXPECT_EQ(ThreadWindows(), windows);
  EXPECT_EQ(App().ComponentCount(), components);
}

}  // namespace
