// The main window in this process: its stored description (places, fonts,
// options, texts, hints, tab order, components), the show handler, events
// routed to the conversion logic, and printing against recorded printers.
#include "app/main_form.h"

#include <gtest/gtest.h>

#include <memory>

#include "app/format_settings.h"
#include "effects/fx_one_instance.h"
#include "effects/fx_sys_info.h"
#include "controls/skin_button.h"
#include "controls/skin_combo.h"
#include "controls/skin_edit.h"
#include "controls/skin_label.h"
#include "effects/fx_form_fill.h"
#include "effects/fx_form_shadow.h"
#include "effects/fx_shape_hint.h"
#include "effects/fx_shape_hint_window.h"
#include "test_application.h"
#include "tests/support/window_watcher.h"

namespace {

using app::TForm1;

bool At(const fw::TControl& c, int left, int top, int width, int height) {
  return c.Left() == left && c.Top() == top && c.Width() == width && c.Height() == height;
}

bool FontIs(const fw::TFont& f, const wchar_t* name, int height, fw::TColor color, BYTE charset, bool bold) {
  return f.Name() == name && f.Height() == height && f.Color() == color && f.Charset() == charset &&
         f.Style().Contains(fw::fsBold) == bold && !f.Style().Contains(fw::fsItalic);
}

class MainForm : public ::testing::Test {
 protected:
  void SetUp() override {
    fwtest::App();
    form_ = std::make_unique<TForm1>(&fwtest::App());
  }
  void TearDown() override { form_.reset(); }
  void ShowWith(const std::wstring& commandLine) {
    form_->SetCommandLine(commandLine);
    form_->Show();
  }
  std::unique_ptr<TForm1> form_;
};

TEST_F(MainForm, WindowProperties) {
  TForm1& f = *form_;
  EXPECT_EQ(f.Name(), L"Form1");
  EXPECT_EQ(f.BorderStyle(), fw::bsSingle);
  EXPECT_EQ(f.BorderIcons(), (fw::TBorderIcons{fw::biSystemMenu, fw::biMinimize}));
  EXPECT_EQ(f.FormStyle(), fw::fsStayOnTop);
  EXPECT_EQ(f.ClientWidth(), 388);
  EXPECT_EQ(f.ClientHeight(), 197);
  EXPECT_EQ(f.Color(), fw::clBtnFace);
  EXPECT_TRUE(FontIs(f.Font(), L"MS Sans Serif", -16, fw::clWindowText, DEFAULT_CHARSET, false));
  EXPECT_EQ(f.ActiveControl(), f.CloseBtn);
  const LONG_PTR style = GetWindowLongPtrW(f.Handle(), GWL_STYLE);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);
  EXPECT_TRUE(GetWindowLongPtrW(f.Handle(), GWL_EXSTYLE) & WS_EX_TOPMOST);
  EXPECT_NE(SendMessageW(f.Handle(), WM_GETICON, ICON_BIG, 0), 0) << "the program's icon";
}

TEST_F(MainForm, HeadingsListsAndFields) {
  TForm1& f = *form_;
  EXPECT_TRUE(At(*f.SkinLabel2, 8, 6, 369, 17));
  EXPECT_TRUE(At(*f.SkinLabel1, 8, 50, 177, 17));
  EXPECT_TRUE(At(*f.SkinLabel3, 8, 98, 177, 17));
  for (skin::TSkinLabel* l : {f.SkinLabel1, f.SkinLabel2, f.SkinLabel3}) {
    EXPECT_TRUE(FontIs(l->Font(), L"MS Sans Serif", -13, fw::clWhite, DEFAULT_CHARSET, false));
    EXPECT_EQ(l->Alignment(), fw::taCenter);
    EXPECT_FALSE(l->AutoSize());
    EXPECT_TRUE(l->Transparent());
    EXPECT_EQ(l->ShadowColor(), fw::clBlack);
  }

  // A drop-down list takes its height from its selection field, not from the
  // height asked for (22 at design time; the fonts here give a pixel more).
  EXPECT_TRUE(At(*f.SkinComboBox1, 8, 24, 177, f.SkinComboBox1->Height()));
  EXPECT_TRUE(At(*f.SkinComboBox2, 200, 24, 177, f.SkinComboBox2->Height()));
  EXPECT_NEAR(f.SkinComboBox1->Height(), 22, 2);
  EXPECT_EQ(f.SkinComboBox1->Options(), (skin::TSkinOptions{skin::ocPaintWallpaper, skin::ocTileWallpaper}));
  EXPECT_EQ(f.SkinComboBox2->Options(), (skin::TSkinOptions{skin::ocPaintTransparently}));
  for (skin::TSkinComboBox* c : {f.SkinComboBox1, f.SkinComboBox2}) {
    EXPECT_TRUE(FontIs(c->Font(), L"Times New Roman", -13, fw::clWhite, RUSSIAN_CHARSET, false));
    EXPECT_TRUE(FontIs(c->SelFont(), L"MS Sans Serif", -16, fw::clHighlightText, DEFAULT_CHARSET, false));
    EXPECT_EQ(c->Wallpaper().Width(), 160) << "bitmap A";
    EXPECT_EQ(c->ListBoxWidth(), 177);
    EXPECT_EQ(c->DropDownCount(), 9);
    EXPECT_EQ(c->ItemHeight(), 16);
    EXPECT_TRUE(c->ShowHint());
  }
  EXPECT_EQ(f.SkinComboBox1->Hint(), L"Выбор первой  единицы измерения");
  EXPECT_EQ(f.SkinComboBox2->Hint(), L"Выбор второй единицы измерения");

  EXPECT_TRUE(At(*f.SkinEdit1, 8, 72, 177, 21));
  EXPECT_TRUE(At(*f.SkinEdit2, 8, 120, 177, 24));
  EXPECT_TRUE(FontIs(f.SkinEdit1->Font(), L"Courier New", -13, fw::clWhite, RUSSIAN_CHARSET, true));
  EXPECT_TRUE(FontIs(f.SkinEdit2->Font(), L"Courier New", -13, fw::clYellow, RUSSIAN_CHARSET, true));
  for (skin::TSkinEdit* e : {f.SkinEdit1, f.SkinEdit2}) {
    EXPECT_EQ(e->Options(), (skin::TSkinOptions{skin::ocPaintTransparently}));
    EXPECT_EQ(e->TextAlign(), fw::taRightJustify);
    EXPECT_FALSE(e->AutoSize());
    EXPECT_EQ(e->Text(), L"1");
    EXPECT_TRUE(e->ShowHint());
  }
  EXPECT_EQ(f.SkinEdit1->Hint(), L"Ввод значения");
  EXPECT_EQ(f.SkinEdit2->Hint(), L"Результат");
}

TEST_F(MainForm, KeypadAndCommandButtons) {
  TForm1& f = *form_;
  const struct {
    int n, left, top;
    const wchar_t* caption;
  } keys[] = {{1, 208, 56, L"1"},   {2, 264, 56, L"2"},   {3, 320, 56, L"3"},   {4, 208, 80, L"4"},
              {5, 264, 80, L"5"},   {6, 320, 80, L"6"},   {7, 208, 104, L"7"},  {8, 264, 104, L"8"},
              {9, 320, 104, L"9"},  {10, 208, 128, L"0"}, {12, 264, 128, L"."}, {11, 320, 128, L"C"}};
  for (const auto& k : keys) {
    skin::TSkinBtn* b = f.SkinBtn(k.n);
    ASSERT_NE(b, nullptr);
    EXPECT_EQ(b->Name(), L"SkinBtn" + std::to_wstring(k.n));
    EXPECT_TRUE(At(*b, k.left, k.top, 57, 25)) << k.n;
    EXPECT_EQ(b->Caption(), k.caption);
    EXPECT_TRUE(FontIs(b->Font(), L"MS Sans Serif", -13, fw::clWhite, DEFAULT_CHARSET, true));
    EXPECT_EQ(b->Options(), (skin::TSkinOptions{skin::ocRoundedForm, skin::ocPaintTransparently}));
    EXPECT_EQ(b->ShadowColor(), fw::clBlack);
    EXPECT_FALSE(b->Animated());
    EXPECT_FALSE(b->ShowHint());
  }
  EXPECT_TRUE(At(*f.AboutBtn, 8, 160, 81, 25));
  EXPECT_TRUE(At(*f.PrintBtn, 104, 160, 81, 25));
  EXPECT_TRUE(At(*f.CloseBtn, 224, 160, 137, 25));
  for (skin::TSkinBtn* b : {f.AboutBtn, f.PrintBtn, f.CloseBtn}) {
    EXPECT_TRUE(FontIs(b->Font(), L"Times New Roman", -13, fw::clWhite, RUSSIAN_CHARSET, false));
    EXPECT_EQ(b->Options(), (skin::TSkinOptions{skin::ocRoundedForm, skin::ocPaintTransparently}));
    EXPECT_TRUE(b->Animated());
    EXPECT_EQ(b->ShadowColor(), fw::clBlack);
    EXPECT_EQ(b->ShadowPos(), skin::spRightBottom);
    EXPECT_TRUE(b->ShowHint());
  }
  EXPECT_TRUE(f.CloseBtn->Cancel());
  EXPECT_FALSE(f.AboutBtn->Cancel() || f.PrintBtn->Cancel());
}

TEST_F(MainForm, TabOrderRunsFromCloseToAbout) {
  TForm1& f = *form_;
  std::vector<fw::TWinControl*> order;
  f.GetTabOrderList(order);
  const std::vector<fw::TWinControl*> expected = {
      f.CloseBtn,     f.SkinComboBox2, f.PrintBtn,    f.SkinBtn(1),  f.SkinBtn(2),   f.SkinBtn(3),  f.SkinBtn(4),
      f.SkinBtn(5),   f.SkinBtn(6),    f.SkinBtn(7),  f.SkinBtn(8),  f.SkinBtn(9),   f.SkinBtn(10), f.SkinBtn(12),
      f.SkinEdit1,    f.SkinEdit2,     f.SkinComboBox1, f.SkinBtn(11), f.AboutBtn};
  EXPECT_EQ(order, expected);
}

TEST_F(MainForm, NonVisualComponents) {
  TForm1& f = *form_;
  ASSERT_NE(f.FxOneInstance1, nullptr);
  EXPECT_TRUE(f.FxOneInstance1->Enabled());
  EXPECT_EQ(f.FxOneInstance1->Mode(), fx::oiActivateOnly);
  ASSERT_NE(f.FxFormShadow1, nullptr);
  EXPECT_EQ(f.FxFormShadow1->Shadow().Depth(), 4);
  ASSERT_NE(f.FxFormFill1, nullptr);
  EXPECT_FALSE(f.FxFormFill1->DefaultFill());
  EXPECT_EQ(f.FxFormFill1->FillObject().Style(), fx::sfBitmap);
  EXPECT_EQ(f.FxFormFill1->FillObject().Alignment(), fx::agCenter);
  EXPECT_EQ(f.FxFormFill1->FillObject().Bitmap().Width(), 160);
  ASSERT_NE(f.FxSysInfo1, nullptr);
  EXPECT_EQ(f.FxSysInfo1->IntegerFact(11), GetSystemMetrics(SM_CYSCREEN));
  ASSERT_NE(f.FxShapeHint1, nullptr);
  EXPECT_TRUE(FontIs(f.FxShapeHint1->Font(), L"Times New Roman", -12, fw::clInfoText, RUSSIAN_CHARSET, false));
  EXPECT_EQ(f.FxShapeHint1->Font3D().Style(), fx::tdRaised);
  EXPECT_EQ(f.FxShapeHint1->Shadow().Depth(), 4);
  // Loaded and enabled: the program's hints are balloons.
  EXPECT_EQ(fx::FxActiveShapeHint(), f.FxShapeHint1);
  EXPECT_NE(dynamic_cast<fx::TFxShapeHintWindow*>(fwtest::App().Hints().HintWindow()), nullptr);
}

TEST_F(MainForm, ShowPlacesTheWindowAndAppliesTheLanguage) {
  ShowWith(L"converter.exe -r");
  TForm1& f = *form_;
  RECT r{};
  GetWindowRect(f.Handle(), &r);
  EXPECT_EQ(r.left, 2);
  EXPECT_EQ(r.top, GetSystemMetrics(SM_CYSCREEN) - 254);
  EXPECT_EQ(f.Caption(), L"Конвертер величин");
  EXPECT_EQ(f.PrintBtn->Caption(), L"&Печать");
  EXPECT_EQ(f.PrintBtn->Hint(), L"Печать");
  EXPECT_EQ(f.AboutBtn->Caption(), L"&Подробнее");
  EXPECT_EQ(f.CloseBtn->Hint(), L"Закрыть");
  EXPECT_EQ(f.SkinLabel1->Caption(), L"Ввод значения");
  EXPECT_EQ(f.SkinLabel2->Caption(), L"Выбор величин для конвертации");
  EXPECT_EQ(f.SkinLabel3->Caption(), L"Результат");
  EXPECT_EQ(f.SkinComboBox1->Items().Count(), 24);
  EXPECT_EQ(f.SkinComboBox1->Items()[1], L"Меры веса");
  EXPECT_EQ(f.SkinComboBox2->Items().Count(), 0);
  EXPECT_FALSE(f.Logic().firstKeyFlag());
  // The hints of the lists and fields stay as stored.
  EXPECT_EQ(f.SkinEdit1->Hint(), L"Ввод значения");
}

TEST_F(MainForm, EnglishByDefault) {
  ShowWith(L"converter.exe");
  EXPECT_EQ(form_->Caption(), L"Quantity converter");
  EXPECT_EQ(form_->PrintBtn->Hint(), L"Print");
  EXPECT_EQ(form_->SkinComboBox1->Items()[23], L"Cubic foot");
}

// A pick in a list reaches the window as the list's notification.
void Pick(TForm1& f, fw::TCustomComboBox* list, int index) {
  list->SetItemIndex(index);
  SendMessageW(f.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list->Handle()), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list->Handle()));
}

TEST_F(MainForm, ListsKeysAndTypingReachTheLogic) {
  ShowWith(L"converter.exe");
  TForm1& f = *form_;
  Pick(f, f.SkinComboBox1, 5);  // Kilogram
  EXPECT_EQ(f.SkinComboBox2->Items().Count(), 5);
  EXPECT_EQ(f.SkinComboBox2->ItemIndex(), -1);
  EXPECT_EQ(f.SkinEdit2->Text(), L"");
  EXPECT_EQ(f.Logic().state().category, 1);
  Pick(f, f.SkinComboBox2, 0);  // Ton metric
  EXPECT_EQ(f.Logic().state().secondFactor, 1000.0);
  EXPECT_EQ(f.SkinEdit2->Text(), L"0" + std::wstring(1, app::ProcessFormatSettings().decimalSeparator) + L"001");

  // A click of the 2 key (its button's notification): the first press replaces.
  SendMessageW(f.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(f.SkinBtn(2)->Handle()), BN_CLICKED),
               reinterpret_cast<LPARAM>(f.SkinBtn(2)->Handle()));
  EXPECT_EQ(f.SkinEdit1->Text(), L"2");
  EXPECT_TRUE(f.Logic().firstKeyFlag());
  // Typing: the edit's own change notification converts.
  SendMessageW(f.SkinEdit1->Handle(), EM_SETSEL, 0, -1);
  for (wchar_t c : std::wstring(L"3000")) SendMessageW(f.SkinEdit1->Handle(), WM_CHAR, c, 1);
  EXPECT_EQ(f.SkinEdit1->Text(), L"3000");
  EXPECT_EQ(f.SkinEdit2->Text(), L"3");
}

class RecordingPrinters : public app::PrinterSystem {
 public:
  bool installed = true;
  int dialogs = 0;
  std::vector<app::PrintedConversion> pages;
  bool AnyPrinterInstalled() override { return installed; }
  app::PrinterChoice ChoosePrinter(HWND) override {
    ++dialogs;
    app::PrinterChoice c;
    c.dc.reset(CreateCompatibleDC(nullptr));
    return c;
  }
  void PrintDocument(HDC, const app::PrintedConversion& page) override { pages.push_back(page); }
};

// Clicks Print; returns the caption and clipboard copy of a dialog it shows.
std::wstring ClickPrint(TForm1& f) {
  std::wstring seen;
  fwtest::WindowWatcher watcher(L"TMessageForm", [&](HWND dialog) {
    SendMessageW(dialog, WM_COPY, 0, 0);
    seen = fwtest::ClipboardText();
    PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
  }, std::chrono::milliseconds(1500));
  f.PrintBtnClick(f.PrintBtn);
  return seen;
}

TEST_F(MainForm, PrintNeedsATargetThenAPrinterThenPrintsWhatIsShown) {
  ShowWith(L"converter.exe");
  TForm1& f = *form_;
  RecordingPrinters printers;
  f.SetPrinters(printers);

  EXPECT_NE(ClickPrint(f).find(L"Information\r\n---------------------------\r\n  Type quantity measure   \r\n"),
            std::wstring::npos);
  EXPECT_EQ(printers.dialogs, 0);

  Pick(f, f.SkinComboBox1, 5);  // Kilogram
  Pick(f, f.SkinComboBox2, 3);  // Pound
  printers.installed = false;
  EXPECT_NE(ClickPrint(f).find(L"No printer is installed."), std::wstring::npos);
  EXPECT_EQ(printers.dialogs, 0);
  EXPECT_TRUE(printers.pages.empty());

  printers.installed = true;
  // A header row chosen afterwards does not change the unit that converts.
  std::wstring seen;
  {
    fwtest::WindowWatcher refusal(L"TMessageForm", [](HWND d) { PostMessageW(d, WM_SYSCOMMAND, SC_CLOSE, 0); });
    Pick(f, f.SkinComboBox1, 1);
  }
  EXPECT_EQ(ClickPrint(f), L"");
  ASSERT_EQ(printers.pages.size(), 1u);
  const app::PrintedConversion& page = printers.pages[0];
  EXPECT_EQ(page.title, L"Converter");
  EXPECT_EQ(page.sourceUnit, L"Kilogram");
  EXPECT_EQ(page.targetUnit, L"Pound");
  EXPECT_EQ(page.value, L"1");
  EXPECT_EQ(page.result, f.SkinEdit2->Text());
  EXPECT_FALSE(page.dateTime.empty());
}

TEST_F(MainForm, PrintRefusesAResultThatBelongsToAnotherValue) {
  ShowWith(L"converter.exe");
  TForm1& f = *form_;
  RecordingPrinters printers;
  f.SetPrinters(printers);
  auto setValue = [&](const wchar_t* text) {  // as a paste or a typed text arrives
    fwtest::WindowWatcher errorBox(L"#32770", [](HWND box) { PostMessageW(box, WM_CLOSE, 0, 0); },
                                    std::chrono::milliseconds(1500));
    SendMessageW(f.SkinEdit1->Handle(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text));
  };
  Pick(f, f.SkinComboBox1, 5);  // Kilogram
  Pick(f, f.SkinComboBox2, 3);  // Pound: the result of 1 is shown
  setValue(L"1x");              // refused: the field keeps the result of 1
  EXPECT_NE(ClickPrint(f).find(L"There is no valid result to print"), std::wstring::npos);
  Pick(f, f.SkinComboBox1, 12);  // Meter
  {
    fwtest::WindowWatcher errorBox(L"#32770", [](HWND box) { PostMessageW(box, WM_CLOSE, 0, 0); });
    Pick(f, f.SkinComboBox2, 3);  // Feet: "1x" is refused again
  }
  EXPECT_NE(ClickPrint(f).find(L"There is no valid result to print"), std::wstring::npos);
  EXPECT_TRUE(printers.pages.empty());
  setValue(L"2");
  EXPECT_EQ(ClickPrint(f), L"");
  ASSERT_EQ(printers.pages.size(), 1u);
  EXPECT_EQ(printers.pages[0].value, L"2");
  EXPECT_EQ(printers.pages[0].result, f.SkinEdit2->Text());
}

}  // namespace

namespace {

TEST(MainFormCycles, CreateShowDestroyLeavesNoObjectsBehind) {
  fwtest::App();
  auto cycle = [] {
    TForm1 form(&fwtest::App());
    form.SetCommandLine(L"converter.exe -r");
    form.Show();
    form.Hide();
  };
  cycle();
  const long gdi = fw::GdiCounters::Live();
  const int components = fwtest::App().ComponentCount();
  for (int i = 0; i < 20; ++i) cycle();
  EXPECT_EQ(fw::GdiCounters::Live(), gdi);
  EXPECT_EQ(fwtest::App().ComponentCount(), components);
  EXPECT_EQ(fx::TFxOneInstance::InstanceCount(), 0);
}

}  // namespace
