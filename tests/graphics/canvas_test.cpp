// TCanvas over a memory DC: pixels of the drawing calls, selection and
// restoration of the DC's objects, and font/brush/pen change handling.
#include <gtest/gtest.h>

#include "graphics/bitmap.h"
#include "graphics/canvas.h"
#include "graphics/color.h"
#include "graphics/gdi.h"
#include "graphics/graphics_errors.h"
#include "graphics_test_util.h"

using namespace fw;
using fwtest::DibSurface;

TEST(Color, SystemColoursResolveThroughGetSysColor) {
  EXPECT_EQ(static_cast<std::uint32_t>(clBtnFace), 0x8000000Fu);
  EXPECT_EQ(static_cast<std::uint32_t>(clWindow), 0x80000005u);
  EXPECT_EQ(static_cast<std::uint32_t>(clInfoBk), 0x80000018u);
  const std::pair<TColor, int> pairs[] = {
      {clBtnFace, COLOR_BTNFACE},     {clBtnShadow, COLOR_BTNSHADOW}, {clBtnHighlight, COLOR_BTNHIGHLIGHT},
      {clWindowFrame, COLOR_WINDOWFRAME}, {clWindow, COLOR_WINDOW},   {clWindowText, COLOR_WINDOWTEXT},
      {clHighlight, COLOR_HIGHLIGHT}, {clInfoBk, COLOR_INFOBK},       {cl3DDkShadow, COLOR_3DDKSHADOW}};
  for (auto [color, index] : pairs) EXPECT_EQ(ColorToRGB(color), GetSysColor(index)) << index;
  EXPECT_EQ(ColorToRGB(clNavy), RGB(0, 0, 0x80));
  EXPECT_EQ(ColorToRGB(clRed), RGB(255, 0, 0));
  EXPECT_EQ(ColorToRGB(RGBColor(1, 2, 3)), RGB(1, 2, 3));
  // Neither clNone nor clDefault is a system colour.
  EXPECT_FALSE(IsSysColor(clNone));
  EXPECT_FALSE(IsSysColor(clDefault));
}

TEST(CanvasPixels, FillRectUsesTheBrushColourIncludingSystemColours) {
  DibSurface target(20, 20, RGB(0, 0, 0));
  TCanvas canvas(target.DC());
  canvas.Brush().SetColor(static_cast<TColor>(RGB(10, 200, 30)));
  canvas.FillRect(RECT{2, 3, 12, 9});
  EXPECT_EQ(target.Count(RGB(10, 200, 30), RECT{2, 3, 12, 9}), 60);
  EXPECT_EQ(target.Count(RGB(10, 200, 30), RECT{0, 0, 20, 20}), 60);

  canvas.Brush().SetColor(clBtnShadow);
  canvas.FillRect(RECT{0, 15, 1, 16});
  EXPECT_EQ(target.At(0, 15), GetSysColor(COLOR_BTNSHADOW));

  // A clear brush fills nothing.
  canvas.Brush().SetStyle(bsClear);
  canvas.FillRect(RECT{14, 14, 20, 20});
  EXPECT_EQ(target.At(16, 16), RGB(0, 0, 0));
}

TEST(CanvasPixels, EllipseOutlineInPenColourInteriorInBrushColour) {
  DibSurface target(30, 30, RGB(255, 255, 255));
  TCanvas canvas(target.DC());
  canvas.Pen().SetColor(static_cast<TColor>(RGB(200, 0, 50)));
  canvas.Brush().SetColor(static_cast<TColor>(RGB(0, 90, 180)));
  canvas.Ellipse(0, 0, 21, 21);
  EXPECT_EQ(target.At(10, 0), RGB(200, 0, 50));   // top of the outline
  EXPECT_EQ(target.At(0, 10), RGB(200, 0, 50));   // left of the outline
  EXPECT_EQ(target.At(10, 10), RGB(0, 90, 180));  // inside
  EXPECT_EQ(target.At(0, 0), RGB(255, 255, 255)); // corner outside
  EXPECT_EQ(target.At(25, 25), RGB(255, 255, 255));

  // Hollow brush: the outline only.
  canvas.Brush().SetStyle(bsClear);
  canvas.Pen().SetColor(clLime);
  canvas.Ellipse(5, 5, 16, 16);
  EXPECT_EQ(target.At(10, 5), RGB(0, 255, 0));
  EXPECT_EQ(target.At(10, 10), RGB(0, 90, 180));

  // Clear pen: no outline.
  DibSurface second(10, 10, RGB(255, 255, 255));
  TCanvas c2(second.DC());
  c2.Pen().SetStyle(psClear);
  c2.Brush().SetColor(clBlue);
  c2.Rectangle(0, 0, 10, 10);
  EXPECT_EQ(second.At(0, 0), RGB(0, 0, 255));
}

TEST(CanvasPixels, LinesFramesAndPixels) {
  DibSurface target(20, 20, RGB(255, 255, 255));
  TCanvas canvas(target.DC());
  canvas.Pen().SetColor(clRed);
  canvas.MoveTo(0, 5);
  canvas.LineTo(10, 5);
  EXPECT_EQ(target.Count(RGB(255, 0, 0), RECT{0, 5, 20, 6}), 10);  // end point excluded
  EXPECT_EQ(canvas.PenPos().x, 10);

  canvas.Brush().SetColor(clGreen);
  canvas.FrameRect(RECT{10, 10, 15, 15});
  EXPECT_EQ(target.Count(RGB(0, 128, 0), RECT{10, 10, 15, 15}), 16);
  EXPECT_EQ(target.At(12, 12), RGB(255, 255, 255));

  canvas.SetPixel(19, 19, clNavy);
  EXPECT_EQ(target.At(19, 19), RGB(0, 0, 128));
  EXPECT_EQ(canvas.Pixel(19, 19), clNavy);
}

TEST(CanvasPixels, TextInTheFontColourInsideItsExtent) {
  DibSurface target(120, 40, RGB(255, 255, 255));
  TCanvas canvas(target.DC());
  canvas.Font().SetName(L"Arial");
  canvas.Font().SetHeight(-24);
  canvas.Font().SetStyle({fsBold});
  canvas.Font().SetColor(static_cast<TColor>(RGB(0, 0, 200)));
  canvas.Brush().SetStyle(bsClear);
  const SIZE ext = canvas.TextExtent(L"HIH");
  ASSERT_GT(ext.cx, 10);
  ASSERT_GT(ext.cy, 10);
  canvas.TextOut(5, 5, L"HIH");
  const RECT inside{5, 5, 5 + ext.cx, 5 + ext.cy};
  EXPECT_GT(target.Count(RGB(0, 0, 200), inside), 20);
  // Nothing outside the extent, and the clear brush left the gaps white.
  EXPECT_EQ(target.Count(RGB(255, 255, 255), RECT{0, 0, 120, 5}), 120 * 5);
  EXPECT_EQ(target.Count(RGB(255, 255, 255), RECT{5 + ext.cx, 0, 120, 40}), (115 - ext.cx) * 40);
  EXPECT_GT(target.Count(RGB(255, 255, 255), inside), 0);

  // An opaque brush fills the text cell with the brush colour.
  DibSurface second(120, 40, RGB(255, 255, 255));
  TCanvas c2(second.DC());
  c2.Font().Assign(canvas.Font());
  c2.Brush().SetColor(clYellow);
  c2.TextOut(0, 0, L"HIH");
  EXPECT_EQ(second.At(0, 0), RGB(255, 255, 0));
  EXPECT_GT(second.Count(RGB(0, 0, 200), RECT{0, 0, ext.cx, ext.cy}), 20);
}

TEST(CanvasPixels, DrawTextCalcRectMatchesTextExtentAndCentres) {
  DibSurface target(200, 50, RGB(255, 255, 255));
  TCanvas canvas(target.DC());
  canvas.Font().SetHeight(-16);
  canvas.Font().SetColor(clBlack);
  canvas.Brush().SetStyle(bsClear);
  RECT calc{0, 0, 200, 0};
  canvas.DrawText(L"Convert", calc, DT_CALCRECT | DT_SINGLELINE);
  const SIZE ext = canvas.TextExtent(L"Convert");
  EXPECT_EQ(calc.right - calc.left, ext.cx);
  EXPECT_EQ(calc.bottom - calc.top, ext.cy);
  RECT r{0, 0, 200, 50};
  canvas.DrawText(L"Convert", r, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
  const int left = (200 - ext.cx) / 2, top = (50 - ext.cy) / 2;
  EXPECT_EQ(target.Count(RGB(255, 255, 255), RECT{0, 0, left - 1, 50}), (left - 1) * 50);
  EXPECT_GT(target.Count(RGB(0, 0, 0), RECT{left - 1, top - 1, left + ext.cx + 1, top + ext.cy + 1}), 10);
}

TEST(CanvasPixels, StretchDrawAndCopyRect) {
  TBitmap bmp(2, 2);
  bmp.Canvas().SetPixel(0, 0, clRed);
  bmp.Canvas().SetPixel(1, 0, clLime);
  bmp.Canvas().SetPixel(0, 1, clBlue);
  bmp.Canvas().SetPixel(1, 1, clYellow);
  DibSurface target(20, 20, RGB(0, 0, 0));
  TCanvas canvas(target.DC());
  canvas.StretchDraw(RECT{0, 0, 10, 10}, bmp);
  EXPECT_EQ(target.Count(RGB(255, 0, 0), RECT{0, 0, 5, 5}), 25);
  EXPECT_EQ(target.Count(RGB(255, 255, 0), RECT{5, 5, 10, 10}), 25);

  DibSurface other(20, 20, RGB(0, 0, 0));
  TCanvas dest(other.DC());
  dest.CopyRect(RECT{10, 10, 15, 15}, canvas, RECT{5, 0, 10, 5});
  EXPECT_EQ(other.Count(RGB(0, 255, 0), RECT{10, 10, 15, 15}), 25);
  EXPECT_EQ(other.At(9, 9), RGB(0, 0, 0));
}

TEST(CanvasState, DetachPutsBackTheDcsObjectsAndColours) {
  DibSurface target(10, 10, RGB(255, 255, 255));
  HDC dc = target.DC();
  HGDIOBJ font0 = GetCurrentObject(dc, OBJ_FONT);
  HGDIOBJ brush0 = GetCurrentObject(dc, OBJ_BRUSH);
  HGDIOBJ pen0 = GetCurrentObject(dc, OBJ_PEN);
  SetTextColor(dc, RGB(1, 2, 3));
  SetBkColor(dc, RGB(4, 5, 6));
  SetBkMode(dc, OPAQUE);
  {
    TCanvas canvas(dc);
    canvas.Font().SetColor(clRed);
    canvas.Brush().SetStyle(bsClear);
    canvas.Pen().SetColor(clBlue);
    canvas.TextOut(0, 0, L"x");
    canvas.Ellipse(0, 0, 5, 5);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), canvas.Font().Handle());
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), canvas.Pen().Handle());
    EXPECT_EQ(GetBkMode(dc), TRANSPARENT);
  }
  EXPECT_EQ(GetCurrentObject(dc, OBJ_FONT), font0);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_BRUSH), brush0);
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen0);
  {
    // Refresh lets go of the objects but stays attached.
    TCanvas canvas(dc);
    canvas.Pen().SetColor(clRed);
    canvas.LineTo(1, 0);
    EXPECT_NE(GetCurrentObject(dc, OBJ_PEN), pen0);
    canvas.Refresh();
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen0);
    canvas.LineTo(2, 0);
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), canvas.Pen().Handle());
  }
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen0);
  EXPECT_EQ(GetTextColor(dc), RGB(1, 2, 3));
  EXPECT_EQ(GetBkColor(dc), RGB(4, 5, 6));
  EXPECT_EQ(GetBkMode(dc), OPAQUE);
  // The DC was not the canvas's: it still draws.
  EXPECT_NE(SetPixel(dc, 1, 1, RGB(7, 8, 9)), static_cast<COLORREF>(-1));
  EXPECT_EQ(target.At(1, 1), RGB(7, 8, 9));
}

TEST(CanvasState, ChangingASelectedFontReplacesItAndFreesTheOldOne) {
  DibSurface target(10, 10, RGB(255, 255, 255));
  TCanvas canvas(target.DC());
  canvas.Font().SetHeight(-10);
  const int narrow = canvas.TextWidth(L"WWWW");
  HFONT first = canvas.Font().Handle();
  const long fonts = GdiCounters::Live(GdiKind::Font);
  canvas.Font().SetHeight(-30);
  // The old handle was deselected before it was deleted, so it is gone.
  EXPECT_EQ(GetObjectType(first), 0u);
  EXPECT_EQ(GdiCounters::Live(GdiKind::Font), fonts - 1);
  EXPECT_GT(canvas.TextWidth(L"WWWW"), narrow);
  EXPECT_EQ(GetCurrentObject(target.DC(), OBJ_FONT), canvas.Font().Handle());

  canvas.Pen().SetWidth(3);
  canvas.Ellipse(0, 0, 5, 5);
  HPEN pen = canvas.Pen().Handle();
  canvas.Pen().SetColor(clRed);
  EXPECT_EQ(GetObjectType(pen), 0u);
}

TEST(CanvasState, DrawingWithoutADcThrows) {
  TCanvas canvas;
  EXPECT_FALSE(canvas.HandleAllocated());
  EXPECT_THROW(canvas.FillRect(RECT{0, 0, 1, 1}), EInvalidGraphicOperation);
  EXPECT_THROW(canvas.TextExtent(L"x"), EInvalidGraphicOperation);
}

TEST(CanvasState, ChangeEventsAroundEachDrawingCall) {
  DibSurface target(10, 10, RGB(255, 255, 255));
  TCanvas canvas(target.DC());
  std::vector<char> log;
  canvas.OnChanging = [&] { log.push_back('<'); };
  canvas.OnChange = [&] { log.push_back('>'); };
  canvas.FillRect(RECT{0, 0, 2, 2});
  canvas.TextExtent(L"measuring draws nothing");
  canvas.LineTo(3, 3);
  EXPECT_EQ(std::string(log.begin(), log.end()), "<><>");
}

TEST(GdiObjects, FontBrushPenNotifyOnRealChangesOnly) {
  TFont font;
  int n = 0;
  font.OnChange = [&] { ++n; };
  font.SetHeight(font.Height());
  font.SetName(font.Name());
  font.SetColor(font.Color());
  EXPECT_EQ(n, 0);
  font.SetHeight(-20);
  font.SetStyle({fsBold, fsItalic});
  font.SetColor(clRed);
  EXPECT_EQ(n, 3);
  TFont other;
  other.SetName(L"Times New Roman");
  other.SetHeight(-13);
  font.Assign(other);
  EXPECT_EQ(n, 4);  // one notification for the whole copy
  EXPECT_EQ(font.Name(), L"Times New Roman");
  EXPECT_EQ(font.Height(), -13);
  EXPECT_TRUE(font.Style().Empty());
  LOGFONTW lf{};
  font.SetStyle({fsBold});
  GetObjectW(font.Handle(), sizeof lf, &lf);
  EXPECT_EQ(lf.lfWeight, FW_BOLD);
  EXPECT_EQ(lf.lfHeight, -13);
  EXPECT_EQ(std::wstring(lf.lfFaceName), L"Times New Roman");

  TBrush brush;
  int b = 0;
  brush.OnChange = [&] { ++b; };
  brush.SetColor(clWhite);
  EXPECT_EQ(b, 0);
  brush.SetStyle(bsClear);
  brush.SetColor(clWhite);  // a colour makes a clear brush solid again
  EXPECT_EQ(brush.Style(), bsSolid);
  EXPECT_EQ(b, 2);

  TPen pen;
  int p = 0;
  pen.OnChange = [&] { ++p; };
  pen.SetWidth(1);
  pen.SetColor(clBlack);
  EXPECT_EQ(p, 0);
  pen.BeginUpdate();
  pen.SetWidth(2);
  pen.SetColor(clRed);
  pen.SetStyle(psDot);
  EXPECT_EQ(p, 0);
  pen.EndUpdate();
  EXPECT_EQ(p, 1);
}
