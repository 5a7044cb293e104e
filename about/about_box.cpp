#include "about/about_box.h"

#include <windows.h>

#include <memory>

#include "about/about_texts.h"
#include "about/system_facts.h"
#include "assets/resource_names.h"
#include "controls/scrolling_text.h"
#include "controls/skin_button.h"
#include "controls/skin_form_hook.h"
#include "effects/fx_label.h"
#include "framework/application.h"
#include "stdctrls/extctrls.h"
#include "stdctrls/label.h"

namespace about {

namespace {

bool creditsBusy = false;

void SetFont(fw::TFont& font, const wchar_t* name, int height, fw::TColor color, BYTE charset, bool bold) {
  font.SetName(name);
  font.SetHeight(height);
  font.SetColor(color);
  font.SetCharset(charset);
  font.SetStyle(bold ? fw::TFontStyles{fw::fsBold} : fw::TFontStyles{});
}

// A picture from the program's resources; left empty when it has none.
void LoadPicture(fw::TBitmap& bitmap, const wchar_t* name) {
  HINSTANCE module = GetModuleHandleW(nullptr);
  if (FindResourceW(module, name, MAKEINTRESOURCEW(2))) bitmap.LoadFromResource(module, name);
}

// The hint of the main window's Print button, which tells the language.
std::wstring PrintButtonHint() {
  fw::TApplication& app = fw::Application();
  if (!app.MainForm()) return {};
  const auto* button = dynamic_cast<const fw::TControl*>(app.MainForm()->FindComponent(L"PrintBtn"));
  return button ? button->Hint() : std::wstring();
}

}  // namespace

TAboutBox::TAboutBox(fw::TComponent* owner, const core::FormatSettings& numberFormat)
    : fw::TForm(owner), numberFormat_(numberFormat) {
  ReadDescription([this] { Describe(); });
}

TAboutBox::~TAboutBox() = default;

bool TAboutBox::CreditsBusy() { return creditsBusy; }

// The stored description: only what differs from the defaults.
void TAboutBox::Describe() {
  SetName(L"AboutBox");
  SetBorderStyle(fw::bsDialog);
  SetPosition(fw::poScreenCenter);
  SetClientSize(418, 344);
  SetColor(fw::clBtnFace);
  OnCreate = [this](fw::TObject* s) { FormCreate(s); };
  const fw::TNotifyEvent creditsClick = [this](fw::TObject* s) { SKUNameClick(s); };

  Image1 = new fw::TImage(this);
  Image1->SetName(L"Image1");
  Image1->SetParent(this);
  Image1->SetBounds(16, 16, 73, 73);
  LoadPicture(Image1->Picture(), assets::kPictureP);
  Image1->SetStretch(true);
  Image1->OnClick = creditsClick;

  FxLabel1 = new fx::TFxLabel(this);
  FxLabel1->SetName(L"FxLabel1");
  FxLabel1->SetParent(this);
  FxLabel1->SetBounds(96, 24, 305, 33);
  FxLabel1->SetCaption(std::wstring(kEnglishTexts.title));
  SetFont(FxLabel1->Font(), L"Times New Roman", -21, fw::clNavy, RUSSIAN_CHARSET, true);
  FxLabel1->SetCursor(fw::crHandPoint);
  FxLabel1->Bevel().SetMode(fx::bmCustom);
  FxLabel1->Bevel().SetStandardStyle(fx::lsSingleLowered);
  FxLabel1->SetAlignment(fx::agCenter);
  FxLabel1->SetAutoSize(false);
  FxLabel1->SetMultiLine(true);
  FxLabel1->OnClick = creditsClick;

  SkinScrollingText1 = new skin::TSkinScrollingText(this);
  SkinScrollingText1->SetName(L"SkinScrollingText1");
  SkinScrollingText1->SetParent(this);
  SkinScrollingText1->SetBounds(24, 144, 377, 41);
  SetFont(SkinScrollingText1->Font(), L"Courier New", -13, fw::clNavy, ANSI_CHARSET, true);
  SkinScrollingText1->SetActive(true);
  SkinScrollingText1->SetInterval(5);
  SkinScrollingText1->SetTransparent(true);
  SkinScrollingText1->OnDblClick = creditsClick;
  SkinScrollingText1->OnTextScrolled = [this](fw::TObject* s, bool& initial) {
    SkinScrollingText1TextScrolled(s, initial);
  };

  Bevel1 = new fw::TBevel(this);
  Bevel1->SetName(L"Bevel1");
  Bevel1->SetParent(this);
  Bevel1->SetBounds(32, 214, 353, 2);

  auto infoLabel = [this](fw::TLabel*& field, const wchar_t* name, int left, int top, int width,
                          const wchar_t* caption) {
    field = new fw::TLabel(this);
    field->SetName(name);
    field->SetParent(this);
    field->SetBounds(left, top, width, 13);
    field->SetCaption(caption);
    SetFont(field->Font(), L"MS Sans Serif", -11, fw::clWhite, DEFAULT_CHARSET, false);
    field->SetTransparent(true);
  };
  infoLabel(OS, L"OS", 46, 223, 100, L"OS");
  infoLabel(Label3, L"Label3", 46, 240, 150, L"Memory Available to Windows:");
  // Right-aligned: as its text grows the left edge moves, the right stays at 377.
  infoLabel(PhysMem, L"PhysMem", 371, 240, 6, L"0");
  PhysMem->SetAlignment(fw::taRightJustify);

  OKButton = new skin::TSkinBtn(this);
  OKButton->SetName(L"OKButton");
  OKButton->SetParent(this);
  OKButton->SetBounds(232, 288, 105, 33);
  OKButton->SetCaption(L"&OK");
  SetFont(OKButton->Font(), L"Times New Roman", -13, fw::clNavy, EASTEUROPE_CHARSET, true);
  OKButton->SetCursor(fw::crHandPoint);
  OKButton->SetModalResult(fw::mrOk);
  OKButton->SetTabOrder(0);
  OKButton->SetOptions({skin::ocRoundedForm, skin::ocFlatBorder, skin::ocPaintTransparently});
  OKButton->SetShadowColor(fw::clWhite);
  fw::TBitmap pictureW;
  LoadPicture(pictureW, assets::kPictureW);
  if (!pictureW.Empty()) OKButton->SetWallpaper(pictureW);

  SkinFormHook1 = new skin::TSkinFormHook(this);
  SkinFormHook1->SetName(L"SkinFormHook1");
  SkinFormHook1->SetOptions({skin::ocPaintWallpaper});
  SkinFormHook1->SetIdWallpaper(0);
  fw::TBitmap pictureF;
  LoadPicture(pictureF, assets::kPictureF);
  if (!pictureF.Empty()) SkinFormHook1->SetWallpaper(pictureF);
}

// ---- handlers

void TAboutBox::FormCreate(fw::TObject*) {
  creditsBusy = true;
  OS->SetCaption(OsVersionLine(CapturedOsVersion()));
  PhysMem->SetCaption(MemoryText(PhysicalMemoryKilobytes(), numberFormat_));
  SkinScrollingText1->Strings().Clear();
  const AboutTexts& texts = TextsForPrintHint(PrintButtonHint());
  SetCaption(std::wstring(texts.caption));
  FxLabel1->SetCaption(std::wstring(texts.title));
  SkinScrollingText1->SetScrollDirection(skin::sdRightToLeft);
  SkinScrollingText1->Strings().Add(L" " + std::wstring(kNoticeLine) + L" ");
}

void TAboutBox::SKUNameClick(fw::TObject*) {
  if (creditsBusy) return;
  creditsBusy = true;
  skin::TSkinScrollingText& text = *SkinScrollingText1;
  text.SetActive(false);
  const fw::TDesignBounds box = text.DesignBounds();
  text.SetDesignBounds(box.left, 98, box.width, 96);
  text.SetAlignment(fw::taLeftJustify);
  text.Strings().Clear();
  text.SetScrollDirection(skin::sdBottomToTop);
  for (std::wstring_view line : kCreditLines) text.Strings().Add(std::wstring(line));
  text.SetActive(true);
}

void TAboutBox::SkinScrollingText1TextScrolled(fw::TObject*, bool&) {
  creditsBusy = false;
  SkinScrollingText1->SetActive(false);
  SkinScrollingText1->SetScrollDirection(skin::sdBottomToTop);
}

void RunAboutBox(const core::FormatSettings& numberFormat) {
  std::unique_ptr<TAboutBox> box(new TAboutBox(&fw::Application(), numberFormat));
  box->ShowModal();
}

}  // namespace about
