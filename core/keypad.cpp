#include "core/keypad.h"

#include <algorithm>

namespace core {

KeypadKey DigitKey(int digit) { return static_cast<KeypadKey>(digit); }

ValueTextClass ClassifyValueText(std::wstring_view text) {
  const bool allZeros = !text.empty() && std::all_of(text.begin(), text.end(), [](wchar_t c) { return c == L'0'; });
  if (!allZeros) return ValueTextClass::kOther;
  if (text.size() == 1) return ValueTextClass::kSingleZero;
  if (text.size() <= 15) return ValueTextClass::kFewZeros;
  if (text.size() == 16) return ValueTextClass::kSixteenZeros;
  return ValueTextClass::kOther;
}

namespace {

void ZeroCheck(wchar_t digit, KeypadOutcome& outcome) {
  switch (ClassifyValueText(outcome.valueText)) {
    case ValueTextClass::kSingleZero: outcome.valueText.assign(1, digit); break;
    case ValueTextClass::kFewZeros: outcome.message = MessageId::kNotAUnit; break;
    case ValueTextClass::kSixteenZeros: outcome.message = MessageId::kManyZeros; break;
    case ValueTextClass::kOther: outcome.valueText += digit; break;
  }
}

}  // namespace

KeypadOutcome PressKeypadKey(KeypadKey key, const KeypadInput& input) {
  KeypadOutcome outcome{std::wstring(input.valueText), std::nullopt, input.firstKeyFlag};
  const int code = static_cast<int>(key);
  const bool digitKey = code >= 1 && code <= 9;
  if (digitKey) outcome.firstKeyFlag = true;  // whatever the press does
  if (!input.gateOpen) {
    outcome.message = MessageId::kNoTarget;
    return outcome;
  }
  if (digitKey) {
    const wchar_t digit = static_cast<wchar_t>(L'0' + code);
    if (code <= 2 && !input.firstKeyFlag) {
      outcome.valueText.assign(1, digit);  // the first 1 or 2 replaces the text
    } else {
      ZeroCheck(digit, outcome);
    }
    return outcome;
  }
  switch (key) {
    case KeypadKey::kZero: outcome.valueText += L'0'; break;
    case KeypadKey::kDecimal:
      // The separator that parsing accepts, so that keyed texts always parse.
      if (outcome.valueText.find(input.decimalSeparator) == std::wstring::npos) outcome.valueText += input.decimalSeparator;
      break;
    case KeypadKey::kClear: outcome.valueText = L"0"; break;
    default: break;
  }
  return outcome;
}

}  // namespace core
