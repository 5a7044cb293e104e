// The About box of the real converter.exe, driven from this process with the
// real pointer and keyboard, as a user drives it: opened by a click on the
// About button in each language, its lines filled, the focus on OK, the
// notice pass that ignores clicks on the title, the credits after it (by a
// click on the title or a double click on the scrolling text), Esc that does
// nothing, Enter, Space and Alt+F4 that close it, a fresh dialog at every
// opening, and its place above the top-most main window. What the box draws
// is read from the screen.
#include <windows.h>

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tests/e2e/converter_driver.h"
#include "tests/e2e/process_driver.h"
#include "tests/e2e/real_input.h"
#include "tests/support/dib_surface.h"
#include "tests/support/window_watcher.h"

namespace {

using namespace std::chrono_literals;
using e2e::Chord;
using e2e::ClickAt;
using e2e::PointerTo;
using fwtest::Focused;

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

// ---- real input (tests/e2e/real_input.h)

// The screen point of a client-area point of `window`.
POINT OnScreen(HWND window, POINT client) {
  ClientToScreen(window, &client);
  return client;
}

// The cursor the box shows with the pointer resting at a point of its
// client area (the cursor of the thread in front), once it has settled.
HCURSOR CursorOver(HWND box, POINT client) {
  PointerTo(OnScreen(box, client));
  e2e::WaitIdle(box);
  HCURSOR shown = nullptr;
  e2e::WaitFor([&] {
    CURSORINFO cursor{};
    cursor.cbSize = sizeof cursor;
    const HCURSOR before = shown;
    shown = GetCursorInfo(&cursor) ? cursor.hCursor : nullptr;
    Sleep(50);
    return shown && shown == before;
  }, 2s);
  return shown;
}

void ClickTitle(HWND box) {
  ClickAt(OnScreen(box, kTitle));
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

// Opens the box with a click on the About button and checks what every
// opening shows: the caption, the lines, its place, the focus on OK, and the
// notice line travelling in the small box.
HWND OpenAndCheck(Running& run, const wchar_t* caption, HWND previous = nullptr) {
  SetForegroundWindow(run.form);
  ClickAt(OnScreen(run.window.about, POINT{20, 10}));
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
  // The keys go to the box, and its focus starts on OK.
  EXPECT_TRUE(e2e::WaitFor([&] { return GetForegroundWindow() == box; }, 5s)) << "the box is not in front";
  HWND ok = e2e::ControlAt(box, 232, 288);
  EXPECT_NE(ok, nullptr);
  EXPECT_EQ(Focused(box), ok) << "the focus does not start on OK";
  // The opening state: the notice line travels in the small box.
  EXPECT_TRUE(e2e::WaitFor([&] { return TextIn(box, kNoticeBand); }, 10s)) << "no notice line";
  EXPECT_FALSE(TextIn(box, kCreditsTop));
  return box;
}

bool NoticePassEnds(HWND box) { return e2e::WaitFor([&] { return StillEmpty(box, kNoticeBand); }, 40s); }

TEST(AboutBoxE2E, NoticeThenCreditsKeysThatCloseOrNotAndAFreshDialogEachTime) {
  Running run(L"");
  ASSERT_TRUE(run.form) << "the main window did not appear";
  HWND box = OpenAndCheck(run, L"About quantity converter");
  ASSERT_TRUE(box);

  // The title shows the OK button's hand, not the arrow of the box around
  // them. (Each process loads its own copy of a system cursor, so the hand
  // is known by the box's own handle for it.)
  const HCURSOR arrow = CursorOver(box, POINT{10, 330}), hand = CursorOver(box, POINT{250, 300});
  EXPECT_NE(hand, arrow);
  EXPECT_EQ(CursorOver(box, kTitle), hand) << "no hand over the title";
  // A click on the title during the notice pass is ignored.
  ClickTitle(box);
  Sleep(1000);
  EXPECT_FALSE(TextIn(box, kCreditsTop)) << "credits started during the notice pass";
  // Esc does nothing: the box has no cancel button.
  e2e::Tap({VK_ESCAPE});
  e2e::WaitIdle(box);
  Sleep(500);
  EXPECT_TRUE(IsWindowVisible(box)) << "Esc closed the box";

  // After the pass, the same click starts the credits in the enlarged box.
  ASSERT_TRUE(NoticePassEnds(box)) << "the notice pass did not end";
  ClickTitle(box);
  EXPECT_TRUE(e2e::WaitFor([&] { return TextIn(box, kCreditsTop); }, 10s)) << "no credits in the enlarged box";
  // Enter on the focused OK button closes the box.
  e2e::Tap({VK_RETURN});
  EXPECT_TRUE(e2e::WaitFor([&] { return Gone(box); }, 5s)) << "Enter did not close the box";

  // A new dialog in the opening state; after its notice pass a double click
  // on the scrolling text starts the credits; Space closes it.
  HWND second = OpenAndCheck(run, L"About quantity converter", box);
  ASSERT_TRUE(second);
  EXPECT_NE(second, box);
  ASSERT_TRUE(NoticePassEnds(second)) << "the second notice pass did not end";
  ClickAt(OnScreen(second, POINT{200, 165}), 2);
  EXPECT_TRUE(e2e::WaitFor([&] { return TextIn(second, kCreditsTop); }, 10s)) << "a double click started no credits";
  e2e::Tap({VK_SPACE});
  EXPECT_TRUE(e2e::WaitFor([&] { return Gone(second); }, 5s)) << "Space did not close the box";

  // Alt+F4 closes a third one; the main window stays.
  HWND third = OpenAndCheck(run, L"About quantity converter", second);
  ASSERT_TRUE(third);
  Chord({VK_MENU, VK_F4});
  EXPECT_TRUE(e2e::WaitFor([&] { return Gone(third); }, 5s)) << "Alt+F4 did not close the box";
  EXPECT_TRUE(IsWindowVisible(run.form));
}

TEST(AboutBoxE2E, RussianCaption) {
  Running run(L"-r");
  ASSERT_TRUE(run.form) << "the main window did not appear";
  HWND box = OpenAndCheck(run, L"О конверторе величин");
  ASSERT_TRUE(box);
  Chord({VK_MENU, VK_F4});
  EXPECT_TRUE(e2e::WaitFor([&] { return Gone(box); }, 5s));
}

}  // namespace
