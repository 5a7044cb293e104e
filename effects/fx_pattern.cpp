#include "effects/fx_pattern.h"

#include "graphics/gdi.h"

namespace fx {

namespace {
// Destination AND pattern (DPa); the headers have no name for it.
constexpr DWORD kPatAnd = 0x00A000C9;
}  // namespace

void FxPatternAndFill(HDC dc, const RECT& r, HBITMAP pattern) {
  if (!dc || !pattern) return;
  fw::GdiBrush brush(CreatePatternBrush(pattern));
  if (!brush) return;
  fw::SelectGuard pen(dc, GetStockObject(NULL_PEN));
  fw::SelectGuard selected(dc, brush.Get());
  PatBlt(dc, r.left, r.top, r.right - r.left, r.bottom - r.top, kPatAnd);
}

}  // namespace fx
