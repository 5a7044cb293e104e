#pragma once
// TAboutBox: the About dialog. The program's title and picture, the system's
// version and memory, and a line of text that passes by once when the box
// opens; a click on the title or the picture then rolls the credits in an
// enlarged box. A fresh dialog is made for every opening (RunAboutBox).
#include <string>

#include "core/number_text.h"
#include "framework/form.h"

namespace fw {
class TBevel;
class TImage;
class TLabel;
}  // namespace fw

namespace fx {
class TFxLabel;
}

namespace skin {
class TSkinBtn;
class TSkinFormHook;
class TSkinScrollingText;
}  // namespace skin

namespace about {

class TAboutBox : public fw::TForm {
 public:
  // numberFormat: the separators the memory text is grouped with (not owned,
  // the process-wide settings).
  TAboutBox(fw::TComponent* owner, const core::FormatSettings& numberFormat);
  ~TAboutBox() override;
  std::wstring ClassName() const override { return L"TAboutBox"; }

  // ---- controls and components of the stored description (owned by the form)
  fw::TImage* Image1 = nullptr;
  fx::TFxLabel* FxLabel1 = nullptr;  // the title
  skin::TSkinScrollingText* SkinScrollingText1 = nullptr;
  fw::TBevel* Bevel1 = nullptr;
  fw::TLabel* OS = nullptr;
  fw::TLabel* Label3 = nullptr;
  fw::TLabel* PhysMem = nullptr;
  skin::TSkinBtn* OKButton = nullptr;
  skin::TSkinFormHook* SkinFormHook1 = nullptr;

  // ---- handlers
  void FormCreate(fw::TObject* sender);
  // Starts the credits unless a pass is running.
  void SKUNameClick(fw::TObject* sender);
  void SkinScrollingText1TextScrolled(fw::TObject* sender, bool& initialPosition);

  // Set while the notice line or the credits pass by; one flag for the whole
  // program, not per dialog.
  static bool CreditsBusy();

 private:
  void Describe();

  const core::FormatSettings& numberFormat_;
};

// Creates a fresh About box owned by the application, shows it modally and
// destroys it when it closes (also when showing it fails).
void RunAboutBox(const core::FormatSettings& numberFormat);

}  // namespace about
