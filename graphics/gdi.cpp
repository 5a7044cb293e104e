#include "graphics/gdi.h"

#include <array>
#include <atomic>

#include "graphics/canvas.h"
#include "graphics/graphics_errors.h"

namespace fw {

namespace {

constexpr std::size_t kKinds = static_cast<std::size_t>(GdiKind::Count_);
std::array<std::atomic<long>, kKinds> g_live{};
std::array<std::atomic<long>, kKinds> g_created{};

std::size_t Index(GdiKind kind) { return static_cast<std::size_t>(kind); }

}  // namespace

long GdiCounters::Live(GdiKind kind) { return g_live[Index(kind)].load(); }

long GdiCounters::Live() {
  long sum = 0;
  for (auto& n : g_live) sum += n.load();
  return sum;
}

long GdiCounters::Created(GdiKind kind) { return g_created[Index(kind)].load(); }

void GdiCounters::Add(GdiKind kind) {
  ++g_live[Index(kind)];
  ++g_created[Index(kind)];
}

void GdiCounters::Remove(GdiKind kind) { --g_live[Index(kind)]; }

// --- selections ---

SelectGuard::SelectGuard(HDC dc, HGDIOBJ object) : dc_(dc), old_(SelectObject(dc, object)) {
  if (!old_ || old_ == HGDI_ERROR) {
    old_ = nullptr;
    throw EOutOfResources(L"Cannot select a drawing object");
  }
}

SelectGuard::SelectGuard(SelectGuard&& other) noexcept
    : dc_(other.dc_), old_(std::exchange(other.old_, nullptr)) {}

SelectGuard::~SelectGuard() {
  if (old_) SelectObject(dc_, old_);
}

PaletteGuard::PaletteGuard(HDC dc, HPALETTE palette, bool background, bool realize) : dc_(dc) {
  if (!palette) return;
  old_ = SelectPalette(dc, palette, background ? TRUE : FALSE);
  if (old_ && realize) RealizePalette(dc);
}

PaletteGuard::~PaletteGuard() {
  if (old_) SelectPalette(dc_, old_, TRUE);
}

// --- device contexts ---

void DCHolder::Own(HDC dc) {
  if (!dc) throw EOutOfResources(L"Cannot get a device context");
  dc_ = dc;
  GdiCounters::Add(GdiKind::DC);
}

void DCHolder::Disown() {
  if (dc_) GdiCounters::Remove(GdiKind::DC);
  dc_ = nullptr;
}

MemoryDC::MemoryDC(HDC compatible) { Own(CreateCompatibleDC(compatible)); }

MemoryDC::~MemoryDC() {
  HDC dc = dc_;
  Disown();
  DeleteDC(dc);
}

ClientDC::ClientDC(HWND window) : wnd_(window) { Own(GetDC(window)); }

ClientDC::~ClientDC() {
  HDC dc = dc_;
  Disown();
  ReleaseDC(wnd_, dc);
}

WindowDC::WindowDC(HWND window) : wnd_(window) { Own(GetWindowDC(window)); }

WindowDC::~WindowDC() {
  HDC dc = dc_;
  Disown();
  ReleaseDC(wnd_, dc);
}

PaintDC::PaintDC(HWND window) : wnd_(window) { Own(BeginPaint(window, &ps_)); }

PaintDC::~PaintDC() {
  Disown();
  EndPaint(wnd_, &ps_);
}

SavedDC::SavedDC(HDC dc) : dc_(dc), id_(SaveDC(dc)) {
  if (id_ == 0) throw EOutOfResources(L"Cannot save the device context state");
}

SavedDC::~SavedDC() { RestoreDC(dc_, id_); }

// --- clipping ---

void ClipRegionGuard::SaveClip() {
  GdiRegion current(CreateRectRgn(0, 0, 0, 0));
  if (!current) throw EOutOfResources(L"Cannot create a region");
  // 1: the DC has a clip region (copied into current); 0: none.
  if (GetClipRgn(dc_, current.Get()) == 1) saved_ = std::move(current);
}

ClipRegionGuard::ClipRegionGuard(HDC dc, HRGN region, int mode) : dc_(dc) {
  SaveClip();
  ExtSelectClipRgn(dc_, region, mode);
}

ClipRegionGuard::ClipRegionGuard(HDC dc, const RECT& logical, int mode) : dc_(dc) {
  SaveClip();
  if (mode == RGN_COPY) SelectClipRgn(dc_, nullptr);
  IntersectClipRect(dc_, logical.left, logical.top, logical.right, logical.bottom);
}

ClipRegionGuard::~ClipRegionGuard() { SelectClipRgn(dc_, saved_.Get()); }

// --- device-independent bitmaps ---

BITMAPINFO TopDownDib32Info(int width, int height) {
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;  // negative: top-down
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  return info;
}

GdiBitmap CreateDib32(int width, int height, void** bits, HDC dc) {
  const BITMAPINFO info = TopDownDib32Info(width, height);
  return GdiBitmap(CreateDIBSection(dc, &info, DIB_RGB_COLORS, bits, nullptr, 0));
}

// --- double buffering ---

OffscreenBuffer::OffscreenBuffer(HDC target, int width, int height, BufferFormat format)
    : width_(width > 0 ? width : 1), height_(height > 0 ? height : 1), dc_(target) {
  if (format == BufferFormat::Dib32) {
    void* bits = nullptr;
    bitmap_ = CreateDib32(width_, height_, &bits, dc_.Get());
    if (!bitmap_) throw EOutOfResources(L"Cannot create an off-screen bitmap");
    select_ = std::make_unique<SelectGuard>(dc_.Get(), bitmap_.Get());
    return;
  }
  // A DC from CreateCompatibleDC starts with a 1x1 monochrome bitmap, so the
  // bitmap must be compatible with the target, not with the memory DC.
  HDC reference = target;
  std::unique_ptr<ClientDC> screen;
  if (reference && GetObjectType(reference) == OBJ_MEMDC) {
    // A memory DC with nothing but its initial 1x1 bitmap would give a
    // monochrome buffer; take the screen's format then.
    BITMAP bm{};
    HGDIOBJ current = GetCurrentObject(reference, OBJ_BITMAP);
    if (!current || GetObjectW(current, sizeof bm, &bm) == 0 || (bm.bmWidth == 1 && bm.bmHeight == 1))
      reference = nullptr;
  }
  if (!reference) {
    screen = std::make_unique<ClientDC>(nullptr);
    reference = screen->Get();
  }
  bitmap_.Reset(CreateCompatibleBitmap(reference, width_, height_));
  if (!bitmap_) throw EOutOfResources(L"Cannot create an off-screen bitmap");
  select_ = std::make_unique<SelectGuard>(dc_.Get(), bitmap_.Get());
}

OffscreenBuffer::~OffscreenBuffer() { DetachCanvas(); }

TCanvas& OffscreenBuffer::Canvas() {
  if (!canvas_) canvas_ = std::make_unique<TCanvas>(dc_.Get());
  return *canvas_;
}

void OffscreenBuffer::DetachCanvas() {
  if (canvas_) canvas_->Detach();
}

void OffscreenBuffer::CopyTo(HDC target, int x, int y) const {
  BitBlt(target, x, y, width_, height_, dc_.Get(), 0, 0, SRCCOPY);
}

void OffscreenBuffer::CopyRectTo(HDC target, const RECT& part) const {
  BitBlt(target, part.left, part.top, part.right - part.left, part.bottom - part.top, dc_.Get(),
         part.left, part.top, SRCCOPY);
}

}  // namespace fw
