// FormatPatternNumber: numbers written by a picture such as #,###" KB".
#include <algorithm>
#include <cmath>
#include <vector>

#include "core/decimal_form.h"
#include "core/exceptions.h"
#include "core/number_text.h"

namespace core {
namespace {

constexpr size_t kMaxPatternLength = 224;

std::vector<std::wstring_view> SplitSections(std::wstring_view pattern) {
  std::vector<std::wstring_view> sections;
  size_t start = 0;
  wchar_t quote = 0;
  for (size_t i = 0; i < pattern.size(); ++i) {
    const wchar_t c = pattern[i];
    if (quote) {
      if (c == quote) quote = 0;
    } else if (c == L'"' || c == L'\'') {
      quote = c;
    } else if (c == L';' && sections.size() < 2) {
      sections.push_back(pattern.substr(start, i - start));
      start = i + 1;
    }
  }
  sections.push_back(pattern.substr(start));
  return sections;
}

bool IsPlace(wchar_t c) { return c == L'#' || c == L'0'; }

// "E+", "E-", "e+" or "e-" followed by at least one "0" at position i.
size_t ScientificMarkLength(std::wstring_view s, size_t i) {
  if (i + 2 >= s.size()) return 0;
  if ((s[i] != L'E' && s[i] != L'e') || (s[i + 1] != L'+' && s[i + 1] != L'-') || s[i + 2] != L'0') return 0;
  size_t j = i + 2;
  while (j < s.size() && s[j] == L'0') ++j;
  return j - i;
}

struct SectionLayout {
  int integerPlaces = 0;
  int firstIntegerZero = -1;  // index among integer places, -1 when none
  int fractionPlaces = 0;
  int lastFractionZero = 0;  // 1-based place, 0 when none
  bool grouping = false;
  bool scientific = false;
};

SectionLayout Analyse(std::wstring_view s) {
  SectionLayout layout;
  bool afterPoint = false;
  for (size_t i = 0; i < s.size(); ++i) {
    const wchar_t c = s[i];
    if (c == L'"' || c == L'\'') {
      const size_t end = s.find(c, i + 1);
      if (end == std::wstring_view::npos) break;
      i = end;
    } else if (IsPlace(c)) {
      if (afterPoint) {
        ++layout.fractionPlaces;
        if (c == L'0') layout.lastFractionZero = layout.fractionPlaces;
      } else {
        if (c == L'0' && layout.firstIntegerZero < 0) layout.firstIntegerZero = layout.integerPlaces;
        ++layout.integerPlaces;
      }
    } else if (c == L'.') {
      afterPoint = true;
    } else if (c == L',') {
      layout.grouping = true;
    } else if (size_t len = ScientificMarkLength(s, i); len != 0 && !layout.scientific) {
      layout.scientific = true;
      i += len - 1;
    }
  }
  return layout;
}

class SectionWriter {
 public:
  SectionWriter(const SectionLayout& layout, const DecimalForm& form, int exponent, const FormatSettings& settings)
      : layout_(layout), digits_(form.Digits()), e_(form.IsZero() ? 0 : exponent), settings_(settings) {}

  std::wstring Write(std::wstring_view s, int shownExponent) {
    int placesSeen = 0;
    bool pointSeen = false;
    int fractionSeen = 0;
    bool scientificDone = false;
    for (size_t i = 0; i < s.size(); ++i) {
      const wchar_t c = s[i];
      if (c == L'"' || c == L'\'') {
        size_t end = s.find(c, i + 1);
        if (end == std::wstring_view::npos) end = s.size();
        out_.append(s.substr(i + 1, end - i - 1));
        i = end;
      } else if (IsPlace(c) && !pointSeen) {
        if (placesSeen == 0) WriteExcessDigits();
        const int place = layout_.integerPlaces - placesSeen;
        const bool forced = layout_.firstIntegerZero >= 0 && placesSeen >= layout_.firstIntegerZero;
        ++placesSeen;
        if (place <= e_) {
          WriteIntegerDigit(IntegerDigit(place), place);
        } else if (forced) {
          WriteIntegerDigit(L'0', place);
        }
      } else if (IsPlace(c)) {
        ++fractionSeen;
        const int available = static_cast<int>(digits_.size()) - e_;
        if (fractionSeen <= available) {
          WriteFractionChar(FractionDigit(fractionSeen));
        } else if (fractionSeen <= layout_.lastFractionZero) {
          WriteFractionChar(L'0');
        }
      } else if (c == L'.') {
        if (!pointSeen && placesSeen == 0) WriteExcessDigits();
        pointSeen = true;
      } else if (c == L',') {
        // grouping only; never copied
      } else if (size_t len = ScientificMarkLength(s, i); len != 0 && layout_.scientific && !scientificDone) {
        scientificDone = true;
        out_ += c;
        if (shownExponent < 0) {
          out_ += L'-';
        } else if (s[i + 1] == L'+') {
          out_ += L'+';
        }
        std::wstring number = std::to_wstring(shownExponent < 0 ? -shownExponent : shownExponent);
        const size_t width = std::min<size_t>(len - 2, 4);
        if (number.size() < width) out_.append(width - number.size(), L'0');
        out_ += number;
        i += len - 1;
      } else {
        out_ += c;
      }
    }
    return out_;
  }

 private:
  wchar_t IntegerDigit(int place) const {
    const int index = e_ - place;
    return index < static_cast<int>(digits_.size()) ? static_cast<wchar_t>(digits_[index]) : L'0';
  }
  wchar_t FractionDigit(int place) const {
    const int index = e_ + place - 1;
    return index < 0 ? L'0' : static_cast<wchar_t>(digits_[index]);
  }
  // Integer digits beyond the pattern's places all go at the first place.
  void WriteExcessDigits() {
    if (excessWritten_) return;
    excessWritten_ = true;
    for (int place = e_; place > layout_.integerPlaces; --place) WriteIntegerDigit(IntegerDigit(place), place);
  }
  void WriteIntegerDigit(wchar_t digit, int place) {
    out_ += digit;
    if (layout_.grouping && place > 1 && place % 3 == 1) out_ += settings_.thousandSeparator;
  }
  void WriteFractionChar(wchar_t digit) {
    if (!separatorWritten_) {
      separatorWritten_ = true;
      out_ += settings_.decimalSeparator;
    }
    out_ += digit;
  }

  const SectionLayout& layout_;
  std::string_view digits_;
  int e_;
  const FormatSettings& settings_;
  std::wstring out_;
  bool excessWritten_ = false;
  bool separatorWritten_ = false;
};

}  // namespace

std::wstring FormatPatternNumber(std::wstring_view pattern, long double value, const FormatSettings& settings) {
  if (pattern.size() > kMaxPatternLength) throw EConvertError(L"Format string too long");
  const std::vector<std::wstring_view> sections = SplitSections(pattern);
  if (sections[0].empty()) return FormatGeneralNumber(value, settings);

  const bool negative = std::signbit(value) && !std::isnan(value);
  size_t chosen = (negative && sections.size() > 1 && !sections[1].empty()) ? 1 : 0;

  auto formOf = [&](const SectionLayout& layout) {
    if (layout.scientific) return ToDecimalForm(value, std::clamp(layout.integerPlaces + layout.fractionPlaces, 2, 18), 9999);
    return ToDecimalForm(value, 18, layout.fractionPlaces);
  };
  SectionLayout layout = Analyse(sections[chosen]);
  DecimalForm form = formOf(layout);
  if (form.IsZero() && sections.size() > 2 && !sections[2].empty()) {
    chosen = 2;
    layout = Analyse(sections[chosen]);
    form = formOf(layout);
    form.digitCount = 0;
  }
  if (form.IsInfinity() || form.IsNan() || (!layout.scientific && form.exponent > 18)) {
    return FormatGeneralNumber(value, settings);
  }

  std::wstring out;
  if (chosen == 0 && form.negative) out += L'-';
  int shownExponent = 0;
  int exponent = form.exponent;
  if (layout.scientific && !form.IsZero()) {
    shownExponent = form.exponent - layout.integerPlaces;
    exponent = layout.integerPlaces;
  }
  SectionWriter writer(layout, form, exponent, settings);
  out += writer.Write(sections[chosen], shownExponent);
  return out;
}

}  // namespace core
