#pragma once
// Every interface text of the main window, in both interface languages.
#include <string_view>

namespace core {

enum class Language { kEnglish, kRussian };

// Texts that follow the interface language.
struct LanguageTexts {
  std::wstring_view printCaption, printHint;
  std::wstring_view aboutCaption, aboutHint;
  std::wstring_view closeCaption, closeHint;
  std::wstring_view windowCaption;
  std::wstring_view valueHeading, pairHeading, resultHeading;  // SkinLabel1, SkinLabel2, SkinLabel3
  std::wstring_view notAUnitMessage, noTargetMessage;
  // What a screen reader calls the controls that no visible text names apart:
  // the two unit lists (one heading covers both), the decimal key (".") and
  // the clear key ("C"). The value and result fields are named by their headings.
  std::wstring_view sourceListName, targetListName;
  std::wstring_view decimalKeyName, clearKeyName;
};

const LanguageTexts& TextsFor(Language language);

// Texts that stay the same in both languages.
inline constexpr std::wstring_view kManyZerosMessage = L" Точно издеваетесь ";
inline constexpr std::wstring_view kValueFieldHint = L"Ввод значения";
inline constexpr std::wstring_view kResultFieldHint = L"Результат";
inline constexpr std::wstring_view kSourceListHint = L"Выбор первой  единицы измерения";
inline constexpr std::wstring_view kTargetListHint = L"Выбор второй единицы измерения";
inline constexpr std::wstring_view kApplicationTitle = L"Converter";

// The About dialog tells the language by this hint of the Print button.
inline constexpr std::wstring_view kEnglishPrintHint = L"Print";

}  // namespace core
