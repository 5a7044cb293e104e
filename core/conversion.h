#pragma once
// The conversion of the value text between two units.
#include <string>
#include <string_view>

#include "core/number_text.h"

namespace core {

// Held by the main window for the whole run; all zero at start. The second
// factor goes back to 0 whenever the target list is refilled.
struct ConversionState {
  int category = 0;  // 0 none chosen yet, 1 mass, 2 length, 3 volume
  double firstFactor = 0;
  double secondFactor = 0;
};

// Parses the value text, rounds it to a double, multiplies it by
// firstFactor / secondFactor (in that order, in extended precision) and writes
// the product with 15 significant digits. Raises EConvertError for a text that
// is not a number, EInvalidOp / EZeroDivide / EOverflow for arithmetic faults.
std::wstring Convert(std::wstring_view valueText, double firstFactor, double secondFactor, const FormatSettings&);

}  // namespace core
