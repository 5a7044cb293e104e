// The real converter.exe's balloon hints, with the pointer moved as a user
// moves it: resting over a control shows its hint in a balloon above and to
// the right of the pointer, moving on shows the next at once, a click ends it.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "core/texts.h"
#include "tests/e2e/converter_driver.h"
#include "tests/e2e/process_driver.h"
#include "tests/e2e/real_input.h"

namespace {

using namespace std::chrono_literals;

// The process's visible balloon, or null.
HWND Balloon(DWORD processId) {
  for (HWND w : e2e::TopLevelWindows(processId, L"TFxShapeHintWindow"))
    if (IsWindowVisible(w)) return w;
  return nullptr;
}

struct Started {
  e2e::ChildProcess process;
  e2e::MainWindow window;
  explicit Started(const std::wstring& arguments) {
    EXPECT_TRUE(process.Start(e2e::WindowsPath(CONVERTER_EXE), arguments));
    HWND form = process.WaitForWindow(L"TForm1");
    EXPECT_TRUE(window.Bind(form));
    SetForegroundWindow(form);
    e2e::WaitIdle(form);
  }
  ~Started() {
    e2e::Notify(window.form, WM_CLOSE);
    if (process.WaitForExit(5s) < 0) process.Kill();
  }
  // Waits for a balloon with the text; its window, or null.
  HWND WaitForBalloon(const std::wstring& text) {
    HWND found = nullptr;
    e2e::WaitFor([&] {
      found = Balloon(process.Id());
      return found && e2e::WindowText(found) == text;
    }, 5s);
    return found && e2e::WindowText(found) == text ? found : nullptr;
  }
};

TEST(HintE2E, RestingOverPrintShowsItsBalloonTheNextComesAtOnceAndAClickEndsIt) {
  Started converter(L"");
  POINT p = e2e::PointerOver(converter.window.print);
  HWND balloon = converter.WaitForBalloon(std::wstring(core::kEnglishPrintHint));
  ASSERT_NE(balloon, nullptr);
  RECT r;
  GetWindowRect(balloon, &r);
  EXPECT_EQ(r.left, p.x + 1);  // above right, the nose at the pointer
  EXPECT_EQ(r.bottom, p.y - 1);
  EXPECT_FALSE(GetWindowLongPtrW(balloon, GWL_STYLE) & WS_BORDER);

  e2e::PointerOver(converter.window.value);
  ASSERT_NE(converter.WaitForBalloon(L"Ввод значения"), nullptr);
  e2e::ClickHere();
  EXPECT_TRUE(e2e::WaitFor([&] { return Balloon(converter.process.Id()) == nullptr; }, 5s));
}

TEST(HintE2E, TheRussianStartShowsTheSourceListsHint) {
  Started converter(L"-r");
  e2e::PointerOver(converter.window.source);
  EXPECT_NE(converter.WaitForBalloon(L"Выбор первой  единицы измерения"), nullptr);
}

}  // namespace
