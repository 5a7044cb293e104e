#include "controls/glyph_list.h"

#include <algorithm>
#include <stdexcept>

#include "controls/image_list_api.h"
#include "graphics/gdi.h"
#include "graphics/graphics_errors.h"

namespace skin {

namespace {

// A 24-bit DIB section of the cell with masked pixels blackened, and its
// monochrome mask (white = transparent), as ImageList_Add wants them.
struct CellBitmaps {
  fw::GdiBitmap image;
  fw::GdiBitmap mask;
};

CellBitmaps MakeCell(int w, int h, const std::vector<std::uint32_t>& pixels, COLORREF transparent) {
  CellBitmaps cell;
  void* bits = nullptr;
  cell.image = fw::CreateDib32(w, h, &bits);
  if (!cell.image) throw fw::EOutOfResources(L"Cannot create a glyph cell");
  // Mask rows are word aligned, one bit per pixel, set bit = transparent.
  const int stride = ((w + 15) / 16) * 2;
  std::vector<BYTE> maskBits(static_cast<size_t>(stride) * static_cast<size_t>(h), 0);
  const std::uint32_t key = transparent == CLR_NONE
                                ? 0xFFFFFFFFu
                                : (static_cast<std::uint32_t>(GetRValue(transparent)) << 16) |
                                      (static_cast<std::uint32_t>(GetGValue(transparent)) << 8) |
                                      GetBValue(transparent);
  auto* out = static_cast<std::uint32_t*>(bits);
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) {
      const std::uint32_t p = pixels[static_cast<size_t>(y * w + x)] & 0xFFFFFF;
      if (p == key) {
        out[y * w + x] = 0;
        maskBits[static_cast<size_t>(y * stride + x / 8)] |= static_cast<BYTE>(0x80 >> (x % 8));
      } else {
        out[y * w + x] = p;
      }
    }
  GdiFlush();
  cell.mask.Reset(CreateBitmap(w, h, 1, 1, maskBits.data()));
  if (!cell.mask) throw fw::EOutOfResources(L"Cannot create a glyph mask");
  return cell;
}

TGlyphCache* g_cache = nullptr;
long g_users = 0;

}  // namespace

TGlyphList::TGlyphList(int width, int height)
    : width_(width), height_(height),
      handle_(imagelist::Create(std::max(width, 1), std::max(height, 1), ILC_COLOR24 | ILC_MASK, 4, 4)) {
  if (!handle_) throw fw::EOutOfResources(L"Cannot create a glyph list");
}

TGlyphList::~TGlyphList() { imagelist::Destroy(handle_); }

int TGlyphList::Add(const std::vector<std::uint32_t>& pixels, COLORREF transparent) {
  if (pixels.size() != static_cast<size_t>(width_) * static_cast<size_t>(height_))
    throw std::invalid_argument("glyph cell size");
  CellBitmaps cell = MakeCell(width_, height_, pixels, transparent);
  auto freeSlot = std::find(slots_.begin(), slots_.end(), false);
  int index;
  if (freeSlot != slots_.end()) {
    index = static_cast<int>(freeSlot - slots_.begin());
    if (!imagelist::Replace(handle_, index, cell.image.Get(), cell.mask.Get()))
      throw fw::EOutOfResources(L"Cannot store a glyph cell");
    *freeSlot = true;
  } else {
    index = imagelist::Add(handle_, cell.image.Get(), cell.mask.Get());
    if (index < 0) throw fw::EOutOfResources(L"Cannot store a glyph cell");
    slots_.resize(static_cast<size_t>(index) + 1, false);
    slots_[static_cast<size_t>(index)] = true;
  }
  ++used_;
  return index;
}

void TGlyphList::Delete(int index) {
  if (index < 0 || index >= Capacity() || !slots_[static_cast<size_t>(index)]) return;
  slots_[static_cast<size_t>(index)] = false;
  --used_;
}

void TGlyphList::Draw(int index, HDC dc, int x, int y) const {
  imagelist::DrawEx(handle_, index, dc, x, y, 0, 0, CLR_NONE, CLR_NONE, ILD_TRANSPARENT);
}

TGlyphList* TGlyphCache::GetList(int width, int height) {
  for (auto& list : lists_)
    if (list->Width() == width && list->Height() == height) return list.get();
  lists_.push_back(std::make_unique<TGlyphList>(width, height));
  return lists_.back().get();
}

void TGlyphCache::ReturnList(TGlyphList* list) {
  if (!list || list->Count() > 0) return;
  lists_.erase(std::remove_if(lists_.begin(), lists_.end(),
                              [list](const std::unique_ptr<TGlyphList>& l) { return l.get() == list; }),
               lists_.end());
}

TGlyphCache* TGlyphCache::Instance() { return g_cache; }

void TGlyphCache::AddUser() {
  if (g_users++ == 0) g_cache = new TGlyphCache;
}

void TGlyphCache::RemoveUser() {
  if (--g_users == 0) {
    delete g_cache;
    g_cache = nullptr;
  }
}

}  // namespace skin
