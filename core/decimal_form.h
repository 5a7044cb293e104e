#pragma once
// The decimal form: the intermediate result of every number-to-text operation.
// Its value is 0.d1d2...dn times ten to the power `exponent`.
#include <array>
#include <cstdint>
#include <string_view>

namespace core {

struct DecimalForm {
  static constexpr std::int16_t kInfinityExponent = 32767;
  static constexpr std::int16_t kNanExponent = -32768;

  std::int16_t exponent = 0;
  bool negative = false;
  std::uint8_t digitCount = 0;  // 0 to 18; no trailing zeros, first digit not zero
  std::array<char, 18> digits{};  // '0' to '9'

  std::string_view Digits() const { return {digits.data(), digitCount}; }
  bool IsZero() const { return digitCount == 0 && !IsInfinity() && !IsNan(); }
  bool IsInfinity() const { return digitCount == 0 && exponent == kInfinityExponent; }
  bool IsNan() const { return digitCount == 0 && exponent == kNanExponent; }
};

// precision: significant digits kept (2 to 18); decimals: digits kept after the point.
DecimalForm ToDecimalForm(long double x, int precision, int decimals);

namespace detail {
DecimalForm ToDecimalFormUnguarded(long double x, int precision, int decimals);
}  // namespace detail

}  // namespace core
