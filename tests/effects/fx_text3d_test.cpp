// 3D text: the caption settings' notifications, the measured growth per
// effect, and the drawn copies' colours and places in a memory DC.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "effects/fx_3d_caption.h"
#include "effects/fx_text3d.h"
#include "graphics/canvas.h"
#include "graphics/gdi.h"
#include "tests/support/dib_surface.h"

namespace {

void CountNotifications(fx::TFxObject& o, int& count) {
  count = 0;
  o.OnChange = [&count](fw::TObject*) { ++count; };
}

TEST(Fx3DCaption, SettersNotifyOnRealChangesAndAssignCopiesAllOnce) {
  fx::TFxAngleCaption source;
  source.SetStyle(fx::tdRaisedShadow);
  source.SetLightDepth(3);
  source.SetShadowDepth(4);
  source.SetLightColor(fw::clRed);
  source.SetShadowColor(fw::clBlue);
  source.SetTracing(2);
  source.SetDisabledStyle(fx::ds3d);
  source.SetAngle(360);
  EXPECT_EQ(source.Angle(), 0);
  source.SetAngle(90);

  fx::TFx3DCaption target;
  int count = 0;
  CountNotifications(target, count);
  target.SetStyle(fx::tdNone);  // the current value
  EXPECT_EQ(count, 0);
  target.Assign(source);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(target.Style(), fx::tdRaisedShadow);
  EXPECT_EQ(target.LightDepth(), 3);
  EXPECT_EQ(target.ShadowDepth(), 4);
  EXPECT_EQ(target.LightColor(), fw::clRed);
  EXPECT_EQ(target.ShadowColor(), fw::clBlue);
  EXPECT_EQ(target.Tracing(), 2);
  EXPECT_EQ(target.DisabledStyle(), fx::ds3d);

  fx::TFxAngleCaption angled;
  CountNotifications(angled, count);
  angled.Assign(source);
  EXPECT_EQ(count, 1);
  EXPECT_EQ(angled.Angle(), 90);
}

const fw::TFont& TestFont() {
  static fw::TFont* font = [] {
    auto* f = new fw::TFont;
    f->SetName(L"Liberation Sans");
    f->SetHeight(-40);  // thick strokes, so that copies have solid insides
    f->SetStyle({fw::fsBold});
    return f;
  }();
  return *font;
}

SIZE Measure(const std::wstring& text, fx::TFx3DCaption* caption, int margin = 0, bool accel = false) {
  RECT r{0, 0, 400, 0};
  fx::FxMeasure3DText(text, caption, r, 0, margin, accel, true, TestFont());
  return SIZE{r.right - r.left, r.bottom - r.top};
}

TEST(FxMeasure3DText, GrowsByTheEffectDepthAndTheMarginOnEverySide) {
  const SIZE plain = Measure(L"Converter", nullptr);
  struct Case {
    fx::TFxThreeDStyle style;
    int growth;  // with LightDepth 2 and ShadowDepth 3
  } cases[] = {{fx::tdNone, 0},          {fx::tdSunken, 2},         {fx::tdRaised, 2},
               {fx::tdSunkenShadow, 5},  {fx::tdRaisedShadow, 5},   {fx::tdPColorSunken, 5},
               {fx::tdPColorRaised, 5},  {fx::tdShadow, 3}};
  for (const Case& c : cases) {
    fx::TFx3DCaption caption;
    caption.SetLightDepth(2);
    caption.SetShadowDepth(3);
    caption.SetStyle(c.style);
    const SIZE s = Measure(L"Converter", &caption);
    EXPECT_EQ(s.cx - plain.cx, c.growth) << c.style;
    EXPECT_EQ(s.cy - plain.cy, c.growth) << c.style;
  }
  const SIZE margin2 = Measure(L"Converter", nullptr, 2);
  EXPECT_EQ(margin2.cx - plain.cx, 4);
  EXPECT_EQ(margin2.cy - plain.cy, 4);

  // Tracing widens every character.
  fx::TFx3DCaption traced;
  traced.SetTracing(3);
  EXPECT_GE(Measure(L"Converter", &traced).cx, plain.cx + 3 * 8);
}

TEST(FxMeasure3DText, EmptyTextAndLoneAmpersandMeasureAsASpace) {
  const SIZE space = Measure(L" ", nullptr);
  EXPECT_GT(space.cx, 2);
  EXPECT_EQ(Measure(L"", nullptr).cx, space.cx);
  EXPECT_EQ(Measure(L"", nullptr).cy, space.cy);
  EXPECT_EQ(Measure(L"&", nullptr, 0, true).cx, space.cx);
  // Without accelerators "&" is a character; with them "&W" is just "W".
  EXPECT_NE(Measure(L"&", nullptr, 0, false).cx, space.cx);
  EXPECT_EQ(Measure(L"&W", nullptr, 0, true).cx, Measure(L"W", nullptr).cx);
  EXPECT_GT(Measure(L"&W", nullptr, 0, false).cx, Measure(L"W", nullptr).cx);
}

TEST(FxMeasure3DText, RotatedTextGetsItsBoundingBoxAndStartingPoint) {
  const SIZE flat = Measure(L"Converter", nullptr);
  fx::TFxAngleCaption caption;
  caption.SetAngle(90);
  const SIZE turned = Measure(L"Converter", &caption);
  // Width and height swap (margin 2 on both); the text starts at the bottom.
  EXPECT_EQ(turned.cx, flat.cy);
  EXPECT_EQ(turned.cy, flat.cx);
  EXPECT_EQ(caption.PosX(), 0);
  EXPECT_EQ(caption.PosY(), flat.cx - 2);
  caption.SetAngle(0);
  Measure(L"Converter", &caption);
  EXPECT_EQ(caption.PosY(), 0);
}

constexpr COLORREF kBack = RGB(255, 255, 255);

// The text drawn once in black on white: per pixel 2 where it is solid
// black, 1 where it is touched (smoothed edges), 0 where it is untouched.
struct Mask {
  int w, h;
  std::vector<int> ink;
  int At(int x, int y) const { return x < 0 || y < 0 || x >= w || y >= h ? 0 : ink[static_cast<size_t>(y) * w + x]; }
  // 1: solid with a solid-or-touched neighbourhood, 0: nothing near, -1: an edge.
  int Class(int x, int y) const {
    int touched = 0;
    for (int dy = -1; dy <= 1; ++dy)
      for (int dx = -1; dx <= 1; ++dx) touched += At(x + dx, y + dy) != 0;
    if (touched == 0) return 0;
    return touched == 9 && At(x, y) == 2 ? 1 : -1;
  }
};

Mask TextMask(const std::wstring& text, const RECT& r, int w, int h) {
  fwtest::DibSurface s(w, h, kBack);
  {
    fw::TCanvas canvas(s.DC());
    canvas.Font().Assign(TestFont());
    canvas.Font().SetColor(fw::clBlack);
    canvas.Brush().SetStyle(fw::bsClear);
    RECT rr = r;
    canvas.DrawText(text, rr, DT_NOPREFIX);
  }
  Mask m{w, h, std::vector<int>(static_cast<size_t>(w) * h)};
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const COLORREF c = s.At(x, y);
      m.ink[static_cast<size_t>(y) * w + x] = c == RGB(0, 0, 0) ? 2 : c == kBack ? 0 : 1;
    }
  return m;
}

TEST(FxDraw3DText, CopiesLieAtTheirOffsetsInTheirColours) {
  const int w = 220, h = 70;
  const RECT r{10, 10, 210, 65};
  const std::wstring text = L"HIM";
  const Mask mask = TextMask(text, r, w, h);
  const fw::TColor light = fw::clRed, shadow = fw::clBlue, textColor = fw::clLime, brush = fw::clYellow;
  struct Copy {
    int offset;  // from r's corner
    fw::TColor color;
  };
  struct Case {
    fx::TFxThreeDStyle style;
    unsigned state;
    fx::TFxDisabledStyle disabled;
    std::vector<Copy> copies;  // in drawing order, with L = 1 and S = 2
  } cases[] = {
      {fx::tdRaised, fx::kFx3DEnabled, fx::dsAuto, {{0, light}, {1, textColor}}},
      {fx::tdSunken, fx::kFx3DEnabled, fx::dsAuto, {{1, light}, {0, textColor}}},
      {fx::tdShadow, fx::kFx3DEnabled, fx::dsAuto, {{2, shadow}, {0, textColor}}},
      {fx::tdRaisedShadow, fx::kFx3DEnabled, fx::dsAuto, {{3, shadow}, {0, light}, {1, textColor}}},
      {fx::tdPColorSunken, fx::kFx3DEnabled, fx::dsAuto, {{0, shadow}, {3, light}, {2, brush}}},
      {fx::tdRaised, 0, fx::ds3d, {{1, light}, {0, fw::clGrayText}}},
      {fx::tdRaised, fx::kFx3DDisabled3D, fx::dsAuto, {{1, light}, {0, fw::clGrayText}}},
      {fx::tdRaised, 0, fx::dsStandard, {{0, light}, {1, fw::clGrayText}}},
      {fx::tdRaised, 0, fx::dsNone, {{0, light}, {1, textColor}}},
  };
  for (const Case& c : cases) {
    fx::TFx3DCaption caption;
    caption.SetStyle(c.style);
    caption.SetShadowDepth(2);
    caption.SetLightColor(light);
    caption.SetShadowColor(shadow);
    caption.SetDisabledStyle(c.disabled);
    fwtest::DibSurface s(w, h, kBack);
    {
      fw::TCanvas canvas(s.DC());
      canvas.Font().Assign(TestFont());
      canvas.Font().SetColor(textColor);
      canvas.Brush().SetColor(brush);
      fx::FxDraw3DText(canvas, text, &caption, nullptr, c.state, DT_NOPREFIX, r);
      EXPECT_EQ(canvas.Font().Color(), textColor);
      EXPECT_EQ(canvas.Brush().Style(), fw::bsSolid);
    }
    // Model: each copy painted over the earlier ones where the text is
    // solid; pixels on any copy's edge are skipped.
    int checked = 0, wrong = 0;
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) {
        COLORREF expected = kBack;
        bool pure = true;
        for (const Copy& copy : c.copies) {
          const int cls = mask.Class(x - copy.offset, y - copy.offset);
          if (cls < 0) pure = false;
          if (cls == 1) expected = fw::ColorToRGB(copy.color);
        }
        if (!pure) continue;
        if (expected != kBack) ++checked;
        if (s.At(x, y) != expected) ++wrong;
      }
    EXPECT_GT(checked, 100) << c.style;
    EXPECT_EQ(wrong, 0) << "style " << c.style << " state " << c.state;
  }
}

TEST(FxDraw3DText, ClipFlagKeepsTheCopiesInsideTheClipRectangle) {
  fx::TFx3DCaption caption;
  caption.SetStyle(fx::tdRaised);
  fwtest::DibSurface s(160, 50, kBack);
  const RECT clip{0, 0, 30, 50};
  {
    fw::TCanvas canvas(s.DC());
    canvas.Font().Assign(TestFont());
    fx::FxDraw3DText(canvas, L"MMMMMM", &caption, &clip, fx::kFx3DEnabled | fx::kFx3DClip, 0, RECT{10, 10, 150, 45});
    fx::FxDraw3DText(canvas, L"", &caption, nullptr, fx::kFx3DEnabled, 0, RECT{10, 10, 150, 45});
  }
  int inside = 0, outside = 0;
  for (int y = 0; y < 50; ++y)
    for (int x = 0; x < 160; ++x)
      if (s.At(x, y) != kBack) ++(x < 30 ? inside : outside);
  EXPECT_GT(inside, 20);
  EXPECT_EQ(outside, 0);
  // The DC keeps no clip region afterwards.
  HRGN rgn = CreateRectRgn(0, 0, 0, 0);
  EXPECT_EQ(GetClipRgn(s.DC(), rgn), 0);
  DeleteObject(rgn);
}

}  // namespace
