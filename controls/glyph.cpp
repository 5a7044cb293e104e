#include "controls/glyph.h"

#include "controls/glyph_list.h"
#include "graphics/canvas.h"
#include "graphics/gdi.h"
#include "graphics/resample.h"

namespace skin {

namespace {

std::uint32_t Rgb32(COLORREF c) {
  return (static_cast<std::uint32_t>(GetRValue(c)) << 16) | (static_cast<std::uint32_t>(GetGValue(c)) << 8) |
         GetBValue(c);
}

std::uint32_t Sys32(fw::TColor c) { return Rgb32(fw::ColorToRGB(c)); }

// A real colour for masking, or CLR_NONE.
COLORREF MaskColor(fw::TColor c) {
  if (c == fw::clDefault || c == fw::clNone) return CLR_NONE;
  return fw::ColorToRGB(c);
}

}  // namespace

TGlyph::TGlyph() {
  TGlyphCache::AddUser();
  // Drawing on the picture in place makes the cells stale.
  bitmap_.OnChange = [this] {
    ReleaseCells();
    Changed();
  };
}

TGlyph::~TGlyph() {
  ReleaseCells();
  TGlyphCache::RemoveUser();
}

void TGlyph::SetBitmap(const fw::TBitmap& bitmap) {
  ReleaseCells();
  auto notify = std::move(bitmap_.OnChange);
  bitmap_.OnChange = nullptr;
  struct Restore {
    fw::TBitmap& b;
    std::function<void()>& f;
    ~Restore() { b.OnChange = std::move(f); }
  } restore{bitmap_, notify};
  bitmap_.Assign(bitmap);
  transparentColor_ = bitmap_.Empty() ? fw::clDefault : bitmap_.TransparentColor();
  if (!bitmap_.Empty() && bitmap_.Width() % bitmap_.Height() == 0) {
    const int cells = bitmap_.Width() / bitmap_.Height();
    numGlyphs_ = cells < 5 ? cells : 1;
  }
  Changed();
}

void TGlyph::SetNumGlyphs(int value) {
  if (value < 1 || value > 4 || value == numGlyphs_) return;
  ReleaseCells();
  numGlyphs_ = value;
  Changed();
}

void TGlyph::SetDpi(int dpi) {
  if (dpi <= 0) dpi = fw::kDesignDpi;
  if (dpi == dpi_) return;
  ReleaseCells();
  dpi_ = dpi;
}

SIZE TGlyph::DesignCellSize() const {
  if (bitmap_.Empty()) return SIZE{0, 0};
  return SIZE{bitmap_.Width() / numGlyphs_, bitmap_.Height()};
}

SIZE TGlyph::CellSize() const {
  const SIZE design = DesignCellSize();
  return SIZE{fw::ScaleToDpi(design.cx, dpi_), fw::ScaleToDpi(design.cy, dpi_)};
}

SIZE TGlyph::PictureSize() const {
  return SIZE{fw::ScaleToDpi(bitmap_.Width(), dpi_), fw::ScaleToDpi(bitmap_.Height(), dpi_)};
}

void TGlyph::Draw(HDC dc, int x, int y, bool enabled) {
  if (bitmap_.Empty()) return;
  const SIZE size = CellSize();
  if (size.cx <= 0 || size.cy <= 0) return;
  const int index = CellIndex(enabled ? kEnabled : kDisabled);
  list_->Draw(index, dc, x, y);
}

void TGlyph::DrawAsOneCell(HDC dc, int x, int y, bool enabled) const {
  TGlyph whole;
  whole.bitmap_.Assign(bitmap_);
  whole.transparentColor_ = transparentColor_;
  whole.dpi_ = dpi_;
  whole.Draw(dc, x, y, enabled);
}

int TGlyph::CellIndex(Cell cell) {
  if (indexes_[cell] >= 0) return indexes_[cell];
  if (!list_) {
    const SIZE size = CellSize();
    list_ = TGlyphCache::Instance()->GetList(size.cx, size.cy);
  }
  std::vector<std::uint32_t> pixels = ForDpi(cell == kEnabled ? CellPixels(0) : DisabledPixels());
  indexes_[cell] = list_->Add(pixels, MaskColor(transparentColor_));
  return indexes_[cell];
}

std::vector<std::uint32_t> TGlyph::ForDpi(std::vector<std::uint32_t> pixels) {
  const SIZE design = DesignCellSize(), size = CellSize();
  if (design.cx == size.cx && design.cy == size.cy) return pixels;
  const COLORREF transparent = MaskColor(transparentColor_);
  std::optional<std::uint32_t> key;
  if (transparent != CLR_NONE) key = Rgb32(transparent);
  return fw::Resample(fw::PixelImage{design.cx, design.cy, std::move(pixels)}, size.cx, size.cy, key).pixels;
}

// The pixels of one cell of the strip at its design size, read through a
// 32-bit DIB.
std::vector<std::uint32_t> TGlyph::CellPixels(int cell) {
  const SIZE size = DesignCellSize();
  std::vector<std::uint32_t> pixels(static_cast<size_t>(size.cx) * static_cast<size_t>(size.cy));
  void* bits = nullptr;
  fw::MemoryDC dc(nullptr);
  fw::GdiBitmap dib = fw::CreateDib32(size.cx, size.cy, &bits, dc.Get());
  if (!dib) return pixels;
  {
    fw::SelectGuard select(dc.Get(), dib.Get());
    BitBlt(dc.Get(), 0, 0, size.cx, size.cy, bitmap_.Canvas().Handle(), cell * size.cx, 0, SRCCOPY);
    GdiFlush();
    const auto* p = static_cast<const std::uint32_t*>(bits);
    for (size_t i = 0; i < pixels.size(); ++i) pixels[i] = p[i] & 0xFFFFFF;
  }
  return pixels;
}

std::vector<std::uint32_t> TGlyph::DisabledPixels() {
  const SIZE size = DesignCellSize();
  const std::uint32_t face = Sys32(fw::clBtnFace), highlight = Sys32(fw::clBtnHighlight),
                      shadow = Sys32(fw::clBtnShadow);
  const COLORREF transparent = MaskColor(transparentColor_);
  const std::uint32_t key = transparent == CLR_NONE ? 0xFFFFFFFFu : Rgb32(transparent);
  if (numGlyphs_ > 1) {
    // The strip's own disabled cell, in the system's colours.
    std::vector<std::uint32_t> pixels = CellPixels(1);
    for (auto& p : pixels) {
      if (p == key) p = face;
      else if (p == 0xFFFFFF) p = highlight;
      else if (p == 0x808080) p = shadow;
    }
    return pixels;
  }
  // Embossed: the glyph's dark pixels (neither white nor transparent) in
  // highlight one pixel right and down, then in shadow in place.
  const std::vector<std::uint32_t> source = CellPixels(0);
  const int w = size.cx, h = size.cy;
  std::vector<std::uint32_t> pixels(source.size(), face);
  auto dark = [&](int x, int y) {
    const std::uint32_t p = source[static_cast<size_t>(y * w + x)];
    return p != key && p != 0xFFFFFF;
  };
  for (int y = 0; y + 1 < h; ++y)
    for (int x = 0; x + 1 < w; ++x)
      if (dark(x, y)) pixels[static_cast<size_t>((y + 1) * w + x + 1)] = highlight;
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (dark(x, y)) pixels[static_cast<size_t>(y * w + x)] = shadow;
  return pixels;
}

void TGlyph::ReleaseCells() {
  if (!list_) return;
  for (int& index : indexes_) {
    if (index >= 0) list_->Delete(index);
    index = -1;
  }
  if (TGlyphCache* cache = TGlyphCache::Instance()) cache->ReturnList(list_);
  list_ = nullptr;
}

void TGlyph::Changed() {
  if (OnChange) OnChange();
}

}  // namespace skin
