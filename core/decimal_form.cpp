#include "core/decimal_form.h"

#include <algorithm>
#include <cmath>
#include <cstring>

#include "core/fpu_env.h"
#include "core/power_of_ten.h"

namespace core {
namespace {

constexpr long double k1e17 = 100000000000000000.0L;
constexpr long double k1e18 = 1000000000000000000.0L;
constexpr std::uint64_t kU1e17 = 100000000000000000ULL;
constexpr std::uint64_t kU1e18 = 1000000000000000000ULL;

// Sign and biased exponent of an x87 extended value (bytes 8 and 9).
std::uint16_t SignAndExponent(long double x) {
  unsigned char bytes[sizeof(long double)];
  std::memcpy(bytes, &x, sizeof bytes);
  return static_cast<std::uint16_t>(bytes[8] | (bytes[9] << 8));
}

// 18 significant digits of |x| and the matching decimal exponent, rounded to
// nearest (ties to even) through the scaling tables.
std::uint64_t EighteenDigits(long double magnitude, int biasedExponent, int& decimalExponent) {
  const int e2 = biasedExponent - 16383;
  int e = ((e2 * 19728) >> 16) + 1;  // arithmetic shift: rounds down for negative e2 too
  long double y = 0;
  for (int attempt = 0; attempt < 4; ++attempt) {
    y = std::rint(detail::ScaleByPowerOfTenUnguarded(magnitude, 18 - e));
    if (y >= k1e18) {
      y = y / 10.0L;
      ++e;
      break;
    }
    if (y < k1e17) {
      --e;  // the estimate was one too high
      continue;
    }
    break;
  }
  std::uint64_t digits = static_cast<std::uint64_t>(std::rint(y));
  if (digits >= kU1e18) {  // y/10 rounded up to a power of ten
    digits = kU1e17;
    ++e;
  }
  decimalExponent = e;
  return digits;
}

}  // namespace

namespace detail {

DecimalForm ToDecimalFormUnguarded(long double x, int precision, int decimals) {
  DecimalForm form;
  if (std::isnan(x)) {
    form.exponent = DecimalForm::kNanExponent;
    return form;
  }
  if (std::isinf(x)) {
    form.exponent = DecimalForm::kInfinityExponent;
    form.negative = std::signbit(x);
    return form;
  }
  const int biased = SignAndExponent(x) & 0x7FFF;
  if (biased == 0) return form;  // zero, or a denormal: written as zero

  int e = 0;
  std::uint64_t y = EighteenDigits(std::fabs(x), biased, e);
  char all[18];
  for (int i = 17; i >= 0; --i) {
    all[i] = static_cast<char>('0' + y % 10);
    y /= 10;
  }

  int k = e + decimals;
  if (k < 0) {
    form.exponent = static_cast<std::int16_t>(e);
    return form;  // vanishes at this number of decimals
  }
  k = std::min(k, std::clamp(precision, 2, 18));
  int count = 18;
  if (k < 18) {
    count = k;
    if (all[k] >= '5') {
      // Round half up at position k, carrying to the left.
      int i = k - 1;
      while (i >= 0 && all[i] == '9') --i;
      if (i < 0) {
        all[0] = '1';
        count = 1;
        ++e;
      } else {
        ++all[i];
        count = i + 1;
      }
    }
  }
  while (count > 0 && all[count - 1] == '0') --count;
  form.exponent = static_cast<std::int16_t>(e);
  form.digitCount = static_cast<std::uint8_t>(count);
  std::copy(all, all + count, form.digits.begin());
  form.negative = count > 0 && std::signbit(x);
  return form;
}

}  // namespace detail

DecimalForm ToDecimalForm(long double x, int precision, int decimals) {
  FpuControlGuard guard;
  return detail::ToDecimalFormUnguarded(FpuPin(x), precision, decimals);
}

}  // namespace core
