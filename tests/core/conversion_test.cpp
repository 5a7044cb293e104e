// The unit catalog, Convert, and the two list handlers over a recording view.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>

#include "core/catalog.h"
#include "core/conversion.h"
#include "core/converter_logic.h"
#include "core/exceptions.h"
#include "fake_view.h"

namespace {

using core::FormatSettings;
const FormatSettings kComma{L',', L'.'};
const FormatSettings kPoint{L'.', L','};

// ---- catalog ----

struct ExpectedRow {
  core::RowKind kind;
  int category;
  const wchar_t* english;
  const wchar_t* russian;
  std::uint64_t bits;
};

constexpr core::RowKind S = core::RowKind::kSeparator, H = core::RowKind::kHeader, U = core::RowKind::kUnit;
const wchar_t* const kRule = L"--------------";

const ExpectedRow kExpected[24] = {
    {S, 0, kRule, kRule, 0},
    {H, 0, L"Mass measure", L"Меры веса", 0},
    {S, 0, kRule, kRule, 0},
    {U, 1, L"Ton metric", L"Тонна метрическая", 0x408F400000000000},
    {U, 1, L"Ton Short", L"Тонна короткая", 0x408C5978D4FDF3B6},
    {U, 1, L"Kilogram", L"Килограмм", 0x3FF0000000000000},
    {U, 1, L"Pound", L"Фунт", 0x3FDD07A6BD6E8AF8},
    {U, 1, L"Ounce", L"Унция", 0x3F9D07A6BD6E8AF8},
    {S, 0, kRule, kRule, 0},
    {H, 0, L"Length measure", L"Меры длины", 0},
    {S, 0, kRule, kRule, 0},
    {U, 2, L"Kilometer", L"Километр", 0x408F400000000000},
    {U, 2, L"Meter", L"Метр", 0x3FF0000000000000},
    {U, 2, L"Mile USA", L"Миля американская", 0x409925604189374C},
    {U, 2, L"Feet", L"Фут", 0x3FD381D7DBF487FD},
    {U, 2, L"Inch", L"Дюйм", 0x3F9A027525460AA6},
    {S, 0, kRule, kRule, 0},
    {H, 0, L"Volume measure", L"Меры объема", 0},
    {S, 0, kRule, kRule, 0},
    {U, 3, L"Cubic meter", L"Кубометр", 0x408F400000000000},
    {U, 3, L"Liter", L"Литр", 0x3FF0000000000000},
    {U, 3, L"Barrel British", L"Баррель англ.", 0x406474F227D028A2},
    {U, 3, L"Barrel USA", L"Баррель амер.", 0x4063DF9DB22D0E56},
    {U, 3, L"Cubic foot", L"Кубический фут", 0x403C51EB851EB852},
};

TEST(Catalog, RowsTextsAndBitExactFactors) {
  const auto rows = core::Catalog();
  ASSERT_EQ(rows.size(), 24u);
  for (int i = 0; i < 24; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(rows[i].kind, kExpected[i].kind);
    EXPECT_EQ(rows[i].category, kExpected[i].category);
    EXPECT_EQ(rows[i].english, kExpected[i].english);
    EXPECT_EQ(rows[i].russian, kExpected[i].russian);
    if (rows[i].kind == U) {
      EXPECT_EQ(std::bit_cast<std::uint64_t>(rows[i].factor), kExpected[i].bits);
    }
  }
  EXPECT_EQ(std::wstring(rows[1].russian).size(), 9u) << "Russian texts are stored as UTF-16 / UTF-32 code units, not bytes";
}

TEST(Catalog, CubicMeterIsAThousandLitres) {
  EXPECT_EQ(core::Catalog()[19].english, L"Cubic meter");
  EXPECT_EQ(core::Catalog()[19].factor, 1000.0);
}

TEST(Catalog, OunceIsExactlyAPoundOverSixteen) {
  EXPECT_EQ(core::Catalog()[7].factor, core::Catalog()[6].factor / 16);
}

TEST(Catalog, TargetRowsFollowTheSourceRows) {
  const int first[] = {0, 3, 11, 19};
  for (int category = 1; category <= 3; ++category) {
    for (int i = 0; i < 5; ++i) EXPECT_EQ(core::UnitOfCategory(category, i), &core::Catalog()[first[category] + i]);
    EXPECT_EQ(core::UnitOfCategory(category, -1), nullptr);
    EXPECT_EQ(core::UnitOfCategory(category, 5), nullptr);
  }
  EXPECT_EQ(core::UnitOfCategory(0, 0), nullptr);
  EXPECT_EQ(core::TargetListTexts(2, core::Language::kRussian),
            (std::vector<std::wstring>{L"Километр", L"Метр", L"Миля американская", L"Фут", L"Дюйм"}));
}

// ---- Convert ----

double Factor(int row) { return core::Catalog()[row].factor; }

TEST(Convert, WorkedExamples) {
  struct Case {
    int source, target;
    const wchar_t* value;
    const wchar_t* result;  // with a comma as decimal separator
  } cases[] = {
      {3, 5, L"2", L"2000"},                       // Ton metric -> Kilogram
      {6, 7, L"1", L"16"},                         // Pound -> Ounce, exactly
      {15, 14, L"12", L"1"},                       // Inch -> Feet
      {5, 6, L"1", L"2,20462442018378"},           // Kilogram -> Pound
      {13, 11, L"1", L"1,609344"},                 // Mile USA -> Kilometer
      {20, 19, L"1000", L"1"},                     // Liter -> Cubic meter
      {5, 6, L"-1", L"-2,20462442018378"},         // a negative value
      {5, 5, L"1e-320", L"9,99988867182683E-321"}, // a denormal double, no error
      {5, 5, L"-,", L"0"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(testing::PrintToString(std::wstring(c.value)));
    EXPECT_EQ(core::Convert(c.value, Factor(c.source), Factor(c.target), kComma), c.result);
    std::wstring value = c.value, result = c.result;
    for (wchar_t& ch : value) ch = ch == L',' ? L'.' : ch;
    for (wchar_t& ch : result) ch = ch == L',' ? L'.' : ch;
    EXPECT_EQ(core::Convert(value, Factor(c.source), Factor(c.target), kPoint), result);
  }
}

TEST(Convert, QuotientOfFactorsFirstThenTimesValue) {
  // Ton Short -> Ounce of 3: (907.184 / 0.0283495) * 3, each step rounded to 64 bits.
  const long double q = static_cast<long double>(907.184) / static_cast<long double>(0.0283495);
  EXPECT_EQ(core::Convert(L"3", 907.184, 0.0283495, kPoint), core::FormatGeneralNumber(q * 3.0L, kPoint));
}

template <class E>
std::wstring ErrorOf(std::wstring_view value, double first, double second) {
  try {
    core::Convert(value, first, second, kPoint);
  } catch (const E& e) {
    return e.Message();
  } catch (const core::Exception& e) {
    return L"wrong class: " + e.Message();
  }
  return L"(no error)";
}

TEST(Convert, Failures) {
  EXPECT_EQ(ErrorOf<core::EInvalidOp>(L"5", 0, 0), L"Invalid floating point operation");
  EXPECT_EQ(ErrorOf<core::EZeroDivide>(L"5", 1, 0), L"Floating point division by zero");
  EXPECT_EQ(ErrorOf<core::EOverflow>(L"1E400", 1, 1), L"Floating point overflow");
  EXPECT_EQ(ErrorOf<core::EOverflow>(L"1.1e4932", 0, 0), L"Floating point overflow") << "the value is rounded before dividing";
  EXPECT_EQ(ErrorOf<core::EConvertError>(L"", 1, 1), L"'' is not a valid floating point value");
  EXPECT_EQ(ErrorOf<core::EConvertError>(L"1,5", 1, 1), L"'1,5' is not a valid floating point value");
  EXPECT_EQ(ErrorOf<core::EConvertError>(L"abc", 0, 0), L"'abc' is not a valid floating point value")
      << "the text is read before the factors";
  // Just below the rounding threshold of the double range: no overflow.
  EXPECT_EQ(core::Convert(L"1.7976931348623158e308", 1, 1, kPoint), L"1.79769313486232E308");
  // The zero value divides nothing by zero: 0 * (1/0) is still a division by zero.
  EXPECT_EQ(ErrorOf<core::EZeroDivide>(L"0", 1, 0), L"Floating point division by zero");
}

// ---- list handlers ----

class ListHandlers : public testing::Test {
 protected:
  ListHandlers() : logic(view, settings) {
    view.logic = &logic;
    logic.FormShown(L"converter.exe");
  }
  FormatSettings settings{L',', L' '};
  FakeView view;
  core::ConverterLogic logic;
};

TEST_F(ListHandlers, ChoosingAUnitFillsTheTargetsAndEmptiesTheResult) {
  view.resultText = L"old";
  view.PickSource(13);  // Mile USA
  EXPECT_EQ(view.targetItems, (std::vector<std::wstring>{L"Kilometer", L"Meter", L"Mile USA", L"Feet", L"Inch"}));
  EXPECT_EQ(view.targetIndex, -1);
  EXPECT_EQ(view.resultText, L"");
  EXPECT_EQ(logic.state().category, 2);
  EXPECT_EQ(logic.state().firstFactor, 1609.344);
  EXPECT_EQ(logic.state().secondFactor, 0) << "no conversion and no second factor yet";
  EXPECT_TRUE(view.errors.empty());
  view.PickTarget(0);
  EXPECT_EQ(view.resultText, L"1,609344");
}

TEST_F(ListHandlers, SeparatorAndHeaderRowsOnlyShowTheNotAUnitMessage) {
  view.PickSource(5);
  view.PickTarget(2);
  view.resultText = L"kept";
  const auto targets = view.targetItems;
  for (int row : {0, 1, 2, 8, 9, 10, 16, 17, 18}) {
    view.messages.clear();
    view.PickSource(row);
    ASSERT_EQ(view.messages.size(), 1u) << row;
    EXPECT_EQ(view.messages[0].id, core::MessageId::kNotAUnit);
    EXPECT_EQ(view.messages[0].kind, core::DialogKind::kError);
    EXPECT_EQ(view.messages[0].text, L"    What  ???   ");
    EXPECT_EQ(view.targetItems, targets);
    EXPECT_EQ(view.targetIndex, 2);
    EXPECT_EQ(view.resultText, L"kept");
    EXPECT_EQ(view.sourceIndex, row) << "the earlier selection is not restored";
    EXPECT_EQ(logic.state().category, 1);
    EXPECT_EQ(logic.state().firstFactor, 1.0);
  }
}

TEST_F(ListHandlers, TargetIgnoredWithoutCategoryOrOutOfRange) {
  view.targetItems = {L"x"};
  view.PickTarget(0);  // no category yet
  EXPECT_EQ(logic.state().secondFactor, 0);
  EXPECT_TRUE(view.errors.empty());
  view.PickSource(3);
  view.PickTarget(-1);
  EXPECT_EQ(logic.state().secondFactor, 0);
  EXPECT_TRUE(view.errors.empty());
}

TEST_F(ListHandlers, TypingUsesTheFactorsAsTheyStand) {
  view.Type(L"2");
  ASSERT_EQ(view.errors.size(), 1u);
  EXPECT_EQ(view.errors[0], L"Invalid floating point operation");
  view.PickSource(5);  // Kilogram
  view.Type(L"3");
  ASSERT_EQ(view.errors.size(), 2u);
  EXPECT_EQ(view.errors[1], L"Floating point division by zero");
  view.PickTarget(3);  // Pound
  EXPECT_EQ(view.resultText, L"6,61387326055133");
  view.PickSource(12);  // Meter: the refilled target list drops the Pound factor
  EXPECT_EQ(view.resultText, L"");
  EXPECT_EQ(logic.state().secondFactor, 0);
  view.Type(L"1");
  ASSERT_EQ(view.errors.size(), 3u);
  EXPECT_EQ(view.errors[2], L"Floating point division by zero") << "no mass-over-length number";
  EXPECT_EQ(view.resultText, L"");
}

TEST_F(ListHandlers, FailedConversionKeepsTheResultAndTheSecondFactor) {
  view.PickSource(5);
  view.PickTarget(3);
  const std::wstring before = view.resultText;
  view.Type(L"");
  ASSERT_EQ(view.errors.size(), 1u);
  EXPECT_EQ(view.errors[0], L"'' is not a valid floating point value");
  EXPECT_EQ(view.resultText, before);
  view.valueText = L"x";
  view.PickTarget(1);  // Ton Short: the factor is set, then the conversion fails
  EXPECT_EQ(logic.state().secondFactor, 907.184);
  EXPECT_EQ(view.resultText, before);
  view.valueText = L"1E400";
  view.PickTarget(2);
  EXPECT_EQ(view.errors.back(), L"Floating point overflow");
}

TEST_F(ListHandlers, SeparatorChangeAppliesToTheNextConversion) {
  view.PickSource(20);
  view.valueText = L"1,5";
  view.PickTarget(0);
  EXPECT_EQ(view.resultText, L"0,0015");
  settings = FormatSettings{L'.', L','};
  view.Type(L"2.5");
  EXPECT_EQ(view.resultText, L"0.0025");
}

TEST_F(ListHandlers, RussianTargetTexts) {
  logic.ApplyLanguage(core::Language::kRussian);
  view.PickSource(21);
  EXPECT_EQ(view.targetItems,
            (std::vector<std::wstring>{L"Кубометр", L"Литр", L"Баррель англ.", L"Баррель амер.", L"Кубический фут"}));
  view.PickSource(0);
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0].text, L" Издеваетесь ??? ");
  EXPECT_EQ(view.messages[0].language, core::Language::kRussian);
}

}  // namespace
