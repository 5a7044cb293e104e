#include "stdctrls/extctrls.h"

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
  if (autoSize_ && !picture_.Empty()) SetBounds(Left(), Top(), picture_.Width(), picture_.Height());
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
  int w = icon_ ? GetSystemMetrics(SM_CXICON) : picture_.Width();
  int h = icon_ ? GetSystemMetrics(SM_CYICON) : picture_.Height();
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
  if (stretch_) Canvas().StretchDraw(r, picture_);
  else Canvas().Draw(r.left, r.top, picture_);
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
  int w = Width(), h = Height();
  c.Pen().SetWidth(1);
  auto line = [&](TColor color, int x1, int y1, int x2, int y2) {
    c.Pen().SetColor(color);
    c.MoveTo(x1, y1);
    c.LineTo(x2, y2);
  };
  auto box = [&](TColor topLeft, TColor bottomRight, int l, int t, int r, int b) {
    line(topLeft, l, b - 1, l, t);
    line(topLeft, l, t, r - 1, t);
    line(bottomRight, r - 1, t, r - 1, b - 1);
    line(bottomRight, r - 1, b - 1, l - 1, b - 1);
  };
  switch (shape_) {
    case bsBox: box(first, second, 0, 0, w, h); break;
    case bsFrame:
      box(first, second, 0, 0, w - 1, h - 1);
      box(second, first, 1, 1, w, h);
      break;
    case bsTopLine:
      line(first, 0, 0, w, 0);
      line(second, 0, 1, w, 1);
      break;
    case bsBottomLine:
      line(first, 0, h - 2, w, h - 2);
      line(second, 0, h - 1, w, h - 1);
      break;
    case bsLeftLine:
      line(first, 0, 0, 0, h);
      line(second, 1, 0, 1, h);
      break;
    case bsRightLine:
      line(first, w - 2, 0, w - 2, h);
      line(second, w - 1, 0, w - 1, h);
      break;
    case bsSpacer: break;
  }
}

}  // namespace fw
