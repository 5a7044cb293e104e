#pragma once
// .bmp file bytes built and read here, independently of the code under test.
#include <windows.h>

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace fwtest {

// For bpp <= 8, pixel(x, y) gives a colour index; for 24 and 32 bits it
// gives a COLORREF. Rows bottom-up unless topDown.
std::vector<std::byte> MakeBmp(int w, int h, int bpp, const std::vector<COLORREF>& palette,
                               const std::function<std::uint32_t(int, int)>& pixel, bool topDown = false);

// An 8-bit palettized picture: its colour table and one index per pixel,
// rows top first.
struct Picture {
  int width = 0, height = 0;
  std::vector<COLORREF> colors;
  std::vector<std::uint8_t> index;
  COLORREF At(int x, int y) const { return colors[index[static_cast<std::size_t>(y) * width + x]]; }
  std::vector<std::byte> Bmp() const;  // as .bmp file bytes
};

// Reads an 8-bit .bmp file's bytes into a Picture.
bool ParseBmp8(const std::vector<std::byte>& bytes, Picture& p);
std::vector<std::byte> ReadFileBytes(const std::string& path);

}  // namespace fwtest
