#pragma once
// DrawEdge at a DPI. The system draws each of an edge's lines one pixel
// wide; a design line [k, k + 1) pixels in from a side is drawn over the
// device band [ScaleToDpi(k), ScaleToDpi(k + 1)) instead, so an edge two
// design pixels deep is three device pixels deep at 144 DPI, its outer line
// two of them.
#include <windows.h>

namespace fw {

// As DrawEdge(dc, &rect, edge, flags); at 96 DPI exactly that call.
void DrawEdgeForDpi(HDC dc, RECT& rect, UINT edge, UINT flags, int dpi);

}  // namespace fw
