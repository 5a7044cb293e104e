// A one-pixel design line drawn at a DPI: it covers its whole device band
// [MulDiv(k), MulDiv(k + 1)) in its own colour, drawn at device resolution
// (no stretched copy: no pixel of a colour between).
#include <gtest/gtest.h>

#include "graphics/color.h"
#include "stdctrls/extctrls.h"
#include "tests/support/dib_surface.h"
#include "window_test_util.h"

namespace {

constexpr COLORREF kBackground = RGB(10, 200, 30);

TEST(DisplayScale, AOnePixelDesignLineCoversItsDeviceBandInItsOwnColour) {
  fwtest::App();
  // The top-line bevel: a shadow line, then a highlight line.
  const struct {
    int dpi, shadowRows, highlightRows;
  } cases[] = {{96, 1, 1}, {120, 1, 2}, {144, 2, 1}, {192, 2, 2}};
  const COLORREF shadow = fw::ColorToRGB(fw::clBtnShadow), highlight = fw::ColorToRGB(fw::clBtnHighlight);
  for (const auto& c : cases) {
    SCOPED_TRACE(c.dpi);
    fw::TForm form(nullptr);
    auto* bevel = new fw::TBevel(&form);
    bevel->SetParent(&form);
    bevel->SetShape(fw::bsTopLine);
    bevel->SetBounds(0, 0, 40, 10);
    form.HandleNeeded();
    form.ChangeDpi(c.dpi);
    const int width = MulDiv(40, c.dpi, 96);
    ASSERT_EQ(bevel->Width(), width);
    fwtest::DibSurface surface(width + 2, bevel->Height(), kBackground);
    bevel->Perform(WM_PAINT, reinterpret_cast<WPARAM>(surface.DC()), 0);
    const RECT shadowBand{0, 0, width, c.shadowRows};
    const RECT highlightBand{0, c.shadowRows, width, c.shadowRows + c.highlightRows};
    EXPECT_EQ(surface.Count(shadow, shadowBand), width * c.shadowRows);
    EXPECT_EQ(surface.Count(highlight, highlightBand), width * c.highlightRows);
    // Nothing beyond the two bands.
    EXPECT_EQ(surface.Count(kBackground), surface.Width() * surface.Height() - width * (c.shadowRows + c.highlightRows));
  }
}

}  // namespace
