// The scrolling text on the About box's arrangement (418 x 344 client area
// painted by the form hook with a 420 x 351 24-bit wallpaper, a few labels):
//  1. one transparent step (the parent re-rendered off screen, the text's
//     part copied to the window) against one scrolled step (ScrollWindowEx and
//     the repaint of the uncovered strip), both until the window is updated,
//     with where a transparent step's time goes;
//  2. the share of one core the process takes while a transparent text with
//     Interval 5 scrolls, against a scrolled text doing the same.
// Prints figures and ratios measured in the same run; asserts nothing.
//   controls_scroll_bench [seconds-per-run] [steps-per-round]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "controls/wnd_hook.h"
#include "graphics/gdi.h"
#include "framework/thread.h"
#include "tests/controls/scroll_hook_dialog.h"
#include "tests/support/timing.h"

namespace {

using namespace scroll_hook_test;

// Hands empty steps to the user-interface thread, as the timer does.
class HandOver : public fw::TThread {
 public:
  explicit HandOver(int count) : fw::TThread(true), count_(count) {}
  ~HandOver() override {
    Terminate();
    Resume();
    WaitFor();
  }

 protected:
  void Execute() override {
    for (int i = 0; i < count_; ++i) Synchronize([] {});
  }

 private:
  int count_;
};

double CpuSeconds() {
  FILETIME created, exited, kernel, user;
  GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
  auto s = [](FILETIME f) { return (static_cast<double>(f.dwHighDateTime) * 4294967296.0 + f.dwLowDateTime) / 1e7; };
  return s(kernel) + s(user);
}

}  // namespace

int main(int argc, char** argv) {
  const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
  const int perRound = argc > 2 ? std::atoi(argv[2]) : 200;
  App();
  PaperDialog d;
  ShowActive(*d.form);
  skin::TSkinScrollingText& text = *d.text;
  HWND form = d.form->Handle();
  // Counts the form's erases: one per transparent step, one per strip repaint.
  skin::TWndHook counter(nullptr);
  long erases = 0;
  counter.OnBeforeMessage = [&](fw::TObject*, fw::TMessage& m, bool&) {
    if (m.Msg == WM_ERASEBKGND) ++erases;
  };
  counter.SetWinControl(d.form.get());
  counter.SetActive(true);

  auto step = [&] {
    text.TimerStep();
    UpdateWindow(form);
  };
  text.SetTransparent(false);
  const double scrolled = MedianMicros(7, perRound, step);
  text.SetTransparent(true);
  const double transparent = MedianMicros(7, perRound, step);
  std::printf("scrolling text step on a 418 x 344 wallpapered dialog, median of 7 rounds of %d (microseconds)\n",
              perRound);
  std::printf("  transparent (off-screen re-render) %.1f, scrolled (ScrollWindowEx + strip) %.1f, ratio %.2f\n",
              transparent, scrolled, transparent / scrolled);

  // Where a transparent step goes: its parts one by one.
  {
    const RECT b = text.BoundsRect();
    fw::TControlCanvas window(text);
    fw::OffscreenBuffer buffer(window.Handle(), b.right - b.left, b.bottom - b.top, fw::BufferFormat::Dib32);
    SetViewportOrgEx(buffer.DC(), -b.left, -b.top, nullptr);
    const double erase = MedianMicros(7, perRound, [&] {
      SendMessageW(form, WM_ERASEBKGND, reinterpret_cast<WPARAM>(buffer.DC()), 0);
    });
    const double paint = MedianMicros(7, perRound, [&] {
      SendMessageW(form, WM_PAINT, reinterpret_cast<WPARAM>(buffer.DC()), 0);
    });
    SetViewportOrgEx(buffer.DC(), 0, 0, nullptr);
    const double copy = MedianMicros(7, perRound, [&] { buffer.CopyTo(window.Handle()); });
    const double dc = MedianMicros(7, perRound, [&] { fw::TControlCanvas c(text); });
    const double bitmap = MedianMicros(7, perRound, [&] {
      fw::OffscreenBuffer o(window.Handle(), b.right - b.left, b.bottom - b.top, fw::BufferFormat::Dib32);
    });
    const double measure = MedianMicros(7, perRound, [&] { text.MeasureText(); });
    HandOver handOver(perRound);
    const double t0 = Now();
    handOver.Resume();
    handOver.WaitFor();
    const double sync = (Now() - t0) * 1e6 / perRound;
    std::printf("  parts: erase (wallpaper) %.1f, paint (labels and text) %.1f, copy to window %.1f, "
                "window DC %.1f, buffer %.1f, text measure %.1f, hand-over from the timer thread %.1f\n",
                erase, paint, copy, dc, bitmap, measure, sync);
  }

  // The timer thread at Interval 5 for a while, the program's loop idling.
  auto run = [&](bool transparentFace, double& stepsPerSecond) {
    text.SetTransparent(transparentFace);
    text.SetInterval(5);
    erases = 0;
    const double cpu0 = CpuSeconds(), t0 = Now();
    text.SetActive(true);
    while (Now() - t0 < seconds) {
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 50, QS_ALLINPUT);
      App().ProcessMessages();
    }
    text.SetActive(false);
    const double wall = Now() - t0;
    stepsPerSecond = erases / wall;
    return (CpuSeconds() - cpu0) / wall * 100.0;
  };
  double transparentRate = 0, scrolledRate = 0;
  const double transparentCpu = run(true, transparentRate);
  const double scrolledCpu = run(false, scrolledRate);
  std::printf("Interval 5 for %.0f s (this process only; the X server and wineserver not counted)\n", seconds);
  std::printf("  transparent: %.1f %% of one core, %.0f steps/s; scrolled: %.1f %% of one core, %.0f repaints/s; "
              "ratio %.2f\n",
              transparentCpu, transparentRate, scrolledCpu, scrolledRate,
              scrolledCpu > 0 ? transparentCpu / scrolledCpu : 0.0);
  return 0;
}
