// The skinned edit in real windows under real messages: what it shows on the
// screen over a patterned form, its keys, and its option rules.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "controls/flat_border.h"
#include "controls/skin_edit.h"
#include "stdctrls/button.h"
#include "graphics/gdi.h"
#include "tests/controls/edit_combo_fixture.h"

namespace {

using namespace edit_combo_test;
using skin::TSkinEdit;
using skin::TSkinOptions;

::testing::Environment* const kApplication = ::testing::AddGlobalTestEnvironment(new ApplicationEnvironment);

class SkinEditTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = &ApplicationEnvironment::Form();
    edit_ = new TSkinEdit(nullptr);
    edit_->SetParent(form_);
    edit_->SetBounds(8, 72, 177, 21);
    edit_->SetOptions(TSkinOptions{skin::ocPaintTransparently});
    edit_->SetTextAlign(fw::taRightJustify);
    edit_->SetAutoSize(false);
    edit_->Font().SetName(L"Courier New");
    edit_->Font().SetHeight(-13);
    edit_->Font().SetStyle(fw::TFontStyles{fw::fsBold});
    edit_->Font().SetColor(fw::clWhite);
    edit_->SetText(L"12");
    edit_->OnChange = [this](fw::TObject*) {
      ++changes_;
      textAtChange_ = edit_->Text();
    };
    edit_->HandleNeeded();
    Pump();
    UpdateWindow(form_->Handle());
  }
  void TearDown() override {
    delete edit_;
    Pump();
  }

  // The edit's client area as the screen shows it, caret hidden.
  std::unique_ptr<DibSurface> Shown() {
    UpdateWindow(edit_->Handle());
    bool hidden = HideCaret(edit_->Handle()) != FALSE;
    auto shot = Capture(edit_->Handle());
    if (hidden) ShowCaret(edit_->Handle());
    return shot;
  }
  // The form position of the edit's client pixel (0, 0).
  POINT ClientInForm() {
    POINT p{0, 0};
    ::ClientToScreen(edit_->Handle(), &p);
    ::ScreenToClient(form_->Handle(), &p);
    return p;
  }
  void Char(wchar_t c) { SendMessageW(edit_->Handle(), WM_CHAR, c, 1); }

  BackdropForm* form_ = nullptr;  // shared by the tests, not owned
  TSkinEdit* edit_ = nullptr;
  int changes_ = 0;
  std::wstring textAtChange_;
};

TEST_F(SkinEditTest, WindowIsMultiLineWithTheAlignmentStyle) {
  LONG_PTR style = GetWindowLongPtrW(edit_->Handle(), GWL_STYLE);
  EXPECT_TRUE(style & ES_MULTILINE);
  EXPECT_EQ(style & (ES_LEFT | ES_CENTER | ES_RIGHT), ES_RIGHT);
  wchar_t name[64] = {};
  GetClassNameW(edit_->Handle(), name, 64);
  EXPECT_STREQ(name, L"TSkinEdit");
  edit_->SetTextAlign(fw::taCenter);
  style = GetWindowLongPtrW(edit_->Handle(), GWL_STYLE);
  EXPECT_EQ(style & (ES_LEFT | ES_CENTER | ES_RIGHT), ES_CENTER);
  EXPECT_TRUE(style & ES_MULTILINE);
  EXPECT_EQ(edit_->Text(), L"12");
}

TEST_F(SkinEditTest, TransparentBackgroundIsTheFormBehindIt) {
  auto shot = Shown();
  POINT at = ClientInForm();
  // The left half holds no text: every pixel is the form's pattern there.
  int mismatches = 0;
  for (int y = 0; y < shot->Height(); ++y)
    for (int x = 0; x < shot->Width() / 2; ++x)
      if (shot->At(x, y) != Backdrop(at.x + x, at.y + y)) ++mismatches;
  EXPECT_EQ(mismatches, 0);
}

TEST_F(SkinEditTest, TypingLeavesNoStalePixels) {
  edit_->SetFocus();
  Pump();
  SendMessageW(edit_->Handle(), EM_SETSEL, 2, 2);
  Char(L'3');
  Pump();
  auto withThree = Shown();
  Char(VK_BACK);
  Pump();
  ASSERT_EQ(edit_->Text(), L"12");
  auto typed = Shown();

  InvalidateRect(edit_->Handle(), nullptr, TRUE);
  auto fresh = Shown();
  ASSERT_EQ(typed->Width(), fresh->Width());
  int differing = 0;
  for (int y = 0; y < fresh->Height(); ++y)
    for (int x = 0; x < fresh->Width(); ++x)
      if (typed->At(x, y) != fresh->At(x, y)) ++differing;
  EXPECT_EQ(differing, 0);
  // And "123" did look different (the comparison can fail).
  int threeDiffers = 0;
  for (int y = 0; y < fresh->Height(); ++y)
    for (int x = 0; x < fresh->Width(); ++x)
      if (withThree->At(x, y) != fresh->At(x, y)) ++threeDiffers;
  EXPECT_GT(threeDiffers, 10);
}

TEST_F(SkinEditTest, TextStaysRightAligned) {
  edit_->SetFocus();
  Pump();
  SendMessageW(edit_->Handle(), EM_SETSEL, 2, 2);
  Char(L'5');
  Pump();
  auto shot = Shown();
  POINT at = ClientInForm();
  int leftmost = shot->Width(), rightmost = -1;
  for (int y = 0; y < shot->Height(); ++y)
    for (int x = 0; x < shot->Width(); ++x)
      if (shot->At(x, y) != Backdrop(at.x + x, at.y + y)) {
        leftmost = std::min(leftmost, x);
        rightmost = std::max(rightmost, x);
      }
  ASSERT_GE(rightmost, 0) << "no text drawn";
  EXPECT_GE(rightmost, shot->Width() - 8);
  EXPECT_GT(leftmost, shot->Width() / 2);
}

TEST_F(SkinEditTest, EnterAndCtrlJBeepAndInsertNothing) {
  edit_->SetFocus();
  Pump();
  changes_ = 0;
  // Through the message loop (key translated into a character)...
  PostMessageW(edit_->Handle(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
  PostMessageW(edit_->Handle(), WM_KEYUP, VK_RETURN, 0xC01C0001);
  Pump();
  // ...and the character itself delivered straight to the window; Ctrl+J
  // types a bare line feed.
  Char(L'\r');
  Char(L'\n');
  Pump();
  EXPECT_EQ(edit_->Text(), L"12");
  EXPECT_EQ(SendMessageW(edit_->Handle(), EM_GETLINECOUNT, 0, 0), 1);
  EXPECT_EQ(changes_, 0);
}

TEST_F(SkinEditTest, TabMovesOnAndInsertsNothing) {
  TSkinEdit other(nullptr);
  other.SetParent(form_);
  other.SetBounds(8, 120, 177, 24);
  other.HandleNeeded();
  edit_->SetFocus();
  Pump();
  ASSERT_EQ(GetFocus(), edit_->Handle());
  PostMessageW(edit_->Handle(), WM_KEYDOWN, VK_TAB, 0x000F0001);
  PostMessageW(edit_->Handle(), WM_KEYUP, VK_TAB, 0xC00F0001);
  Pump();
  EXPECT_EQ(edit_->Text(), L"12");
  EXPECT_EQ(GetFocus(), other.Handle());
}

TEST_F(SkinEditTest, EscapeFromTheFieldClicksTheCancelButton) {
  // The multi-line style is only there for the alignment: like any one-line
  // field, the edit leaves Esc to the form.
  fw::TButton cancel(nullptr);
  cancel.SetParent(form_);
  cancel.SetBounds(200, 160, 80, 25);
  cancel.SetCancel(true);
  int clicks = 0;
  cancel.OnClick = [&](fw::TObject*) { ++clicks; };
  cancel.HandleNeeded();
  edit_->SetFocus();
  Pump();
  ASSERT_EQ(GetFocus(), edit_->Handle());
  PostMessageW(edit_->Handle(), WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  PostMessageW(edit_->Handle(), WM_KEYUP, VK_ESCAPE, 0xC0010001);
  Pump();
  EXPECT_EQ(clicks, 1);
  EXPECT_EQ(edit_->Text(), L"12");
}

TEST_F(SkinEditTest, CtrlEnterInsertsNothing) {
  edit_->SetFocus();
  Pump();
  changes_ = 0;
  BYTE keys[256] = {};
  GetKeyboardState(keys);
  BYTE saved = keys[VK_CONTROL];
  keys[VK_CONTROL] = 0x80;
  SetKeyboardState(keys);
  SendMessageW(edit_->Handle(), WM_KEYDOWN, VK_RETURN, 0x001C0001);
  Char(L'\n');  // what Ctrl+Enter types
  keys[VK_CONTROL] = saved;
  SetKeyboardState(keys);
  SendMessageW(edit_->Handle(), WM_KEYUP, VK_RETURN, 0xC01C0001);
  EXPECT_EQ(edit_->Text(), L"12");
  EXPECT_EQ(SendMessageW(edit_->Handle(), EM_GETLINECOUNT, 0, 0), 1);
  EXPECT_EQ(changes_, 0);
  // Ordinary typing still works afterwards.
  SendMessageW(edit_->Handle(), EM_SETSEL, 2, 2);
  Char(L'7');
  EXPECT_EQ(edit_->Text(), L"127");
  EXPECT_EQ(changes_, 1);
}

TEST_F(SkinEditTest, ChangeEventComesAfterTheRepaint) {
  edit_->SetFocus();
  Pump();
  long dcsBefore = fw::GdiCounters::Created(fw::GdiKind::DC);
  long dcsAtChange = -1;
  edit_->OnChange = [&](fw::TObject*) { dcsAtChange = fw::GdiCounters::Created(fw::GdiKind::DC); };
  SendMessageW(edit_->Handle(), EM_SETSEL, 2, 2);
  Char(L'9');
  // The composite repaint (a window DC and a memory DC) ran before the event.
  EXPECT_GE(dcsAtChange, dcsBefore + 2);
}

TEST_F(SkinEditTest, PastedLineBreaksAreDropped) {
  ASSERT_TRUE(OpenClipboard(edit_->Handle()));
  EmptyClipboard();
  const wchar_t text[] = L"3\r\n4";
  HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, sizeof text);
  memcpy(GlobalLock(data), text, sizeof text);
  GlobalUnlock(data);
  SetClipboardData(CF_UNICODETEXT, data);
  CloseClipboard();
  SendMessageW(edit_->Handle(), EM_SETSEL, 2, 2);
  SendMessageW(edit_->Handle(), WM_PASTE, 0, 0);
  EXPECT_EQ(edit_->Text(), L"1234");
  EXPECT_EQ(SendMessageW(edit_->Handle(), EM_GETLINECOUNT, 0, 0), 1);
}

void PutOnClipboard(HWND owner, const std::wstring& text) {
  ASSERT_TRUE(OpenClipboard(owner));
  EmptyClipboard();
  HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, (text.size() + 1) * sizeof(wchar_t));
  memcpy(GlobalLock(data), text.c_str(), (text.size() + 1) * sizeof(wchar_t));
  GlobalUnlock(data);
  SetClipboardData(CF_UNICODETEXT, data);
  CloseClipboard();
}

TEST_F(SkinEditTest, TextOverTheLimitIsRefusedWholeWhicheverWayItComes) {
  edit_->SetTextLimit(6);
  changes_ = 0;
  const int errors = ApplicationEnvironment::Errors();
  const HWND wnd = edit_->Handle();
  const auto set = [&](const wchar_t* text) { return SendMessageW(wnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text)); };
  EXPECT_FALSE(set(L"1234567"));
  edit_->SetText(L"7654321");
  SendMessageW(wnd, EM_SETSEL, 2, 2);
  SendMessageW(wnd, EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(L"34567"));
  PutOnClipboard(wnd, L"34567");
  SendMessageW(wnd, WM_PASTE, 0, 0);
  EXPECT_EQ(edit_->Text(), L"12") << "nothing cut, nothing taken";
  EXPECT_EQ(ApplicationEnvironment::Errors(), errors + 4);
  EXPECT_EQ(changes_, 0);

  PutOnClipboard(wnd, L"3456");
  SendMessageW(wnd, EM_SETSEL, 2, 2);
  SendMessageW(wnd, WM_PASTE, 0, 0);  // exactly the limit
  EXPECT_EQ(edit_->Text(), L"123456");
  Char(L'7');  // one too many
  EXPECT_EQ(edit_->Text(), L"123456");
  SendMessageW(wnd, EM_SETSEL, 0, 1);
  Char(L'9');  // replaces the selected one
  EXPECT_EQ(edit_->Text(), L"923456");
  Char(L'\b');
  EXPECT_EQ(edit_->Text(), L"23456");
  EXPECT_EQ(ApplicationEnvironment::Errors(), errors + 5);
}

TEST_F(SkinEditTest, FocusSelectsAllWithAutoSelect) {
  edit_->SetFocus();
  Pump();
  EXPECT_EQ(edit_->SelStart(), 0);
  EXPECT_EQ(edit_->SelLength(), 2);
}

TEST_F(SkinEditTest, OptionsExcludeEachOtherBothWays) {
  using namespace skin;
  // Wallpaper switched on while transparent: the transparency goes.
  edit_->SetOptions(TSkinOptions{ocPaintTransparently, ocPaintWallpaper});
  EXPECT_TRUE(edit_->Options() == (TSkinOptions{ocPaintWallpaper}));
  // Transparency switched on while the wallpaper is on: the wallpaper goes.
  edit_->SetOptions(TSkinOptions{ocPaintWallpaper, ocPaintTransparently, ocFlatBorder});
  EXPECT_TRUE(edit_->Options() == (TSkinOptions{ocPaintTransparently, ocFlatBorder}));
  // Plain replacements are kept as they are.
  edit_->SetOptions(TSkinOptions{ocPaintWallpaper, ocTileWallpaper});
  EXPECT_TRUE(edit_->Options() == (TSkinOptions{ocPaintWallpaper, ocTileWallpaper}));
  // From nothing, both may be asked for at once.
  edit_->SetOptions(TSkinOptions{});
  edit_->SetOptions(TSkinOptions{ocPaintWallpaper, ocPaintTransparently});
  EXPECT_TRUE(edit_->Options() == (TSkinOptions{ocPaintWallpaper, ocPaintTransparently}));
}

TEST_F(SkinEditTest, OptionsSurviveRecreationAndRecreateTheWindow) {
  using namespace skin;
  edit_->SetOptions(TSkinOptions{ocPaintTransparently, ocFlatBorder});
  edit_->RecreateWnd();
  EXPECT_TRUE(edit_->Options() == (TSkinOptions{ocPaintTransparently, ocFlatBorder}));
  EXPECT_TRUE(GetWindowLongPtrW(edit_->Handle(), GWL_STYLE) & ES_MULTILINE);
  EXPECT_EQ(edit_->Text(), L"12");
}

TEST_F(SkinEditTest, WallpaperFillsTheBackground) {
  using namespace skin;
  auto tile = MakeTile();
  edit_->SetOptions(TSkinOptions{ocPaintWallpaper, ocTileWallpaper});
  edit_->SetWallpaper(*tile);
  edit_->SetText(L"");
  auto shot = Shown();
  int mismatches = 0;
  for (int y = 0; y < shot->Height(); ++y)
    for (int x = 0; x < shot->Width(); ++x)
      if (shot->At(x, y) != TilePixel(x % kTileW, y % kTileH)) ++mismatches;
  EXPECT_EQ(mismatches, 0);
}

TEST_F(SkinEditTest, PlainEditFillsWithItsColour) {
  edit_->SetOptions(TSkinOptions{});
  edit_->SetColor(static_cast<fw::TColor>(RGB(10, 200, 30)));
  edit_->SetText(L"");
  auto shot = Shown();
  EXPECT_EQ(shot->Count(RGB(10, 200, 30)), shot->Width() * shot->Height());
}

TEST_F(SkinEditTest, FlatBorderFramesAndHotEdge) {
  RECT wr{};
  GetWindowRect(edit_->Handle(), &wr);
  const int w = wr.right - wr.left, h = wr.bottom - wr.top;
  const COLORREF marker = RGB(1, 2, 3);
  const COLORREF face = GetSysColor(COLOR_BTNFACE), window = GetSysColor(COLOR_WINDOW);
  DibSurface normal(w, h, marker), hot(w, h, marker);
  skin::DrawFlatBorder(normal.DC(), edit_->Handle(), false);
  skin::DrawFlatBorder(hot.DC(), edit_->Handle(), true);
  // Two button-face frames, then the window-colour frame inside.
  EXPECT_EQ(normal.At(0, 0), face);
  EXPECT_EQ(normal.At(w - 1, h / 2), face);
  EXPECT_EQ(normal.At(1, 1), face);
  EXPECT_EQ(normal.At(2, 2), window);
  EXPECT_EQ(normal.At(w - 3, h - 3), window);
  EXPECT_EQ(normal.At(3, 3), marker);
  // Hot: a thin sunken line over the outer frame, the rest as before.
  EXPECT_EQ(hot.At(0, h / 2), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(hot.At(w / 2, 0), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(hot.At(w - 1, h / 2), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(hot.At(w / 2, h - 1), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(hot.At(1, 1), face);
  EXPECT_EQ(hot.At(2, 2), window);
  EXPECT_EQ(hot.At(3, 3), marker);
}

TEST_F(SkinEditTest, MouseEntryAndExitRaiseTheEvents) {
  edit_->SetOptions(TSkinOptions{skin::ocPaintTransparently, skin::ocFlatBorder});
  std::vector<std::string> events;
  edit_->OnMouseEnter = [&](fw::TObject*) { events.push_back("enter"); };
  edit_->OnMouseLeave = [&](fw::TObject*) { events.push_back("leave"); };
  edit_->Perform(fw::CM_MOUSEENTER, 0, 0);
  edit_->Perform(fw::CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(events, (std::vector<std::string>{"enter", "leave"}));
}

TEST_F(SkinEditTest, NoGdiGrowthOverManyPaints) {
  edit_->SetFocus();
  Pump();
  // One paint first, so objects made once (fonts, brushes) exist already.
  InvalidateRect(edit_->Handle(), nullptr, TRUE);
  UpdateWindow(edit_->Handle());
  long live = fw::GdiCounters::Live();
  long dcs = fw::GdiCounters::Created(fw::GdiKind::DC);
  long bitmaps = fw::GdiCounters::Created(fw::GdiKind::Bitmap);
  for (int i = 0; i < 10000; ++i) {
    InvalidateRect(edit_->Handle(), nullptr, TRUE);
    UpdateWindow(edit_->Handle());
  }
  EXPECT_EQ(fw::GdiCounters::Live(), live);
  // Every paint did build its composite.
  EXPECT_GE(fw::GdiCounters::Created(fw::GdiKind::DC) - dcs, 20000);
  EXPECT_GE(fw::GdiCounters::Created(fw::GdiKind::Bitmap) - bitmaps, 10000);
}

}  // namespace
