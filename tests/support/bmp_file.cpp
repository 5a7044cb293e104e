#include "tests/support/bmp_file.h"

#include <cstring>
#include <fstream>
#include <iterator>

namespace fwtest {

std::vector<std::byte> MakeBmp(int w, int h, int bpp, const std::vector<COLORREF>& palette,
                               const std::function<std::uint32_t(int, int)>& pixel, bool topDown) {
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

std::vector<std::byte> Picture::Bmp() const {
  return MakeBmp(width, height, 8, colors, [this](int x, int y) { return index[static_cast<std::size_t>(y) * width + x]; });
}

bool ParseBmp8(const std::vector<std::byte>& bytes, Picture& p) {
  if (bytes.size() < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)) return false;
  BITMAPFILEHEADER fh;
  BITMAPINFOHEADER ih;
  std::memcpy(&fh, bytes.data(), sizeof fh);
  std::memcpy(&ih, bytes.data() + sizeof fh, sizeof ih);
  if (fh.bfType != 0x4D42 || ih.biBitCount != 8 || ih.biCompression != BI_RGB) return false;
  const int colors = ih.biClrUsed ? static_cast<int>(ih.biClrUsed) : 256;
  p.width = ih.biWidth;
  p.height = ih.biHeight < 0 ? -ih.biHeight : ih.biHeight;
  std::vector<RGBQUAD> table(256);
  std::memcpy(table.data(), bytes.data() + sizeof fh + ih.biSize, static_cast<std::size_t>(colors) * sizeof(RGBQUAD));
  p.colors.clear();
  for (const RGBQUAD& q : table) p.colors.push_back(RGB(q.rgbRed, q.rgbGreen, q.rgbBlue));
  const int stride = (p.width + 3) & ~3;
  p.index.resize(static_cast<std::size_t>(p.width) * p.height);
  for (int y = 0; y < p.height; ++y) {
    const int row = ih.biHeight < 0 ? y : p.height - 1 - y;
    std::memcpy(p.index.data() + static_cast<std::size_t>(y) * p.width,
                bytes.data() + fh.bfOffBits + static_cast<std::size_t>(row) * stride, static_cast<std::size_t>(p.width));
  }
  return true;
}

std::vector<std::byte> ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::byte> out(raw.size());
  std::memcpy(out.data(), raw.data(), raw.size());
  return out;
}

}  // namespace fwtest
