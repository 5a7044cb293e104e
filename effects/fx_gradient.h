#pragma once
// TFxGradient: gradient settings of the sfGradient fill style, and a simple
// renderer that draws it as ColorCount bands of solid colour.
#include <windows.h>

#include "effects/fx_object.h"
#include "graphics/color.h"
#include "graphics/gdi.h"

namespace fx {

enum TFxGradientStyle : int {
  gstHorizontal,   // colour runs left to right
  gstVertical,     // top to bottom
  gstSquare,       // from the edges to the centre in nested rectangles
  gstElliptic,     // from the edges to the centre in nested ellipses
  gstTopLeft,      // from the opposite corner towards the named corner
  gstTopRight,
  gstBottomLeft,
  gstBottomRight,
};

using TFxColorCount = int;  // 2..236
constexpr TFxColorCount kFxMinColorCount = 2;
constexpr TFxColorCount kFxMaxColorCount = 236;

class TFxGradient : public TFxObject {
 public:
  TFxGradient() = default;
  std::wstring ClassName() const override { return L"TFxGradient"; }
  void Assign(const fw::TObject& source) override;

  fw::TColor Color() const { return color_; }
  void SetColor(fw::TColor value);
  fw::TColor EndColor() const { return endColor_; }
  void SetEndColor(fw::TColor value);
  TFxColorCount ColorCount() const { return colorCount_; }
  void SetColorCount(TFxColorCount value);  // brought into 2..236
  TFxGradientStyle Style() const { return style_; }
  void SetStyle(TFxGradientStyle value);
  bool PaletteRealize() const { return paletteRealize_; }
  void SetPaletteRealize(bool value);

  // Band i of ColorCount, from Color (0) to EndColor (ColorCount - 1), RGB.
  COLORREF BandColor(int band) const;
  // A palette of the band colours, made on first use; owned by this object.
  HPALETTE Palette();

 protected:
  void SettingsChanged();

 private:
  fw::TColor color_ = 0xFF0000;
  fw::TColor endColor_ = 0;
  TFxColorCount colorCount_ = 16;
  TFxGradientStyle style_ = gstVertical;
  bool paletteRealize_ = false;
  fw::GdiPalette palette_;
};

// Draws the gradient into r: ColorCount bands in the gradient's style. With
// realizePalette the gradient's palette is selected and realised first.
void FxDrawGradient(HDC dc, const RECT& r, TFxGradient& gradient, bool realizePalette);

}  // namespace fx
