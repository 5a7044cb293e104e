#include "tests/support/timing.h"

#include <windows.h>

#include <algorithm>

namespace fwtest {

double Now() {
  static const double frequency = [] {
    LARGE_INTEGER f;
    QueryPerformanceFrequency(&f);
    return static_cast<double>(f.QuadPart);
  }();
  LARGE_INTEGER t;
  QueryPerformanceCounter(&t);
  return static_cast<double>(t.QuadPart) / frequency;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

double MedianMicros(int rounds, int perRound, const std::function<void()>& work) {
  std::vector<double> perCall;
  for (int r = 0; r < rounds; ++r) {
    const double start = Now();
    for (int i = 0; i < perRound; ++i) work();
    perCall.push_back((Now() - start) * 1e6 / perRound);
  }
  return Median(perCall);
}

}  // namespace fwtest
