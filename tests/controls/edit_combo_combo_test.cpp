// The skinned combo box in real windows: rows drawn through the reflected
// draw request into memory DCs, the dropped-down list read back from the
// screen while it scrolls, the list's width and the horizontal extent.
#include <gtest/gtest.h>
#include <windows.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "controls/skin_combo.h"
#include "graphics/gdi.h"
#include "framework/subclass.h"
#include "tests/controls/edit_combo_fixture.h"

namespace {

using namespace edit_combo_test;
using skin::TSkinComboBox;
using skin::TSkinOptions;

constexpr COLORREF kSelColor = RGB(0, 0, 0);

class SkinComboTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = &ApplicationEnvironment::Form();
    tile_ = MakeTile();
    combo_ = new TSkinComboBox(nullptr);
    combo_->SetParent(form_);
    combo_->SetBounds(8, 24, 177, 22);
    combo_->SetOptions(TSkinOptions{skin::ocPaintWallpaper, skin::ocTileWallpaper});
    combo_->SetWallpaper(*tile_);
    combo_->Font().SetName(L"Times New Roman");
    combo_->Font().SetHeight(-13);
    combo_->Font().SetColor(static_cast<fw::TColor>(RGB(0, 255, 0)));
    combo_->SelFont().SetName(L"MS Sans Serif");
    combo_->SelFont().SetHeight(-16);
    combo_->SelFont().SetColor(static_cast<fw::TColor>(RGB(255, 0, 0)));
    combo_->SetSelColor(static_cast<fw::TColor>(kSelColor));
    combo_->SetListBoxWidth(177);
    combo_->SetDropDownCount(9);
    combo_->SetItemHeight(16);
  }
  void TearDown() override {
    if (combo_->HandleAllocated() && combo_->DroppedDown()) combo_->SetDroppedDown(false);
    delete combo_;
    Pump();
  }

  void AddItems(int count) {
    for (int i = 0; i < count; ++i) combo_->Items().Add(L"Hg " + std::to_wstring(i));
    combo_->HandleNeeded();
    Pump();
  }

  // One draw request, as the system sends it, into a fresh surface.
  std::unique_ptr<DibSurface> DrawRow(int index, UINT state, RECT rect = RECT{0, 0, 177, 16}) {
    auto surface = std::make_unique<DibSurface>(rect.right, rect.bottom, RGB(255, 255, 255));
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_COMBOBOX;
    item.itemID = static_cast<UINT>(index);
    item.itemAction = ODA_DRAWENTIRE;
    item.itemState = state;
    item.hwndItem = combo_->Handle();
    item.hDC = surface->DC();
    item.rcItem = rect;
    combo_->Perform(fw::CN_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
    return surface;
  }

  std::unique_ptr<fw::TBitmap> tile_;
  BackdropForm* form_ = nullptr;  // shared by the tests, not owned
  TSkinComboBox* combo_ = nullptr;
};

// What one drawn row shows: its background right of the text (x >= 80),
// and its ink anywhere.
constexpr int kPastText = 80;
struct RowLook {
  int selBackground = 0;   // pixels of the selection colour
  int wallpaper = 0;       // pixels matching the wallpaper at their place
  int other = 0;           // anything else
  int redInk = 0;          // the selection font's colour
  int greenInk = 0;        // the normal font's colour
  int inkTop = 1000, inkBottom = -1;
};

RowLook Look(const DibSurface& s) {
  RowLook look;
  for (int y = 0; y < s.Height(); ++y)
    for (int x = 0; x < s.Width(); ++x) {
      COLORREF c = s.At(x, y);
      bool red = GetRValue(c) > 150, green = GetGValue(c) > 150;
      if (red) ++look.redInk;
      if (green) ++look.greenInk;
      if (red || green) {
        look.inkTop = std::min(look.inkTop, y);
        look.inkBottom = std::max(look.inkBottom, y);
      }
      if (x < kPastText) continue;
      if (c == kSelColor) {
        ++look.selBackground;
      } else if (c == TilePixel(x % kTileW, y % kTileH)) {
        ++look.wallpaper;
      } else {
        ++look.other;
      }
    }
  return look;
}

// The styles a window of a class is created with (the combo box moves its
// scroll-bar styles on to its list, so they are caught at creation).
DWORD g_createdStyle = 0;
LRESULT CALLBACK CatchCreation(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    auto* create = reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
    wchar_t name[64] = {};
    GetClassNameW(reinterpret_cast<HWND>(wParam), name, 64);
    if (std::wstring(name) == L"TSkinComboBox") g_createdStyle = static_cast<DWORD>(create->style);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(SkinComboTest, WindowHasTheFixedOwnerDrawnListStyle) {
  AddItems(3);
  g_createdStyle = 0;
  HHOOK hook = SetWindowsHookExW(WH_CBT, CatchCreation, nullptr, GetCurrentThreadId());
  combo_->RecreateWnd();
  combo_->HandleNeeded();
  UnhookWindowsHookEx(hook);
  EXPECT_EQ(g_createdStyle & 3, static_cast<DWORD>(CBS_DROPDOWNLIST));
  EXPECT_TRUE(g_createdStyle & CBS_OWNERDRAWVARIABLE);
  EXPECT_TRUE(g_createdStyle & CBS_HASSTRINGS);
  EXPECT_TRUE(g_createdStyle & WS_VSCROLL);
  EXPECT_TRUE(g_createdStyle & WS_HSCROLL);
  wchar_t name[64] = {};
  GetClassNameW(combo_->Handle(), name, 64);
  EXPECT_STREQ(name, L"TSkinComboBox");
  EXPECT_EQ(combo_->ItemHeight(), 16);
}

TEST_F(SkinComboTest, SelectedLookOnlyForTheThreeExactStates) {
  AddItems(3);
  struct Case {
    UINT state;
    bool selected;
  };
  const Case cases[] = {
      {ODS_SELECTED, true},
      {ODS_SELECTED | ODS_FOCUS, true},
      {ODS_SELECTED | ODS_FOCUS | ODS_COMBOBOXEDIT, true},
      {ODS_SELECTED | ODS_COMBOBOXEDIT, false},  // face of an unfocused combo
      {0, false},
      {ODS_FOCUS, false},
      {ODS_COMBOBOXEDIT, false},
      {ODS_FOCUS | ODS_COMBOBOXEDIT, false},
      {ODS_SELECTED | ODS_DISABLED, false},
      {ODS_SELECTED | ODS_FOCUS | ODS_CHECKED, false},
  };
  int normalInkHeight = -1, selectedInkHeight = -1;
  for (const Case& c : cases) {
    SCOPED_TRACE(c.state);
    RowLook look = Look(*DrawRow(1, c.state));
    EXPECT_EQ(look.other, 0);
    if (c.selected) {
      EXPECT_GT(look.redInk, 10);
      EXPECT_EQ(look.greenInk, 0);
      EXPECT_EQ(look.selBackground, (177 - kPastText) * 16);
      selectedInkHeight = look.inkBottom - look.inkTop + 1;
    } else {
      EXPECT_GT(look.greenInk, 10);
      EXPECT_EQ(look.redInk, 0);
      EXPECT_EQ(look.wallpaper, (177 - kPastText) * 16);
      normalInkHeight = look.inkBottom - look.inkTop + 1;
    }
  }
  // The selection font (height -16) is taller than the normal one (-13).
  EXPECT_GT(selectedInkHeight, normalInkHeight);
}

TEST_F(SkinComboTest, KeyboardCueBitsDoNotHideTheSelection) {
  AddItems(3);
  RowLook look = Look(*DrawRow(0, ODS_SELECTED | ODS_FOCUS | ODS_NOACCEL | ODS_NOFOCUSRECT));
  EXPECT_EQ(look.selBackground, (177 - kPastText) * 16);
  EXPECT_GT(look.redInk, 10);
}

TEST_F(SkinComboTest, TextStartsFourPixelsInWithoutImages) {
  AddItems(3);
  auto row = DrawRow(2, 0);
  int leftmost = 1000;
  for (int y = 0; y < row->Height(); ++y)
    for (int x = 0; x < row->Width(); ++x)
      if (GetGValue(row->At(x, y)) > 150) leftmost = std::min(leftmost, x);
  // "H" has no left bearing to speak of: its stem starts at x = 4 or 5.
  EXPECT_GE(leftmost, 4);
  EXPECT_LE(leftmost, 5);
}

// A glyph strip of `cells` 16 x 16 cells: a filled square in each cell's
// colour on a magenta (transparent) ground.
std::unique_ptr<fw::TBitmap> MakeGlyph(std::initializer_list<COLORREF> cells) {
  auto glyph = std::make_unique<fw::TBitmap>(16 * static_cast<int>(cells.size()), 16);
  glyph->SetPixelFormat(fw::pf24bit);
  int i = 0;
  for (COLORREF c : cells) {
    for (int y = 0; y < 16; ++y)
      for (int x = 0; x < 16; ++x) {
        bool inside = x >= 4 && x < 12 && y >= 4 && y < 12;
        glyph->Canvas().SetPixel(16 * i + x, y, static_cast<fw::TColor>(inside ? c : RGB(255, 0, 255)));
      }
    ++i;
  }
  return glyph;
}

TEST_F(SkinComboTest, GlyphCellsStandLeftOfTheText) {
  AddItems(3);
  combo_->SetGlyph(*MakeGlyph({RGB(250, 250, 0), RGB(0, 250, 250)}));
  auto row = DrawRow(0, 0);
  // Cell 0 at x = 2, centred: its square at (6..13, 4..11); magenta left out.
  EXPECT_EQ(row->At(9, 8), RGB(250, 250, 0));
  EXPECT_EQ(row->At(3, 1), TilePixel(3, 1));
  EXPECT_EQ(row->Count(RGB(255, 0, 255)), 0);
  int leftmostText = 1000;
  for (int y = 0; y < 16; ++y)
    for (int x = 14; x < 177; ++x)
      if (GetGValue(row->At(x, y)) > 150 && GetRValue(row->At(x, y)) < 100) leftmostText = std::min(leftmostText, x);
  EXPECT_GE(leftmostText, 16 + 4);  // image width + 4 from the row's left
  EXPECT_LE(leftmostText, 16 + 5);
  // Disabled: the second cell.
  combo_->SetEnabled(false);
  row = DrawRow(0, 0);
  EXPECT_EQ(row->At(9, 8), RGB(0, 250, 250));
  combo_->SetEnabled(true);
}

TEST_F(SkinComboTest, DisabledSingleCellIsEmbossed) {
  AddItems(3);
  combo_->SetGlyph(*MakeGlyph({RGB(250, 250, 0)}));
  combo_->SetEnabled(false);
  auto row = DrawRow(0, 0);
  combo_->SetEnabled(true);
  // The shape in the shadow colour, its highlight copy one pixel down-right.
  EXPECT_EQ(row->At(9, 8), GetSysColor(COLOR_BTNSHADOW));
  EXPECT_EQ(row->At(14, 12), GetSysColor(COLOR_BTNHIGHLIGHT));
  EXPECT_EQ(row->At(3, 1), TilePixel(3, 1));
  EXPECT_EQ(row->Count(RGB(250, 250, 0)), 0);
}

TEST_F(SkinComboTest, DrawItemHandlerReplacesTheDrawing) {
  AddItems(3);
  int calls = 0;
  UINT seenState = 0;
  combo_->OnDrawItem = [&](fw::TObject*, int index, const RECT&, fw::TOwnerDrawState state) {
    ++calls;
    EXPECT_EQ(index, 1);
    seenState = state;
  };
  auto row = DrawRow(1, ODS_SELECTED);
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(seenState, static_cast<UINT>(ODS_SELECTED));
  EXPECT_EQ(row->Count(RGB(255, 255, 255)), 177 * 16);  // nothing drawn by the control
}

TEST_F(SkinComboTest, EmptyWallpaperComboErasesWithItsColour) {
  combo_->SetColor(static_cast<fw::TColor>(RGB(10, 200, 30)));
  combo_->HandleNeeded();
  RECT client = combo_->ClientRect();
  DibSurface surface(client.right, client.bottom, RGB(255, 255, 255));
  combo_->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(surface.DC()), 0);
  EXPECT_EQ(surface.Count(RGB(10, 200, 30), client), (client.right - client.left) * (client.bottom - client.top));
  // With an item, the same erase shows the wallpaper.
  combo_->Items().Add(L"one");
  surface.Fill(RGB(255, 255, 255));
  combo_->Perform(WM_ERASEBKGND, reinterpret_cast<WPARAM>(surface.DC()), 0);
  EXPECT_EQ(surface.At(3, 5), TilePixel(3, 5));
  EXPECT_EQ(surface.At(20, 15), TilePixel(20 % kTileW, 15 % kTileH));
}

TEST_F(SkinComboTest, FaceWithoutAChoiceShowsTheNormalBackground) {
  // Before any row is chosen the system asks for item -1 in the face box.
  AddItems(3);
  auto face = DrawRow(-1, 0, RECT{0, 0, 150, 16});
  int wallpaper = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 150; ++x)
      if (face->At(x, y) == TilePixel(x % kTileW, y % kTileH)) ++wallpaper;
  EXPECT_EQ(wallpaper, 150 * 16);

  combo_->SetOptions(TSkinOptions{skin::ocPaintTransparently});
  face = DrawRow(-1, 0, RECT{0, 0, 150, 16});
  POINT at{0, 0};
  ::ClientToScreen(combo_->Handle(), &at);
  ::ScreenToClient(form_->Handle(), &at);
  int wrong = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 150; ++x)
      if (face->At(x, y) != Backdrop(at.x + x, at.y + y)) ++wrong;
  EXPECT_EQ(wrong, 0);

  // An empty wallpaper list keeps its colour, as its erase does.
  combo_->SetOptions(TSkinOptions{skin::ocPaintWallpaper, skin::ocTileWallpaper});
  combo_->Items().Clear();
  combo_->SetColor(static_cast<fw::TColor>(RGB(10, 200, 30)));
  face = DrawRow(-1, 0, RECT{0, 0, 150, 16});
  EXPECT_EQ(face->Count(RGB(10, 200, 30), RECT{0, 0, 150, 16}), 150 * 16);
}

TEST_F(SkinComboTest, TransparentRowsShowTheFormBehindTheCombo) {
  combo_->SetOptions(TSkinOptions{skin::ocPaintTransparently});
  AddItems(3);
  auto row = DrawRow(0, 0, RECT{0, 0, 177, 16});
  POINT at{0, 0};
  ::ClientToScreen(combo_->Handle(), &at);
  ::ScreenToClient(form_->Handle(), &at);
  int wrong = 0, ink = 0;
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 177; ++x) {
      COLORREF c = row->At(x, y);
      if (GetGValue(c) > 150) ++ink;
      if (x >= kPastText && c != Backdrop(at.x + x, at.y + y)) ++wrong;
    }
  EXPECT_GT(ink, 10);
  EXPECT_EQ(wrong, 0);
}

TEST_F(SkinComboTest, FaceShowsTheFormAndTheSelectionWhenFocused) {
  combo_->SetOptions(TSkinOptions{skin::ocPaintTransparently});
  AddItems(3);
  combo_->SetItemIndex(1);
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(combo_->Handle(), &info));
  const RECT box = info.rcItem;
  POINT at{0, 0};
  ::ClientToScreen(combo_->Handle(), &at);
  ::ScreenToClient(form_->Handle(), &at);
  InvalidateRect(combo_->Handle(), nullptr, TRUE);
  UpdateWindow(combo_->Handle());
  auto shot = Capture(combo_->Handle());
  int wrong = 0;
  for (int y = box.top; y < box.bottom; ++y)
    for (int x = box.left + kPastText; x < box.right; ++x)
      if (shot->At(x, y) != Backdrop(at.x + x, at.y + y)) ++wrong;
  EXPECT_EQ(wrong, 0) << "unfocused face";
  combo_->SetFocus();
  Pump();
  UpdateWindow(combo_->Handle());
  shot = Capture(combo_->Handle());
  int selected = 0;
  for (int y = box.top + 1; y < box.bottom - 1; ++y)
    for (int x = box.left + kPastText; x < box.right - 1; ++x)
      if (shot->At(x, y) == kSelColor) ++selected;
  EXPECT_EQ(selected, (box.bottom - box.top - 2) * (box.right - 1 - box.left - kPastText)) << "focused face";
}

TEST_F(SkinComboTest, FocusedFaceWithoutAChoiceShowsTheSelectionBar) {
  combo_->SetOptions(TSkinOptions{skin::ocPaintTransparently});
  AddItems(3);
  ASSERT_EQ(combo_->ItemIndex(), -1);
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(combo_->Handle(), &info));
  const RECT box = info.rcItem;
  combo_->SetFocus();
  Pump();
  InvalidateRect(combo_->Handle(), nullptr, TRUE);
  UpdateWindow(combo_->Handle());
  auto shot = Capture(combo_->Handle());
  int selected = 0;
  for (int y = box.top + 1; y < box.bottom - 1; ++y)
    for (int x = box.left + 1; x < box.right - 1; ++x)
      if (shot->At(x, y) == kSelColor) ++selected;
  EXPECT_EQ(selected, (box.bottom - box.top - 2) * (box.right - box.left - 2)) << "the focus mark";
}

TEST_F(SkinComboTest, WallpaperStaysFixedWhileTheListScrolls) {
  AddItems(30);
  combo_->SetDroppedDown(true);
  Pump();
  HWND list = combo_->ListWindow();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(fw::WindowHook::HookCount(list), 1);
  RECT anchor = combo_->AnchorRect();
  RECT client{};
  GetClientRect(list, &client);
  // A column right of the short texts, and the rows the list shows.
  const int x = client.right - 6;
  auto check = [&](const char* when) {
    UpdateWindow(list);
    auto shot = Capture(list);
    int wrong = 0;
    for (int y = 0; y < 9 * 16; ++y)
      if (shot->At(x, y) != TilePixel(Mod(x - anchor.left, kTileW), Mod(y - anchor.top, kTileH))) ++wrong;
    EXPECT_EQ(wrong, 0) << when;
  };
  // The current item is drawn selected; keep it off the checked column's rows.
  check("opened");
  SendMessageW(list, WM_VSCROLL, SB_LINEDOWN, 0);
  Pump();
  EXPECT_EQ(SendMessageW(list, LB_GETTOPINDEX, 0, 0), 1);
  check("one row down");
  SendMessageW(list, WM_VSCROLL, SB_PAGEDOWN, 0);
  Pump();
  check("a page down");
  SendMessageW(list, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA), 0);
  Pump();
  check("wheel");
  SendMessageW(list, WM_VSCROLL, SB_LINEUP, 0);
  Pump();
  check("one row up");
}

TEST_F(SkinComboTest, ListHookComesWithTheListAndGoesOnCloseUp) {
  AddItems(5);
  EXPECT_EQ(combo_->ListWindow(), nullptr);
  combo_->SetDroppedDown(true);
  Pump();
  HWND list = combo_->ListWindow();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(fw::WindowHook::HookCount(list), 1);
  combo_->SetDroppedDown(false);
  Pump();
  EXPECT_EQ(combo_->ListWindow(), nullptr);
  EXPECT_EQ(fw::WindowHook::HookCount(list), 0);
  // Opening again installs it again, once.
  combo_->SetDroppedDown(true);
  Pump();
  EXPECT_EQ(combo_->ListWindow(), list);
  EXPECT_EQ(fw::WindowHook::HookCount(list), 1);
}

TEST_F(SkinComboTest, ListBoxWidthEqualToTheWidthNeverMovesTheList) {
  AddItems(5);
  // The system list is wider than the control here.
  SendMessageW(combo_->Handle(), CB_SETDROPPEDWIDTH, 250, 0);
  combo_->SetAlignment(skin::paRight);
  combo_->SetDroppedDown(true);
  Pump();
  RECT list{}, face{};
  GetWindowRect(combo_->ListWindow(), &list);
  GetWindowRect(combo_->Handle(), &face);
  EXPECT_EQ(list.right - list.left, 250);
  EXPECT_EQ(list.left, face.left);
}

TEST_F(SkinComboTest, OtherListWidthsFollowTheAlignment) {
  AddItems(5);
  RECT face{};
  struct Case {
    skin::TPopupAlignment alignment;
    int width;
  };
  for (Case c : {Case{skin::paLeft, 240}, Case{skin::paRight, 240}, Case{skin::paCenter, 241}}) {
    SCOPED_TRACE(c.alignment);
    combo_->SetListBoxWidth(c.width);
    combo_->SetAlignment(c.alignment);
    combo_->SetDroppedDown(true);
    Pump();
    RECT list{};
    GetWindowRect(combo_->ListWindow(), &list);
    GetWindowRect(combo_->Handle(), &face);
    EXPECT_EQ(list.right - list.left, c.width);
    int systemWidth = face.right - face.left;  // what the system gave the list
    if (c.alignment == skin::paLeft) {
      EXPECT_EQ(list.left, face.left);
    } else if (c.alignment == skin::paRight) {
      EXPECT_EQ(list.right, face.left + systemWidth);
    } else {
      EXPECT_EQ(list.left, face.left + systemWidth / 2 - c.width / 2);
    }
    combo_->SetDroppedDown(false);
    Pump();
  }
  combo_->SetListBoxWidth(0);
  EXPECT_EQ(combo_->ListBoxWidth(), combo_->Width());
}

// A combo box whose list procedure fails on every paint.
class FailingListCombo : public TSkinComboBox {
 public:
  using TSkinComboBox::TSkinComboBox;
  int paints = 0;

 protected:
  LRESULT ListWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, const fw::SubclassNext& next) override {
    if (msg == WM_PAINT) {
      ++paints;
      throw std::runtime_error("list paint failed");
    }
    return TSkinComboBox::ListWndProc(wnd, msg, wParam, lParam, next);
  }
};

TEST_F(SkinComboTest, ListProcedureErrorsGoToTheErrorDisplay) {
  FailingListCombo combo(nullptr);
  combo.SetParent(form_);
  combo.SetBounds(200, 24, 177, 22);
  for (int i = 0; i < 5; ++i) combo.Items().Add(L"row");
  combo.HandleNeeded();
  int errors = ApplicationEnvironment::Errors();
  combo.SetDroppedDown(true);
  Pump();
  UpdateWindow(combo.ListWindow());
  EXPECT_GT(combo.paints, 0);
  EXPECT_GE(ApplicationEnvironment::Errors() - errors, combo.paints);
  combo.SetDroppedDown(false);
  Pump();
  EXPECT_EQ(combo.ListWindow(), nullptr);
}

int TextWidth(fw::TFont& font, const std::wstring& text) {
  fw::ClientDC screen(nullptr);
  fw::SelectGuard select(screen.Get(), font.Handle());
  SIZE size{};
  GetTextExtentPoint32W(screen.Get(), text.c_str(), static_cast<int>(text.size()), &size);
  return size.cx;
}

TEST_F(SkinComboTest, OverWideItemGivesTheListAHorizontalExtent) {
  AddItems(3);
  HWND wnd = combo_->Handle();
  EXPECT_EQ(SendMessageW(wnd, CB_GETHORIZONTALEXTENT, 0, 0), 0);
  const std::wstring wide = L"A very long unit name that cannot fit in the list at all";
  combo_->Items().Add(wide);
  int expected = std::max(TextWidth(combo_->SelFont(), wide), TextWidth(combo_->Font(), wide)) + 25;
  ASSERT_GT(expected, 177);
  EXPECT_EQ(SendMessageW(wnd, CB_GETHORIZONTALEXTENT, 0, 0), expected);
  EXPECT_EQ(combo_->HorizontalExtent(), expected);
  // A narrower item changes nothing.
  combo_->Items().Add(L"kg");
  EXPECT_EQ(SendMessageW(wnd, CB_GETHORIZONTALEXTENT, 0, 0), expected);
  // Removing the wide item measures the longest one left.
  combo_->Items().Delete(3);
  int rest = std::max(TextWidth(combo_->SelFont(), L"Hg 0"), TextWidth(combo_->Font(), L"Hg 0")) + 25;
  EXPECT_EQ(SendMessageW(wnd, CB_GETHORIZONTALEXTENT, 0, 0), rest);
  // A new window gets the extent again as the items are put back.
  combo_->Items().Add(wide);
  combo_->RecreateWnd();
  Pump();
  EXPECT_EQ(SendMessageW(combo_->Handle(), CB_GETHORIZONTALEXTENT, 0, 0), expected);
  combo_->Items().Clear();
  EXPECT_EQ(SendMessageW(combo_->Handle(), CB_GETHORIZONTALEXTENT, 0, 0), 0);
}

TEST_F(SkinComboTest, ItemWithinTheListWidthSetsNoExtent) {
  AddItems(3);
  // Short of ListBoxWidth after the 25-pixel allowance: no extent.
  combo_->Items().Add(L"litre");
  EXPECT_EQ(SendMessageW(combo_->Handle(), CB_GETHORIZONTALEXTENT, 0, 0), 0);
}

TEST_F(SkinComboTest, SelFontChangeClearsParentFont) {
  combo_->SetParentFont(true);
  combo_->SelFont().SetHeight(-20);
  EXPECT_FALSE(combo_->ParentFont());
}

TEST_F(SkinComboTest, ParentFontChangeReachesTheSelectionFont) {
  combo_->SetParentFont(true);
  fw::TFont saved;
  saved.Assign(form_->Font());
  form_->Font().SetName(L"Courier New");
  form_->Font().SetHeight(-19);
  EXPECT_EQ(combo_->SelFont().Name(), L"Courier New");
  EXPECT_EQ(combo_->SelFont().Height(), -19);
  EXPECT_EQ(combo_->SelFont().Color(), fw::clHighlightText);
  EXPECT_TRUE(combo_->ParentFont());  // taking the parent's font is no change of the own
  form_->Font().Assign(saved);
}

TEST_F(SkinComboTest, MouseEntryAndExitRaiseTheEvents) {
  AddItems(2);
  combo_->SetOptions(TSkinOptions{skin::ocFlatBorder});
  std::vector<std::string> events;
  combo_->OnMouseEnter = [&](fw::TObject* sender) {
    EXPECT_EQ(sender, combo_);
    events.push_back("enter");
  };
  combo_->OnMouseLeave = [&](fw::TObject*) { events.push_back("leave"); };
  combo_->Perform(fw::CM_MOUSEENTER, 0, 0);
  combo_->Perform(fw::CM_MOUSELEAVE, 0, 0);
  EXPECT_EQ(events, (std::vector<std::string>{"enter", "leave"}));
}

TEST_F(SkinComboTest, NoGdiGrowthOverManyPaints) {
  AddItems(10);
  combo_->SetItemIndex(2);
  InvalidateRect(combo_->Handle(), nullptr, TRUE);
  UpdateWindow(combo_->Handle());
  long live = fw::GdiCounters::Live();
  long brushes = fw::GdiCounters::Created(fw::GdiKind::Brush);
  DibSurface surface(177, 16);
  for (int i = 0; i < 10000; ++i) {
    InvalidateRect(combo_->Handle(), nullptr, TRUE);
    UpdateWindow(combo_->Handle());
  }
  for (int i = 0; i < 10000; ++i) {
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_COMBOBOX;
    item.itemID = static_cast<UINT>(i % 10);
    item.itemState = (i & 1) ? ODS_SELECTED : 0;
    item.hwndItem = combo_->Handle();
    item.hDC = surface.DC();
    item.rcItem = RECT{0, 0, 177, 16};
    combo_->Perform(fw::CN_DRAWITEM, 0, reinterpret_cast<LPARAM>(&item));
  }
  EXPECT_EQ(fw::GdiCounters::Live(), live);
  // The selected rows did fill with a brush of their own each time.
  EXPECT_GE(fw::GdiCounters::Created(fw::GdiKind::Brush) - brushes, 5000);
}

}  // namespace
