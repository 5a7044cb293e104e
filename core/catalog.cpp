#include "core/catalog.h"

namespace core {
namespace {

constexpr std::wstring_view kRule = L"--------------";

constexpr CatalogRow kRows[kCatalogRows] = {
    {RowKind::kSeparator, 0, kRule, kRule, 0},
    {RowKind::kHeader, 0, L"Mass measure", L"Меры веса", 0},
    {RowKind::kSeparator, 0, kRule, kRule, 0},
    {RowKind::kUnit, 1, L"Ton metric", L"Тонна метрическая", 1000},
    {RowKind::kUnit, 1, L"Ton Short", L"Тонна короткая", 907.184},
    {RowKind::kUnit, 1, L"Kilogram", L"Килограмм", 1},
    {RowKind::kUnit, 1, L"Pound", L"Фунт", 0.453592},
    {RowKind::kUnit, 1, L"Ounce", L"Унция", 0.0283495},
    {RowKind::kSeparator, 0, kRule, kRule, 0},
    {RowKind::kHeader, 0, L"Length measure", L"Меры длины", 0},
    {RowKind::kSeparator, 0, kRule, kRule, 0},
    {RowKind::kUnit, 2, L"Kilometer", L"Километр", 1000},
    {RowKind::kUnit, 2, L"Meter", L"Метр", 1},
    {RowKind::kUnit, 2, L"Mile USA", L"Миля американская", 1609.344},
    {RowKind::kUnit, 2, L"Feet", L"Фут", 0.3048},
    {RowKind::kUnit, 2, L"Inch", L"Дюйм", 0.0254},
    {RowKind::kSeparator, 0, kRule, kRule, 0},
    {RowKind::kHeader, 0, L"Volume measure", L"Меры объема", 0},
    {RowKind::kSeparator, 0, kRule, kRule, 0},
    // A cubic metre is 1000 litres (the unit's name once said kilometre).
    {RowKind::kUnit, 3, L"Cubic meter", L"Кубометр", 1000},
    {RowKind::kUnit, 3, L"Liter", L"Литр", 1},
    {RowKind::kUnit, 3, L"Barrel British", L"Баррель англ.", 163.65456},
    {RowKind::kUnit, 3, L"Barrel USA", L"Баррель амер.", 158.988},
    {RowKind::kUnit, 3, L"Cubic foot", L"Кубический фут", 28.32},
};

constexpr int kFirstUnitRow[4] = {0, 3, 11, 19};

}  // namespace

std::span<const CatalogRow, kCatalogRows> Catalog() { return std::span<const CatalogRow, kCatalogRows>(kRows); }

const CatalogRow* UnitOfCategory(int category, int index) {
  if (category < 1 || category > 3 || index < 0 || index >= kUnitsPerCategory) return nullptr;
  return &kRows[kFirstUnitRow[category] + index];
}

std::vector<std::wstring> SourceListTexts(Language language) {
  std::vector<std::wstring> texts;
  texts.reserve(kCatalogRows);
  for (const CatalogRow& row : kRows) texts.emplace_back(row.Text(language));
  return texts;
}

std::vector<std::wstring> TargetListTexts(int category, Language language) {
  std::vector<std::wstring> texts;
  for (int i = 0; i < kUnitsPerCategory; ++i) {
    if (const CatalogRow* row = UnitOfCategory(category, i)) texts.emplace_back(row->Text(language));
  }
  return texts;
}

}  // namespace core
