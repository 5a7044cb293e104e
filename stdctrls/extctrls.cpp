#include "stdctrls/extctrls.h"

#include <utility>

#include "framework/display_scale.h"
#include "graphics/canvas.h"

namespace fw {

// ---- TImage

TImage::TImage(TComponent* owner) : TGraphicControl(owner) {
  SetControlStyle(ControlStyle() | csReplicatable);
  SetBounds(0, 0, 105, 105);
  picture_.OnChange = [this] { PictureChanged(); };
}

TImage::~TImage() { picture_.OnChange = nullptr; }

void TImage::PictureChanged() {
  // The picture is designed for 96 DPI.
  if (autoSize_ && !picture_.Empty()) SetBounds(Left(), Top(), Scaled(picture_.Width()), Scaled(picture_.Height()));
  Invalidate();
}

void TImage::SetIcon(HICON icon) {
  if (icon_ == icon) return;
  icon_ = icon;
  Invalidate();
}

void TImage::SetStretch(bool value) {
  if (stretch_ == value) return;
  stretch_ = value;
  Invalidate();
}

void TImage::SetCenter(bool value) {
  if (center_ == value) return;
  center_ = value;
  Invalidate();
}

void TImage::SetTransparent(bool value) {
  picture_.SetTransparent(value);
  Invalidate();
}

void TImage::SetAutoSize(bool value) {
  autoSize_ = value;
  PictureChanged();
}

RECT TImage::DestRect() const {
  int w = icon_ ? MetricForDpi(SM_CXICON, Dpi()) : Scaled(picture_.Width());
  int h = icon_ ? MetricForDpi(SM_CYICON, Dpi()) : Scaled(picture_.Height());
  if (stretch_) return RECT{0, 0, Width(), Height()};
  RECT r{0, 0, w, h};
  if (center_) OffsetRect(&r, (Width() - w) / 2, (Height() - h) / 2);
  return r;
}

void TImage::Paint() {
  RECT r = DestRect();
  if (icon_) {
    DrawIconEx(Canvas().Handle(), r.left, r.top, icon_, r.right - r.left, r.bottom - r.top, 0,
               nullptr, DI_NORMAL);
    return;
  }
  if (picture_.Empty()) return;
  if (Dpi() != kDesignDpi) {
    // Scaled once for the size it is shown at, smoothly, and kept.
    Canvas().Draw(r.left, r.top, picture_.AtSize(r.right - r.left, r.bottom - r.top));
    return;
  }
  // At the design DPI, as the picture was always drawn.
  if (stretch_) Canvas().StretchDraw(r, picture_);
  else Canvas().Draw(r.left, r.top, picture_);
}

void TImage::DpiChanged(int oldDpi) {
  TGraphicControl::DpiChanged(oldDpi);
  PictureChanged();
}

// ---- TBevel

TBevel::TBevel(TComponent* owner) : TGraphicControl(owner) {
  SetControlStyle(ControlStyle() | csReplicatable);
  SetBounds(0, 0, 50, 50);
}

void TBevel::SetShape(TBevelShape value) {
  if (shape_ == value) return;
  shape_ = value;
  Invalidate();
}

void TBevel::SetStyle(TBevelStyle value) {
  if (style_ == value) return;
  style_ = value;
  Invalidate();
}

void TBevel::Paint() {
  TCanvas& c = Canvas();
  TColor first = style_ == bsLowered ? clBtnShadow : clBtnHighlight;
  TColor second = style_ == bsLowered ? clBtnHighlight : clBtnShadow;
  const int w = Width(), h = Height();
  // Design pixel k in from the near side covers [S(k), S(k + 1)); in from
  // the far side [size - S(k + 1), size - S(k)).
  auto nearBand = [this](int k) { return std::pair{Scaled(k), Scaled(k + 1)}; };
  auto farBand = [this](int size, int k) { return std::pair{size - Scaled(k + 1), size - Scaled(k)}; };
  auto fill = [&](TColor color, int left, int top, int right, int bottom) {
    c.Brush().SetColor(color);
    c.FillRect(RECT{left, top, right, bottom});
  };
  // A box of one-pixel lines, `in` design pixels from the top and left and
  // `out` from the right and bottom; the right and bottom lines overlap the
  // others' ends.
  auto box = [&](TColor topLeft, TColor bottomRight, int in, int out) {
    const auto [left, afterLeft] = nearBand(in);
    const auto [beforeRight, right] = farBand(w, out);
    const auto [top, afterTop] = nearBand(in);
    const auto [beforeBottom, bottom] = farBand(h, out);
    fill(topLeft, left, top, afterLeft, bottom);
    fill(topLeft, left, top, right, afterTop);
    fill(bottomRight, beforeRight, top, right, bottom);
    fill(bottomRight, left, beforeBottom, right, bottom);
  };
  auto rows = [&](TColor color, std::pair<int, int> band) { fill(color, 0, band.first, w, band.second); };
  auto columns = [&](TColor color, std::pair<int, int> band) { fill(color, band.first, 0, band.second, h); };
  switch (shape_) {
    case bsBox: box(first, second, 0, 0); break;
    case bsFrame:
      box(first, second, 0, 1);
      box(second, first, 1, 0);
      break;
    case bsTopLine:
      rows(first, nearBand(0));
      rows(second, nearBand(1));
      break;
    case bsBottomLine:
      rows(first, farBand(h, 1));
      rows(second, farBand(h, 0));
      break;
    case bsLeftLine:
      columns(first, nearBand(0));
      columns(second, nearBand(1));
      break;
    case bsRightLine:
      columns(first, farBand(w, 1));
      columns(second, farBand(w, 0));
      break;
    case bsSpacer: break;
  }
}

}  // namespace fw
