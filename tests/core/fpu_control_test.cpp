// Results must not depend on the x87 control word the caller runs with.
#include <gtest/gtest.h>

#include <cstdint>

#include "core/catalog.h"
#include "core/conversion.h"
#include "core/exceptions.h"
#include "core/fpu_env.h"

namespace {

const core::FormatSettings kPoint{L'.', L','};

constexpr std::uint16_t kDoublePrecision = 0x027F;      // 53-bit significand, nearest, masked
constexpr std::uint16_t kTowardZero64 = 0x0F7F;         // 64-bit significand, toward zero, masked
constexpr std::uint16_t kDoubleUnmasked = 0x0272;       // 53-bit, invalid/zero-divide/overflow unmasked

// Runs f with the given control word in place and puts the previous one back.
template <class F>
auto WithControlWord(std::uint16_t cw, F f) {
  core::FpuControlGuard guard(cw);
  return f();
}

std::wstring Outcome(std::wstring_view text, double a, double b) {
  try {
    return core::Convert(text, a, b, kPoint);
  } catch (const core::Exception& e) {
    return L"error: " + e.Message();
  }
}

std::vector<std::wstring> AllOutcomes() {
  const wchar_t* texts[] = {L"1",        L"2.5",   L"-7.125",     L"1000000000000.125", L"0.1",
                            L"123456789.987654321", L"1e300", L"3.3e-310", L"1E400", L"", L"0.333333333333333333333"};
  std::vector<std::wstring> out;
  for (const auto& source : core::Catalog()) {
    if (source.kind != core::RowKind::kUnit) continue;
    for (int t = 0; t < core::kUnitsPerCategory; ++t) {
      const double second = core::UnitOfCategory(source.category, t)->factor;
      for (const wchar_t* text : texts) out.push_back(Outcome(text, source.factor, second));
    }
  }
  out.push_back(Outcome(L"5", 0, 0));
  out.push_back(Outcome(L"5", 1, 0));
  return out;
}

TEST(FpuControlWord, TheSettingTakesEffect) {
  // Without this the comparisons below could pass vacuously.
  volatile long double one = 1, three = 3;
  const long double full = WithControlWord(core::kFpuExtendedMasked, [&] { return core::FpuPin(one / three); });
  const long double rounded = WithControlWord(kDoublePrecision, [&] { return core::FpuPin(one / three); });
  EXPECT_NE(full, rounded);
  EXPECT_EQ(rounded, static_cast<long double>(1.0 / 3.0));
}

TEST(FpuControlWord, SameResultsUnderDoublePrecisionAndOtherRounding) {
  const std::vector<std::wstring> reference = AllOutcomes();
  const std::vector<std::wstring> at53 = WithControlWord(kDoublePrecision, [&] {
    auto r = AllOutcomes();
    EXPECT_EQ(core::ReadFpuControlWord() & 0x0F3F, kDoublePrecision & 0x0F3F) << "the caller's control word is restored";
    return r;
  });
  EXPECT_EQ(at53, reference);
  const std::vector<std::wstring> chopped = WithControlWord(kTowardZero64, [] { return AllOutcomes(); });
  EXPECT_EQ(chopped, reference);
  EXPECT_EQ(reference.front(), L"1");  // Ton metric to Ton metric
}

TEST(FpuControlWord, UnmaskedCallerFaultsDoNotTrapAndStillRaise) {
  // With invalid operation, division by zero and overflow unmasked by the
  // caller, the core must still mask them itself and raise its exceptions.
  const std::vector<std::wstring> outcomes = WithControlWord(kDoubleUnmasked, [] {
    return std::vector<std::wstring>{Outcome(L"1e4933", 1, 1), Outcome(L"1E400", 1, 1), Outcome(L"5", 0, 0),
                                     Outcome(L"5", 1, 0), Outcome(L"1e-4999", 1, 1), Outcome(L"2", 1000, 1)};
  });
  const std::vector<std::wstring> expected{L"error: '1e4933' is not a valid floating point value",
                                           L"error: Floating point overflow",
                                           L"error: Invalid floating point operation",
                                           L"error: Floating point division by zero",
                                           L"0",
                                           L"2000"};
  EXPECT_EQ(outcomes, expected);
}

}  // namespace
