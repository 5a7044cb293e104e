#pragma once
// What the effect tests share beyond the support library: the application
// object's title, their forms (built from stored descriptions, the way the
// program's main window is) and window rectangles.
#include <windows.h>

#include "effects/fx_form_fill.h"
#include "effects/fx_form_shadow.h"
#include "tests/support/app.h"
#include "tests/support/described_form.h"
#include "tests/support/dib_surface.h"

namespace fxtest {

inline const fwtest::AppSetup kAppSetup{L"Effect tests"};

using TestForm = fwtest::DescribedForm;

inline RECT WindowRectOf(HWND wnd) {
  RECT r{};
  GetWindowRect(wnd, &r);
  return r;
}

inline bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace fxtest
