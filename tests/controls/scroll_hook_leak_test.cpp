// Nothing outlives a step or a hook: 10,000 scrolling steps in the three
// ways of showing them, and 1,000 form hooks installed (with a shape) and
// removed, counted by the framework's wrappers (GetGuiResources says nothing
// under Wine) and by the framework's window-procedure chains.
#include <gtest/gtest.h>
#include <windows.h>

#include "controls/skin_form_hook.h"
#include "controls/wnd_hook.h"
#include "framework/subclass.h"
#include "tests/controls/scroll_hook_dialog.h"
#include "tests/support/resources.h"

namespace scroll_hook_test {
namespace {

using namespace skin;

TEST(ScrollHookLeaks, TenThousandStepsLeaveNothingBehind) {
  PaperDialog d;
  ShowActive(*d.form);
  TSkinScrollingText& t = *d.text;
  auto mode = [&](int block) {
    t.SetTransparent(block == 0);
    if (block == 1) MakePaper(t.Wallpaper(), 30, 20);
    if (block == 2) t.SetWallpaper(fw::TBitmap());
  };
  for (int block = 0; block < 3; ++block) {  // the first of each: caches, fonts
    mode(block);
    t.TimerStep();
  }
  Pump();
  const Resources before = Resources::Now();
  const long dcs = fw::GdiCounters::Created(fw::GdiKind::DC);
  for (int i = 0; i < 10000; ++i) {
    if (i % 3334 == 0) mode(i / 3334);
    t.TimerStep();
    if (i % 50 == 0) Pump(1);
  }
  Pump();
  ExpectSame(before, Resources::Now());
  EXPECT_GE(fw::GdiCounters::Created(fw::GdiKind::DC) - dcs, 6666);  // the steps went through them
}

TEST(ScrollHookLeaks, ThousandHookCyclesLeaveNothingBehind) {
  DescribedForm form([](DescribedForm& f) { f.SetBorderStyle(fw::bsSingle); });
  HWND wnd = form.Handle();
  const LONG_PTR own = GetWindowLongPtrW(wnd, GWLP_WNDPROC);
  const Resources before = Resources::Now();
  for (int i = 0; i < 1000; ++i) {
    auto* hook = new TSkinFormHook(&form);
    hook->Loaded();
    ASSERT_EQ(fw::WindowHook::HookCount(wnd), 1);
    if (i % 10 == 0) hook->SetOptions({ocPaintWallpaper, ocRoundedForm});  // shapes are slow under Wine
    if (i % 20 == 0) hook->SetOptions({ocPaintTransparently});
    delete hook;
  }
  ExpectSame(before, Resources::Now());
  EXPECT_EQ(THookList::Instance(), nullptr);
  EXPECT_EQ(fw::WindowHook::HookCount(wnd), 0);
  EXPECT_EQ(GetWindowLongPtrW(wnd, GWLP_WNDPROC), own);
}

}  // namespace
}  // namespace scroll_hook_test
