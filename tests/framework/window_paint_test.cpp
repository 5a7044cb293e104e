// Graphic controls are painted by their parent, also inside the background
// copy a child makes by sending the parent WM_ERASEBKGND with its own DC and
// a shifted origin; pixels are checked in memory DCs.
#include <gtest/gtest.h>

#include "stdctrls/extctrls.h"
#include "graphics/gdi.h"
#include "stdctrls/stdctrls.h"
#include "framework/subclass.h"
#include "tests/support/dib_surface.h"
#include "window_test_util.h"

namespace {

constexpr COLORREF kFormRGB = RGB(200, 0, 0);
constexpr COLORREF kLabelRGB = RGB(0, 0, 255);
constexpr COLORREF kFillRGB = RGB(0, 160, 0);

// A windowed child that paints nothing of its own: what it shows is the copy
// of its parent's background it asks for.
class TSeeThrough : public fw::TCustomControl {
 public:
  using fw::TCustomControl::TCustomControl;
  std::wstring ClassName() const override { return L"TSeeThrough"; }
  // The parent background at this control's place, as the skinned controls
  // obtain it.
  void CopyParentBackground(HDC dc) {
    fw::SavedDC saved(dc);
    POINT org;
    GetViewportOrgEx(dc, &org);
    SetViewportOrgEx(dc, org.x - Left(), org.y - Top(), nullptr);
    SendMessageW(Parent()->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    Parent()->PaintGraphicChildren(dc);
  }
};

struct PaintForm {
  fw::TForm form{nullptr};
  fw::TLabel* label = new fw::TLabel(&form);
  TSeeThrough* child = new TSeeThrough(&form);
  PaintForm() {
    fwtest::App();
    form.SetColor(static_cast<fw::TColor>(kFormRGB));
    form.SetClientSize(200, 100);
    label->SetParent(&form);
    label->SetAutoSize(false);
    label->SetCaption(L"");
    label->SetColor(static_cast<fw::TColor>(kLabelRGB));
    label->SetBounds(20, 10, 40, 20);  // x 20..59, y 10..29
    child->SetParent(&form);
    child->SetBounds(10, 5, 100, 50);  // over the label
    form.HandleNeeded();
  }
};

TEST(Painting, AGraphicChildShowsInsideTheParentBackgroundCopy) {
  PaintForm f;
  fwtest::DibSurface copy(100, 50, RGB(1, 2, 3));
  f.child->CopyParentBackground(copy.DC());
  // Child coordinates: the label lies at x 10..49, y 5..24.
  EXPECT_EQ(copy.At(10, 5), kLabelRGB);
  EXPECT_EQ(copy.At(49, 24), kLabelRGB);
  EXPECT_EQ(copy.At(50, 24), kFormRGB);
  EXPECT_EQ(copy.At(9, 5), kFormRGB);
  EXPECT_EQ(copy.At(10, 25), kFormRGB);
  EXPECT_EQ(copy.At(99, 49), kFormRGB);
  EXPECT_EQ(copy.Count(kLabelRGB, RECT{0, 0, 100, 50}), 40 * 20);
}

TEST(Painting, AHookPaintingTheFormBackgroundPaintsIntoTheCopyToo) {
  PaintForm f;
  // The way the form fill works: on WM_ERASEBKGND paint into whatever DC
  // comes, in the form's client coordinates.
  auto fill = fw::WindowHook(f.form.Handle(), [](HWND wnd, UINT msg, WPARAM w, LPARAM l,
                                                 const fw::SubclassNext& next) {
    if (msg != WM_ERASEBKGND) return next(msg, w, l);
    RECT r;
    GetClientRect(wnd, &r);
    HBRUSH b = CreateSolidBrush(kFillRGB);
    FillRect(reinterpret_cast<HDC>(w), &r, b);
    DeleteObject(b);
    return LRESULT{1};
  });
  f.label->SetTransparent(true);
  f.label->SetCaption(L"W");
  f.label->Font().SetColor(static_cast<fw::TColor>(kLabelRGB));
  f.label->Font().SetHeight(-16);
  fwtest::DibSurface copy(100, 50, RGB(1, 2, 3));
  f.child->CopyParentBackground(copy.DC());
  EXPECT_EQ(copy.At(0, 0), kFillRGB);
  EXPECT_EQ(copy.At(99, 49), kFillRGB);
  // The transparent label's text is there, its box is not.
  int text = copy.Count(kLabelRGB, RECT{10, 5, 50, 25});
  EXPECT_GT(text, 10);
  EXPECT_LT(text, 40 * 20 / 2);
  EXPECT_EQ(copy.Count(kLabelRGB, RECT{50, 0, 100, 50}), 0);
}

// The rendering children copy is made once per paint cycle, and a change
// shows in it at once: before the parent has painted it (the copy is then
// made afresh), after (a new cycle) and after a resize.
TEST(Painting, TheRenderedBackgroundIsMadeOncePerPaintCycleAndFollowsChanges) {
  PaintForm f;
  int erases = 0;
  auto counter = fw::WindowHook(f.form.Handle(), [&](HWND, UINT msg, WPARAM w, LPARAM l, const fw::SubclassNext& next) {
    if (msg == WM_ERASEBKGND) ++erases;
    return next(msg, w, l);
  });
  fwtest::ShowActive(f.form);
  auto pixelAt = [&](int x, int y) {
    HDC rendered = f.form.RenderedBackground();
    return rendered ? GetPixel(rendered, x, y) : CLR_INVALID;
  };
  EXPECT_EQ(pixelAt(20, 10), kLabelRGB);
  erases = 0;
  EXPECT_EQ(pixelAt(150, 80), kFormRGB);
  EXPECT_EQ(erases, 0) << "rendered again within one paint cycle";

  f.form.SetColor(static_cast<fw::TColor>(kFillRGB));
  EXPECT_EQ(f.form.RenderedBackground(), nullptr) << "a change waiting to be painted";
  fwtest::Pump();
  EXPECT_EQ(pixelAt(150, 80), kFillRGB);
  f.label->SetColor(static_cast<fw::TColor>(kFormRGB));
  fwtest::Pump();
  EXPECT_EQ(pixelAt(20, 10), kFormRGB);
  f.form.SetClientSize(220, 110);
  fwtest::Pump();
  EXPECT_EQ(pixelAt(215, 105), kFillRGB);
}

// Non-client painting goes to the system only where there is a frame.
class TNcCounting : public fw::TCustomControl {
 public:
  using fw::TCustomControl::TCustomControl;
  int systemNcPaints = 0;
  void DefaultHandler(fw::TMessage& m) override {
    if (m.Msg == WM_NCPAINT) ++systemNcPaints;
    fw::TCustomControl::DefaultHandler(m);
  }
};

TEST(Painting, NonClientPaintReachesTheSystemOnlyWhereThereIsAFrame) {
  PaintForm f;
  auto* child = new TNcCounting(&f.form);
  child->SetParent(&f.form);
  child->SetBounds(120, 5, 40, 40);
  child->HandleNeeded();
  SendMessageW(child->Handle(), WM_NCPAINT, 1, 0);
  EXPECT_EQ(child->systemNcPaints, 0);
  SetWindowLongPtrW(child->Handle(), GWL_STYLE, GetWindowLongPtrW(child->Handle(), GWL_STYLE) | WS_BORDER);
  SetWindowPos(child->Handle(), nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_FRAMECHANGED);
  SendMessageW(child->Handle(), WM_NCPAINT, 1, 0);
  EXPECT_EQ(child->systemNcPaints, 1);
}

TEST(Painting, TheFormsOwnPaintDrawsItsGraphicChildren) {
  PaintForm f;
  f.child->SetVisible(false);
  fwtest::DibSurface whole(200, 100, RGB(1, 2, 3));
  f.form.PaintTo(whole.DC(), -(f.form.ClientOrigin().x - f.form.Left()),
                 -(f.form.ClientOrigin().y - f.form.Top()));
  EXPECT_EQ(whole.At(20, 10), kLabelRGB);
  EXPECT_EQ(whole.At(19, 10), kFormRGB);
  EXPECT_EQ(whole.At(150, 80), kFormRGB);
}

TEST(Painting, ImageAndBevelPaintWhereTheyAre) {
  fwtest::App();
  fw::TForm form(nullptr);
  form.SetColor(fw::clWhite);
  form.SetClientSize(100, 60);
  auto* image = new fw::TImage(&form);
  image->SetParent(&form);
  image->SetBounds(10, 10, 20, 20);
  image->Picture().SetSize(4, 4);
  image->Picture().Canvas().Brush().SetColor(fw::clLime);
  image->Picture().Canvas().FillRect(RECT{0, 0, 4, 4});
  image->SetStretch(true);
  auto* bevel = new fw::TBevel(&form);
  bevel->SetParent(&form);
  bevel->SetBounds(50, 10, 30, 30);
  form.HandleNeeded();
  fwtest::DibSurface dib(100, 60, RGB(255, 255, 255));
  form.PaintControls(dib.DC());
  EXPECT_EQ(dib.Count(RGB(0, 255, 0), RECT{10, 10, 30, 30}), 400);  // stretched 4x4 -> 20x20
  EXPECT_EQ(dib.At(9, 9), RGB(255, 255, 255));
  COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
  EXPECT_EQ(dib.At(50, 20), shadow);  // lowered box: shadow left and top
  EXPECT_EQ(dib.At(60, 10), shadow);
  EXPECT_EQ(dib.At(79, 20), light);   // highlight right and bottom
  EXPECT_EQ(dib.At(60, 39), light);
}

}  // namespace
