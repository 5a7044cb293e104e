// TWndHook and TSkinFormHook on real windows: chains removed in either order,
// Handled, re-installation after the window is recreated, the form hook
// beside the drop shadow and the bitmap fill, the erase painting, the shapes,
// the caption and the client-area drag.
#include <gtest/gtest.h>
#include <windows.h>

#include <memory>
#include <new>
#include <string>

#include "controls/skin_form_hook.h"
#include "controls/wnd_hook.h"
#include "effects/fx_form_fill.h"
#include "effects/fx_form_shadow.h"
#include "stdctrls/label.h"
#include "framework/subclass.h"
#include "tests/controls/scroll_hook_dialog.h"
#include "tests/support/freed_memory.h"

namespace scroll_hook_test {
namespace {

using namespace skin;

std::unique_ptr<DibSurface> Erase(fw::TForm& form) {
  const RECT c = form.ClientRect();
  auto s = std::make_unique<DibSurface>(c.right, c.bottom, RGB(1, 2, 3));
  SendMessageW(form.Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(s->DC()), 0);
  return s;
}

TEST(WndHook, TwoHooksComeOffInCreationOrderOrReverse) {
  for (bool creationOrder : {true, false}) {
    SCOPED_TRACE(creationOrder ? "creation order" : "reverse order");
    DescribedForm form([](DescribedForm&) {});
    HWND wnd = form.Handle();
    const LONG_PTR own = GetWindowLongPtrW(wnd, GWLP_WNDPROC);
    std::string log;
    TWndHook a(nullptr), b(nullptr);
    a.OnBeforeMessage = [&](fw::TObject*, fw::TMessage& m, bool&) { if (m.Msg == WM_APP) log += 'a'; };
    b.OnBeforeMessage = [&](fw::TObject*, fw::TMessage& m, bool&) { if (m.Msg == WM_APP) log += 'b'; };
    for (TWndHook* h : {&a, &b}) {
      h->SetWinControl(&form);
      EXPECT_FALSE(h->Active());  // a new control is not hooked by itself
      h->SetActive(true);
      EXPECT_TRUE(h->Active());
    }
    SendMessageW(wnd, WM_APP, 0, 0);
    EXPECT_EQ(log, "ba");
    TWndHook& first = creationOrder ? a : b;
    TWndHook& second = creationOrder ? b : a;
    first.SetActive(false);
    EXPECT_FALSE(first.Active());
    log.clear();
    SendMessageW(wnd, WM_APP, 0, 0);
    EXPECT_EQ(log, creationOrder ? "b" : "a");
    second.SetActive(false);
    log.clear();
    SendMessageW(wnd, WM_APP, 0, 0);
    EXPECT_EQ(log, "");
    EXPECT_EQ(form.AppMessages(), 3);
    EXPECT_EQ(GetWindowLongPtrW(wnd, GWLP_WNDPROC), own);
    EXPECT_EQ(fw::WindowHook::HookCount(wnd), 0);
  }
}

TEST(WndHook, HandledStopsThePreviousProcedureButNotTheAfterEvent) {
  DescribedForm form([](DescribedForm&) {});
  TWndHook hook(nullptr);
  std::string after;
  hook.OnBeforeMessage = [](fw::TObject*, fw::TMessage& m, bool& handled) {
    if (m.Msg == WM_APP + 1) throw std::runtime_error("refused");
    if (m.Msg != WM_APP) return;
    handled = true;
    m.Result = 7;
  };
  hook.OnAfterMessage = [&](fw::TObject*, fw::TMessage& m, bool& handled) {
    if (m.Msg == WM_APP) after += handled ? "handled " : "passed ";
  };
  hook.SetWinControl(&form);
  hook.SetActive(true);  // no window yet: nothing to hook
  EXPECT_FALSE(hook.Active());
  form.HandleNeeded();
  hook.SetActive(true);
  EXPECT_EQ(SendMessageW(form.Handle(), WM_APP, 0, 0), 7);
  EXPECT_EQ(form.AppMessages(), 0);
  EXPECT_EQ(after, "handled ");
  // An error in a handler goes to the application's display, not to Windows.
  int shown = 0;
  App().OnException = [&](fw::TObject*, std::exception_ptr) { ++shown; };
  EXPECT_EQ(SendMessageW(form.Handle(), WM_APP + 1, 0, 0), 0);
  App().OnException = nullptr;
  EXPECT_EQ(shown, 1);
  EXPECT_TRUE(hook.Active());
}

// A freed hook is not touched again. It goes with its form, also when the
// form frees itself inside one of its own messages (Release): nothing of the
// freed hook is written on the way out of that message. A re-install request
// posted for it (its window was recreated) is dropped, even when another hook
// has been made at its address meanwhile.
TEST(WndHook, AFreedHookIsNotTouchedAgain) {
  {
    DescribedForm recreated([](DescribedForm&) {}), other([](DescribedForm&) {});
    recreated.HandleNeeded();
    other.HandleNeeded();
    TWndHook keeper(nullptr);  // keeps the hook list, and its queue, alive
    alignas(TWndHook) unsigned char place[sizeof(TWndHook)];
    auto* first = new (place) TWndHook(nullptr);
    first->SetWinControl(&recreated);
    first->SetActive(true);
    ASSERT_TRUE(first->Active());
    recreated.RecreateWnd();  // the old window's WM_DESTROY posts the request
    first->~TWndHook();
    auto* second = new (place) TWndHook(nullptr);
    second->SetWinControl(&other);  // not installed: that is for its owner to ask
    Pump();
    EXPECT_FALSE(second->Active());
    EXPECT_EQ(fw::WindowHook::HookCount(other.Handle()), 0);
    second->~TWndHook();
  }
  auto* form = new DescribedForm([](DescribedForm&) {});
  form->HandleNeeded();
  auto* hook = new TWndHook(form);
  hook->SetWinControl(form);
  hook->SetActive(true);
  ASSERT_TRUE(hook->Active());
  fwtest::FreedMemoryWatch watch;
  form->Release();
  Pump();
  EXPECT_GT(watch.Freed(), 0);
  EXPECT_EQ(watch.WrittenAfterFree(), 0);
}

// A form with a 1:1 wallpaper, as the About box has.
std::unique_ptr<DescribedForm> PaperForm(TSkinFormHook*& hook, int paperW = 420, int paperH = 351) {
  return std::make_unique<DescribedForm>([&](DescribedForm& f) {
    f.SetBorderStyle(fw::bsDialog);
    f.SetBounds(60, 60, 300, 200);
    f.SetClientSize(418, 344);
    hook = new TSkinFormHook(&f);
    hook->SetOptions({ocPaintWallpaper});
    hook->SetIdWallpaper(0);
    if (paperW) MakePaper(hook->Wallpaper(), paperW, paperH);
  });
}

TEST(SkinFormHook, ErasePaintsWallpaperGradientOrTheFormsOwnBackground) {
  TSkinFormHook* hook = nullptr;
  auto form = PaperForm(hook);
  const COLORREF own = fw::ColorToRGB(form->Color());
  auto s = Erase(*form);
  for (POINT p : {POINT{0, 0}, POINT{417, 343}, POINT{300, 7}})
    EXPECT_EQ(s->At(p.x, p.y), PaperAt(p.x, p.y)) << p.x << "," << p.y;
  // Tiled: a small picture starts again at its own size.
  MakePaper(hook->Wallpaper(), 50, 40);
  hook->SetOptions({ocPaintWallpaper, ocTileWallpaper});
  s = Erase(*form);
  EXPECT_EQ(s->At(53, 85), PaperAt(3, 5));
  // Gradient from StartColor at the top to EndColor at the bottom.
  hook->SetOptions({ocPaintGradiently, ocPaintWallpaper});
  s = Erase(*form);
  EXPECT_EQ(s->At(200, 0), RGB(0, 0, 255));
  EXPECT_LT(GetBValue(s->At(200, 343)), 4);
  // Without a picture the form erases as usual.
  hook->SetOptions({ocPaintWallpaper});
  hook->SetWallpaper(fw::TBitmap());
  s = Erase(*form);
  EXPECT_EQ(s->At(10, 10), own);
  EXPECT_EQ(s->At(417, 343), own);
}

TEST(SkinFormHook, RecreatedWindowKeepsTheWallpaper) {
  TSkinFormHook* hook = nullptr;
  auto form = PaperForm(hook);
  for (int round = 0; round < 2; ++round) {
    HWND old = form->Handle();
    form->RecreateWnd();
    ASSERT_NE(form->Handle(), old);
    Pump();
    EXPECT_TRUE(hook->Hook().Active());
    EXPECT_EQ(fw::WindowHook::HookCount(form->Handle()), 1);
    EXPECT_EQ(Erase(*form)->At(100, 50), PaperAt(100, 50));
  }
}

TEST(SkinFormHook, BesideShadowAndFillAnyOfTheThreeComesOffFirst) {
  fw::TBitmap tile;
  MakePaper(tile, 16, 16);
  const auto tileBytes = tile.SaveToMemory();
  enum Which { kHook, kFill, kShadow };
  const Which orders[][3] = {{kHook, kFill, kShadow}, {kShadow, kHook, kFill}, {kFill, kShadow, kHook}};
  for (const auto& order : orders) {
    SCOPED_TRACE(testing::Message() << order[0] << order[1] << order[2]);
    TSkinFormHook* hook = nullptr;
    fx::TFxFormFill* fill = nullptr;
    fx::TFxFormShadow* shadow = nullptr;
    DescribedForm form([&](DescribedForm& f) {
      f.SetBorderStyle(fw::bsSingle);
      f.SetBounds(50, 40, 300, 200);
      shadow = new fx::TFxFormShadow(&f);
      fill = new fx::TFxFormFill(&f);
      fill->SetDefaultFill(false);
      fill->FillObject().Bitmap().LoadFromMemory(tileBytes.data(), tileBytes.size());
      fill->FillObject().SetStyle(fx::sfBitmap);
      hook = new TSkinFormHook(&f);
      hook->SetOptions({ocDragUsingClientArea});  // paints nothing: the fill shows
    });
    ShowActive(form);
    HWND wnd = form.Handle();
    const LONG_PTR own = GetClassLongPtrW(wnd, GCLP_WNDPROC);
    ASSERT_EQ(fw::WindowHook::HookCount(wnd), 3);
    bool alive[3] = {true, true, true};
    for (int step = 0; step <= 3; ++step) {
      // Each one still there works: the drag, the fill, the shadow following a move.
      const RECT c = form.ClientRect();
      POINT centre{c.right / 2, c.bottom / 2};
      ClientToScreen(wnd, &centre);
      const LRESULT hit = SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM(centre.x, centre.y));
      EXPECT_EQ(hit, alive[kHook] ? HTCAPTION : HTCLIENT);
      EXPECT_EQ(Erase(form)->At(20, 3) == PaperAt(4, 3), alive[kFill]);
      SetWindowPos(wnd, nullptr, 60 + step * 10, 50, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
      Pump();
      if (alive[kShadow]) {
        RECT strip, w;
        GetWindowRect(shadow->RightStrip(), &strip);
        GetWindowRect(wnd, &w);
        EXPECT_EQ(strip.left, w.right);
      }
      EXPECT_EQ(SendMessageW(wnd, WM_APP, 0, 0), 0);
      EXPECT_EQ(form.AppMessages(), step + 1);
      if (step == 3) break;
      const Which w = order[step];
      alive[w] = false;
      if (w == kHook) delete hook;
      else if (w == kFill) delete fill;
      else delete shadow;
    }
    EXPECT_EQ(GetWindowLongPtrW(wnd, GWLP_WNDPROC), own);
  }
}

bool InShape(HWND wnd, int x, int y) {
  fw::GdiRegion rgn(CreateRectRgn(0, 0, 0, 0));
  if (GetWindowRgn(wnd, rgn.Get()) == ERROR) return true;  // no region: the whole window
  return PtInRegion(rgn.Get(), x, y) != 0;
}

TEST(SkinFormHook, ShapesCaptionAndCleanUpBeforeTheForm) {
  TSkinFormHook* hook = nullptr;
  fw::TLabel* label = nullptr;
  auto form = PaperForm(hook);
  label = new fw::TLabel(form.get());
  label->SetParent(form.get());
  label->SetBounds(200, 150, 40, 20);
  HWND wnd = form->Handle();
  RECT client0 = form->ClientRect(), window0;
  GetWindowRect(wnd, &window0);
  RECT f;
  GetWindowRect(wnd, &f);
  POINT o{0, 0};
  ClientToScreen(wnd, &o);
  const int dx = o.x - f.left, dy = o.y - f.top;

  hook->SetRoundXOffset(10);
  hook->SetOptions({ocPaintWallpaper, ocRoundedForm});
  EXPECT_EQ(hook->RoundXOffset(), -10);
  EXPECT_TRUE(InShape(wnd, 209, 172));   // centre of the client-sized ellipse
  EXPECT_TRUE(InShape(wnd, 11, 172));    // just inside its left end
  EXPECT_FALSE(InShape(wnd, 9, 172));    // left of it: the offset of 10
  EXPECT_FALSE(InShape(wnd, 2, 2));      // a corner

  hook->SetOptions({ocPaintWallpaper, ocPaintTransparently});  // frame and controls
  EXPECT_TRUE(InShape(wnd, 1, 1));
  EXPECT_FALSE(InShape(wnd, dx + 20, dy + 20));
  EXPECT_TRUE(InShape(wnd, dx + 210, dy + 160));  // on the label

  hook->SetOptions({ocPaintWallpaper, ocNoCaption});  // plain, without the caption bar
  EXPECT_TRUE(InShape(wnd, dx + 20, dy + 20));
  EXPECT_EQ(GetWindowLongPtrW(wnd, GWL_STYLE) & WS_CAPTION, 0);
  RECT client1 = form->ClientRect();
  EXPECT_EQ(client1.bottom, client0.bottom);  // only the caption went
  hook->SetOptions({ocPaintWallpaper, ocNoCaption, ocRoundedForm});

  delete hook;  // before its form: caption and shape come back
  EXPECT_EQ(GetWindowLongPtrW(wnd, GWL_STYLE) & WS_CAPTION, WS_CAPTION);
  EXPECT_TRUE(InShape(wnd, 2, 2));
  EXPECT_EQ(form->ClientRect().bottom, client0.bottom);
  RECT window1;
  GetWindowRect(wnd, &window1);
  EXPECT_EQ(window1.bottom - window1.top, window0.bottom - window0.top);
  EXPECT_EQ(fw::WindowHook::HookCount(wnd), 0);

  // A shape the system refuses (its window has gone) is not lost: it is freed.
  HWND gone = CreateWindowExW(0, L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  DestroyWindow(gone);
  const long regions = fw::GdiCounters::Live(fw::GdiKind::Region);
  HRGN refused = CreateRectRgn(0, 0, 5, 5);
  EXPECT_FALSE(SetWindowShape(gone, fw::GdiRegion(refused)));
  EXPECT_EQ(GetObjectType(refused), 0u);
  EXPECT_EQ(fw::GdiCounters::Live(fw::GdiKind::Region), regions);
}

// Counts the parent-colour notifications a graphic child gets.
class ColourProbe : public fw::TGraphicControl {
 public:
  using fw::TGraphicControl::TGraphicControl;
  int notes = 0;

 protected:
  void CMParentColorChanged(fw::TMessage& m) override {
    ++notes;
    fw::TGraphicControl::CMParentColorChanged(m);
  }
};

TEST(SkinFormHook, SizeRepaintsChildrenAndClientAreaDrags) {
  TSkinFormHook* hook = nullptr;
  auto form = PaperForm(hook);
  auto* probe = new ColourProbe(form.get());
  probe->SetParent(form.get());
  HWND wnd = form->Handle();
  SetWindowPos(wnd, nullptr, 0, 0, 320, 250, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  EXPECT_GE(probe->notes, 1);
  POINT p{30, 30};
  ClientToScreen(wnd, &p);
  const struct {
    TSkinOptions options;
    LRESULT hit;
  } cases[] = {{{ocPaintWallpaper}, HTCLIENT},
               {{ocDragUsingClientArea}, HTCAPTION},
               {{ocDragUsingClientArea, ocNoDragUsingCaption}, HTNOWHERE}};
  for (const auto& c : cases) {
    hook->SetOptions(c.options);
    EXPECT_EQ(SendMessageW(wnd, WM_NCHITTEST, 0, MAKELPARAM(p.x, p.y)), c.hit);
  }
}

}  // namespace
}  // namespace scroll_hook_test
