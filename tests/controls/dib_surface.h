#pragma once
// A memory DC over a 32-bit top-down DIB section whose pixels the test reads
// directly (0x00RRGGBB words), for pixel checks of what controls draw.
#include <windows.h>

#include <cstdint>
#include <stdexcept>

class DibSurface {
 public:
  DibSurface(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    dc_ = CreateCompatibleDC(nullptr);
    bitmap_ = CreateDIBSection(dc_, &info, DIB_RGB_COLORS, &bits_, nullptr, 0);
    if (!dc_ || !bitmap_) throw std::runtime_error("DIB section");
    old_ = SelectObject(dc_, bitmap_);
  }
  DibSurface(const DibSurface&) = delete;
  DibSurface& operator=(const DibSurface&) = delete;
  ~DibSurface() {
    SelectObject(dc_, old_);
    DeleteObject(bitmap_);
    DeleteDC(dc_);
  }

  HDC DC() const { return dc_; }
  int Width() const { return width_; }
  int Height() const { return height_; }

  // The pixel as a COLORREF (0x00BBGGRR), for comparison with RGB()/ColorToRGB.
  COLORREF At(int x, int y) const {
    GdiFlush();
    const std::uint32_t v = static_cast<const std::uint32_t*>(bits_)[y * width_ + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
  void Fill(COLORREF color) {
    HBRUSH brush = CreateSolidBrush(color);
    RECT r{0, 0, width_, height_};
    FillRect(dc_, &r, brush);
    DeleteObject(brush);
  }
  // Counts pixels of one colour inside r.
  int Count(COLORREF color, RECT r) const {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x)
        if (At(x, y) == color) ++n;
    return n;
  }
  int Count(COLORREF color) const { return Count(color, RECT{0, 0, width_, height_}); }

 private:
  int width_, height_;
  HDC dc_ = nullptr;
  HBITMAP bitmap_ = nullptr;
  HGDIOBJ old_ = nullptr;
  void* bits_ = nullptr;
};
