#include "graphics/brush_pen.h"

#include "graphics/bitmap.h"
#include "graphics/graphics_errors.h"

namespace fw {

// --- TBrush ---

TBrush::TBrush() = default;
TBrush::~TBrush() = default;

void TBrush::SetColor(TColor color) {
  if (color == color_ && style_ != bsClear) return;
  color_ = color;
  if (style_ == bsClear) style_ = bsSolid;
  Changed();
}

void TBrush::SetStyle(TBrushStyle style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TBrush::SetBitmap(TBitmap* bitmap) {
  if (bitmap == bitmap_) return;
  bitmap_ = bitmap;
  Changed();
}

void TBrush::Assign(const TBrush& source) {
  if (&source == this) return;
  BeginUpdate();
  if (source.color_ != color_) {
    color_ = source.color_;
    Changed();
  }
  SetStyle(source.style_);
  SetBitmap(source.bitmap_);
  EndUpdate();
}

HBRUSH TBrush::Handle() const {
  if (bitmap_ && !bitmap_->Empty()) {
    if (!handle_) handle_.Reset(CreatePatternBrush(bitmap_->Handle()));
  } else if (style_ == bsClear) {
    return static_cast<HBRUSH>(GetStockObject(NULL_BRUSH));
  } else if (!handle_) {
    COLORREF rgb = ColorToRGB(color_);
    switch (style_) {
      case bsHorizontal: handle_.Reset(CreateHatchBrush(HS_HORIZONTAL, rgb)); break;
      case bsVertical: handle_.Reset(CreateHatchBrush(HS_VERTICAL, rgb)); break;
      case bsFDiagonal: handle_.Reset(CreateHatchBrush(HS_FDIAGONAL, rgb)); break;
      case bsBDiagonal: handle_.Reset(CreateHatchBrush(HS_BDIAGONAL, rgb)); break;
      case bsCross: handle_.Reset(CreateHatchBrush(HS_CROSS, rgb)); break;
      case bsDiagCross: handle_.Reset(CreateHatchBrush(HS_DIAGCROSS, rgb)); break;
      default: handle_.Reset(CreateSolidBrush(rgb)); break;
    }
  }
  if (!handle_) throw EOutOfResources(L"Cannot create a brush");
  return handle_.Get();
}

void TBrush::FreeHandle() { handle_.Reset(); }

// --- TPen ---

TPen::TPen() = default;
TPen::~TPen() = default;

void TPen::SetColor(TColor color) {
  if (color == color_) return;
  color_ = color;
  Changed();
}

void TPen::SetWidth(int width) {
  if (width < 0) width = 0;
  if (width == width_) return;
  width_ = width;
  Changed();
}

void TPen::SetStyle(TPenStyle style) {
  if (style == style_) return;
  style_ = style;
  Changed();
}

void TPen::SetMode(int r2mode) {
  if (r2mode == mode_) return;
  mode_ = r2mode;
  Notify();  // the handle does not hold the mode
}

void TPen::Assign(const TPen& source) {
  if (&source == this) return;
  BeginUpdate();
  SetColor(source.color_);
  SetWidth(source.width_);
  SetStyle(source.style_);
  SetMode(source.mode_);
  EndUpdate();
}

HPEN TPen::Handle() const {
  if (style_ == psClear) return static_cast<HPEN>(GetStockObject(NULL_PEN));
  if (!handle_) {
    int ps = PS_SOLID;
    switch (style_) {
      case psDash: ps = PS_DASH; break;
      case psDot: ps = PS_DOT; break;
      case psDashDot: ps = PS_DASHDOT; break;
      case psDashDotDot: ps = PS_DASHDOTDOT; break;
      case psInsideFrame: ps = PS_INSIDEFRAME; break;
      default: break;
    }
    handle_.Reset(CreatePen(ps, width_, ColorToRGB(color_)));
    if (!handle_) throw EOutOfResources(L"Cannot create a pen");
  }
  return handle_.Get();
}

void TPen::FreeHandle() { handle_.Reset(); }

}  // namespace fw
