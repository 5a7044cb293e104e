// Fuzz target: writing a number by a picture (FormatPatternNumber).
//   input: one settings byte ("," picks "," and U+00A0, anything else "." and
//   ","), ten bytes of an extended value, then the pattern text.
// Checks: only the core's EConvertError refuses a pattern; the text written
// stays within what the pattern's places, quoted texts and exponent allow;
// an empty pattern writes the general format.
#include "core/exceptions.h"
#include "core/number_text.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput input(data, size);
  const core::FormatSettings settings =
      input.Byte() == ',' ? core::FormatSettings{L',', L'\u00A0'} : core::FormatSettings{L'.', L','};
  const long double value = input.Extended();
  const std::wstring pattern = input.Rest();

  std::wstring out;
  try {
    out = core::FormatPatternNumber(pattern, value, settings);
  } catch (const core::EConvertError&) {
    return 0;
  }
  // Each pattern character writes at most a digit and a separator; 18
  // significant digits, a sign and an exponent come on top.
  fuzz::Check(out.size() <= 2 * pattern.size() + 64, "the written text stays within the pattern's reach", pattern);
  if (pattern.empty()) {
    fuzz::Check(out == core::FormatGeneralNumber(value, settings), "an empty pattern writes the general format", out);
  }
  return 0;
}
