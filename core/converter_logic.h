#pragma once
// The main window's conversion behaviour: the two list handlers, the value
// field's change, the twelve keypad keys and applying the interface language.
// Exceptions from Convert leave the handlers for the window's error display.
#include <string_view>

#include "core/conversion.h"
#include "core/converter_view.h"
#include "core/keypad.h"
#include "core/number_text.h"
#include "core/texts.h"

namespace core {

class ConverterLogic {
 public:
  // Neither is owned; both must outlive the logic. The settings are the
  // process-wide separators, which the application may update at any time.
  ConverterLogic(ConverterView& view, const FormatSettings& settings) : view_(view), settings_(settings) {}

  // FormShow: clears the first-key flag and applies the language that the
  // command line chooses.
  void FormShown(std::wstring_view commandLine);
  void ApplyLanguage(Language language);

  void SourceListChanged();  // SkinComboBox1Change
  void TargetListChanged();  // SkinComboBox2Change
  void ValueFieldChanged();  // SkinEdit1Change
  void KeyPressed(KeypadKey key);  // SkinBtn1Click .. SkinBtn12Click

  Language language() const { return language_; }
  const ConversionState& state() const { return state_; }
  bool firstKeyFlag() const { return firstKeyFlag_; }
  // True while the result field holds the conversion of the value text as it
  // stands: after a failed conversion or a new source unit it holds none.
  bool resultIsCurrent() const { return resultIsCurrent_; }

 private:
  void ConvertValue();

  ConverterView& view_;
  const FormatSettings& settings_;
  Language language_ = Language::kEnglish;
  ConversionState state_;
  bool firstKeyFlag_ = false;
  bool resultIsCurrent_ = false;
};

}  // namespace core
