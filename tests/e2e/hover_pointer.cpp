// Rests the pointer over a point of the converter's main window, as a user
// would, and returns once that control's hint shows (or after 3 s), so that
// a screenshot taken at once shows it:
//   hover_pointer.exe X Y     (client coordinates of the main window)
#include <windows.h>

#include <cstdio>
#include <cwchar>
#include <initializer_list>

#include "tests/e2e/real_input.h"

namespace {

bool HintShown() {
  for (const wchar_t* cls : {L"TFxShapeHintWindow", L"THintWindow"})
    if (HWND hint = FindWindowW(cls, nullptr); hint && IsWindowVisible(hint)) return true;
  return false;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc < 3) {
    std::fwprintf(stderr, L"usage: hover_pointer X Y (main window client coordinates)\n");
    return 2;
  }
  POINT p{std::wcstol(argv[1], nullptr, 10), std::wcstol(argv[2], nullptr, 10)};
  HWND form = nullptr;
  for (int i = 0; i < 100 && !(form = FindWindowW(L"TForm1", nullptr)); ++i) Sleep(100);
  if (!form) {
    std::fwprintf(stderr, L"hover_pointer: no converter window\n");
    return 1;
  }
  ClientToScreen(form, &p);
  e2e::PointerTo(p);
  // Inside a Wine virtual desktop that move may not arrive: the window
  // under the pointer is told directly as well.
  if (HWND under = WindowFromPoint(p)) {
    POINT local = p;
    ScreenToClient(under, &local);
    PostMessageW(under, WM_MOUSEMOVE, 0, MAKELPARAM(local.x, local.y));
  }
  for (int i = 0; i < 60 && !HintShown(); ++i) Sleep(50);
  Sleep(100);  // drawn
  return HintShown() ? 0 : 3;
}
