// High contrast, switched through the program's seam (the system here never
// turns it on) and announced as the system announces it: the main window,
// the About box and a balloon drawn in the system's colours only (smoothed
// text may mix two of them), read from the screen, with no picture, fill or
// shadow left; switched off, the skin comes back pixel for pixel.
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "about/about_box.h"
#include "app/format_settings.h"
#include "app/main_form.h"
#include "controls/scrolling_text.h"
#include "controls/skin_button.h"
#include "controls/skin_edit.h"
#include "controls/skin_label.h"
#include "effects/fx_form_shadow.h"
#include "effects/fx_label.h"
#include "effects/fx_shape_hint.h"
#include "effects/fx_shape_hint_window.h"
#include "effects/fx_text3d.h"
#include "framework/high_contrast.h"
#include "stdctrls/extctrls.h"
#include "stdctrls/label.h"
#include "tests/support/app.h"
#include "tests/support/dib_surface.h"

namespace {

const fwtest::AppSetup kAppSetup{L"Converter", true};

// A scheme of the seven colours unlike any the skin uses, so each can be
// told from the others and from the pictures; the old ones back at the end.
constexpr int kElements[] = {COLOR_WINDOW,    COLOR_WINDOWTEXT,    COLOR_BTNFACE, COLOR_BTNTEXT,
                             COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT, COLOR_GRAYTEXT};
constexpr COLORREF kScheme[] = {RGB(16, 16, 48),  RGB(250, 250, 210), RGB(40, 8, 8),  RGB(255, 240, 60),
                                RGB(0, 160, 200), RGB(8, 8, 8),       RGB(120, 200, 120)};
const COLORREF kWindow = kScheme[0], kWindowText = kScheme[1], kFace = kScheme[2], kFaceText = kScheme[3];

struct Scheme {
  std::vector<COLORREF> before;
  Scheme() {
    for (int e : kElements) before.push_back(GetSysColor(e));
    SetSysColors(7, kElements, kScheme);
  }
  ~Scheme() {
    SetSysColors(7, kElements, before.data());
    fw::SetHighContrastOverride(std::nullopt);
    fw::RereadHighContrast();
  }
};

// One of the colours, or a mix of two of them (smoothed text): within 3 of
// a point between them.
bool MadeOf(COLORREF c, const std::set<COLORREF>& colours) {
  if (colours.count(c)) return true;
  auto channels = [](COLORREF x) {
    return std::array<double, 3>{double(GetRValue(x)), double(GetGValue(x)), double(GetBValue(x))};
  };
  const auto p = channels(c);
  for (auto a = colours.begin(); a != colours.end(); ++a)
    for (auto b = std::next(a); b != colours.end(); ++b) {
      const auto from = channels(*a), to = channels(*b);
      double along = 0, length = 0;
      for (int i = 0; i < 3; ++i) {
        along += (p[i] - from[i]) * (to[i] - from[i]);
        length += (to[i] - from[i]) * (to[i] - from[i]);
      }
      const double t = std::clamp(along / length, 0.0, 1.0);
      double off = 0;
      for (int i = 0; i < 3; ++i) off = std::max(off, std::abs(p[i] - (from[i] + t * (to[i] - from[i]))));
      if (off <= 3) return true;
    }
  return false;
}

// The pixels of r in the shot that are made of none of the colours.
int Foreign(const fwtest::DibSurface& shot, const RECT& r, const std::set<COLORREF>& colours) {
  std::map<COLORREF, bool> known;
  int foreign = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) {
      const COLORREF c = shot.At(x, y);
      auto at = known.find(c);
      if (at == known.end()) at = known.emplace(c, MadeOf(c, colours)).first;
      foreign += !at->second;
    }
  return foreign;
}

std::set<COLORREF> SystemColours() {
  std::set<COLORREF> colours;
  for (int i = 0; i <= COLOR_MENUBAR; ++i) colours.insert(GetSysColor(i));
  return colours;
}

// As the system switches it: the setting, then the broadcast the form hears.
std::unique_ptr<fwtest::DibSurface> SwitchAndShow(HWND form, bool on) {
  fw::SetHighContrastOverride(on);
  SendMessageW(form, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
  fwtest::Pump();
  fwtest::Settle(150);
  fwtest::Pump();
  return fwtest::Capture(form);
}

int Differences(const fwtest::DibSurface& a, const fwtest::DibSurface& b) {
  int n = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) n += a.At(x, y) != b.At(x, y);
  return n;
}

// A control's area holds only these colours (or mixes), and each of them.
struct Area {
  const fw::TControl* control;
  std::set<COLORREF> colours;
};

void CheckWindow(fw::TForm& form, const RECT& picture, const std::vector<Area>& areas) {
  SetCursorPos(0, 0);  // no hint over the window
  fwtest::ShowActive(form);
  fwtest::Settle(150);
  const auto skinned = fwtest::Capture(form.Handle());
  const RECT all{0, 0, skinned->Width(), skinned->Height()};
  const std::set<COLORREF> system = SystemColours();
  // The program's picture is content, not decoration: it stays.
  auto foreign = [&](const fwtest::DibSurface& shot) {
    return Foreign(shot, all, system) - Foreign(shot, picture, system);
  };
  ASSERT_GT(foreign(*skinned), 20000) << "the skin shows its pictures";

  const auto contrast = SwitchAndShow(form.Handle(), true);
  EXPECT_EQ(foreign(*contrast), 0) << "a picture, fill or skin colour is left";
  for (const Area& a : areas) {
    RECT r = a.control->BoundsRect();
    if (dynamic_cast<const fw::TWinControl*>(a.control)) InflateRect(&r, -2, -2);  // inside the border
    const std::string name(a.control->Name().begin(), a.control->Name().end());
    EXPECT_EQ(Foreign(*contrast, r, a.colours), 0) << name;
    for (COLORREF c : a.colours) EXPECT_GT(contrast->Count(c, r), 0) << name << std::hex << " lacks 0x" << c;
  }
  EXPECT_EQ(Differences(*SwitchAndShow(form.Handle(), false), *skinned), 0) << "the skin is back as it was";
}

TEST(HighContrast, MainWindowInTheSystemsColoursWithoutShadow) {
  Scheme scheme;
  fwtest::App();
  app::TForm1 f(&fwtest::App());
  f.SetCommandLine(L"converter.exe");
  CheckWindow(f, RECT{}, {{f.SkinLabel2, {kFace, kFaceText}}, {f.SkinEdit1, {kWindow, kWindowText}},
                          {f.SkinEdit2, {kWindow, kWindowText}}, {f.SkinBtn(5), {kFace, kFaceText}}});
  EXPECT_TRUE(IsWindowVisible(f.FxFormShadow1->RightStrip()));
  SwitchAndShow(f.Handle(), true);
  EXPECT_FALSE(IsWindowVisible(f.FxFormShadow1->RightStrip()) || IsWindowVisible(f.FxFormShadow1->BottomStrip()));
}

TEST(HighContrast, AboutBoxInTheSystemsColours) {
  Scheme scheme;
  fwtest::App();
  app::TForm1 main(&fwtest::App());
  about::TAboutBox box(&fwtest::App(), app::ProcessFormatSettings());
  box.SkinScrollingText1->SetActive(false);  // a still picture to compare
  CheckWindow(box, box.Image1->BoundsRect(),
              {{box.FxLabel1, {kFace, kFaceText}}, {box.OS, {kFace, kFaceText}}, {box.OKButton, {kFace, kFaceText}}});
}

TEST(HighContrast, BalloonWithoutShadowInTheWindowColours) {
  Scheme scheme;
  fwtest::App();
  app::TForm1 form(&fwtest::App());
  fx::TFxShapeHint& hint = *form.FxShapeHint1;
  constexpr COLORREF kScreen = RGB(0, 128, 0);
  for (const bool on : {false, true}) {
    fw::SetHighContrastOverride(on);
    fw::RereadHighContrast();
    fx::TFxShapeHintWindow window(nullptr);
    window.SetHintComponent(&hint);
    RECT text{0, 0, hint.TextWidthLimit(), 0};
    fx::FxMeasure3DText(L"Print", &hint.Font3D(), text, 0, 2, false, true, hint.Font());
    RECT size = text;
    window.GrowToShape(size);
    fwtest::DibSurface shot(size.right, size.bottom, kScreen);
    fw::TCanvas canvas(shot.DC());
    window.Compose(canvas, size.right, size.bottom, fx::hpAboveRight, text, L"Print");
    canvas.Detach();
    EXPECT_EQ(shot.Count(fw::ColorToRGB(hint.Shadow().Color())) > 0, !on) << "the shadow, skinned only";
    if (on) EXPECT_EQ(Foreign(shot, RECT{0, 0, size.right, size.bottom}, {kScreen, kWindow, kWindowText}), 0);
  }
}

}  // namespace
