// Conversion throughput: parse + Convert + format of one value text, next to
// the C library doing the same job (wcstold, the same arithmetic, swprintf
// "%.15Lg") on the same texts. Prints the ratio of the two; asserts nothing.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <cwchar>
#include <map>
#include <ostream>
#include <random>
#include <string>
#include <vector>

#include "core/conversion.h"

namespace {

const core::FormatSettings kSettings{L'.', L','};
constexpr double kFirst = 1609.344;  // Mile USA
constexpr double kSecond = 0.3048;   // Feet

// Value texts as people type them: short integers, decimals, long fractions,
// exponents, signs.
const std::vector<std::wstring>& Texts() {
  static const std::vector<std::wstring> texts = [] {
    std::mt19937 rng(42);
    auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
    std::vector<std::wstring> out;
    for (int i = 0; i < 512; ++i) {
      std::wstring s;
      if (pick(0, 7) == 0) s += L'-';
      for (int d = pick(1, 7); d > 0; --d) s += static_cast<wchar_t>(L'0' + pick(0, 9));
      if (pick(0, 2) != 0) {
        s += L'.';
        for (int d = pick(1, pick(0, 5) == 0 ? 25 : 6); d > 0; --d) s += static_cast<wchar_t>(L'0' + pick(0, 9));
      }
      if (pick(0, 5) == 0) s += L"e" + std::to_wstring(pick(-300, 300));
      out.push_back(s);
    }
    return out;
  }();
  return texts;
}

void BM_CoreConvert(benchmark::State& state) {
  const auto& texts = Texts();
  size_t i = 0;
  for (auto _ : state) {
    std::wstring result = core::Convert(texts[i], kFirst, kSecond, kSettings);
    benchmark::DoNotOptimize(result);
    if (++i == texts.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CoreConvert);

void BM_CrtConvert(benchmark::State& state) {
  const auto& texts = Texts();
  size_t i = 0;
  wchar_t buffer[64];
  for (auto _ : state) {
    const long double value = std::wcstold(texts[i].c_str(), nullptr);
    const long double product =
        static_cast<long double>(kFirst) / static_cast<long double>(kSecond) * static_cast<double>(value);
    std::swprintf(buffer, 64, L"%.15Lg", product);
    std::wstring result(buffer);
    benchmark::DoNotOptimize(result);
    if (++i == texts.size()) i = 0;
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_CrtConvert);

// Keeps the time per iteration of every benchmark for the ratio line.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    for (const Run& run : runs) {
      if (run.run_type == Run::RT_Iteration && run.iterations > 0) times_[run.benchmark_name()] = run.GetAdjustedCPUTime();
    }
    ConsoleReporter::ReportRuns(runs);
  }
  void PrintRatio() const {
    const auto core = times_.find("BM_CoreConvert"), crt = times_.find("BM_CrtConvert");
    if (core == times_.end() || crt == times_.end() || crt->second <= 0) return;
    char line[128];
    std::snprintf(line, sizeof line, "ratio core/crt: %.2f (per value text: core %.1f ns, crt %.1f ns)\n",
                  core->second / crt->second, core->second, crt->second);
    GetOutputStream() << line << std::flush;
  }

 private:
  std::map<std::string, double> times_;
};

}  // namespace

int main(int argc, char** argv) {
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  reporter.PrintRatio();
  benchmark::Shutdown();
  return 0;
}
