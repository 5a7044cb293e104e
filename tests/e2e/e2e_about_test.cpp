// The About box of the real converter.exe, driven from this process: opened
// by the About button in each language, its lines filled, the notice pass
// that ignores clicks, the credits after it, Enter and the close box, a fresh
// dialog at every opening, and its place above the top-most main window.
// What the box draws is read from the screen.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "tests/e2e/converter_driver.h"
#include "tests/e2e/process_driver.h"
#include "tests/support/dib_surface.h"

namespace {

using namespace std::chrono_literals;

std::wstring ConverterExe() { return e2e::WindowsPath(CONVERTER_EXE); }

// Counts the screen pixels of a client-area rectangle of `window` that pass `test`.
int CountPixels(HWND window, RECT area, const std::function<bool(BYTE r, BYTE g, BYTE b)>& test) {
  POINT origin{0, 0};
  ClientToScreen(window, &origin);
  OffsetRect(&area, origin.x, origin.y);
  const auto shot = fwtest::CaptureScreen(area);
  int count = 0;
  for (int y = 0; y < shot->Height(); ++y)
    for (int x = 0; x < shot->Width(); ++x) {
      const COLORREF c = shot->At(x, y);
      count += test(GetRValue(c), GetGValue(c), GetBValue(c));
    }
  return count;
}

// The scrolling text is navy on a light background; the information lines
// are white on a dark one.
bool Navy(BYTE r, BYTE g, BYTE b) { return r < 90 && g < 90 && b < 200; }
bool Bright(BYTE r, BYTE g, BYTE b) { return r > 200 && g > 200 && b > 200; }

constexpr RECT kNoticeBand{24, 144, 401, 185};   // the box of the notice line
constexpr RECT kCreditsTop{24, 98, 401, 144};    // what only the enlarged box covers
constexpr RECT kOsLine{46, 223, 377, 237};
constexpr RECT kMemoryLine{200, 240, 377, 254};
constexpr POINT kTitle{248, 40};

bool TextIn(HWND box, RECT band) { return CountPixels(box, band, Navy) > 10; }

// No text in the band for half a second (a moving text may be caught
// between erasing and drawing).
bool StillEmpty(HWND box, RECT band) {
  for (int i = 0; i < 5; ++i) {
    if (TextIn(box, band)) return false;
    Sleep(100);
  }
  return true;
}

HWND WaitForAboutBox(DWORD pid, HWND other = nullptr) {
  HWND found = nullptr;
  e2e::WaitFor([&] {
    for (HWND w : e2e::TopLevelWindows(pid, L"TAboutBox"))
      if (w != other && IsWindowVisible(w)) found = w;
    return found != nullptr;
  });
  if (found) e2e::WaitIdle(found);
  return found;
}

bool Gone(HWND box) { return !IsWindow(box) || !IsWindowVisible(box); }

void ClickTitle(HWND box) {
  PostMessageW(box, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kTitle.x, kTitle.y));
  PostMessageW(box, WM_LBUTTONUP, 0, MAKELPARAM(kTitle.x, kTitle.y));
  e2e::WaitIdle(box);
}

// The main window's start, with its controls found.
struct Running {
  e2e::ChildProcess process;
  HWND form = nullptr;
  e2e::MainWindow window;
  explicit Running(const std::wstring& arguments) {
    if (process.Start(ConverterExe(), arguments)) form = process.WaitForWindow(L"TForm1");
    if (form) window.Bind(form);
  }
  ~Running() {
    if (form && IsWindow(form)) PostMessageW(form, WM_CLOSE, 0, 0);
    process.WaitForExit(10s);
  }
};

// Opens the box and checks what every opening shows.
HWND OpenAndCheck(Running& run, const wchar_t* caption, HWND previous = nullptr) {
  run.window.Click(run.window.about);
  HWND box = WaitForAboutBox(run.process.Id(), previous);
  if (!box) return nullptr;
  EXPECT_EQ(e2e::WindowText(box), caption);
  auto filled = [box](RECT line) { return e2e::WaitFor([&] { return CountPixels(box, line, Bright) > 20; }, 5s); };
  EXPECT_TRUE(filled(kOsLine)) << "no operating-system line";
  EXPECT_TRUE(filled(kMemoryLine)) << "no memory line";
  // Above the top-most main window where the two meet.
  RECT a{}, m{}, overlap{};
  GetWindowRect(box, &a);
  GetWindowRect(run.form, &m);
  if (IntersectRect(&overlap, &a, &m)) {
    const POINT p{(overlap.left + overlap.right) / 2, (overlap.top + overlap.bottom) / 2};
    EXPECT_EQ(GetAncestor(WindowFromPoint(p), GA_ROOT), box);
  }
  // The opening state: the notice line travels in the small box.
  EXPECT_TRUE(e2e::WaitFor([&] { return TextIn(box, kNoticeBand); }, 10s)) << "no notice line";
  EXPECT_FALSE(TextIn(box, kCreditsTop));
  return box;
}

TEST(AboutBoxE2E, NoticeThenCreditsEnterAndCloseBoxAndAFreshDialogEachTime) {
  Running run(L"");
  ASSERT_TRUE(run.form) << "the main window did not appear";
  HWND box = OpenAndCheck(run, L"About quantity converter");
  ASSERT_TRUE(box);

  ClickTitle(box);  // during the notice pass: ignored
  Sleep(1000);
  EXPECT_FALSE(TextIn(box, kCreditsTop)) << "credits started during the notice pass";

  ASSERT_TRUE(e2e::WaitFor([&] { return StillEmpty(box, kNoticeBand); }, 40s)) << "the notice pass did not end";
  ClickTitle(box);
  EXPECT_TRUE(e2e::WaitFor([&] { return TextIn(box, kCreditsTop); }, 10s)) << "no credits in the enlarged box";

  // Enter on the focused OK button closes the box.
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetGUIThreadInfo(GetWindowThreadProcessId(box, nullptr), &info));
  ASSERT_EQ(GetAncestor(info.hwndFocus, GA_ROOT), box) << "the focus is not in the box";
  PostMessageW(info.hwndFocus, WM_KEYDOWN, VK_RETURN, 0x001C0001);
  PostMessageW(info.hwndFocus, WM_KEYUP, VK_RETURN, 0xC01C0001);
  EXPECT_TRUE(e2e::WaitFor([&] { return Gone(box); }, 5s)) << "Enter did not close the box";

  // A new dialog in the opening state; the close box closes it.
  HWND second = OpenAndCheck(run, L"About quantity converter", box);
  ASSERT_TRUE(second);
  EXPECT_NE(second, box);
  PostMessageW(second, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(e2e::WaitFor([&] { return Gone(second); }, 5s)) << "the close box did not close the box";
  EXPECT_TRUE(IsWindowVisible(run.form));
}

TEST(AboutBoxE2E, RussianCaption) {
  Running run(L"-r");
  ASSERT_TRUE(run.form) << "the main window did not appear";
  HWND box = OpenAndCheck(run, L"О конверторе величин");
  ASSERT_TRUE(box);
  PostMessageW(box, WM_SYSCOMMAND, SC_CLOSE, 0);
  EXPECT_TRUE(e2e::WaitFor([&] { return Gone(box); }, 5s));
}

}  // namespace
