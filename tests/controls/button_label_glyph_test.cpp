// Glyph cells: enabled and disabled pictures, and their sharing through the
// process-wide cache.
#include <gtest/gtest.h>
#include <windows.h>

#include "controls/glyph.h"
#include "controls/glyph_list.h"
#include "controls/image_list_api.h"
#include "graphics/bitmap.h"
#include "graphics/canvas.h"
#include "graphics/color.h"
#include "tests/support/dib_surface.h"

namespace {

using namespace skin;
using fwtest::DibSurface;

constexpr COLORREF kGrey = RGB(40, 90, 140);
constexpr COLORREF kRed = RGB(255, 0, 0);

// cells x (size x size): fuchsia background (the bottom-left pixel), a red
// square at (2,2)-(6,6) in every cell, and in cell 1 white and grey pixels.
void MakeStrip(fw::TBitmap& b, int cells, int size = 8) {
  b.SetSize(cells * size, size);
  fw::TCanvas& c = b.Canvas();
  c.Brush().SetColor(fw::clFuchsia);
  c.FillRect(RECT{0, 0, cells * size, size});
  c.Brush().SetColor(fw::clRed);
  for (int i = 0; i < cells; ++i) c.FillRect(RECT{i * size + 2, 2, i * size + 6, 6});
  if (cells > 1) {
    c.SetPixel(size + 0, 0, fw::clWhite);
    c.SetPixel(size + 1, 0, fw::clGray);
  }
}

COLORREF Sys(int index) { return GetSysColor(index); }

TEST(TGlyph, CellCountFollowsTheStripShape) {
  TGlyph g;
  fw::TBitmap b;
  MakeStrip(b, 2);
  g.SetBitmap(b);
  EXPECT_EQ(g.NumGlyphs(), 2);
  EXPECT_EQ(g.CellSize().cx, 8);
  MakeStrip(b, 4);
  g.SetBitmap(b);
  EXPECT_EQ(g.NumGlyphs(), 4);
  MakeStrip(b, 5);
  g.SetBitmap(b);
  EXPECT_EQ(g.NumGlyphs(), 1);
  g.SetNumGlyphs(0);  // ignored
  EXPECT_EQ(g.NumGlyphs(), 1);
  fw::TBitmap odd(13, 8);
  g.SetNumGlyphs(2);
  g.SetBitmap(odd);  // not a multiple: the count stays
  EXPECT_EQ(g.NumGlyphs(), 2);
  EXPECT_EQ(g.CellSize().cx, 6);
}

TEST(TGlyph, EnabledCellIsDrawnTransparentAsItIs) {
  TGlyph g;
  fw::TBitmap b;
  MakeStrip(b, 2);
  g.SetBitmap(b);
  DibSurface s(20, 20, kGrey);
  g.Draw(s.DC(), 5, 7, true);
  for (int y = 0; y < 20; ++y)
    for (int x = 0; x < 20; ++x) {
      const bool square = x >= 7 && x < 11 && y >= 9 && y < 13;
      ASSERT_EQ(s.At(x, y), square ? kRed : kGrey) << x << "," << y;
    }
}

TEST(TGlyph, SecondCellIsTheDisabledPictureInSystemColours) {
  TGlyph g;
  fw::TBitmap b;
  MakeStrip(b, 2);
  g.SetBitmap(b);
  DibSurface s(8, 8, kGrey);
  g.Draw(s.DC(), 0, 0, false);
  EXPECT_EQ(s.At(0, 0), Sys(COLOR_BTNHIGHLIGHT));  // white
  EXPECT_EQ(s.At(1, 0), Sys(COLOR_BTNSHADOW));     // grey
  EXPECT_EQ(s.At(3, 3), kRed);                     // other colours stay
  EXPECT_EQ(s.At(7, 7), Sys(COLOR_BTNFACE));       // the transparent colour
}

TEST(TGlyph, SingleCellIsEmbossedWhenDisabled) {
  TGlyph g;
  fw::TBitmap b;
  MakeStrip(b, 1);
  g.SetBitmap(b);
  DibSurface s(8, 8, kGrey);
  g.Draw(s.DC(), 0, 0, false);
  for (int y = 0; y < 8; ++y)
    for (int x = 0; x < 8; ++x) {
      const bool dark = x >= 2 && x < 6 && y >= 2 && y < 6;
      const bool lit = !dark && x >= 3 && x < 7 && y >= 3 && y < 7;
      const COLORREF want = dark ? Sys(COLOR_BTNSHADOW) : lit ? Sys(COLOR_BTNHIGHLIGHT) : Sys(COLOR_BTNFACE);
      ASSERT_EQ(s.At(x, y), want) << x << "," << y;
    }
}

TEST(TGlyph, EditingThePictureInPlaceRebuildsTheCells) {
  TGlyph g;
  fw::TBitmap b;
  MakeStrip(b, 1);
  g.SetBitmap(b);
  int changes = 0;
  g.OnChange = [&] { ++changes; };
  DibSurface s(8, 8);
  g.Draw(s.DC(), 0, 0, true);
  g.Bitmap().Canvas().SetPixel(3, 3, fw::clLime);
  EXPECT_GE(changes, 1);
  g.Draw(s.DC(), 0, 0, true);
  EXPECT_EQ(s.At(3, 3), RGB(0, 255, 0));
}

TEST(TGlyphCache, ListsAreSharedBySizeReusedAndDroppedWithTheLastGlyph) {
  ASSERT_EQ(TGlyphCache::Instance(), nullptr);
  {
    fw::TBitmap small, large;
    MakeStrip(small, 1, 8);
    MakeStrip(large, 1, 12);
    DibSurface s(16, 16);
    TGlyph a, b, c;
    ASSERT_NE(TGlyphCache::Instance(), nullptr);
    a.SetBitmap(small);
    b.SetBitmap(small);
    c.SetBitmap(large);
    a.Draw(s.DC(), 0, 0, true);
    b.Draw(s.DC(), 0, 0, true);
    b.Draw(s.DC(), 0, 0, false);
    c.Draw(s.DC(), 0, 0, true);
    TGlyphCache* cache = TGlyphCache::Instance();
    EXPECT_EQ(cache->ListCount(), 2);
    TGlyphList* list8 = cache->GetList(8, 8);
    EXPECT_EQ(list8->Count(), 3);
    EXPECT_EQ(list8->Capacity(), 3);
    // b gives its two cells back; a's disabled cell then takes a freed slot.
    b.SetBitmap(fw::TBitmap());
    EXPECT_EQ(list8->Count(), 1);
    a.Draw(s.DC(), 0, 0, false);
    EXPECT_EQ(list8->Count(), 2);
    EXPECT_EQ(list8->Capacity(), 3);
    EXPECT_EQ(skin::imagelist::GetImageCount(list8->Handle()), 3);
    // The large list goes with its last cell.
    c.SetBitmap(fw::TBitmap());
    EXPECT_EQ(cache->ListCount(), 1);
    // A replaced slot shows the new picture.
    s.Fill(kGrey);
    a.Draw(s.DC(), 0, 0, false);
    EXPECT_EQ(s.At(2, 2), Sys(COLOR_BTNSHADOW));
  }
  EXPECT_EQ(TGlyphCache::Instance(), nullptr);
}

}  // namespace
