#include "graphics/color.h"

namespace fw {

COLORREF ColorToRGB(TColor color) {
  if (IsSysColor(color)) return GetSysColor(color & 0xFF);
  return static_cast<COLORREF>(color);
}

}  // namespace fw
