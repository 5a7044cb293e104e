#pragma once
// Shared pieces of the edit and combo box tests: the application object's
// error count, a form whose background is a fine three-colour pattern (so any
// shift of a copied background shows) and a wallpaper whose every pixel is
// distinct.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <vector>

#include "graphics/bitmap.h"
#include "graphics/canvas.h"
#include "graphics/gdi.h"
#include "tests/support/app.h"
#include "tests/support/dib_surface.h"

namespace edit_combo_test {

using namespace fwtest;

// The backdrop colour at a point of the form's client area: 4 x 4 cells in
// three colours whose red and green stay below 100.
inline COLORREF Backdrop(int x, int y) {
  static const COLORREF colors[3] = {RGB(90, 20, 40), RGB(20, 70, 110), RGB(60, 40, 200)};
  return colors[((x >> 2) + 2 * (y >> 2)) % 3];
}

inline int Mod(int a, int m) { return ((a % m) + m) % m; }

class BackdropForm : public fw::TForm {
 public:
  BackdropForm() : fw::TForm(nullptr) {
    // The pattern repeats every 12 pixels both ways: one pattern brush.
    fw::MemoryDC dc(nullptr);
    fw::ClientDC screen(nullptr);
    pattern_.Reset(CreateCompatibleBitmap(screen.Get(), 12, 12));
    {
      fw::SelectGuard select(dc.Get(), pattern_.Get());
      for (int y = 0; y < 12; ++y)
        for (int x = 0; x < 12; ++x) SetPixelV(dc.Get(), x, y, Backdrop(x, y));
    }
    brush_.Reset(CreatePatternBrush(pattern_.Get()));
    SetBorderStyle(fw::bsNone);
    SetBounds(30, 30, 360, 260);
  }
  int Erases() const { return erases_; }

 protected:
  void WMEraseBkgnd(fw::TMessage& m) override {
    ++erases_;
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    // The brush pattern is laid from the device origin: move it to where the
    // form's (0, 0) lands in this DC.
    POINT origin{0, 0};
    LPtoDP(dc, &origin, 1);
    POINT old{};
    SetBrushOrgEx(dc, Mod(origin.x, 12), Mod(origin.y, 12), &old);
    RECT client = ClientRect();
    FillRect(dc, &client, brush_.Get());
    SetBrushOrgEx(dc, old.x, old.y, nullptr);
    m.Result = 1;
  }

 private:
  fw::GdiBitmap pattern_;
  fw::GdiBrush brush_;
  int erases_ = 0;
};

// The wallpaper pattern: 16 x 13 (a height that does not divide the row
// height), every pixel distinct, red and green below 100.
constexpr int kTileW = 16;
constexpr int kTileH = 13;
inline COLORREF TilePixel(int x, int y) { return RGB(x * 6, y * 7, 120 + x * 4 + y); }

inline std::unique_ptr<fw::TBitmap> MakeTile() {
  auto bitmap = std::make_unique<fw::TBitmap>(kTileW, kTileH);
  bitmap->SetPixelFormat(fw::pf24bit);
  for (int y = 0; y < kTileH; ++y)
    for (int x = 0; x < kTileW; ++x) bitmap->Canvas().SetPixel(x, y, static_cast<fw::TColor>(TilePixel(x, y)));
  return bitmap;
}

// The application object's reported errors counted, and one shown form for
// every test of the program (taking a shown window down costs Wine seconds
// without a window manager).
class ApplicationEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    App().OnException = [](fw::TObject*, std::exception_ptr) { ++errors_; };
  }
  void TearDown() override { form_.reset(); }
  static int Errors() { return errors_; }
  static BackdropForm& Form() {
    if (!form_) {
      form_ = std::make_unique<BackdropForm>();
      form_->Show();
      Pump();
      UpdateWindow(form_->Handle());
    }
    return *form_;
  }

 private:
  static inline std::unique_ptr<BackdropForm> form_;
  static inline int errors_ = 0;
};

}  // namespace edit_combo_test
