#pragma once
// What every fuzz target shares: reading typed values and UTF-16 texts from
// the fuzzer's bytes, and failing loudly when a check does not hold.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

namespace fuzz {

// Prints what failed with (an excerpt of) the text involved, then aborts so
// that libFuzzer keeps the input as a finding.
[[noreturn]] inline void Fail(const char* what, std::wstring_view text = {}) {
  std::fprintf(stderr, "\n*** check failed: %s\n*** text (%zu units): ", what, text.size());
  for (wchar_t c : text.substr(0, 300)) {
    if (c >= 0x20 && c < 0x7F) {
      std::fputc(static_cast<int>(c), stderr);
    } else {
      std::fprintf(stderr, "\\u%04X", static_cast<unsigned>(c));
    }
  }
  std::fputc('\n', stderr);
  std::abort();
}

inline void Check(bool holds, const char* what, std::wstring_view text = {}) {
  if (!holds) Fail(what, text);
}

// The fuzzer's bytes read from the front. Texts are UTF-16 code units as the
// Windows program sees them: a byte below 0xF0 is the unit of that value
// (so plain ASCII seeds stay readable), a byte of 0xF0 or above takes the next
// two bytes as any unit, little-endian (Cyrillic, NUL, lone surrogates ...).
class FuzzInput {
 public:
  FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

  bool Empty() const { return pos_ >= size_; }
  std::uint8_t Byte() { return Empty() ? 0 : data_[pos_++]; }
  int Choice(int count) { return Byte() % count; }

  // A text that ends at a zero byte (not part of it), at maxUnits, or at the end.
  std::wstring Text(std::size_t maxUnits) {
    std::wstring text;
    while (!Empty() && text.size() < maxUnits) {
      if (data_[pos_] == 0) {
        ++pos_;
        break;
      }
      text += Unit();
    }
    return text;
  }

  // Everything left, zero bytes included (as NUL units).
  std::wstring Rest() {
    std::wstring text;
    while (!Empty()) text += Unit();
    return text;
  }

  // Any x87 extended value from ten bytes, in its canonical encoding (the
  // integer bit set exactly when the exponent is not zero), so that zero,
  // denormals, infinities and NaNs all come up but no unnormal the hardware
  // would never produce from arithmetic.
  long double Extended() {
    std::uint8_t bytes[16] = {};
    for (int i = 0; i < 10; ++i) bytes[i] = Byte();
    const bool exponentZero = bytes[8] == 0 && (bytes[9] & 0x7F) == 0;
    if (exponentZero) {
      bytes[7] &= 0x7F;
    } else {
      bytes[7] |= 0x80;
    }
    long double value = 0;
    std::memcpy(&value, bytes, 10);
    return value;
  }

 private:
  wchar_t Unit() {
    const std::uint8_t b = data_[pos_++];
    if (b < 0xF0) return static_cast<wchar_t>(b);
    const unsigned low = Byte();
    const unsigned high = Byte();
    return static_cast<wchar_t>(low | (high << 8));
  }

  const std::uint8_t* data_;
  std::size_t size_;
  std::size_t pos_ = 0;
};

}  // namespace fuzz
