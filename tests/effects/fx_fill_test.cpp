// The form background fill on real windows: the tiled picture on the main
// window's client size, transparent children, placement by alignment,
// Enabled, the other fill styles, the owner-draw path, and hooks of the fill
// and the shadow on one window removed in either order.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>

#include "effects/fx_form_fill.h"
#include "effects/fx_form_shadow.h"
#include "graphics/bitmap.h"
#include "graphics/gdi.h"
#include "framework/subclass.h"
#include "fx_form_fixture.h"
#include "tests/support/bmp_file.h"

namespace {

using fwtest::DibSurface;
using fwtest::Picture;
using fwtest::Pump;
using fxtest::TestForm;

constexpr int kClientW = 388, kClientH = 197;

struct FillSetup {
  std::unique_ptr<TestForm> form;
  fx::TFxFormFill* fill = nullptr;
  fx::TFxFormShadow* shadow = nullptr;
};

// The main window's arrangement: a fixed-size form with a client area of
// 388 x 197 and the picture tiled (the stored alignment is agCenter).
FillSetup MakeFillForm(const Picture& picture, bool withShadow = false) {
  FillSetup s;
  const auto bytes = picture.Bmp();
  s.form = std::make_unique<TestForm>([&](TestForm& f) {
    f.SetBorderStyle(fw::bsSingle);
    f.SetBounds(50, 40, 400, 240);
    f.SetClientSize(kClientW, kClientH);
    if (withShadow) {
      s.shadow = new fx::TFxFormShadow(&f);
      s.shadow->Shadow().SetDepth(4);
    }
    s.fill = new fx::TFxFormFill(&f);
    s.fill->SetDefaultFill(false);
    s.fill->FillObject().Bitmap().LoadFromMemory(bytes.data(), bytes.size());
    s.fill->FillObject().SetStyle(fx::sfBitmap);
    s.fill->FillObject().SetAlignment(fx::agCenter);
  });
  return s;
}

// 160 x 160 with 256 distinct colours; neighbouring columns and rows differ.
Picture MakeTestPicture(int w = 160, int h = 160) {
  Picture p;
  p.width = w;
  p.height = h;
  for (int i = 0; i < 256; ++i) p.colors.push_back(RGB(i, 255 - i, (i * 37) & 0xFF));
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x) p.index.push_back(static_cast<std::uint8_t>((x * 3 + y * 17 + x * y) & 0xFF));
  return p;
}

COLORREF FormColour(fw::TForm& form) { return fw::ColorToRGB(form.Color()); }

// What the form paints into a DC of its client size when asked to erase.
std::unique_ptr<DibSurface> Erase(HWND form, LRESULT* result = nullptr) {
  auto s = std::make_unique<DibSurface>(kClientW, kClientH, RGB(1, 2, 3));
  const LRESULT r = SendMessageW(form, WM_ERASEBKGND, reinterpret_cast<WPARAM>(s->DC()), 0);
  if (result) *result = r;
  return s;
}

// The form's client area as it is on screen.
std::unique_ptr<DibSurface> Screen(fw::TForm& form) {
  RedrawWindow(form.Handle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
  Pump();
  auto s = std::make_unique<DibSurface>(kClientW, kClientH);
  s->CaptureClient(form.Handle());
  return s;
}

// Counts the pixels that differ from the tiled picture (first few reported).
int TileMismatches(const DibSurface& s, const Picture& p, int dx = 0, int dy = 0) {
  int bad = 0;
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x)
      if (s.At(x, y) != p.At((x + dx) % p.width, (y + dy) % p.height) && ++bad <= 3)
        ADD_FAILURE() << "pixel " << x << "," << y;
  return bad;
}

Picture BitmapA() {
  Picture p;
  EXPECT_TRUE(fwtest::ParseBmp8(fwtest::ReadFileBytes(CONVERTER_SOURCE_DIR "/assets/bitmap_a.bmp"), p));
  return p;
}

class FxFormFillTiled : public ::testing::TestWithParam<int> {
 protected:
  Picture Pic() const { return GetParam() == 0 ? MakeTestPicture() : BitmapA(); }
};

TEST_P(FxFormFillTiled, ClientPixelsAreThePictureTiledFromTheOriginCutAt68And37) {
  const Picture pic = Pic();
  ASSERT_EQ(pic.width, 160);
  ASSERT_EQ(pic.height, 160);
  FillSetup s = MakeFillForm(pic);
  EXPECT_FALSE(s.fill->EraseOnSize());
  fwtest::ShowActive(*s.form);
  RECT client{};
  GetClientRect(s.form->Handle(), &client);
  ASSERT_EQ(client.right, kClientW);
  ASSERT_EQ(client.bottom, kClientH);

  const auto screen = Screen(*s.form);
  EXPECT_EQ(TileMismatches(*screen, pic), 0);
  // The last tile column starts at 320 and shows 68 columns of the picture,
  // the last tile row starts at 160 and shows 37 rows.
  for (int y = 0; y < kClientH; y += 13) {
    EXPECT_EQ(screen->At(319, y), pic.At(159, y % 160));
    EXPECT_EQ(screen->At(320, y), pic.At(0, y % 160));
    EXPECT_EQ(screen->At(387, y), pic.At(67, y % 160));
  }
  for (int x = 0; x < kClientW; x += 11) {
    EXPECT_EQ(screen->At(x, 160), pic.At(x % 160, 0));
    EXPECT_EQ(screen->At(x, 196), pic.At(x % 160, 36));
  }
  // The form's own colour is never painted.
  EXPECT_EQ(s.form->Erases(), 0);

  // The same into any DC the form is asked to erase.
  LRESULT result = 0;
  const auto erased = Erase(s.form->Handle(), &result);
  EXPECT_EQ(result, 1);
  EXPECT_EQ(TileMismatches(*erased, pic), 0);

  // Painting keeps no drawing object behind.
  const long live = fw::GdiCounters::Live();
  for (int i = 0; i < 50; ++i) Erase(s.form->Handle());
  EXPECT_EQ(fw::GdiCounters::Live(), live);
}

INSTANTIATE_TEST_SUITE_P(TestPictureAndBitmapA, FxFormFillTiled, ::testing::Values(0, 1));

// A control that shows what lies behind it: it asks its parent to erase into
// its own DC with the origin shifted to its place.
LRESULT CALLBACK TransparentChildProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_ERASEBKGND) {
    HDC dc = reinterpret_cast<HDC>(wParam);
    HWND parent = GetParent(wnd);
    POINT at{0, 0};
    MapWindowPoints(wnd, parent, &at, 1);
    const int saved = SaveDC(dc);
    OffsetWindowOrgEx(dc, at.x, at.y, nullptr);
    SendMessageW(parent, WM_ERASEBKGND, wParam, 0);
    RestoreDC(dc, saved);
    return 1;
  }
  return DefWindowProcW(wnd, msg, wParam, lParam);
}

TEST(FxFormFill, TransparentChildrenShowTheFillBehindThem) {
  const Picture pic = MakeTestPicture();
  FillSetup s = MakeFillForm(pic);
  WNDCLASSW wc{};
  wc.lpfnWndProc = TransparentChildProc;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.lpszClassName = L"FxTestTransparentChild";
  RegisterClassW(&wc);
  // Across both tile seams (x = 320, y = 160).
  const int cx = 290, cy = 130, cw = 60, ch = 50;
  HWND child = CreateWindowExW(0, wc.lpszClassName, L"", WS_CHILD | WS_VISIBLE, cx, cy, cw, ch, s.form->Handle(),
                               nullptr, wc.hInstance, nullptr);
  ASSERT_NE(child, nullptr);
  fwtest::ShowActive(*s.form);
  RedrawWindow(child, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
  DibSurface onScreen(cw, ch, RGB(1, 2, 3));
  onScreen.CaptureClient(child);
  EXPECT_EQ(TileMismatches(onScreen, pic, cx, cy), 0);

  // The same through a memory DC with a shifted viewport instead.
  DibSurface copy(cw, ch, RGB(1, 2, 3));
  SetViewportOrgEx(copy.DC(), -cx, -cy, nullptr);
  EXPECT_EQ(SendMessageW(s.form->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(copy.DC()), 0), 1);
  SetViewportOrgEx(copy.DC(), 0, 0, nullptr);
  EXPECT_EQ(TileMismatches(copy, pic, cx, cy), 0);
  DestroyWindow(child);
}

TEST(FxFormFill, NoTileWithCentreAlignmentPlacesThePictureAt114And19) {
  const Picture pic = MakeTestPicture();
  FillSetup s = MakeFillForm(pic);
  fwtest::ShowActive(*s.form);
  s.fill->FillObject().SetTileMode(fx::tmNone);
  EXPECT_TRUE(s.fill->EraseOnSize());
  const auto screen = Screen(*s.form);
  const COLORREF back = FormColour(*s.form);
  int bad = 0;
  for (int y = 0; y < kClientH; ++y)
    for (int x = 0; x < kClientW; ++x) {
      const bool inside = x >= 114 && x < 274 && y >= 19 && y < 179;
      const COLORREF expected = inside ? pic.At(x - 114, y - 19) : back;
      if (screen->At(x, y) != expected && ++bad <= 3) ADD_FAILURE() << x << "," << y;
    }
  EXPECT_EQ(bad, 0);
  EXPECT_EQ(screen->At(114, 19), pic.At(0, 0));
  EXPECT_EQ(screen->At(273, 178), pic.At(159, 159));

  // Offsets shift it; tmCenter centres like agCenter.
  s.fill->FillObject().SetOffsetX(-20);
  s.fill->FillObject().SetOffsetY(7);
  auto shifted = Erase(s.form->Handle());
  EXPECT_EQ(shifted->At(94, 26), pic.At(0, 0));
  EXPECT_EQ(shifted->At(93, 26), back);
  s.fill->FillObject().SetTileMode(fx::tmCenter);
  auto centred = Erase(s.form->Handle());
  EXPECT_EQ(centred->At(114, 19), pic.At(0, 0));
  EXPECT_EQ(centred->At(113, 19), back);
}

TEST(FxFormFill, PlacementChangesNotifyOnlyWhenTheyMatter) {
  const Picture pic = MakeTestPicture();
  FillSetup s = MakeFillForm(pic);
  fwtest::ShowActive(*s.form);
  int notifications = 0;
  auto handler = s.fill->FillObject().OnChange;
  s.fill->FillObject().OnChange = [&](fw::TObject* sender) {
    ++notifications;
    handler(sender);
  };
  // Tiled: stored, but no notification and nothing to repaint.
  s.fill->FillObject().SetAlignment(fx::agBottomRight);
  s.fill->FillObject().SetOffsetX(5);
  s.fill->FillObject().SetOffsetY(5);
  EXPECT_EQ(notifications, 0);
  EXPECT_FALSE(GetUpdateRect(s.form->Handle(), nullptr, FALSE));
  EXPECT_EQ(s.fill->FillObject().Alignment(), fx::agBottomRight);
  // Not tiled: each change notifies and marks the form for repainting.
  s.fill->FillObject().SetTileMode(fx::tmNone);
  Pump();
  EXPECT_EQ(notifications, 1);
  s.fill->FillObject().SetAlignment(fx::agCenter);
  EXPECT_EQ(notifications, 2);
  EXPECT_TRUE(GetUpdateRect(s.form->Handle(), nullptr, FALSE));
  s.fill->FillObject().SetAlignment(fx::agCenter);
  EXPECT_EQ(notifications, 2);
}

TEST(FxFormFill, DisabledFallsBackToTheFormColourAndEnablingRepaintsAtOnce) {
  const Picture pic = MakeTestPicture();
  FillSetup s = MakeFillForm(pic);
  fwtest::ShowActive(*s.form);
  const COLORREF back = FormColour(*s.form);

  s.fill->SetEnabled(false);
  EXPECT_TRUE(GetUpdateRect(s.form->Handle(), nullptr, FALSE));
  Pump();
  EXPECT_GT(s.form->Erases(), 0);
  const auto plain = Screen(*s.form);
  int bad = 0;
  for (int y = 0; y < kClientH; ++y)
    for (int x = 0; x < kClientW; ++x)
      if (plain->At(x, y) != back) ++bad;
  EXPECT_EQ(bad, 0);
  // The hook stays and passes everything on.
  EXPECT_EQ(fw::WindowHook::HookCount(s.form->Handle()), 1);

  s.fill->SetEnabled(true);
  // Marked for repainting with erase at once...
  EXPECT_TRUE(GetUpdateRect(s.form->Handle(), nullptr, FALSE));
  // ...and painted by the next round of messages, without help.
  Pump();
  EXPECT_FALSE(GetUpdateRect(s.form->Handle(), nullptr, FALSE));
  DibSurface now(kClientW, kClientH, RGB(1, 2, 3));
  now.CaptureClient(s.form->Handle());
  EXPECT_EQ(TileMismatches(now, pic), 0);
}

TEST(FxFormFill, EveryOtherFillStyle) {
  const Picture pic = MakeTestPicture();
  FillSetup s = MakeFillForm(pic);
  HWND wnd = s.form->Handle();
  const COLORREF back = FormColour(*s.form);
  fx::TFxFillObject& f = s.fill->FillObject();

  // Stretched over the client area plus one pixel: the corners are the
  // picture's corners.
  f.SetTileMode(fx::tmStretch);
  auto stretched = Erase(wnd);
  EXPECT_EQ(stretched->At(0, 0), pic.At(0, 0));
  EXPECT_EQ(stretched->At(kClientW - 2, kClientH - 2), pic.At(159, 159));

  // The picture as a brush pattern, aligned to the DC's origin.
  f.SetStyle(fx::sfBrushBitmap);
  EXPECT_FALSE(s.fill->EraseOnSize());
  EXPECT_EQ(TileMismatches(*Erase(wnd), pic), 0);

  // A solid brush, then a hatch whose gaps show the form colour.
  f.SetStyle(fx::sfBrush);
  f.Brush().SetColor(fw::clRed);
  auto solid = Erase(wnd);
  EXPECT_EQ(solid->At(0, 0), RGB(255, 0, 0));
  EXPECT_EQ(solid->At(kClientW - 1, kClientH - 1), RGB(255, 0, 0));
  f.Brush().SetStyle(fw::bsCross);
  auto hatched = Erase(wnd);
  std::set<COLORREF> seen;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) seen.insert(hatched->At(x, y));
  EXPECT_EQ(seen, (std::set<COLORREF>{RGB(255, 0, 0), back}));

  // Gradient: ColorCount bands from Color at the top to EndColor at the bottom.
  f.SetStyle(fx::sfGradient);
  f.Gradient().SetColor(fw::clBlue);
  f.Gradient().SetEndColor(fw::clBlack);
  f.Gradient().SetColorCount(4);
  EXPECT_TRUE(s.fill->EraseOnSize());
  auto gradient = Erase(wnd);
  EXPECT_EQ(gradient->At(10, 0), RGB(0, 0, 255));
  EXPECT_EQ(gradient->At(10, kClientH - 1), RGB(0, 0, 0));
  std::set<COLORREF> bands;
  for (int y = 0; y < kClientH; ++y) bands.insert(gradient->At(100, y));
  EXPECT_EQ(bands.size(), 4u);
  EXPECT_EQ(s.fill->Cache().Width(), kClientW);

  // Nothing to draw: the form erases with its own colour.
  f.SetStyle(fx::sfNone);
  const int before = s.form->Erases();
  auto none = Erase(wnd);
  EXPECT_EQ(none->At(5, 5), back);
  EXPECT_EQ(s.form->Erases(), before + 1);
  f.SetStyle(fx::sfBitmap);
  f.Bitmap().Clear();
  EXPECT_EQ(Erase(wnd)->At(5, 5), back);
}

TEST(FxFormFill, OwnerDrawPath) {
  const Picture pic = MakeTestPicture();
  FillSetup s = MakeFillForm(pic);
  HWND wnd = s.form->Handle();
  const COLORREF back = FormColour(*s.form);
  s.fill->SetPaintMode(fx::pcOwnerDraw);
  s.fill->SetDefaultFill(true);
  EXPECT_TRUE(s.fill->EraseOnSize());
  // Without a handler the form erases as usual.
  int before = s.form->Erases();
  EXPECT_EQ(Erase(wnd)->At(3, 3), back);
  EXPECT_EQ(s.form->Erases(), before + 1);

  RECT dest{};
  int calls = 0;
  s.fill->OnPaint = [&](fw::TObject* sender, fw::TCanvas& canvas, const RECT& r) {
    ++calls;
    EXPECT_EQ(sender, s.fill);
    dest = r;
    canvas.Brush().SetColor(fw::clLime);
    canvas.FillRect(RECT{0, 0, 10, 10});
  };
  before = s.form->Erases();
  auto drawn = Erase(wnd);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(dest.right, kClientW);
  EXPECT_EQ(dest.bottom, kClientH);
  EXPECT_EQ(drawn->At(5, 5), RGB(0, 255, 0));
  EXPECT_EQ(drawn->At(50, 50), back);  // DefaultFill
  EXPECT_EQ(s.form->Erases(), before);
  s.fill->SetDefaultFill(false);
  auto bare = Erase(wnd);
  EXPECT_EQ(bare->At(50, 50), RGB(1, 2, 3));  // left as it was
}

// Removes the fill and the shadow in the given order and checks after each
// step that the form still gets its messages and the rest still works.
void RemoveHooksInOrder(bool shadowFirst) {
  const Picture pic = MakeTestPicture();
  FillSetup s = MakeFillForm(pic, true);
  HWND wnd = s.form->Handle();
  const COLORREF back = FormColour(*s.form);
  fwtest::ShowActive(*s.form);
  ASSERT_EQ(fw::WindowHook::HookCount(wnd), 2);
  HWND right = s.shadow->RightStrip();
  ASSERT_TRUE(IsWindowVisible(right));
  int moves = s.form->Moves();

  auto moveTo = [&](int x, int y) {
    SetWindowPos(wnd, nullptr, x, y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    Pump();
    EXPECT_GT(s.form->Moves(), moves);
    moves = s.form->Moves();
  };

  if (shadowFirst) {
    delete s.shadow;
    EXPECT_EQ(fw::WindowHook::HookCount(wnd), 1);
    EXPECT_FALSE(IsWindow(right));
    moveTo(70, 60);
    EXPECT_EQ(TileMismatches(*Erase(wnd), pic), 0);
    delete s.fill;
  } else {
    delete s.fill;
    EXPECT_EQ(fw::WindowHook::HookCount(wnd), 1);
    EXPECT_EQ(Erase(wnd)->At(3, 3), back);
    moveTo(70, 60);
    const RECT w = fxtest::WindowRectOf(wnd);
    EXPECT_TRUE(fxtest::SameRect(fxtest::WindowRectOf(right), RECT{w.right, w.top + 4, w.right + 4, w.bottom}));
    delete s.shadow;
  }
  EXPECT_EQ(fw::WindowHook::HookCount(wnd), 0);
  // The form's own procedure is back in place and still gets everything.
  EXPECT_EQ(GetWindowLongPtrW(wnd, GWLP_WNDPROC), GetClassLongPtrW(wnd, GCLP_WNDPROC));
  EXPECT_EQ(s.form->ComponentCount(), 0);
  moveTo(90, 80);
  const int erases = s.form->Erases();
  EXPECT_EQ(Erase(wnd)->At(3, 3), back);
  EXPECT_EQ(s.form->Erases(), erases + 1);
}

TEST(FxFormFill, HooksOfFillAndShadowComeOffShadowFirst) { RemoveHooksInOrder(true); }
TEST(FxFormFill, HooksOfFillAndShadowComeOffFillFirst) { RemoveHooksInOrder(false); }

}  // namespace
