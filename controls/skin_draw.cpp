#include "controls/skin_draw.h"

#include <algorithm>
#include <memory>

#include "graphics/canvas.h"
#include "graphics/gdi.h"

namespace skin {

namespace {

int Len(std::wstring_view text) { return static_cast<int>(text.size()); }

// The picture's own DC, with its palette realized into a palette device.
HDC SourceOf(fw::TBitmap& bitmap) { return bitmap.Canvas().Handle(); }

std::unique_ptr<fw::PaletteGuard> RealizeFor(HDC dc, fw::TBitmap& bitmap) {
  if (bitmap.Palette() && (GetDeviceCaps(dc, RASTERCAPS) & RC_PALETTE))
    return std::make_unique<fw::PaletteGuard>(dc, bitmap.Palette(), true);
  return nullptr;
}

}  // namespace

void DrawShadowText(HDC dc, RECT& textRect, TShadowPosition position, int size, fw::TColor shadow,
                    fw::TColor face, UINT format, std::wstring_view text) {
  RECT shadowRect = textRect;
  switch (position) {
    case spLeftTop:
      OffsetRect(&textRect, size, size);
      break;
    case spLeftBottom:
      OffsetRect(&textRect, size, 0);
      OffsetRect(&shadowRect, 0, size);
      break;
    case spRightBottom:
      OffsetRect(&shadowRect, size, size);
      break;
    case spRightTop:
      OffsetRect(&textRect, 0, size);
      OffsetRect(&shadowRect, size, 0);
      break;
  }
  const COLORREF oldColor = GetTextColor(dc);
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  // DrawTextW may write the ellipsis into the text with DT_MODIFYSTRING.
  format &= ~static_cast<UINT>(DT_MODIFYSTRING);
  SetTextColor(dc, fw::ColorToRGB(shadow));
  DrawTextW(dc, text.data(), Len(text), &shadowRect, format);
  SetTextColor(dc, fw::ColorToRGB(face));
  DrawTextW(dc, text.data(), Len(text), &textRect, format);
  SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);
}

bool DrawWallpaper(HDC dc, fw::TBitmap* designed, const RECT& r, DWORD rop, bool tiled, int dpi) {
  if (!designed || designed->Empty()) return false;
  fw::TBitmap* bitmap = tiled ? designed : &designed->AtDpi(dpi);
  const int bw = bitmap->Width(), bh = bitmap->Height();
  HDC source = SourceOf(*bitmap);
  auto palette = RealizeFor(dc, *bitmap);
  if (tiled) {
    for (int y = r.top; y < r.bottom; y += bh)
      for (int x = r.left; x < r.right; x += bw)
        BitBlt(dc, x, y, std::min(bw, static_cast<int>(r.right - x)),
               std::min(bh, static_cast<int>(r.bottom - y)), source, 0, 0, rop);
  } else {
    // Pinned to the client origin: only the part of the picture that lies
    // inside r, from the same coordinates.
    const int left = std::max(0, static_cast<int>(r.left)), top = std::max(0, static_cast<int>(r.top));
    const int right = std::min(bw, static_cast<int>(r.right)), bottom = std::min(bh, static_cast<int>(r.bottom));
    if (right > left && bottom > top)
      BitBlt(dc, left, top, right - left, bottom - top, source, left, top, rop);
  }
  return true;
}

bool DrawWallpaperAnchored(HDC dc, fw::TBitmap* bitmap, const RECT& anchor, DWORD rop, bool tiled,
                           const RECT& item, int dpi) {
  if (!bitmap || bitmap->Empty()) return false;
  if (!tiled || EqualRect(&anchor, &item)) return DrawWallpaper(dc, bitmap, item, rop, tiled, dpi);
  const int aw = anchor.right - anchor.left, ah = anchor.bottom - anchor.top;
  if (aw <= 0 || ah <= 0) return DrawWallpaper(dc, bitmap, item, rop, tiled, dpi);
  fw::OffscreenBuffer buffer(dc, aw, ah);
  DrawWallpaper(buffer.DC(), bitmap, buffer.Rect(), rop, true, dpi);
  BitBlt(dc, item.left, item.top, item.right - item.left, item.bottom - item.top, buffer.DC(),
         item.left - anchor.left, item.top - anchor.top, SRCCOPY);
  return true;
}

void FillGradient(HDC dc, const RECT& r, fw::TColor start, fw::TColor end, TGradientDirection direction,
                  int steps) {
  if (steps <= 0) return;
  const COLORREF a = fw::ColorToRGB(start), b = fw::ColorToRGB(end);
  const int r0 = GetRValue(a), g0 = GetGValue(a), b0 = GetBValue(a);
  const int dr = GetRValue(b) - r0, dg = GetGValue(b) - g0, db = GetBValue(b) - b0;
  const bool horizontal = direction == gdHorizontal;
  const int origin = horizontal ? r.left : r.top;
  const int extent = horizontal ? r.right - r.left : r.bottom - r.top;
  for (int i = 0; i <= steps; ++i) {
    RECT band = r;
    const int from = origin + MulDiv(i, extent, steps);
    const int to = origin + MulDiv(i + 1, extent, steps);
    if (horizontal) {
      band.left = from;
      band.right = std::min(to, static_cast<int>(r.right));
    } else {
      band.top = from;
      band.bottom = std::min(to, static_cast<int>(r.bottom));
    }
    if (IsRectEmpty(&band)) continue;
    fw::GdiBrush brush(CreateSolidBrush(
        RGB(r0 + MulDiv(i, dr, steps), g0 + MulDiv(i, dg, steps), b0 + MulDiv(i, db, steps))));
    ::FillRect(dc, &band, brush.Get());
  }
}

fw::TColor ComplementColor(fw::TColor color) {
  const COLORREF c = fw::ColorToRGB(color);
  return fw::RGBColor(255 - GetRValue(c), 255 - GetGValue(c), 255 - GetBValue(c));
}

}  // namespace skin
