// TBitmap::AtSize and AtDpi: the picture resampled for drawing at another size.
#include "graphics/bitmap.h"
#include "graphics/design_scale.h"
#include "graphics/gdi.h"
#include "graphics/graphics_errors.h"
#include "graphics/resample.h"

namespace fw {
namespace {

std::uint32_t Rgb32(COLORREF c) {
  return (static_cast<std::uint32_t>(GetRValue(c)) << 16) | (static_cast<std::uint32_t>(GetGValue(c)) << 8) |
         GetBValue(c);
}

// The pixels of a picture's DC, whatever its format, as 32-bit pixels.
PixelImage ReadPixels(HDC source, int width, int height) {
  PixelImage image{width, height, {}};
  void* bits = nullptr;
  MemoryDC dc(nullptr);
  GdiBitmap dib = CreateDib32(width, height, &bits, dc.Get());
  if (!dib || !bits) throw EOutOfResources(L"Cannot create a bitmap");
  SelectGuard select(dc.Get(), dib.Get());
  BitBlt(dc.Get(), 0, 0, width, height, source, 0, 0, SRCCOPY);
  GdiFlush();
  const auto* p = static_cast<const std::uint32_t*>(bits);
  image.pixels.assign(p, p + static_cast<size_t>(width) * static_cast<size_t>(height));
  for (auto& px : image.pixels) px &= 0xFFFFFF;
  return image;
}

}  // namespace

TBitmap& TBitmap::AtSize(int width, int height) {
  if (Empty() || width <= 0 || height <= 0 || (width == width_ && height == height_)) return *this;
  if (scaled_ && scaled_->Width() == width && scaled_->Height() == height) return *scaled_;
  std::optional<std::uint32_t> key;
  if (transparent_ || transparentMode_ == tmFixed) key = Rgb32(ColorToRGB(TransparentColor()));
  const PixelImage resampled = Resample(ReadPixels(SourceDC(), width_, height_), width, height, key);
  auto copy = std::make_unique<TBitmap>();
  copy->SetPixelFormat(pf32bit);
  copy->SetSize(width, height);
  const BITMAPINFO info = TopDownDib32Info(width, height);
  {
    MemoryDC screen;
    SetDIBits(screen, copy->Handle(), 0, static_cast<UINT>(height), resampled.pixels.data(), &info, DIB_RGB_COLORS);
  }
  if (key) copy->SetTransparentColor(TransparentColor());
  copy->SetTransparent(transparent_);
  scaled_ = std::move(copy);
  return *scaled_;
}

TBitmap& TBitmap::AtDpi(int dpi) { return AtSize(ScaleToDpi(width_, dpi), ScaleToDpi(height_, dpi)); }

}  // namespace fw
