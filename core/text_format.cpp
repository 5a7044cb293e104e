// FormatTextArgs: printf-like text formatting with typed arguments.
#include <algorithm>

#include "core/exceptions.h"
#include "core/number_text.h"

namespace core {
namespace {

constexpr size_t kMaxQuotedSpecification = 31;

std::wstring Quoted(std::wstring_view specification) {
  return std::wstring(specification.substr(0, kMaxQuotedSpecification));
}

[[noreturn]] void InvalidFormat(std::wstring_view specification) {
  throw EConvertError(L"Format '" + Quoted(specification) + L"' invalid or incompatible with argument");
}

[[noreturn]] void MissingArgument(std::wstring_view specification) {
  throw EConvertError(L"No argument for format '" + Quoted(specification) + L"'");
}

bool IsDigit(wchar_t c) { return c >= L'0' && c <= L'9'; }

std::wstring Decimal(std::int32_t value, int minDigits) {
  const std::int64_t wide = value;
  std::wstring digits = std::to_wstring(wide < 0 ? -wide : wide);
  if (minDigits > 0 && digits.size() < static_cast<size_t>(minDigits)) digits.insert(0, minDigits - digits.size(), L'0');
  return wide < 0 ? L"-" + digits : digits;
}

}  // namespace

std::wstring FormatTextArgs(std::wstring_view pattern, std::span<const FormatArg> args) {
  std::wstring out;
  size_t next = 0;
  for (size_t i = 0; i < pattern.size(); ++i) {
    if (pattern[i] != L'%') {
      out += pattern[i];
      continue;
    }
    if (i + 1 < pattern.size() && pattern[i + 1] == L'%') {
      out += L'%';
      ++i;
      continue;
    }
    const size_t start = i++;
    auto readNumber = [&](int& value) {
      bool any = false;
      value = 0;
      while (i < pattern.size() && IsDigit(pattern[i])) {
        value = std::min(value * 10 + (pattern[i++] - L'0'), 100000);
        any = true;
      }
      return any;
    };
    int number = 0;
    const size_t numberStart = i;
    if (readNumber(number) && i < pattern.size() && pattern[i] == L':') {
      next = static_cast<size_t>(number);
      ++i;
    } else {
      i = numberStart;
    }
    bool left = false;
    if (i < pattern.size() && pattern[i] == L'-') {
      left = true;
      ++i;
    }
    int width = 0;
    readNumber(width);
    int precision = -1;
    if (i < pattern.size() && pattern[i] == L'.') {
      ++i;
      readNumber(precision);
    }
    if (i >= pattern.size()) InvalidFormat(pattern.substr(start));
    const wchar_t type = static_cast<wchar_t>(pattern[i] | 0x20);
    const std::wstring_view specification = pattern.substr(start, i - start + 1);
    if (type != L's' && type != L'd') InvalidFormat(specification);
    if (next >= args.size()) MissingArgument(specification);
    const FormatArg& arg = args[next++];
    std::wstring piece;
    if (type == L's') {
      if (!arg.IsText()) InvalidFormat(specification);
      piece = arg.Text();
      if (precision >= 0 && piece.size() > static_cast<size_t>(precision)) piece.resize(precision);
    } else {
      if (arg.IsText()) InvalidFormat(specification);
      piece = Decimal(arg.Integer(), precision);
    }
    if (piece.size() < static_cast<size_t>(width)) {
      const std::wstring pad(width - piece.size(), L' ');
      piece = left ? piece + pad : pad + piece;
    }
    out += piece;
  }
  return out;
}

std::wstring FormatTextArgs(std::wstring_view pattern, std::initializer_list<FormatArg> args) {
  return FormatTextArgs(pattern, std::span<const FormatArg>(args.begin(), args.size()));
}

}  // namespace core
