#pragma once
// Every length of the windows is designed for 96 pixels per inch. On a
// display of another DPI it is scaled from that design value, always from
// the design value and never from an earlier scaled one, so that however
// often the DPI changes nothing drifts (96 -> 144 -> 96 gives back the
// design). Which DPI applies where is the window framework's business
// (framework/display_scale.h); fonts and canvases need only the rule.
#include <windows.h>

namespace fw {

inline constexpr int kDesignDpi = 96;

// A design length in device pixels at dpi, rounded as MulDiv rounds (halves
// away from zero). A DPI of 0 or less counts as the design DPI.
inline int ScaleToDpi(int design, int dpi) {
  return dpi <= 0 || dpi == kDesignDpi ? design : MulDiv(design, dpi, kDesignDpi);
}

// The design length nearest to a length known only in device pixels.
inline int DesignFromDpi(int device, int dpi) {
  return dpi <= 0 || dpi == kDesignDpi ? device : MulDiv(device, kDesignDpi, dpi);
}

// The device band [ScaleToDpi(from), ScaleToDpi(to)) that a design band
// [from, to) covers: a one-pixel design line from y to y + 1 becomes
// ScaleToDpi(y + 1) - ScaleToDpi(y) device pixels, and neighbouring design
// lines stay neighbours without gaps or overlaps.
inline int ScaledSpan(int from, int to, int dpi) { return ScaleToDpi(to, dpi) - ScaleToDpi(from, dpi); }

}  // namespace fw
