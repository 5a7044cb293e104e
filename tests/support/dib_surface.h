#pragma once
// A memory DC over a 32-bit top-down DIB section whose pixels the test reads
// directly, to render into and check, or to copy the screen into. Its DC and
// bitmap are not among the framework's live objects, so leak checks of the
// code under test see nothing of it.
#include <windows.h>

#include <cstdint>
#include <memory>

namespace fwtest {

class DibSurface {
 public:
  // All pixels `fill` (a fresh DIB section is black).
  DibSurface(int width, int height, COLORREF fill = RGB(0, 0, 0));
  DibSurface(const DibSurface&) = delete;
  DibSurface& operator=(const DibSurface&) = delete;
  ~DibSurface();

  HDC DC() const { return dc_; }
  int Width() const { return width_; }
  int Height() const { return height_; }

  // The pixel as a COLORREF (0x00BBGGRR), for comparison with RGB().
  COLORREF At(int x, int y) const;
  void Fill(COLORREF color);
  // How many pixels inside r (or the whole surface) have this colour.
  int Count(COLORREF color, const RECT& r) const;
  int Count(COLORREF color) const { return Count(color, RECT{0, 0, width_, height_}); }
  // This surface's size from (x, y) of `source` to its top-left corner.
  void CopyFrom(HDC source, int x, int y);
  // A window's client area as it is on the screen, from its top-left corner.
  void CaptureClient(HWND window);

 private:
  int width_, height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  std::uint32_t* bits_ = nullptr;  // 0x00RRGGBB, row after row from the top
};

// A window's whole client area as it is on the screen.
std::unique_ptr<DibSurface> Capture(HWND window);
// What the screen shows in `area` (screen coordinates).
std::unique_ptr<DibSurface> CaptureScreen(const RECT& area);

}  // namespace fwtest
