// The error display box and the fatal report, with real message boxes read
// from a second thread.
#include "app/error_display.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

#include "core/exceptions.h"
#include "framework/window_errors.h"
#include "tests/support/window_watcher.h"

namespace {

struct SeenBox {
  std::wstring caption, text;
  HWND owner = nullptr;
  HICON icon = nullptr;
  bool hasOkButton = false;
  bool ownerDisabled = false;
};

// Shows the box on this thread; the watcher reads it and presses OK.
SeenBox ShowAndRead(HWND owner, const std::wstring& title, const std::wstring& message) {
  SeenBox seen;
  {
    fwtest::WindowWatcher watcher(L"#32770", [&](HWND box) {
      seen.caption = fwtest::TextOf(box);
      seen.text = fwtest::TextOf(GetDlgItem(box, 0xFFFF));
      seen.owner = GetWindow(box, GW_OWNER);
      for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (fwtest::ClassOf(c) == L"Static" && (GetWindowLongPtrW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON)
          seen.icon = reinterpret_cast<HICON>(SendMessageW(c, STM_GETICON, 0, 0));
      seen.hasOkButton = GetDlgItem(box, IDOK) != nullptr;
      seen.ownerDisabled = owner && !IsWindowEnabled(owner);
      PostMessageW(box, WM_COMMAND, IDOK, 0);
    });
    app::ShowErrorBox(owner, title, message);
  }
  return seen;
}

class ErrorBox : public ::testing::Test {
 protected:
  void SetUp() override {
    owner_ = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP | WS_VISIBLE, 10, 10, 50, 50, nullptr, nullptr,
                             nullptr, nullptr);
    ASSERT_NE(owner_, nullptr);
  }
  void TearDown() override { DestroyWindow(owner_); }
  HWND owner_ = nullptr;
};

TEST_F(ErrorBox, CaptionIsTheTitleTextGetsItsFullStopOwnerIsDisabledMeanwhile) {
  const SeenBox seen = ShowAndRead(owner_, L"Converter", L"'1a' is not a valid floating point value");
  EXPECT_EQ(seen.caption, L"Converter");
  EXPECT_EQ(seen.text, L"'1a' is not a valid floating point value.");
  EXPECT_EQ(seen.owner, owner_);
  EXPECT_EQ(seen.icon, LoadIconW(nullptr, IDI_HAND));
  EXPECT_TRUE(seen.hasOkButton);
  EXPECT_TRUE(seen.ownerDisabled);
  EXPECT_TRUE(IsWindowEnabled(owner_)) << "enabled again afterwards";
}

TEST_F(ErrorBox, MessageEndingInAStopGetsNoSecond) {
  const SeenBox seen = ShowAndRead(owner_, L"Converter", L"Already ends.");
  EXPECT_EQ(seen.text, L"Already ends.");
}

TEST(MessageOfError, SilentFamilyAndStrangers) {
  EXPECT_FALSE(app::MessageOfError(std::make_exception_ptr(fw::EAbort())).shown);
  const app::ErrorMessage zero = app::MessageOfError(std::make_exception_ptr(core::EZeroDivide()));
  EXPECT_TRUE(zero.shown);
  EXPECT_EQ(zero.text, L"Floating point division by zero");
  EXPECT_EQ(app::MessageOfError(std::make_exception_ptr(std::runtime_error("disk"))).text, L"disk");
  EXPECT_EQ(app::MessageOfError(std::make_exception_ptr(42)).text, L"Exception int");
  EXPECT_FALSE(app::MessageOfError(nullptr).shown);
}

TEST(FatalReport, CppExceptionNamesTheProgramAndNoAddress) {
  const app::FatalReport r =
      app::MakeFatalReport(std::make_exception_ptr(core::EConvertError(L"'x' is not a valid floating point value")));
  EXPECT_EQ(r.caption, L"Application Error");
  EXPECT_EQ(r.text, L"Exception EConvertError in module app_tests.exe, fault address unknown.\r\n"
                    L"'x' is not a valid floating point value.");
}

TEST(FatalReport, ProcessorException) {
  EXCEPTION_RECORD record{};
  record.ExceptionCode = EXCEPTION_ACCESS_VIOLATION;
  record.ExceptionAddress = reinterpret_cast<BYTE*>(GetModuleHandleW(nullptr)) + 0x2000;
  const app::FatalReport r = app::MakeFatalReport(record);
  EXPECT_EQ(r.text, L"Exception EAccessViolation in module app_tests.exe at 00002000.\r\nAccess violation.");
}

}  // namespace

namespace {

// The fatal report in a child process: a task-modal box captioned
// "Application Error" with the report, then exit code 1. The child's watcher
// ends it with code 3 when the box shows anything else.
TEST(FatalReportDeathTest, BoxThenExitCodeOne) {
  const app::FatalReport report{L"Application Error",
                                L"Exception EOverflow in module app_tests.exe at 00001000.\r\nFloating point overflow."};
  EXPECT_EXIT(
      {
        fwtest::WindowWatcher watcher(
            L"#32770",
            [&](HWND box) {
              const bool right = fwtest::TextOf(box) == report.caption &&
                                 fwtest::TextOf(GetDlgItem(box, 0xFFFF)) == report.text &&
                                 GetWindow(box, GW_OWNER) == nullptr;
              if (!right) ExitProcess(3);
              PostMessageW(box, WM_COMMAND, IDOK, 0);
            },
            std::chrono::seconds(60));
        // A box that never shows ends the child with code 4 rather than
        // leaving it waiting in the box until the test run's time-out.
        std::thread([&watcher] {
          watcher.Join();
          if (!watcher.Seen()) ExitProcess(4);
        }).detach();
        app::ShowFatalReportAndExit(report);
      },
      ::testing::ExitedWithCode(1), "");
}

}  // namespace
