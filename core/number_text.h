#pragma once
// Decimal number text: reading the value field and writing numbers, with the
// separators of the user's locale passed in as a value.
#include <cstdint>
#include <initializer_list>
#include <span>
#include <string>
#include <string_view>
#include <variant>

namespace core {

struct FormatSettings { wchar_t decimalSeparator = L'.'; wchar_t thousandSeparator = L','; };

long double  ParseDecimalText(std::wstring_view text, const FormatSettings&);
std::wstring FormatGeneralNumber(long double value, const FormatSettings&);
std::wstring FormatPatternNumber(std::wstring_view pattern, long double value, const FormatSettings&);

// One argument of FormatTextArgs: a text (for %s) or a 32-bit signed integer (for %d).
class FormatArg {
 public:
  FormatArg(std::wstring text) : value_(std::move(text)) {}
  FormatArg(const wchar_t* text) : value_(std::wstring(text)) {}
  FormatArg(std::int32_t number) : value_(number) {}

  bool IsText() const { return std::holds_alternative<std::wstring>(value_); }
  const std::wstring& Text() const { return std::get<std::wstring>(value_); }
  std::int32_t Integer() const { return std::get<std::int32_t>(value_); }

 private:
  std::variant<std::wstring, std::int32_t> value_;
};

// Printf-like formatting with %s and %d ("%%" writes one "%"); a specification
// may carry an index ("%1:s"), "-", a width and a precision.
std::wstring FormatTextArgs(std::wstring_view pattern, std::span<const FormatArg> args);
std::wstring FormatTextArgs(std::wstring_view pattern, std::initializer_list<FormatArg> args);

}  // namespace core
