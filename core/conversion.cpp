#include "core/conversion.h"

#include <cmath>

#include "core/exceptions.h"
#include "core/fpu_env.h"

namespace core {
namespace {

// Faults are detected on the masked results: a NaN from non-NaN operands is an
// invalid operation, an infinity from finite operands an overflow.
long double Quotient(long double dividend, long double divisor) {
  if (divisor == 0) {
    if (dividend == 0 || std::isnan(dividend)) throw EInvalidOp();
    throw EZeroDivide();
  }
  const long double q = dividend / divisor;
  if (std::isnan(q)) throw EInvalidOp();
  if (std::isinf(q) && std::isfinite(dividend)) throw EOverflow();
  return q;
}

long double Product(long double a, long double b) {
  const long double p = a * b;
  if (std::isnan(p)) throw EInvalidOp();
  if (std::isinf(p) && std::isfinite(a) && std::isfinite(b)) throw EOverflow();
  return p;
}

}  // namespace

std::wstring Convert(std::wstring_view valueText, double firstFactor, double secondFactor,
                     const FormatSettings& settings) {
  const long double parsed = ParseDecimalText(valueText, settings);
  long double product;
  {
    FpuControlGuard guard;
    const long double extended = FpuPin(parsed);
    const double value = FpuPin(static_cast<double>(extended));
    if (std::isinf(value)) throw EOverflow();  // beyond the double range
    const long double quotient =
        Quotient(FpuPin(static_cast<long double>(firstFactor)), FpuPin(static_cast<long double>(secondFactor)));
    product = FpuPin(Product(quotient, static_cast<long double>(value)));
  }
  return FormatGeneralNumber(product, settings);
}

}  // namespace core
