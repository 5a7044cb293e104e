// TSkinBtn's properties, keyboard and click behaviour, animation and the
// draw event, with real windows and messages.
#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

#include "controls/image_list.h"
#include "controls/skin_button.h"
#include "stdctrls/stdctrls.h"
#include "tests/controls/button_label_fixture.h"

namespace button_label_test {
namespace {

using namespace skin;

struct ButtonTest : SharedFormTest {
  std::vector<fw::TControl*> made;
  std::vector<std::wstring> clicks;

  TSkinBtn* Add(const std::wstring& caption, int x, int y) {
    auto* b = new TSkinBtn(&form);
    b->SetParent(&form);
    b->SetBounds(x, y, 57, 25);
    b->SetCaption(caption);
    b->SetOptions({ocRoundedForm, ocPaintTransparently});
    b->OnClick = [this, caption](fw::TObject*) { clicks.push_back(caption); };
    made.push_back(b);
    return b;
  }
  void SetUp() override {
    SetModifiers(false);
    SetForegroundWindow(form.Handle());
  }
  void TearDown() override {
    for (auto it = made.rbegin(); it != made.rend(); ++it) delete *it;
    form.SetModalResult(fw::mrNone);
  }
  // Validates the window so that a later invalidation shows.
  static void Validate(TSkinBtn& b) {
    UpdateWindow(b.Handle());
    ValidateRect(b.Handle(), nullptr);
  }
  static bool Invalidated(TSkinBtn& b) { return GetUpdateRect(b.Handle(), nullptr, FALSE) != FALSE; }
};

using Clicks = std::vector<std::wstring>;

TEST_F(ButtonTest, ConstructorDefaults) {
  TSkinBtn b(nullptr);
  EXPECT_TRUE(b.Options().Empty());
  EXPECT_EQ(b.Color(), fw::clBtnFace);
  EXPECT_EQ(b.ShadowColor(), fw::clBtnHighlight);
  EXPECT_EQ(b.ShadowSize(), 1);
  EXPECT_EQ(b.ShadowPos(), spLeftTop);
  EXPECT_FALSE(b.SimpleView());
  EXPECT_FALSE(b.HasWallpaper());
  EXPECT_EQ(b.SkinImages(), nullptr);
  EXPECT_EQ(b.IdWallpaper(), -1);
  EXPECT_EQ(b.ColorStart(), fw::clBtnFace);
  EXPECT_EQ(b.ColorEnd(), fw::clBtnShadow);
  EXPECT_EQ(b.GradientDirection(), gdHorizontal);
  EXPECT_FALSE(b.Flat());
  EXPECT_TRUE(b.BtnPaintOptions() == (TBtnPaintOptions{bpoDrawFocus, bpoDrawDefault}));
  EXPECT_TRUE(b.Glyph().Empty());
  EXPECT_EQ(b.NumGlyphs(), 1);
  EXPECT_EQ(b.Layout(), blGlyphLeft);
  EXPECT_EQ(b.Margin(), -1);
  EXPECT_EQ(b.Spacing(), 4);
  EXPECT_EQ(b.Images(), nullptr);
  EXPECT_FALSE(b.Animated());
  EXPECT_EQ(b.Interval(), 1000u);
  EXPECT_FALSE(b.AnimationTimer().Enabled());
  EXPECT_EQ(b.FrameIndex(), 0);
  EXPECT_EQ(b.ClassName(), L"TSkinBtn");
  // The wallpaper is made on first access.
  EXPECT_TRUE(b.Wallpaper().Empty());
  EXPECT_TRUE(b.HasWallpaper());
}

TEST_F(ButtonTest, OwnerDrawnSystemButtonOfItsOwnClass) {
  TSkinBtn* b = Add(L"1", 10, 10);
  wchar_t name[64] = {};
  GetClassNameW(b->Handle(), name, 64);
  EXPECT_EQ(std::wstring(name), L"TSkinBtn");
  EXPECT_EQ(GetWindowLongPtrW(b->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
  // A measure request is answered with the button's size.
  MEASUREITEMSTRUCT mi{};
  mi.CtlType = ODT_BUTTON;
  b->Perform(fw::CN_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mi));
  EXPECT_EQ(mi.itemWidth, 57u);
  EXPECT_EQ(mi.itemHeight, 25u);
  // Focus moves keep the owner-draw style (no BM_SETSTYLE to a push button).
  b->SetFocus();
  Pump();
  EXPECT_TRUE(b->DefaultLook());
  EXPECT_EQ(GetWindowLongPtrW(b->Handle(), GWL_STYLE) & BS_TYPEMASK, BS_OWNERDRAW);
}

TEST_F(ButtonTest, PropertyEdgeCases) {
  TSkinBtn* b = Add(L"1", 10, 10);
  b->SetNumGlyphs(3);
  EXPECT_EQ(b->NumGlyphs(), 2);
  b->SetNumGlyphs(0);
  EXPECT_EQ(b->NumGlyphs(), 2);
  b->SetMargin(-2);
  EXPECT_EQ(b->Margin(), -1);
  b->SetMargin(3);
  EXPECT_EQ(b->Margin(), 3);
  b->SetMargin(-1);
  EXPECT_EQ(b->Margin(), -1);
  b->SetSimpleView(true);
  b->SetShadowColor(fw::clBlack);
  EXPECT_FALSE(b->SimpleView());
  b->SetSimpleView(true);
  b->SetShadowSize(2);
  EXPECT_FALSE(b->SimpleView());
  b->SetShadowSize(300);
  EXPECT_EQ(b->ShadowSize(), 255);
}

TEST_F(ButtonTest, SettersRepaintOnlyWhereTheyShould) {
  TSkinBtn* b = Add(L"1", 10, 10);
  Validate(*b);
  b->SetInterval(500);
  EXPECT_FALSE(Invalidated(*b));
  b->SetColorStart(fw::clRed);  // no gradient option
  b->SetGradientDirection(gdVertical);
  EXPECT_FALSE(Invalidated(*b));
  b->SetShadowPos(spLeftTop);  // the current value
  EXPECT_FALSE(Invalidated(*b));
  b->SetShadowPos(spRightTop);
  EXPECT_TRUE(Invalidated(*b));
  b->SetOptions({ocPaintGradiently});
  Validate(*b);
  b->SetColorEnd(fw::clBlue);
  EXPECT_TRUE(Invalidated(*b));
  Validate(*b);
  b->SetSpacing(7);
  EXPECT_TRUE(Invalidated(*b));
  Validate(*b);
  b->Wallpaper().Canvas().SetPixel(0, 0, fw::clRed);  // later edits of the own wallpaper
  EXPECT_TRUE(Invalidated(*b));
}

TEST_F(ButtonTest, ChangedSkinImagesRepaintAndAreForgottenWhenDestroyed) {
  TSkinBtn* b = Add(L"1", 10, 10);
  auto* store = new TSkinImages(nullptr);
  store->Bitmaps().Add();
  b->SetSkinImages(store);
  b->SetIdWallpaper(0);
  Validate(*b);
  fw::TBitmap red(4, 4);
  store->Bitmaps().Items(0).SetBitmap(red);
  EXPECT_TRUE(Invalidated(*b));
  delete store;
  EXPECT_EQ(b->SkinImages(), nullptr);
  auto* images = new TImageList(nullptr, 8, 8);
  b->SetImages(images);
  delete images;
  EXPECT_EQ(b->Images(), nullptr);
  Render(*b);  // paints without the destroyed components
}

TEST_F(ButtonTest, OnDrawButtonIsRaisedAfterEveryPaintWithTheClientRectangle) {
  TSkinBtn* b = Add(L"1", 10, 10);
  int calls = 0;
  b->OnDrawButton = [&](fw::TObject* sender, fw::TCanvas& canvas, const RECT& r) {
    ++calls;
    EXPECT_EQ(sender, b);
    EXPECT_EQ(r.right, 57);
    EXPECT_EQ(r.bottom, 25);
    // What the handler draws lands over the finished face.
    canvas.Brush().SetColor(fw::clRed);
    canvas.FillRect(RECT{0, 0, 2, 2});
  };
  auto s = Render(*b);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(s->At(1, 1), RGB(255, 0, 0));
  RedrawWindow(b->Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
  EXPECT_EQ(calls, 2);
}

TEST_F(ButtonTest, AFocusMoveRepaintsOnlyTheButtonsWhoseDefaultLookChanges) {
  std::vector<TSkinBtn*> keys{Add(L"1", 10, 10), Add(L"2", 70, 10), Add(L"3", 130, 10)};
  std::vector<int> draws(keys.size());
  for (size_t i = 0; i < keys.size(); ++i)
    keys[i]->OnDrawButton = [&draws, i](fw::TObject*, fw::TCanvas&, const RECT&) { ++draws[i]; };
  keys[0]->SetFocus();
  Pump();
  draws.assign(keys.size(), 0);
  keys[1]->SetFocus();
  Pump();
  EXPECT_GE(draws[0], 1);  // lost the default look
  EXPECT_GE(draws[1], 1);  // gained it
  EXPECT_EQ(draws[2], 0);  // unchanged
}

TEST_F(ButtonTest, AnimatedWithoutImagesRunsATimerThatDrawsNothing) {
  TSkinBtn* b = Add(L"1", 10, 10);
  int paints = 0;
  b->OnDrawButton = [&](fw::TObject*, fw::TCanvas&, const RECT&) { ++paints; };
  b->SetAnimated(true);
  EXPECT_TRUE(b->AnimationTimer().Enabled());
  EXPECT_TRUE(b->AnimationTimer().Running());
  b->SetInterval(5);
  Pump();
  paints = 0;
  for (int i = 0; i < 10; ++i) Pump();
  EXPECT_EQ(paints, 0);
  EXPECT_EQ(b->FrameIndex(), 0);
  b->SetAnimated(false);
  EXPECT_FALSE(b->AnimationTimer().Running());
}

// Two frames (red, green) of an image list shown in the glyph's place.
TEST_F(ButtonTest, AnimationDrawsTheFramesInTurnAtTheGlyphRectangle) {
  TImageList images(nullptr, 8, 8);
  fw::TBitmap strip(16, 8);
  strip.SetPixelFormat(fw::pf24bit);
  strip.Canvas().Brush().SetColor(fw::clRed);
  strip.Canvas().FillRect(RECT{0, 0, 8, 8});
  strip.Canvas().Brush().SetColor(fw::clLime);
  strip.Canvas().FillRect(RECT{8, 0, 16, 8});
  ASSERT_EQ(images.Add(strip), 0);
  ASSERT_EQ(images.Count(), 2);
  TSkinBtn* b = Add(L"", 10, 10);
  b->SetImages(&images);
  b->SetInterval(10);
  b->SetAnimated(true);
  Pump();
  UpdateWindow(b->Handle());
  const RECT g = b->GlyphRect();
  EXPECT_EQ(g.right - g.left, 8);
  EXPECT_EQ(g.bottom - g.top, 8);
  EXPECT_EQ(g.left, (57 - 8 + 1) / 2);  // no caption: the frame is centred
  auto screenAt = [&](int x, int y) {
    HDC dc = GetDC(b->Handle());
    COLORREF c = GetPixel(dc, x, y);
    ReleaseDC(b->Handle(), dc);
    return c;
  };
  // Wait for the frame index to move: frame 0 (red) has then been drawn.
  auto waitFor = [&](int index) {
    for (int i = 0; i < 200 && b->FrameIndex() != index; ++i) Pump(1);
    return b->FrameIndex() == index;
  };
  ASSERT_TRUE(waitFor(1));
  EXPECT_EQ(screenAt(g.left + 4, g.top + 4), RGB(255, 0, 0));
  ASSERT_TRUE(waitFor(0));  // wrapped after the last frame
  EXPECT_EQ(screenAt(g.left + 4, g.top + 4), RGB(0, 255, 0));
  b->SetAnimated(false);
  b->SetImages(nullptr);
}

TEST_F(ButtonTest, SpaceAndMouseClickIt) {
  TSkinBtn* b = Add(L"1", 10, 10);
  b->SetFocus();
  Pump();
  PressKey(VK_SPACE);
  EXPECT_EQ(clicks, (Clicks{L"1"}));
  SendMessageW(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
  SendMessageW(b->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
  Pump();
  EXPECT_EQ(clicks, (Clicks{L"1", L"1"}));
}

TEST_F(ButtonTest, MouseDownPressesTheFaceUntilReleased) {
  TSkinBtn* b = Add(L"5", 10, 10);
  auto up = Render(*b);
  SendMessageW(b->Handle(), WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(20, 10));
  auto down = Render(*b);
  SendMessageW(b->Handle(), WM_LBUTTONUP, 0, MAKELPARAM(20, 10));
  auto released = Render(*b);
  const COLORREF frame = GetSysColor(COLOR_WINDOWFRAME), light = GetSysColor(COLOR_BTNHIGHLIGHT);
  EXPECT_EQ(up->At(28, 24), frame);
  EXPECT_EQ(down->At(28, 24), light);
  EXPECT_EQ(released->At(28, 24), frame);
}

TEST_F(ButtonTest, EscOnAKeypadButtonClicksTheCancelButton) {
  TSkinBtn* key = Add(L"7", 10, 10);
  TSkinBtn* close = Add(L"&Close", 10, 60);
  close->SetCancel(true);
  key->SetFocus();
  Pump();
  PressKey(VK_ESCAPE);
  EXPECT_EQ(clicks, (Clicks{L"&Close"}));
  EXPECT_EQ(GetFocus(), key->Handle());
}

TEST_F(ButtonTest, EnterClicksTheFocusedButtonOrTheDefaultOne) {
  TSkinBtn* key = Add(L"7", 10, 10);
  TSkinBtn* ok = Add(L"OK", 10, 60);
  ok->SetDefault(true);
  auto* edit = new fw::TEdit(&form);
  edit->SetParent(&form);
  edit->SetBounds(100, 10, 80, 21);
  made.push_back(edit);
  key->SetFocus();
  Pump();
  EXPECT_TRUE(key->DefaultLook());
  EXPECT_FALSE(ok->DefaultLook());
  PressKey(VK_RETURN);
  edit->SetFocus();
  Pump();
  EXPECT_TRUE(ok->DefaultLook());
  EXPECT_FALSE(key->DefaultLook());
  PressKey(VK_RETURN);
  EXPECT_EQ(clicks, (Clicks{L"7", L"OK"}));
  EXPECT_EQ(edit->Text(), L"");
}

TEST_F(ButtonTest, AcceleratorClicksWhenTheFocusedControlLeavesTheCharacter) {
  TSkinBtn* key = Add(L"7", 10, 10);
  Add(L"&Print", 10, 60);
  key->SetFocus();
  Pump();
  TypeChar(L'p');
  EXPECT_EQ(clicks, (Clicks{L"&Print"}));
}

TEST_F(ButtonTest, ClickCopiesModalResultIntoTheForm) {
  TSkinBtn* ok = Add(L"OK", 10, 10);
  ok->SetModalResult(fw::mrOk);
  form.SetModalResult(fw::mrNone);
  SendMessageW(ok->Handle(), BM_CLICK, 0, 0);
  Pump();
  EXPECT_EQ(form.ModalResult(), fw::mrOk);
  TSkinBtn* plain = Add(L"1", 10, 60);
  SendMessageW(plain->Handle(), BM_CLICK, 0, 0);
  Pump();
  EXPECT_EQ(form.ModalResult(), fw::mrNone);  // 0 is copied too
  EXPECT_EQ(clicks, (Clicks{L"OK", L"1"}));
}

TEST_F(ButtonTest, OkButtonEndsAModalForm) {
  TiledForm dialog;
  auto* ok = new TSkinBtn(&dialog);
  ok->SetParent(&dialog);
  ok->SetBounds(10, 10, 105, 33);
  ok->SetCaption(L"&OK");
  ok->SetModalResult(fw::mrOk);
  ok->SetOptions({ocRoundedForm, ocFlatBorder, ocPaintTransparently});
  PostMessageW(ok->Handle(), BM_CLICK, 0, 0);
  EXPECT_EQ(dialog.ShowModal(), fw::mrOk);
}

}  // namespace
}  // namespace button_label_test
