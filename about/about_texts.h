#pragma once
// The About box's texts: the two languages' caption and title, the notice
// line that passes by when the box opens, and the credits roll.
#include <array>
#include <string_view>

#include "assets/version.h"

namespace about {

struct AboutTexts {
  std::wstring_view caption;  // the dialog's
  std::wstring_view title;    // FxLabel1's
};

// The titles show the major and minor version of assets/version.h ("v 2.3").
inline constexpr AboutTexts kEnglishTexts{
    L"About quantity converter", L"Quantity converter    v " CONVERTER_VERSION_SHORT_TEXT "   "};
inline constexpr AboutTexts kRussianTexts{
    L"О конверторе величин", L"Конвертор величин   v " CONVERTER_VERSION_SHORT_TEXT "  "};

// The box does not know the language; it follows the main window, whose
// Print button's hint is "Print" exactly when the interface is English.
const AboutTexts& TextsForPrintHint(std::wstring_view printButtonHint);

// The maker's notice; it passes right to left once when the box opens, with
// a space added at each end.
inline constexpr std::wstring_view kNoticeLine = L"Copyright \u00A9 2026 Converter contributors, MIT License";

// Rolls from the bottom up in a fixed-pitch font: the names start in the
// twentieth column.
inline constexpr std::array<std::wstring_view, 6> kCreditLines{
    L"  Programming:     Converter contributors",
    L"                   MIT License, 2026 ",
    L"",
    L"  Consulting:      Converter contributors",
    L"                   (see the project history)",
    L"",
};

}  // namespace about
