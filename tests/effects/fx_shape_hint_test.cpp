// The balloon hints: what enabling installs, the window's size and place for
// a text, the balloon's pixels composed in a memory bitmap, and no objects
// left behind over many hints.
#include <gtest/gtest.h>

#include <stdexcept>
#include <vector>

#include "effects/fx_shape_hint.h"
#include "effects/fx_shape_hint_window.h"
#include "effects/fx_text3d.h"
#include "stdctrls/button.h"
#include "graphics/gdi.h"
#include "framework/subclass.h"
#include "framework/window_binding.h"
#include "fx_form_fixture.h"

namespace {

using fx::TFxShapeHintWindow;

// The main window's settings: Times New Roman -12, raised text, depth 4.
void ProgramSettings(fx::TFxShapeHint& hint) {
  hint.Font().SetName(L"Times New Roman");
  hint.Font().SetHeight(-12);
  hint.Font().SetCharset(RUSSIAN_CHARSET);
  hint.Font3D().SetStyle(fx::tdRaised);
  hint.Shadow().SetDepth(4);
}

struct HintForm {
  fx::TFxShapeHint* hint = nullptr;
  fw::TButton* button = nullptr;
  fxtest::TestForm form{[this](fxtest::TestForm& f) {
    f.SetBounds(100, 300, 300, 150);
    f.SetColor(RGB(0, 128, 0));
    hint = new fx::TFxShapeHint(&f);
    ProgramSettings(*hint);
    button = new fw::TButton(&f);
    button->SetParent(&f);
    button->SetBounds(20, 60, 100, 25);
    button->SetHint(L"Balloon");
    button->SetShowHint(true);
  }};
};

SIZE TextBlock(const fw::TFont& font, const std::wstring& text, int limit) {
  RECT r{0, 0, limit, 0};
  fw::ClientDC screen(nullptr);
  fw::SelectGuard use(screen, font.Handle());
  DrawTextW(screen, text.c_str(), static_cast<int>(text.size()), &r,
            DT_CALCRECT | DT_EXPANDTABS | DT_WORDBREAK | DT_NOPREFIX);
  return SIZE{r.right, r.bottom};
}

TEST(ShapeHint, EnablingInstallsTheBalloonClassAndDisablingOrDestroyingEndsIt) {
  fw::TApplication& app = fwtest::App();
  TFxShapeHintWindow balloon(nullptr);
  {
    HintForm f;
    balloon.ActivateHint(RECT{300, 300, -1, -1}, L"Drawn with the component's settings");
    EXPECT_EQ(balloon.HintComponent(), f.hint);
    balloon.ReleaseHint();
    EXPECT_EQ(fx::FxActiveShapeHint(), f.hint);
    EXPECT_NE(dynamic_cast<TFxShapeHintWindow*>(app.Hints().HintWindow()), nullptr);
    f.hint->SetEnabled(false);
    EXPECT_EQ(fx::FxActiveShapeHint(), nullptr);
    EXPECT_EQ(dynamic_cast<TFxShapeHintWindow*>(app.Hints().HintWindow()), nullptr);
    f.hint->SetEnabled(true);
    EXPECT_EQ(fx::FxActiveShapeHint(), f.hint);
  }
  EXPECT_EQ(fx::FxActiveShapeHint(), nullptr);
  EXPECT_EQ(balloon.HintComponent(), nullptr);  // forgotten with the component
  EXPECT_TRUE(app.Hints().ShowHint());
  // Defaults of a component made in code.
  fx::TFxShapeHint plain(nullptr);
  EXPECT_EQ(plain.Color(), fw::clInfoBk);
  EXPECT_EQ(plain.BorderColor(), fw::clBlack);
  EXPECT_EQ(plain.MaxWidth(), -4);
  EXPECT_EQ(plain.Position(), fx::hpAboveRight);
  EXPECT_EQ(plain.Style(), fx::hsNoseRoundRect);
  EXPECT_EQ(plain.Shadow().Depth(), 6);
  EXPECT_EQ(plain.Font().Name(), L"MS Sans Serif");
}

TEST(ShapeHint, WindowSizeForTheTextAndWidthLimit) {
  HintForm f;
  TFxShapeHintWindow window(nullptr);
  const int sw = GetSystemMetrics(SM_CXSCREEN), sh = GetSystemMetrics(SM_CYSCREEN);
  const int limit = sw / 4;
  struct Case {
    std::wstring text, measuredAs;
  } cases[] = {{L"a", L"a"},
               {L"Выбор первой  единицы измерения", L"Выбор первой  единицы измерения"},
               {L"", L" "},
               {L"A hint long enough to be broken into several lines at a quarter of the screen width, "
                L"as the default width limit asks",
                L""}};
  for (const Case& c : cases) {
    SCOPED_TRACE(c.measuredAs);
    SIZE block = TextBlock(f.hint->Font(), c.measuredAs.empty() ? c.text : c.measuredAs, limit);
    window.ActivateHint(RECT{sw / 2, sh / 2, -1, -1}, c.text);
    RECT r = fxtest::WindowRectOf(window.Handle());
    EXPECT_EQ(r.right - r.left, std::max<int>(block.cx + 7, 46) + 27);
    EXPECT_EQ(r.bottom - r.top, block.cy + 29);
    // Above and right of the anchor.
    EXPECT_EQ(r.left, sw / 2 + 1);
    EXPECT_EQ(r.bottom, sh / 2 - 1);
    if (c.measuredAs.empty()) {
      EXPECT_LE(block.cx, limit);
      EXPECT_GT(block.cy, 2 * TextBlock(f.hint->Font(), L"A", limit).cy);
    }
  }
  window.ReleaseHint();
}

TEST(ShapeHint, PlacementTriesThePositionsInTurn) {
  const RECT screen{0, 0, 1024, 768};
  const SIZE size{100, 50};
  struct Case {
    POINT anchor;
    fx::TFxHintPosition start, taken;
    POINT at;
  } cases[] = {
      {{500, 300}, fx::hpAboveRight, fx::hpAboveRight, {501, 249}},
      {{500, 10}, fx::hpAboveRight, fx::hpBelowLeft, {397, 11}},    // too near the top
      {{50, 10}, fx::hpAboveRight, fx::hpBelowRight, {56, 11}},     // and the left
      {{1020, 760}, fx::hpAboveRight, fx::hpAboveLeft, {919, 709}},  // bottom right corner
      {{500, 300}, fx::hpBelowRight, fx::hpBelowRight, {506, 301}},
  };
  for (const Case& c : cases) {
    fx::TFxHintPosition position = c.start;
    POINT at = TFxShapeHintWindow::Place(c.anchor, size, position, screen);
    EXPECT_EQ(position, c.taken) << c.anchor.x << "," << c.anchor.y;
    EXPECT_EQ(at.x, c.at.x);
    EXPECT_EQ(at.y, c.at.y);
  }
  // Nothing fits: the last try (from above right: above left) is kept.
  fx::TFxHintPosition position = fx::hpAboveRight;
  TFxShapeHintWindow::Place(POINT{500, 300}, SIZE{2000, 2000}, position, screen);
  EXPECT_EQ(position, fx::hpAboveLeft);
}

struct Composed {
  std::unique_ptr<fw::OffscreenBuffer> buffer;
  int W = 0, H = 0;
  RECT text{};
  COLORREF At(int x, int y) const { return GetPixel(buffer->DC(), x, y); }
};

constexpr COLORREF kScreen = RGB(0, 128, 0), kBody = RGB(255, 255, 160), kBorder = RGB(200, 0, 0),
                   kShadow = RGB(0, 0, 120);

// The balloon for `text` composed over a plain "screen" in kScreen.
Composed Compose(fx::TFxShapeHint& hint, fx::TFxHintPosition position, const std::wstring& text) {
  TFxShapeHintWindow window(nullptr);
  window.SetHintComponent(&hint);
  Composed c;
  c.text = RECT{0, 0, hint.TextWidthLimit(), 0};
  fx::FxMeasure3DText(text, &hint.Font3D(), c.text, 0, 2, false, true, hint.Font());
  RECT size = c.text;
  window.GrowToShape(size);
  c.W = size.right;
  c.H = size.bottom;
  c.buffer = std::make_unique<fw::OffscreenBuffer>(nullptr, c.W, c.H);
  fw::GdiBrush screen(CreateSolidBrush(kScreen));
  RECT all{0, 0, c.W, c.H};
  FillRect(c.buffer->DC(), &all, screen.Get());
  window.Compose(c.buffer->Canvas(), c.W, c.H, position, c.text, text);
  c.buffer->DetachCanvas();
  OffsetRect(&c.text, 19, 4);  // where it goes above right
  return c;
}

TEST(ShapeHint, BalloonPixelsShadowBodyNoseAndRaisedText) {
  fwtest::App();
  fx::TFxShapeHint hint(nullptr);
  ProgramSettings(hint);
  hint.SetColor(kBody);
  hint.SetBorderColor(kBorder);
  hint.Shadow().SetColor(kShadow);
  hint.Font().SetName(L"Arial");
  hint.Font().SetHeight(-28);
  hint.Font().SetStyle(fw::TFontStyles{fw::fsBold});

  Composed c = Compose(hint, fx::hpAboveRight, L"IH");
  const int W = c.W, H = c.H;
  EXPECT_EQ(c.At(2, 2), kScreen);             // outside: the captured screen
  EXPECT_EQ(c.At(W - 2, H / 2), kShadow);     // shadow right of the body
  EXPECT_EQ(c.At(15, H / 2), kBorder);        // the body's left edge
  EXPECT_EQ(c.At(17, H / 2), kBody);
  EXPECT_EQ(c.At(20, H - 13), kBody);         // inside the nose
  EXPECT_EQ(c.At(40, H - 20), kBody);         // no edge between nose and body
  EXPECT_EQ(c.At(40, H - 21), kBody);
  EXPECT_EQ(c.At(60, H - 20), kBorder);       // the body's bottom edge beside it
  EXPECT_EQ(c.At(0, H - 4), kBorder);         // the tip, at the left edge

  // The text: first in the light colour, then in the text colour 1 right, 1 down.
  const COLORREF light = fw::ColorToRGB(fw::clBtnHighlight), dark = fw::ColorToRGB(fw::clInfoText);
  RECT lightBox{INT_MAX, INT_MAX, INT_MIN, INT_MIN}, darkBox = lightBox;
  auto grow = [](RECT& box, int x, int y) {
    box = RECT{std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x),
               std::max<LONG>(box.bottom, y)};
  };
  for (int y = c.text.top; y < c.text.bottom; ++y)
    for (int x = c.text.left; x < c.text.right; ++x) {
      if (c.At(x, y) == light) grow(lightBox, x, y);
      if (c.At(x, y) == dark) grow(darkBox, x, y);
    }
  ASSERT_LT(lightBox.left, lightBox.right);
  EXPECT_EQ(darkBox.left, lightBox.left + 1);
  EXPECT_EQ(darkBox.top, lightBox.top + 1);
  EXPECT_GT(darkBox.bottom, lightBox.bottom);  // drawn last, over the light copy

  // Without a shadow the screen shows where it would be.
  hint.Shadow().SetStyle(fx::hssNone);
  EXPECT_EQ(Compose(hint, fx::hpAboveRight, L"IH").At(W - 2, H / 2), kScreen);
  // Below right: the nose points up-left from the top-left corner.
  hint.Shadow().SetStyle(fx::hssSolid);
  Composed below = Compose(hint, fx::hpBelowRight, L"IH");
  EXPECT_EQ(below.At(10, 5), kBody);
  EXPECT_EQ(below.At(W / 2, H - 7), kBody);
}

// A balloon whose composing fails once its window is shown.
class FailingBalloon : public TFxShapeHintWindow {
 public:
  using TFxShapeHintWindow::TFxShapeHintWindow;
  void DrawShape(fw::TCanvas&, int, int, fx::TFxHintPosition, RECT&) const override {
    throw std::runtime_error("no room for the balloon");
  }
};

// A balloon shown at once over the one shown now takes its place cleanly:
// the old one goes without first moving anywhere (where the new one's screen
// capture could pick it up), and the new one shows the screen, not its
// predecessor. A balloon that could not be composed does not stay on screen
// with nothing drawn.
TEST(ShapeHint, ANewBalloonTakesTheOldOnesPlaceCleanlyAndAFailedOneDoesNotStay) {
  HintForm f;
  fwtest::ShowActive(f.form);
  fwtest::Settle(200);
  TFxShapeHintWindow window(nullptr);
  POINT anchor = f.form.ClientToScreen(POINT{10, 140});
  window.ActivateHint(RECT{anchor.x, anchor.y, -1, -1}, L"A much wider first balloon\nof two lines");
  fwtest::Settle();
  const RECT old = fxtest::WindowRectOf(window.Handle());
  // Where the window is each time it moves or changes size while shown.
  std::vector<RECT> shownAt;
  fw::WindowHook watch(window.Handle(), [&](HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                            const fw::SubclassNext& next) {
    const LRESULT result = next(msg, wParam, lParam);
    if (msg == WM_WINDOWPOSCHANGED && IsWindowVisible(wnd)) shownAt.push_back(fxtest::WindowRectOf(wnd));
    return result;
  });
  window.ActivateHint(RECT{anchor.x, anchor.y, -1, -1}, L"b");
  fwtest::Settle();
  RECT r = fxtest::WindowRectOf(window.Handle());
  for (const RECT& at : shownAt)
    EXPECT_TRUE(fxtest::SameRect(at, old) || fxtest::SameRect(at, r))
        << "shown at " << at.left << "," << at.top << " " << at.right - at.left << "x" << at.bottom - at.top;
  // The new window's top right corner is outside its balloon, inside the old one.
  {
    fw::ClientDC dc(window.Handle());
    EXPECT_EQ(GetPixel(dc, r.right - r.left - 1, 0), RGB(0, 128, 0));
  }
  window.ReleaseHint();

  fw::THints& hints = fwtest::App().Hints();
  POINT over = f.button->ClientToScreen(POINT{10, 10});
  SetCursorPos(over.x, over.y);
  PostMessageW(f.button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
  fwtest::App().ProcessMessages();
  fw::SetHintWindowClass(fw::THintWindowClass::Of<FailingBalloon>());
  EXPECT_THROW(hints.ActivateHint(over), std::runtime_error);  // the hint timer shows it as an error
  ASSERT_NE(dynamic_cast<FailingBalloon*>(hints.HintWindow()), nullptr);
  EXPECT_FALSE(IsWindowVisible(hints.HintWindow()->Handle()));
  hints.CancelHint();
  fw::SetHintWindowClass(fw::THintWindowClass::Of<TFxShapeHintWindow>());
}

TEST(ShapeHint, NoObjectsLeftOverAThousandHints) {
  HintForm f;
  fw::TApplication& app = fwtest::App();
  fwtest::ShowActive(f.form);
  POINT over = f.button->ClientToScreen(POINT{10, 10});
  SetCursorPos(over.x, over.y);
  auto cycle = [&] {
    PostMessageW(f.button->Handle(), WM_MOUSEMOVE, 0, MAKELPARAM(10, 10));
    app.ProcessMessages();
    app.Hints().ActivateHint(over);
    app.Hints().CancelHint();
  };
  cycle();
  ASSERT_NE(dynamic_cast<TFxShapeHintWindow*>(app.Hints().HintWindow()), nullptr);
  const long gdi = fw::GdiCounters::Live(), windows = fw::LiveBoundWindows();
  const long balloonsBefore = fw::GdiCounters::Created(fw::GdiKind::Bitmap);
  for (int i = 0; i < 1000; ++i) cycle();
  EXPECT_GE(fw::GdiCounters::Created(fw::GdiKind::Bitmap) - balloonsBefore, 1000);  // they were shown
  EXPECT_EQ(fw::GdiCounters::Live(), gdi);
  EXPECT_EQ(fw::LiveBoundWindows(), windows);
}

}  // namespace
