#include "about/about_texts.h"

#include "core/texts.h"

namespace about {

const AboutTexts& TextsForPrintHint(std::wstring_view printButtonHint) {
  return printButtonHint == core::kEnglishPrintHint ? kEnglishTexts : kRussianTexts;
}

}  // namespace about
