// Full repaint of a keypad-style button (elliptical, transparent, over a
// window tiled with a bitmap) against a plain system BUTTON of the same size
// painted in the same run. Prints medians of several rounds and their ratio.
//   controls_paint_bench [repaints-per-round] [rounds]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "controls/skin_button.h"
#include "tests/controls/keypad_key.h"
#include "framework/application.h"
#include "graphics/bitmap.h"
#include "graphics/canvas.h"
#include "framework/form.h"
#include "tests/support/timing.h"

namespace {

using fwtest::Median;
using fwtest::MedianMicros;

// A 160 x 160 picture (the size of the program's window fill) tiled over
// the client area on every erase.
class TiledForm : public fw::TForm {
 public:
  TiledForm() : fw::TForm(nullptr) {
    tile_.SetSize(160, 160);
    tile_.SetPixelFormat(fw::pf24bit);
    for (int y = 0; y < 160; y += 4)
      for (int x = 0; x < 160; x += 4) {
        tile_.Canvas().Brush().SetColor(fw::RGBColor(x, y, (x + y) / 2));
        tile_.Canvas().FillRect(RECT{x, y, x + 4, y + 4});
      }
    SetBorderStyle(fw::bsNone);
    SetBounds(20, 20, 388, 197);
  }

 protected:
  void WMEraseBkgnd(fw::TMessage& m) override {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    HDC src = tile_.Canvas().Handle();
    const RECT client = ClientRect();
    for (int y = 0; y < client.bottom; y += 160)
      for (int x = 0; x < client.right; x += 160) BitBlt(dc, x, y, 160, 160, src, 0, 0, SRCCOPY);
    m.Result = 1;
  }

 private:
  fw::TBitmap tile_;
};

void FullRepaint(HWND wnd) { RedrawWindow(wnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW); }

}  // namespace

int main(int argc, char** argv) {
  const int perRound = argc > 1 ? std::max(1, std::atoi(argv[1])) : 500;
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 7;

  fw::TApplication app;
  TiledForm form;
  skin::TSkinBtn* key = button_label_test::NewKeypadKey(form, 208, 56);
  form.Show();
  app.ProcessMessages();
  HWND system = CreateWindowExW(0, L"BUTTON", L"8", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 264, 56, 57, 25,
                                form.Handle(), nullptr, GetModuleHandleW(nullptr), nullptr);
  SendMessageW(system, WM_SETFONT, reinterpret_cast<WPARAM>(key->Font().Handle()), FALSE);
  app.ProcessMessages();

  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 57, 25);
  HGDIOBJ old = SelectObject(memory, bitmap);
  ReleaseDC(nullptr, screen);

  // Warm-up: fonts, glyph caches, the first paint of each window.
  for (int i = 0; i < 50; ++i) {
    FullRepaint(key->Handle());
    FullRepaint(system);
  }

  // Interleaved rounds so that both see the same machine state.
  std::vector<double> skinScreen, systemScreen, skinMemory, systemMemory;
  for (int r = 0; r < rounds; ++r) {
    skinScreen.push_back(MedianMicros(1, perRound, [&] { FullRepaint(key->Handle()); }));
    systemScreen.push_back(MedianMicros(1, perRound, [&] { FullRepaint(system); }));
    skinMemory.push_back(MedianMicros(1, perRound, [&] { key->PaintTo(memory); }));
    systemMemory.push_back(MedianMicros(1, perRound, [&] {
      SendMessageW(system, WM_ERASEBKGND, reinterpret_cast<WPARAM>(memory), 0);
      SendMessageW(system, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(memory), PRF_CLIENT | PRF_ERASEBKGND);
    }));
  }
  const double ks = Median(skinScreen), ss = Median(systemScreen);
  const double km = Median(skinMemory), sm = Median(systemMemory);
  std::printf("full repaint, %d rounds of %d (median microseconds per repaint)\n", rounds, perRound);
  std::printf("  window (RedrawWindow + update): keypad TSkinBtn %.1f, system BUTTON %.1f, ratio %.2f\n", ks, ss, ks / ss);
  std::printf("  memory DC (paint-to / WM_PRINTCLIENT): keypad TSkinBtn %.1f, system BUTTON %.1f, ratio %.2f\n", km, sm,
              km / sm);

  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  DestroyWindow(system);
  return 0;
}
