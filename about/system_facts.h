#pragma once
// The facts the About box shows: the operating system's version line and the
// amount of physical memory, each as the text the dialog displays.
#include <cstdint>
#include <string>

#include "core/number_text.h"

namespace about {

struct OsVersion {
  std::uint32_t platformId = 0;  // 1: the 95/98 family, 2: the NT family
  std::uint32_t major = 0;
  std::uint32_t minor = 0;
  std::uint32_t build = 0;
  std::wstring servicePack;
};

// The running system's own version, as the kernel reports it (a plain
// version query may answer with a compatibility version instead). Read once,
// on first use; all zeros when it cannot be read.
const OsVersion& CapturedOsVersion();

// "Windows NT 10.0 (  Build 19045)", "Windows NT 5.1 (  Build 2600: Service
// Pack 3)", "Windows 98 4.10 (  Build 2222)" or "Windows 4.0".
std::wstring OsVersionLine(const OsVersion& version);

// Total physical memory in whole kilobytes, not capped at 4 GB.
std::uint64_t PhysicalMemoryKilobytes();

// The count grouped in thousands and followed by " KB" ("524,288 KB").
std::wstring MemoryText(std::uint64_t kilobytes, const core::FormatSettings& settings);

}  // namespace about
