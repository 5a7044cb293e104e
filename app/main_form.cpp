#include "app/main_form.h"

#include <windows.h>

#include "about/about_box.h"
#include "app/format_settings.h"
#include "effects/fx_one_instance.h"
#include "effects/fx_sys_info.h"
#include "app/message_dialog.h"
#include "app/no_printer_text.h"
#include "app/no_result_text.h"
#include "assets/resource_names.h"
#include "controls/skin_button.h"
#include "controls/skin_combo.h"
#include "controls/skin_edit.h"
#include "controls/skin_label.h"
#include "core/catalog.h"
#include "core/messages.h"
#include "effects/fx_form_fill.h"
#include "effects/fx_form_shadow.h"
#include "effects/fx_shape_hint.h"
#include "framework/application.h"

namespace app {
namespace {

void SetFont(fw::TFont& font, const wchar_t* name, int height, fw::TColor color, BYTE charset, bool bold = false) {
  font.SetName(name);
  font.SetHeight(height);
  font.SetColor(color);
  font.SetCharset(charset);
  font.SetStyle(bold ? fw::TFontStyles{fw::fsBold} : fw::TFontStyles{});
}

// Bitmap A from the program's resources; empty when the module has none.
void LoadBitmapA(fw::TBitmap& bitmap) {
  HINSTANCE module = GetModuleHandleW(nullptr);
  if (FindResourceW(module, assets::kBitmapA, MAKEINTRESOURCEW(2))) bitmap.LoadFromResource(module, assets::kBitmapA);
}

}  // namespace

TForm1::TForm1(fw::TComponent* owner)
    : fw::TForm(owner),
      logic_(*this, ProcessFormatSettings()),
      printers_(&SystemPrinters()),
      commandLine_(GetCommandLineW()) {
  ReadDescription([this] { Describe(); });
}

TForm1::~TForm1() = default;

// The stored description: only what differs from the defaults.
void TForm1::Describe() {
  SetName(L"Form1");
  SetBorderStyle(fw::bsSingle);
  SetBorderIcons({fw::biSystemMenu, fw::biMinimize});
  SetFormStyle(fw::fsStayOnTop);
  SetClientSize(388, 197);
  SetColor(fw::clBtnFace);
  SetFont(Font(), L"MS Sans Serif", -16, fw::clWindowText, DEFAULT_CHARSET);
  SetIconResource(GetModuleHandleW(nullptr), assets::kMainIcon);
  OnShow = [this](fw::TObject* s) { FormShow(s); };

  fw::TBitmap bitmapA;
  LoadBitmapA(bitmapA);

  auto label = [this](skin::TSkinLabel*& field, const wchar_t* name, int left, int top, int width) {
    field = new skin::TSkinLabel(this);
    field->SetName(name);
    field->SetParent(this);
    field->SetAutoSize(false);
    field->SetBounds(left, top, width, 17);
    SetFont(field->Font(), L"MS Sans Serif", -13, fw::clWhite, DEFAULT_CHARSET);
    field->SetAlignment(fw::taCenter);
    field->SetTransparent(true);
    field->SetShadowColor(fw::clBlack);
  };
  auto combo = [this, &bitmapA](skin::TSkinComboBox*& field, const wchar_t* name, int left, skin::TSkinOptions options,
                                const std::wstring_view hint, int tabOrder) {
    field = new skin::TSkinComboBox(this);
    field->SetName(name);
    field->SetParent(this);
    field->SetBounds(left, 24, 177, 22);
    SetFont(field->Font(), L"Times New Roman", -13, fw::clWhite, RUSSIAN_CHARSET);
    field->SetOptions(options);
    if (!bitmapA.Empty()) field->SetWallpaper(bitmapA);
    SetFont(field->SelFont(), L"MS Sans Serif", -16, fw::clHighlightText, DEFAULT_CHARSET);
    field->SetListBoxWidth(177);
    field->SetDropDownCount(9);
    field->SetItemHeight(16);
    field->fw::TControl::SetHint(std::wstring(hint));
    field->SetShowHint(true);
    field->SetTabOrder(tabOrder);
  };
  auto edit = [this](skin::TSkinEdit*& field, const wchar_t* name, int top, int height, fw::TColor color,
                     std::wstring_view hint, int tabOrder) {
    field = new skin::TSkinEdit(this);
    field->SetName(name);
    field->SetParent(this);
    field->SetAutoSize(false);
    field->SetBounds(8, top, 177, height);
    SetFont(field->Font(), L"Courier New", -13, color, RUSSIAN_CHARSET, true);
    field->SetOptions({skin::ocPaintTransparently});
    field->SetTextAlign(fw::taRightJustify);
    field->SetText(L"1");
    field->fw::TControl::SetHint(std::wstring(hint));
    field->SetShowHint(true);
    field->SetTabOrder(tabOrder);
  };
  auto button = [this](skin::TSkinBtn*& field, const std::wstring& name, int left, int top, int width,
                       const wchar_t* caption, int tabOrder) {
    field = new skin::TSkinBtn(this);
    field->SetName(name);
    field->SetParent(this);
    field->SetBounds(left, top, width, 25);
    field->SetCaption(caption);
    field->SetOptions({skin::ocRoundedForm, skin::ocPaintTransparently});
    field->SetShadowColor(fw::clBlack);
    field->SetTabOrder(tabOrder);
  };

  label(SkinLabel2, L"SkinLabel2", 8, 6, 369);
  combo(SkinComboBox1, L"SkinComboBox1", 8, {skin::ocPaintWallpaper, skin::ocTileWallpaper}, core::kSourceListHint, 16);
  SkinComboBox1->OnChange = [this](fw::TObject* s) { SkinComboBox1Change(s); };
  combo(SkinComboBox2, L"SkinComboBox2", 200, {skin::ocPaintTransparently}, core::kTargetListHint, 1);
  SkinComboBox2->OnChange = [this](fw::TObject* s) { SkinComboBox2Change(s); };
  label(SkinLabel1, L"SkinLabel1", 8, 50, 177);
  edit(SkinEdit1, L"SkinEdit1", 72, 21, fw::clWhite, core::kValueFieldHint, 14);
  SkinEdit1->SetTextLimit(kValueTextLimit);
  SkinEdit1->OnChange = [this](fw::TObject* s) { SkinEdit1Change(s); };
  label(SkinLabel3, L"SkinLabel3", 8, 98, 177);
  edit(SkinEdit2, L"SkinEdit2", 120, 24, fw::clYellow, core::kResultFieldHint, 15);
  // The result is the program's to write.
  SkinEdit2->SetReadOnly(true);

  // The keypad: digits 1 to 9 in three rows, then 0, the decimal key and C.
  static const struct {
    int left, top;
    const wchar_t* caption;
    int tabOrder;
  } kKeys[13] = {{},
                 {208, 56, L"1", 3},   {264, 56, L"2", 4},   {320, 56, L"3", 5},
                 {208, 80, L"4", 6},   {264, 80, L"5", 7},   {320, 80, L"6", 8},
                 {208, 104, L"7", 9},  {264, 104, L"8", 10}, {320, 104, L"9", 11},
                 {208, 128, L"0", 12}, {320, 128, L"C", 17}, {264, 128, L".", 13}};
  const fw::TNotifyEvent handlers[13] = {
      nullptr,
      [this](fw::TObject* s) { SkinBtn1Click(s); },  [this](fw::TObject* s) { SkinBtn2Click(s); },
      [this](fw::TObject* s) { SkinBtn3Click(s); },  [this](fw::TObject* s) { SkinBtn4Click(s); },
      [this](fw::TObject* s) { SkinBtn5Click(s); },  [this](fw::TObject* s) { SkinBtn6Click(s); },
      [this](fw::TObject* s) { SkinBtn7Click(s); },  [this](fw::TObject* s) { SkinBtn8Click(s); },
      [this](fw::TObject* s) { SkinBtn9Click(s); },  [this](fw::TObject* s) { SkinBtn10Click(s); },
      [this](fw::TObject* s) { SkinBtn11Click(s); }, [this](fw::TObject* s) { SkinBtn12Click(s); },
  };
  for (int n = 1; n <= 12; ++n) {
    button(keys_[static_cast<size_t>(n)], L"SkinBtn" + std::to_wstring(n), kKeys[n].left, kKeys[n].top, 57,
           kKeys[n].caption, kKeys[n].tabOrder);
    skin::TSkinBtn* key = keys_[static_cast<size_t>(n)];
    SetFont(key->Font(), L"MS Sans Serif", -13, fw::clWhite, DEFAULT_CHARSET, true);
    key->OnClick = handlers[n];
  }

  auto command = [&](skin::TSkinBtn*& field, const wchar_t* name, int left, int width, int tabOrder) {
    button(field, name, left, 160, width, L"", tabOrder);
    SetFont(field->Font(), L"Times New Roman", -13, fw::clWhite, RUSSIAN_CHARSET);
    field->SetAnimated(true);
    field->SetShadowPos(skin::spRightBottom);
    field->SetShowHint(true);
  };
  command(AboutBtn, L"AboutBtn", 8, 81, 18);
  AboutBtn->OnClick = [this](fw::TObject* s) { AboutBtnClick(s); };
  command(PrintBtn, L"PrintBtn", 104, 81, 2);
  PrintBtn->OnClick = [this](fw::TObject* s) { PrintBtnClick(s); };
  command(CloseBtn, L"CloseBtn", 224, 137, 0);
  CloseBtn->SetCancel(true);
  CloseBtn->OnClick = [this](fw::TObject* s) { CloseBtnClick(s); };
  SetActiveControl(CloseBtn);

  FxOneInstance1 = new fx::TFxOneInstance(this);
  FxOneInstance1->SetName(L"FxOneInstance1");
  FxFormShadow1 = new fx::TFxFormShadow(this);
  FxFormShadow1->SetName(L"FxFormShadow1");
  FxFormShadow1->Shadow().SetDepth(4);
  FxFormFill1 = new fx::TFxFormFill(this);
  FxFormFill1->SetName(L"FxFormFill1");
  FxFormFill1->SetDefaultFill(false);
  FxFormFill1->FillObject().SetStyle(fx::sfBitmap);
  FxFormFill1->FillObject().SetAlignment(fx::agCenter);
  if (!bitmapA.Empty()) FxFormFill1->FillObject().SetBitmap(bitmapA);
  // Every hint of the program shows as a balloon.
  FxShapeHint1 = new fx::TFxShapeHint(this);
  FxShapeHint1->SetName(L"FxShapeHint1");
  SetFont(FxShapeHint1->Font(), L"Times New Roman", -12, fw::clInfoText, RUSSIAN_CHARSET);
  FxShapeHint1->Font3D().SetStyle(fx::tdRaised);
  FxShapeHint1->Shadow().SetDepth(4);
  FxSysInfo1 = new fx::TFxSysInfo(this);
  FxSysInfo1->SetName(L"FxSysInfo1");
}

// ---- handlers

void TForm1::FormShow(fw::TObject*) {
  // Both distances are design lengths: at any scale the whole window stays
  // on the display, above its bottom edge.
  SetLeft(Scaled(2));
  SetTop(FxSysInfo1->IntegerFact(11) - Scaled(254));
  logic_.FormShown(commandLine_);
  NameControls();
}

void TForm1::NameControls() {
  const core::LanguageTexts& texts = core::TextsFor(Language());
  SkinEdit1->SetAccessibleName(std::wstring(texts.valueHeading));
  SkinEdit2->SetAccessibleName(std::wstring(texts.resultHeading));
  SkinComboBox1->SetAccessibleName(std::wstring(texts.sourceListName));
  SkinComboBox2->SetAccessibleName(std::wstring(texts.targetListName));
  SkinBtn(11)->SetAccessibleName(std::wstring(texts.clearKeyName));
  SkinBtn(12)->SetAccessibleName(std::wstring(texts.decimalKeyName));
}

void TForm1::CloseBtnClick(fw::TObject*) { Close(); }

void TForm1::AboutBtnClick(fw::TObject*) {
  about::RunAboutBox(ProcessFormatSettings());
}

void TForm1::PrintBtnClick(fw::TObject*) {
  if (TargetText().empty()) {
    ShowMessage(core::MessageFor(core::MessageId::kNoTarget, Language()));
    return;
  }
  // The result field may still show an earlier value's result: never print
  // it beside a value it does not belong to.
  if (!logic_.resultIsCurrent()) {
    ShowMessageDialog(std::wstring(NoResultText(Language())), dtInformation, {dbOK}, 0);
    return;
  }
  SYSTEMTIME now{};
  GetLocalTime(&now);
  PrintedConversion page;
  page.title = fw::Application().Title();
  page.dateTime = FormatPrintDateTime(now);
  page.sourceUnit = sourceUnit_;
  page.targetUnit = TargetText();
  page.value = SkinEdit1->Text();
  page.result = SkinEdit2->Text();
  page.language = Language();
  if (PrintConversion(Handle(), page, *printers_) == PrintOutcome::kNoPrinter)
    ShowMessageDialog(std::wstring(NoPrinterText(Language())), dtInformation, {dbOK}, 0);
}

void TForm1::SkinComboBox1Change(fw::TObject*) {
  logic_.SourceListChanged();
  const int index = SkinComboBox1->ItemIndex();
  if (index >= 0 && index < core::kCatalogRows && core::Catalog()[static_cast<size_t>(index)].kind == core::RowKind::kUnit)
    sourceUnit_ = SkinComboBox1->Text();
}

void TForm1::SkinComboBox2Change(fw::TObject*) { logic_.TargetListChanged(); }
void TForm1::SkinEdit1Change(fw::TObject*) { logic_.ValueFieldChanged(); }

void TForm1::SkinBtn1Click(fw::TObject*) { logic_.KeyPressed(core::KeypadKey::k1); }
void TForm1::SkinBtn2Click(fw::TObject*) { logic_.KeyPressed(core::KeypadKey::k2); }
void TForm1::SkinBtn3Click(fw::TObject*) { logic_.KeyPressed(core::KeypadKey::k3); }
void TForm1::SkinBtn4Click(fw::TObject*) { logic_.KeyPressed(core::KeypadKey::k4); }
void TForm1::SkinBtn5Click(fw::TObject*) { logic_.KeyPressed(core::KeypadKey::k5); }
void TForm1::SkinBtn6Click(fw::TObject*) { logic_.KeyPressed(core::KeypadKey::k6); }
void TForm1::SkinBtn7Click(fw::TObject*) { logic_.KeyPressed(core::KeypadKey::k7); }
void TForm1::SkinBtn8Click(fw::TObject*) { logic_.KeyPressed(core::KeypadKey::k8); }
void TForm1::SkinBtn9Click(fw::TObject*) { logic_.KeyPressed(core::KeypadKey::k9); }
void TForm1::SkinBtn10Click(fw::TObject*) { logic_.KeyPressed(core::KeypadKey::kZero); }
void TForm1::SkinBtn11Click(fw::TObject*) { logic_.KeyPressed(core::KeypadKey::kClear); }
void TForm1::SkinBtn12Click(fw::TObject*) { logic_.KeyPressed(core::KeypadKey::kDecimal); }

// ---- the view of the conversion logic

void TForm1::SetCaption(core::TextItem item, std::wstring_view text) {
  const std::wstring value(text);
  switch (item) {
    case core::TextItem::kPrintButton: PrintBtn->SetCaption(value); break;
    case core::TextItem::kAboutButton: AboutBtn->SetCaption(value); break;
    case core::TextItem::kCloseButton: CloseBtn->SetCaption(value); break;
    case core::TextItem::kWindow: fw::TForm::SetCaption(value); break;
    case core::TextItem::kValueHeading: SkinLabel1->SetCaption(value); break;
    case core::TextItem::kPairHeading: SkinLabel2->SetCaption(value); break;
    case core::TextItem::kResultHeading: SkinLabel3->SetCaption(value); break;
  }
}

void TForm1::SetHint(core::TextItem item, std::wstring_view text) {
  const std::wstring value(text);
  switch (item) {
    case core::TextItem::kPrintButton: PrintBtn->SetHint(value); break;
    case core::TextItem::kAboutButton: AboutBtn->SetHint(value); break;
    case core::TextItem::kCloseButton: CloseBtn->SetHint(value); break;
    default: break;  // only the three buttons have language hints
  }
}

void TForm1::SetSourceItems(const std::vector<std::wstring>& items) {
  fw::TStrings& list = SkinComboBox1->Items();
  list.BeginUpdate();
  list.Clear();
  for (const auto& item : items) list.Add(item);
  list.EndUpdate();
}

int TForm1::SourceIndex() const { return SkinComboBox1->ItemIndex(); }

void TForm1::SetTargetItems(const std::vector<std::wstring>& items) {
  fw::TStrings& list = SkinComboBox2->Items();
  list.BeginUpdate();
  list.Clear();
  for (const auto& item : items) list.Add(item);
  list.EndUpdate();
  SkinComboBox2->SetItemIndex(-1);
}

int TForm1::TargetIndex() const { return SkinComboBox2->ItemIndex(); }
std::wstring TForm1::TargetText() const { return SkinComboBox2->Text(); }
std::wstring TForm1::ValueText() const { return SkinEdit1->Text(); }
void TForm1::SetValueText(const std::wstring& text) { SkinEdit1->SetText(text); }
void TForm1::SetResultText(const std::wstring& text) { SkinEdit2->SetText(text); }

void TForm1::ShowMessage(const core::Message& message) {
  ShowMessageDialog(std::wstring(message.text), message.kind == core::DialogKind::kError ? dtError : dtInformation,
                    {dbOK}, 0);
}

}  // namespace app
