#include "graphics/canvas.h"

#include "graphics/bitmap.h"
#include "graphics/graphics_errors.h"

namespace fw {

namespace {

int Len(std::wstring_view text) { return static_cast<int>(text.size()); }

}  // namespace

// Calls Changing before and Changed after one drawing call, also when the
// call throws (a partly drawn picture has changed too).
class CanvasChangeScope {
 public:
  explicit CanvasChangeScope(TCanvas& c) : c_(c) { c_.Changing(); }
  ~CanvasChangeScope() { c_.Changed(); }
  CanvasChangeScope(const CanvasChangeScope&) = delete;
  CanvasChangeScope& operator=(const CanvasChangeScope&) = delete;

 private:
  TCanvas& c_;
};

TCanvas::TCanvas() {
  font_.beforeHandleFreed_ = [this] { Deselect(kFont); };
  brush_.beforeHandleFreed_ = [this] { Deselect(kBrush); };
  pen_.beforeHandleFreed_ = [this] { Deselect(kPen); };
}

TCanvas::TCanvas(HDC dc) : TCanvas() { SetHandle(dc); }

TCanvas::~TCanvas() {
  SetHandle(nullptr);
  font_.beforeHandleFreed_ = nullptr;
  brush_.beforeHandleFreed_ = nullptr;
  pen_.beforeHandleFreed_ = nullptr;
}

HDC TCanvas::Handle() {
  if (!dc_) CreateHandle();
  if (!dc_) throw EInvalidGraphicOperation(L"Canvas does not allow drawing");
  return dc_;
}

void TCanvas::SetHandle(HDC dc) {
  if (dc == dc_) return;
  if (dc_) RestoreOriginals();
  dc_ = dc;
  selected_ = 0;
  if (dc_) SaveOriginals();
}

void TCanvas::SaveOriginals() {
  oldTextColor_ = GetTextColor(dc_);
  oldBkColor_ = GetBkColor(dc_);
  oldBkMode_ = GetBkMode(dc_);
  oldRop2_ = GetROP2(dc_);
  oldStretchMode_ = GetStretchBltMode(dc_);
  stateSaved_ = true;
}

void TCanvas::RestoreOriginals() {
  Deselect(kFont | kBrush | kPen);
  if (stateSaved_) {
    SetTextColor(dc_, oldTextColor_);
    SetBkColor(dc_, oldBkColor_);
    SetBkMode(dc_, oldBkMode_);
    SetROP2(dc_, oldRop2_);
    SetStretchBltMode(dc_, oldStretchMode_);
    stateSaved_ = false;
  }
  oldFont_ = oldBrush_ = oldPen_ = nullptr;
}

void TCanvas::Deselect(unsigned what) {
  if (!dc_) return;
  // Putting the DC's original object back frees ours for deletion.
  if ((what & kFont) && (selected_ & kFont)) SelectObject(dc_, oldFont_);
  if ((what & kBrush) && (selected_ & kBrush)) SelectObject(dc_, oldBrush_);
  if ((what & kPen) && (selected_ & kPen)) SelectObject(dc_, oldPen_);
  selected_ &= ~what;
}

HDC TCanvas::Require(unsigned what) {
  HDC dc = Handle();
  if (what & kFont) {
    if (!(selected_ & kFont)) {
      HGDIOBJ old = SelectObject(dc, font_.Handle());
      if (!oldFont_) oldFont_ = old;
      selected_ |= kFont;
    }
    SetTextColor(dc, ColorToRGB(font_.Color()));
  }
  if (what & kBrush) {
    if (!(selected_ & kBrush)) {
      HGDIOBJ old = SelectObject(dc, brush_.Handle());
      if (!oldBrush_) oldBrush_ = old;
      selected_ |= kBrush;
    }
    SetBkColor(dc, ColorToRGB(brush_.Color()));
    SetBkMode(dc, brush_.Style() == bsClear ? TRANSPARENT : OPAQUE);
  }
  if (what & kPen) {
    if (!(selected_ & kPen)) {
      HGDIOBJ old = SelectObject(dc, pen_.Handle());
      if (!oldPen_) oldPen_ = old;
      selected_ |= kPen;
    }
    SetROP2(dc, pen_.Mode());
  }
  return dc;
}

void TCanvas::Changing() {
  if (OnChanging) OnChanging();
}

void TCanvas::Changed() {
  if (OnChange) OnChange();
}

POINT TCanvas::PenPos() {
  POINT p{};
  GetCurrentPositionEx(Handle(), &p);
  return p;
}

void TCanvas::MoveTo(int x, int y) { MoveToEx(Handle(), x, y, nullptr); }

void TCanvas::LineTo(int x, int y) {
  CanvasChangeScope scope(*this);
  ::LineTo(Require(kPen | kBrush), x, y);
}

void TCanvas::Polyline(const std::vector<POINT>& points) {
  CanvasChangeScope scope(*this);
  ::Polyline(Require(kPen | kBrush), points.data(), static_cast<int>(points.size()));
}

void TCanvas::Polygon(const std::vector<POINT>& points) {
  CanvasChangeScope scope(*this);
  ::Polygon(Require(kPen | kBrush), points.data(), static_cast<int>(points.size()));
}

void TCanvas::FillRect(const RECT& r) {
  CanvasChangeScope scope(*this);
  HDC dc = Require(kBrush);
  ::FillRect(dc, &r, brush_.Handle());
}

void TCanvas::FrameRect(const RECT& r) {
  CanvasChangeScope scope(*this);
  HDC dc = Require(kBrush);
  ::FrameRect(dc, &r, brush_.Handle());
}

void TCanvas::Rectangle(int x1, int y1, int x2, int y2) {
  CanvasChangeScope scope(*this);
  ::Rectangle(Require(kPen | kBrush), x1, y1, x2, y2);
}

void TCanvas::RoundRect(int x1, int y1, int x2, int y2, int w, int h) {
  CanvasChangeScope scope(*this);
  ::RoundRect(Require(kPen | kBrush), x1, y1, x2, y2, w, h);
}

void TCanvas::Ellipse(int x1, int y1, int x2, int y2) {
  CanvasChangeScope scope(*this);
  ::Ellipse(Require(kPen | kBrush), x1, y1, x2, y2);
}

void TCanvas::Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4) {
  CanvasChangeScope scope(*this);
  ::Arc(Require(kPen | kBrush), x1, y1, x2, y2, x3, y3, x4, y4);
}

void TCanvas::DrawFocusRect(const RECT& r) {
  CanvasChangeScope scope(*this);
  ::DrawFocusRect(Require(kBrush), &r);
}

void TCanvas::TextOut(int x, int y, std::wstring_view text) {
  CanvasChangeScope scope(*this);
  HDC dc = Require(kFont | kBrush);
  ExtTextOutW(dc, x, y, 0, nullptr, text.data(), Len(text), nullptr);
  SIZE size{};
  GetTextExtentPoint32W(dc, text.data(), Len(text), &size);
  MoveToEx(dc, x + size.cx, y, nullptr);
}

void TCanvas::TextRect(const RECT& r, int x, int y, std::wstring_view text) {
  CanvasChangeScope scope(*this);
  HDC dc = Require(kFont | kBrush);
  UINT options = ETO_CLIPPED;
  if (brush_.Style() != bsClear) options |= ETO_OPAQUE;
  ExtTextOutW(dc, x, y, options, &r, text.data(), Len(text), nullptr);
}

int TCanvas::DrawText(std::wstring_view text, RECT& r, UINT format) {
  CanvasChangeScope scope(*this);
  HDC dc = Require(kFont | kBrush);
  // The text is read-only here.
  format &= ~static_cast<UINT>(DT_MODIFYSTRING);
  return ::DrawTextW(dc, text.data(), Len(text), &r, format);
}

SIZE TCanvas::TextExtent(std::wstring_view text) {
  SIZE size{};
  GetTextExtentPoint32W(Require(kFont), text.data(), Len(text), &size);
  return size;
}

void TCanvas::Draw(int x, int y, TBitmap& bitmap) {
  DrawBitmap(RECT{x, y, x + bitmap.Width(), y + bitmap.Height()}, bitmap, false);
}

void TCanvas::StretchDraw(const RECT& dest, TBitmap& bitmap) { DrawBitmap(dest, bitmap, true); }

void TCanvas::DrawBitmap(const RECT& dest, TBitmap& bitmap, bool stretch) {
  if (bitmap.Empty()) return;
  CanvasChangeScope scope(*this);
  HDC dc = Handle();
  HDC src = bitmap.SourceDC();
  const int w = bitmap.Width(), h = bitmap.Height();
  // On a palette device the picture's own palette must be realized first;
  // true-colour targets take the DIB colours as they are.
  std::unique_ptr<PaletteGuard> palette;
  if (bitmap.Palette() && (GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE))
    palette = std::make_unique<PaletteGuard>(dc, bitmap.Palette(), true);
  if (stretch) SetStretchBltMode(dc, COLORONCOLOR);
  const int dw = dest.right - dest.left, dh = dest.bottom - dest.top;
  if (bitmap.Transparent()) {
    // gdi32's own TransparentBlt: msimg32, which forwards to it, is not a
    // library the program may import (see system_library.h).
    GdiTransparentBlt(dc, dest.left, dest.top, dw, dh, src, 0, 0, w, h, ColorToRGB(bitmap.TransparentColor()));
  } else if (stretch) {
    StretchBlt(dc, dest.left, dest.top, dw, dh, src, 0, 0, w, h, copyMode_);
  } else {
    BitBlt(dc, dest.left, dest.top, w, h, src, 0, 0, copyMode_);
  }
}

void TCanvas::CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect) {
  CanvasChangeScope scope(*this);
  HDC dc = Handle();
  HDC src = source.Handle();
  SetStretchBltMode(dc, COLORONCOLOR);
  StretchBlt(dc, dest.left, dest.top, dest.right - dest.left, dest.bottom - dest.top, src,
             sourceRect.left, sourceRect.top, sourceRect.right - sourceRect.left,
             sourceRect.bottom - sourceRect.top, copyMode_);
}

TColor TCanvas::Pixel(int x, int y) {
  COLORREF c = GetPixel(Handle(), x, y);
  if (c == CLR_INVALID) return clNone;
  return static_cast<TColor>(c);
}

void TCanvas::SetPixel(int x, int y, TColor color) {
  CanvasChangeScope scope(*this);
  ::SetPixel(Handle(), x, y, ColorToRGB(color));
}

}  // namespace fw
