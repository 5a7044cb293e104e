#include "tests/support/dib_surface.h"

#include <stdexcept>

#include "graphics/gdi.h"

namespace fwtest {

DibSurface::DibSurface(int width, int height, COLORREF fill) : width_(width), height_(height) {
  void* bits = nullptr;
  dc_ = CreateCompatibleDC(nullptr);
  // Taken out of the counters at once: the surface is the test's, not the program's.
  bitmap_ = fw::CreateDib32(width, height, &bits, dc_).Detach();
  if (!dc_ || !bitmap_) throw std::runtime_error("DIB section");
  bits_ = static_cast<std::uint32_t*>(bits);
  old_ = SelectObject(dc_, bitmap_);
  Fill(fill);
}

DibSurface::~DibSurface() {
  SelectObject(dc_, old_);
  DeleteObject(bitmap_);
  DeleteDC(dc_);
}

COLORREF DibSurface::At(int x, int y) const {
  GdiFlush();
  const std::uint32_t v = bits_[static_cast<std::size_t>(y) * width_ + x];
  return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
}

void DibSurface::Fill(COLORREF color) {
  GdiFlush();
  const std::uint32_t v = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
  for (int i = 0; i < width_ * height_; ++i) bits_[i] = v;
}

int DibSurface::Count(COLORREF color, const RECT& r) const {
  int n = 0;
  for (int y = r.top; y < r.bottom; ++y)
    for (int x = r.left; x < r.right; ++x) n += At(x, y) == color;
  return n;
}

void DibSurface::CopyFrom(HDC source, int x, int y) { BitBlt(dc_, 0, 0, width_, height_, source, x, y, SRCCOPY); }

void DibSurface::CaptureClient(HWND window) {
  HDC dc = GetDC(window);
  CopyFrom(dc, 0, 0);
  ReleaseDC(window, dc);
}

std::unique_ptr<DibSurface> Capture(HWND window) {
  RECT r{};
  GetClientRect(window, &r);
  auto surface = std::make_unique<DibSurface>(r.right, r.bottom);
  surface->CaptureClient(window);
  return surface;
}

std::unique_ptr<DibSurface> CaptureScreen(const RECT& area) {
  auto surface = std::make_unique<DibSurface>(area.right - area.left, area.bottom - area.top);
  HDC screen = GetDC(nullptr);
  surface->CopyFrom(screen, area.left, area.top);
  ReleaseDC(nullptr, screen);
  return surface;
}

}  // namespace fwtest
