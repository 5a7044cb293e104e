// No growth of GDI or USER objects: GetGuiResources answers 0 under Wine, so
// the framework's own counters (GDI owners, bound windows, timers, hook
// chains) are compared, and the process's private memory is watched.
#include <gtest/gtest.h>
#include <windows.h>

#include <psapi.h>

#include "stdctrls/extctrls.h"
#include "graphics/gdi.h"
#include "stdctrls/stdctrls.h"
#include "framework/subclass.h"
#include "framework/timer.h"
#include "window_test_util.h"

namespace {

SIZE_T PrivateBytes() {
  PROCESS_MEMORY_COUNTERS_EX pmc{};
  pmc.cb = sizeof pmc;
  GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&pmc), sizeof pmc);
  // Wine may leave PrivateUsage empty; the pagefile figure is the same thing.
  return pmc.PrivateUsage ? pmc.PrivateUsage : pmc.PagefileUsage;
}

struct Counts {
  long gdi = fw::GdiCounters::Live();
  long windows = fw::LiveBoundWindows();
  long timers = fw::TTimer::LiveTimers();
  int chains = fw::WindowHook::ChainedWindows();
  bool operator==(const Counts&) const = default;
};

void PrintTo(const Counts& c, std::ostream* os) {
  *os << "gdi " << c.gdi << ", windows " << c.windows << ", timers " << c.timers << ", chains "
      << c.chains;
}

// A custom control drawing with the canvas and an off-screen buffer.
class TPainted : public fw::TCustomControl {
 public:
  using fw::TCustomControl::TCustomControl;
  int paints = 0;
 protected:
  void Paint() override {
    ++paints;
    fw::OffscreenBuffer buffer(Canvas().Handle(), Width(), Height());
    buffer.Canvas().Brush().SetColor(fw::clYellow);
    buffer.Canvas().Pen().SetColor(fw::clNavy);
    buffer.Canvas().Ellipse(0, 0, Width(), Height());
    buffer.Canvas().Font().SetHeight(-13);
    buffer.Canvas().TextOut(2, 2, L"7");
    buffer.CopyTo(Canvas().Handle());
  }
};

class TCycleForm : public fw::TForm {
 public:
  explicit TCycleForm(fw::TComponent* owner) : fw::TForm(owner) {
    ReadDescription([this] {
      SetBounds(20, 20, 300, 150);
      SetFormStyle(fw::fsStayOnTop);
      auto* label = new fw::TLabel(this);
      label->SetParent(this);
      label->SetCaption(L"Mass");
      label->Font().SetName(L"Times New Roman");
      auto* edit = new fw::TEdit(this);
      edit->SetParent(this);
      edit->SetBounds(8, 30, 100, 21);
      edit->SetText(L"1");
      auto* combo = new fw::TComboBox(this);
      combo->SetParent(this);
      combo->SetStyle(fw::csOwnerDrawFixed);
      combo->SetBounds(120, 30, 100, 21);
      combo->Items().Add(L"kg");
      combo->Items().Add(L"g");
      combo->SetItemIndex(0);
      auto* button = new fw::TButton(this);
      button->SetParent(this);
      button->SetCaption(L"&Close");
      button->SetBounds(8, 60, 75, 25);
      painted = new TPainted(this);
      painted->SetParent(this);
      painted->SetBounds(100, 60, 57, 25);
      auto* timer = new fw::TTimer(this);
      timer->SetInterval(1000);
      timer->SetOnTimer([](fw::TObject*) {});
    });
    hook = fw::WindowHook(Handle(), [](HWND, UINT m, WPARAM w, LPARAM l, const fw::SubclassNext& next) {
      return next(m, w, l);
    });
  }
  TPainted* painted = nullptr;
  fw::WindowHook hook;
};

TEST(Leaks, TenThousandPaintsLeaveNoObjectsBehind) {
  fwtest::App();
  TCycleForm form(nullptr);
  fwtest::ShowActive(form);
  auto paint = [&] {
    RedrawWindow(form.Handle(), nullptr, nullptr,
                 RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  };
  for (int i = 0; i < 100; ++i) paint();  // caches, fonts, first allocations
  fwtest::Pump();
  Counts before;
  SIZE_T memory = PrivateBytes();
  ASSERT_GT(memory, 0u);
  RecordProperty("private_bytes_before_paints", static_cast<int>(memory));
  int paintsBefore = form.painted->paints;
  for (int i = 0; i < 10000; ++i) paint();
  fwtest::Pump();
  EXPECT_EQ(form.painted->paints - paintsBefore, 10000);
  EXPECT_EQ(Counts{}, before);
  SIZE_T grown = PrivateBytes() > memory ? PrivateBytes() - memory : 0;
  EXPECT_LT(grown, 1024u * 1024) << "private bytes grew by " << grown;
  RecordProperty("private_bytes_growth_10000_paints", static_cast<int>(grown));
}

TEST(Leaks, AThousandFormsCreatedShownAndDestroyedLeaveNoObjectsBehind) {
  fwtest::App();
  int n = 0;
  auto cycle = [&n] {
    auto* form = new TCycleForm(nullptr);
    form->Show();
    form->Update();
    delete form;
    // As a running program would, handle what the system queued meanwhile.
    if (++n % 50 == 0) fwtest::Pump(1);
  };
  // Wine's own allocations settle within the first few hundred windows.
  for (int i = 0; i < 300; ++i) cycle();
  fwtest::Pump();
  Counts before;
  SIZE_T memory = PrivateBytes();
  for (int i = 0; i < 1000; ++i) cycle();
  fwtest::Pump();
  EXPECT_EQ(Counts{}, before);
  SIZE_T grown = PrivateBytes() > memory ? PrivateBytes() - memory : 0;
  EXPECT_LT(grown, 1024u * 1024) << "private bytes grew by " << grown;
  RecordProperty("private_bytes_growth_1000_forms", static_cast<int>(grown));
}

}  // namespace
