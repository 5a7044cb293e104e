// TSkinLabel: shadowed caption, engraved when disabled, size fitting, bevel,
// wallpaper, and its copy inside the parent backgrounds that buttons show.
#include <gtest/gtest.h>
#include <windows.h>

#include "controls/skin_button.h"
#include "controls/skin_label.h"
#include "tests/controls/button_label_fixture.h"

namespace button_label_test {
namespace {

using namespace skin;


struct LabelTest : SharedFormTest {
  TSkinLabel* label = nullptr;
  static constexpr int kLeft = 13, kTop = 7;

  // The main window's headings: centred, fixed size, transparent, white
  // text with a black shadow.
  void SetUp() override {
    label = new TSkinLabel(&form);
    label->SetAutoSize(false);
    label->SetParent(&form);
    label->SetBounds(kLeft, kTop, 177, 17);
    label->SetAlignment(fw::taCenter);
    label->SetTransparent(true);
    label->SetShadowColor(fw::clBlack);
    label->Font().SetName(L"MS Sans Serif");
    label->Font().SetHeight(-13);
    label->Font().SetColor(fw::clWhite);
    label->SetCaption(L"Quantity converter");
  }
  void TearDown() override { delete label; }

  // The label over the form's own picture, as the form paints it.
  std::unique_ptr<DibSurface> Painted() {
    auto s = std::make_unique<DibSurface>(label->Width(), label->Height());
    for (int y = 0; y < s->Height(); ++y)
      for (int x = 0; x < s->Width(); ++x) SetPixelV(s->DC(), x, y, Backdrop(kLeft + x, kTop + y));
    label->Perform(WM_PAINT, reinterpret_cast<WPARAM>(s->DC()), 0);
    return s;
  }
  RECT All() const { return RECT{0, 0, label->Width(), label->Height()}; }
};

TEST_F(LabelTest, TransparentShowsTheParentAndShadowsUpperLeft) {
  label->SetSimpleView(true);
  auto simple = Painted();
  label->SetSimpleView(false);
  auto s = Painted();
  const PixelSet plain = PixelsOf(*simple, kWhite, All());
  ASSERT_GT(plain.size(), 40u);
  EXPECT_EQ(PixelsOf(*s, kWhite, All()), Shifted(plain, 1, 1));
  const PixelSet shadow = PixelsOf(*s, kBlack, All());
  EXPECT_FALSE(shadow.empty());
  EXPECT_TRUE(Minus(shadow, plain).empty());
  // Away from the text, the parent's picture.
  int backdrop = 0;
  for (int y = 0; y < 17; ++y)
    for (int x = 0; x < 177; ++x) {
      const COLORREF c = s->At(x, y);
      if (IsBackdropColour(c)) {
        ASSERT_EQ(c, Backdrop(kLeft + x, kTop + y)) << x << "," << y;
        ++backdrop;
      }
    }
  EXPECT_GT(backdrop, 177 * 17 * 3 / 4);
  // Centred: the text's ink is balanced about the middle.
  int minX = 999, maxX = 0;
  for (auto [x, y] : plain) {
    minX = std::min(minX, x);
    maxX = std::max(maxX, x);
  }
  EXPECT_LE(std::abs(minX - (176 - maxX)), 3);
}

TEST_F(LabelTest, RightBottomShadowLiesBelowRightOfTheFace) {
  label->SetSimpleView(true);
  const PixelSet plain = PixelsOf(*Painted(), kWhite, All());
  label->SetShadowPos(spRightBottom);
  EXPECT_FALSE(label->SimpleView());
  auto s = Painted();
  EXPECT_EQ(PixelsOf(*s, kWhite, All()), plain);
  const PixelSet shadow = PixelsOf(*s, kBlack, All());
  EXPECT_FALSE(shadow.empty());
  EXPECT_TRUE(Minus(shadow, Shifted(plain, 1, 1)).empty());
}

TEST_F(LabelTest, DisabledTextIsEngravedWhateverItsShadow) {
  label->SetSimpleView(true);
  const PixelSet plain = PixelsOf(*Painted(), kWhite, All());
  label->SetShadowSize(2);
  label->SetEnabled(false);
  auto s = Painted();
  EXPECT_EQ(PixelsOf(*s, Sys(COLOR_BTNSHADOW), All()), plain);
  const PixelSet light = PixelsOf(*s, Sys(COLOR_BTNHIGHLIGHT), All());
  EXPECT_FALSE(light.empty());
  EXPECT_TRUE(Minus(light, Shifted(plain, 1, 1)).empty());
  EXPECT_TRUE(PixelsOf(*s, kBlack, All()).empty());
}

TEST_F(LabelTest, FixedSizeStaysAndAutoSizeFitsTheCaption) {
  label->SetCaption(L"A much longer caption than before");
  EXPECT_EQ(label->Width(), 177);
  EXPECT_EQ(label->Height(), 17);
  label->SetAlignment(fw::taLeftJustify);
  label->SetAutoSize(true);
  EXPECT_EQ(label->Left(), kLeft);
  const int longWidth = label->Width();
  EXPECT_GT(longWidth, 100);
  label->SetCaption(L"Short");
  EXPECT_LT(label->Width(), longWidth / 2);
  EXPECT_EQ(label->Left(), kLeft);  // left alignment keeps the left edge
  label->SetAlignment(fw::taRightJustify);
  const int right = label->Left() + label->Width();
  label->SetCaption(L"Short and then longer");
  EXPECT_EQ(label->Left() + label->Width(), right);  // right alignment keeps the right edge
  // An empty caption still measures one line.
  label->SetCaption(L"");
  EXPECT_GT(label->Height(), 10);
}

TEST_F(LabelTest, RightToLeftReadingSwapsTheAlignmentForDrawingAndFitting) {
  label->SetSimpleView(true);
  label->SetAlignment(fw::taLeftJustify);
  label->SetCaption(L"Mass");
  struct Columns {
    int first, last;
  };
  auto inkColumns = [&] {
    const PixelSet ink = PixelsOf(*Painted(), kWhite, All());
    int first = label->Width(), last = -1;
    for (const auto& p : ink) {
      first = std::min(first, p.first);
      last = std::max(last, p.first);
    }
    return Columns{first, last};
  };
  const auto ltr = inkColumns();
  ASSERT_LT(ltr.first, 5) << "left-aligned text starts at the left";
  const HWND parent = form.Handle();
  const LONG_PTR exStyle = GetWindowLongPtrW(parent, GWL_EXSTYLE);
  SetWindowLongPtrW(parent, GWL_EXSTYLE, exStyle | WS_EX_RTLREADING);
  const auto rtl = inkColumns();
  EXPECT_GT(rtl.last, label->Width() - 5) << "left alignment reads as right";
  EXPECT_EQ(rtl.last - rtl.first, ltr.last - ltr.first);
  // Fitting keeps the right edge of what now reads as right-aligned.
  label->SetAutoSize(true);
  const int right = label->Left() + label->Width();
  label->SetCaption(L"Mass measure");
  EXPECT_EQ(label->Left() + label->Width(), right);
  SetWindowLongPtrW(parent, GWL_EXSTYLE, exStyle);
}

TEST_F(LabelTest, BevelsOffsetTurnsAutoSizeOff) {
  label->SetAutoSize(true);
  label->SetBevelsOffset(3);
  EXPECT_FALSE(label->AutoSize());
  const int width = label->Width();
  label->SetCaption(L"x");
  EXPECT_EQ(label->Width(), width);
}

TEST_F(LabelTest, OpaqueLabelTilesItsWallpaperWithoutATilingOption) {
  fw::TBitmap paper(5, 4);
  paper.SetPixelFormat(fw::pf24bit);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 5; ++x) paper.Canvas().SetPixel(x, y, fw::RGBColor(40 * x, 60 * y, 77));
  label->SetTransparent(false);
  label->SetCaption(L"");
  label->SetWallpaper(paper);
  auto s = Painted();
  for (int y = 0; y < 17; ++y)
    for (int x = 0; x < 177; ++x) ASSERT_EQ(s->At(x, y), RGB(40 * (x % 5), 60 * (y % 4), 77)) << x << "," << y;
  // Without a wallpaper: its colour.
  label->Wallpaper().SetSize(0, 0);
  label->SetColor(fw::clNavy);
  auto plain = Painted();
  EXPECT_EQ(plain->Count(RGB(0, 0, 128)), 177 * 17);
}

TEST_F(LabelTest, SharedStoreWallpaperWinsWhileItsItemExists) {
  TSkinImages store(nullptr);
  fw::TBitmap red(3, 3), own(3, 3);
  red.Canvas().Brush().SetColor(fw::clRed);
  red.Canvas().FillRect(RECT{0, 0, 3, 3});
  own.Canvas().Brush().SetColor(fw::clLime);
  own.Canvas().FillRect(RECT{0, 0, 3, 3});
  store.Bitmaps().Add().SetBitmap(red);
  label->SetTransparent(false);
  label->SetCaption(L"");
  label->SetWallpaper(own);
  label->SetSkinImages(&store);
  label->SetIdWallpaper(1);  // no such item: the own wallpaper
  EXPECT_EQ(Painted()->At(5, 5), RGB(0, 255, 0));
  label->SetIdWallpaper(0);
  EXPECT_EQ(Painted()->At(5, 5), RGB(255, 0, 0));
  store.Bitmaps().Items(0).Bitmap().SetSize(0, 0);  // an empty item: the own again
  EXPECT_EQ(Painted()->At(5, 5), RGB(0, 255, 0));
}

TEST_F(LabelTest, DestroyedStoreIsForgotten) {
  auto* store = new TSkinImages(nullptr);
  label->SetSkinImages(store);
  delete store;
  EXPECT_EQ(label->SkinImages(), nullptr);
  label->SetTransparent(false);
  Painted();  // paints without touching the store
}

TEST_F(LabelTest, AccelCharUnderlinesTheNextLetter) {
  label->SetSimpleView(true);
  label->SetAlignment(fw::taLeftJustify);
  label->SetCaption(L"&Go");
  const PixelSet marked = PixelsOf(*Painted(), kWhite, All());
  label->SetCaption(L"Go");
  const PixelSet plain = PixelsOf(*Painted(), kWhite, All());
  const PixelSet underline = Minus(marked, plain);
  ASSERT_GE(underline.size(), 4u);
  const int row = underline.begin()->second;
  for (auto [x, y] : underline) EXPECT_EQ(y, row);
  label->SetCaption(L"&Go");
  label->SetShowAccelChar(false);  // the ampersand is shown instead
  EXPECT_GT(PixelsOf(*Painted(), kWhite, All()).size(), plain.size() + underline.size());
}

TEST_F(LabelTest, RaisedOuterBevelFramesTheLabel) {
  label->SetBevelOuter(bvRaised);
  auto s = Painted();
  EXPECT_EQ(s->At(0, 8), Sys(COLOR_3DLIGHT));
  EXPECT_EQ(s->At(176, 8), Sys(COLOR_3DDKSHADOW));
  label->SetBevelOuter(bvSpace);
  EXPECT_EQ(Painted()->At(0, 8), Backdrop(kLeft, kTop + 8));
}

TEST_F(LabelTest, NumGlyphsAboveTwoIsTwo) {
  label->SetNumGlyphs(3);
  EXPECT_EQ(label->NumGlyphs(), 2);
  label->SetNumGlyphs(0);
  EXPECT_EQ(label->NumGlyphs(), 2);
  label->SetNumGlyphs(1);
  EXPECT_EQ(label->NumGlyphs(), 1);
}

TEST_F(LabelTest, LeftGlyphComesFirstAndPushesTheText) {
  fw::TBitmap glyph(8, 8);
  glyph.Canvas().Brush().SetColor(fw::clFuchsia);
  glyph.Canvas().FillRect(RECT{0, 0, 8, 8});
  glyph.Canvas().Brush().SetColor(fw::clRed);
  glyph.Canvas().FillRect(RECT{1, 1, 7, 7});
  label->SetSimpleView(true);
  label->SetAlignment(fw::taLeftJustify);
  const PixelSet before = PixelsOf(*Painted(), kWhite, All());
  label->SetGlyph(glyph);
  auto s = Painted();
  EXPECT_EQ(s->At(1, 1), RGB(255, 0, 0));
  EXPECT_EQ(s->At(0, 0), Backdrop(kLeft, kTop));  // transparent corner
  EXPECT_EQ(PixelsOf(*s, kWhite, All()), Shifted(before, 10, 0));
}

// The parent's painting, shadowed labels included, is what a transparent
// button shows behind its face.
TEST_F(LabelTest, LabelIsDrawnAgainInsideAButtonsParentBackground) {
  label->SetCaption(L"8888888888888888888");
  auto reference = std::make_unique<DibSurface>(form.ClientWidth(), form.ClientHeight());
  form.PaintTo(reference->DC());
  ASSERT_GT(reference->Count(kWhite, RECT{kLeft, kTop, kLeft + 177, kTop + 17}), 40u);

  TSkinBtn button(&form);
  button.SetParent(&form);
  button.SetBounds(kLeft + 40, kTop - 4, 90, 25);
  button.SetOptions({ocPaintTransparently});
  button.SetBtnPaintOptions({});
  auto face = Render(button);
  int white = 0;
  for (int y = 3; y < 22; ++y)
    for (int x = 3; x < 87; ++x) {
      ASSERT_EQ(face->At(x, y), reference->At(button.Left() + x, button.Top() + y)) << x << "," << y;
      white += face->At(x, y) == kWhite;
    }
  EXPECT_GT(white, 20);

  // The same inside an ellipse.
  button.SetOptions({ocRoundedForm, ocPaintTransparently});
  auto round = Render(button);
  EXPECT_EQ(round->At(45, 12), reference->At(button.Left() + 45, button.Top() + 12));
  int whiteInside = 0;
  for (int y = 6; y < 19; ++y)
    for (int x = 20; x < 70; ++x) {
      ASSERT_EQ(round->At(x, y), reference->At(button.Left() + x, button.Top() + y)) << x << "," << y;
      whiteInside += round->At(x, y) == kWhite;
    }
  EXPECT_GT(whiteInside, 10);
}

}  // namespace
}  // namespace button_label_test
