// High contrast, switched through the program's seam (the system here never
// turns it on) and announced as the system announces it: the main window,
// the About box and a balloon hint drawn in the system's colours only (text
// may be smoothed between two of them), read from the screen; no picture,
// fill or shadow left; switched off, the skin comes back pixel for pixel.
#include <gtest/gtest.h>

#include <cstdlib>
#include <iterator>
#include <map>
#include <memory>
#include <set>
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
#include "graphics/gdi.h"
#include "stdctrls/extctrls.h"
#include "stdctrls/label.h"
#include "tests/support/app.h"
#include "tests/support/dib_surface.h"

namespace {

const fwtest::AppSetup kAppSetup{L"Converter", true};

// The seven colours of a high-contrast scheme, made unlike any the skin
// uses so that each one can be told from the others and from the pictures.
constexpr int kElements[] = {COLOR_WINDOW,    COLOR_WINDOWTEXT,    COLOR_BTNFACE, COLOR_BTNTEXT,
                             COLOR_HIGHLIGHT, COLOR_HIGHLIGHTTEXT, COLOR_GRAYTEXT};
constexpr COLORREF kScheme[] = {RGB(16, 16, 48),  RGB(250, 250, 210), RGB(40, 8, 8),  RGB(255, 240, 60),
                                RGB(0, 160, 200), RGB(8, 8, 8),       RGB(120, 200, 120)};
const COLORREF kWindow = kScheme[0], kWindowText = kScheme[1], kFace = kScheme[2], kFaceText = kScheme[3];

// Puts the scheme's colours in place (the system tells every window) and
// the previous ones back at the end.
class Scheme {
 public:
  Scheme() {
    for (int e : kElements) before_.push_back(GetSysColor(e));
    SetSysColors(7, kElements, kScheme);
  }
  Scheme(const Scheme&) = delete;
  Scheme& operator=(const Scheme&) = delete;
  ~Scheme() { SetSysColors(7, kElements, before_.data()); }

 private:
  std::vector<COLORREF> before_;
};

std::set<COLORREF> SystemColours() {
  std::set<COLORREF> colours;
  for (int i = 0; i <= COLOR_MENUBAR; ++i) colours.insert(GetSysColor(i));
  return colours;
}

// One of the colours, or (where text is smoothed) a mix of two of them.
bool MadeOf(COLORREF c, const std::set<COLORREF>& colours) {
  if (colours.count(c)) return true;
  const int channels[3] = {GetRValue(c), GetGValue(c), GetBValue(c)};
  for (auto a = colours.begin(); a != colours.end(); ++a)
    for (auto b = std::next(a); b != colours.end(); ++b) {
      const int from[3] = {GetRValue(*a), GetGValue(*a), GetBValue(*a)};
      const int to[3] = {GetRValue(*b), GetGValue(*b), GetBValue(*b)};
      int widest = 0;
      for (int k = 1; k < 3; ++k)
        if (std::abs(to[k] - from[k]) > std::abs(to[widest] - from[widest])) widest = k;
      const int span = to[widest] - from[widest];
      if (span == 0) continue;
      const double t = static_cast<double>(channels[widest] - from[widest]) / span;
      if (t < 0 || t > 1) continue;
      bool on = true;
      for (int k = 0; k < 3 && on; ++k) on = std::abs(channels[k] - (from[k] + t * (to[k] - from[k]))) <= 3;
      if (on) return true;
    }
  return false;
}

// Switches high contrast as the system would: the setting, then the
// broadcast that it changed, which the form hears.
void Switch(HWND form, bool on) {
  fw::SetHighContrastOverride(on);
  SendMessageW(form, WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
  fwtest::Pump();
  fwtest::Settle(150);
  fwtest::Pump();
}

// Pixels of a client-area rectangle of the captured window.
struct Area {
  const char* what;
  RECT rect;
  std::set<COLORREF> allowed;
  std::vector<COLORREF> present;  // each at least once (the text, the face)
};

void ExpectAreas(const fwtest::DibSurface& shot, const std::vector<Area>& areas) {
  for (const Area& a : areas) {
    std::map<COLORREF, int> seen;
    for (int y = a.rect.top; y < a.rect.bottom; ++y)
      for (int x = a.rect.left; x < a.rect.right; ++x) ++seen[shot.At(x, y)];
    for (const auto& [colour, count] : seen)
      EXPECT_TRUE(MadeOf(colour, a.allowed)) << a.what << ": " << count << " pixels of 0x" << std::hex << colour;
    for (COLORREF colour : a.present) EXPECT_GT(seen[colour], 0) << a.what << ": none of 0x" << std::hex << colour;
  }
}

// The pixels of the shot, outside `except`, that are none of the system's
// colours (nor smoothed text between two of them).
int ForeignPixels(const fwtest::DibSurface& shot, const RECT& except = RECT{}) {
  const std::set<COLORREF> system = SystemColours();
  std::map<COLORREF, bool> made;
  int foreign = 0;
  for (int y = 0; y < shot.Height(); ++y)
    for (int x = 0; x < shot.Width(); ++x) {
      const POINT p{x, y};
      if (PtInRect(&except, p)) continue;
      const COLORREF c = shot.At(x, y);
      auto known = made.find(c);
      if (known == made.end()) known = made.emplace(c, MadeOf(c, system)).first;
      foreign += !known->second;
    }
  return foreign;
}

int Differences(const fwtest::DibSurface& a, const fwtest::DibSurface& b) {
  int n = 0;
  for (int y = 0; y < a.Height(); ++y)
    for (int x = 0; x < a.Width(); ++x) n += a.At(x, y) != b.At(x, y);
  return n;
}

class HighContrast : public ::testing::Test {
 protected:
  void SetUp() override {
    fwtest::App();
    SetCursorPos(0, 0);  // no hint over the windows
  }
  void TearDown() override { fw::SetHighContrastOverride(std::nullopt); }
};

TEST_F(HighContrast, MainWindowInTheSystemsColoursAndBack) {
  Scheme scheme;
  app::TForm1 form(&fwtest::App());
  form.SetCommandLine(L"converter.exe");
  fwtest::ShowActive(form);
  fwtest::Settle(150);
  const auto skinned = fwtest::Capture(form.Handle());
  ASSERT_GT(ForeignPixels(*skinned), 20000) << "the window picture shows";
  EXPECT_TRUE(IsWindowVisible(form.FxFormShadow1->RightStrip()));

  Switch(form.Handle(), true);
  const auto contrast = fwtest::Capture(form.Handle());
  EXPECT_EQ(ForeignPixels(*contrast), 0) << "a picture, fill or skin colour is left";
  EXPECT_FALSE(IsWindowVisible(form.FxFormShadow1->RightStrip())) << "no drop shadow";
  EXPECT_FALSE(IsWindowVisible(form.FxFormShadow1->BottomStrip()));
  auto inside = [](const fw::TControl& c, int inset) {
    RECT r = c.BoundsRect();
    InflateRect(&r, -inset, -inset);
    return r;
  };
  ExpectAreas(*contrast,
              {{"a heading", form.SkinLabel2->BoundsRect(), {kFace, kFaceText}, {kFace, kFaceText}},
               {"the value field", inside(*form.SkinEdit1, 2), {kWindow, kWindowText}, {kWindow, kWindowText}},
               {"the result field", inside(*form.SkinEdit2, 2), {kWindow, kWindowText}, {kWindow, kWindowText}},
               {"a keypad key", form.SkinBtn(5)->BoundsRect(), {kFace, kFaceText}, {kFace, kFaceText}},
               {"the form between the controls", RECT{188, 60, 204, 150}, {kFace}, {kFace}}});

  Switch(form.Handle(), false);
  const auto again = fwtest::Capture(form.Handle());
  EXPECT_EQ(Differences(*again, *skinned), 0) << "the skin is back as it was";
  EXPECT_TRUE(IsWindowVisible(form.FxFormShadow1->RightStrip()));
}

TEST_F(HighContrast, AboutBoxInTheSystemsColoursAndBack) {
  Scheme scheme;
  app::TForm1 main(&fwtest::App());
  about::TAboutBox box(&fwtest::App(), app::ProcessFormatSettings());
  box.SkinScrollingText1->SetActive(false);  // a still picture to compare
  fwtest::ShowActive(box);
  fwtest::Settle(150);
  const auto skinned = fwtest::Capture(box.Handle());
  // The program's picture is content, not decoration: it stays.
  const RECT picture = box.Image1->BoundsRect();
  ASSERT_GT(ForeignPixels(*skinned, picture), 20000) << "the wallpaper shows";

  Switch(box.Handle(), true);
  const auto contrast = fwtest::Capture(box.Handle());
  EXPECT_EQ(ForeignPixels(*contrast, picture), 0) << "a wallpaper or skin colour is left";
  ExpectAreas(*contrast, {{"the title", box.FxLabel1->BoundsRect(), {kFace, kFaceText}, {kFace, kFaceText}},
                          {"the system line", box.OS->BoundsRect(), {kFace, kFaceText}, {kFace, kFaceText}},
                          {"the scrolling text", box.SkinScrollingText1->BoundsRect(), {kFace, kFaceText}, {kFace}},
                          {"the OK button", box.OKButton->BoundsRect(), {kFace, kFaceText}, {kFace, kFaceText}}});

  Switch(box.Handle(), false);
  EXPECT_EQ(Differences(*fwtest::Capture(box.Handle()), *skinned), 0) << "the skin is back as it was";
}

TEST_F(HighContrast, BalloonWithoutShadowInTheWindowColours) {
  Scheme scheme;
  app::TForm1 form(&fwtest::App());
  constexpr COLORREF kScreen = RGB(0, 128, 0);
  for (const bool on : {false, true}) {
    fw::SetHighContrastOverride(on);
    fw::RereadHighContrast();
    fx::TFxShapeHint& hint = *form.FxShapeHint1;
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
    const COLORREF shadow = fw::ColorToRGB(hint.Shadow().Color());
    if (on) {
      ExpectAreas(shot, {{"the balloon", RECT{0, 0, size.right, size.bottom}, {kScreen, kWindow, kWindowText},
                          {kScreen, kWindow, kWindowText}}});
    } else {
      EXPECT_GT(shot.Count(shadow), 0) << "the skinned balloon casts a shadow";
    }
  }
}

}  // namespace
