#pragma once
// The unit catalog: the 24 rows of the source list and their factors.
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "core/texts.h"

namespace core {

enum class RowKind { kSeparator, kHeader, kUnit };

struct CatalogRow {
  RowKind kind;
  int category;  // 1 mass, 2 length, 3 volume; 0 for separators and headers
  std::wstring_view english;
  std::wstring_view russian;
  double factor;  // size of one unit in kilograms, metres or litres; 0 when not a unit

  std::wstring_view Text(Language language) const { return language == Language::kRussian ? russian : english; }
};

inline constexpr int kCatalogRows = 24;
inline constexpr int kUnitsPerCategory = 5;

std::span<const CatalogRow, kCatalogRows> Catalog();

// Unit `index` (0 to 4) of a category (1 to 3); nullptr when out of range.
const CatalogRow* UnitOfCategory(int category, int index);

std::vector<std::wstring> SourceListTexts(Language language);
std::vector<std::wstring> TargetListTexts(int category, Language language);

}  // namespace core
