// Composing and showing one balloon hint against showing one plain hint
// window for the same text, measured in the same run: medians of several
// rounds, in microseconds per hint, and their ratio.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "effects/fx_shape_hint.h"
#include "effects/fx_shape_hint_window.h"
#include "framework/application.h"
#include "tests/support/app.h"
#include "tests/support/timing.h"

int main(int argc, char** argv) {
  const int perRound = argc > 1 ? std::max(1, std::atoi(argv[1])) : 100;
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 5;
  fw::TApplication app;
  // The main window's balloon settings.
  fx::TFxShapeHint settings(nullptr);
  settings.Font().SetName(L"Times New Roman");
  settings.Font().SetHeight(-12);
  settings.Font3D().SetStyle(fx::tdRaised);
  settings.Shadow().SetDepth(4);
  settings.SetEnabled(true);

  const std::wstring text = L"Выбор первой  единицы измерения";
  const int x = GetSystemMetrics(SM_CXSCREEN) / 2, y = GetSystemMetrics(SM_CYSCREEN) / 2;
  fx::TFxShapeHintWindow balloon(nullptr);
  fw::THintWindow plain(nullptr);
  auto showBalloon = [&] {
    balloon.ActivateHint(RECT{x, y, -1, -1}, text);
    balloon.ReleaseHint();
    fwtest::DispatchPending();
  };
  auto showPlain = [&] {
    RECT r = plain.CalcHintRect(GetSystemMetrics(SM_CXSCREEN), text, nullptr);
    OffsetRect(&r, x, y);
    plain.ActivateHint(r, text);
    plain.ReleaseHint();
    fwtest::DispatchPending();
  };
  showBalloon();
  showPlain();
  const double b = fwtest::MedianMicros(rounds, perRound, showBalloon);
  const double p = fwtest::MedianMicros(rounds, perRound, showPlain);
  std::printf("hint shown and hidden, %d rounds of %d (median microseconds per hint)\n", rounds, perRound);
  std::printf("  balloon (capture, compose, one copy) %.1f, plain THintWindow %.1f, ratio %.2f\n", b, p, b / p);
  return 0;
}
