// The main window laid out for a DPI the way Windows asks for it, with
// WM_DPICHANGED (Wine never sends it: all its monitors share one DPI): its
// client area, every child's rectangle and every font's height are the
// 96-DPI design values scaled with MulDiv rounding, and going back to 96 DPI
// gives the original layout to the pixel.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "app/main_form.h"
#include "test_application.h"

namespace {

using app::TForm1;

int FontHeight(HFONT font) {
  LOGFONTW lf{};
  GetObjectW(font, sizeof lf, &lf);
  return lf.lfHeight;
}

bool IsComboBox(fw::TControl* c) {
  auto* w = dynamic_cast<fw::TWinControl*>(c);
  if (!w || !w->HandleAllocated()) return false;
  wchar_t name[32] = {};
  GetClassNameW(w->Handle(), name, 32);
  return std::wstring(name) == L"TSkinComboBox";
}

// What the window shows of its layout.
struct Layout {
  SIZE client{};
  std::vector<RECT> bounds;
  std::vector<int> fonts;        // the height each control draws with
  std::vector<int> windowFonts;  // the height a windowed control's window holds (0 for the others)
  std::vector<int> rowHeights;   // a list's first row (0 for the others and empty lists)
};

Layout Read(TForm1& f) {
  Layout l;
  l.client = SIZE{f.ClientWidth(), f.ClientHeight()};
  for (int i = 0; i < f.ControlCount(); ++i) {
    fw::TControl* c = f.Controls(i);
    l.bounds.push_back(c->BoundsRect());
    l.fonts.push_back(FontHeight(c->Font().Handle()));
    auto* w = dynamic_cast<fw::TWinControl*>(c);
    l.windowFonts.push_back(
        w && w->HandleAllocated() ? FontHeight(reinterpret_cast<HFONT>(SendMessageW(w->Handle(), WM_GETFONT, 0, 0)))
                                  : 0);
    const bool rows = IsComboBox(c) && SendMessageW(w->Handle(), CB_GETCOUNT, 0, 0) > 0;
    l.rowHeights.push_back(rows ? static_cast<int>(SendMessageW(w->Handle(), CB_GETITEMHEIGHT, 0, 0)) : 0);
  }
  return l;
}

void MoveToMonitorOf(TForm1& f, int dpi) {
  RECT suggested{};
  GetWindowRect(f.Handle(), &suggested);
  SendMessageW(f.Handle(), WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

class MainFormScale : public ::testing::Test {
 protected:
  void SetUp() override {
    fwtest::App();
    form_ = std::make_unique<TForm1>(&fwtest::App());
    // Shown: the source list has its rows.
    form_->Show();
    design_ = Read(*form_);
  }
  void TearDown() override { form_.reset(); }
  std::unique_ptr<TForm1> form_;
  Layout design_;  // at 96 DPI, as created here
};

TEST_F(MainFormScale, ClientChildrenAndFontsAreTheDesignScaled) {
  for (int dpi : {96, 120, 144, 192}) {
    SCOPED_TRACE(dpi);
    MoveToMonitorOf(*form_, dpi);
    const Layout now = Read(*form_);
    auto scaled = [dpi](LONG design) { return MulDiv(design, dpi, 96); };
    EXPECT_EQ(now.client.cx, scaled(design_.client.cx));
    EXPECT_EQ(now.client.cy, scaled(design_.client.cy));
    for (size_t i = 0; i < now.bounds.size(); ++i) {
      SCOPED_TRACE(form_->Controls(static_cast<int>(i))->Name());
      const RECT& d = design_.bounds[i];
      const RECT& r = now.bounds[i];
      EXPECT_EQ(r.left, scaled(d.left));
      EXPECT_EQ(r.top, scaled(d.top));
      EXPECT_EQ(r.right - r.left, scaled(d.right - d.left));
      // A list's height is the system's, around a selection field that
      // follows the font; its rows have the scaled height.
      if (IsComboBox(form_->Controls(static_cast<int>(i))))
        EXPECT_EQ(now.rowHeights[i], scaled(design_.rowHeights[i]));
      else
        EXPECT_EQ(r.bottom - r.top, scaled(d.bottom - d.top));
      EXPECT_EQ(now.fonts[i], scaled(design_.fonts[i]));
      EXPECT_EQ(now.windowFonts[i], scaled(design_.windowFonts[i]));
    }
  }
}

TEST_F(MainFormScale, MovingToOtherScalesAndBackLeavesNoDrift) {
  for (int dpi : {144, 120, 192, 96}) MoveToMonitorOf(*form_, dpi);
  const Layout back = Read(*form_);
  EXPECT_EQ(back.client.cx, design_.client.cx);
  EXPECT_EQ(back.client.cy, design_.client.cy);
  for (size_t i = 0; i < back.bounds.size(); ++i) {
    SCOPED_TRACE(form_->Controls(static_cast<int>(i))->Name());
    EXPECT_TRUE(EqualRect(&back.bounds[i], &design_.bounds[i]));
    EXPECT_EQ(back.fonts[i], design_.fonts[i]);
    EXPECT_EQ(back.rowHeights[i], design_.rowHeights[i]);
  }
}

}  // namespace
