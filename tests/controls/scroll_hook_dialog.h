#pragma once
// The forms of the hook and scrolling-text tests and benchmark: forms built
// from a stored description, the About box's arrangement, a 24-bit wallpaper
// whose every pixel tells where it came from, and GDI/window counters.
#include <windows.h>

#include <cstring>
#include <functional>
#include <memory>
#include <vector>

#include "controls/scrolling_text.h"
#include "controls/skin_form_hook.h"
#include "graphics/bitmap.h"
#include "framework/form.h"
#include "graphics/gdi.h"
#include "stdctrls/label.h"
#include "framework/window_binding.h"
#include "framework/application.h"
#include "tests/controls/dib_surface.h"

namespace scroll_hook_test {

// The one application object of the program.
inline fw::TApplication& App() {
  static fw::TApplication* app = [] {
    auto* a = new fw::TApplication();
    a->SetTitle(L"Scrolling text and form hook");
    // Plain text pixels (no smoothing) so the text colours can be compared.
    SystemParametersInfoW(SPI_SETFONTSMOOTHING, FALSE, nullptr, 0);
    return a;
  }();
  return *app;
}

inline void Pump(int rounds = 3) {
  for (int i = 0; i < rounds; ++i) {
    App().ProcessMessages();
    Sleep(1);
  }
}

// Shows a form and makes it the active window.
inline void ShowActive(fw::TForm& form) {
  form.Show();
  SetForegroundWindow(form.Handle());
  SetActiveWindow(form.Handle());
  Pump();
}

// The wallpaper's colour at (x, y): unique for every point up to 511 x 511.
inline COLORREF PaperAt(int x, int y) {
  return RGB(x & 255, y & 255, 40 + ((x >> 8) << 5) + ((y >> 8) << 6));
}

// A 24-bit picture of PaperAt, loaded from .bmp bytes as the program's
// pictures are.
inline void MakePaper(fw::TBitmap& bitmap, int width, int height) {
  const int stride = (width * 3 + 3) & ~3;
  std::vector<std::byte> bytes(sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER) + stride * height);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;
  file.bfSize = static_cast<DWORD>(bytes.size());
  file.bfOffBits = sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER);
  BITMAPINFOHEADER info{};
  info.biSize = sizeof info;
  info.biWidth = width;
  info.biHeight = height;  // bottom-up
  info.biPlanes = 1;
  info.biBitCount = 24;
  std::memcpy(bytes.data(), &file, sizeof file);
  std::memcpy(bytes.data() + sizeof file, &info, sizeof info);
  auto* pixels = reinterpret_cast<unsigned char*>(bytes.data() + file.bfOffBits);
  for (int y = 0; y < height; ++y) {
    unsigned char* row = pixels + (height - 1 - y) * stride;
    for (int x = 0; x < width; ++x) {
      const COLORREF c = PaperAt(x, y);
      row[3 * x] = GetBValue(c);
      row[3 * x + 1] = GetGValue(c);
      row[3 * x + 2] = GetRValue(c);
    }
  }
  bitmap.LoadFromMemory(bytes.data(), bytes.size());
}

// A form whose components the test's description creates while it loads;
// counts the WM_APP messages its own procedure sees.
class DescribedForm : public fw::TForm {
 public:
  explicit DescribedForm(const std::function<void(DescribedForm&)>& description) : fw::TForm(nullptr) {
    App();
    ReadDescription([&] { description(*this); });
  }
  int AppMessages() const { return appMessages_; }

 protected:
  void WndProc(fw::TMessage& m) override {
    if (m.Msg == WM_APP) ++appMessages_;
    fw::TForm::WndProc(m);
  }

 private:
  int appMessages_ = 0;
};

// The About box's arrangement: a 418 x 344 dialog painted by a form hook
// with a 420 x 351 wallpaper, a few white labels, and the scrolling text at
// 24, 144, 377 x 41 in bold navy Courier New with one line.
struct PaperDialog {
  std::unique_ptr<DescribedForm> form;
  skin::TSkinFormHook* hook = nullptr;
  skin::TSkinScrollingText* text = nullptr;

  explicit PaperDialog(const std::function<void(skin::TSkinScrollingText&)>& setup = nullptr) {
    form = std::make_unique<DescribedForm>([&](DescribedForm& f) {
      f.SetBorderStyle(fw::bsDialog);
      f.SetBounds(40, 40, 300, 200);
      f.SetClientSize(418, 344);
      hook = new skin::TSkinFormHook(&f);
      hook->SetOptions({skin::ocPaintWallpaper});
      hook->SetIdWallpaper(0);
      MakePaper(hook->Wallpaper(), 420, 351);
      const wchar_t* captions[] = {L"Windows NT 5.1 (  Build 2600)", L"Memory Available to Windows:", L"524,288 KB"};
      for (int i = 0; i < 3; ++i) {
        auto* label = new fw::TLabel(&f);
        label->SetParent(&f);
        label->SetTransparent(true);
        label->Font().SetColor(fw::clWhite);
        label->SetLeft(46 + (i == 2 ? 250 : 0));
        label->SetTop(223 + (i ? 17 : 0));
        label->SetCaption(captions[i]);
      }
      text = new skin::TSkinScrollingText(&f);
      text->SetParent(&f);
      text->SetBounds(24, 144, 377, 41);
      text->Font().SetName(L"Courier New");
      text->Font().SetHeight(-13);
      text->Font().SetStyle({fw::fsBold});
      text->Font().SetColor(fw::clNavy);
      text->Strings().Add(L" Quantity converter (c) 2026 ");
      if (setup) setup(*text);
    });
  }
};

// Every live GDI object and DC of the framework's wrappers, and the bound
// windows: equal snapshots mean nothing was left behind.
struct Resources {
  long gdi[static_cast<int>(fw::GdiKind::Count_)];
  long windows;
  static Resources Now() {
    Resources r{};
    for (int k = 0; k < static_cast<int>(fw::GdiKind::Count_); ++k)
      r.gdi[k] = fw::GdiCounters::Live(static_cast<fw::GdiKind>(k));
    r.windows = fw::LiveBoundWindows();
    return r;
  }
};

}  // namespace scroll_hook_test
