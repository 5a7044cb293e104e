#pragma once
// A recording stand-in for the main window: it keeps the controls' state the
// way the real controls do and logs every call in order.
#include <string>
#include <vector>

#include "core/converter_logic.h"
#include "core/converter_view.h"
#include "core/exceptions.h"

class FakeView : public core::ConverterView {
 public:
  core::ConverterLogic* logic = nullptr;  // receives the value field's change event; not owned

  std::vector<std::wstring> sourceItems, targetItems;
  int sourceIndex = -1, targetIndex = -1;
  std::wstring valueText = L"1";
  std::wstring resultText;
  std::vector<core::Message> messages;
  std::vector<std::wstring> log;

  std::vector<std::wstring> errors;  // what the default error display would show

  // User actions. Each runs one event handler; an exception that leaves it is
  // recorded as the error display would show it, and the run carries on.
  void PickSource(int index) {
    sourceIndex = index;
    Dispatch([&] { logic->SourceListChanged(); });
  }
  void PickTarget(int index) {
    targetIndex = index;
    Dispatch([&] { logic->TargetListChanged(); });
  }
  void Press(core::KeypadKey key) {
    Dispatch([&] { logic->KeyPressed(key); });
  }
  void Type(const std::wstring& text) { SetValueText(text); }

  void SetCaption(core::TextItem item, std::wstring_view text) override {
    log.push_back(L"caption " + std::to_wstring(static_cast<int>(item)) + L" " + std::wstring(text));
  }
  void SetHint(core::TextItem item, std::wstring_view text) override {
    log.push_back(L"hint " + std::to_wstring(static_cast<int>(item)) + L" " + std::wstring(text));
  }
  void SetSourceItems(const std::vector<std::wstring>& items) override {
    sourceItems = items;
    sourceIndex = -1;
    log.push_back(L"source items " + std::to_wstring(items.size()));
  }
  int SourceIndex() const override { return sourceIndex; }
  void SetTargetItems(const std::vector<std::wstring>& items) override {
    targetItems = items;
    targetIndex = -1;
    log.push_back(L"target items " + std::to_wstring(items.size()));
  }
  int TargetIndex() const override { return targetIndex; }
  std::wstring TargetText() const override {
    return targetIndex >= 0 && targetIndex < static_cast<int>(targetItems.size()) ? targetItems[targetIndex] : L"";
  }
  std::wstring ValueText() const override { return valueText; }
  void SetValueText(const std::wstring& text) override {
    if (text == valueText) return;  // an equal text raises no change event
    valueText = text;
    log.push_back(L"value " + text);
    Dispatch([&] { logic->ValueFieldChanged(); });
  }
  void SetResultText(const std::wstring& text) override {
    resultText = text;
    log.push_back(L"result " + text);
  }
  void ShowMessage(const core::Message& message) override {
    messages.push_back(message);
    log.push_back(L"message " + std::wstring(message.text));
  }

 private:
  template <class F>
  void Dispatch(F handler) {
    try {
      handler();
    } catch (const core::Exception& e) {
      errors.push_back(e.Message());
      log.push_back(L"error " + e.Message());
    }
  }
};
