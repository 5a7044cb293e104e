// Fuzz target: the main window's conversion behaviour (ConverterLogic and the
// keypad's step function) driven by a sequence of user actions through the
// recording view the core tests use.
//   input: a command-line text ending at a zero byte, then actions, each an
//   action byte and its data: pick a source row (-1 to 24), pick a target row
//   (0 to 4, when the list has rows), press a key (1 to 12), press a key up to
//   63 times, type a text (ending at a zero byte), switch the language,
//   switch the decimal separator.
// Checks: no exception but the core's own leaves a handler; each key press
// does what the step function says; a key pressed on a plain number text
// (digits and at most one decimal separator) leaves a text that parses; a
// result written parses back; no target factor holds while no target row is
// selected.
#include <algorithm>
#include <cmath>

#include "core/converter_logic.h"
#include "core/exceptions.h"
#include "core/keypad.h"
#include "fake_view.h"
#include "fuzz_input.h"

namespace {

bool Parses(const std::wstring& text, const core::FormatSettings& settings) {
  try {
    core::ParseDecimalText(text, settings);
    return true;
  } catch (const core::EConvertError&) {
    return false;
  }
}

// Digits and at most one decimal separator, short enough to stay within the
// extended range whatever the digits.
bool IsPlainNumber(const std::wstring& text, wchar_t separator) {
  if (text.empty() || text.size() > 4000) return false;
  if (std::count(text.begin(), text.end(), separator) > 1) return false;
  return std::all_of(text.begin(), text.end(), [&](wchar_t c) { return (c >= L'0' && c <= L'9') || c == separator; });
}

class Session {
 public:
  Session() : logic_(view_, settings_) { view_.logic = &logic_; }

  void Start(const std::wstring& commandLine) { logic_.FormShown(commandLine); }

  void Act(fuzz::FuzzInput& input) {
    view_.log.clear();  // only the controls' state is checked here
    const std::wstring resultBefore = view_.resultText;
    switch (input.Choice(7)) {
      case 0: view_.PickSource(input.Choice(26) - 1); break;
      case 1:
        if (!view_.targetItems.empty()) view_.PickTarget(input.Choice(static_cast<int>(view_.targetItems.size())));
        break;
      case 2: Press(static_cast<core::KeypadKey>(1 + input.Choice(12))); break;
      case 3: {
        const auto key = static_cast<core::KeypadKey>(1 + input.Choice(12));
        for (int n = input.Byte() % 64; n > 0; --n) Press(key);
        break;
      }
      case 4: view_.Type(input.Text(256)); break;
      case 5: logic_.ApplyLanguage(input.Byte() % 2 ? core::Language::kRussian : core::Language::kEnglish); break;
      case 6: settings_ = input.Byte() % 2 ? core::FormatSettings{L',', L'\u00A0'} : core::FormatSettings{L'.', L','}; break;
    }
    if (view_.targetIndex < 0) {
      fuzz::Check(logic_.state().secondFactor == 0, "no target factor without a selected target");
    }
    if (view_.resultText != resultBefore && !view_.resultText.empty()) {
      fuzz::Check(Parses(view_.resultText, settings_), "a written result parses back", view_.resultText);
    }
  }

 private:
  void Press(core::KeypadKey key) {
    const std::wstring before = view_.valueText;
    const core::KeypadOutcome expected = core::PressKeypadKey(
        key, {!view_.TargetText().empty(), logic_.firstKeyFlag(), before, settings_.decimalSeparator});
    const std::size_t messages = view_.messages.size();
    view_.Press(key);
    fuzz::Check(view_.valueText == expected.valueText, "the key does what the entry rules say", view_.valueText);
    fuzz::Check(logic_.firstKeyFlag() == expected.firstKeyFlag, "the first-key flag follows the entry rules");
    fuzz::Check(view_.messages.size() == messages + (expected.message ? 1 : 0), "one message per refusal");
    if (expected.message) fuzz::Check(before == view_.valueText, "a refused key leaves the text", before);
    if (IsPlainNumber(before, settings_.decimalSeparator) && Parses(before, settings_)) {
      fuzz::Check(Parses(view_.valueText, settings_), "the keypad never makes a number text unreadable", view_.valueText);
    }
  }

  core::FormatSettings settings_;
  FakeView view_;
  core::ConverterLogic logic_;
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  fuzz::FuzzInput input(data, size);
  Session session;
  session.Start(input.Text(300));
  while (!input.Empty()) session.Act(input);
  return 0;
}
