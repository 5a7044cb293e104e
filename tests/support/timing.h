#pragma once
// Timing for the benchmarks, which print ratios against a baseline measured
// in the same run.
#include <functional>
#include <vector>

namespace fwtest {

// Seconds on the performance counter, from an arbitrary origin.
double Now();
// The middle value of a list (0 for none).
double Median(std::vector<double> values);
// Over `rounds` rounds of `perRound` calls of `work`: the median of the
// microseconds one call took.
double MedianMicros(int rounds, int perRound, const std::function<void()>& work);

}  // namespace fwtest
