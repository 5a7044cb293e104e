#include "core/number_text.h"

#include <cmath>

#include "core/decimal_form.h"
#include "core/exceptions.h"
#include "core/fpu_env.h"
#include "core/power_of_ten.h"

namespace core {
namespace {

[[noreturn]] void RefuseNumberText(std::wstring_view text) {
  throw EConvertError(L"'" + std::wstring(text) + L"' is not a valid floating point value");
}

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

// The whole syntax and the digit accumulation; false when the text is refused.
bool ParseUnguarded(std::wstring_view text, wchar_t decimalSeparator, long double& result) {
  if (auto nul = text.find(L'\0'); nul != std::wstring_view::npos) text = text.substr(0, nul);
  size_t i = 0;
  const size_t n = text.size();
  auto skipBlanks = [&] {
    while (i < n && text[i] == L' ') ++i;
  };

  skipBlanks();
  bool negative = false;
  if (i < n && (text[i] == L'+' || text[i] == L'-')) negative = text[i++] == L'-';

  long double acc = 0;
  bool taken = false;
  while (i < n && IsDigit(text[i])) {
    acc = acc * 10.0L + static_cast<long double>(text[i++] - L'0');
    taken = true;
  }
  int fractionDigits = 0;
  if (i < n && text[i] == decimalSeparator) {
    ++i;
    taken = true;
    while (i < n && IsDigit(text[i])) {
      acc = acc * 10.0L + static_cast<long double>(text[i++] - L'0');
      ++fractionDigits;
    }
  }
  if (!taken) return false;

  int exponent = 0;
  if (i < n && (text[i] == L'E' || text[i] == L'e')) {
    ++i;
    bool exponentNegative = false;
    if (i < n && (text[i] == L'+' || text[i] == L'-')) exponentNegative = text[i++] == L'-';
    while (i < n && IsDigit(text[i]) && exponent < 500) exponent = exponent * 10 + (text[i++] - L'0');
    if (exponentNegative) exponent = -exponent;
  }
  skipBlanks();
  if (i != n) return false;

  if (!std::isfinite(acc)) return false;  // the accumulation overflowed
  long double value = detail::ScaleByPowerOfTenUnguarded(acc, exponent - fractionDigits);
  if (!std::isfinite(value)) return false;
  result = negative ? -value : value;
  return true;
}

}  // namespace

long double ParseDecimalText(std::wstring_view text, const FormatSettings& settings) {
  long double value = 0;
  bool ok;
  {
    FpuControlGuard guard;
    ok = ParseUnguarded(text, settings.decimalSeparator, value);
    value = FpuPin(value);
  }
  if (!ok) RefuseNumberText(text);
  return value;
}

std::wstring FormatGeneralNumber(long double value, const FormatSettings& settings) {
  const DecimalForm form = ToDecimalForm(value, 15, 9999);
  if (form.IsInfinity()) return form.negative ? L"-INF" : L"INF";
  if (form.IsNan()) return L"NAN";
  if (form.IsZero()) return L"0";

  const std::string_view digits = form.Digits();
  const int e = form.exponent;
  std::wstring out;
  out.reserve(32);
  if (form.negative) out += L'-';
  if (e > 15 || e < -3) {
    out += static_cast<wchar_t>(digits[0]);
    if (digits.size() > 1) {
      out += settings.decimalSeparator;
      for (char c : digits.substr(1)) out += static_cast<wchar_t>(c);
    }
    out += L'E';
    const int shown = e - 1;
    if (shown < 0) out += L'-';
    out += std::to_wstring(shown < 0 ? -shown : shown);
  } else if (e <= 0) {
    out += L'0';
    out += settings.decimalSeparator;
    out.append(static_cast<size_t>(-e), L'0');
    for (char c : digits) out += static_cast<wchar_t>(c);
  } else {
    for (int i = 0; i < e; ++i) out += i < static_cast<int>(digits.size()) ? static_cast<wchar_t>(digits[i]) : L'0';
    if (static_cast<int>(digits.size()) > e) {
      out += settings.decimalSeparator;
      for (char c : digits.substr(e)) out += static_cast<wchar_t>(c);
    }
  }
  return out;
}

}  // namespace core
