// No GDI object or DC outlives a paint: 10,000 paints of a keypad button
// (with its parent background copies) and of a shadowed label, counted by
// the framework's wrappers (GetGuiResources says nothing under Wine).
#include <gtest/gtest.h>
#include <windows.h>

#include "controls/skin_button.h"
#include "controls/skin_label.h"
#include "graphics/gdi.h"
#include "framework/window_binding.h"
#include "tests/controls/button_label_fixture.h"

namespace button_label_test {
namespace {

using namespace skin;

TEST(ButtonLabelLeaks, TenThousandPaintsLeaveNothingBehind) {
  App();
  TiledForm form;
  auto* label = new TSkinLabel(&form);
  label->SetParent(&form);
  label->SetAutoSize(false);
  label->SetBounds(8, 6, 177, 17);
  label->SetTransparent(true);
  label->SetShadowColor(fw::clBlack);
  label->Font().SetColor(fw::clWhite);
  label->SetCaption(L"Quantity converter");
  auto* key = new TSkinBtn(&form);
  key->SetParent(&form);
  key->SetBounds(8, 2, 57, 25);  // over the label
  key->SetCaption(L"8");
  key->Font().SetStyle({fw::fsBold});
  key->Font().SetColor(fw::clWhite);
  key->SetShadowColor(fw::clBlack);
  key->SetOptions({ocRoundedForm, ocPaintTransparently});
  auto* rect = new TSkinBtn(&form);
  rect->SetParent(&form);
  rect->SetBounds(80, 2, 75, 25);
  rect->SetCaption(L"&Close");
  form.HandleNeeded();
  key->HandleNeeded();
  rect->HandleNeeded();

  DibSurface button(57, 25), rectangular(75, 25), text(177, 17);
  // One paint each first: fonts and cached objects made once are not leaks.
  key->PaintTo(button.DC());
  rect->PaintTo(rectangular.DC());
  label->Perform(WM_PAINT, reinterpret_cast<WPARAM>(text.DC()), 0);
  long before[static_cast<int>(fw::GdiKind::Count_)];
  for (int k = 0; k < static_cast<int>(fw::GdiKind::Count_); ++k)
    before[k] = fw::GdiCounters::Live(static_cast<fw::GdiKind>(k));
  const long dcs = fw::GdiCounters::Created(fw::GdiKind::DC);
  const long windows = fw::LiveBoundWindows();
  for (int i = 0; i < 10000; ++i) {
    if (i % 2) SendMessageW(key->Handle(), BM_SETSTATE, (i % 4) == 1, 0);
    key->PaintTo(button.DC());
    label->Perform(WM_PAINT, reinterpret_cast<WPARAM>(text.DC()), 0);
    if (i % 10 == 0) rect->PaintTo(rectangular.DC());
  }
  for (int k = 0; k < static_cast<int>(fw::GdiKind::Count_); ++k)
    EXPECT_EQ(fw::GdiCounters::Live(static_cast<fw::GdiKind>(k)), before[k]) << "kind " << k;
  // The paints really went through the counted wrappers.
  EXPECT_GE(fw::GdiCounters::Created(fw::GdiKind::DC) - dcs, 10000);
  EXPECT_EQ(fw::LiveBoundWindows(), windows);
  // The DCs drawn into are as they were given: nothing left selected.
  EXPECT_EQ(GetCurrentObject(button.DC(), OBJ_FONT), GetStockObject(SYSTEM_FONT));
  EXPECT_EQ(GetCurrentObject(text.DC(), OBJ_PEN), GetStockObject(BLACK_PEN));
  EXPECT_EQ(GetCurrentObject(text.DC(), OBJ_BRUSH), GetStockObject(WHITE_BRUSH));
}

}  // namespace
}  // namespace button_label_test
