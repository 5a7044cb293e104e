// The bevelled caption label: bevel extents, the frame and the text area it
// leaves, wrapping and centring, accelerators, auto-size and the change
// notifications that drive it. Rendered into memory DCs through WM_PAINT.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "core/exceptions.h"
#include "effects/fx_bevel.h"
#include "effects/fx_label.h"
#include "effects/fx_text3d.h"
#include "stdctrls/edit.h"
#include "graphics/gdi.h"
#include "fx_form_fixture.h"

namespace {

using fxtest::TestForm;

TEST(FxBevel, ExtentOfEveryModeAndTheStyleRules) {
  struct Case {
    const char* what;
    void (*set)(fx::TFxBevel&);
    int extent;
  } cases[] = {
      {"defaults", [](fx::TFxBevel&) {}, 0},
      {"custom shadow", [](fx::TFxBevel& b) { b.SetStyleInner(fx::bvShadow); b.SetWidthInner(3); b.SetBorderInnerWidth(2); b.SetBorderWidth(9); }, 5},
      {"custom frames", [](fx::TFxBevel& b) {
         b.SetStyleOuter(fx::bvLowered); b.SetWidthOuter(2); b.SetStyleInner(fx::bvFrameRaised);
         b.SetBorderWidth(4); b.SetBorderInnerWidth(1); }, 2 + 1 + 1 + 4 + 1},
      {"standard none", [](fx::TFxBevel& b) { b.SetMode(fx::bmStandard); b.SetStandardStyle(fx::lsNone); b.SetBorderInnerWidth(1); }, 1},
      {"standard single lowered", [](fx::TFxBevel& b) { b.SetMode(fx::bmStandard); }, 1},
      {"standard single", [](fx::TFxBevel& b) { b.SetMode(fx::bmStandard); b.SetStandardStyle(fx::lsSingle); }, 1},
      {"standard lowered", [](fx::TFxBevel& b) { b.SetMode(fx::bmStandard); b.SetStandardStyle(fx::lsLowered); b.SetBorderInnerWidth(3); }, 5},
      {"edge", [](fx::TFxBevel& b) { b.SetMode(fx::bmEdge); }, 2},
      {"edge no sides", [](fx::TFxBevel& b) { b.SetMode(fx::bmEdge); b.SetBorderSides(0); b.SetBorderInnerWidth(1); }, 1},
      {"windows", [](fx::TFxBevel& b) { b.SetMode(fx::bmWindows); b.SetBorderInnerWidth(2); }, 4},
  };
  for (const Case& c : cases) {
    fx::TFxBevel bevel;
    c.set(bevel);
    EXPECT_EQ(bevel.Extent(), c.extent) << c.what;
  }

  fx::TFxBevel bevel;
  int notes = 0;
  bevel.OnChange = [&notes](fw::TObject*) { ++notes; };
  bevel.SetStandardStyle(fx::lsRaised);  // not shown in bmCustom
  EXPECT_EQ(notes, 0);
  bevel.SetStyleOuter(fx::bvShadow);
  EXPECT_EQ(bevel.StyleInner(), fx::bvShadow);
  bevel.SetStyleInner(fx::bvRaised);
  EXPECT_EQ(bevel.StyleOuter(), fx::bvNone);
  EXPECT_EQ(notes, 2);
}

constexpr COLORREF kBack = RGB(1, 2, 3);

// A label on a test form, with the caption font of the About dialog's title
// in yellow so that its pixels are told apart from frame and background.
struct LabelForm {
  fx::TFxLabel* label = nullptr;
  fw::TEdit* edit = nullptr;
  std::unique_ptr<TestForm> form;
  LabelForm(int w, int h, const std::wstring& caption, fx::TFxAlignment alignment, bool multiLine) {
    form = std::make_unique<TestForm>([&](TestForm& f) {
      f.SetBounds(100, 100, 420, 240);
      edit = new fw::TEdit(&f);
      edit->SetParent(&f);
      edit->SetBounds(10, 150, 100, 24);
      label = new fx::TFxLabel(&f);
      label->SetParent(&f);
      label->SetBounds(20, 20, w, h);
      label->Font().SetName(L"Times New Roman");
      label->Font().SetHeight(-21);
      label->Font().SetStyle({fw::fsBold});
      label->Font().SetColor(fw::clYellow);
      label->Font().SetCharset(RUSSIAN_CHARSET);
      label->SetAutoSize(false);
      label->SetAlignment(alignment);
      label->SetMultiLine(multiLine);
      label->SetCaption(caption);
    });
  }
  // The label painted over kBack.
  std::unique_ptr<fwtest::DibSurface> Render() {
    auto s = std::make_unique<fwtest::DibSurface>(label->Width(), label->Height(), kBack);
    label->Perform(WM_PAINT, reinterpret_cast<WPARAM>(s->DC()), 0);
    return s;
  }
  int LineHeight() {
    fw::ClientDC dc(nullptr);
    fw::SelectGuard font(dc, label->Font().Handle());
    TEXTMETRICW tm{};
    GetTextMetricsW(dc, &tm);
    return tm.tmHeight;
  }
  // Height of the caption wrapped at the given width, as the system lays it out.
  int WrappedHeight(int width) {
    fw::ClientDC dc(nullptr);
    fw::SelectGuard font(dc, label->Font().Handle());
    RECT r{0, 0, width, 0};
    const std::wstring text = label->Caption();
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &r, DT_CALCRECT | DT_WORDBREAK | DT_EXPANDTABS);
    return r.bottom;
  }
};

bool IsText(COLORREF c) { return GetRValue(c) > 100 && GetGValue(c) > 100 && GetBValue(c) < 100; }

// Bounding box of the caption's pixels (empty when there are none).
RECT TextBox(const fwtest::DibSurface& s, int* count = nullptr) {
  RECT box{s.Width(), s.Height(), 0, 0};
  int n = 0;
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x)
      if (IsText(s.At(x, y))) {
        ++n;
        box = RECT{std::min<LONG>(box.left, x), std::min<LONG>(box.top, y), std::max<LONG>(box.right, x + 1),
                   std::max<LONG>(box.bottom, y + 1)};
      }
  if (count) *count = n;
  return box;
}

TEST(FxLabel, StoredBevelDrawsNoFrameAndStandardModeASunkenPixelThatShrinksTheText) {
  const int w = 120, h = 40;
  LabelForm f(w, h, L"Ab", fx::agTopLeft, true);
  f.label->Bevel().SetMode(fx::bmCustom);
  f.label->Bevel().SetStandardStyle(fx::lsSingleLowered);
  auto plain = f.Render();
  for (POINT p : {POINT{w / 2, 0}, POINT{0, h / 2}, POINT{w / 2, h - 1}, POINT{w - 1, h / 2}})
    EXPECT_EQ(plain->At(p.x, p.y), kBack) << p.x << "," << p.y;

  f.label->Bevel().SetMode(fx::bmStandard);
  auto framed = f.Render();
  const COLORREF shadow = GetSysColor(COLOR_BTNSHADOW), light = GetSysColor(COLOR_BTNHIGHLIGHT);
  EXPECT_EQ(framed->At(w / 2, 0), shadow);
  EXPECT_EQ(framed->At(0, h / 2), shadow);
  EXPECT_EQ(framed->At(w / 2, h - 1), light);
  EXPECT_EQ(framed->At(w - 1, h / 2), light);
  EXPECT_EQ(framed->At(w / 2, 1), kBack);  // one pixel wide
  const RECT a = TextBox(*plain), b = TextBox(*framed);
  ASSERT_LT(a.left, a.right);
  EXPECT_EQ(b.left, a.left + 1);
  EXPECT_EQ(b.top, a.top + 1);
}

TEST(FxLabel, LongCaptionWrapsIntoACentredBlockAndOneLineIsCentredVertically) {
  const std::wstring title = L"Quantity converter    v 2.3   ";
  LabelForm wrapped(150, 90, title, fx::agCenter, true);
  const int lineH = wrapped.LineHeight();
  const RECT box = TextBox(*wrapped.Render());
  ASSERT_LT(box.left, box.right);
  // The block is measured at the label's width less 1, 2 pixels added.
  const int blockH = wrapped.WrappedHeight(149) + 2, blockTop = (90 - blockH) / 2;
  ASSERT_GE(blockH, 2 * lineH);
  EXPECT_GE(box.top, blockTop);
  EXPECT_LT(box.top, blockTop + lineH / 2);
  EXPECT_GT(box.bottom, blockTop + lineH);  // a second line
  EXPECT_LE(box.bottom, blockTop + blockH);
  EXPECT_LE(std::abs(box.left - (150 - box.right)), 2);

  LabelForm single(200, 60, L"Short", fx::agCenter, false);
  const RECT one = TextBox(*single.Render());
  const int cellTop = (60 - single.LineHeight()) / 2;
  EXPECT_GE(one.top, cellTop);
  EXPECT_LE(one.bottom, cellTop + single.LineHeight());
  EXPECT_GT(one.top, 10);
}

// Only the nine positions are alignments: any other value is refused with
// an error and the label keeps its alignment (and still paints).
TEST(FxLabel, AlignmentOutsideTheNinePositionsIsRefused) {
  LabelForm form(200, 60, L"Short", fx::agCenter, false);
  const RECT centred = TextBox(*form.Render());
  for (int value : {-1, 9, 1000}) {
    EXPECT_THROW(form.label->SetAlignment(static_cast<fx::TFxAlignment>(value)), core::ERangeError) << value;
    EXPECT_EQ(form.label->Alignment(), fx::agCenter);
  }
  const RECT after = TextBox(*form.Render());
  EXPECT_EQ(after.left, centred.left);
  EXPECT_EQ(after.top, centred.top);
  form.label->SetAlignment(fx::agBottomRight);  // the last of the nine
  EXPECT_EQ(form.label->Alignment(), fx::agBottomRight);
}

TEST(FxLabel, AmpersandMarksTheAcceleratorThatFocusesTheFocusControl) {
  LabelForm marked(200, 40, L"&Quantity", fx::agTopLeft, true);
  LabelForm plain(200, 40, L"Quantity", fx::agTopLeft, true);
  int markedCount = 0, plainCount = 0;
  const RECT m = TextBox(*marked.Render(), &markedCount), p = TextBox(*plain.Render(), &plainCount);
  EXPECT_LE(std::abs(m.left - p.left), 1);  // no "&" drawn (the underline may reach further)
  EXPECT_EQ(m.right, p.right);
  EXPECT_GT(markedCount, plainCount);  // the underline

  fwtest::ShowActive(*marked.form);
  marked.label->SetFocusControl(marked.edit);
  EXPECT_EQ(marked.label->Perform(fw::CM_DIALOGCHAR, L'x'), 0);
  EXPECT_EQ(marked.label->Perform(fw::CM_DIALOGCHAR, L'q'), 1);
  EXPECT_EQ(GetFocus(), marked.edit->Handle());

  marked.label->SetShowAccelChar(false);
  EXPECT_EQ(marked.label->Perform(fw::CM_DIALOGCHAR, L'q'), 0);
  EXPECT_GT(TextBox(*marked.Render()).right, m.right);  // "&" drawn now
}

TEST(FxLabel, AutoSizeFollowsCaptionAndBevelThroughTheirNotifications) {
  LabelForm f(10, 10, L"", fx::agTopLeft, false);
  std::vector<unsigned> changes;
  f.label->OnBoundsChanged = [&changes](unsigned flags) { changes.push_back(flags); };
  f.label->SetAutoSize(true);
  f.label->SetCaption(L"Converter");
  RECT expected{0, 0, 10, 10};
  fx::FxMeasure3DText(L"Converter", nullptr, expected, 0, 0, true, false, f.label->Font());
  EXPECT_EQ(f.label->Width(), expected.right);
  EXPECT_EQ(f.label->Height(), expected.bottom);
  EXPECT_EQ(f.label->Left(), 20);

  f.label->Bevel().SetMode(fx::bmStandard);  // extent 1 on each side
  EXPECT_EQ(f.label->Width(), expected.right + 2);
  EXPECT_EQ(f.label->Height(), expected.bottom + 2);
  ASSERT_FALSE(changes.empty());
  for (unsigned c : changes) EXPECT_EQ(c, unsigned{fx::kFxBoundsSize});
}

}  // namespace
