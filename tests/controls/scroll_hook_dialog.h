#pragma once
// The forms of the hook and scrolling-text tests and benchmark: the About
// box's arrangement, built from a stored description, with a 24-bit
// wallpaper whose every pixel tells where it came from.
#include <windows.h>

#include <functional>
#include <memory>

#include "controls/scrolling_text.h"
#include "controls/skin_form_hook.h"
#include "graphics/bitmap.h"
#include "stdctrls/label.h"
#include "tests/support/app.h"
#include "tests/support/bmp_file.h"
#include "tests/support/described_form.h"
#include "tests/support/dib_surface.h"

namespace scroll_hook_test {

using namespace fwtest;

// Plain text pixels (no smoothing) so the text colours can be compared.
inline const AppSetup kAppSetup{L"Scrolling text and form hook", true};

// The wallpaper's colour at (x, y): unique for every point up to 511 x 511.
inline COLORREF PaperAt(int x, int y) {
  return RGB(x & 255, y & 255, 40 + ((x >> 8) << 5) + ((y >> 8) << 6));
}

// A 24-bit picture of PaperAt, loaded from .bmp bytes as the program's
// pictures are.
inline void MakePaper(fw::TBitmap& bitmap, int width, int height) {
  bitmap.LoadFromMemory(MakeBmp(width, height, 24, {}, PaperAt));
}

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

}  // namespace scroll_hook_test
