#pragma once
// Helpers of the effect tests: message pumping, a palettized test picture
// built here from its own formula, pixel capture of real windows, and a
// message counter hooked onto a window through comctl32's subclassing.
#include <windows.h>
#include <commctrl.h>

#include <cstddef>
#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fxtest {

inline void Pump() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

// Pumps for a while so that Wine's X11 side settles (activation, mapping).
inline void Settle(int ms = 60) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  do {
    Pump();
    Sleep(5);
  } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

// An 8-bit palettized picture: its colour table and one index per pixel,
// rows top first.
struct Picture {
  int width = 0, height = 0;
  std::vector<RGBQUAD> colors;
  std::vector<std::uint8_t> index;
  COLORREF At(int x, int y) const {
    const RGBQUAD q = colors[index[static_cast<std::size_t>(y) * width + x]];
    return RGB(q.rgbRed, q.rgbGreen, q.rgbBlue);
  }
};

// 160 x 160 with 256 distinct colours; neighbouring columns and rows differ.
inline Picture MakeTestPicture(int w = 160, int h = 160) {
  Picture p;
  p.width = w;
  p.height = h;
  for (int i = 0; i < 256; ++i)
    p.colors.push_back(RGBQUAD{static_cast<BYTE>((i * 37) & 0xFF), static_cast<BYTE>(255 - i),
                               static_cast<BYTE>(i), 0});
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p.index.push_back(static_cast<std::uint8_t>((x * 3 + y * 17 + x * y) & 0xFF));
  return p;
}

// The picture as .bmp file bytes (bottom-up rows, 4-byte aligned).
inline std::vector<std::byte> ToBmpBytes(const Picture& p) {
  const int stride = (p.width + 3) & ~3;
  const DWORD offBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + 256 * sizeof(RGBQUAD);
  const DWORD size = offBits + static_cast<DWORD>(stride * p.height);
  std::vector<std::byte> out(size);
  BITMAPFILEHEADER fh{};
  fh.bfType = 0x4D42;
  fh.bfSize = size;
  fh.bfOffBits = offBits;
  BITMAPINFOHEADER ih{};
  ih.biSize = sizeof ih;
  ih.biWidth = p.width;
  ih.biHeight = p.height;
  ih.biPlanes = 1;
  ih.biBitCount = 8;
  ih.biClrUsed = 256;
  std::byte* o = out.data();
  memcpy(o, &fh, sizeof fh);
  memcpy(o + sizeof fh, &ih, sizeof ih);
  memcpy(o + sizeof fh + sizeof ih, p.colors.data(), 256 * sizeof(RGBQUAD));
  for (int y = 0; y < p.height; ++y)
    memcpy(o + offBits + static_cast<std::size_t>(p.height - 1 - y) * stride,
           p.index.data() + static_cast<std::size_t>(y) * p.width, static_cast<std::size_t>(p.width));
  return out;
}

// Reads an 8-bit .bmp file's bytes into a Picture (independent of the
// framework's loader).
inline bool ParseBmp8(const std::vector<std::byte>& bytes, Picture& p) {
  if (bytes.size() < sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER)) return false;
  BITMAPFILEHEADER fh;
  BITMAPINFOHEADER ih;
  memcpy(&fh, bytes.data(), sizeof fh);
  memcpy(&ih, bytes.data() + sizeof fh, sizeof ih);
  if (fh.bfType != 0x4D42 || ih.biBitCount != 8 || ih.biCompression != BI_RGB) return false;
  const int colors = ih.biClrUsed ? static_cast<int>(ih.biClrUsed) : 256;
  p.width = ih.biWidth;
  p.height = ih.biHeight < 0 ? -ih.biHeight : ih.biHeight;
  p.colors.resize(256);
  memcpy(p.colors.data(), bytes.data() + sizeof fh + ih.biSize, static_cast<std::size_t>(colors) * sizeof(RGBQUAD));
  const int stride = (p.width + 3) & ~3;
  p.index.resize(static_cast<std::size_t>(p.width) * p.height);
  for (int y = 0; y < p.height; ++y) {
    const int row = ih.biHeight < 0 ? y : p.height - 1 - y;
    memcpy(p.index.data() + static_cast<std::size_t>(y) * p.width,
           bytes.data() + fh.bfOffBits + static_cast<std::size_t>(row) * stride, static_cast<std::size_t>(p.width));
  }
  return true;
}

inline std::vector<std::byte> ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> raw((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  std::vector<std::byte> out(raw.size());
  memcpy(out.data(), raw.data(), raw.size());
  return out;
}

// A 32-bit top-down memory surface with a DC, for rendering and reading.
class Surface {
 public:
  Surface(int w, int h, COLORREF fill = RGB(1, 2, 3)) : w_(w), h_(h) {
    BITMAPINFO bi{};
    bi.bmiHeader.biSize = sizeof bi.bmiHeader;
    bi.bmiHeader.biWidth = w;
    bi.bmiHeader.biHeight = -h;
    bi.bmiHeader.biPlanes = 1;
    bi.bmiHeader.biBitCount = 32;
    dc_ = CreateCompatibleDC(nullptr);
    bmp_ = CreateDIBSection(dc_, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&bits_), nullptr, 0);
    old_ = SelectObject(dc_, bmp_);
    Fill(fill);
  }
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;
  ~Surface() {
    SelectObject(dc_, old_);
    DeleteObject(bmp_);
    DeleteDC(dc_);
  }
  HDC DC() const { return dc_; }
  int Width() const { return w_; }
  int Height() const { return h_; }
  void Fill(COLORREF c) {
    GdiFlush();
    for (int i = 0; i < w_ * h_; ++i) bits_[i] = (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c);
  }
  COLORREF At(int x, int y) const {
    GdiFlush();
    const std::uint32_t v = bits_[static_cast<std::size_t>(y) * w_ + x];
    return RGB((v >> 16) & 0xFF, (v >> 8) & 0xFF, v & 0xFF);
  }
  // Copies a window's client area (as it is on screen) into this surface.
  void CaptureClient(HWND wnd) {
    HDC src = GetDC(wnd);
    BitBlt(dc_, 0, 0, w_, h_, src, 0, 0, SRCCOPY);
    ReleaseDC(wnd, src);
  }

 private:
  int w_, h_;
  HDC dc_ = nullptr;
  HBITMAP bmp_ = nullptr;
  HGDIOBJ old_ = nullptr;
  std::uint32_t* bits_ = nullptr;
};

// Counts messages of one kind reaching a window (through comctl32's
// subclassing, which is separate from the chain under test).
class MessageCounter {
 public:
  MessageCounter(HWND wnd, UINT msg) : wnd_(wnd), msg_(msg) {
    SetWindowSubclass(wnd_, &Proc, reinterpret_cast<UINT_PTR>(this), reinterpret_cast<DWORD_PTR>(this));
  }
  MessageCounter(const MessageCounter&) = delete;
  MessageCounter& operator=(const MessageCounter&) = delete;
  ~MessageCounter() {
    if (IsWindow(wnd_)) RemoveWindowSubclass(wnd_, &Proc, reinterpret_cast<UINT_PTR>(this));
  }
  int Count() const { return count_; }
  void Reset() { count_ = 0; }

 private:
  static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<MessageCounter*>(data);
    if (msg == self->msg_) ++self->count_;
    return DefSubclassProc(wnd, msg, wp, lp);
  }
  HWND wnd_;
  UINT msg_;
  int count_ = 0;
};

}  // namespace fxtest
