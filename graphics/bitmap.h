#pragma once
// TBitmap: a device-independent bitmap (DIB section) with its palette, its own
// canvas and change notification. Loads .bmp file bytes and RT_BITMAP
// resources, 1/4/8-bit palettized (palette kept), 16/24/32-bit.
#include <windows.h>

#include <cstddef>
#include <functional>
#include <memory>
#include <span>
#include <vector>

#include "graphics/color.h"
#include "graphics/gdi.h"

namespace fw {

class TCanvas;

enum TPixelFormat { pfDevice, pf1bit, pf4bit, pf8bit, pf15bit, pf16bit, pf24bit, pf32bit };
enum TTransparentMode { tmAuto, tmFixed };

class TBitmap {
 public:
  TBitmap();
  TBitmap(int width, int height);  // blank (white), pfDevice
  TBitmap(const TBitmap&) = delete;
  TBitmap& operator=(const TBitmap&) = delete;
  ~TBitmap();

  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetWidth(int width) { SetSize(width, height_); }
  void SetHeight(int height) { SetSize(width_, height); }
  // Keeps the top-left part of the picture; new area is white.
  void SetSize(int width, int height);
  bool Empty() const { return width_ <= 0 || height_ <= 0; }

  TPixelFormat PixelFormat() const { return format_; }
  // Converts the pixels (palettized targets use the picture's palette when
  // it has one of that size, else a standard one).
  void SetPixelFormat(TPixelFormat format);

  // Drawing into the picture; made on first use. Its Handle() is also the
  // DC to copy the picture from: the picture stays selected in it.
  TCanvas& Canvas();
  // The DIB section (null when empty). Owned by the bitmap. While the
  // canvas has its DC the section is selected there and cannot be selected
  // into another DC; Dormant() lets go of that DC first.
  HBITMAP Handle() const { return bitmap_.Get(); }
  // Releases the canvas's DC (made again on the next drawing call).
  void Dormant() { ReleaseCanvasDC(); }
  // The palette of a palettized picture, else null. Owned by the bitmap.
  HPALETTE Palette() const { return palette_.Get(); }

  // .bmp file bytes (BITMAPFILEHEADER first). Throws EInvalidGraphic.
  void LoadFromMemory(std::span<const std::byte> bytes);
  void LoadFromMemory(const void* data, std::size_t size);
  // RT_BITMAP resources (no file header). Throws EResNotFound.
  void LoadFromResourceName(HINSTANCE module, const wchar_t* name);
  void LoadFromResourceID(HINSTANCE module, int id);
  void LoadFromResource(HINSTANCE module, const wchar_t* name) { LoadFromResourceName(module, name); }
  void LoadFromResource(HINSTANCE module, int id) { LoadFromResourceID(module, id); }
  // Takes a copy of any bitmap handle (DDB or DIB section, palettized ones
  // with their colour table); the handle stays the caller's and must not be
  // selected into a DC meanwhile.
  void LoadFromHandle(HBITMAP source);
  // The picture as .bmp file bytes.
  std::vector<std::byte> SaveToMemory() const;

  // Deep copy of pixels, palette, format and transparency settings.
  void Assign(const TBitmap& source);

  // The picture drawn at another size: itself at its own size (or when
  // empty), else a 32-bit copy resampled smoothly from it (graphics/
  // resample.h), made on first use and kept until the picture changes or
  // another size is asked for. A transparent picture's copy keeps the
  // transparent colour, with a clean edge. Owned by the picture.
  TBitmap& AtSize(int width, int height);
  // The picture at a DPI: its size is a design size (96 DPI), scaled.
  TBitmap& AtDpi(int dpi);
  // Back to empty.
  void Clear();

  // tmAuto: the bottom-left pixel (clDefault when empty); tmFixed: as set.
  TColor TransparentColor();
  void SetTransparentColor(TColor color);  // switches to tmFixed
  TTransparentMode TransparentMode() const { return transparentMode_; }
  void SetTransparentMode(TTransparentMode mode);
  // Draw() leaves out the transparent colour when set.
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);

  // Raised after every change of the picture, canvas drawing included.
  std::function<void()> OnChange;

  struct Image;  // a made picture, before it becomes this bitmap's (internal)

 private:
  friend class TCanvas;
  friend class TBitmapCanvas;
  void Changed();
  void Replace(Image&& image);
  void CreateCanvasDC();
  void ReleaseCanvasDC();
  HDC SourceDC();  // a DC with the picture selected (the canvas's)
  void LoadDib(const std::byte* info, std::size_t infoSize, const std::byte* bits,
               std::size_t bitsSize);

  GdiBitmap bitmap_;
  GdiPalette palette_;
  void* bits_ = nullptr;         // the DIB section's pixels
  std::vector<RGBQUAD> colors_;  // colour table of palettized formats
  int width_ = 0;
  int height_ = 0;
  TPixelFormat format_ = pfDevice;
  TColor transparentColor_ = clDefault;
  TTransparentMode transparentMode_ = tmAuto;
  bool transparent_ = false;
  // Destroyed in reverse: canvas detached, palette and picture deselected,
  // then the DC deleted, all before the picture itself.
  std::unique_ptr<MemoryDC> canvasDC_;
  std::unique_ptr<SelectGuard> canvasSelect_;
  std::unique_ptr<PaletteGuard> canvasPalette_;
  std::unique_ptr<TCanvas> canvas_;
  // What AtSize made last (dropped by every change).
  std::unique_ptr<TBitmap> scaled_;
};

}  // namespace fw
