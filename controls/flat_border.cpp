#include "controls/flat_border.h"

#include <memory>

#include "graphics/gdi.h"

namespace skin {

namespace {

void Draw(HDC dc, HWND control, bool hot, FlatBorderKind kind) {
  RECT r{};
  GetWindowRect(control, &r);
  OffsetRect(&r, -r.left, -r.top);
  // System colour brushes belong to the system: never deleted.
  HBRUSH face = GetSysColorBrush(COLOR_BTNFACE);
  HBRUSH window = GetSysColorBrush(COLOR_WINDOW);

  FrameRect(dc, &r, face);
  InflateRect(&r, -1, -1);
  FrameRect(dc, &r, face);
  if (hot) {
    InflateRect(&r, 1, 1);
    DrawEdge(dc, &r, BDR_SUNKENOUTER, BF_RECT | BF_ADJUST);
  }
  if (kind == FlatBorderKind::Scrolling) {
    LONG_PTR style = GetWindowLongPtrW(control, GWL_STYLE);
    bool vertical = (style & WS_VSCROLL) != 0;
    bool horizontal = (style & WS_HSCROLL) != 0;
    int cx = GetSystemMetrics(SM_CXVSCROLL);
    int cy = GetSystemMetrics(SM_CYHSCROLL);
    if (vertical && horizontal) {
      RECT corner{r.right - cx - 1, r.bottom - cy - 1, r.right - 1, r.bottom - 1};
      FillRect(dc, &corner, face);
    }
    if (vertical) r.right -= cx;
    if (horizontal) r.bottom -= cy;
  } else {
    InflateRect(&r, -1, -1);
  }
  if (kind != FlatBorderKind::Grid) FrameRect(dc, &r, window);
}

}  // namespace

void DrawFlatBorder(HDC dc, HWND control, bool hot, FlatBorderKind kind) {
  if (!control || !IsWindow(control)) return;
  if (dc) {
    Draw(dc, control, hot, kind);
    return;
  }
  fw::WindowDC own(control);
  Draw(own.Get(), control, hot, kind);
}

}  // namespace skin
