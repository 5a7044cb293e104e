#pragma once
// TCanvas: font, brush and pen over a device context it does not own.
// Objects are selected when a drawing call needs them; everything the canvas
// selected or changed in the DC is put back when it is detached.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "graphics/brush_pen.h"
#include "graphics/color.h"
#include "graphics/font.h"

namespace fw {

class TBitmap;

class TCanvas {
 public:
  TCanvas();
  explicit TCanvas(HDC dc);  // attached at once; dc is not owned
  TCanvas(const TCanvas&) = delete;
  TCanvas& operator=(const TCanvas&) = delete;
  virtual ~TCanvas();

  // The device context; subclasses may create one on demand (CreateHandle).
  // Throws EInvalidGraphicOperation when there is none.
  HDC Handle();
  bool HandleAllocated() const { return dc_ != nullptr; }
  // Attach to another DC (not owned) or detach with nullptr. Detaching puts
  // back the DC's original objects, colours and modes.
  void SetHandle(HDC dc);
  void Attach(HDC dc) { SetHandle(dc); }
  void Detach() { SetHandle(nullptr); }

  // Puts the DC's own font, brush and pen back while staying attached (they
  // are selected again by the next drawing call).
  void Refresh() { Deselect(kFont | kBrush | kPen); }

  TFont& Font() { return font_; }
  // The DPI the canvas draws at: its font's. Drawing code scales its design
  // lengths with it (ScaleToDpi(n, canvas.Dpi())).
  int Dpi() const { return font_.Dpi(); }
  void SetDpi(int dpi) { font_.SetDpi(dpi); }
  int Scaled(int design) const { return ScaleToDpi(design, font_.Dpi()); }
  TBrush& Brush() { return brush_; }
  TPen& Pen() { return pen_; }

  // Raster operation of Draw/StretchDraw/CopyRect (SRCCOPY by default).
  DWORD CopyMode() const { return copyMode_; }
  void SetCopyMode(DWORD rop) { copyMode_ = rop; }

  POINT PenPos();
  void MoveTo(int x, int y);
  void LineTo(int x, int y);
  void Polyline(const std::vector<POINT>& points);
  void Polygon(const std::vector<POINT>& points);

  void FillRect(const RECT& r);    // with the brush
  void FrameRect(const RECT& r);   // one pixel, with the brush
  void Rectangle(int x1, int y1, int x2, int y2);
  void Rectangle(const RECT& r) { Rectangle(r.left, r.top, r.right, r.bottom); }
  void RoundRect(int x1, int y1, int x2, int y2, int w, int h);
  void Ellipse(int x1, int y1, int x2, int y2);
  void Ellipse(const RECT& r) { Ellipse(r.left, r.top, r.right, r.bottom); }
  void Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4);
  void DrawFocusRect(const RECT& r);

  // Text in the font colour; the background is the brush colour, or left as
  // it is when the brush is bsClear.
  void TextOut(int x, int y, std::wstring_view text);
  // Text clipped to r.
  void TextRect(const RECT& r, int x, int y, std::wstring_view text);
  // DrawTextW with the canvas font and colours; r is updated by DT_CALCRECT.
  int DrawText(std::wstring_view text, RECT& r, UINT format);
  SIZE TextExtent(std::wstring_view text);
  int TextWidth(std::wstring_view text) { return TextExtent(text).cx; }
  int TextHeight(std::wstring_view text) { return TextExtent(text).cy; }

  // Bitmaps: 1:1 (transparent when the bitmap is Transparent), stretched,
  // and a block copy from another canvas, all with CopyMode.
  void Draw(int x, int y, TBitmap& bitmap);
  void StretchDraw(const RECT& dest, TBitmap& bitmap);
  void CopyRect(const RECT& dest, TCanvas& source, const RECT& sourceRect);

  TColor Pixel(int x, int y);
  void SetPixel(int x, int y, TColor color);

  // Raised around every drawing call (bitmaps use it to report changes).
  std::function<void()> OnChanging;
  std::function<void()> OnChange;

 protected:
  // Called by Handle() when there is no DC; the default does nothing.
  virtual void CreateHandle() {}

  // Around every drawing call; bitmap canvases pass them on to the bitmap.
  virtual void Changing();
  virtual void Changed();

 private:
  friend class CanvasChangeScope;
  enum : unsigned { kFont = 1, kBrush = 2, kPen = 4 };
  HDC Require(unsigned what);
  // Draw and StretchDraw: the whole bitmap into dest, 1:1 unless stretched.
  void DrawBitmap(const RECT& dest, TBitmap& bitmap, bool stretch);
  void Deselect(unsigned what);
  void SaveOriginals();
  void RestoreOriginals();

  HDC dc_ = nullptr;  // not owned
  TFont font_;
  TBrush brush_;
  TPen pen_;
  DWORD copyMode_ = SRCCOPY;
  unsigned selected_ = 0;
  HGDIOBJ oldFont_ = nullptr, oldBrush_ = nullptr, oldPen_ = nullptr;
  COLORREF oldTextColor_ = 0, oldBkColor_ = 0;
  int oldBkMode_ = 0, oldRop2_ = 0, oldStretchMode_ = 0;
  bool stateSaved_ = false;
};

// Attaches a canvas to a DC for one scope and detaches it on every way out,
// so the DC gets its own objects, colours and modes back.
class CanvasAttachment {
 public:
  CanvasAttachment(TCanvas& canvas, HDC dc) : canvas_(canvas) { canvas_.Attach(dc); }
  ~CanvasAttachment() { canvas_.Detach(); }
  CanvasAttachment(const CanvasAttachment&) = delete;
  CanvasAttachment& operator=(const CanvasAttachment&) = delete;

 private:
  TCanvas& canvas_;
};

}  // namespace fw
