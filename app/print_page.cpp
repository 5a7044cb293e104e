#include "app/print_page.h"

#include <algorithm>
#include <utility>

#include "graphics/gdi.h"

namespace app {
namespace {

fw::GdiFont MakeFont(HDC dc, int points, bool bold) {
  LOGFONTW lf{};
  lf.lfHeight = -MulDiv(points, GetDeviceCaps(dc, LOGPIXELSY), 72);
  lf.lfWeight = bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = DEFAULT_CHARSET;
  lf.lfOutPrecision = OUT_TT_PRECIS;
  lf.lfQuality = DEFAULT_QUALITY;
  wcscpy_s(lf.lfFaceName, L"Times New Roman");
  return fw::GdiFont(CreateFontIndirectW(&lf));
}

SIZE Extent(HDC dc, const std::wstring& text) {
  SIZE size{};
  GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &size);
  return size;
}

void Text(HDC dc, int x, int y, const std::wstring& text) {
  TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
}

}  // namespace

const PrintLabels& PrintLabelsFor(core::Language language) {
  static const PrintLabels english{L"Date and time:", L"Source unit:", L"Target unit:", L"Value:", L"Result:"};
  static const PrintLabels russian{L"Дата и время:", L"Исходная единица:", L"Единица результата:", L"Значение:",
                                   L"Результат:"};
  return language == core::Language::kRussian ? russian : english;
}

void DrawPrintPage(HDC dc, int pageWidth, const PrintedConversion& page) {
  fw::SavedDC saved(dc);
  SetMapMode(dc, MM_TEXT);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(0, 0, 0));
  SetTextAlign(dc, TA_LEFT | TA_TOP | TA_NOUPDATECP);

  // Half an inch of margin on top of the printer's own unprintable border.
  const int margin = GetDeviceCaps(dc, LOGPIXELSX) / 2;
  int y = GetDeviceCaps(dc, LOGPIXELSY) / 2;

  fw::GdiFont titleFont = MakeFont(dc, 20, true);
  fw::GdiFont bodyFont = MakeFont(dc, 12, false);
  {
    fw::SelectGuard font(dc, titleFont.Get());
    Text(dc, margin, y, page.title);
    y += Extent(dc, page.title.empty() ? std::wstring(L"X") : page.title).cy;
  }
  // A rule under the title across the printable width.
  const int ruleWidth = std::max(1, GetDeviceCaps(dc, LOGPIXELSY) / 72);
  fw::GdiPen pen(CreatePen(PS_SOLID, ruleWidth, RGB(0, 0, 0)));
  {
    fw::SelectGuard selectPen(dc, pen.Get());
    y += ruleWidth * 4;
    MoveToEx(dc, margin, y, nullptr);
    LineTo(dc, std::max(margin + 1, pageWidth - margin), y);
    y += ruleWidth * 8;
  }

  fw::SelectGuard font(dc, bodyFont.Get());
  const PrintLabels& labels = PrintLabelsFor(page.language);
  const std::pair<std::wstring, const std::wstring*> lines[] = {
      {labels.dateTime, &page.dateTime}, {labels.sourceUnit, &page.sourceUnit},
      {labels.targetUnit, &page.targetUnit}, {labels.value, &page.value},
      {labels.result, &page.result},
  };
  int labelWidth = 0;
  for (const auto& line : lines) labelWidth = std::max(labelWidth, static_cast<int>(Extent(dc, line.first).cx));
  const int lineHeight = Extent(dc, L"Xy").cy;
  const int valueLeft = margin + labelWidth + lineHeight;
  for (const auto& [label, value] : lines) {
    Text(dc, margin, y, label);
    Text(dc, valueLeft, y, *value);
    y += lineHeight * 3 / 2;
  }
}

std::wstring FormatPrintDateTime(const SYSTEMTIME& time) {
  wchar_t date[96] = {};
  wchar_t clock[64] = {};
  GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &time, nullptr, date, 96);
  GetTimeFormatW(LOCALE_USER_DEFAULT, 0, &time, nullptr, clock, 64);
  return std::wstring(date) + L" " + clock;
}

}  // namespace app
