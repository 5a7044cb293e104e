#pragma once
// Entry rules of the on-screen keypad beside the value field.
#include <optional>
#include <string>
#include <string_view>

#include "core/messages.h"

namespace core {

enum class KeypadKey { k1 = 1, k2, k3, k4, k5, k6, k7, k8, k9, kZero, kDecimal, kClear };

KeypadKey DigitKey(int digit);  // 1 to 9

// Class of the value text for the zero check.
enum class ValueTextClass {
  kSingleZero,    // "0"
  kFewZeros,      // two to fifteen zeros
  kSixteenZeros,  // exactly sixteen zeros
  kOther,         // anything else, seventeen or more zeros included
};
ValueTextClass ClassifyValueText(std::wstring_view text);

struct KeypadInput {
  bool gateOpen;      // the target list has a selected entry
  bool firstKeyFlag;  // a digit key 1 to 9 was pressed since the window was shown
  std::wstring_view valueText;
  wchar_t decimalSeparator;  // the one parsing uses
};

struct KeypadOutcome {
  std::wstring valueText;  // the text after the key; equal to the input when unchanged
  std::optional<MessageId> message;
  bool firstKeyFlag;
};

KeypadOutcome PressKeypadKey(KeypadKey key, const KeypadInput& input);

}  // namespace core
