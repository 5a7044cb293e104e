// The real converter.exe at 150 % (LogPixels 144, set for the converters this
// test starts and put back afterwards; the other tests keep 96): the main
// window, a command button and the About box have their design sizes scaled,
// the controls their scaled places, a balloon hint and the result's digits
// grow with the scale, and the main window lies wholly on the display.
#include <windows.h>

#include <gtest/gtest.h>

#include "core/texts.h"
#include "tests/e2e/converter_driver.h"
#include "tests/e2e/process_driver.h"
#include "tests/e2e/real_input.h"
#include "tests/support/dib_surface.h"

namespace {

using namespace std::chrono_literals;

constexpr int kScaledDpi = 144;

SIZE ClientSize(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  return SIZE{r.right, r.bottom};
}

SIZE WindowSize(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

// How many rows of the window, as the screen shows it, hold yellow text
// (smoothed edges included), from the first such row to the last.
int YellowInkHeight(HWND window) {
  RECT r{};
  GetWindowRect(window, &r);
  const std::unique_ptr<fwtest::DibSurface> shot = fwtest::CaptureScreen(r);
  auto yellow = [](COLORREF c) { return GetRValue(c) >= 160 && GetGValue(c) >= 160 && GetBValue(c) <= 100; };
  int first = -1, last = -1;
  for (int y = 0; y < shot->Height(); ++y)
    for (int x = 0; x < shot->Width(); ++x)
      if (yellow(shot->At(x, y))) {
        if (first < 0) first = y;
        last = y;
      }
  return first < 0 ? 0 : last - first + 1;
}

// What one start at a display scale shows.
struct Seen {
  bool bound = false;
  SIZE client{}, closeButton{}, aboutClient{}, balloon{};
  RECT window{};
  int digitHeight = 0;
};

Seen Look(int dpi) {
  Seen seen;
  e2e::ChildProcess process;
  if (!process.Start(e2e::WindowsPath(CONVERTER_EXE))) return seen;
  HWND form = process.WaitForWindow(L"TForm1");
  e2e::MainWindow main;
  seen.bound = form && main.Bind(form, dpi);
  if (!seen.bound) return seen;
  SetForegroundWindow(form);
  e2e::WaitIdle(form);
  seen.client = ClientSize(form);
  GetWindowRect(form, &seen.window);
  seen.closeButton = WindowSize(main.close);
  seen.digitHeight = YellowInkHeight(main.result);

  // The Print button's balloon, with a real pointer move onto the button.
  e2e::PointerOver(main.print);
  HWND balloon = nullptr;
  e2e::WaitFor([&] {
    for (HWND w : e2e::TopLevelWindows(process.Id(), L"TFxShapeHintWindow"))
      if (IsWindowVisible(w) && e2e::WindowText(w) == core::kEnglishPrintHint) balloon = w;
    return balloon != nullptr;
  }, 5s);
  if (balloon) seen.balloon = WindowSize(balloon);
  SetCursorPos(0, 0);

  main.Click(main.about);
  HWND box = nullptr;
  e2e::WaitFor([&] {
    for (HWND w : e2e::TopLevelWindows(process.Id(), L"TAboutBox"))
      if (IsWindowVisible(w)) box = w;
    return box != nullptr;
  });
  if (box) {
    e2e::WaitIdle(box);
    seen.aboutClient = ClientSize(box);
    PostMessageW(box, WM_CLOSE, 0, 0);
    e2e::WaitFor([&] { return !IsWindowVisible(box); });
  }
  e2e::Notify(form, WM_CLOSE);
  if (process.WaitForExit(10s) < 0) process.Kill();
  return seen;
}

int Scaled(int design) { return MulDiv(design, kScaledDpi, 96); }

TEST(ScaleE2E, At150PercentEveryWindowIsItsDesignScaledAndLiesOnTheDisplay) {
  // Device pixels of another program's windows, whatever this process is.
  SetProcessDPIAware();
  const Seen normal = Look(96);
  ASSERT_TRUE(normal.bound);
  e2e::ScopedDisplayDpi scale(kScaledDpi);
  ASSERT_TRUE(scale.Set());
  const Seen scaled = Look(kScaledDpi);
  ASSERT_TRUE(scaled.bound) << "every control at its scaled place";

  EXPECT_EQ(scaled.client.cx, Scaled(388));
  EXPECT_EQ(scaled.client.cy, Scaled(197));
  EXPECT_EQ(scaled.closeButton.cx, Scaled(137));
  EXPECT_EQ(scaled.closeButton.cy, Scaled(25));
  EXPECT_EQ(scaled.aboutClient.cx, Scaled(418));
  EXPECT_EQ(scaled.aboutClient.cy, Scaled(344));
  EXPECT_GE(scaled.window.left, 0);
  EXPECT_GE(scaled.window.top, 0);
  EXPECT_LE(scaled.window.right, GetSystemMetrics(SM_CXSCREEN));
  EXPECT_LE(scaled.window.bottom, GetSystemMetrics(SM_CYSCREEN));

  // Text and the balloon around it grow by the scale (a glyph's height by
  // whole pixels of its own hinting).
  ASSERT_GT(normal.digitHeight, 0);
  EXPECT_NEAR(scaled.digitHeight, normal.digitHeight * 1.5, 1.5);
  ASSERT_GT(normal.balloon.cx, 0);
  EXPECT_NEAR(scaled.balloon.cx, normal.balloon.cx * 1.5, 4);
  EXPECT_NEAR(scaled.balloon.cy, normal.balloon.cy * 1.5, 4);
}

}  // namespace
