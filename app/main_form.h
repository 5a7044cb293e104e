#pragma once
// TForm1: the main window. Its stored description places every control and
// component; its handlers hand the events to the conversion logic of the
// core, which sees the window through core::ConverterView.
#include <array>
#include <functional>
#include <string>

#include "app/printing.h"
#include "core/converter_logic.h"
#include "core/converter_view.h"
#include "framework/form.h"

namespace skin {
class TSkinBtn;
class TSkinComboBox;
class TSkinEdit;
class TSkinLabel;
}  // namespace skin

namespace fx {
class TFxFormFill;
class TFxFormShadow;
class TFxOneInstance;
class TFxShapeHint;
class TFxSysInfo;
}  // namespace fx

namespace app {

// The longest value text the value field takes; a longer one is refused with
// an error, never cut. Every double written out in full, digit by digit
// (at most 309 integer digits, or "0." and 340 more), fits.
inline constexpr int kValueTextLimit = 512;

class TForm1 : public fw::TForm, private core::ConverterView {
 public:
  explicit TForm1(fw::TComponent* owner);
  ~TForm1() override;
  std::wstring ClassName() const override { return L"TForm1"; }
  // The control's own setters, beside the view's per-item ones below.
  using fw::TControl::SetCaption;
  using fw::TControl::SetHint;

  // ---- controls and components of the stored description (owned by the form)
  skin::TSkinLabel* SkinLabel1 = nullptr;  // over the value field
  skin::TSkinLabel* SkinLabel2 = nullptr;  // over the two lists
  skin::TSkinLabel* SkinLabel3 = nullptr;  // over the result field
  skin::TSkinComboBox* SkinComboBox1 = nullptr;  // source units
  skin::TSkinComboBox* SkinComboBox2 = nullptr;  // target units
  skin::TSkinEdit* SkinEdit1 = nullptr;  // value
  skin::TSkinEdit* SkinEdit2 = nullptr;  // result
  skin::TSkinBtn* AboutBtn = nullptr;
  skin::TSkinBtn* PrintBtn = nullptr;
  skin::TSkinBtn* CloseBtn = nullptr;
  fx::TFxOneInstance* FxOneInstance1 = nullptr;
  fx::TFxFormShadow* FxFormShadow1 = nullptr;
  fx::TFxFormFill* FxFormFill1 = nullptr;
  fx::TFxShapeHint* FxShapeHint1 = nullptr;
  fx::TFxSysInfo* FxSysInfo1 = nullptr;
  // Keypad key n (1 to 12): SkinBtn1 .. SkinBtn12.
  skin::TSkinBtn* SkinBtn(int n) const { return keys_.at(static_cast<size_t>(n)); }

  // ---- handlers
  void FormShow(fw::TObject* sender);
  void CloseBtnClick(fw::TObject* sender);
  void AboutBtnClick(fw::TObject* sender);
  void PrintBtnClick(fw::TObject* sender);
  void SkinComboBox1Change(fw::TObject* sender);
  void SkinComboBox2Change(fw::TObject* sender);
  void SkinEdit1Change(fw::TObject* sender);
  void SkinBtn1Click(fw::TObject* sender);
  void SkinBtn2Click(fw::TObject* sender);
  void SkinBtn3Click(fw::TObject* sender);
  void SkinBtn4Click(fw::TObject* sender);
  void SkinBtn5Click(fw::TObject* sender);
  void SkinBtn6Click(fw::TObject* sender);
  void SkinBtn7Click(fw::TObject* sender);
  void SkinBtn8Click(fw::TObject* sender);
  void SkinBtn9Click(fw::TObject* sender);
  void SkinBtn10Click(fw::TObject* sender);
  void SkinBtn11Click(fw::TObject* sender);
  void SkinBtn12Click(fw::TObject* sender);

  const core::ConverterLogic& Logic() const { return logic_; }
  core::Language Language() const { return logic_.language(); }

  // The printers PrintBtnClick uses (the system's unless replaced); not owned.
  void SetPrinters(PrinterSystem& printers) { printers_ = &printers; }
  // The command line the language is chosen from (the process's own unless set).
  void SetCommandLine(std::wstring commandLine) { commandLine_ = std::move(commandLine); }

 private:
  void Describe();
  // The names screen readers give the controls no visible text of their
  // own names: the fields by their headings, the lists and two keys by short
  // names, all in the interface language.
  void NameControls();

  // core::ConverterView
  void SetCaption(core::TextItem item, std::wstring_view text) override;
  void SetHint(core::TextItem item, std::wstring_view text) override;
  void SetSourceItems(const std::vector<std::wstring>& items) override;
  int SourceIndex() const override;
  void SetTargetItems(const std::vector<std::wstring>& items) override;
  int TargetIndex() const override;
  std::wstring TargetText() const override;
  std::wstring ValueText() const override;
  void SetValueText(const std::wstring& text) override;
  void SetResultText(const std::wstring& text) override;
  void ShowMessage(const core::Message& message) override;

  std::array<skin::TSkinBtn*, 13> keys_{};  // [0] unused
  core::ConverterLogic logic_;
  std::wstring sourceUnit_;  // the unit row last chosen in the source list
  PrinterSystem* printers_;
  std::wstring commandLine_;
};

}  // namespace app
