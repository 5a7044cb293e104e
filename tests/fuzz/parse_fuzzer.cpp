// Fuzz target: reading a number text (the value field's text) under either
// separator setting, and converting it.
//   input: one settings byte ("," picks the decimal comma and U+00A0 as the
//   thousand separator, anything else "." and ","), then the text.
// Checks: only the core's EConvertError refuses a text; an accepted value is
// finite; within the double range its 15-digit text parses back and writes
// the same text again; converting raises nothing but the core's own errors.
#include <cmath>

#include "core/conversion.h"
#include "core/exceptions.h"
#include "core/number_text.h"
#include "fuzz_input.h"

namespace {

core::FormatSettings SettingsFrom(std::uint8_t b) {
  return b == ',' ? core::FormatSettings{L',', L'\u00A0'} : core::FormatSettings{L'.', L','};
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput input(data, size);
  const core::FormatSettings settings = SettingsFrom(input.Byte());
  const std::wstring text = input.Rest();

  long double value;
  try {
    value = core::ParseDecimalText(text, settings);
  } catch (const core::EConvertError&) {
    return 0;
  }
  fuzz::Check(std::isfinite(value), "an accepted text gives a finite value", text);

  if (value == 0 || (std::fabs(value) >= 1e-300L && std::fabs(value) <= 1e300L)) {
    const std::wstring once = core::FormatGeneralNumber(value, settings);
    long double back = 0;
    try {
      back = core::ParseDecimalText(once, settings);
    } catch (const core::EConvertError&) {
      fuzz::Fail("a written number parses back", once);
    }
    fuzz::Check(core::FormatGeneralNumber(back, settings) == once, "a written number writes back the same", once);
  }

  try {
    core::Convert(text, 1609.344, 0.0254, settings);
  } catch (const core::Exception&) {
  }
  return 0;
}
