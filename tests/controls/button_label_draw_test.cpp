// The shared drawing routines, checked pixel by pixel in 32-bit memory DCs.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>

#include "controls/skin_draw.h"
#include "controls/skin_options.h"
#include "graphics/bitmap.h"
#include "graphics/canvas.h"
#include "tests/support/dib_surface.h"

namespace {

using namespace skin;
using fwtest::DibSurface;
using fw::clBlack;
using fw::clWhite;

// A font with no smoothing, so text pixels are exactly the text colour.
class PlainFont {
 public:
  PlainFont(HDC dc, int height, int weight = FW_BOLD) {
    font_ = CreateFontW(height, 0, 0, 0, weight, 0, 0, 0, DEFAULT_CHARSET, 0, 0,
                        NONANTIALIASED_QUALITY, 0, L"MS Sans Serif");
    old_ = SelectObject(dc, font_);
    dc_ = dc;
  }
  ~PlainFont() {
    SelectObject(dc_, old_);
    DeleteObject(font_);
  }

 private:
  HDC dc_;
  HFONT font_;
  HGDIOBJ old_;
};

constexpr COLORREF kGrey = RGB(40, 90, 140);
constexpr COLORREF kWhite = RGB(255, 255, 255);
constexpr COLORREF kBlack = RGB(0, 0, 0);

// Draws the text once in black at r and returns the surface (the mask).
void PlainText(DibSurface& s, RECT r, const wchar_t* text) {
  s.Fill(kGrey);
  PlainFont font(s.DC(), -13);
  SetBkMode(s.DC(), TRANSPARENT);
  SetTextColor(s.DC(), kBlack);
  DrawTextW(s.DC(), text, -1, &r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
}

// Checks that `shadowed` shows the plain mask shifted by face offset in
// white on top of the mask shifted by shadow offset in black.
void ExpectShadowed(const DibSurface& plain, const DibSurface& shadowed, POINT face, POINT shadow) {
  int faceInk = 0;
  for (int y = 2; y < plain.Height() - 2; ++y)
    for (int x = 2; x < plain.Width() - 2; ++x) {
      const bool atFace = plain.At(x - face.x, y - face.y) == kBlack;
      const bool atShadow = plain.At(x - shadow.x, y - shadow.y) == kBlack;
      const COLORREF got = shadowed.At(x, y);
      if (atFace) {
        ++faceInk;
        ASSERT_EQ(got, kWhite) << x << "," << y;
      } else if (atShadow) {
        ASSERT_EQ(got, kBlack) << x << "," << y;
      } else {
        ASSERT_EQ(got, kGrey) << x << "," << y;
      }
    }
  EXPECT_GT(faceInk, 10);
}

TEST(SkinOptions, SetIsHeldInTheLow21Bits) {
  const TSkinOptions keypad{ocRoundedForm, ocPaintTransparently};
  EXPECT_EQ(keypad.Bits(), (1u << 18) | (1u << 20));
  EXPECT_TRUE(TSkinOptions::FromBits(0xFFFFFFFFu) == TSkinOptions::FromBits(0x1FFFFF));
  EXPECT_TRUE(TSkinOptions::FromBits(1u << 21).Empty());
  TSkinOptions o = keypad - ocRoundedForm + ocFlatBorder;
  EXPECT_FALSE(o.Contains(ocRoundedForm));
  EXPECT_TRUE(o.Contains(ocFlatBorder));
  EXPECT_TRUE(o.Contains(ocPaintTransparently));
}

TEST(DrawShadowText, LeftTopMovesTheFaceRightAndDown) {
  DibSurface plain(60, 30), shadowed(60, 30);
  const RECT r{0, 0, 60, 30};
  PlainText(plain, r, L"58");
  shadowed.Fill(kGrey);
  PlainFont font(shadowed.DC(), -13);
  RECT t = r;
  DrawShadowText(shadowed.DC(), t, spLeftTop, 1, clBlack, clWhite,
                 DT_CENTER | DT_VCENTER | DT_SINGLELINE, L"58");
  ExpectShadowed(plain, shadowed, POINT{1, 1}, POINT{0, 0});
  EXPECT_EQ(t.left, 1);  // the caller's rectangle is left moved
  EXPECT_EQ(t.top, 1);
}

TEST(DrawShadowText, EveryPositionPlacesBothCopies) {
  struct Case {
    TShadowPosition pos;
    POINT face, shadow;
  };
  const Case cases[] = {{spLeftTop, {2, 2}, {0, 0}},
                        {spLeftBottom, {2, 0}, {0, 2}},
                        {spRightBottom, {0, 0}, {2, 2}},
                        {spRightTop, {0, 2}, {2, 0}}};
  DibSurface plain(60, 30);
  const RECT r{0, 0, 56, 26};
  PlainText(plain, r, L"47");
  for (const Case& c : cases) {
    DibSurface shadowed(60, 30, kGrey);
    PlainFont font(shadowed.DC(), -13);
    // An opaque mode left by a caller must not box the text.
    SetBkMode(shadowed.DC(), OPAQUE);
    SetBkColor(shadowed.DC(), RGB(255, 0, 0));
    RECT t = r;
    DrawShadowText(shadowed.DC(), t, c.pos, 2, clBlack, clWhite,
                   DT_CENTER | DT_VCENTER | DT_SINGLELINE, L"47");
    SCOPED_TRACE(static_cast<int>(c.pos));
    ExpectShadowed(plain, shadowed, c.face, c.shadow);
    EXPECT_EQ(GetBkMode(shadowed.DC()), OPAQUE);
  }
}

// A 3 x 5 picture whose every pixel differs.
void MakePattern(fw::TBitmap& b) {
  b.SetSize(3, 5);
  for (int y = 0; y < 5; ++y)
    for (int x = 0; x < 3; ++x) b.Canvas().SetPixel(x, y, fw::RGBColor(10 + 40 * x, 20 + 30 * y, 200));
}

COLORREF PatternAt(int x, int y) { return RGB(10 + 40 * x, 20 + 30 * y, 200); }

TEST(DrawWallpaper, TilesWholeTilesFromTheTopLeftAndCutsAtTheEdges) {
  fw::TBitmap b;
  MakePattern(b);
  DibSurface s(20, 20, kGrey);
  const RECT r{2, 1, 13, 12};
  EXPECT_TRUE(DrawWallpaper(s.DC(), &b, r, SRCCOPY, true));
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      const bool inside = x >= r.left && x < r.right && y >= r.top && y < r.bottom;
      ASSERT_EQ(s.At(x, y), inside ? PatternAt((x - 2) % 3, (y - 1) % 5) : kGrey) << x << "," << y;
    }
}

TEST(DrawWallpaper, UntiledIsPinnedToTheOriginNeitherStretchedNorRepeated) {
  fw::TBitmap b;
  MakePattern(b);
  DibSurface s(10, 10, kGrey);
  EXPECT_TRUE(DrawWallpaper(s.DC(), &b, RECT{1, 2, 10, 10}, SRCCOPY, false));
  for (int y = 0; y < 10; ++y)
    for (int x = 0; x < 10; ++x) {
      const bool covered = x >= 1 && x < 3 && y >= 2 && y < 5;
      ASSERT_EQ(s.At(x, y), covered ? PatternAt(x, y) : kGrey) << x << "," << y;
    }
}

TEST(DrawWallpaper, MissingOrEmptyPictureDrawsNothingAndSaysSo) {
  DibSurface s(8, 8, kGrey);
  fw::TBitmap empty;
  EXPECT_FALSE(DrawWallpaper(s.DC(), nullptr, RECT{0, 0, 8, 8}, SRCCOPY, true));
  EXPECT_FALSE(DrawWallpaper(s.DC(), &empty, RECT{0, 0, 8, 8}, SRCCOPY, false));
  EXPECT_FALSE(DrawWallpaperAnchored(s.DC(), &empty, RECT{0, 0, 8, 8}, SRCCOPY, true, RECT{0, 2, 8, 4}));
  EXPECT_EQ(s.Count(kGrey), 64);
}

TEST(DrawWallpaperAnchored, PatternRunsOnAcrossRows) {
  fw::TBitmap b;
  MakePattern(b);
  DibSurface s(12, 40, kGrey);
  const RECT anchor{0, 0, 12, 40}, row{0, 16, 12, 32};
  EXPECT_TRUE(DrawWallpaperAnchored(s.DC(), &b, anchor, SRCCOPY, true, row));
  for (int y = 0; y < 40; ++y)
    for (int x = 0; x < 12; ++x) {
      const bool inRow = y >= 16 && y < 32;
      ASSERT_EQ(s.At(x, y), inRow ? PatternAt(x % 3, y % 5) : kGrey) << x << "," << y;
    }
  // Inverting copy over the anchor.
  DibSurface inv(12, 40);
  EXPECT_TRUE(DrawWallpaperAnchored(inv.DC(), &b, anchor, NOTSRCCOPY, true, row));
  const COLORREF p = PatternAt(1, 16 % 5);
  EXPECT_EQ(inv.At(1, 16), RGB(255 - GetRValue(p), 255 - GetGValue(p), 255 - GetBValue(p)));
}

TEST(DrawWallpaperAnchored, UntiledOrSameRectangleIsPlainWallpaper) {
  fw::TBitmap b;
  MakePattern(b);
  DibSurface a(12, 20, kGrey), plain(12, 20, kGrey);
  const RECT row{0, 6, 12, 12};
  DrawWallpaperAnchored(a.DC(), &b, RECT{0, 0, 12, 20}, SRCCOPY, false, row);
  DrawWallpaper(plain.DC(), &b, row, SRCCOPY, false);
  DibSurface a2(12, 20), plain2(12, 20);
  DrawWallpaperAnchored(a2.DC(), &b, row, SRCCOPY, true, row);
  DrawWallpaper(plain2.DC(), &b, row, SRCCOPY, true);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 12; ++x) {
      ASSERT_EQ(a.At(x, y), plain.At(x, y));
      ASSERT_EQ(a2.At(x, y), plain2.At(x, y));
    }
  EXPECT_EQ(a2.At(0, 6), PatternAt(0, 0));  // the row starts the pattern itself
}

TEST(FillGradient, RunsFromStartToEndAlongTheChosenAxis) {
  DibSurface s(256, 64, kGrey);
  FillGradient(s.DC(), RECT{0, 0, 256, 64}, fw::clBlack, fw::clWhite, gdHorizontal);
  EXPECT_EQ(s.At(0, 0), kBlack);
  int last = -1;
  for (int x = 0; x < 256; ++x) {
    const COLORREF c = s.At(x, 10);
    EXPECT_EQ(s.At(x, 63), c);  // constant across the axis
    EXPECT_EQ(GetRValue(c), GetGValue(c));
    EXPECT_GE(GetRValue(c), last);
    last = GetRValue(c);
  }
  EXPECT_GE(last, 250);
  EXPECT_LT(last, 255);  // the final band starts at the far edge
  EXPECT_EQ(s.Count(kGrey), 0);

  DibSurface v(20, 128, kGrey);
  FillGradient(v.DC(), RECT{0, 0, 20, 128}, fw::clBtnFace, fw::clRed, gdVertical);
  EXPECT_EQ(v.At(5, 0), GetSysColor(COLOR_BTNFACE));
  EXPECT_EQ(v.At(0, 0), v.At(19, 0));
  EXPECT_NE(v.At(5, 0), v.At(5, 127));
  EXPECT_GE(GetRValue(v.At(5, 127)), 250);
}

TEST(FillGradient, StaysInsideItsRectangle) {
  DibSurface s(40, 40, kGrey);
  FillGradient(s.DC(), RECT{5, 7, 23, 31}, fw::clRed, fw::clBlue, gdVertical);
  FillGradient(s.DC(), RECT{25, 7, 39, 12}, fw::clRed, fw::clBlue, gdHorizontal);
  EXPECT_EQ(s.Count(kGrey), 40 * 40 - 18 * 24 - 14 * 5);
}

TEST(ComplementColor, InvertsTheResolvedChannels) {
  EXPECT_EQ(ComplementColor(fw::clWhite), fw::clBlack);
  EXPECT_EQ(ComplementColor(fw::RGBColor(10, 20, 30)), fw::RGBColor(245, 235, 225));
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  EXPECT_EQ(ComplementColor(fw::clBtnFace),
            fw::RGBColor(255 - GetRValue(face), 255 - GetGValue(face), 255 - GetBValue(face)));
}

}  // namespace
