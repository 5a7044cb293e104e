// Reading and writing decimal number text: the syntax, the 15-digit general
// format, the pattern format and text formatting.
#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/decimal_form.h"
#include "core/exceptions.h"
#include "core/number_text.h"
#include "exact_model.h"

namespace {

using core::FormatSettings;

const FormatSettings kComma{L',', L'.'};
const FormatSettings kPoint{L'.', L','};

std::wstring RefusalFor(std::wstring_view text) {
  try {
    core::ParseDecimalText(text, kComma);
  } catch (const core::EConvertError& e) {
    return e.Message();
  }
  return L"(accepted)";
}

TEST(ParseDecimalText, AcceptsTheDocumentedForms) {
  struct Case {
    const wchar_t* text;
    long double expected;
  } cases[] = {
      {L"1,5", 1.5L},      {L"  12  ", 12},     {L",", 0},          {L"1e", 1},         {L"1e+", 1},
      {L"1E3", 1000},      {L"1e+3", 1000},     {L"+7", 7},         {L"-0,25", -0.25L}, {L"007", 7},
      {L"5,", 5},          {L",5", 0.5L},       {L"1e-4999", 0},    {L"2E-1", 0.2L},    {L"1e0004", 1e4L},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(core::ParseDecimalText(c.text, kComma), c.expected) << testing::PrintToString(std::wstring(c.text));
  }
}

TEST(ParseDecimalText, ReadsExtendedPrecisionNotDouble) {
  // 0.1 rounded to 64 bits, not to 53: the same as the compiler's long double literal.
  EXPECT_EQ(core::ParseDecimalText(L"0,1", kComma), 0.1L);
  EXPECT_NE(core::ParseDecimalText(L"0,1", kComma), static_cast<long double>(0.1));
  EXPECT_EQ(core::ParseDecimalText(L"1e-3", kComma), 1e-3L);
  EXPECT_EQ(core::FormatGeneralNumber(core::ParseDecimalText(L"1e-3", kComma), kComma), L"0,001");
}

TEST(ParseDecimalText, NegativeZeroFromALoneSeparator) {
  const long double z = core::ParseDecimalText(L"-,", kComma);
  EXPECT_EQ(z, 0);
  EXPECT_TRUE(std::signbit(z));
  EXPECT_EQ(core::FormatGeneralNumber(z, kComma), L"0");
}

TEST(ParseDecimalText, RefusesWithTheWholeTextInTheMessage) {
  const wchar_t* refused[] = {L"", L"   ", L"-", L"+", L"\t12", L"12\t", L"e5", L"12abc", L"1 000", L"1,5.",
                              L"1.5", L"1,2,3", L"--1", L"0x10", L"INF", L"NAN", L"1e4933", L"1e4999",
                              L"1e5000", L"E", L"1e--2", L"\u0661", L"1e5 x"};
  for (const wchar_t* text : refused) {
    EXPECT_EQ(RefusalFor(text), L"'" + std::wstring(text) + L"' is not a valid floating point value")
        << testing::PrintToString(std::wstring(text));
  }
}

TEST(ParseDecimalText, ExponentLetterAloneIsAccepted) { EXPECT_EQ(core::ParseDecimalText(L"1,5e", kComma), 1.5L); }

TEST(ParseDecimalText, SeparatorIsTheConfiguredOneOnly) {
  EXPECT_EQ(core::ParseDecimalText(L"1.5", kPoint), 1.5L);
  EXPECT_THROW(core::ParseDecimalText(L"1,5", kPoint), core::EConvertError);
  EXPECT_THROW(core::ParseDecimalText(L"1,000", kPoint), core::EConvertError);  // no thousand separators
}

TEST(ParseDecimalText, ExtendedRangeLimits) {
  const long double big = core::ParseDecimalText(L"1,1e4932", kComma);
  EXPECT_TRUE(std::isfinite(big));
  EXPECT_GT(big, 1e4932L);
  EXPECT_THROW(core::ParseDecimalText(L"1,2e4932", kComma), core::EConvertError);
  // A very long fraction is accepted and rounded.
  std::wstring third = L"0," + std::wstring(400, L'3');
  EXPECT_NEAR(static_cast<double>(core::ParseDecimalText(third, kComma)), 1.0 / 3, 1e-15);
  // An embedded NUL ends the text.
  EXPECT_EQ(core::ParseDecimalText(std::wstring_view(L"12\0xyz", 6), kComma), 12);
}

TEST(ParseDecimalText, ExponentStopsAtFiveHundred) {
  EXPECT_EQ(core::ParseDecimalText(L"1e0000003", kComma), 1000);  // leading zeros keep the exponent below 500
  EXPECT_NO_THROW(core::ParseDecimalText(L"0e4999", kComma));
  EXPECT_THROW(core::ParseDecimalText(L"0e5000", kComma), core::EConvertError);
  EXPECT_THROW(core::ParseDecimalText(L"1e-5000", kComma), core::EConvertError);
}

// ---- general format ----

long double Q(double a, double b) { return static_cast<long double>(a) / static_cast<long double>(b); }

TEST(FormatGeneralNumber, WorkedExamples) {
  struct Case {
    long double value;
    const wchar_t* text;
  } cases[] = {
      {Q(1000, 0.45359237), L"2204,62262184878"},
      {Q(1, 3), L"0,333333333333333"},
      {Q(2, 3), L"0,666666666666667"},
      {0.1 * 3.0L, L"0,3"},
      {123456.789, L"123456,789"},
      {100, L"100"},
      {999999999999999.0L, L"999999999999999"},
      {999999999999999.875L, L"1E15"},
      {1e15L, L"1E15"},
      {1234567890123456.0L, L"1,23456789012346E15"},
      {0.0001, L"0,0001"},
      {Q(1, 1609.344), L"0,000621371192237334"},
      {0.00001, L"1E-5"},
      {0.000015, L"1,5E-5"},
      {0.00009, L"9E-5"},
      {2.5e-10, L"2,5E-10"},
      {1e100, L"1E100"},
      {std::numeric_limits<double>::max(), L"1,79769313486232E308"},
      {-2.5L, L"-2,5"},
      {0.0L, L"0"},
      {-0.0L, L"0"},
      {1000000000000.125L, L"1000000000000,13"},
      {-1000000000000.125L, L"-1000000000000,13"},
      {std::ldexp(1.0L, -681), L"9,96719495109757E-206"},
      {std::numeric_limits<long double>::infinity(), L"INF"},
      {-std::numeric_limits<long double>::infinity(), L"-INF"},
      {std::numeric_limits<long double>::quiet_NaN(), L"NAN"},
      {std::numeric_limits<long double>::denorm_min(), L"0"},
      {-std::numeric_limits<long double>::denorm_min(), L"0"},
      {std::numeric_limits<long double>::max(), L"1,18973149535723E4932"},
      {1e-4000L, L"1E-4000"},
      {120, L"120"},
      {0.5, L"0,5"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(core::FormatGeneralNumber(c.value, kComma), c.text) << static_cast<double>(c.value);
    std::wstring point = c.text;
    for (wchar_t& ch : point) {
      if (ch == L',') ch = L'.';
    }
    EXPECT_EQ(core::FormatGeneralNumber(c.value, kPoint), point);
  }
}

TEST(DecimalForm, EighteenDigitsThenHalfUpAtTheCut) {
  // 1000 / 0.45359237: 18-digit form 220462262184877570, rounded up at the 16th digit.
  const core::DecimalForm full = core::ToDecimalForm(Q(1000, 0.45359237), 18, 9999);
  EXPECT_EQ(full.Digits(), "22046226218487757");
  EXPECT_EQ(full.exponent, 4);
  const core::DecimalForm cut = core::ToDecimalForm(Q(1000, 0.45359237), 15, 9999);
  EXPECT_EQ(cut.Digits(), "220462262184878");
  // Decimals cut: 0.6 at no decimals rounds up to 1, 0.4 vanishes.
  const core::DecimalForm up = core::ToDecimalForm(0.6L, 18, 0);
  EXPECT_EQ(up.Digits(), "1");
  EXPECT_EQ(up.exponent, 1);
  EXPECT_TRUE(core::ToDecimalForm(0.4L, 18, 0).IsZero());
  EXPECT_TRUE(core::ToDecimalForm(0.004L, 18, 1).IsZero());
  // Special forms.
  const core::DecimalForm inf = core::ToDecimalForm(-std::numeric_limits<long double>::infinity(), 15, 0);
  EXPECT_EQ(inf.exponent, 32767);
  EXPECT_TRUE(inf.negative);
  const core::DecimalForm nan = core::ToDecimalForm(-std::numeric_limits<long double>::quiet_NaN(), 15, 0);
  EXPECT_EQ(nan.exponent, -32768);
  EXPECT_FALSE(nan.negative);
  const core::DecimalForm zero = core::ToDecimalForm(-0.0L, 15, 0);
  EXPECT_EQ(zero.exponent, 0);
  EXPECT_FALSE(zero.negative);
  EXPECT_EQ(zero.digitCount, 0);
}

// ---- pattern format ----

TEST(FormatPatternNumber, KilobytePattern) {
  const std::wstring_view kb = L"#,###\" KB\"";
  struct Case {
    long double value;
    const wchar_t* text;
  } cases[] = {{0, L" KB"},           {1, L"1 KB"},           {999, L"999 KB"},
               {1000, L"1,000 KB"},   {65536, L"65,536 KB"},  {523760, L"523,760 KB"},
               {2097152, L"2,097,152 KB"}, {123456789012345678.0L, L"123,456,789,012,345,678 KB"}};
  for (const Case& c : cases) EXPECT_EQ(core::FormatPatternNumber(kb, c.value, kPoint), c.text);
  const FormatSettings nbsp{L',', L'\u00A0'};
  EXPECT_EQ(core::FormatPatternNumber(kb, 2097152, nbsp), L"2\u00A0097\u00A0152 KB");
}

TEST(FormatPatternNumber, PlacesSectionsAndQuotes) {
  EXPECT_EQ(core::FormatPatternNumber(L"0.00", 3.14159L, kPoint), L"3.14");
  EXPECT_EQ(core::FormatPatternNumber(L"0.00", 3.14159L, kComma), L"3,14");
  EXPECT_EQ(core::FormatPatternNumber(L"000", 7, kPoint), L"007");
  EXPECT_EQ(core::FormatPatternNumber(L"#.##", 0.05L, kPoint), L".05");
  EXPECT_EQ(core::FormatPatternNumber(L"#.##", 2, kPoint), L"2");
  EXPECT_EQ(core::FormatPatternNumber(L"0.0#", 2, kPoint), L"2.0");
  EXPECT_EQ(core::FormatPatternNumber(L"#", 0.6L, kPoint), L"1");
  EXPECT_EQ(core::FormatPatternNumber(L"#,##0", -1234, kPoint), L"-1,234");
  EXPECT_EQ(core::FormatPatternNumber(L"0;(0);'zero'", -5, kPoint), L"(5)");
  EXPECT_EQ(core::FormatPatternNumber(L"0;(0);'zero'", 0, kPoint), L"zero");
  EXPECT_EQ(core::FormatPatternNumber(L"0;;'zero'", -5, kPoint), L"-5");
  EXPECT_EQ(core::FormatPatternNumber(L"'a;b' 0", 5, kPoint), L"a;b 5");
  EXPECT_EQ(core::FormatPatternNumber(L"0 E 0", 5, kPoint), L"0 E 5") << "an E without sign is copied";
  EXPECT_EQ(core::FormatPatternNumber(L"0.00E+00", 1234.5L, kPoint), L"1.23E+03");
  EXPECT_EQ(core::FormatPatternNumber(L"0.0E-0", 0.00012L, kPoint), L"1.2E-4");
  EXPECT_EQ(core::FormatPatternNumber(L"", 2.5L, kComma), L"2,5") << "empty pattern: general format";
  EXPECT_EQ(core::FormatPatternNumber(L"0", 1e20L, kPoint), L"1E20") << "beyond 18 digits: general format";
}

TEST(FormatPatternNumber, PatternLengthLimit) {
  const std::wstring ok(224, L'#');
  EXPECT_NO_THROW(core::FormatPatternNumber(ok, 1, kPoint));
  try {
    core::FormatPatternNumber(ok + L"#", 1, kPoint);
    FAIL() << "a pattern of 225 characters was accepted";
  } catch (const core::EConvertError& e) {
    EXPECT_EQ(e.Message(), L"Format string too long");
  }
}

// ---- text format ----

TEST(FormatTextArgs, VersionLines) {
  EXPECT_EQ(core::FormatTextArgs(L"%s %d.%d (  Build %d: %s)", {L"Windows NT", 5, 0, 2195, L"Service Pack 4"}),
            L"Windows NT 5.0 (  Build 2195: Service Pack 4)");
  EXPECT_EQ(core::FormatTextArgs(L"%s %d.%d", {L"Windows", 4, 10}), L"Windows 4.10");
  EXPECT_EQ(core::FormatTextArgs(L"%d%%", {-2147483647 - 1}), L"-2147483648%");
  EXPECT_EQ(core::FormatTextArgs(L"[%5d|%-4s|%.2s|%1:s|%0:D]", {42, L"ab", L"xyz"}), L"[   42|ab  |xy|ab|42]");
}

std::wstring TextFormatError(std::wstring_view pattern, std::initializer_list<core::FormatArg> args) {
  try {
    core::FormatTextArgs(pattern, args);
  } catch (const core::EConvertError& e) {
    return e.Message();
  }
  return L"(no error)";
}

TEST(FormatTextArgs, ErrorsNameTheSpecification) {
  EXPECT_EQ(TextFormatError(L"%d", {L"text"}), L"Format '%d' invalid or incompatible with argument");
  EXPECT_EQ(TextFormatError(L"x %s", {7}), L"Format '%s' invalid or incompatible with argument");
  EXPECT_EQ(TextFormatError(L"%s %d", {L"a"}), L"No argument for format '%d'");
  EXPECT_EQ(TextFormatError(L"%q", {1}), L"Format '%q' invalid or incompatible with argument");
  EXPECT_EQ(TextFormatError(L"%-12", {1}), L"Format '%-12' invalid or incompatible with argument");
  const std::wstring longSpec = L"%" + std::wstring(40, L'1') + L"q";
  EXPECT_EQ(TextFormatError(longSpec, {1}), L"Format '" + longSpec.substr(0, 31) + L"' invalid or incompatible with argument");
}

}  // namespace
