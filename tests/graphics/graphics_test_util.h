#pragma once
// Helpers of the drawing tests: a 32-bit DIB target to render into and read
// back, and .bmp file bytes built here, independently of the code under test.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <functional>
#include <vector>

namespace fwtest {

// A top-down 32-bit DIB section selected into its own memory DC (raw GDI,
// so the counters of the code under test see nothing of it).
class Dib32 {
 public:
  Dib32(int w, int h, COLORREF fill = RGB(255, 255, 255)) : w_(w), h_(h) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    dc_ = CreateCompatibleDC(nullptr);
    bmp_ = CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    bits_ = static_cast<std::uint32_t*>(bits);
    old_ = SelectObject(dc_, bmp_);
    Fill(fill);
  }
  ~Dib32() {
    SelectObject(dc_, old_);
    DeleteObject(bmp_);
    DeleteDC(dc_);
  }
  Dib32(const Dib32&) = delete;
  Dib32& operator=(const Dib32&) = delete;

  HDC dc() const { return dc_; }
  int width() const { return w_; }
  int height() const { return h_; }
  void Fill(COLORREF c) {
    GdiFlush();
    for (int i = 0; i < w_ * h_; ++i) bits_[i] = Pack(c);
  }
  // The pixel as COLORREF (0x00BBGGRR).
  COLORREF At(int x, int y) const {
    GdiFlush();
    std::uint32_t v = bits_[y * w_ + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
  int Count(COLORREF c, const RECT& r) const {
    int n = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < r.right; ++x) n += At(x, y) == c;
    return n;
  }

 private:
  static std::uint32_t Pack(COLORREF c) {
    return (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
  }
  int w_, h_;
  HDC dc_;
  HBITMAP bmp_;
  HGDIOBJ old_;
  std::uint32_t* bits_;
};

// .bmp file bytes. For bpp <= 8, pixel(x, y) gives a colour index; for 24
// and 32 bits it gives a COLORREF. Rows bottom-up unless topDown.
inline std::vector<std::byte> MakeBmp(int w, int h, int bpp, const std::vector<COLORREF>& palette,
                                      const std::function<std::uint32_t(int, int)>& pixel,
                                      bool topDown = false) {
  const int stride = ((w * bpp + 31) / 32) * 4;
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(stride) * h, 0);
  for (int y = 0; y < h; ++y) {
    const int fileRow = topDown ? y : h - 1 - y;
    std::uint8_t* row = pixels.data() + static_cast<std::size_t>(fileRow) * stride;
    for (int x = 0; x < w; ++x) {
      std::uint32_t v = pixel(x, y);
      switch (bpp) {
        case 1: if (v & 1) row[x / 8] |= static_cast<std::uint8_t>(0x80 >> (x % 8)); break;
        case 4: row[x / 2] |= static_cast<std::uint8_t>((x % 2) ? (v & 0xF) : ((v & 0xF) << 4)); break;
        case 8: row[x] = static_cast<std::uint8_t>(v); break;
        case 24:
        case 32: {
          std::uint8_t* p = row + x * (bpp / 8);
          p[0] = GetBValue(v);
          p[1] = GetGValue(v);
          p[2] = GetRValue(v);
          break;
        }
      }
    }
  }
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = w;
  info.biHeight = topDown ? -h : h;
  info.biPlanes = 1;
  info.biBitCount = static_cast<WORD>(bpp);
  info.biCompression = BI_RGB;
  info.biSizeImage = static_cast<DWORD>(pixels.size());
  info.biClrUsed = static_cast<DWORD>(palette.size());
  std::vector<std::uint8_t> table;
  for (COLORREF c : palette) {
    table.push_back(GetBValue(c));
    table.push_back(GetGValue(c));
    table.push_back(GetRValue(c));
    table.push_back(0);
  }
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfOffBits = static_cast<DWORD>(sizeof file + sizeof info + table.size());
  file.bfSize = static_cast<DWORD>(file.bfOffBits + pixels.size());
  std::vector<std::byte> out(file.bfSize);
  std::byte* p = out.data();
  std::memcpy(p, &file, sizeof file);
  p += sizeof file;
  std::memcpy(p, &info, sizeof info);
  p += sizeof info;
  if (!table.empty()) std::memcpy(p, table.data(), table.size());
  p += table.size();
  std::memcpy(p, pixels.data(), pixels.size());
  return out;
}

// The patterns of data/make_test_bitmaps.py (the resource pictures).
inline COLORREF ResPalette4(int i) { return RGB((i * 37 + 11) % 256, (255 - i * 13) % 256, (i * 71 + 5) % 256); }
inline COLORREF ResPalette8(int i) { return RGB((i * 53 + 7) % 256, (i * 29 + 101) % 256, (255 - i) % 256); }
inline int ResIndex4(int x, int y) { return (x * 3 + y * 5) % 16; }
inline int ResIndex8(int x, int y) { return (x * 11 + y * 17) % 200; }

}  // namespace fwtest
