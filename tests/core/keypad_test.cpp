// The keypad's entry rules: every row of the rule table, then the documented
// key sequences through the conversion logic.
#include <gtest/gtest.h>

#include <optional>

#include "core/converter_logic.h"
#include "core/keypad.h"
#include "fake_view.h"

namespace {

using core::KeypadKey;
using core::MessageId;

const std::wstring kZ1 = L"0";
const std::wstring kZ2 = L"00";
const std::wstring kZ15(15, L'0');
const std::wstring kZ16(16, L'0');
const std::wstring kZ17(17, L'0');
const std::wstring kOthers[] = {L"1", L"12,5", L"10", L"01", kZ17, L""};

struct Row {
  KeypadKey key;
  bool gate;
  bool flag;
  std::wstring value;
  std::wstring expected;
  std::optional<MessageId> message;
  bool flagAfter;
};

void Check(const Row& r, wchar_t separator = L',') {
  const core::KeypadOutcome out = core::PressKeypadKey(r.key, {r.gate, r.flag, r.value, separator});
  SCOPED_TRACE(testing::Message() << "key " << static_cast<int>(r.key) << " gate " << r.gate << " flag " << r.flag
                                  << " value " << testing::PrintToString(r.value));
  EXPECT_EQ(out.valueText, r.expected);
  EXPECT_EQ(out.message, r.message);
  EXPECT_EQ(out.firstKeyFlag, r.flagAfter);
}

std::vector<std::wstring> AllValues() {
  std::vector<std::wstring> v{kZ1, kZ2, kZ15, kZ16};
  v.insert(v.end(), std::begin(kOthers), std::end(kOthers));
  return v;
}

TEST(KeypadRules, ClosedGateRefusesEveryKey) {
  for (int k = 1; k <= 12; ++k) {
    const auto key = static_cast<KeypadKey>(k);
    const bool digit = k <= 9;
    for (bool flag : {false, true}) {
      for (const std::wstring& v : AllValues()) Check({key, false, flag, v, v, MessageId::kNoTarget, digit ? true : flag});
    }
  }
}

TEST(KeypadRules, OneAndTwoReplaceWhileTheFlagIsClear) {
  for (int d : {1, 2}) {
    const std::wstring digit(1, static_cast<wchar_t>(L'0' + d));
    for (const std::wstring& v : AllValues()) Check({core::DigitKey(d), true, false, v, digit, std::nullopt, true});
  }
}

TEST(KeypadRules, ZeroCheckForDigitsWithTheFlagSetAndForThreeToNine) {
  for (int d = 1; d <= 9; ++d) {
    const std::wstring digit(1, static_cast<wchar_t>(L'0' + d));
    // Keys 1 and 2 reach the zero check only with the flag set; 3 to 9 always.
    for (bool flag : d <= 2 ? std::vector<bool>{true} : std::vector<bool>{false, true}) {
      const KeypadKey key = core::DigitKey(d);
      Check({key, true, flag, kZ1, digit, std::nullopt, true});
      Check({key, true, flag, kZ2, kZ2, MessageId::kNotAUnit, true});
      Check({key, true, flag, kZ15, kZ15, MessageId::kNotAUnit, true});
      Check({key, true, flag, kZ16, kZ16, MessageId::kManyZeros, true});
      for (const std::wstring& v : kOthers) Check({key, true, flag, v, v + digit, std::nullopt, true});
    }
  }
}

TEST(KeypadRules, ZeroDecimalAndClearLeaveTheFlag) {
  for (bool flag : {false, true}) {
    for (const std::wstring& v : AllValues()) {
      Check({KeypadKey::kZero, true, flag, v, v + L"0", std::nullopt, flag});
      Check({KeypadKey::kClear, true, flag, v, L"0", std::nullopt, flag});
      const bool hasComma = v.find(L',') != std::wstring::npos;
      Check({KeypadKey::kDecimal, true, flag, v, hasComma ? v : v + L",", std::nullopt, flag});
    }
  }
}

TEST(KeypadRules, DecimalKeyUsesTheParsingSeparator) {
  // With a full stop as separator the key must give a text that parses.
  Check({KeypadKey::kDecimal, true, true, L"12", L"12.", std::nullopt, true}, L'.');
  Check({KeypadKey::kDecimal, true, true, L"1.5", L"1.5", std::nullopt, true}, L'.');
  Check({KeypadKey::kDecimal, true, true, L"1,5", L"1,5.", std::nullopt, true}, L'.');
}

TEST(KeypadRules, ValueTextClasses) {
  EXPECT_EQ(core::ClassifyValueText(L"0"), core::ValueTextClass::kSingleZero);
  EXPECT_EQ(core::ClassifyValueText(kZ2), core::ValueTextClass::kFewZeros);
  EXPECT_EQ(core::ClassifyValueText(kZ15), core::ValueTextClass::kFewZeros);
  EXPECT_EQ(core::ClassifyValueText(kZ16), core::ValueTextClass::kSixteenZeros);
  EXPECT_EQ(core::ClassifyValueText(kZ17), core::ValueTextClass::kOther);
  EXPECT_EQ(core::ClassifyValueText(L""), core::ValueTextClass::kOther);
  EXPECT_EQ(core::ClassifyValueText(L"0,"), core::ValueTextClass::kOther);
}

// ---- sequences through the logic ----

class KeypadSequences : public testing::Test {
 protected:
  KeypadSequences() : logic(view, settings) {
    view.logic = &logic;
    logic.FormShown(L"converter.exe");
  }
  void ChoosePair() {
    view.PickSource(5);  // Kilogram
    view.PickTarget(2);  // Kilogram
    view.log.clear();
  }
  void Press(KeypadKey key) { view.Press(key); }
  void Digit(int d) { view.Press(core::DigitKey(d)); }
  size_t Conversions() const {
    size_t n = 0;
    for (const auto& entry : view.log) n += entry.rfind(L"result ", 0) == 0;
    return n;
  }

  core::FormatSettings settings{L',', L'.'};
  FakeView view;
  core::ConverterLogic logic;
};

TEST_F(KeypadSequences, FirstOneIsReplacedByAnEqualTextAndConvertsNothing) {
  ChoosePair();
  Digit(1);
  EXPECT_EQ(view.valueText, L"1");
  EXPECT_EQ(Conversions(), 0u);
  EXPECT_TRUE(logic.firstKeyFlag());
  Digit(1);
  EXPECT_EQ(view.valueText, L"11");
  EXPECT_EQ(view.resultText, L"11");
}

TEST_F(KeypadSequences, FirstTwoReplacesAndConverts) {
  ChoosePair();
  Digit(2);
  EXPECT_EQ(view.valueText, L"2");
  EXPECT_EQ(view.resultText, L"2");
  EXPECT_EQ(Conversions(), 1u);
}

TEST_F(KeypadSequences, ThreeAppendsToTheInitialOne) {
  ChoosePair();
  Digit(3);
  EXPECT_EQ(view.valueText, L"13");
}

TEST_F(KeypadSequences, DigitBeforeATargetRefusesButSetsTheFlag) {
  Digit(5);
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0].id, MessageId::kNoTarget);
  EXPECT_EQ(view.messages[0].kind, core::DialogKind::kInformation);
  EXPECT_EQ(view.messages[0].text, L"  Type quantity measure   ");
  EXPECT_EQ(view.valueText, L"1");
  ChoosePair();
  Digit(2);
  EXPECT_EQ(view.valueText, L"12") << "the flag is already set, so 2 appends";
}

TEST_F(KeypadSequences, ChoosingASourceClosesTheGateAgain) {
  ChoosePair();
  view.PickSource(6);
  view.messages.clear();
  Press(KeypadKey::kClear);
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0].id, MessageId::kNoTarget);
}

TEST_F(KeypadSequences, ClearThenDigits) {
  ChoosePair();
  Press(KeypadKey::kClear);
  Digit(7);
  EXPECT_EQ(view.valueText, L"7");
  Press(KeypadKey::kClear);
  Press(KeypadKey::kZero);
  Digit(7);
  EXPECT_EQ(view.valueText, L"00");
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0].id, MessageId::kNotAUnit);
  EXPECT_EQ(view.messages[0].text, L"    What  ???   ");
}

TEST_F(KeypadSequences, SixteenZerosThenSeventeen) {
  ChoosePair();
  Press(KeypadKey::kClear);
  for (int i = 0; i < 15; ++i) Press(KeypadKey::kZero);
  EXPECT_EQ(view.valueText, kZ16);
  Digit(4);
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0].id, MessageId::kManyZeros);
  EXPECT_EQ(view.messages[0].kind, core::DialogKind::kError);
  EXPECT_EQ(view.messages[0].text, L" Точно издеваетесь ");
  EXPECT_EQ(view.valueText, kZ16);
  Press(KeypadKey::kZero);
  Digit(4);
  EXPECT_EQ(view.valueText, kZ17 + L"4");
  EXPECT_EQ(view.resultText, L"4");
}

TEST_F(KeypadSequences, ClearOnZeroChangesNothing) {
  ChoosePair();
  Press(KeypadKey::kClear);
  const size_t before = Conversions();
  Press(KeypadKey::kClear);
  EXPECT_EQ(Conversions(), before);
  EXPECT_EQ(view.valueText, L"0");
}

TEST_F(KeypadSequences, DecimalKeyOnceThenDigitAppends) {
  ChoosePair();
  Press(KeypadKey::kClear);
  Press(KeypadKey::kDecimal);
  Press(KeypadKey::kDecimal);
  EXPECT_EQ(view.valueText, L"0,");
  Digit(5);
  EXPECT_EQ(view.valueText, L"0,5");
  EXPECT_EQ(view.resultText, L"0,5");
  EXPECT_TRUE(view.errors.empty());
}

TEST_F(KeypadSequences, KeyedTextParsesWithAFullStopSeparator) {
  settings = core::FormatSettings{L'.', L','};
  ChoosePair();
  Digit(2);
  Press(KeypadKey::kDecimal);
  Digit(5);
  EXPECT_EQ(view.valueText, L"2.5");
  EXPECT_EQ(view.resultText, L"2.5");
  EXPECT_TRUE(view.errors.empty());
}

TEST_F(KeypadSequences, RussianRefusals) {
  logic.ApplyLanguage(core::Language::kRussian);
  Digit(3);
  ASSERT_EQ(view.messages.size(), 1u);
  EXPECT_EQ(view.messages[0].text, L" Введите величины для конвертации ");
  ChoosePair();
  Press(KeypadKey::kClear);
  Press(KeypadKey::kZero);
  Digit(3);
  ASSERT_EQ(view.messages.size(), 2u);
  EXPECT_EQ(view.messages[1].text, L" Издеваетесь ??? ");
}

}  // namespace
