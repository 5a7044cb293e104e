#pragma once
// The information shown when printing finds no printer, in the interface language.
#include <string_view>

#include "core/texts.h"

namespace app {

inline std::wstring_view NoPrinterText(core::Language language) {
  return language == core::Language::kRussian
             ? std::wstring_view(L"Принтер не установлен. Установите принтер, чтобы напечатать результат.")
             : std::wstring_view(L"No printer is installed. Install a printer to print the conversion.");
}

}  // namespace app
