// A picture designed for 96 DPI drawn at another: TBitmap::AtDpi resamples
// it smoothly, once, keeps the copy until the picture changes, and keeps a
// transparent picture's edge clean.
#include <gtest/gtest.h>

#include "graphics/bitmap.h"
#include "graphics/canvas.h"

using namespace fw;

namespace {

void Fill(TBitmap& b, const RECT& r, TColor color) {
  b.Canvas().Brush().SetColor(color);
  b.Canvas().FillRect(r);
}

TEST(ScaledPicture, IsSmoothedMadeOnceRemadeAfterAChangeAndKeepsATransparentEdge) {
  // Black left half, white right half: enlarged, the edge gets greys between.
  TBitmap halves(4, 2);
  halves.SetPixelFormat(pf32bit);
  Fill(halves, RECT{0, 0, 2, 2}, clBlack);
  Fill(halves, RECT{2, 0, 4, 2}, clWhite);
  EXPECT_EQ(&halves.AtDpi(96), &halves) << "at the design DPI the picture itself";
  TBitmap& doubled = halves.AtDpi(192);
  ASSERT_EQ(doubled.Width(), 8);
  ASSERT_EQ(doubled.Height(), 4);
  const COLORREF expected[8] = {RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(0, 0, 0),       RGB(64, 64, 64),
                                RGB(191, 191, 191), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255)};
  for (int x = 0; x < 8; ++x) EXPECT_EQ(static_cast<COLORREF>(doubled.Canvas().Pixel(x, 1)), expected[x]) << x;
  EXPECT_EQ(&halves.AtDpi(192), &doubled) << "made once for the DPI";
  Fill(halves, RECT{0, 0, 4, 2}, clWhite);
  EXPECT_EQ(static_cast<COLORREF>(halves.AtDpi(192).Canvas().Pixel(0, 0)), RGB(255, 255, 255))
      << "made again after the picture changed";

  // A black square on the transparent colour: scaled by 1.5, every pixel is
  // either wholly transparent or black; no pink fringe.
  TBitmap glyph(6, 6);
  glyph.SetPixelFormat(pf32bit);
  Fill(glyph, RECT{0, 0, 6, 6}, clFuchsia);
  Fill(glyph, RECT{2, 2, 4, 4}, clBlack);
  glyph.SetTransparentColor(clFuchsia);
  glyph.SetTransparent(true);
  TBitmap& larger = glyph.AtDpi(144);
  ASSERT_EQ(larger.Width(), 9);
  EXPECT_TRUE(larger.Transparent());
  EXPECT_EQ(larger.TransparentColor(), clFuchsia);
  int black = 0;
  for (int y = 0; y < 9; ++y)
    for (int x = 0; x < 9; ++x) {
      const COLORREF c = static_cast<COLORREF>(larger.Canvas().Pixel(x, y));
      EXPECT_TRUE(c == RGB(255, 0, 255) || c == RGB(0, 0, 0)) << x << "," << y;
      black += c == RGB(0, 0, 0);
    }
  EXPECT_EQ(black, 9) << "the 2 x 2 square is 3 x 3";
}

}  // namespace
