#pragma once
// What the drawing tests share beyond the support library's surfaces and
// .bmp bytes: the patterns of data/make_test_bitmaps.py (the resource pictures).
#include <windows.h>

#include "tests/support/bmp_file.h"
#include "tests/support/dib_surface.h"

namespace fwtest {

inline COLORREF ResPalette4(int i) { return RGB((i * 37 + 11) % 256, (255 - i * 13) % 256, (i * 71 + 5) % 256); }
inline COLORREF ResPalette8(int i) { return RGB((i * 53 + 7) % 256, (i * 29 + 101) % 256, (255 - i) % 256); }
inline int ResIndex4(int x, int y) { return (x * 3 + y * 5) % 16; }
inline int ResIndex8(int x, int y) { return (x * 11 + y * 17) % 200; }

}  // namespace fwtest
