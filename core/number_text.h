#pragma once
#include <string>
#include <string_view>

namespace core {

struct FormatSettings { wchar_t decimalSeparator = L'.'; wchar_t thousandSeparator = L','; };

long double  ParseDecimalText(std::wstring_view text, const FormatSettings&);
std::wstring FormatGeneralNumber(long double value, const FormatSettings&);
std::wstring FormatPatternNumber(std::wstring_view pattern, long double value, const FormatSettings&);

}  // namespace core
