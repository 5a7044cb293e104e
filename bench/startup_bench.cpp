// Start-up figures of the converter beside a minimal Win32 window program,
// measured alternately in one run: time from CreateProcess until the main
// window is visible and its first paint has been handled, and private memory
// at that moment. Then the converter at 150 % (LogPixels 144) beside itself
// at 100 %, alternately too. Prints medians and the ratios; asserts nothing.
//   startup_bench <converter.exe> <window class> <minimal.exe> [runs]
#include <windows.h>
#include <psapi.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "tests/e2e/process_driver.h"
#include "tests/support/timing.h"

namespace {

using fwtest::Median;

struct Sample {
  double milliseconds;
  double privateMegabytes;
  double workingSetMegabytes;
};

bool Measure(const std::wstring& exe, const std::wstring& windowClass, Sample& sample) {
  e2e::ChildProcess child;
  const auto start = std::chrono::steady_clock::now();
  if (!child.Start(exe)) return false;
  HWND window = child.WaitForWindow(windowClass);
  const auto end = std::chrono::steady_clock::now();
  if (!window) return false;
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(child.Handle(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
  sample.milliseconds = std::chrono::duration<double, std::milli>(end - start).count();
  // Wine leaves PrivateUsage at 0; the commit charge (PagefileUsage) is the
  // same quantity on Windows.
  const SIZE_T privateBytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
  sample.privateMegabytes = privateBytes / (1024.0 * 1024.0);
  sample.workingSetMegabytes = counters.WorkingSetSize / (1024.0 * 1024.0);
  PostMessageW(window, WM_CLOSE, 0, 0);
  if (child.WaitForExit(std::chrono::seconds(5)) < 0) child.Kill();
  return true;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 4) {
    std::fprintf(stderr, "usage: startup_bench <converter.exe> <window class> <minimal.exe> [runs]\n");
    return 2;
  }
  const int runs = argc > 4 ? std::max(1, _wtoi(argv[4])) : 7;
  std::vector<double> appTime, appMemory, appSet, baseTime, baseMemory, baseSet;
  for (int i = 0; i < runs; ++i) {
    Sample s{};
    if (!Measure(argv[3], L"MinimalWindow", s)) {
      std::fprintf(stderr, "the minimal program did not show its window\n");
      return 1;
    }
    baseTime.push_back(s.milliseconds);
    baseMemory.push_back(s.privateMegabytes);
    baseSet.push_back(s.workingSetMegabytes);
    if (!Measure(argv[1], argv[2], s)) {
      std::fprintf(stderr, "the converter did not show its window\n");
      return 1;
    }
    appTime.push_back(s.milliseconds);
    appMemory.push_back(s.privateMegabytes);
    appSet.push_back(s.workingSetMegabytes);
  }
  const double at = Median(appTime), bt = Median(baseTime), am = Median(appMemory), bm = Median(baseMemory);
  std::printf("start-up to first painted window, median of %d: converter %.0f ms, minimal window %.0f ms, ratio %.2f\n",
              runs, at, bt, bt > 0 ? at / bt : 0);
  std::printf("private memory after start, median of %d: converter %.1f MB, minimal window %.1f MB, ratio %.2f\n", runs,
              am, bm, bm > 0 ? am / bm : 0);
  const double aw = Median(appSet), bw = Median(baseSet);
  std::printf("working set after start, median of %d: converter %.1f MB, minimal window %.1f MB, ratio %.2f\n", runs,
              aw, bw, bw > 0 ? aw / bw : 0);

  // The display scale is read as a program starts: set before each start.
  std::vector<double> scaledTime, scaledMemory, normalTime, normalMemory;
  for (int i = 0; i < runs; ++i) {
    Sample s{};
    if (!Measure(argv[1], argv[2], s)) {
      std::fprintf(stderr, "the converter did not show its window\n");
      return 1;
    }
    normalTime.push_back(s.milliseconds);
    normalMemory.push_back(s.privateMegabytes);
    e2e::ScopedDisplayDpi scale(144);
    if (!scale.Set() || !Measure(argv[1], argv[2], s)) {
      std::fprintf(stderr, "the converter did not show its window at 144 DPI\n");
      return 1;
    }
    scaledTime.push_back(s.milliseconds);
    scaledMemory.push_back(s.privateMegabytes);
  }
  const double st = Median(scaledTime), nt = Median(normalTime), sm = Median(scaledMemory), nm = Median(normalMemory);
  std::printf("converter at 144 DPI against 96 DPI, median of %d: start-up %.0f ms against %.0f ms, ratio %.2f; "
              "private memory %.1f MB against %.1f MB, ratio %.2f\n",
              runs, st, nt, nt > 0 ? st / nt : 0, sm, nm, nm > 0 ? sm / nm : 0);
  return 0;
}
