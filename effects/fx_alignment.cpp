#include "effects/fx_alignment.h"

namespace fx {

POINT FxAlignedOrigin(const RECT& area, int w, int h, TFxAlignment alignment) {
  const int aw = area.right - area.left, ah = area.bottom - area.top;
  const int column = static_cast<int>(alignment) % 3;  // left, centre, right
  const int row = static_cast<int>(alignment) / 3;     // top, centre, bottom
  POINT p{area.left, area.top};
  if (column == 1) p.x += (aw - w) / 2;
  if (column == 2) p.x += aw - w;
  if (row == 1) p.y += (ah - h) / 2;
  if (row == 2) p.y += ah - h;
  return p;
}

RECT FxAlignRect(const RECT& area, int w, int h, TFxAlignment alignment) {
  const POINT p = FxAlignedOrigin(area, w, h, alignment);
  return RECT{p.x, p.y, p.x + w, p.y + h};
}

}  // namespace fx
