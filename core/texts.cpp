#include "core/texts.h"

namespace core {
namespace {

constexpr LanguageTexts kEnglish{
    L"&Print", L"Print",
    L"&About", L"About",
    L"&Close", L"Close",
    L"Quantity converter",
    L"Meaning input", L"Meaning quantity for conversion", L"Result",
    L"    What  ???   ", L"  Type quantity measure   ",
    L"From unit", L"To unit",
    L"Decimal separator", L"Clear",
};

constexpr LanguageTexts kRussian{
    L"&Печать", L"Печать",
    L"&Подробнее", L"О программе",
    L"&Закрыть", L"Закрыть",
    L"Конвертер величин",
    L"Ввод значения", L"Выбор величин для конвертации", L"Результат",
    L" Издеваетесь ??? ", L" Введите величины для конвертации ",
    L"Из единицы", L"В единицу",
    L"Десятичный разделитель", L"Очистить",
};

}  // namespace

const LanguageTexts& TextsFor(Language language) { return language == Language::kRussian ? kRussian : kEnglish; }

}  // namespace core
