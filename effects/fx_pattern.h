#pragma once
// The pattern-AND fill that draws hssTracing shadows: pixels under the
// pattern's white cells stay as they are, pixels under its coloured cells
// are ANDed with the colour.
#include <windows.h>

namespace fx {

// `pattern` is not owned (typically TFxApplication's checkerboard). The
// brush origin is left at the DC's default.
void FxPatternAndFill(HDC dc, const RECT& r, HBITMAP pattern);

}  // namespace fx
