// Parsing, formatting and Convert compared with the exact model over random
// value texts, every unit pair and both decimal separators.
#include <gtest/gtest.h>

#include <cstring>
#include <random>

#include "core/catalog.h"
#include "core/conversion.h"
#include "core/exceptions.h"
#include "core/number_text.h"
#include "exact_model.h"

namespace {

class TextMaker {
 public:
  explicit TextMaker(std::uint64_t seed) : rng_(seed) {}

  std::wstring Make(wchar_t separator, wchar_t other) {
    std::wstring s;
    s.append(Pick(0, 4) == 0 ? Pick(1, 3) : 0, L' ');
    switch (Pick(0, 5)) {
      case 0: s += L'-'; break;
      case 1: s += L'+'; break;
      default: break;
    }
    const int integerDigits = Pick(0, 9) == 0 ? Pick(20, 60) : Pick(0, 8);
    Digits(s, integerDigits);
    if (Pick(0, 2) != 0) {
      s += separator;
      const int roll = Pick(0, 19);
      Digits(s, roll == 0 ? Pick(100, 450) : roll < 4 ? Pick(19, 40) : Pick(0, 12));
    }
    if (Pick(0, 2) == 0) {
      s += Pick(0, 1) ? L'e' : L'E';
      const int sign = Pick(0, 2);
      if (sign == 1) s += L'-';
      if (sign == 2) s += L'+';
      const int kind = Pick(0, 5);
      const int exponent = kind == 0 ? Pick(4850, 5010) : kind == 1 ? Pick(280, 340) : kind == 2 ? Pick(0, 9999) : Pick(0, 40);
      if (Pick(0, 12) != 0) s += std::to_wstring(exponent);
    }
    s.append(Pick(0, 4) == 0 ? Pick(1, 3) : 0, L' ');
    // A few texts broken on purpose: the wrong separator, a tab, a letter.
    switch (Pick(0, 40)) {
      case 0: s.insert(s.begin() + Pick(0, static_cast<int>(s.size())), other); break;
      case 1: s.insert(s.begin() + Pick(0, static_cast<int>(s.size())), L'\t'); break;
      case 2: s.insert(s.begin() + Pick(0, static_cast<int>(s.size())), L'x'); break;
      default: break;
    }
    return s;
  }

  int Pick(int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng_); }
  std::mt19937_64& Engine() { return rng_; }

 private:
  void Digits(std::wstring& s, int count) {
    for (int i = 0; i < count; ++i) s += static_cast<wchar_t>(L'0' + Pick(0, 9));
  }
  std::mt19937_64 rng_;
};

enum class Kind { kText, kNotANumber, kInvalidOp, kZeroDivide, kOverflow };

struct CoreResult {
  model::Outcome outcome;
  std::wstring text;
};

CoreResult CoreConvert(std::wstring_view text, double a, double b, const core::FormatSettings& fs) {
  try {
    return {model::Outcome::kText, core::Convert(text, a, b, fs)};
  } catch (const core::EConvertError&) {
    return {model::Outcome::kNotANumber, {}};
  } catch (const core::EInvalidOp&) {
    return {model::Outcome::kInvalidOp, {}};
  } catch (const core::EZeroDivide&) {
    return {model::Outcome::kZeroDivide, {}};
  } catch (const core::EOverflow&) {
    return {model::Outcome::kOverflow, {}};
  }
}

struct Pair {
  double first, second;
};

std::vector<Pair> AllPairs() {
  std::vector<Pair> pairs;
  for (const auto& row : core::Catalog()) {
    if (row.kind != core::RowKind::kUnit) continue;
    for (int t = 0; t < core::kUnitsPerCategory; ++t) pairs.push_back({row.factor, core::UnitOfCategory(row.category, t)->factor});
  }
  return pairs;
}

TEST(AgainstExactModel, ParseFormatAndConvertOfRandomTexts) {
  constexpr int kTexts = 12000;
  const std::vector<Pair> pairs = AllPairs();
  ASSERT_EQ(pairs.size(), 75u);
  TextMaker maker(20261208);
  int accepted = 0, refused = 0, overflows = 0, tiny = 0, failures = 0;
  for (int n = 0; n < kTexts && failures < 20; ++n) {
    const bool comma = n % 2 == 0;
    const core::FormatSettings fs = comma ? core::FormatSettings{L',', L'.'} : core::FormatSettings{L'.', L','};
    const std::wstring text = maker.Make(fs.decimalSeparator, fs.thousandSeparator);
    Pair pair = pairs[n % pairs.size()];
    if (n % 97 == 0) pair.second = 0;  // no target chosen yet
    if (n % 194 == 0) pair.first = 0;  // no unit chosen at all

    const std::optional<model::Value> expected = model::Parse(text, fs.decimalSeparator);
    std::optional<long double> parsed;
    try {
      parsed = core::ParseDecimalText(text, fs);
    } catch (const core::EConvertError&) {
    }
    const std::string where = testing::PrintToString(text);
    if (expected.has_value() != parsed.has_value()) {
      ADD_FAILURE() << "acceptance differs for " << where;
      ++failures;
      continue;
    }
    if (parsed) {
      ++accepted;
      if (!(model::FromExtended(*parsed) == *expected)) {
        ADD_FAILURE() << "value differs for " << where;
        ++failures;
      }
      if (expected->m != 0 && model::Msb(expected->m) + expected->e < -1022) ++tiny;
      const std::wstring formatted = core::FormatGeneralNumber(*parsed, fs);
      const std::wstring modelled = model::General(*expected, fs.decimalSeparator);
      if (formatted != modelled) {
        ADD_FAILURE() << "format differs for " << where << ": " << testing::PrintToString(formatted) << " vs "
                      << testing::PrintToString(modelled);
        ++failures;
      }
    } else {
      ++refused;
    }

    const CoreResult got = CoreConvert(text, pair.first, pair.second, fs);
    const model::ConvertResult want = model::Convert(text, pair.first, pair.second, fs.decimalSeparator);
    overflows += want.outcome == model::Outcome::kOverflow;
    if (got.outcome != want.outcome || got.text != want.text) {
      ADD_FAILURE() << "Convert differs for " << where << " " << pair.first << "/" << pair.second << ": "
                    << testing::PrintToString(got.text) << " (" << static_cast<int>(got.outcome) << ") vs "
                    << testing::PrintToString(want.text) << " (" << static_cast<int>(want.outcome) << ")";
      ++failures;
    }
  }
  // The generator must reach every region it claims to cover.
  EXPECT_GT(accepted, kTexts / 2);
  EXPECT_GT(refused, kTexts / 50);
  EXPECT_GT(overflows, kTexts / 100);
  EXPECT_GT(tiny, kTexts / 100);
}

// Formatting of arbitrary extended values, beyond what parsing produces.
TEST(AgainstExactModel, GeneralFormatOfRandomExtendedValues) {
  std::mt19937_64 rng(4932);
  const core::FormatSettings fs{L',', L' '};
  int failures = 0;
  for (int n = 0; n < 6000 && failures < 20; ++n) {
    std::uint64_t significand = rng() | (1ULL << 63);
    if (n % 5 == 0) significand &= ~((1ULL << 40) - 1);  // short significands: exact decimal ties
    int exponent;
    switch (n % 4) {
      case 0: exponent = 16383 + static_cast<int>(rng() % 130) - 65; break;  // near 1
      case 1: exponent = 1 + static_cast<int>(rng() % 32765); break;          // anywhere
      case 2: exponent = 16383 + 40 + static_cast<int>(rng() % 20); break;   // near 1e15
      default: exponent = 16383 - 60 + static_cast<int>(rng() % 50); break;  // near 1e-4
    }
    const std::uint16_t se = static_cast<std::uint16_t>(exponent | ((rng() & 1) << 15));
    unsigned char bytes[sizeof(long double)] = {};
    std::memcpy(bytes, &significand, 8);
    std::memcpy(bytes + 8, &se, 2);
    long double x;
    std::memcpy(&x, bytes, sizeof x);
    const std::wstring got = core::FormatGeneralNumber(x, fs);
    const std::wstring want = model::General(model::FromExtended(x), fs.decimalSeparator);
    if (got != want) {
      ADD_FAILURE() << "format differs for " << static_cast<double>(x) << ": " << testing::PrintToString(got)
                    << " vs " << testing::PrintToString(want);
      ++failures;
    }
  }
}

}  // namespace
