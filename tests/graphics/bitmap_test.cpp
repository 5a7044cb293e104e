// TBitmap: loading .bmp bytes and resources, pixels drawn exactly, palettes,
// copies, resizing, transparency and change notification.
#include <gtest/gtest.h>

#include <cstring>

#include "graphics/bitmap.h"
#include "graphics/canvas.h"
#include "graphics/graphics_errors.h"
#include "graphics_test_util.h"

using namespace fw;
using fwtest::DibSurface;
using fwtest::MakeBmp;

namespace {

std::vector<COLORREF> OddPalette(int n) {
  std::vector<COLORREF> p;
  for (int i = 0; i < n; ++i) p.push_back(RGB((i * 97 + 13) % 256, (i * 59 + 200) % 256, (i * 23 + 77) % 256));
  return p;
}

// Draws the bitmap at (ox, oy) into a fresh target and compares each pixel.
void ExpectDrawnPixels(TBitmap& bmp, const std::function<COLORREF(int, int)>& expected) {
  const int ox = 3, oy = 2;
  DibSurface target(bmp.Width() + 6, bmp.Height() + 4, RGB(1, 2, 3));
  TCanvas canvas(target.DC());
  canvas.Draw(ox, oy, bmp);
  canvas.Detach();
  for (int y = 0; y < bmp.Height(); ++y)
    for (int x = 0; x < bmp.Width(); ++x)
      ASSERT_EQ(target.At(ox + x, oy + y), expected(x, y)) << "pixel " << x << "," << y;
  // Nothing outside the picture.
  EXPECT_EQ(target.At(ox - 1, oy), RGB(1, 2, 3));
  EXPECT_EQ(target.At(ox + bmp.Width(), oy + bmp.Height() - 1), RGB(1, 2, 3));
}

std::vector<PALETTEENTRY> Entries(HPALETTE p) {
  std::vector<PALETTEENTRY> e(GetPaletteEntries(p, 0, 0, nullptr));
  GetPaletteEntries(p, 0, static_cast<UINT>(e.size()), e.data());
  return e;
}

void ExpectPalette(HPALETTE p, const std::vector<COLORREF>& colors) {
  ASSERT_NE(p, nullptr);
  auto e = Entries(p);
  ASSERT_EQ(e.size(), colors.size());
  for (std::size_t i = 0; i < e.size(); ++i)
    EXPECT_EQ(RGB(e[i].peRed, e[i].peGreen, e[i].peBlue), colors[i]) << "entry " << i;
}

}  // namespace

TEST(BitmapLoad, FourBitPalettizedKeepsPaletteAndExactPixels) {
  auto pal = OddPalette(16);
  auto idx = [](int x, int y) { return static_cast<std::uint32_t>((x * 7 + y * 3) % 16); };
  TBitmap bmp;
  bmp.LoadFromMemory(MakeBmp(11, 6, 4, pal, idx));  // odd width: row padding
  EXPECT_EQ(bmp.Width(), 11);
  EXPECT_EQ(bmp.Height(), 6);
  EXPECT_EQ(bmp.PixelFormat(), pf4bit);
  EXPECT_FALSE(bmp.Empty());
  ExpectPalette(bmp.Palette(), pal);
  ExpectDrawnPixels(bmp, [&](int x, int y) { return pal[idx(x, y)]; });
}

TEST(BitmapLoad, EightBitWithShortColourTable) {
  auto pal = OddPalette(40);
  auto idx = [](int x, int y) { return static_cast<std::uint32_t>((x * 5 + y * 13) % 40); };
  TBitmap bmp;
  bmp.LoadFromMemory(MakeBmp(10, 7, 8, pal, idx));
  EXPECT_EQ(bmp.PixelFormat(), pf8bit);
  ExpectPalette(bmp.Palette(), pal);
  ExpectDrawnPixels(bmp, [&](int x, int y) { return pal[idx(x, y)]; });
}

TEST(BitmapLoad, OneBitAndTopDownTwentyFourBit) {
  std::vector<COLORREF> pal{RGB(200, 10, 30), RGB(5, 250, 90)};
  auto idx = [](int x, int y) { return static_cast<std::uint32_t>((x + y) % 2 == 0 || x == 9); };
  TBitmap mono;
  mono.LoadFromMemory(MakeBmp(17, 3, 1, pal, idx));
  EXPECT_EQ(mono.PixelFormat(), pf1bit);
  ExpectDrawnPixels(mono, [&](int x, int y) { return pal[idx(x, y)]; });

  auto rgb = [](int x, int y) { return static_cast<std::uint32_t>(RGB(x * 40, y * 50, 255 - x * y * 7)); };
  for (bool topDown : {false, true}) {
    TBitmap bmp;
    bmp.LoadFromMemory(MakeBmp(5, 4, 24, {}, rgb, topDown));
    EXPECT_EQ(bmp.PixelFormat(), pf24bit);
    EXPECT_EQ(bmp.Palette(), nullptr);
    ExpectDrawnPixels(bmp, [&](int x, int y) { return static_cast<COLORREF>(rgb(x, y)); });
  }
}

TEST(BitmapLoad, RunLengthEncodedEightBit) {
  // 4 x 2: bottom row runs of index 1 (3 pixels) and 2 (1); top row 4 x index 0.
  std::vector<std::uint8_t> rle{3, 1, 1, 2, 0, 0, 4, 0, 0, 1};
  std::vector<COLORREF> pal{RGB(10, 20, 30), RGB(40, 50, 60), RGB(70, 80, 90)};
  auto bytes = MakeBmp(4, 2, 8, pal, [](int, int) { return 0u; });
  // Swap the pixel block for the encoded one.
  BITMAPFILEHEADER file;
  std::memcpy(&file, bytes.data(), sizeof file);
  bytes.resize(file.bfOffBits);
  for (auto b : rle) bytes.push_back(static_cast<std::byte>(b));
  BITMAPINFOHEADER info;
  std::memcpy(&info, bytes.data() + sizeof file, sizeof info);
  info.biCompression = BI_RLE8;
  info.biSizeImage = static_cast<DWORD>(rle.size());
  std::memcpy(bytes.data() + sizeof file, &info, sizeof info);
  TBitmap bmp;
  bmp.LoadFromMemory(bytes);
  ExpectDrawnPixels(bmp, [&](int x, int y) { return y == 0 ? pal[0] : x < 3 ? pal[1] : pal[2]; });
}

TEST(BitmapLoad, RefusesDamagedBytesWithoutLeaking) {
  auto good = MakeBmp(8, 8, 8, OddPalette(256), [](int x, int y) { return static_cast<std::uint32_t>(x * y); });
  const long before = GdiCounters::Live();
  auto expectInvalid = [&](std::vector<std::byte> bytes) {
    TBitmap bmp;
    EXPECT_THROW(bmp.LoadFromMemory(bytes), EInvalidGraphic);
    EXPECT_TRUE(bmp.Empty());
  };
  {
    auto b = good;
    b[0] = std::byte{'X'};
    expectInvalid(b);  // not "BM"
  }
  expectInvalid(std::vector<std::byte>(good.begin(), good.begin() + 20));       // header cut
  expectInvalid(std::vector<std::byte>(good.begin(), good.end() - 10));         // pixels cut
  expectInvalid(std::vector<std::byte>(good.begin(), good.begin() + 14 + 40 + 100));  // table cut
  auto patch = [&](std::size_t offset, auto value) {
    auto b = good;
    std::memcpy(b.data() + offset, &value, sizeof value);
    return b;
  };
  expectInvalid(patch(14 + 4, std::int32_t{0}));            // width 0
  expectInvalid(patch(14 + 4, std::int32_t{-8}));           // negative width
  expectInvalid(patch(14 + 4, std::int32_t{0x7FFFFFFF}));   // absurd width
  expectInvalid(patch(14 + 8, std::int32_t{0x40000000}));   // absurd height
  expectInvalid(patch(14 + 14, std::uint16_t{7}));          // 7 bits per pixel
  expectInvalid(patch(14 + 32, std::uint32_t{100000}));     // colour count
  expectInvalid(patch(14 + 16, std::uint32_t{BI_JPEG}));    // compression
  expectInvalid(std::vector<std::byte>{});
  EXPECT_EQ(GdiCounters::Live(), before);

  // A failed load keeps the previous picture.
  TBitmap kept;
  kept.LoadFromMemory(good);
  EXPECT_THROW(kept.LoadFromMemory(std::vector<std::byte>(good.begin(), good.end() - 1)), EInvalidGraphic);
  EXPECT_EQ(kept.Width(), 8);
}

TEST(BitmapResource, RtBitmapByNameAndIdMatchesTheFileBytes) {
  HINSTANCE module = GetModuleHandleW(nullptr);
  TBitmap byName;
  byName.LoadFromResourceName(module, L"PAL4");
  EXPECT_EQ(byName.Width(), 13);
  EXPECT_EQ(byName.Height(), 7);
  EXPECT_EQ(byName.PixelFormat(), pf4bit);
  std::vector<COLORREF> pal4;
  for (int i = 0; i < 16; ++i) pal4.push_back(fwtest::ResPalette4(i));
  ExpectPalette(byName.Palette(), pal4);
  ExpectDrawnPixels(byName, [](int x, int y) { return fwtest::ResPalette4(fwtest::ResIndex4(x, y)); });

  TBitmap byId;
  byId.LoadFromResourceID(module, 201);
  EXPECT_EQ(byId.PixelFormat(), pf8bit);
  std::vector<COLORREF> pal8;
  for (int i = 0; i < 200; ++i) pal8.push_back(fwtest::ResPalette8(i));
  ExpectPalette(byId.Palette(), pal8);
  ExpectDrawnPixels(byId, [](int x, int y) { return fwtest::ResPalette8(fwtest::ResIndex8(x, y)); });

  // The same file as plain bytes gives the same picture.
  HRSRC res = FindResourceW(module, L"PAL8FILE", reinterpret_cast<LPCWSTR>(RT_RCDATA));
  ASSERT_NE(res, nullptr);
  TBitmap fromBytes;
  fromBytes.LoadFromMemory(LockResource(LoadResource(module, res)), SizeofResource(module, res));
  ExpectDrawnPixels(fromBytes, [](int x, int y) { return fwtest::ResPalette8(fwtest::ResIndex8(x, y)); });
}

TEST(BitmapResource, MissingResourceThrows) {
  TBitmap bmp;
  EXPECT_THROW(bmp.LoadFromResourceName(GetModuleHandleW(nullptr), L"NO_SUCH_PICTURE"), EResNotFound);
  EXPECT_THROW(bmp.LoadFromResourceID(GetModuleHandleW(nullptr), 4242), EResNotFound);
  EXPECT_TRUE(bmp.Empty());
}

TEST(BitmapCopy, AssignCopiesPixelsAndPaletteIndependently) {
  auto pal = OddPalette(16);
  auto idx = [](int x, int y) { return static_cast<std::uint32_t>((x + 2 * y) % 16); };
  TBitmap a;
  a.LoadFromMemory(MakeBmp(6, 5, 4, pal, idx));
  a.SetTransparentColor(clLime);
  TBitmap b;
  b.Assign(a);
  EXPECT_EQ(b.Width(), 6);
  EXPECT_EQ(b.PixelFormat(), pf4bit);
  EXPECT_NE(b.Handle(), a.Handle());
  EXPECT_NE(b.Palette(), a.Palette());
  ExpectPalette(b.Palette(), pal);
  EXPECT_EQ(b.TransparentColor(), clLime);
  // Drawing on the copy leaves the original as it was.
  b.Canvas().Brush().SetColor(static_cast<TColor>(pal[9]));
  b.Canvas().FillRect(RECT{0, 0, 6, 5});
  ExpectDrawnPixels(a, [&](int x, int y) { return pal[idx(x, y)]; });
  ExpectDrawnPixels(b, [&](int, int) { return pal[9]; });

  TBitmap empty;
  b.Assign(empty);
  EXPECT_TRUE(b.Empty());
  EXPECT_EQ(b.Handle(), nullptr);
}

TEST(BitmapCopy, SaveToMemoryRoundTrip) {
  auto pal = OddPalette(256);
  auto idx = [](int x, int y) { return static_cast<std::uint32_t>((x * 31 + y * 7) % 256); };
  TBitmap a;
  a.LoadFromMemory(MakeBmp(9, 4, 8, pal, idx));
  TBitmap b;
  b.LoadFromMemory(a.SaveToMemory());
  ExpectPalette(b.Palette(), pal);
  ExpectDrawnPixels(b, [&](int x, int y) { return pal[idx(x, y)]; });
}

TEST(BitmapBlank, SizedCanvasDrawingAndResize) {
  TBitmap bmp(20, 10);
  EXPECT_FALSE(bmp.Empty());
  ExpectDrawnPixels(bmp, [](int, int) { return RGB(255, 255, 255); });
  bmp.Canvas().Brush().SetColor(clRed);
  bmp.Canvas().FillRect(RECT{0, 0, 5, 5});
  // Growing keeps the top-left part and makes the new area white.
  bmp.SetSize(30, 12);
  ExpectDrawnPixels(bmp, [](int x, int y) { return x < 5 && y < 5 ? RGB(255, 0, 0) : RGB(255, 255, 255); });
  bmp.SetSize(3, 3);
  ExpectDrawnPixels(bmp, [](int, int) { return RGB(255, 0, 0); });
  bmp.Clear();
  EXPECT_TRUE(bmp.Empty());
  EXPECT_EQ(bmp.TransparentColor(), clDefault);
}

TEST(BitmapBlank, PixelFormatConversionKeepsColours) {
  auto pal = OddPalette(16);
  auto idx = [](int x, int y) { return static_cast<std::uint32_t>((x * 5 + y) % 16); };
  TBitmap bmp;
  bmp.LoadFromMemory(MakeBmp(7, 7, 4, pal, idx));
  bmp.SetPixelFormat(pf24bit);
  EXPECT_EQ(bmp.PixelFormat(), pf24bit);
  EXPECT_EQ(bmp.Palette(), nullptr);
  ExpectDrawnPixels(bmp, [&](int x, int y) { return pal[idx(x, y)]; });
  bmp.SetPixelFormat(pf32bit);
  ExpectDrawnPixels(bmp, [&](int x, int y) { return pal[idx(x, y)]; });
}

TEST(BitmapTransparency, BottomLeftPixelUnlessFixed) {
  auto rgb = [](int x, int y) {
    return static_cast<std::uint32_t>(x == 0 && y == 3 ? RGB(9, 99, 199) : RGB(200, 100, 0));
  };
  TBitmap bmp;
  bmp.LoadFromMemory(MakeBmp(4, 4, 24, {}, rgb));
  EXPECT_EQ(bmp.TransparentMode(), tmAuto);
  EXPECT_EQ(bmp.TransparentColor(), static_cast<TColor>(RGB(9, 99, 199)));
  bmp.SetTransparentColor(static_cast<TColor>(RGB(200, 100, 0)));
  EXPECT_EQ(bmp.TransparentMode(), tmFixed);
  EXPECT_EQ(bmp.TransparentColor(), static_cast<TColor>(RGB(200, 100, 0)));

  // Drawn transparently only the one other pixel shows.
  bmp.SetTransparent(true);
  DibSurface target(8, 8, RGB(1, 1, 1));
  TCanvas canvas(target.DC());
  canvas.Draw(2, 2, bmp);
  EXPECT_EQ(target.At(2, 5), RGB(9, 99, 199));
  EXPECT_EQ(target.Count(RGB(1, 1, 1), RECT{0, 0, 8, 8}), 63);

  bmp.SetTransparentMode(tmAuto);
  EXPECT_EQ(bmp.TransparentColor(), static_cast<TColor>(RGB(9, 99, 199)));
}

TEST(BitmapChange, OneNotificationPerChange) {
  TBitmap bmp;
  int changes = 0;
  bmp.OnChange = [&] { ++changes; };
  bmp.SetSize(4, 4);
  EXPECT_EQ(changes, 1);
  bmp.SetSize(4, 4);  // same size: nothing
  EXPECT_EQ(changes, 1);
  bmp.Canvas().Brush().SetColor(clBlue);
  EXPECT_EQ(changes, 1);  // a brush change alone draws nothing
  bmp.Canvas().FillRect(RECT{0, 0, 2, 2});
  EXPECT_EQ(changes, 2);
  bmp.Canvas().SetPixel(3, 3, clRed);
  EXPECT_EQ(changes, 3);
  bmp.LoadFromMemory(MakeBmp(2, 2, 24, {}, [](int, int) { return 0u; }));
  EXPECT_EQ(changes, 4);
  bmp.SetTransparent(true);
  EXPECT_EQ(changes, 5);
  bmp.Clear();
  EXPECT_EQ(changes, 6);
  bmp.Clear();
  EXPECT_EQ(changes, 6);
}

TEST(BitmapCanvas, CanvasSurvivesReloadAndDrawsIntoTheNewPicture) {
  TBitmap bmp(4, 4);
  TCanvas& canvas = bmp.Canvas();
  canvas.Brush().SetColor(clRed);
  canvas.FillRect(RECT{0, 0, 4, 4});
  bmp.LoadFromMemory(MakeBmp(6, 6, 24, {}, [](int, int) { return static_cast<std::uint32_t>(RGB(0, 0, 255)); }));
  EXPECT_EQ(&bmp.Canvas(), &canvas);
  canvas.FillRect(RECT{0, 0, 1, 1});
  ExpectDrawnPixels(bmp, [](int x, int y) { return x == 0 && y == 0 ? RGB(255, 0, 0) : RGB(0, 0, 255); });
}

TEST(BitmapCanvas, DormantFreesTheSectionForAnotherDc) {
  TBitmap bmp(3, 3);
  bmp.Canvas().SetPixel(0, 0, clRed);  // the canvas DC now holds the section
  const long dcs = GdiCounters::Live(GdiKind::DC);
  bmp.Dormant();
  EXPECT_EQ(GdiCounters::Live(GdiKind::DC), dcs - 1);
  MemoryDC other;
  {
    SelectGuard sel(other, bmp.Handle());
    EXPECT_EQ(GetPixel(other, 0, 0), RGB(255, 0, 0));
  }
  bmp.Canvas().SetPixel(1, 0, clBlue);
  ExpectDrawnPixels(bmp, [](int x, int y) {
    return y == 0 && x == 0 ? RGB(255, 0, 0) : y == 0 && x == 1 ? RGB(0, 0, 255) : RGB(255, 255, 255);
  });
}

TEST(BitmapCopy, LoadFromHandleCopiesDdbAndPalettizedSection) {
  // A device bitmap painted through raw GDI.
  HDC screen = GetDC(nullptr);
  HBITMAP ddb = CreateCompatibleBitmap(screen, 5, 4);
  ReleaseDC(nullptr, screen);
  {
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, ddb);
    HBRUSH teal = CreateSolidBrush(RGB(0, 128, 128));
    RECT r{0, 0, 5, 4};
    FillRect(dc, &r, teal);
    SetPixel(dc, 4, 3, RGB(255, 0, 0));
    SelectObject(dc, old);
    DeleteObject(teal);
    DeleteDC(dc);
  }
  TBitmap fromDdb;
  fromDdb.LoadFromHandle(ddb);
  DeleteObject(ddb);
  ExpectDrawnPixels(fromDdb, [](int x, int y) { return x == 4 && y == 3 ? RGB(255, 0, 0) : RGB(0, 128, 128); });

  // A 4-bit section keeps its own colours and format.
  auto pal = OddPalette(16);
  auto idx = [](int x, int y) { return static_cast<std::uint32_t>((x + y * 4) % 16); };
  TBitmap source;
  source.LoadFromMemory(MakeBmp(4, 4, 4, pal, idx));
  source.Dormant();
  TBitmap copy;
  copy.LoadFromHandle(source.Handle());
  EXPECT_EQ(copy.PixelFormat(), pf4bit);
  ExpectPalette(copy.Palette(), pal);
  ExpectDrawnPixels(copy, [&](int x, int y) { return pal[idx(x, y)]; });
  EXPECT_THROW(copy.LoadFromHandle(nullptr), EInvalidGraphic);
}
