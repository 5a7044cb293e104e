// TSkinBtn's face: an elliptical keypad button over a tiled window, and a
// rectangular button's frames, checked pixel by pixel in memory DCs.
#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstdlib>

#include "controls/skin_button.h"
#include "controls/skin_label.h"
#include "graphics/font.h"
#include "tests/controls/button_label_fixture.h"
#include "tests/controls/keypad_key.h"

namespace button_label_test {
namespace {

using namespace skin;


// The main window's keypad: 57 x 25, bold white digits with a black shadow,
// elliptical and transparent.
struct KeypadTest : SharedFormTest {
  TSkinBtn* key = nullptr;
  TSkinBtn* other = nullptr;
  static constexpr int kLeft = 23, kTop = 31;

  void TearDown() override {
    delete key;
    delete other;
  }

  void SetUp() override {
    SetModifiers(false);
    key = NewKeypadKey(form, kLeft, kTop);
    other = new TSkinBtn(&form);
    other->SetParent(&form);
    other->SetBounds(150, 120, 57, 25);
    other->SetCaption(L"0");
    SetForegroundWindow(form.Handle());
    other->SetFocus();
    Pump();
  }
};

// The part of the face where the caption lies, clear of the frame.
const RECT kTextArea{12, 5, 45, 20};

// Distance from the ellipse's edge in units of its half-axes (1 = on it).
double EllipseDistance(int x, int y, int w, int h) {
  const double dx = (x + 0.5 - w / 2.0) / (w / 2.0), dy = (y + 0.5 - h / 2.0) / (h / 2.0);
  return dx * dx + dy * dy;
}

TEST_F(KeypadTest, ParentPictureShowsOutsideAndInsideTheEllipse) {
  auto s = Render(*key);
  int outside = 0, inside = 0;
  for (int y = 0; y < 25; ++y)
    for (int x = 0; x < 57; ++x) {
      const double d = EllipseDistance(x, y, 57, 25);
      const bool inText = x >= kTextArea.left && x < kTextArea.right && y >= kTextArea.top && y < kTextArea.bottom;
      if (d > 1.3 || (d < 0.55 && !inText)) {
        ASSERT_EQ(s->At(x, y), Backdrop(kLeft + x, kTop + y)) << x << "," << y;
        ++(d > 1 ? outside : inside);
      }
    }
  EXPECT_GT(outside, 80);
  EXPECT_GT(inside, 100);
}

TEST_F(KeypadTest, ThreePenFrameSwapsItsRingsWhenPressed) {
  const COLORREF shadow = Sys(COLOR_BTNSHADOW), frame = Sys(COLOR_WINDOWFRAME), light = Sys(COLOR_BTNHIGHLIGHT);
  ASSERT_NE(frame, light);
  struct Probe {
    int x, y;
    COLORREF up, down;
  };
  // Outer shadow ring; the frame ring one pixel lower right; the highlight
  // ring inside it; the lower right half of that redrawn in shadow.
  const Probe probes[] = {
      {28, 0, shadow, shadow},  {0, 12, shadow, shadow},   // ellipse (0,0,56,24)
      {28, 1, light, frame},    {1, 12, light, frame},     // ellipse (1,1,56,24), upper left half
      {28, 23, shadow, shadow}, {55, 12, shadow, shadow},  // its lower right half: the arc
      {28, 24, frame, light},   {56, 12, frame, light},    // ellipse (1,1,57,25)
  };
  auto up = Render(*key);
  SendMessageW(key->Handle(), BM_SETSTATE, TRUE, 0);
  auto down = Render(*key);
  SendMessageW(key->Handle(), BM_SETSTATE, FALSE, 0);
  auto again = Render(*key);
  for (const Probe& p : probes) {
    EXPECT_EQ(up->At(p.x, p.y), p.up) << p.x << "," << p.y;
    EXPECT_EQ(down->At(p.x, p.y), p.down) << p.x << "," << p.y;
    EXPECT_EQ(again->At(p.x, p.y), p.up) << p.x << "," << p.y;
  }
}

// Pure white pixels are where the face text covers whole pixels; the same
// glyphs drawn at another place cover the same pixels moved.
TEST_F(KeypadTest, WhiteFaceTextSitsOnePixelRightAndBelowItsBlackShadow) {
  key->SetSimpleView(true);
  auto simple = Render(*key);
  key->SetShadowColor(fw::clBlack);  // unchanged value: still simple
  EXPECT_TRUE(key->SimpleView());
  key->SetShadowPos(spLeftTop);
  EXPECT_TRUE(key->SimpleView());
  key->SetSimpleView(false);
  auto shadowed = Render(*key);
  const PixelSet plain = PixelsOf(*simple, kWhite, kTextArea);
  const PixelSet face = PixelsOf(*shadowed, kWhite, kTextArea);
  const PixelSet shadow = PixelsOf(*shadowed, kBlack, kTextArea);
  ASSERT_GT(plain.size(), 10u);
  EXPECT_TRUE(PixelsOf(*simple, kBlack, kTextArea).empty());
  EXPECT_EQ(face, Shifted(plain, 1, 1));
  EXPECT_FALSE(shadow.empty());
  EXPECT_TRUE(Minus(shadow, plain).empty());  // the shadow is where the plain text was
  // Centred: as much backdrop left of the plain text as right of it.
  int minX = 99, maxX = 0;
  for (auto [x, y] : plain) {
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
  }
  EXPECT_LE(std::abs(minX - (56 - maxX)), 2);
}

TEST_F(KeypadTest, ShadowRightBelowPutsTheFaceAtThePlainPlace) {
  key->SetSimpleView(true);
  auto simple = Render(*key);
  key->SetShadowPos(spRightBottom);
  EXPECT_FALSE(key->SimpleView());
  auto shadowed = Render(*key);
  const PixelSet plain = PixelsOf(*simple, kWhite, kTextArea);
  EXPECT_EQ(PixelsOf(*shadowed, kWhite, kTextArea), plain);
  const PixelSet shadow = PixelsOf(*shadowed, kBlack, kTextArea);
  EXPECT_FALSE(shadow.empty());
  EXPECT_TRUE(Minus(shadow, Shifted(plain, 1, 1)).empty());
}

TEST_F(KeypadTest, PressingMovesTheCaptionByOnePixel) {
  auto up = Render(*key);
  SendMessageW(key->Handle(), BM_SETSTATE, TRUE, 0);
  auto down = Render(*key);
  SendMessageW(key->Handle(), BM_SETSTATE, FALSE, 0);
  const PixelSet upFace = PixelsOf(*up, kWhite, kTextArea);
  ASSERT_GT(upFace.size(), 10u);
  EXPECT_EQ(PixelsOf(*down, kWhite, kTextArea), Shifted(upFace, 1, 1));
  EXPECT_EQ(PixelsOf(*down, kBlack, kTextArea), Shifted(PixelsOf(*up, kBlack, kTextArea), 1, 1));
}

TEST_F(KeypadTest, FocusEllipseIsInsetByFour) {
  const COLORREF shadow = Sys(COLOR_BTNSHADOW);
  auto unfocused = Render(*key);
  EXPECT_FALSE(key->DefaultLook());
  key->SetFocus();
  Pump();
  ASSERT_EQ(GetFocus(), key->Handle());
  EXPECT_TRUE(key->DefaultLook());
  auto focused = Render(*key);
  // Top, bottom, left and right of the ellipse (4, 4, 53, 21).
  const POINT ring[] = {{28, 4}, {28, 20}, {4, 12}, {52, 12}};
  for (POINT p : ring) {
    EXPECT_EQ(focused->At(p.x, p.y), shadow) << p.x << "," << p.y;
    EXPECT_EQ(unfocused->At(p.x, p.y), Backdrop(kLeft + p.x, kTop + p.y)) << p.x << "," << p.y;
  }
  // Nothing else of the ring shows one pixel further in or out.
  EXPECT_EQ(focused->At(28, 3), Backdrop(kLeft + 28, kTop + 3));
  EXPECT_EQ(focused->At(28, 5), Backdrop(kLeft + 28, kTop + 5));
  // Without bpoDrawFocus there is no inner ellipse.
  key->SetBtnPaintOptions({bpoDrawDefault});
  auto plain = Render(*key);
  EXPECT_EQ(plain->At(28, 4), Backdrop(kLeft + 28, kTop + 4));
}

TEST_F(KeypadTest, DisabledCaptionIsEngravedWhateverTheShadowSettings) {
  key->SetSimpleView(true);
  auto simple = Render(*key);
  const PixelSet plain = PixelsOf(*simple, kWhite, kTextArea);
  key->SetShadowPos(spRightTop);
  key->SetShadowSize(3);
  key->SetEnabled(false);
  Pump();
  auto disabled = Render(*key);
  const PixelSet face = PixelsOf(*disabled, Sys(COLOR_BTNSHADOW), kTextArea);
  const PixelSet light = PixelsOf(*disabled, Sys(COLOR_BTNHIGHLIGHT), kTextArea);
  EXPECT_EQ(face, plain);
  EXPECT_FALSE(light.empty());
  EXPECT_TRUE(Minus(light, Shifted(plain, 1, 1)).empty());
  EXPECT_TRUE(PixelsOf(*disabled, kBlack, kTextArea).empty());
}

TEST_F(KeypadTest, FlatBorderOptionChangesNothing) {
  auto before = Render(*key);
  HWND old = key->Handle();
  key->SetOptions({ocRoundedForm, ocPaintTransparently, ocFlatBorder});
  EXPECT_NE(key->Handle(), old);  // options recreate the window
  auto after = Render(*key);
  for (int y = 0; y < 25; ++y)
    for (int x = 0; x < 57; ++x) ASSERT_EQ(after->At(x, y), before->At(x, y)) << x << "," << y;
}

TEST_F(KeypadTest, FlatShowsTheFrameOnlyWhileTheMouseIsInside) {
  int enters = 0, leaves = 0;
  key->OnMouseEnter = [&](fw::TObject* sender) {
    EXPECT_EQ(sender, key);
    ++enters;
  };
  key->OnMouseLeave = [&](fw::TObject*) { ++leaves; };
  key->SetFlat(true);
  auto away = Render(*key);
  EXPECT_EQ(away->At(28, 0), Backdrop(kLeft + 28, kTop));
  key->Perform(fw::CM_MOUSEENTER, 0, 0);
  EXPECT_TRUE(key->MouseInside());
  auto over = Render(*key);
  EXPECT_EQ(over->At(28, 0), Sys(COLOR_BTNSHADOW));
  key->Perform(fw::CM_MOUSELEAVE, 0, 0);
  EXPECT_FALSE(key->MouseInside());
  auto left = Render(*key);
  EXPECT_EQ(left->At(28, 0), Backdrop(kLeft + 28, kTop));
  EXPECT_EQ(enters, 1);
  EXPECT_EQ(leaves, 1);
}

TEST_F(KeypadTest, WithoutABackgroundTheEllipseIsFilledWithColor) {
  key->SetOptions({ocRoundedForm, ocPaintWallpaper});  // no wallpaper anywhere
  key->SetColor(fw::clNavy);
  auto s = Render(*key);
  EXPECT_EQ(s->At(28, 6), RGB(0, 0, 128));
  EXPECT_EQ(s->At(0, 0), Backdrop(kLeft, kTop));  // corners still show the parent
  fw::TBitmap paper(5, 5);
  paper.Canvas().Brush().SetColor(fw::clLime);
  paper.Canvas().FillRect(RECT{0, 0, 5, 5});
  key->SetWallpaper(paper);
  key->SetOptions({ocRoundedForm, ocPaintWallpaper, ocTileWallpaper});
  auto tiled = Render(*key);
  EXPECT_EQ(tiled->At(28, 6), RGB(0, 255, 0));
  EXPECT_EQ(tiled->At(0, 0), Backdrop(kLeft, kTop));
}

TEST_F(KeypadTest, GradientFillsOnlyTheEllipse) {
  key->SetOptions({ocRoundedForm, ocPaintGradiently, ocPaintTransparently});
  key->SetColorStart(fw::clRed);
  key->SetColorEnd(fw::clBlue);
  auto s = Render(*key);
  EXPECT_EQ(s->At(0, 0), Backdrop(kLeft, kTop));
  EXPECT_EQ(s->At(56, 24), Backdrop(kLeft + 56, kTop + 24));
  const COLORREF left = s->At(6, 12), right = s->At(50, 12);
  EXPECT_GT(GetRValue(left), GetRValue(right));
  EXPECT_LT(GetBValue(left), GetBValue(right));
  key->SetGradientDirection(gdVertical);
  auto v = Render(*key);
  EXPECT_GT(GetRValue(v->At(28, 4)), GetRValue(v->At(28, 20)));
}

// A rectangular button with the framework defaults.
struct RectTest : SharedFormTest {
  TSkinBtn* button = nullptr;
  TSkinBtn* other = nullptr;
  void TearDown() override {
    delete button;
    delete other;
  }
  void SetUp() override {
    button = new TSkinBtn(&form);
    button->SetParent(&form);
    button->SetBounds(10, 10, 75, 25);
    button->SetCaption(L"Rect");
    other = new TSkinBtn(&form);
    other->SetParent(&form);
    other->SetBounds(10, 60, 75, 25);
    SetForegroundWindow(form.Handle());
    other->SetFocus();
    Pump();
  }
};

TEST_F(RectTest, UnfocusedFaceIsRaisedOverColor) {
  auto s = Render(*button);
  EXPECT_EQ(s->At(0, 12), Sys(COLOR_3DLIGHT));       // EDGE_RAISED: outer light
  EXPECT_EQ(s->At(1, 12), Sys(COLOR_BTNHIGHLIGHT));  // inner highlight
  EXPECT_EQ(s->At(74, 12), Sys(COLOR_3DDKSHADOW));
  EXPECT_EQ(s->At(73, 12), Sys(COLOR_BTNSHADOW));
  EXPECT_EQ(s->At(4, 4), Sys(COLOR_BTNFACE));
}

TEST_F(RectTest, FocusedGetsTheDefaultFrameAndAFocusRectangle) {
  button->SetFocus();
  Pump();
  ASSERT_TRUE(button->DefaultLook());
  auto s = Render(*button);
  const COLORREF frame = Sys(COLOR_WINDOWFRAME), face = Sys(COLOR_BTNFACE);
  EXPECT_EQ(s->At(0, 12), frame);
  EXPECT_EQ(s->At(74, 12), frame);
  EXPECT_EQ(s->At(30, 0), frame);
  EXPECT_EQ(s->At(30, 24), frame);
  EXPECT_EQ(s->At(1, 12), Sys(COLOR_3DLIGHT));  // the raised edge moved in by one
  EXPECT_EQ(s->At(73, 12), Sys(COLOR_3DDKSHADOW));
  // Dotted rectangle on the client inset by 4: every other pixel changed.
  int dotted = 0;
  for (int x = 4; x < 71; ++x) {
    if (s->At(x, 4) != face) ++dotted;
    EXPECT_EQ(s->At(x, 3), face) << x;
    EXPECT_EQ(s->At(x, 5), face) << x;
  }
  EXPECT_GE(dotted, 30);
  EXPECT_LE(dotted, 37);
  int dottedDown = 0;
  for (int y = 4; y < 21; ++y)
    if (s->At(4, y) != face) ++dottedDown;
  EXPECT_GE(dottedDown, 7);
  EXPECT_LE(dottedDown, 10);
  // Unfocused, no dots.
  other->SetFocus();
  Pump();
  auto plain = Render(*button);
  for (int x = 4; x < 71; ++x) EXPECT_EQ(plain->At(x, 4), face) << x;
}

TEST_F(RectTest, DefaultButtonKeepsItsFrameWhileAnotherControlHasTheFocus) {
  button->SetDefault(true);
  Pump();
  // `other` is a push button, so it has the default look, not `button`.
  EXPECT_FALSE(button->DefaultLook());
  EXPECT_TRUE(other->DefaultLook());
  auto s = Render(*button);
  EXPECT_EQ(s->At(0, 12), Sys(COLOR_3DLIGHT));
  other->SetEnabled(false);  // focus goes elsewhere
  form.SetFocus();
  Pump();
  button->SetBtnPaintOptions({});
  auto plain = Render(*button);
  EXPECT_EQ(plain->At(0, 12), Sys(COLOR_3DLIGHT));
}

TEST_F(RectTest, PressedFaceIsSunken) {
  SendMessageW(button->Handle(), BM_SETSTATE, TRUE, 0);
  auto s = Render(*button);
  SendMessageW(button->Handle(), BM_SETSTATE, FALSE, 0);
  // BDR_SUNKENINNER: dark shadow above and left, light below and right.
  EXPECT_EQ(s->At(0, 12), Sys(COLOR_3DDKSHADOW));
  EXPECT_EQ(s->At(74, 12), Sys(COLOR_3DLIGHT));
  EXPECT_EQ(s->At(1, 12), Sys(COLOR_BTNFACE));
}

TEST_F(RectTest, TransparencyWinsOverGradientAndWallpaper) {
  button->SetOptions({ocPaintTransparently, ocPaintGradiently, ocPaintWallpaper});
  button->SetCaption(L"");
  auto s = Render(*button);
  for (int y = 3; y < 22; ++y)
    for (int x = 3; x < 72; ++x) ASSERT_EQ(s->At(x, y), Backdrop(10 + x, 10 + y)) << x << "," << y;
  button->SetOptions({ocPaintGradiently, ocPaintWallpaper});
  button->SetColorStart(fw::clRed);
  button->SetColorEnd(fw::clRed);
  auto g = Render(*button);
  EXPECT_EQ(g->At(10, 10), RGB(255, 0, 0));
}

// A 100 x 40 flat button (no frame while the mouse is away) with a 12 x 12
// glyph: a red square inside a fuchsia (transparent) border.
struct GlyphLayoutTest : RectTest {
  void SetUp() override {
    RectTest::SetUp();
    button->SetBounds(10, 10, 100, 40);
    button->SetFlat(true);
    button->SetBtnPaintOptions({});
    button->SetColor(fw::clSilver);
    button->SetCaption(L"");
    fw::TBitmap glyph(12, 12);
    glyph.SetPixelFormat(fw::pf24bit);
    glyph.Canvas().Brush().SetColor(fw::clFuchsia);
    glyph.Canvas().FillRect(RECT{0, 0, 12, 12});
    glyph.Canvas().Brush().SetColor(fw::clRed);
    glyph.Canvas().FillRect(RECT{1, 1, 11, 11});
    button->SetGlyph(glyph);
  }
  // Top-left corner of the red square, minus its 1-pixel border.
  static POINT GlyphAt(const DibSurface& s) {
    for (int y = 0; y < s.Height(); ++y)
      for (int x = 0; x < s.Width(); ++x)
        if (s.At(x, y) == RGB(255, 0, 0)) return POINT{x - 1, y - 1};
    return POINT{-99, -99};
  }
};

TEST_F(GlyphLayoutTest, GlyphAloneIsCentredAndAFixedMarginPlacesItBySide) {
  auto s = Render(*button);
  const POINT centred = GlyphAt(*s);
  EXPECT_EQ(centred.x, (100 - 12 + 1) / 2);
  EXPECT_EQ(centred.y, (40 - 12 + 1) / 2);
  EXPECT_EQ(s->At(centred.x, centred.y), RGB(192, 192, 192));  // transparent border
  button->SetMargin(5);
  EXPECT_EQ(GlyphAt(*Render(*button)).x, 5);
  button->SetLayout(blGlyphRight);
  EXPECT_EQ(GlyphAt(*Render(*button)).x, 100 - 5 - 12);
  button->SetLayout(blGlyphTop);
  auto top = Render(*button);
  EXPECT_EQ(GlyphAt(*top).y, 5);
  EXPECT_EQ(GlyphAt(*top).x, (100 - 12 + 1) / 2);
  button->SetLayout(blGlyphBottom);
  EXPECT_EQ(GlyphAt(*Render(*button)).y, 40 - 5 - 12);
  // Pressed: one pixel right and down.
  SendMessageW(button->Handle(), BM_SETSTATE, TRUE, 0);
  auto pressed = Render(*button);
  SendMessageW(button->Handle(), BM_SETSTATE, FALSE, 0);
  EXPECT_EQ(GlyphAt(*pressed).y, 40 - 5 - 12 + 1);
  EXPECT_EQ(GlyphAt(*pressed).x, (100 - 12 + 1) / 2 + 1);
}

TEST_F(GlyphLayoutTest, RightToLeftReadingSwapsLeftAndRight) {
  button->SetMargin(5);
  HWND wnd = button->Handle();
  SetWindowLongPtrW(wnd, GWL_EXSTYLE, GetWindowLongPtrW(wnd, GWL_EXSTYLE) | WS_EX_RTLREADING);
  EXPECT_EQ(GlyphAt(*Render(*button)).x, 100 - 5 - 12);
  button->SetLayout(blGlyphRight);
  EXPECT_EQ(GlyphAt(*Render(*button)).x, 5);
  button->SetLayout(blGlyphTop);
  EXPECT_EQ(GlyphAt(*Render(*button)).y, 5);
}

TEST_F(GlyphLayoutTest, GlyphAndCaptionAreCentredTogetherWithTheSpacingBetween) {
  button->SetCaption(L"Go");
  button->SetSimpleView(true);
  button->Font().SetColor(fw::clBlack);
  auto s = Render(*button);
  const POINT glyph = GlyphAt(*s);
  int inkLeft = 999, inkRight = -1;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 100; ++x)
      if (s->At(x, y) == RGB(0, 0, 0)) {
        inkLeft = std::min(inkLeft, x);
        inkRight = std::max(inkRight, x);
      }
  ASSERT_GE(inkRight, 0);
  EXPECT_GE(inkLeft, glyph.x + 12 + 4);  // the text starts after glyph + spacing
  EXPECT_LE(inkLeft, glyph.x + 12 + 4 + 2);
  EXPECT_LE(std::abs(glyph.x - (99 - inkRight)), 3);  // the pair is centred
  // Glyph on the right: the text comes first.
  button->SetLayout(blGlyphRight);
  auto r = Render(*button);
  const POINT right = GlyphAt(*r);
  int inkRight2 = -1;
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 100; ++x)
      if (r->At(x, y) == RGB(0, 0, 0)) inkRight2 = std::max(inkRight2, x);
  EXPECT_LE(inkRight2, right.x - 4);
  EXPECT_GE(inkRight2, right.x - 4 - 3);
}

TEST_F(GlyphLayoutTest, DisabledButtonShowsTheEmbossedCell) {
  button->SetEnabled(false);
  auto s = Render(*button);
  EXPECT_EQ(GlyphAt(*s).x, -99);  // no red left
  const int x = (100 - 12 + 1) / 2, y = (40 - 12 + 1) / 2;
  EXPECT_EQ(s->At(x + 1, y + 1), Sys(COLOR_BTNSHADOW));
}

}  // namespace
}  // namespace button_label_test
