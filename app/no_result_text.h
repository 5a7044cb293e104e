#pragma once
// The information shown when Print finds no result that belongs to the value
// shown (the last conversion failed, or none ran since a new source unit).
#include <string_view>

#include "core/texts.h"

namespace app {

inline std::wstring_view NoResultText(core::Language language) {
  return language == core::Language::kRussian
             ? std::wstring_view(L"Нет верного результата для печати: значение не переведено.")
             : std::wstring_view(L"There is no valid result to print: the value has not been converted.");
}

}  // namespace app
