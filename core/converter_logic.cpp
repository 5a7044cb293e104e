#include "core/converter_logic.h"

#include "core/catalog.h"
#include "core/command_line.h"

namespace core {

void ConverterLogic::FormShown(std::wstring_view commandLine) {
  firstKeyFlag_ = false;
  language_ = Language::kEnglish;
  ApplyLanguage(ChooseLanguage(commandLine));
}

void ConverterLogic::ApplyLanguage(Language language) {
  language_ = language;
  const LanguageTexts& texts = TextsFor(language);
  view_.SetCaption(TextItem::kPrintButton, texts.printCaption);
  view_.SetHint(TextItem::kPrintButton, texts.printHint);
  view_.SetCaption(TextItem::kAboutButton, texts.aboutCaption);
  view_.SetHint(TextItem::kAboutButton, texts.aboutHint);
  view_.SetCaption(TextItem::kCloseButton, texts.closeCaption);
  view_.SetHint(TextItem::kCloseButton, texts.closeHint);
  view_.SetCaption(TextItem::kWindow, texts.windowCaption);
  view_.SetCaption(TextItem::kValueHeading, texts.valueHeading);
  view_.SetCaption(TextItem::kPairHeading, texts.pairHeading);
  view_.SetCaption(TextItem::kResultHeading, texts.resultHeading);
  view_.SetSourceItems(SourceListTexts(language));
}

void ConverterLogic::SourceListChanged() {
  const int index = view_.SourceIndex();
  if (index < 0 || index >= kCatalogRows || Catalog()[index].kind != RowKind::kUnit) {
    view_.ShowMessage(MessageFor(MessageId::kNotAUnit, language_));
    return;
  }
  const CatalogRow& row = Catalog()[index];
  view_.SetTargetItems(TargetListTexts(row.category, language_));
  resultIsCurrent_ = false;
  view_.SetResultText(std::wstring());
  state_.category = row.category;
  state_.firstFactor = row.factor;
  // The refilled target list has no selection, so no target factor holds any
  // more: typing now reports the missing target instead of converting with
  // the previous pair's factor into a number of another category.
  state_.secondFactor = 0;
}

void ConverterLogic::TargetListChanged() {
  const CatalogRow* unit = UnitOfCategory(state_.category, view_.TargetIndex());
  if (!unit) return;
  state_.secondFactor = unit->factor;
  ConvertValue();
}

void ConverterLogic::ValueFieldChanged() { ConvertValue(); }

void ConverterLogic::ConvertValue() {
  // On failure the exception leaves before the result field is touched, so
  // the field keeps the result of an earlier value.
  resultIsCurrent_ = false;
  view_.SetResultText(Convert(view_.ValueText(), state_.firstFactor, state_.secondFactor, settings_));
  resultIsCurrent_ = true;
}

void ConverterLogic::KeyPressed(KeypadKey key) {
  const std::wstring before = view_.ValueText();
  const KeypadOutcome outcome = PressKeypadKey(
      key, KeypadInput{!view_.TargetText().empty(), firstKeyFlag_, before, settings_.decimalSeparator});
  firstKeyFlag_ = outcome.firstKeyFlag;
  if (outcome.message) view_.ShowMessage(MessageFor(*outcome.message, language_));
  if (outcome.valueText != before) view_.SetValueText(outcome.valueText);
}

}  // namespace core
