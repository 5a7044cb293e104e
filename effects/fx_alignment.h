#pragma once
// TFxAlignment and the placement of a rectangle inside another by it.
#include <windows.h>

namespace fx {

enum TFxAlignment : int {
  agTopLeft = 0,
  agTopCenter = 1,
  agTopRight = 2,
  agCenterLeft = 3,
  agCenter = 4,
  agCenterRight = 5,
  agBottomLeft = 6,
  agBottomCenter = 7,
  agBottomRight = 8,
};

// The top-left corner of a w x h rectangle placed inside `area`: left, centre
// or right edge horizontally, top, centre or bottom edge vertically. Centred
// halves are truncated toward zero, so a rectangle larger than the area gets
// a negative offset.
POINT FxAlignedOrigin(const RECT& area, int w, int h, TFxAlignment alignment);
// The same as a rectangle.
RECT FxAlignRect(const RECT& area, int w, int h, TFxAlignment alignment);

}  // namespace fx
