#include "about/system_facts.h"

#include <windows.h>

#include "framework/system_library.h"

namespace about {

namespace {

using RtlGetVersionProc = LONG(WINAPI*)(OSVERSIONINFOW*);

OsVersion QueryOsVersion() {
  OsVersion version;
  OSVERSIONINFOW info{};
  info.dwOSVersionInfoSize = sizeof info;
  // ntdll is in every process; its RtlGetVersion is not subject to the
  // compatibility shims that make GetVersionEx report an older system.
  HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
  const auto rtlGetVersion = fw::LibraryFunction<RtlGetVersionProc>(ntdll, "RtlGetVersion");
  if (!rtlGetVersion || rtlGetVersion(&info) != 0) {
    info = OSVERSIONINFOW{};
    info.dwOSVersionInfoSize = sizeof info;
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wdeprecated-declarations"
    if (!GetVersionExW(&info)) return version;
#pragma GCC diagnostic pop
  }
  version.platformId = info.dwPlatformId;
  version.major = info.dwMajorVersion;
  version.minor = info.dwMinorVersion;
  version.build = info.dwBuildNumber;
  version.servicePack = info.szCSDVersion;
  return version;
}

}  // namespace

const OsVersion& CapturedOsVersion() {
  static const OsVersion version = QueryOsVersion();
  return version;
}

std::wstring OsVersionLine(const OsVersion& v) {
  const auto major = static_cast<std::int32_t>(v.major), minor = static_cast<std::int32_t>(v.minor);
  std::wstring name;
  std::int32_t build = 0;
  switch (v.platformId) {
    case 1:
      name = L"Windows 98";
      build = static_cast<std::int32_t>(v.build & 0xFFFF);
      break;
    case 2:
      name = L"Windows NT";
      build = static_cast<std::int32_t>(v.build);
      break;
    default:
      return core::FormatTextArgs(L"%s %d.%d", {L"Windows", major, minor});
  }
  if (v.servicePack.empty()) return core::FormatTextArgs(L"%s %d.%d (  Build %d)", {name, major, minor, build});
  return core::FormatTextArgs(L"%s %d.%d (  Build %d: %s)", {name, major, minor, build, v.servicePack});
}

std::uint64_t PhysicalMemoryKilobytes() {
  MEMORYSTATUSEX status{};
  status.dwLength = sizeof status;
  if (!GlobalMemoryStatusEx(&status)) return 0;
  return status.ullTotalPhys >> 10;
}

std::wstring MemoryText(std::uint64_t kilobytes, const core::FormatSettings& settings) {
  // long double carries 64 significant bits: every count is exact.
  return core::FormatPatternNumber(L"#,###\" KB\"", static_cast<long double>(kilobytes), settings);
}

}  // namespace about
