// The form drop shadow on real windows: strip geometry, hiding and showing
// for every message the hook acts on, depth 0, repainting on settings
// changes, the hssTracing AND fill, and the constructor refusals.
#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "effects/fx_errors.h"
#include "effects/fx_form_shadow.h"
#include "effects/fx_shadow_strip.h"
#include "graphics/gdi.h"
#include "fx_form_fixture.h"
#include "tests/support/message_counter.h"

namespace {

using fwtest::Pump;
using fxtest::SameRect;
using fxtest::TestForm;
using fxtest::WindowRectOf;

// A sizeable form at (100, 120), 300 x 200, with a shadow of depth d.
std::unique_ptr<TestForm> MakeShadowForm(int depth, fx::TFxFormShadow** shadow, bool showInActive = true) {
  return std::make_unique<TestForm>([&](TestForm& f) {
    f.SetBounds(100, 120, 300, 200);
    *shadow = new fx::TFxFormShadow(&f);
    (*shadow)->Shadow().SetDepth(depth);
    (*shadow)->SetShowInActive(showInActive);
  });
}

bool Shown(const fx::TFxFormShadow& s) {
  return IsWindowVisible(s.RightStrip()) && IsWindowVisible(s.BottomStrip());
}
bool Hidden(const fx::TFxFormShadow& s) {
  return !IsWindowVisible(s.RightStrip()) && !IsWindowVisible(s.BottomStrip());
}

// Both strips where they belong for the form's current outer rectangle.
void ExpectStripsAt(const fx::TFxFormShadow& s, HWND form, int d) {
  const RECT w = WindowRectOf(form);
  const RECT right = WindowRectOf(s.RightStrip()), bottom = WindowRectOf(s.BottomStrip());
  EXPECT_TRUE(SameRect(right, RECT{w.right, w.top + d, w.right + d, w.bottom}))
      << right.left << "," << right.top << "," << right.right << "," << right.bottom;
  EXPECT_TRUE(SameRect(bottom, RECT{w.left + d, w.bottom, w.right + d, w.bottom + d}))
      << bottom.left << "," << bottom.top << "," << bottom.right << "," << bottom.bottom;
}

// Another window to hand the activation to.
struct OtherWindow {
  TestForm form{[](TestForm& f) { f.SetBounds(600, 400, 150, 100); }};
  void Activate() { fwtest::ShowActive(form); }
};

TEST(FxFormShadow, StripsAreCreatedHiddenAtLoadAndFormTheLShapeForDepth4) {
  fx::TFxFormShadow* shadow = nullptr;
  auto form = MakeShadowForm(4, &shadow);
  ASSERT_NE(shadow->RightStrip(), nullptr);
  ASSERT_NE(shadow->BottomStrip(), nullptr);
  EXPECT_TRUE(Hidden(*shadow));
  wchar_t cls[64];
  GetClassNameW(shadow->RightStrip(), cls, 64);
  EXPECT_EQ(std::wstring(cls), L"ShadowClass");
  EXPECT_EQ(GetClassLongPtrW(shadow->RightStrip(), GCL_CBWNDEXTRA), 20);
  EXPECT_EQ(GetClassLongPtrW(shadow->RightStrip(), GCL_STYLE) & CS_PARENTDC, CS_PARENTDC);
  EXPECT_EQ(GetWindow(shadow->RightStrip(), GW_OWNER), form->Handle());
  EXPECT_EQ(GetWindow(shadow->BottomStrip(), GW_OWNER), form->Handle());
  EXPECT_EQ(fx::StripStyle(shadow->RightStrip()), fx::hssSolid);
  EXPECT_EQ(fx::StripColor(shadow->BottomStrip()), fw::clBtnShadow);

  fwtest::ShowActive(*form);
  ASSERT_TRUE(Shown(*shadow));
  const RECT w = WindowRectOf(form->Handle());
  // Right strip: columns R..R+3, rows T+4..B-1. Bottom strip: rows B..B+3,
  // columns L+4..R+3 (the corner square is the bottom strip's).
  EXPECT_TRUE(SameRect(WindowRectOf(shadow->RightStrip()), RECT{w.right, w.top + 4, w.right + 4, w.bottom}));
  EXPECT_TRUE(SameRect(WindowRectOf(shadow->BottomStrip()), RECT{w.left + 4, w.bottom, w.right + 4, w.bottom + 4}));

  // The shadow follows a move.
  SetWindowPos(form->Handle(), nullptr, 140, 90, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  Pump();
  EXPECT_TRUE(Shown(*shadow));
  ExpectStripsAt(*shadow, form->Handle(), 4);
  // A move message that moves nothing leaves the shown strips alone.
  {
    fwtest::MessageCounter rightChanges(shadow->RightStrip(), WM_WINDOWPOSCHANGED);
    fwtest::MessageCounter bottomChanges(shadow->BottomStrip(), WM_WINDOWPOSCHANGED);
    SendMessageW(form->Handle(), WM_MOVE, 0, 0);
    EXPECT_EQ(rightChanges.Count() + bottomChanges.Count(), 0);
    // Strips out of place are hidden and put back by the same message.
    MoveWindow(shadow->RightStrip(), 0, 0, 4, 10, FALSE);
    SendMessageW(form->Handle(), WM_MOVE, 0, 0);
    EXPECT_TRUE(Shown(*shadow));
    ExpectStripsAt(*shadow, form->Handle(), 4);
  }
  // And a resize.
  SetWindowPos(form->Handle(), nullptr, 0, 0, 250, 170, SWP_NOMOVE | SWP_NOZORDER);
  Pump();
  EXPECT_TRUE(Shown(*shadow));
  ExpectStripsAt(*shadow, form->Handle(), 4);
}

TEST(FxFormShadow, StripsPaintTheShadowColourOnTheirWholeArea) {
  fx::TFxFormShadow* shadow = nullptr;
  auto form = MakeShadowForm(4, &shadow);
  shadow->Shadow().SetColor(fw::clRed);
  fwtest::ShowActive(*form);
  ASSERT_TRUE(Shown(*shadow));
  for (HWND strip : {shadow->RightStrip(), shadow->BottomStrip()}) {
    const RECT r = WindowRectOf(strip);
    fwtest::DibSurface s(r.right - r.left, r.bottom - r.top, RGB(1, 2, 3));
    RedrawWindow(strip, nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
    // What the strip paints into a DC it is given: the whole client area.
    SendMessageW(strip, WM_ERASEBKGND, reinterpret_cast<WPARAM>(s.DC()), 0);
    for (int y = 0; y < s.Height(); ++y)
      for (int x = 0; x < s.Width(); ++x) ASSERT_EQ(s.At(x, y), RGB(255, 0, 0)) << x << "," << y;
  }
}

TEST(FxFormShadow, MinimisedAndMaximisedFormsHaveNoShadowAndRestoringShowsItAtTheNewPlace) {
  fx::TFxFormShadow* shadow = nullptr;
  auto form = MakeShadowForm(4, &shadow);
  HWND wnd = form->Handle();
  fwtest::ShowActive(*form);
  ASSERT_TRUE(Shown(*shadow));

  ShowWindow(wnd, SW_MINIMIZE);
  Pump();
  EXPECT_TRUE(Hidden(*shadow));
  EXPECT_TRUE(shadow->HideTest());

  // Restored to another place than before.
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  GetWindowPlacement(wnd, &wp);
  wp.rcNormalPosition = RECT{60, 70, 330, 250};
  wp.showCmd = SW_SHOWMINIMIZED;
  SetWindowPlacement(wnd, &wp);
  ShowWindow(wnd, SW_RESTORE);
  Pump();
  EXPECT_TRUE(Shown(*shadow));
  ExpectStripsAt(*shadow, wnd, 4);

  ShowWindow(wnd, SW_MAXIMIZE);
  Pump();
  EXPECT_TRUE(Hidden(*shadow));
  ShowWindow(wnd, SW_RESTORE);
  Pump();
  EXPECT_TRUE(Shown(*shadow));
  ExpectStripsAt(*shadow, wnd, 4);
}

TEST(FxFormShadow, SizeMessagesHideOrShowByType) {
  fx::TFxFormShadow* shadow = nullptr;
  auto form = MakeShadowForm(4, &shadow);
  HWND wnd = form->Handle();
  fwtest::ShowActive(*form);
  for (WPARAM type : {SIZE_MINIMIZED, SIZE_MAXIMIZED, SIZE_MAXSHOW, SIZE_MAXHIDE}) {
    SendMessageW(wnd, WM_SIZE, type, MAKELPARAM(292, 173));
    EXPECT_TRUE(Hidden(*shadow)) << type;
    // SIZE_RESTORED shows them whatever the hide test says.
    SendMessageW(wnd, WM_SIZE, SIZE_RESTORED, MAKELPARAM(292, 173));
    EXPECT_TRUE(Shown(*shadow)) << type;
  }
  // A larger type hides, then repositions (which shows for an active form).
  MoveWindow(shadow->RightStrip(), 0, 0, 4, 10, FALSE);
  SendMessageW(wnd, WM_SIZE, 5, 0);
  EXPECT_TRUE(Shown(*shadow));
  ExpectStripsAt(*shadow, wnd, 4);
}

TEST(FxFormShadow, ShowInActiveKeepsTheShadowUntilTheNextWindowPosChanged) {
  fx::TFxFormShadow* shadow = nullptr;
  auto form = MakeShadowForm(4, &shadow, true);
  HWND wnd = form->Handle();
  fwtest::ShowActive(*form);
  ASSERT_TRUE(Shown(*shadow));
  // A real hand-over of the activation to another window.
  OtherWindow other;
  other.Activate();
  EXPECT_NE(GetActiveWindow(), wnd);
  EXPECT_FALSE(form->Active());
  EXPECT_TRUE(Shown(*shadow));
  // The next position change while inactive hides it.
  SetWindowPos(wnd, nullptr, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  EXPECT_TRUE(Hidden(*shadow));
  // Activation shows it again.
  fwtest::ShowActive(*form);
  EXPECT_TRUE(Shown(*shadow));
  ExpectStripsAt(*shadow, wnd, 4);
}

TEST(FxFormShadow, ShowInActiveFalseHidesAtDeactivationAndReactivationShows) {
  fx::TFxFormShadow* shadow = nullptr;
  auto form = MakeShadowForm(4, &shadow, false);
  fwtest::ShowActive(*form);
  ASSERT_TRUE(Shown(*shadow));
  // A real hand-over of the activation to another window.
  OtherWindow other;
  other.Activate();
  EXPECT_NE(GetActiveWindow(), form->Handle());
  EXPECT_TRUE(Hidden(*shadow));
  fwtest::ShowActive(*form);
  EXPECT_TRUE(Shown(*shadow));
  ExpectStripsAt(*shadow, form->Handle(), 4);
}

TEST(FxFormShadow, ActivateCloseAndShowWindowMessages) {
  fx::TFxFormShadow* shadow = nullptr;
  auto form = MakeShadowForm(4, &shadow, true);
  HWND wnd = form->Handle();
  fwtest::ShowActive(*form);
  ASSERT_TRUE(Shown(*shadow));
  // Activation of a minimised window (high word set) hides.
  SendMessageW(wnd, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 1), 0);
  EXPECT_TRUE(Hidden(*shadow));
  // Activation of a normal, visible, active form shows.
  SendMessageW(wnd, WM_ACTIVATE, MAKEWPARAM(WA_ACTIVE, 0), 0);
  EXPECT_TRUE(Shown(*shadow));
  // WM_SHOWWINDOW: hiding hides; showing follows the hide test.
  SendMessageW(wnd, WM_SHOWWINDOW, FALSE, 0);
  EXPECT_TRUE(Hidden(*shadow));
  SendMessageW(wnd, WM_SHOWWINDOW, TRUE, 0);
  EXPECT_TRUE(Shown(*shadow));
  // Hiding the form for real.
  form->Hide();
  Pump();
  EXPECT_TRUE(Hidden(*shadow));
  fwtest::ShowActive(*form);
  EXPECT_TRUE(Shown(*shadow));
  // WM_CLOSE hides (the form closes by hiding itself).
  SendMessageW(wnd, WM_CLOSE, 0, 0);
  Pump();
  EXPECT_TRUE(Hidden(*shadow));
}

TEST(FxFormShadow, CaptionPressHidesAndTheFirstMouseOrHitTestMessageShowsAgain) {
  fx::TFxFormShadow* shadow = nullptr;
  auto form = MakeShadowForm(4, &shadow);
  HWND wnd = form->Handle();
  fwtest::ShowActive(*form);
  for (UINT msg : {WM_NCHITTEST, WM_NCMOUSEMOVE, WM_NCLBUTTONUP, WM_MOUSEMOVE, WM_LBUTTONUP}) {
    // HTNOWHERE: no system move loop starts inside the forwarded call.
    SendMessageW(wnd, WM_NCLBUTTONDOWN, HTNOWHERE, 0);
    EXPECT_TRUE(shadow->Dragging());
    EXPECT_TRUE(Hidden(*shadow));
    SendMessageW(wnd, msg, 0, 0);
    EXPECT_FALSE(shadow->Dragging()) << msg;
    EXPECT_TRUE(Shown(*shadow)) << msg;
  }
  // Without a drag those messages change nothing.
  ShowWindow(shadow->RightStrip(), SW_HIDE);
  SendMessageW(wnd, WM_MOUSEMOVE, 0, 0);
  EXPECT_FALSE(IsWindowVisible(shadow->RightStrip()));
}

TEST(FxFormShadow, DepthZeroShowsNothing) {
  fx::TFxFormShadow* shadow = nullptr;
  auto form = MakeShadowForm(0, &shadow);
  fwtest::ShowActive(*form);
  const RECT right = WindowRectOf(shadow->RightStrip()), bottom = WindowRectOf(shadow->BottomStrip());
  EXPECT_EQ(right.right - right.left, 0);
  EXPECT_EQ(bottom.bottom - bottom.top, 0);
  // Nothing of the strips can be painted.
  fwtest::MessageCounter erases(shadow->RightStrip(), WM_ERASEBKGND);
  RedrawWindow(shadow->RightStrip(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_UPDATENOW);
  RECT client{};
  GetClientRect(shadow->BottomStrip(), &client);
  EXPECT_TRUE(IsRectEmpty(&client));
}

TEST(FxFormShadow, ChangingColourOrStyleRepaintsBothStripsAndTheCurrentValueDoesNothing) {
  fx::TFxFormShadow* shadow = nullptr;
  auto form = MakeShadowForm(4, &shadow);
  fwtest::ShowActive(*form);
  ASSERT_TRUE(Shown(*shadow));
  fwtest::MessageCounter rightErases(shadow->RightStrip(), WM_ERASEBKGND);
  fwtest::MessageCounter bottomErases(shadow->BottomStrip(), WM_ERASEBKGND);
  int notifications = 0;
  auto handler = shadow->Shadow().OnChange;  // the component's own
  shadow->Shadow().OnChange = [&](fw::TObject* sender) {
    ++notifications;
    handler(sender);
  };

  shadow->Shadow().SetColor(fw::clBlue);
  Pump();
  EXPECT_EQ(notifications, 1);
  EXPECT_GE(rightErases.Count(), 1);
  EXPECT_GE(bottomErases.Count(), 1);
  EXPECT_EQ(fx::StripColor(shadow->RightStrip()), fw::clBlue);
  EXPECT_EQ(fx::StripColor(shadow->BottomStrip()), fw::clBlue);

  rightErases.Reset();
  bottomErases.Reset();
  shadow->Shadow().SetStyle(fx::hssTracing);
  Pump();
  EXPECT_EQ(notifications, 2);
  EXPECT_GE(rightErases.Count(), 1);
  EXPECT_GE(bottomErases.Count(), 1);
  EXPECT_EQ(fx::StripStyle(shadow->RightStrip()), fx::hssTracing);
  EXPECT_EQ(fx::StripStyle(shadow->BottomStrip()), fx::hssTracing);

  // The current values: no notification, no repaint.
  rightErases.Reset();
  bottomErases.Reset();
  shadow->Shadow().SetColor(fw::clBlue);
  shadow->Shadow().SetStyle(fx::hssTracing);
  shadow->Shadow().SetDepth(4);
  Pump();
  EXPECT_EQ(notifications, 2);
  EXPECT_EQ(rightErases.Count(), 0);
  EXPECT_EQ(bottomErases.Count(), 0);

  // A new depth moves the strips at once.
  shadow->Shadow().SetDepth(7);
  EXPECT_EQ(notifications, 3);
  ExpectStripsAt(*shadow, form->Handle(), 7);
}

TEST(FxFormShadow, TracingAndsTheCheckerboardOverTheStripPixels) {
  fx::TFxFormShadow* shadow = nullptr;
  auto form = MakeShadowForm(4, &shadow);
  shadow->Shadow().SetStyle(fx::hssTracing);
  shadow->Shadow().SetColor(static_cast<fw::TColor>(RGB(0x70, 0x90, 0x3C)));
  fwtest::ShowActive(*form);
  const COLORREF under = RGB(0xE5, 0x5A, 0xFF);
  for (HWND strip : {shadow->RightStrip(), shadow->BottomStrip()}) {
    RECT client{};
    GetClientRect(strip, &client);
    // What the strip's DC already holds stays under the white cells.
    fwtest::DibSurface s(client.right, client.bottom, under);
    EXPECT_EQ(SendMessageW(strip, WM_ERASEBKGND, reinterpret_cast<WPARAM>(s.DC()), 0), 1);
    for (int y = 0; y < s.Height(); ++y)
      for (int x = 0; x < s.Width(); ++x) {
        const COLORREF expected = (x + y) % 2 ? RGB(0xE5 & 0x70, 0x5A & 0x90, 0xFF & 0x3C) : under;
        ASSERT_EQ(s.At(x, y), expected) << x << "," << y;
      }
  }
  // The pattern is built once; each erase frees what it made.
  const long live = fw::GdiCounters::Live();
  fwtest::DibSurface s(4, 200, RGB(1, 2, 3));
  for (int i = 0; i < 50; ++i)
    SendMessageW(shadow->RightStrip(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(s.DC()), 0);
  EXPECT_EQ(fw::GdiCounters::Live(), live);
}

TEST(FxFormShadow, NoneStyleLeavesErasingToTheSystem) {
  fx::TFxFormShadow* shadow = nullptr;
  auto form = MakeShadowForm(4, &shadow);
  shadow->Shadow().SetStyle(fx::hssNone);
  fwtest::DibSurface s(4, 10, RGB(9, 8, 7));
  // No class background brush: DefWindowProc erases nothing and says so.
  EXPECT_EQ(SendMessageW(shadow->RightStrip(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(s.DC()), 0), 0);
  EXPECT_EQ(s.At(1, 1), RGB(9, 8, 7));
}

TEST(FxFormShadow, WrongOwnersAndASecondShadowAreRefused) {
  const std::wstring message = L"TFxFormShadow:\rInvalid owner (<>TForm) or second instance on a form";
  // No owner, and an owner that is not a form.
  try {
    fx::TFxFormShadow none(nullptr);
    ADD_FAILURE() << "accepted no owner";
  } catch (const fx::FxEOneInstError& e) {
    EXPECT_EQ(e.Message(), message);
  }
  fw::TComponent plain(nullptr);
  EXPECT_THROW(fx::TFxFormShadow{&plain}, fx::FxEOneInstError);
  EXPECT_EQ(plain.ComponentCount(), 0);

  // A second shadow on one form: the form fails to load, and a later one
  // made by hand is refused the same way.
  EXPECT_THROW(TestForm([](TestForm& f) {
                 new fx::TFxFormShadow(&f);
                 new fx::TFxFormShadow(&f);
               }),
               fx::FxEOneInstError);
  fx::TFxFormShadow* shadow = nullptr;
  auto form = MakeShadowForm(4, &shadow);
  try {
    new fx::TFxFormShadow(form.get());
    ADD_FAILURE() << "accepted a second shadow";
  } catch (const fx::FxEOneInstError& e) {
    EXPECT_EQ(e.Message(), message);
  }
  EXPECT_EQ(form->ComponentCount(), 1);
  // The first one still works.
  fwtest::ShowActive(*form);
  EXPECT_TRUE(Shown(*shadow));

  // An MDI child form, and a form whose window is a child window.
  TestForm mdiChild([](TestForm& f) { f.SetFormStyle(fw::fsMDIChild); });
  EXPECT_THROW(new fx::TFxFormShadow(&mdiChild), fx::FxEOneInstError);
  TestForm child([](TestForm&) {});
  SetWindowLongPtrW(child.Handle(), GWL_STYLE, (GetWindowLongPtrW(child.Handle(), GWL_STYLE) & ~WS_POPUP) | WS_CHILD);
  EXPECT_THROW(new fx::TFxFormShadow(&child), fx::FxEOneInstError);
}

TEST(FxFormShadow, DestroyingTheFormDestroysTheStrips) {
  fx::TFxFormShadow* shadow = nullptr;
  auto form = MakeShadowForm(4, &shadow);
  fwtest::ShowActive(*form);
  HWND right = shadow->RightStrip(), bottom = shadow->BottomStrip();
  ASSERT_TRUE(IsWindow(right) && IsWindow(bottom));
  form.reset();
  EXPECT_FALSE(IsWindow(right));
  EXPECT_FALSE(IsWindow(bottom));
}

}  // namespace
