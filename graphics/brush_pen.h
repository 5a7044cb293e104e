#pragma once
// TBrush and TPen: descriptions with lazily created handles.
#include <windows.h>

#include "graphics/color.h"
#include "graphics/gdi.h"
#include "graphics/graphics_object.h"

namespace fw {

class TBitmap;

enum TBrushStyle { bsSolid, bsClear, bsHorizontal, bsVertical, bsFDiagonal, bsBDiagonal, bsCross, bsDiagCross };

class TBrush : public TGraphicsObject {
 public:
  TBrush();  // solid clWhite
  ~TBrush() override;

  TColor Color() const { return color_; }
  void SetColor(TColor color);  // also turns bsClear into bsSolid
  TBrushStyle Style() const { return style_; }
  void SetStyle(TBrushStyle style);
  // Pattern brush from a bitmap (not owned; must outlive its use here).
  // Null clears the pattern.
  TBitmap* Bitmap() const { return bitmap_; }
  void SetBitmap(TBitmap* bitmap);

  void Assign(const TBrush& source);
  // A system colour is resolved when the handle is made: after the system's
  // colours changed, the next handle is made afresh.
  void SystemColorsChanged() { Changed(); }

  // The brush handle; bsClear gives the stock NULL_BRUSH (not owned).
  HBRUSH Handle() const;

 protected:
  void FreeHandle() override;

 private:
  TColor color_ = clWhite;
  TBrushStyle style_ = bsSolid;
  TBitmap* bitmap_ = nullptr;  // not owned
  mutable GdiBrush handle_;
};

enum TPenStyle { psSolid, psDash, psDot, psDashDot, psDashDotDot, psClear, psInsideFrame };

class TPen : public TGraphicsObject {
 public:
  TPen();  // solid clBlack, width 1
  ~TPen() override;

  TColor Color() const { return color_; }
  void SetColor(TColor color);
  int Width() const { return width_; }
  void SetWidth(int width);
  TPenStyle Style() const { return style_; }
  void SetStyle(TPenStyle style);
  // Raster mix mode (R2_COPYPEN by default), applied by the canvas.
  int Mode() const { return mode_; }
  void SetMode(int r2mode);

  void Assign(const TPen& source);

  // The pen handle; psClear gives the stock NULL_PEN (not owned).
  HPEN Handle() const;

 protected:
  void FreeHandle() override;

 private:
  TColor color_ = clBlack;
  int width_ = 1;
  TPenStyle style_ = psSolid;
  int mode_ = R2_COPYPEN;
  mutable GdiPen handle_;
};

}  // namespace fw
