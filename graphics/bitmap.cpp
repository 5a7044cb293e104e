#include "graphics/bitmap.h"

#include <algorithm>
#include <cstring>
#include <string>

#include "graphics/canvas.h"
#include "graphics/graphics_errors.h"

namespace fw {

// The picture's canvas: makes its DC on demand and reports drawing as a
// change of the picture.
class TBitmapCanvas : public TCanvas {
 public:
  explicit TBitmapCanvas(TBitmap& owner) : owner_(owner) {}

 protected:
  void CreateHandle() override { owner_.CreateCanvasDC(); }
  void Changed() override {
    TCanvas::Changed();
    owner_.Changed();
  }

 private:
  TBitmap& owner_;
};

struct TBitmap::Image {
  GdiBitmap bitmap;
  GdiPalette palette;
  void* bits = nullptr;
  std::vector<RGBQUAD> colors;
  int width = 0;
  int height = 0;
  TPixelFormat format = pfDevice;
};

namespace {

[[noreturn]] void Invalid() { throw EInvalidGraphic(L"Bitmap image is not valid"); }

// Limits that keep size arithmetic far from overflow and refuse absurd files.
constexpr std::int64_t kMaxSide = 32767;
constexpr std::int64_t kMaxPixels = 64 * 1024 * 1024;

int BitsPerPixel(TPixelFormat f) {
  switch (f) {
    case pf1bit: return 1;
    case pf4bit: return 4;
    case pf8bit: return 8;
    case pf15bit:
    case pf16bit: return 16;
    case pf24bit: return 24;
    default: return 32;
  }
}

std::size_t Stride(int width, int bpp) {
  return ((static_cast<std::size_t>(width) * static_cast<std::size_t>(bpp) + 31) / 32) * 4;
}

RGBQUAD Quad(BYTE r, BYTE g, BYTE b) { return RGBQUAD{b, g, r, 0}; }

// Colour table for a palettized format when the picture has none of its own.
std::vector<RGBQUAD> StandardColors(int bpp) {
  std::vector<RGBQUAD> c;
  if (bpp == 1) {
    c = {Quad(0, 0, 0), Quad(255, 255, 255)};
  } else if (bpp == 4) {
    c = {Quad(0, 0, 0),       Quad(128, 0, 0),   Quad(0, 128, 0),   Quad(128, 128, 0),
         Quad(0, 0, 128),     Quad(128, 0, 128), Quad(0, 128, 128), Quad(192, 192, 192),
         Quad(128, 128, 128), Quad(255, 0, 0),   Quad(0, 255, 0),   Quad(255, 255, 0),
         Quad(0, 0, 255),     Quad(255, 0, 255), Quad(0, 255, 255), Quad(255, 255, 255)};
  } else if (bpp == 8) {
    ClientDC screen(nullptr);
    GdiPalette halftone(CreateHalftonePalette(screen));
    PALETTEENTRY entries[256]{};
    UINT n = halftone ? GetPaletteEntries(halftone.Get(), 0, 256, entries) : 0;
    for (UINT i = 0; i < n; ++i) c.push_back(Quad(entries[i].peRed, entries[i].peGreen, entries[i].peBlue));
  }
  c.resize(std::size_t{1} << bpp, RGBQUAD{0, 0, 0, 0});
  return c;
}

GdiPalette PaletteFrom(const RGBQUAD* colors, std::size_t count) {
  if (count == 0) return GdiPalette();
  count = std::min<std::size_t>(count, 256);
  std::vector<std::byte> buf(sizeof(LOGPALETTE) + count * sizeof(PALETTEENTRY));
  // LOGPALETTE ends in a one-entry array; the buffer has room for them all.
  auto* lp = reinterpret_cast<LOGPALETTE*>(buf.data());
  lp->palVersion = 0x300;
  lp->palNumEntries = static_cast<WORD>(count);
  for (std::size_t i = 0; i < count; ++i)
    lp->palPalEntry[i] = PALETTEENTRY{colors[i].rgbRed, colors[i].rgbGreen, colors[i].rgbBlue, 0};
  GdiPalette p(CreatePalette(lp));
  if (!p) throw EOutOfResources(L"Cannot create a palette");
  return p;
}

// BITMAPINFO with room for masks and a full colour table.
struct InfoBuffer {
  std::vector<std::byte> bytes =
      std::vector<std::byte>(sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD) + 3 * sizeof(DWORD));
  // The buffer is laid out as the BITMAPINFO it begins with.
  BITMAPINFO* Info() { return reinterpret_cast<BITMAPINFO*>(bytes.data()); }
  BITMAPINFOHEADER& Header() { return Info()->bmiHeader; }
  std::byte* After() { return bytes.data() + sizeof(BITMAPINFOHEADER); }
};

// The header, then the masks (bit fields) or the colour table, of a DIB.
void Fill(InfoBuffer& ib, LONG width, LONG height, int bpp, DWORD compression, const DWORD* masks,
          const std::vector<RGBQUAD>& colors) {
  BITMAPINFOHEADER& h = ib.Header();
  h = BITMAPINFOHEADER{};
  h.biSize = sizeof(BITMAPINFOHEADER);
  h.biWidth = width;
  h.biHeight = height;
  h.biPlanes = 1;
  h.biBitCount = static_cast<WORD>(bpp);
  h.biCompression = compression;
  if (compression == BI_BITFIELDS) {
    std::memcpy(ib.After(), masks, 3 * sizeof(DWORD));
  } else if (!colors.empty()) {
    h.biClrUsed = static_cast<DWORD>(colors.size());
    std::memcpy(ib.After(), colors.data(), colors.size() * sizeof(RGBQUAD));
  }
}

void Fill(InfoBuffer& ib, int width, int height, TPixelFormat format, const std::vector<RGBQUAD>& colors) {
  static constexpr DWORD k565[3] = {0xF800, 0x07E0, 0x001F};
  Fill(ib, width, height, BitsPerPixel(format), format == pf16bit ? BI_BITFIELDS : BI_RGB, k565, colors);
}

// A blank DIB section; height < 0 makes it top-down. paletteCount: how many
// table entries the palette takes (the rest of the table pads it).
TBitmap::Image MakeImage(int width, int height, TPixelFormat format, std::vector<RGBQUAD> colors,
                         std::size_t paletteCount) {
  TBitmap::Image im;
  const int bpp = BitsPerPixel(format);
  if (bpp <= 8) {
    if (colors.empty()) {
      colors = StandardColors(bpp);
      paletteCount = colors.size();
    }
    colors.resize(std::size_t{1} << bpp, RGBQUAD{0, 0, 0, 0});
    paletteCount = std::min(paletteCount, colors.size());
  } else {
    colors.clear();
  }
  InfoBuffer ib;
  Fill(ib, width, height, format, colors);
  void* bits = nullptr;
  im.bitmap.Reset(CreateDIBSection(nullptr, ib.Info(), DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!im.bitmap || !bits) throw EOutOfResources(L"Cannot create a bitmap");
  im.bits = bits;
  if (bpp <= 8) im.palette = PaletteFrom(colors.data(), paletteCount);
  im.colors = std::move(colors);
  im.width = width;
  im.height = height < 0 ? -height : height;
  im.format = format;
  return im;
}

template <class T>
T Read(const std::byte* p) {
  T v;
  std::memcpy(&v, p, sizeof(T));
  return v;
}

// What a DIB's header says, as the loader needs it.
struct DibHeader {
  std::int64_t width = 0, height = 0;  // height < 0: top-down rows
  int bpp = 0;
  DWORD compression = BI_RGB;
  DWORD clrUsed = 0;
  DWORD sizeImage = 0;
  DWORD masks[3] = {0, 0, 0};
  std::size_t entrySize = sizeof(RGBQUAD);  // of one colour-table entry
  std::size_t tableOffset = 0;              // where the colour table starts
  bool TopDown() const { return height < 0; }
  std::int64_t Rows() const { return TopDown() ? -height : height; }
  bool Rle() const { return compression == BI_RLE8 || compression == BI_RLE4; }
};

// The core or info header; bit-field masks come from the header when it has
// room for them, else from right after it (and the colour table moves on).
DibHeader ReadHeader(const std::byte* info, std::size_t infoSize) {
  if (infoSize < sizeof(BITMAPCOREHEADER)) Invalid();
  const DWORD hsize = Read<DWORD>(info);
  if (hsize > infoSize) Invalid();
  DibHeader d;
  d.tableOffset = hsize;
  if (hsize == sizeof(BITMAPCOREHEADER)) {
    auto h = Read<BITMAPCOREHEADER>(info);
    if (h.bcPlanes != 1) Invalid();
    d.width = h.bcWidth;
    d.height = h.bcHeight;
    d.bpp = h.bcBitCount;
    d.entrySize = sizeof(RGBTRIPLE);
    return d;
  }
  if (hsize < sizeof(BITMAPINFOHEADER)) Invalid();
  auto h = Read<BITMAPINFOHEADER>(info);
  if (h.biPlanes != 1) Invalid();
  d.width = h.biWidth;
  d.height = h.biHeight;
  d.bpp = h.biBitCount;
  d.compression = h.biCompression;
  d.clrUsed = h.biClrUsed;
  d.sizeImage = h.biSizeImage;
  if (d.compression == BI_BITFIELDS) {
    if (hsize >= sizeof(BITMAPINFOHEADER) + sizeof d.masks) {
      std::memcpy(d.masks, info + sizeof(BITMAPINFOHEADER), sizeof d.masks);
    } else {
      if (infoSize < hsize + sizeof d.masks) Invalid();
      std::memcpy(d.masks, info + hsize, sizeof d.masks);
      d.tableOffset += sizeof d.masks;
    }
  }
  return d;
}

// Refuses sizes, depths and compressions the loader does not take.
void CheckHeader(const DibHeader& d) {
  const std::int64_t rows = d.Rows();
  if (d.width <= 0 || rows <= 0 || d.width > kMaxSide || rows > kMaxSide || d.width * rows > kMaxPixels) Invalid();
  if (d.bpp != 1 && d.bpp != 4 && d.bpp != 8 && d.bpp != 16 && d.bpp != 24 && d.bpp != 32) Invalid();
  if (d.compression == BI_RLE8 && d.bpp != 8) Invalid();
  if (d.compression == BI_RLE4 && d.bpp != 4) Invalid();
  if (d.compression == BI_BITFIELDS && d.bpp != 16 && d.bpp != 32) Invalid();
  if (d.compression != BI_RGB && !d.Rle() && d.compression != BI_BITFIELDS) Invalid();
  if (d.Rle() && d.TopDown()) Invalid();
}

struct ColorTable {
  std::vector<RGBQUAD> colors;  // palettized formats only, at most 1 << bpp
  std::size_t bytes = 0;        // the table's length in the DIB
};

// Palettized formats always have a table (all entries unless biClrUsed says
// fewer); others may carry an optional one, which is skipped.
ColorTable ReadColorTable(const std::byte* info, std::size_t infoSize, const DibHeader& d) {
  const std::size_t depthColors = std::size_t{1} << std::min(d.bpp, 8);
  std::size_t count = d.clrUsed;
  if (d.bpp <= 8 && count == 0) count = depthColors;
  if (count > 256 && d.bpp <= 8) Invalid();
  if (count > 4096) Invalid();
  ColorTable table;
  table.bytes = count * d.entrySize;
  if (d.tableOffset + table.bytes > infoSize) Invalid();
  if (d.bpp <= 8) {
    table.colors.resize(std::min(count, depthColors));
    for (std::size_t i = 0; i < table.colors.size(); ++i) {
      const std::byte* e = info + d.tableOffset + i * d.entrySize;
      table.colors[i] = RGBQUAD{std::to_integer<BYTE>(e[0]), std::to_integer<BYTE>(e[1]),
                                std::to_integer<BYTE>(e[2]), 0};
    }
  }
  return table;
}

// The format the picture is kept in, and whether the pixels can be copied
// as they are (otherwise GDI converts them).
struct Storage {
  TPixelFormat format = pf32bit;
  bool direct = false;
};

Storage ChooseStorage(const DibHeader& d) {
  const bool plain = d.compression == BI_RGB;
  auto masksAre = [&](DWORD r, DWORD g, DWORD b) {
    return d.compression == BI_BITFIELDS && d.masks[0] == r && d.masks[1] == g && d.masks[2] == b;
  };
  switch (d.bpp) {
    case 1: return {pf1bit, plain};
    case 4: return {pf4bit, plain};
    case 8: return {pf8bit, plain};
    case 24: return {pf24bit, plain};
    case 16:
      if (masksAre(0xF800, 0x07E0, 0x001F)) return {pf16bit, true};
      if (masksAre(0x7C00, 0x03E0, 0x001F)) return {pf15bit, true};
      // Without masks 5-5-5; unusual masks are converted to 32 bits by GDI.
      return {d.compression == BI_BITFIELDS ? pf32bit : pf15bit, plain};
    default: return {pf32bit, plain || masksAre(0xFF0000, 0xFF00, 0xFF)};
  }
}

// RLE and unusual bit fields: GDI decodes them into the new section.
void DecodeWithGdi(HBITMAP target, const DibHeader& d, const std::vector<RGBQUAD>& colors,
                   const std::byte* bits, std::size_t bitsSize, std::size_t needed) {
  DWORD sizeImage = d.sizeImage;
  if (d.Rle()) {
    if (sizeImage == 0 || sizeImage > bitsSize) sizeImage = static_cast<DWORD>(bitsSize);
  } else if (bitsSize < needed) {
    Invalid();
  }
  InfoBuffer src;
  Fill(src, static_cast<LONG>(d.width), static_cast<LONG>(d.height), d.bpp, d.compression, d.masks, colors);
  src.Header().biSizeImage = d.Rle() ? sizeImage : 0;
  MemoryDC screen;  // only the colour table is read from it
  if (SetDIBits(screen, target, 0, static_cast<UINT>(d.Rows()), bits, src.Info(), DIB_RGB_COLORS) == 0)
    Invalid();
}

}  // namespace

TBitmap::TBitmap() = default;

TBitmap::TBitmap(int width, int height) { SetSize(width, height); }

TBitmap::~TBitmap() { ReleaseCanvasDC(); }

void TBitmap::Changed() {
  scaled_.reset();
  if (OnChange) OnChange();
}

void TBitmap::CreateCanvasDC() {
  if (canvasDC_) return;
  auto dc = std::make_unique<MemoryDC>(nullptr);
  std::unique_ptr<SelectGuard> select;
  std::unique_ptr<PaletteGuard> palette;
  if (bitmap_) select = std::make_unique<SelectGuard>(dc->Get(), bitmap_.Get());
  if (palette_) palette = std::make_unique<PaletteGuard>(dc->Get(), palette_.Get(), true, true);
  canvasDC_ = std::move(dc);
  canvasSelect_ = std::move(select);
  canvasPalette_ = std::move(palette);
  canvas_->SetHandle(canvasDC_->Get());
}

void TBitmap::ReleaseCanvasDC() {
  if (canvas_) canvas_->Detach();
  canvasPalette_.reset();
  canvasSelect_.reset();
  canvasDC_.reset();
}

TCanvas& TBitmap::Canvas() {
  if (!canvas_) canvas_ = std::make_unique<TBitmapCanvas>(*this);
  return *canvas_;
}

HDC TBitmap::SourceDC() {
  // Pending drawing through other DCs must reach the bits first.
  GdiFlush();
  return Canvas().Handle();
}

void TBitmap::Replace(Image&& image) {
  // The old picture must leave the canvas DC before it can be deleted.
  ReleaseCanvasDC();
  bitmap_ = std::move(image.bitmap);
  palette_ = std::move(image.palette);
  bits_ = image.bits;
  colors_ = std::move(image.colors);
  width_ = image.width;
  height_ = image.height;
  format_ = image.format;
}

void TBitmap::Clear() {
  if (!bitmap_ && width_ == 0 && height_ == 0) return;
  Image empty;
  empty.format = format_;
  Replace(std::move(empty));
  Changed();
}

void TBitmap::SetSize(int width, int height) {
  if (width < 0) width = 0;
  if (height < 0) height = 0;
  if (width == width_ && height == height_) return;
  if (width == 0 || height == 0) {
    // An empty picture keeps its size so it can grow again in the other
    // direction, like the other setters expect.
    Image empty;
    empty.format = format_;
    Replace(std::move(empty));
    width_ = width;
    height_ = height;
    Changed();
    return;
  }
  if (static_cast<std::int64_t>(width) > kMaxSide || static_cast<std::int64_t>(height) > kMaxSide)
    throw EOutOfResources(L"Bitmap too large");
  Image im = MakeImage(width, height, format_, colors_, palette_ ? colors_.size() : 0);
  {
    MemoryDC dc(nullptr);
    SelectGuard sel(dc, im.bitmap.Get());
    // New area white, the old picture kept at the top left.
    GdiBrush white(CreateSolidBrush(RGB(255, 255, 255)));
    RECT all{0, 0, width, height};
    ::FillRect(dc, &all, white.Get());
    if (bitmap_ && !Empty())
      BitBlt(dc, 0, 0, std::min(width, width_), std::min(height, height_), SourceDC(), 0, 0, SRCCOPY);
  }
  Replace(std::move(im));
  Changed();
}

void TBitmap::SetPixelFormat(TPixelFormat format) {
  if (format == format_) return;
  if (Empty()) {
    format_ = format;
    return;
  }
  std::vector<RGBQUAD> colors;
  std::size_t count = 0;
  if (BitsPerPixel(format) <= 8 && colors_.size() == (std::size_t{1} << BitsPerPixel(format))) {
    colors = colors_;
    count = colors.size();
  }
  Image im = MakeImage(width_, height_, format, std::move(colors), count);
  {
    MemoryDC dc(nullptr);
    SelectGuard sel(dc, im.bitmap.Get());
    BitBlt(dc, 0, 0, width_, height_, SourceDC(), 0, 0, SRCCOPY);
  }
  Replace(std::move(im));
  Changed();
}

void TBitmap::LoadFromMemory(std::span<const std::byte> bytes) { LoadFromMemory(bytes.data(), bytes.size()); }

void TBitmap::LoadFromMemory(const void* data, std::size_t size) {
  const auto* p = static_cast<const std::byte*>(data);
  if (!p || size < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPCOREHEADER)) Invalid();
  auto file = Read<BITMAPFILEHEADER>(p);
  if (file.bfType != 0x4D42) Invalid();  // "BM"
  const std::byte* info = p + sizeof(BITMAPFILEHEADER);
  const std::size_t infoSize = size - sizeof(BITMAPFILEHEADER);
  // The pixel offset of the file header, when it points inside the file past
  // the info header; otherwise the pixels follow the colour table.
  const std::byte* bits = nullptr;
  std::size_t bitsSize = 0;
  const DWORD hsize = Read<DWORD>(info);
  if (file.bfOffBits >= sizeof(BITMAPFILEHEADER) + hsize && file.bfOffBits < size) {
    bits = p + file.bfOffBits;
    bitsSize = size - file.bfOffBits;
  }
  LoadDib(info, infoSize, bits, bitsSize);
}

void TBitmap::LoadFromResourceName(HINSTANCE module, const wchar_t* name) {
  HRSRC res = FindResourceW(module, name, RT_BITMAP);
  HGLOBAL global = res ? LoadResource(module, res) : nullptr;
  const void* data = global ? LockResource(global) : nullptr;
  if (!data) {
    // An integer resource id travels in the name's pointer (MAKEINTRESOURCE).
    std::wstring id = IS_INTRESOURCE(name)
                          ? std::to_wstring(reinterpret_cast<ULONG_PTR>(name))
                          : std::wstring(name);
    throw EResNotFound(L"Resource " + id + L" not found");
  }
  // RT_BITMAP holds the info header, colours and pixels; no file header.
  LoadDib(static_cast<const std::byte*>(data), SizeofResource(module, res), nullptr, 0);
}

void TBitmap::LoadFromResourceID(HINSTANCE module, int id) {
  LoadFromResourceName(module, MAKEINTRESOURCEW(id));
}

void TBitmap::LoadDib(const std::byte* info, std::size_t infoSize, const std::byte* bits,
                      std::size_t bitsSize) {
  const DibHeader d = ReadHeader(info, infoSize);
  CheckHeader(d);
  const ColorTable table = ReadColorTable(info, infoSize, d);
  if (!bits) {  // the pixels follow the colour table
    const std::size_t offset = d.tableOffset + table.bytes;
    bits = info + offset;
    bitsSize = infoSize - offset;
  }
  const Storage storage = ChooseStorage(d);
  const int width = static_cast<int>(d.width);
  const std::size_t needed = Stride(width, d.bpp) * static_cast<std::size_t>(d.Rows());
  // Copied pixels need the source's row order; GDI decodes into a bottom-up section.
  Image im = MakeImage(width, static_cast<int>(storage.direct ? d.height : d.Rows()), storage.format,
                       table.colors, table.colors.size());
  if (storage.direct) {
    if (bitsSize < needed) Invalid();
    std::memcpy(im.bits, bits, needed);
  } else {
    DecodeWithGdi(im.bitmap.Get(), d, table.colors, bits, bitsSize, needed);
  }
  Replace(std::move(im));
  Changed();
}

void TBitmap::LoadFromHandle(HBITMAP source) {
  BITMAP bm{};
  if (!source || GetObjectW(source, sizeof bm, &bm) == 0) throw EInvalidGraphic(L"Bitmap handle is not valid");
  const int bpp = bm.bmBitsPixel * bm.bmPlanes;
  TPixelFormat format = bpp == 1 ? pf1bit : bpp == 4 ? pf4bit : bpp == 8 ? pf8bit : bpp == 24 ? pf24bit : pf32bit;
  InfoBuffer ib;
  Fill(ib, bm.bmWidth, bm.bmHeight, format, {});
  if (bpp <= 8) ib.Header().biClrUsed = 0;
  MemoryDC screen;
  std::vector<RGBQUAD> colors;
  if (bpp <= 8) {
    // First call fills in the source's colour table.
    if (GetDIBits(screen, source, 0, 0, nullptr, ib.Info(), DIB_RGB_COLORS) == 0) Invalid();
    const std::size_t n = std::size_t{1} << BitsPerPixel(format);
    // The colour table follows the header in the same buffer.
    colors.assign(reinterpret_cast<RGBQUAD*>(ib.After()), reinterpret_cast<RGBQUAD*>(ib.After()) + n);
    Fill(ib, bm.bmWidth, bm.bmHeight, format, colors);
  }
  Image im = MakeImage(bm.bmWidth, bm.bmHeight, format, colors, colors.size());
  if (GetDIBits(screen, source, 0, static_cast<UINT>(bm.bmHeight), im.bits, ib.Info(), DIB_RGB_COLORS) == 0)
    Invalid();
  Replace(std::move(im));
  Changed();
}

std::vector<std::byte> TBitmap::SaveToMemory() const {
  if (!bitmap_ || !bits_) return {};
  GdiFlush();
  DIBSECTION ds{};
  GetObjectW(bitmap_.Get(), sizeof ds, &ds);
  const BITMAPINFOHEADER& h = ds.dsBmih;
  const std::size_t masks = h.biCompression == BI_BITFIELDS ? 3 * sizeof(DWORD) : 0;
  const std::size_t table = colors_.size() * sizeof(RGBQUAD);
  const std::size_t pixels = Stride(width_, h.biBitCount) * static_cast<std::size_t>(height_);
  const std::size_t offBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + masks + table;
  std::vector<std::byte> out(offBits + pixels);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfSize = static_cast<DWORD>(out.size());
  file.bfOffBits = static_cast<DWORD>(offBits);
  BITMAPINFOHEADER info = h;
  info.biSize = sizeof(BITMAPINFOHEADER);
  info.biSizeImage = static_cast<DWORD>(pixels);
  info.biClrUsed = static_cast<DWORD>(colors_.size());
  std::byte* p = out.data();
  std::memcpy(p, &file, sizeof file);
  p += sizeof file;
  std::memcpy(p, &info, sizeof info);
  p += sizeof info;
  if (masks) {
    std::memcpy(p, ds.dsBitfields, masks);
    p += masks;
  }
  if (table) {
    std::memcpy(p, colors_.data(), table);
    p += table;
  }
  std::memcpy(p, bits_, pixels);
  return out;
}

void TBitmap::Assign(const TBitmap& source) {
  if (&source == this) return;
  transparentColor_ = source.transparentColor_;
  transparentMode_ = source.transparentMode_;
  transparent_ = source.transparent_;
  if (!source.bitmap_) {
    Image empty;
    empty.format = source.format_;
    Replace(std::move(empty));
    width_ = source.width_;
    height_ = source.height_;
    Changed();
    return;
  }
  GdiFlush();
  DIBSECTION ds{};
  GetObjectW(source.bitmap_.Get(), sizeof ds, &ds);
  const bool topDown = ds.dsBmih.biHeight < 0;
  std::size_t paletteCount = 0;
  std::vector<RGBQUAD> colors = source.colors_;
  if (source.palette_) paletteCount = static_cast<std::size_t>(GetPaletteEntries(source.palette_.Get(), 0, 0, nullptr));
  Image im = MakeImage(source.width_, topDown ? -source.height_ : source.height_, source.format_,
                       std::move(colors), paletteCount);
  std::memcpy(im.bits, source.bits_, Stride(source.width_, BitsPerPixel(source.format_)) *
                                         static_cast<std::size_t>(source.height_));
  Replace(std::move(im));
  Changed();
}

TColor TBitmap::TransparentColor() {
  if (transparentMode_ == tmFixed) return transparentColor_;
  if (Empty() || !bitmap_) return clDefault;
  return Canvas().Pixel(0, height_ - 1);
}

void TBitmap::SetTransparentColor(TColor color) {
  if (transparentMode_ == tmFixed && color == transparentColor_) return;
  transparentColor_ = color;
  transparentMode_ = color == clDefault ? tmAuto : tmFixed;
  Changed();
}

void TBitmap::SetTransparentMode(TTransparentMode mode) {
  if (mode == transparentMode_) return;
  if (mode == tmAuto) {
    transparentColor_ = clDefault;
    transparentMode_ = tmAuto;
  } else {
    // Fixing the mode keeps the colour in use now.
    TColor now = TransparentColor();
    transparentMode_ = tmFixed;
    transparentColor_ = now;
  }
  Changed();
}

void TBitmap::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  Changed();
}

}  // namespace fw
