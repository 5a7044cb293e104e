// The About box's system lines: the version line by platform, the memory
// text, and that both read the system's true figures.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "about/system_facts.h"

namespace {

TEST(AboutFacts, OsVersionLineByPlatform) {
  struct Case {
    std::uint32_t platform, major, minor, build;
    const wchar_t* servicePack;
    const wchar_t* line;
  } cases[] = {
      {2, 5, 1, 2600, L"Service Pack 3", L"Windows NT 5.1 (  Build 2600: Service Pack 3)"},
      {2, 5, 1, 2600, L"", L"Windows NT 5.1 (  Build 2600)"},
      {2, 10, 0, 19045, L"", L"Windows NT 10.0 (  Build 19045)"},
      {1, 4, 10, 0x040A08AE, L" A ", L"Windows 98 4.10 (  Build 2222:  A )"},
      {1, 4, 0, 0x04000000 + 950, L"", L"Windows 98 4.0 (  Build 950)"},
      {3, 4, 21, 1234, L"CE", L"Windows 4.21"},
      {0, 0, 0, 0, L"", L"Windows 0.0"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(about::OsVersionLine(about::OsVersion{c.platform, c.major, c.minor, c.build, c.servicePack}), c.line);
}

TEST(AboutFacts, MemoryTextGroupsWholeKilobytesAboveFourGigabytesToo) {
  const core::FormatSettings comma{L'.', L','}, space{L',', L'\u00A0'};
  EXPECT_EQ(about::MemoryText(524288, comma), L"524,288 KB");
  EXPECT_EQ(about::MemoryText(524288, space), L"524\u00A0288 KB");
  EXPECT_EQ(about::MemoryText(25165824, comma), L"25,165,824 KB");  // 24 GB
  EXPECT_EQ(about::MemoryText(0, comma), L" KB");
}

// Run as a child by the next test: prints the line the About box shows.
TEST(AboutFacts, DISABLED_PrintVersionLine) {
  std::printf("[%ls]\n", about::OsVersionLine(about::CapturedOsVersion()).c_str());
  std::fflush(stdout);
}

// Runs this program again with its output captured.
std::string RunSelf(const std::wstring& arguments) {
  SECURITY_ATTRIBUTES sa{sizeof sa, nullptr, TRUE};
  HANDLE read = nullptr, write = nullptr;
  if (!CreatePipe(&read, &write, &sa, 0)) return {};
  SetHandleInformation(read, HANDLE_FLAG_INHERIT, 0);
  wchar_t path[MAX_PATH];
  GetModuleFileNameW(nullptr, path, MAX_PATH);
  std::wstring commandLine = L"\"" + std::wstring(path) + L"\" " + arguments;
  STARTUPINFOW si{};
  si.cb = sizeof si;
  si.dwFlags = STARTF_USESTDHANDLES;
  si.hStdOutput = si.hStdError = write;
  PROCESS_INFORMATION pi{};
  const BOOL started = CreateProcessW(path, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &si, &pi);
  CloseHandle(write);
  std::string out;
  char buffer[512];
  DWORD n = 0;
  while (started && ReadFile(read, buffer, sizeof buffer, &n, nullptr) && n > 0) out.append(buffer, n);
  CloseHandle(read);
  if (started) {
    WaitForSingleObject(pi.hProcess, 30000);
    CloseHandle(pi.hProcess);
    CloseHandle(pi.hThread);
  }
  return out;
}

// Wine answers the plain version query of a program without a manifest the
// way Windows does: with 6.2, whatever the system is. The line must still
// name the real system.
TEST(AboutFacts, TheLineShowsTheTrueVersionWhereThePlainQueryGivesACompatibilityOne) {
  if (!GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version"))
    GTEST_SKIP() << "sets the system version of this program through Wine's settings";
  const wchar_t* key = L"Software\\Wine\\AppDefaults\\about_tests.exe";
  ASSERT_EQ(RegSetKeyValueW(HKEY_CURRENT_USER, key, L"Version", REG_SZ, L"win10", 12), ERROR_SUCCESS);
  const std::string out = RunSelf(L"--gtest_also_run_disabled_tests --gtest_filter=AboutFacts.DISABLED_PrintVersionLine");
  RegDeleteTreeW(HKEY_CURRENT_USER, key);
  const auto at = out.find("[Windows NT 10.0 (  Build ");
  EXPECT_NE(at, std::string::npos) << out;
}

TEST(AboutFacts, TheWholePhysicalMemoryIsRead) {
  ULONGLONG installed = 0;
  const std::uint64_t kb = about::PhysicalMemoryKilobytes();
  EXPECT_GT(kb, 0u);
  if (GetPhysicallyInstalledSystemMemory(&installed) && installed > (4ull << 20)) {
    EXPECT_GT(kb, 4ull << 20) << "capped at 4 GB";
  }
}

}  // namespace
