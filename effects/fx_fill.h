#pragma once
// TFxShapeFill and TFxFillObject: what a fill draws (nothing, a brush, a
// pattern brush from a bitmap, a bitmap placed, centred, stretched or tiled,
// or a gradient) and the fill routine that draws it into a rectangle.
#include <windows.h>

#include <memory>

#include "effects/fx_alignment.h"
#include "effects/fx_gradient.h"
#include "effects/fx_object.h"
#include "graphics/bitmap.h"
#include "graphics/brush_pen.h"
#include "graphics/canvas.h"

namespace fx {

enum TFxFillStyle : int {
  sfNone = 0,
  sfBrushBitmap = 1,  // Bitmap as the brush pattern
  sfBrush = 2,        // Brush
  sfBitmap = 3,       // Bitmap by TileMode
  sfBitmapList = 4,   // the list bitmap by TileMode
  sfGradient = 5,     // Gradient
};

enum TFxTileMode : int { tmNone = 0, tmCenter = 1, tmStretch = 2, tmTile = 3 };

enum TFxFillOption : unsigned {
  foFillInner = 1u << 0,    // background colour first where a bitmap may not cover
  foQuickDraw = 1u << 1,    // draw bitmaps without selecting their palette
  foGrUseBitmap = 1u << 2,  // gradient option
};
using TFxFillOptions = unsigned;

// Base of the fill settings.
class TFxShapeFill : public TFxObject {
 public:
  TFxShapeFill() = default;
  std::wstring ClassName() const override { return L"TFxShapeFill"; }
};

class TFxFillObject : public TFxShapeFill {
 public:
  TFxFillObject();
  ~TFxFillObject() override;
  std::wstring ClassName() const override { return L"TFxFillObject"; }

  // Copies brush, options, both bitmaps, gradient, style, tile mode and the
  // bitmap placement under one update and notifies once.
  void Assign(const fw::TObject& source) override;

  // Owned; setting copies the given bitmap. Changes of it notify.
  fw::TBitmap& Bitmap() { return *bitmap_; }
  const fw::TBitmap& Bitmap() const { return *bitmap_; }
  void SetBitmap(const fw::TBitmap& value) { bitmap_->Assign(value); }
  // The picture of sfBitmapList (filled from an image list by the form fill).
  fw::TBitmap& ListBitmap() { return *listBitmap_; }
  const fw::TBitmap& ListBitmap() const { return *listBitmap_; }

  TFxFillStyle Style() const { return style_; }
  void SetStyle(TFxFillStyle value);
  TFxTileMode TileMode() const { return tileMode_; }
  void SetTileMode(TFxTileMode value);
  TFxFillOptions Options() const { return options_; }
  void SetOptions(TFxFillOptions value);
  // These three notify only when they matter: a bitmap style in tmNone.
  TFxAlignment Alignment() const { return alignment_; }
  void SetAlignment(TFxAlignment value);
  int OffsetX() const { return offsetX_; }
  void SetOffsetX(int value);
  int OffsetY() const { return offsetY_; }
  void SetOffsetY(int value);

  // Owned; setting copies. Changes of them notify.
  TFxGradient& Gradient() { return *gradient_; }
  void SetGradient(const TFxGradient& value) { gradient_->Assign(value); }
  fw::TBrush& Brush() { return *brush_; }
  void SetBrush(const fw::TBrush& value) { brush_->Assign(value); }

  // The picture the current style draws (null for the other styles).
  const fw::TBitmap* StyleBitmap() const;
  // True when Fill would draw nothing (sfNone, or a bitmap style whose
  // picture is empty).
  bool NothingToDraw() const;

  // Draws the fill into r on canvas with `background` as the colour of what
  // a bitmap does not cover, at the canvas's DPI: placed and centred bitmaps
  // and offsets are designed for 96 DPI and scaled; tiles and a brush's
  // pattern are drawn at device pixels. False when nothing was drawn.
  bool Fill(fw::TCanvas& canvas, const RECT& r, fw::TColor background);

 private:
  bool PlacementMatters() const;
  void FillInner(HDC dc, const RECT& r, fw::TColor background) const;
  bool DrawBitmap(fw::TCanvas& canvas, const RECT& r, fw::TColor background, fw::TBitmap& picture);

  std::unique_ptr<fw::TBitmap> bitmap_;
  std::unique_ptr<fw::TBitmap> listBitmap_;
  std::unique_ptr<TFxGradient> gradient_;
  std::unique_ptr<fw::TBrush> brush_;
  TFxFillStyle style_ = sfNone;
  TFxTileMode tileMode_ = tmTile;
  TFxAlignment alignment_ = agTopLeft;
  int offsetX_ = 0;
  int offsetY_ = 0;
  TFxFillOptions options_ = foFillInner | foGrUseBitmap;
};

}  // namespace fx
