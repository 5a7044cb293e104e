#include "graphics/scaled_edge.h"

#include "graphics/design_scale.h"

namespace fw {

void DrawEdgeForDpi(HDC dc, RECT& rect, UINT edge, UINT flags, int dpi) {
  const UINT outer = edge & BDR_OUTER, inner = edge & BDR_INNER;
  const int first = ScaledSpan(0, 1, dpi), second = ScaledSpan(1, 2, dpi);
  if (first == 1 && (second == 1 || !outer || !inner)) {
    DrawEdge(dc, &rect, edge, flags);
    return;
  }
  // Line by line, each time one device pixel further in.
  RECT r = rect;
  const UINT lineFlags = (flags & ~static_cast<UINT>(BF_MIDDLE)) | BF_ADJUST;
  auto lines = [&](UINT part, int count) {
    for (int i = 0; i < count; ++i) DrawEdge(dc, &r, part, lineFlags);
  };
  if (outer) lines(outer, first);
  if (inner) lines(inner, outer ? second : first);
  if (flags & BF_MIDDLE) FillRect(dc, &r, GetSysColorBrush(COLOR_BTNFACE));
  if (flags & BF_ADJUST) rect = r;
}

}  // namespace fw
