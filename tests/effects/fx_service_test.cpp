// The process-wide service object: the single-instance mutex probe (in this
// process and in a fresh process under a new file name), the error messages
// of FxEOneInstError, and the checkerboard pattern with its AND fill.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "effects/fx_application.h"
#include "effects/fx_errors.h"
#include "effects/fx_pattern.h"
#include "tests/support/dib_surface.h"

namespace {

using fx::TFxApplication;

std::wstring UniqueName(const wchar_t* stem) {
  return std::wstring(stem) + std::to_wstring(GetCurrentProcessId()) + L"_" + std::to_wstring(GetTickCount());
}

TEST(FxMutexProbe, FileNamePartKeepsWhatFollowsTheLastBackslashOrColon) {
  EXPECT_EQ(fx::FileNamePart(L"C:\\Program Files\\Conv\\Converter.EXE"), L"Converter.EXE");
  EXPECT_EQ(fx::FileNamePart(L"C:conv.exe"), L"conv.exe");
  EXPECT_EQ(fx::FileNamePart(L"\\\\server\\share\\a.b\\Conv.exe"), L"Conv.exe");
  EXPECT_EQ(fx::FileNamePart(L"plain.exe"), L"plain.exe");
}

TEST(FxMutexProbe, ExecutableFileNameIsThisProgramsFileName) {
  wchar_t path[MAX_PATH * 4];
  GetModuleFileNameW(nullptr, path, MAX_PATH * 4);
  const std::wstring full(path);
  const std::wstring name = fx::ExecutableFileName();
  ASSERT_FALSE(name.empty());
  EXPECT_EQ(name.find(L'\\'), std::wstring::npos);
  EXPECT_EQ(full.substr(full.size() - name.size()), name);
}

TEST(FxMutexProbe, FreshNameGivesFalseAndAnExistingMutexGivesTrue) {
  const std::wstring name = UniqueName(L"fxprobe_");
  {
    TFxApplication first(name);
    EXPECT_FALSE(first.PreviousInstance());
    EXPECT_NE(first.MutexHandle(), nullptr);
    TFxApplication second(name);
    EXPECT_TRUE(second.PreviousInstance());
  }
  // Both handles were closed with their objects: the mutex is gone.
  TFxApplication again(name);
  EXPECT_FALSE(again.PreviousInstance());
}

TEST(FxMutexProbe, MutexNamedAfterTheExecutableMakesTheFlagTrue) {
  HANDLE mine = CreateMutexW(nullptr, FALSE, fx::ExecutableFileName().c_str());
  ASSERT_NE(mine, nullptr);
  TFxApplication probe;
  EXPECT_EQ(probe.MutexName(), fx::ExecutableFileName());
  EXPECT_TRUE(probe.PreviousInstance());
  CloseHandle(mine);
}

// Runs inside the child process started below (skipped otherwise): reports
// the process-wide object's flag and mutex name of a program under a new
// file name into the file the parent names.
TEST(FxChildProbe, ProcessWideFlag) {
  wchar_t out[MAX_PATH * 2] = {};
  if (!GetEnvironmentVariableW(L"FX_PROBE_RESULT", out, MAX_PATH * 2)) GTEST_SKIP() << "child only";
  fx::InitFxLibrary();
  ASSERT_EQ(&fx::FxApplication(), &fx::FxApplication());
  const std::wstring report = std::wstring(fx::FxApplication().PreviousInstance() ? L"1 " : L"0 ") +
                              fx::FxApplication().MutexName();
  HANDLE file = CreateFileW(out, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
  ASSERT_NE(file, INVALID_HANDLE_VALUE);
  DWORD written = 0;
  WriteFile(file, report.data(), static_cast<DWORD>(report.size() * sizeof(wchar_t)), &written, nullptr);
  CloseHandle(file);
}

// Starts the copy and returns what it reported ("" when it did not).
std::wstring RunChild(const std::wstring& exe, const std::wstring& resultFile) {
  DeleteFileW(resultFile.c_str());
  SetEnvironmentVariableW(L"FX_PROBE_RESULT", resultFile.c_str());
  std::wstring cmd = L"\"" + exe + L"\" --gtest_filter=FxChildProbe.*";
  STARTUPINFOW si{};
  si.cb = sizeof si;
  PROCESS_INFORMATION pi{};
  if (CreateProcessW(exe.c_str(), cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi)) {
    WaitForSingleObject(pi.hProcess, 60000);
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
  }
  SetEnvironmentVariableW(L"FX_PROBE_RESULT", nullptr);
  std::wstring report;
  HANDLE file = CreateFileW(resultFile.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
  if (file != INVALID_HANDLE_VALUE) {
    wchar_t buffer[512] = {};
    DWORD read = 0;
    ReadFile(file, buffer, sizeof buffer - sizeof(wchar_t), &read, nullptr);
    CloseHandle(file);
    report.assign(buffer, read / sizeof(wchar_t));
  }
  DeleteFileW(resultFile.c_str());
  return report;
}

TEST(FxMutexProbe, FreshProcessUnderNewFileNameSeesNoPreviousInstanceUntilTheMutexExists) {
  wchar_t self[MAX_PATH * 4], temp[MAX_PATH];
  GetModuleFileNameW(nullptr, self, MAX_PATH * 4);
  GetTempPathW(MAX_PATH, temp);
  const std::wstring name = UniqueName(L"FxProbe") + L".exe";
  const std::wstring copy = std::wstring(temp) + name;
  const std::wstring result = copy + L".txt";
  ASSERT_TRUE(CopyFileW(self, copy.c_str(), FALSE));
  EXPECT_EQ(RunChild(copy, result), L"0 " + name);
  HANDLE held = CreateMutexW(nullptr, FALSE, name.c_str());
  ASSERT_NE(held, nullptr);
  EXPECT_EQ(RunChild(copy, result), L"1 " + name);
  CloseHandle(held);
  DeleteFileW(copy.c_str());
}

TEST(FxEOneInstError, MessagesOfBothKinds) {
  const fx::FxEOneInstError owner(fx::oeOwner, L"TFxFormShadow");
  EXPECT_EQ(owner.Message(), L"TFxFormShadow:\rInvalid owner (<>TForm) or second instance on a form");
  EXPECT_EQ(owner.Kind(), fx::oeOwner);
  const fx::FxEOneInstError dup(fx::oeDuplicate, L"TFxOneInstance");
  EXPECT_EQ(dup.Message(), L"TFxOneInstance:\rAlready one TFxOneInstance control in this project!");
  // No line feed anywhere, and it is one of the program's exceptions.
  EXPECT_EQ(dup.Message().find(L'\n'), std::wstring::npos);
  const core::Exception& base = dup;
  EXPECT_EQ(base.Message(), dup.Message());
}

TEST(FxCheckerboard, WhiteWhereEvenColourWhereOddAndBuiltOncePerColour) {
  TFxApplication app(UniqueName(L"fxpattern_"));
  const COLORREF color = RGB(0x40, 0x80, 0xC0);
  HBITMAP pattern = app.CheckerboardPattern(static_cast<fw::TColor>(color));
  ASSERT_NE(pattern, nullptr);
  const int builds = app.PatternBuilds();
  EXPECT_EQ(app.CheckerboardPattern(static_cast<fw::TColor>(color)), pattern);
  EXPECT_EQ(app.PatternBuilds(), builds);

  HDC dc = CreateCompatibleDC(nullptr);
  HGDIOBJ old = SelectObject(dc, pattern);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x)
      EXPECT_EQ(GetPixel(dc, x, y), (x + y) % 2 ? color : RGB(255, 255, 255)) << x << "," << y;
  SelectObject(dc, old);
  DeleteDC(dc);

  app.CheckerboardPattern(fw::clRed);
  EXPECT_EQ(app.PatternBuilds(), builds + 1);
}

TEST(FxCheckerboard, PatternAndKeepsWhiteCellsAndAndsColouredOnes) {
  TFxApplication app(UniqueName(L"fxpattern_"));
  const COLORREF shadow = RGB(0x80, 0x80, 0x80);
  fwtest::DibSurface s(20, 12, RGB(0xF0, 0x3C, 0xA5));
  const RECT r{3, 2, 17, 11};
  fx::FxPatternAndFill(s.DC(), r, app.CheckerboardPattern(static_cast<fw::TColor>(shadow)));
  for (int y = 0; y < 12; ++y)
    for (int x = 0; x < 20; ++x) {
      const bool inside = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
      // Brush origin at the DC's (0, 0): cell parity is that of x + y.
      const COLORREF expected = inside && (x + y) % 2 ? RGB(0xF0 & 0x80, 0x3C & 0x80, 0xA5 & 0x80)
                                                      : RGB(0xF0, 0x3C, 0xA5);
      EXPECT_EQ(s.At(x, y), expected) << x << "," << y;
    }
}

}  // namespace
