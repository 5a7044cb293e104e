#pragma once
// Shared pieces of the button and label tests: a form whose background tiles
// a two-colour test picture, rendering of controls into 32-bit memory DCs,
// and a suite that shares one shown form.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <set>
#include <utility>

#include "graphics/bitmap.h"
#include "framework/form.h"
#include "graphics/gdi.h"
#include "tests/support/app.h"
#include "tests/support/dib_surface.h"

namespace button_label_test {

using namespace fwtest;

// Plain text pixels (no smoothing) so the text colours can be compared.
inline const AppSetup kAppSetup{L"Skinned button tests", true};

// The tile: 7 x 5, two colours in slanted stripes (no symmetry, so a copy
// shifted by any amount shows), neither colour grey, black or white.
constexpr int kTileW = 7;
constexpr int kTileH = 5;
constexpr COLORREF kTileA = RGB(30, 120, 60);
constexpr COLORREF kTileB = RGB(170, 90, 20);
inline COLORREF TileAt(int x, int y) { return ((x + 2 * y) % kTileW) < 3 ? kTileA : kTileB; }
// The form's picture at a point of its client area.
inline COLORREF Backdrop(int x, int y) { return TileAt(((x % kTileW) + kTileW) % kTileW, ((y % kTileH) + kTileH) % kTileH); }
inline bool IsBackdropColour(COLORREF c) { return c == kTileA || c == kTileB; }

// A form that tiles the test picture on every erase, into whatever DC it is
// given, like the program's bitmap-filled windows.
class TiledForm : public fw::TForm {
 public:
  TiledForm() : fw::TForm(nullptr) {
    tile_.SetSize(kTileW, kTileH);
    tile_.SetPixelFormat(fw::pf24bit);
    for (int y = 0; y < kTileH; ++y)
      for (int x = 0; x < kTileW; ++x) tile_.Canvas().SetPixel(x, y, static_cast<fw::TColor>(TileAt(x, y)));
    SetBorderStyle(fw::bsNone);
    SetBounds(40, 40, 300, 200);
  }
  int Erases() const { return erases_; }

 protected:
  void WMEraseBkgnd(fw::TMessage& m) override {
    ++erases_;
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    HDC src = tile_.Canvas().Handle();
    const RECT client = ClientRect();
    for (int y = 0; y < client.bottom; y += kTileH)
      for (int x = 0; x < client.right; x += kTileW) BitBlt(dc, x, y, kTileW, kTileH, src, 0, 0, SRCCOPY);
    m.Result = 1;
  }

 private:
  fw::TBitmap tile_;
  int erases_ = 0;
};

// What a windowed control paints (erase, then paint through the system's
// draw request) into a fresh 32-bit surface of its size.
template <class Control>
std::unique_ptr<DibSurface> Render(Control& control) {
  auto s = std::make_unique<DibSurface>(control.Width(), control.Height(), RGB(1, 2, 3));
  control.PaintTo(s->DC());
  return s;
}

// What a graphic control paints into a surface of its size (origin at its
// top-left), as its parent would have it paint.
template <class Control>
std::unique_ptr<DibSurface> RenderGraphic(Control& control, COLORREF background) {
  auto s = std::make_unique<DibSurface>(control.Width(), control.Height(), background);
  control.Perform(WM_PAINT, reinterpret_cast<WPARAM>(s->DC()), 0);
  return s;
}

using PixelSet = std::set<std::pair<int, int>>;

inline PixelSet PixelsOf(const DibSurface& s, COLORREF c, RECT area) {
  PixelSet p;
  for (int y = area.top; y < area.bottom; ++y)
    for (int x = area.left; x < area.right; ++x)
      if (s.At(x, y) == c) p.insert({x, y});
  return p;
}

inline PixelSet Shifted(const PixelSet& p, int dx, int dy) {
  PixelSet out;
  for (auto [x, y] : p) out.insert({x + dx, y + dy});
  return out;
}

inline PixelSet Minus(const PixelSet& a, const PixelSet& b) {
  PixelSet out;
  for (const auto& q : a)
    if (!b.count(q)) out.insert(q);
  return out;
}

inline COLORREF Sys(int index) { return GetSysColor(index); }
inline const COLORREF kWhite = RGB(255, 255, 255);
inline const COLORREF kBlack = RGB(0, 0, 0);

// A suite whose tests share one shown tiled form: hiding a window costs Wine
// seconds here, so it is shown once per suite.
struct SharedFormTest : ::testing::Test {
  static inline TiledForm* shared = nullptr;
  static void SetUpTestSuite() {
    App();
    shared = new TiledForm;
    ShowActive(*shared);
  }
  static void TearDownTestSuite() {
    delete shared;
    shared = nullptr;
  }
  TiledForm& form = *shared;
};

}  // namespace button_label_test
