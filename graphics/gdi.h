#pragma once
// RAII owners for device contexts, GDI objects and selections. Every owner
// counts what it creates and releases in process-wide counters, so leak tests
// can check them (GetGuiResources reports nothing under Wine).
#include <windows.h>

#include <memory>
#include <utility>

namespace fw {

class TCanvas;

enum class GdiKind { Font, Brush, Pen, Bitmap, Region, Palette, DC, Count_ };

class GdiCounters {
 public:
  static long Live(GdiKind kind);  // created and not yet released
  static long Live();              // all kinds together
  static long Created(GdiKind kind);  // ever created, for cycle counts
  static void Add(GdiKind kind);
  static void Remove(GdiKind kind);
};

template <class H> struct GdiKindOf;
template <> struct GdiKindOf<HFONT> { static constexpr GdiKind kind = GdiKind::Font; };
template <> struct GdiKindOf<HBRUSH> { static constexpr GdiKind kind = GdiKind::Brush; };
template <> struct GdiKindOf<HPEN> { static constexpr GdiKind kind = GdiKind::Pen; };
template <> struct GdiKindOf<HBITMAP> { static constexpr GdiKind kind = GdiKind::Bitmap; };
template <> struct GdiKindOf<HRGN> { static constexpr GdiKind kind = GdiKind::Region; };
template <> struct GdiKindOf<HPALETTE> { static constexpr GdiKind kind = GdiKind::Palette; };

// Owns one GDI object (DeleteObject on release). Construct it straight from
// the creating call: GdiObject<HPEN> pen(CreatePen(...)). A null handle is
// allowed and owns nothing.
template <class H>
class GdiObject {
 public:
  GdiObject() = default;
  explicit GdiObject(H handle) : h_(handle) {
    if (h_) GdiCounters::Add(GdiKindOf<H>::kind);
  }
  GdiObject(GdiObject&& other) noexcept : h_(std::exchange(other.h_, nullptr)) {}
  GdiObject& operator=(GdiObject&& other) noexcept {
    if (this != &other) {
      Reset();
      h_ = std::exchange(other.h_, nullptr);
    }
    return *this;
  }
  GdiObject(const GdiObject&) = delete;
  GdiObject& operator=(const GdiObject&) = delete;
  ~GdiObject() { Reset(); }

  H Get() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }

  void Reset(H handle = nullptr) {
    if (handle && handle == h_) return;  // already ours
    if (h_) {
      DeleteObject(h_);
      GdiCounters::Remove(GdiKindOf<H>::kind);
    }
    h_ = handle;
    if (h_) GdiCounters::Add(GdiKindOf<H>::kind);
  }
  // Gives the object away (e.g. a region to SetWindowRgn, which then owns it).
  H Detach() {
    if (h_) GdiCounters::Remove(GdiKindOf<H>::kind);
    return std::exchange(h_, nullptr);
  }

 private:
  H h_ = nullptr;
};

using GdiFont = GdiObject<HFONT>;
using GdiBrush = GdiObject<HBRUSH>;
using GdiPen = GdiObject<HPEN>;
using GdiBitmap = GdiObject<HBITMAP>;
using GdiRegion = GdiObject<HRGN>;
using GdiPalette = GdiObject<HPALETTE>;

// SelectObject now, the previous object back on destruction. Not for regions
// (use ClipRegionGuard) nor palettes (use PaletteGuard).
class SelectGuard {
 public:
  SelectGuard(HDC dc, HGDIOBJ object);
  SelectGuard(SelectGuard&& other) noexcept;
  SelectGuard& operator=(SelectGuard&&) = delete;
  SelectGuard(const SelectGuard&) = delete;
  SelectGuard& operator=(const SelectGuard&) = delete;
  ~SelectGuard();
  HGDIOBJ Previous() const { return old_; }

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// SelectPalette (+ RealizePalette) now, the previous palette back later.
class PaletteGuard {
 public:
  PaletteGuard(HDC dc, HPALETTE palette, bool background = false, bool realize = true);
  PaletteGuard(const PaletteGuard&) = delete;
  PaletteGuard& operator=(const PaletteGuard&) = delete;
  ~PaletteGuard();

 private:
  HDC dc_;
  HPALETTE old_ = nullptr;
};

// Base of the DC owners: holds the handle, counts it, not copyable.
class DCHolder {
 public:
  DCHolder(const DCHolder&) = delete;
  DCHolder& operator=(const DCHolder&) = delete;
  HDC Get() const { return dc_; }
  operator HDC() const { return dc_; }

 protected:
  DCHolder() = default;
  void Own(HDC dc);   // counts it (throws EOutOfResources on null)
  void Disown();      // uncounts it
  HDC dc_ = nullptr;
};

// CreateCompatibleDC / DeleteDC. Compatible with the screen when given null.
class MemoryDC : public DCHolder {
 public:
  explicit MemoryDC(HDC compatible = nullptr);
  ~MemoryDC();
};

// GetDC / ReleaseDC of a window's client area (null window: the screen).
class ClientDC : public DCHolder {
 public:
  explicit ClientDC(HWND window);
  ~ClientDC();

 private:
  HWND wnd_;
};

// GetWindowDC / ReleaseDC: the whole window, frame included.
class WindowDC : public DCHolder {
 public:
  explicit WindowDC(HWND window);
  ~WindowDC();

 private:
  HWND wnd_;
};

// BeginPaint / EndPaint for WM_PAINT.
class PaintDC : public DCHolder {
 public:
  explicit PaintDC(HWND window);
  ~PaintDC();
  const PAINTSTRUCT& Info() const { return ps_; }
  const RECT& PaintRect() const { return ps_.rcPaint; }

 private:
  HWND wnd_;
  PAINTSTRUCT ps_{};
};

// SaveDC now, RestoreDC of exactly that level later.
class SavedDC {
 public:
  explicit SavedDC(HDC dc);
  SavedDC(const SavedDC&) = delete;
  SavedDC& operator=(const SavedDC&) = delete;
  ~SavedDC();

 private:
  HDC dc_;
  int id_;
};

// Changes the clip region and puts the previous one back on destruction.
// The region form uses device coordinates (like SelectClipRgn); the rectangle
// form logical ones. mode: RGN_COPY replaces the clip, RGN_AND narrows it.
class ClipRegionGuard {
 public:
  ClipRegionGuard(HDC dc, HRGN region, int mode = RGN_COPY);
  ClipRegionGuard(HDC dc, const RECT& logical, int mode = RGN_COPY);
  ClipRegionGuard(const ClipRegionGuard&) = delete;
  ClipRegionGuard& operator=(const ClipRegionGuard&) = delete;
  ~ClipRegionGuard();

 private:
  void SaveClip();
  HDC dc_;
  GdiRegion saved_;  // null when the DC had no clip region
};

// The one place double-buffered painting is done: a memory DC compatible with
// the target and a bitmap of width x height selected into it (a 32-bit DIB
// section unless asked for the target's own format). Paint
// into DC() or Canvas(), then CopyTo the target in one BitBlt. Everything,
// canvas included, is released in the destructor, also during unwinding.
// The header of a 32-bit top-down picture of width x height: pixels as
// 0x00RRGGBB, row after row from the top.
BITMAPINFO TopDownDib32Info(int width, int height);
// A 32-bit top-down DIB section of width x height, its pixels at *bits.
// Null when the size is empty or the system has no room for it.
GdiBitmap CreateDib32(int width, int height, void** bits, HDC dc = nullptr);

enum class BufferFormat {
  Compatible,  // a bitmap compatible with the target (palettes, device formats)
  Dib32,       // a 32-bit DIB section: made and drawn without the display driver,
               // the cheap choice for buffers made anew many times a second
};

class OffscreenBuffer {
 public:
  OffscreenBuffer(HDC target, int width, int height, BufferFormat format = BufferFormat::Dib32);
  OffscreenBuffer(const OffscreenBuffer&) = delete;
  OffscreenBuffer& operator=(const OffscreenBuffer&) = delete;
  ~OffscreenBuffer();

  HDC DC() const { return dc_.Get(); }
  HBITMAP Bitmap() const { return bitmap_.Get(); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  RECT Rect() const { return RECT{0, 0, width_, height_}; }

  // A canvas attached to the buffer's DC, made on first use.
  TCanvas& Canvas();
  // Detaches the canvas early (it is detached anyway on destruction).
  void DetachCanvas();

  // The whole buffer to (x, y) of target: one BitBlt, SRCCOPY.
  void CopyTo(HDC target, int x = 0, int y = 0) const;
  // Only part of the buffer, to the same coordinates of target.
  void CopyRectTo(HDC target, const RECT& part) const;

 private:
  int width_;
  int height_;
  MemoryDC dc_;
  GdiBitmap bitmap_;
  std::unique_ptr<SelectGuard> select_;
  std::unique_ptr<TCanvas> canvas_;
};

using BufferedPaint = OffscreenBuffer;

}  // namespace fw
