#pragma once
// The printed page of a conversion. One routine draws it into any device
// context (a printer, an enhanced metafile, a bitmap), scaled to the
// context's resolution.
#include <windows.h>

#include <string>

#include "core/texts.h"

namespace app {

struct PrintedConversion {
  std::wstring title;     // the program title
  std::wstring dateTime;  // when it was printed
  std::wstring sourceUnit;
  std::wstring targetUnit;
  std::wstring value;   // the value field as shown
  std::wstring result;  // the result field as shown
  core::Language language = core::Language::kEnglish;
};

// Labels of the page's lines in the interface language.
struct PrintLabels {
  const wchar_t* dateTime;
  const wchar_t* sourceUnit;
  const wchar_t* targetUnit;
  const wchar_t* value;
  const wchar_t* result;
};
const PrintLabels& PrintLabelsFor(core::Language language);

// Draws the page with its top-left printable corner at the context's origin;
// `pageWidth` is the printable width in device units (HORZRES for a printer).
// Leaves the context's state as it found it.
void DrawPrintPage(HDC dc, int pageWidth, const PrintedConversion& page);

// Date and time in the user's locale, e.g. "12/8/2026 10:15:00 AM".
std::wstring FormatPrintDateTime(const SYSTEMTIME& time);

}  // namespace app
