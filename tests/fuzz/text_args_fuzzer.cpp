// Fuzz target: printf-like text formatting (FormatTextArgs) with fuzzed
// arguments and format texts.
//   input: an argument count byte (0 to 5); per argument a kind byte (even:
//   a text ending at a zero byte, odd: four bytes of a 32-bit integer); then
//   the format text (at most 512 units, so a run of "%99999s" stays cheap).
// Checks: only the core's EConvertError refuses a format; a text without "%"
// is written as it stands; each specification writes at most its width,
// precision or argument.
#include <algorithm>
#include <vector>

#include "core/exceptions.h"
#include "core/number_text.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput input(data, size);
  std::vector<core::FormatArg> args;
  const int count = input.Choice(6);
  for (int i = 0; i < count; ++i) {
    if (input.Byte() % 2 == 0) {
      args.emplace_back(input.Text(64));
    } else {
      std::uint32_t bits = 0;
      for (int b = 0; b < 4; ++b) bits |= static_cast<std::uint32_t>(input.Byte()) << (8 * b);
      args.emplace_back(static_cast<std::int32_t>(bits));
    }
  }
  std::wstring format = input.Rest();
  if (format.size() > 512) format.resize(512);

  std::wstring out;
  try {
    out = core::FormatTextArgs(format, args);
  } catch (const core::EConvertError&) {
    return 0;
  }
  const auto specifications = static_cast<std::size_t>(std::count(format.begin(), format.end(), L'%'));
  if (specifications == 0) fuzz::Check(out == format, "a text without specifications stays as it is", format);
  // Width and precision are capped at 100000; a text argument is at most 64 units.
  fuzz::Check(out.size() <= format.size() + specifications * 100012, "the written text stays within the widths", format);
  return 0;
}
