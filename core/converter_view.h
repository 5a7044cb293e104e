#pragma once
// What the conversion logic needs of the main window. The window implements it
// over its controls; tests implement it to record calls.
#include <string>
#include <string_view>
#include <vector>

#include "core/messages.h"

namespace core {

// Controls whose caption (and, for the three buttons, hint) follows the language.
enum class TextItem {
  kPrintButton,     // PrintBtn
  kAboutButton,     // AboutBtn
  kCloseButton,     // CloseBtn
  kWindow,          // Form1
  kValueHeading,    // SkinLabel1
  kPairHeading,     // SkinLabel2
  kResultHeading,   // SkinLabel3
};

class ConverterView {
 public:
  virtual ~ConverterView() = default;

  virtual void SetCaption(TextItem item, std::wstring_view text) = 0;
  virtual void SetHint(TextItem item, std::wstring_view text) = 0;

  // Source list (SkinComboBox1): clear, then add the rows in order.
  virtual void SetSourceItems(const std::vector<std::wstring>& items) = 0;
  virtual int SourceIndex() const = 0;

  // Target list (SkinComboBox2): clear, then add the rows; no entry selected afterwards.
  virtual void SetTargetItems(const std::vector<std::wstring>& items) = 0;
  virtual int TargetIndex() const = 0;
  // Text of the selected target entry; empty while none is selected.
  virtual std::wstring TargetText() const = 0;

  // Value field (SkinEdit1). Setting a different text raises the field's change
  // event, which the window routes to ConverterLogic::ValueFieldChanged.
  virtual std::wstring ValueText() const = 0;
  virtual void SetValueText(const std::wstring& text) = 0;

  // Result field (SkinEdit2).
  virtual void SetResultText(const std::wstring& text) = 0;

  // A modal message dialog with one OK button.
  virtual void ShowMessage(const Message& message) = 0;
};

}  // namespace core
