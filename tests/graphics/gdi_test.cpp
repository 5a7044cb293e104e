// The RAII owners: counters, restoration of clip and DC state, the
// off-screen buffer, and no growth over many paint cycles, throwing ones
// included.
#include <gtest/gtest.h>

// clang-format off
#include <windows.h>
#include <psapi.h>
// clang-format on

#include <array>
#include <stdexcept>

#include "graphics/bitmap.h"
#include "graphics/canvas.h"
#include "graphics/gdi.h"
#include "graphics_test_util.h"

using namespace fw;
using fwtest::DibSurface;

namespace {

constexpr GdiKind kKinds[] = {GdiKind::Font, GdiKind::Brush,   GdiKind::Pen, GdiKind::Bitmap,
                              GdiKind::Region, GdiKind::Palette, GdiKind::DC};

std::array<long, std::size(kKinds)> Snapshot() {
  std::array<long, std::size(kKinds)> s{};
  for (std::size_t i = 0; i < s.size(); ++i) s[i] = GdiCounters::Live(kKinds[i]);
  return s;
}

struct PaintFailed : std::runtime_error {
  PaintFailed() : std::runtime_error("paint failed") {}
};

// One paint as the skinned controls do it: buffer, canvas with font, brush
// and pen, a clip region, a picture drawn in, the copy to the target.
void PaintOnce(HDC target, TBitmap& picture, int cycle, bool fail) {
  OffscreenBuffer buffer(target, 40, 24);
  TCanvas& c = buffer.Canvas();
  c.Brush().SetColor(static_cast<TColor>(RGB(cycle % 256, 0, 0)));
  c.FillRect(buffer.Rect());
  c.Pen().SetColor(clBtnShadow);
  c.Font().SetHeight(-11 - cycle % 3);
  {
    GdiRegion ellipse(CreateEllipticRgn(0, 0, 40, 24));
    ClipRegionGuard clip(buffer.DC(), ellipse.Get());
    SavedDC saved(buffer.DC());
    c.Ellipse(0, 0, 40, 24);
    c.Brush().SetStyle(bsClear);
    c.TextOut(2, 2, L"7");
    TBitmap local(6, 6);
    local.Canvas().Brush().SetColor(clRed);
    local.Canvas().FillRect(RECT{0, 0, 3, 3});
    c.Draw(1, 1, local);
    c.Draw(10, 1, picture);
    if (fail) throw PaintFailed();
  }
  buffer.CopyTo(target, 0, 0);
}

}  // namespace

TEST(GdiOwners, CountersFollowCreationAndRelease) {
  auto before = Snapshot();
  {
    GdiBrush brush(CreateSolidBrush(RGB(1, 2, 3)));
    GdiRegion region(CreateRectRgn(0, 0, 5, 5));
    MemoryDC dc;
    EXPECT_EQ(GdiCounters::Live(GdiKind::Brush), before[1] + 1);
    EXPECT_EQ(GdiCounters::Live(GdiKind::Region), before[4] + 1);
    EXPECT_EQ(GdiCounters::Live(GdiKind::DC), before[6] + 1);
    GdiBrush moved(std::move(brush));
    EXPECT_FALSE(brush);
    EXPECT_EQ(GdiCounters::Live(GdiKind::Brush), before[1] + 1);
    HRGN given = region.Detach();  // handed to someone who frees it
    EXPECT_EQ(GdiCounters::Live(GdiKind::Region), before[4]);
    DeleteObject(given);
  }
  EXPECT_EQ(Snapshot(), before);
}

TEST(GdiOwners, SelectGuardAndSavedDcRestore) {
  DibSurface target(10, 10, RGB(255, 255, 255));
  HDC dc = target.DC();
  HGDIOBJ pen0 = GetCurrentObject(dc, OBJ_PEN);
  GdiPen pen(CreatePen(PS_SOLID, 1, RGB(9, 9, 9)));
  {
    SelectGuard sel(dc, pen.Get());
    EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen.Get());
    SavedDC saved(dc);
    SetViewportOrgEx(dc, 3, 3, nullptr);
  }
  EXPECT_EQ(GetCurrentObject(dc, OBJ_PEN), pen0);
  POINT org{};
  GetViewportOrgEx(dc, &org);
  EXPECT_EQ(org.x, 0);
}

TEST(GdiOwners, ClipRegionGuardRestoresThePreviousClip) {
  DibSurface target(20, 20, RGB(0, 0, 0));
  HDC dc = target.DC();
  GdiBrush white(CreateSolidBrush(RGB(255, 255, 255)));
  RECT all{0, 0, 20, 20};
  {
    // Outer clip: left half. Inner: narrowed to the top-left quarter.
    ClipRegionGuard outer(dc, RECT{0, 0, 10, 20});
    {
      ClipRegionGuard inner(dc, RECT{0, 0, 20, 10}, RGN_AND);
      FillRect(dc, &all, white.Get());
    }
    EXPECT_EQ(target.Count(RGB(255, 255, 255), all), 100);
    GdiBrush red(CreateSolidBrush(RGB(255, 0, 0)));
    FillRect(dc, &all, red.Get());  // outer clip back: left half only
    EXPECT_EQ(target.Count(RGB(255, 0, 0), all), 200);
  }
  GdiBrush blue(CreateSolidBrush(RGB(0, 0, 255)));
  FillRect(dc, &all, blue.Get());  // no clip at all any more
  EXPECT_EQ(target.Count(RGB(0, 0, 255), all), 400);
}

TEST(OffscreenBufferTest, PaintsOffScreenAndCopiesOnce) {
  DibSurface target(50, 30, RGB(0, 0, 0));
  auto before = Snapshot();
  {
    OffscreenBuffer buffer(target.DC(), 20, 10);
    buffer.Canvas().Brush().SetColor(clAqua);
    buffer.Canvas().FillRect(buffer.Rect());
    buffer.Canvas().SetPixel(19, 9, clRed);
    // Nothing reaches the target before the copy.
    EXPECT_EQ(target.Count(RGB(0, 0, 0), RECT{0, 0, 50, 30}), 1500);
    buffer.CopyTo(target.DC(), 5, 7);
    RECT part{0, 0, 2, 2};
    buffer.CopyRectTo(target.DC(), part);
  }
  EXPECT_EQ(target.Count(RGB(0, 255, 255), RECT{5, 7, 25, 17}), 199);
  EXPECT_EQ(target.At(24, 16), RGB(255, 0, 0));
  EXPECT_EQ(target.Count(RGB(0, 255, 255), RECT{0, 0, 2, 2}), 4);
  EXPECT_EQ(target.At(4, 7), RGB(0, 0, 0));
  EXPECT_EQ(Snapshot(), before);
}

TEST(OffscreenBufferTest, BareMemoryDcTargetStillGivesAColourBuffer) {
  // A memory DC fresh from CreateCompatibleDC holds a 1x1 monochrome bitmap.
  MemoryDC bare;
  OffscreenBuffer buffer(bare, 8, 8);
  BITMAP bm{};
  GetObjectW(buffer.Bitmap(), sizeof bm, &bm);
  EXPECT_GT(bm.bmBitsPixel, 1);
  buffer.Canvas().SetPixel(1, 1, static_cast<TColor>(RGB(10, 120, 230)));
  DibSurface target(8, 8, RGB(255, 255, 255));
  buffer.CopyTo(target.DC());
  EXPECT_EQ(target.At(1, 1), RGB(10, 120, 230));
}

TEST(GdiLeaks, TenThousandPaintCyclesWithFailuresReturnToBaseline) {
  DibSurface target(40, 24, RGB(255, 255, 255));
  TBitmap picture;
  picture.LoadFromMemory(fwtest::MakeBmp(8, 8, 4, {RGB(1, 2, 3), RGB(4, 5, 6)},
                                         [](int x, int y) { return static_cast<std::uint32_t>((x ^ y) & 1); }));
  picture.Canvas().Handle();  // its DC lives as long as the picture
  const auto before = Snapshot();
  const long bitmapsCreated = GdiCounters::Created(GdiKind::Bitmap);
  HBITMAP lastBuffer = nullptr;
  PROCESS_MEMORY_COUNTERS_EX early{}, late{};
  int failures = 0;
  for (int i = 0; i < 10000; ++i) {
    try {
      PaintOnce(target.DC(), picture, i, i % 7 == 3);
    } catch (const PaintFailed&) {
      ++failures;
    }
    if (i == 1000)
      GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&early), sizeof early);
    if (i == 9999) {
      OffscreenBuffer probe(target.DC(), 4, 4);
      lastBuffer = probe.Bitmap();
    }
  }
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&late), sizeof late);
  EXPECT_EQ(failures, 1429);
  EXPECT_EQ(Snapshot(), before);
  // The counters did see the work: a buffer and a picture per cycle.
  EXPECT_GE(GdiCounters::Created(GdiKind::Bitmap) - bitmapsCreated, 20000);
  // A released handle really is gone (not left alive while still selected).
  EXPECT_EQ(GetObjectType(lastBuffer), 0u);
  // And the process does not grow with the cycles.
  EXPECT_LT(static_cast<long long>(late.PrivateUsage) - static_cast<long long>(early.PrivateUsage),
            8LL * 1024 * 1024);
}

TEST(GdiLeaks, BitmapAndCanvasLifecyclesReturnToBaseline) {
  const auto before = Snapshot();
  auto bytes = fwtest::MakeBmp(16, 16, 8, std::vector<COLORREF>(256, RGB(3, 4, 5)),
                               [](int x, int y) { return static_cast<std::uint32_t>(x * 16 + y); });
  for (int i = 0; i < 10000; ++i) {
    TBitmap a;
    a.LoadFromMemory(bytes);
    a.Canvas().Pen().SetColor(static_cast<TColor>(i & 0xFFFFFF));
    a.Canvas().LineTo(5, 5);
    TBitmap b;
    b.Assign(a);
    b.SetSize(20 + i % 5, 10);
    b.SetPixelFormat(i % 2 ? pf24bit : pf8bit);
    TCanvas c;
    c.Font().Handle();
    c.Brush().Handle();
  }
  EXPECT_EQ(Snapshot(), before);
}
