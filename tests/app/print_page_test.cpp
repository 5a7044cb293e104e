// The printed page: drawn into an enhanced metafile (its text records hold
// every line) and into a bitmap (ink where the lines are, none elsewhere).
#include "app/print_page.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "graphics/font.h"
#include "graphics/gdi.h"
#include "tests/support/dib_surface.h"

namespace {

app::PrintedConversion SamplePage(core::Language language) {
  app::PrintedConversion page;
  page.title = L"Converter";
  page.dateTime = L"12/8/2026 10:15:00";
  page.sourceUnit = language == core::Language::kRussian ? L"Килограмм" : L"Kilogram";
  page.targetUnit = language == core::Language::kRussian ? L"Фунт" : L"Pound";
  page.value = L"1";
  page.result = L"2.20462442018378";
  page.language = language;
  return page;
}

int CALLBACK CollectText(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) {
  if (record->iType == EMR_EXTTEXTOUTW) {
    const auto* text = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
    const auto* chars = reinterpret_cast<const wchar_t*>(reinterpret_cast<const BYTE*>(record) + text->emrtext.offString);
    reinterpret_cast<std::vector<std::wstring>*>(data)->emplace_back(chars, text->emrtext.nChars);
  }
  return 1;
}

std::vector<std::wstring> TextsOfPage(const app::PrintedConversion& page) {
  HDC dc = CreateEnhMetaFileW(nullptr, nullptr, nullptr, nullptr);
  EXPECT_NE(dc, nullptr);
  app::DrawPrintPage(dc, 800, page);
  HENHMETAFILE emf = CloseEnhMetaFile(dc);
  std::vector<std::wstring> texts;
  EnumEnhMetaFile(nullptr, emf, CollectText, &texts, nullptr);
  DeleteEnhMetaFile(emf);
  return texts;
}

bool Contains(const std::vector<std::wstring>& texts, const std::wstring& text) {
  for (const auto& t : texts)
    if (t == text) return true;
  return false;
}

TEST(PrintPage, MetafileHoldsTitleDateUnitsValueAndResult) {
  const app::PrintedConversion page = SamplePage(core::Language::kEnglish);
  const auto texts = TextsOfPage(page);
  for (const auto* expected : {L"Converter", L"12/8/2026 10:15:00", L"Kilogram", L"Pound", L"1", L"2.20462442018378",
                               L"Source unit:", L"Target unit:", L"Value:", L"Result:", L"Date and time:"}) {
    EXPECT_TRUE(Contains(texts, expected)) << "missing: " << std::string(expected, expected + wcslen(expected));
  }
}

TEST(PrintPage, RussianLabelsAndUnits) {
  const auto texts = TextsOfPage(SamplePage(core::Language::kRussian));
  EXPECT_TRUE(Contains(texts, L"Килограмм"));
  EXPECT_TRUE(Contains(texts, L"Фунт"));
  EXPECT_TRUE(Contains(texts, L"Результат:"));
  EXPECT_FALSE(Contains(texts, L"Result:"));
}

// A white 32-bit surface of the given size with the page drawn into it.
struct RenderedPage {
  int width, height;
  std::unique_ptr<fwtest::DibSurface> pixels;
  bool Ink(int x, int y) const {
    const COLORREF c = pixels->At(x, y);
    return GetRValue(c) < 128 && GetGValue(c) < 128 && GetBValue(c) < 128;
  }
  int InkInRows(int top, int bottom) const {
    int n = 0;
    for (int y = top; y < bottom; ++y)
      for (int x = 0; x < width; ++x) n += Ink(x, y);
    return n;
  }
};

RenderedPage Render(const app::PrintedConversion& page, int width, int height) {
  RenderedPage out{width, height, std::make_unique<fwtest::DibSurface>(width, height, RGB(255, 255, 255))};
  app::DrawPrintPage(out.pixels->DC(), width, page);
  return out;
}

TEST(PrintPage, BitmapHasInkOnTheLinesAndLeavesItsStateAlone) {
  const long before = fw::GdiCounters::Live();
  const RenderedPage r = Render(SamplePage(core::Language::kEnglish), 700, 500);
  EXPECT_EQ(fw::GdiCounters::Live(), before);
  // Margins are half an inch at the screen's resolution.
  const int margin = fw::ScreenPixelsPerInch() / 2;
  EXPECT_EQ(r.InkInRows(0, margin - 1), 0) << "nothing above the top margin";
  for (int y = 0; y < r.height; ++y)
    for (int x = 0; x < margin - 1; ++x) ASSERT_FALSE(r.Ink(x, y)) << "ink left of the margin at " << x << "," << y;
  EXPECT_GT(r.InkInRows(margin, margin + 40), 50) << "the title";
  EXPECT_GT(r.InkInRows(margin + 60, r.height), 500) << "the five lines";
}

TEST(PrintPage, DateAndTimeFollowTheUserLocale) {
  SYSTEMTIME t{};
  t.wYear = 2026;
  t.wMonth = 12;
  t.wDay = 8;
  t.wHour = 10;
  t.wMinute = 15;
  t.wSecond = 30;
  const std::wstring text = app::FormatPrintDateTime(t);
  EXPECT_NE(text.find(L"2026"), std::wstring::npos);
  EXPECT_NE(text.find(L"15"), std::wstring::npos);
  EXPECT_NE(text.find(L"30"), std::wstring::npos);
}

}  // namespace
