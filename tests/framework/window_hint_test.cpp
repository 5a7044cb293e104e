// When and where the application shows hints: real windows, real mouse and
// key messages, the cursor placed with SetCursorPos, pauses shortened
// through the application's own settings.
#include <gtest/gtest.h>

#include <functional>
#include <thread>

#include "stdctrls/button.h"
#include "framework/hintwindow.h"
#include "stdctrls/label.h"
#include "window_test_util.h"

namespace {

constexpr int kPause = 60, kHidePause = 150;

class THintForm : public fw::TForm {
 public:
  explicit THintForm(fw::TComponent* owner) : fw::TForm(owner) {
    ReadDescription([this] {
      SetBounds(60, 200, 400, 160);
      a = AddButton(L"Alpha|the long text", 8);
      b = AddButton(L"Beta", 100);
      plain = AddButton(L"", 192);
      plain->SetShowHint(false);
      label = new fw::TLabel(this);
      label->SetParent(this);
      label->SetBounds(8, 80, 100, 20);
      label->SetCaption(L"label");
      SetHint(L"Form|x");
    });
  }
  fw::TButton* AddButton(const std::wstring& hint, int x) {
    auto* button = new fw::TButton(this);
    button->SetParent(this);
    button->SetBounds(x, 8, 80, 25);
    button->SetHint(hint);
    button->SetShowHint(true);
    return button;
  }
  fw::TButton *a = nullptr, *b = nullptr, *plain = nullptr;
  fw::TLabel* label = nullptr;
};

using fwtest::PumpUntil;

bool HintShown() {
  fw::THintWindow* w = fwtest::App().Hints().HintWindow();
  return w && w->HandleAllocated() && IsWindowVisible(w->Handle());
}

std::wstring HintText() { return HintShown() ? fwtest::App().Hints().HintWindow()->Text() : L"(none)"; }

struct HintTest : ::testing::Test {
  HintTest() { fwtest::App(); }
  THintForm form{nullptr};
  void SetUp() override {
    fw::THints& app = fwtest::App().Hints();
    app.SetHintPause(kPause);
    app.SetHintHidePause(kHidePause);
    app.SetHintShortPause(0);
    fwtest::ShowActive(form);
  }
  void TearDown() override {
    fwtest::App().Hints().CancelHint();
    fwtest::App().Hints().SetHintPause(500);
    fwtest::App().Hints().SetHintHidePause(2500);
  }
  // The pointer moves to (x, y) of the control, which gets the move.
  void MoveOver(fw::TControl* control, int x = 10, int y = 10) {
    POINT screen = control->ClientToScreen(POINT{x, y});
    SetCursorPos(screen.x, screen.y);
    fw::TControl* target = control;
    if (!dynamic_cast<fw::TWinControl*>(control)) {
      target = control->Parent();
      x += control->Left();
      y += control->Top();
    }
    PostMessageW(static_cast<fw::TWinControl*>(target)->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    fwtest::Pump(1);
  }
};

TEST_F(HintTest, RestingShowsTheShortHintAfterThePauseAndHidesItForGood) {
  DWORD moved = GetTickCount();
  MoveOver(form.a);
  EXPECT_EQ(fwtest::App().Hints().HintControl(), form.a);
  ASSERT_TRUE(PumpUntil(HintShown));
  DWORD shown = GetTickCount();
  EXPECT_GE(shown - moved, static_cast<DWORD>(kPause) - 15);  // timer granularity
  EXPECT_EQ(HintText(), L"Alpha");
  // Below the cursor, by the cursor's height at most.
  RECT r;
  GetWindowRect(fwtest::App().Hints().HintWindow()->Handle(), &r);
  POINT cursor;
  GetCursorPos(&cursor);
  EXPECT_GE(r.top, cursor.y - GetSystemMetrics(SM_CYCURSOR));
  EXPECT_LE(r.top, cursor.y + GetSystemMetrics(SM_CYCURSOR));
  EXPECT_EQ(r.left, cursor.x);

  ASSERT_TRUE(PumpUntil([] { return !HintShown(); }));
  EXPECT_GE(GetTickCount() - shown, static_cast<DWORD>(kHidePause) - 15);
  EXPECT_EQ(fwtest::App().Hints().HintControl(), form.a);
  MoveOver(form.a, 20, 12);
  Sleep(3 * kPause);
  fwtest::Pump();
  EXPECT_FALSE(HintShown());

  // From a hint that was shown straight onto another hinted control.
  MoveOver(form.b);
  EXPECT_EQ(HintText(), L"Beta");
}

TEST_F(HintTest, KeysClicksAndLeavingEndAHint) {
  const std::vector<std::pair<const char*, std::function<void()>>> enders = {
      {"key", [] { fwtest::PressKey('X'); }},
      {"click", [this] {
         PostMessageW(form.b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(10, 10));
         PostMessageW(form.b->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(10, 10));
         fwtest::Pump();
       }},
      {"control without a hint", [this] { MoveOver(form.plain); }},
      {"no control", [] {
         SetCursorPos(5, 5);
         UINT_PTR wake = SetTimer(nullptr, 0, 20, nullptr);
         fwtest::App().HandleMessage();  // the idle check, then the wake-up
         fwtest::App().HandleMessage();
         KillTimer(nullptr, wake);
       }},
  };
  for (const auto& [what, end] : enders) {
    SCOPED_TRACE(what);
    MoveOver(form.b);
    ASSERT_TRUE(PumpUntil(HintShown));
    end();
    EXPECT_FALSE(HintShown());
    EXPECT_EQ(fwtest::App().Hints().HintControl(), nullptr);
  }
}

TEST_F(HintTest, InheritedFlagsAndTextsAndAParentsLaterChange) {
  // The label takes the form's flag and, having no hint, the form's text.
  form.SetShowHint(true);
  EXPECT_TRUE(form.label->ShowHint());
  MoveOver(form.label);
  ASSERT_TRUE(PumpUntil(HintShown));
  EXPECT_EQ(HintText(), L"Form");
  fwtest::App().Hints().CancelHint();

  form.SetShowHint(false);
  EXPECT_FALSE(form.label->ShowHint());
  EXPECT_TRUE(form.a->ShowHint());  // its own flag
  MoveOver(form.label);
  EXPECT_EQ(fwtest::App().Hints().HintControl(), nullptr);
}

TEST_F(HintTest, TheControlAndTheShowHintEventMayChangeOrRefuseTheHint) {
  fwtest::App().Hints().OnShowHint = [](std::wstring& text, bool&, fw::THintInfo& info) {
    text = L"changed " + text;
    info.HintPos.x += 7;
  };
  MoveOver(form.b);
  ASSERT_TRUE(PumpUntil(HintShown));
  EXPECT_EQ(HintText(), L"changed Beta");
  fwtest::App().Hints().CancelHint();

  fwtest::App().Hints().OnShowHint = [](std::wstring&, bool& canShow, fw::THintInfo&) { canShow = false; };
  MoveOver(form.b);
  Sleep(3 * kPause);
  fwtest::Pump();
  EXPECT_FALSE(HintShown());
  fwtest::App().Hints().OnShowHint = nullptr;
}

TEST_F(HintTest, NoHintWhileAnotherProgramIsActive) {
  // A window of another thread in front: this thread has no active window.
  HANDLE ready = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  HANDLE done = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  std::thread other([&] {
    HWND w = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 600, 600, 50, 50, nullptr,
                             nullptr, nullptr, nullptr);
    SetForegroundWindow(w);
    SetActiveWindow(w);
    SetEvent(ready);
    while (MsgWaitForMultipleObjects(1, &done, FALSE, INFINITE, QS_ALLINPUT) != WAIT_OBJECT_0) {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
    }
    DestroyWindow(w);
  });
  WaitForSingleObject(ready, 5000);
  PumpUntil([] { return GetActiveWindow() == nullptr; }, 1000);
  MoveOver(form.b);
  Sleep(3 * kPause);
  fwtest::Pump();
  EXPECT_FALSE(HintShown());
  EXPECT_EQ(fwtest::App().Hints().HintControl(), nullptr);
  SetEvent(done);
  other.join();
  CloseHandle(ready);
  CloseHandle(done);
}

TEST(HintWindow, SizesClampingAndTextChanges) {
  fwtest::App();
  fw::THintWindow hint(nullptr);
  RECT text{0, 0, 400, 0};
  {
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, hint.Font().Handle());
    DrawTextW(screen, L"Some hint", -1, &text, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
  }
  RECT r = hint.CalcHintRect(400, L"Some hint", nullptr);
  EXPECT_EQ(r.right, text.right + 6);
  EXPECT_EQ(r.bottom, text.bottom + 2);

  const int sw = GetSystemMetrics(SM_CXVIRTUALSCREEN), sh = GetSystemMetrics(SM_CYVIRTUALSCREEN);
  struct Case {
    POINT at, expected;
  } cases[] = {{{100, 100}, {100, 100}},
               {{sw - 5, sh - 5}, {sw - r.right, sh - r.bottom - 4}},
               {{-30, -30}, {0, 0}}};
  for (const Case& c : cases) {
    RECT at = r;
    OffsetRect(&at, c.at.x, c.at.y);
    hint.ActivateHint(at, L"Some hint");
    RECT w;
    GetWindowRect(hint.Handle(), &w);
    EXPECT_EQ(w.left, c.expected.x);
    EXPECT_EQ(w.top, c.expected.y);
    EXPECT_EQ(w.bottom - w.top, r.bottom + 4);
    EXPECT_TRUE(IsWindowVisible(hint.Handle()));
    EXPECT_EQ(GetWindowLongPtrW(hint.Handle(), GWL_STYLE) & (WS_POPUP | WS_BORDER), WS_POPUP | WS_BORDER);
  }
  EXPECT_EQ(SendMessageW(hint.Handle(), WM_NCHITTEST, 0, MAKELPARAM(110, 110)), HTTRANSPARENT);
  // A desktop whose monitors reach left of and above the primary one (it
  // starts at a negative origin): every edge of it holds.
  const RECT wide{-1280, -200, 1024, 768};
  const SIZE hintSize{100, 20};
  const struct {
    POINT at, expected;
  } desktopCases[] = {{{-1270, -150}, {-1270, -150}},  // on the left monitor, as asked
                      {{-1300, -250}, {-1280, -200}},  // past its top-left corner
                      {{1000, 760}, {924, 748}},       // past the bottom right
                      {{-50, 700}, {-50, 700}}};       // across the two
  for (const auto& c : desktopCases) {
    const POINT p = fw::KeepOnDesktop(c.at, hintSize, wide);
    EXPECT_EQ(p.x, c.expected.x) << c.at.x << "," << c.at.y;
    EXPECT_EQ(p.y, c.expected.y) << c.at.x << "," << c.at.y;
  }
  // A plain text change sizes the window to the text.
  hint.SetText(L"Other");
  SIZE size{};
  {
    HDC screen = GetDC(nullptr);
    HGDIOBJ old = SelectObject(screen, hint.Font().Handle());
    GetTextExtentPoint32W(screen, L"Other", 5, &size);
    SelectObject(screen, old);
    ReleaseDC(nullptr, screen);
  }
  EXPECT_EQ(hint.Width(), size.cx + 6);
  EXPECT_EQ(hint.Height(), size.cy + 4);
  hint.ReleaseHint();
  EXPECT_FALSE(IsWindowVisible(hint.Handle()));
}

TEST(HintWindow, TheMessagesThatEndAHint) {
  fwtest::App();
  fw::THintWindow hint(nullptr);
  for (UINT m : std::initializer_list<UINT>{WM_KEYDOWN, WM_SYSKEYUP, WM_CHAR, WM_LBUTTONDOWN, WM_RBUTTONUP, WM_MOUSEWHEEL, WM_NCMOUSEMOVE,
                 WM_COMMAND, fw::CM_ACTIVATE, fw::CM_DEACTIVATE, fw::CM_APPKEYDOWN, fw::CM_APPSYSCOMMAND})
    EXPECT_TRUE(hint.IsHintMsg(MSG{nullptr, m, 0, 0, 0, {}})) << std::hex << m;
  for (UINT m : std::initializer_list<UINT>{WM_MOUSEMOVE, WM_PAINT, WM_TIMER, WM_NCHITTEST})
    EXPECT_FALSE(hint.IsHintMsg(MSG{nullptr, m, 0, 0, 0, {}})) << std::hex << m;
}

class TOtherHintWindow : public fw::THintWindow {
 public:
  using fw::THintWindow::THintWindow;
};

TEST(HintWindowClass, SwitchingAndSettingsChangesMakeANewWindowOfTheCurrentClass) {
  fw::THints& app = fwtest::App().Hints();
  ASSERT_TRUE(app.ShowHint());
  fw::THintWindow* before = app.HintWindow();
  ASSERT_NE(before, nullptr);
  EXPECT_EQ(before->Owner(), nullptr);  // the application holds it, no one else

  fw::SetHintWindowClass(fw::THintWindowClass::Of<TOtherHintWindow>());
  app.SetShowHint(false);
  EXPECT_EQ(app.HintWindow(), nullptr);
  app.SetShowHint(true);
  EXPECT_NE(dynamic_cast<TOtherHintWindow*>(app.HintWindow()), nullptr);
  EXPECT_TRUE(fw::HintWindowClass().IsClassOf(*app.HintWindow()));

  fw::SetHintWindowClass(fw::THintWindowClass::Of<fw::THintWindow>());
  SendMessageW(fwtest::App().Handle(), WM_SETTINGCHANGE, 0, 0);
  ASSERT_NE(app.HintWindow(), nullptr);
  EXPECT_EQ(dynamic_cast<TOtherHintWindow*>(app.HintWindow()), nullptr);
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  ASSERT_TRUE(SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0));
  EXPECT_EQ(app.HintWindow()->Font().Name(), metrics.lfStatusFont.lfFaceName);
}

TEST(HintCursorMargin, ReadFromTheLowestVisibleRowOfTheMask) {
  fwtest::App();
  // 32 x 32 monochrome cursors: AND mask, then XOR mask, rows top-down.
  struct Case {
    int visibleRows;  // rows 0.. of the AND mask that are opaque (0)
    int xorRows;      // rows 0.. of the XOR mask that are set
    int hotY;
    int expected;
  } cases[] = {{10, 0, 2, 9 - 2}, {20, 20, 0, 19}, {0, 5, 1, 4 - 1}};
  for (const Case& c : cases) {
    BYTE andMask[32 * 4], xorMask[32 * 4];
    for (int row = 0; row < 32; ++row)
      for (int i = 0; i < 4; ++i) {
        andMask[row * 4 + i] = row < c.visibleRows ? 0x00 : 0xFF;
        xorMask[row * 4 + i] = row < c.xorRows ? 0xFF : 0x00;
      }
    HCURSOR cursor = CreateCursor(GetModuleHandleW(nullptr), 0, c.hotY, 32, 32, andMask, xorMask);
    ASSERT_NE(cursor, nullptr);
    EXPECT_EQ(fw::HintCursorMargin(cursor), c.expected) << c.visibleRows << "/" << c.xorRows;
    DestroyCursor(cursor);
  }
  EXPECT_EQ(fw::HintCursorMargin(nullptr), GetSystemMetrics(SM_CYCURSOR));
}

}  // namespace
