#include "controls/skin_combo.h"

#include <algorithm>
#include <string>

#include "controls/flat_border.h"
#include "controls/image_list_api.h"
#include "controls/skin_draw.h"
#include "controls/skin_focus.h"
#include "graphics/gdi.h"
#include "graphics/scaled_edge.h"
#include "framework/guard.h"
#include "framework/high_contrast.h"

namespace skin {

namespace {

// The last top row seen by any combo box's list (one list is open at a time).
LRESULT g_lastTopIndex = 0;

// The row states that get the selected look: exactly selected, selected and
// focused, or selected and focused in the face box. The keyboard-cue bits
// say nothing about selection and are left out of the comparison.
bool SelectedLook(UINT state) {
  state &= 0xFFFFu & ~static_cast<UINT>(ODS_NOACCEL | ODS_NOFOCUSRECT);
  return state == ODS_SELECTED || state == (ODS_SELECTED | ODS_FOCUS) ||
         state == (ODS_SELECTED | ODS_FOCUS | ODS_COMBOBOXEDIT);
}

UINT InnerEdge(TBevelCut cut) {
  switch (cut) {
    case bvLowered: return BDR_SUNKENINNER;
    case bvRaised: return BDR_RAISEDINNER;
    default: return 0;
  }
}

UINT OuterEdge(TBevelCut cut) {
  switch (cut) {
    case bvLowered: return BDR_SUNKENOUTER;
    case bvRaised: return BDR_RAISEDOUTER;
    default: return 0;
  }
}

// Puts back a DC's text and background colours.
class ColorsKept {
 public:
  explicit ColorsKept(HDC dc) : dc_(dc), text_(GetTextColor(dc)), back_(GetBkColor(dc)), mode_(GetBkMode(dc)) {}
  ColorsKept(const ColorsKept&) = delete;
  ColorsKept& operator=(const ColorsKept&) = delete;
  ~ColorsKept() {
    SetTextColor(dc_, text_);
    SetBkColor(dc_, back_);
    SetBkMode(dc_, mode_);
  }

 private:
  HDC dc_;
  COLORREF text_, back_;
  int mode_;
};

std::wstring ItemText(HWND combo, int index) {
  LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length <= 0) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  LRESULT got = SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(got > 0 ? static_cast<size_t>(got) : 0);
  return text;
}

}  // namespace

TSkinComboBox::TSkinComboBox(fw::TComponent* owner)
    : fw::TCustomComboBox(owner), SkinPicture(*this, {.changed = [this] { Changed(); }}) {
  SetStyle(fw::csOwnerDrawVariable);
  listBoxWidth_ = Width();
  selFont_.Assign(Font());
  selFont_.SetColor(fw::clHighlightText);
  selFont_.OnChange = [this] {
    if (!applyingParentFont_) SetParentFont(false);
    Invalidate();
  };
  imagesLink_.OnChange = [this] { Changed(); };
  glyph_.OnChange = [this] { Changed(); };
}

TSkinComboBox::~TSkinComboBox() {
  Destroying();
  listHook_.Remove();
  imagesLink_.Attach(nullptr);
}

// ---- properties

void TSkinComboBox::SetOptions(TSkinOptions options) {
  if (options == options_) return;
  options_ = options;
  Changed();
}

void TSkinComboBox::SetSelColor(fw::TColor color) {
  if (color == selColor_) return;
  selColor_ = color;
  Changed();
}

fw::TBitmap& TSkinComboBox::SelWallpaper() { return selWallpaper_.Get(); }

void TSkinComboBox::SetSelWallpaper(const fw::TBitmap& bitmap) {
  selWallpaper_.Set(bitmap);
  Changed();
}

void TSkinComboBox::SetIdSelWallpaper(int index) {
  if (index == idSelWallpaper_) return;
  idSelWallpaper_ = index;
  Changed();
}

fw::TBitmap* TSkinComboBox::EffectiveSelWallpaper() const {
  return skin::EffectiveWallpaper(SkinImages(), idSelWallpaper_, selWallpaper_.Existing());
}

void TSkinComboBox::SetGlyph(const fw::TBitmap& bitmap) { glyph_.Assign(bitmap); }

void TSkinComboBox::SetImages(TImageList* images) {
  if (images == images_) return;
  if (images_) images_->RemoveFreeNotification(this);
  images_ = images;
  imagesLink_.Attach(images);
  if (images) images->FreeNotification(this);
  Changed();
}

void TSkinComboBox::SetBevelInner(TBevelCut cut) {
  if (cut == bevelInner_) return;
  bevelInner_ = cut;
  Changed();
}

void TSkinComboBox::SetBevelOuter(TBevelCut cut) {
  if (cut == bevelOuter_) return;
  bevelOuter_ = cut;
  Changed();
}

void TSkinComboBox::SetBevelStyle(TBevelStyle style) {
  if (style == bevelStyle_) return;
  bevelStyle_ = style;
  Changed();
}

void TSkinComboBox::SetListBoxWidth(int width) { listBoxWidth_ = width == 0 ? DesignBounds().width : width; }

bool TSkinComboBox::Decorated() const {
  if (fw::HighContrast()) return false;
  return options_.Contains(ocPaintTransparently) ||
         (options_.Contains(ocPaintWallpaper) && EffectiveWallpaper() != nullptr);
}

void TSkinComboBox::Loaded() {
  fw::TCustomComboBox::Loaded();
  if (listBoxWidth_ == 0) listBoxWidth_ = DesignBounds().width;
}

void TSkinComboBox::DpiChanged(int oldDpi) {
  fw::TCustomComboBox::DpiChanged(oldDpi);
  selFont_.SetDpi(Dpi());
  // The items' widths were measured with the old fonts.
  ItemsRemoved();
}

void TSkinComboBox::Notification(fw::TComponent* component, fw::TOperation operation) {
  if (SkinImagesRemoved(component, operation)) Changed();
  if (operation == fw::opRemove && component == images_) {
    images_ = nullptr;
    imagesLink_.Attach(nullptr);
    if (!IsDestroying()) Changed();
  }
  fw::TCustomComboBox::Notification(component, operation);
}

// ---- window

void TSkinComboBox::CreateParams(fw::TCreateParams& params) {
  fw::TCustomComboBox::CreateParams(params);
  params.Style &= ~static_cast<DWORD>(CBS_SIMPLE | CBS_DROPDOWN | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED |
                                      CBS_OWNERDRAWVARIABLE);
  params.Style |= CBS_DROPDOWNLIST | CBS_OWNERDRAWVARIABLE | CBS_HASSTRINGS | CBS_AUTOHSCROLL | WS_VSCROLL |
                  WS_HSCROLL;
}

void TSkinComboBox::DestroyWnd() {
  ListClosed();
  fw::TCustomComboBox::DestroyWnd();
  // The extent belongs to the window: the next one starts at 0 and gets its
  // extent again as the items are put back.
  extent_ = 0;
}

void TSkinComboBox::WndProc(fw::TMessage& m) {
  switch (m.Msg) {
    case WM_CTLCOLORLISTBOX: {
      HWND list = reinterpret_cast<HWND>(m.LParam);
      if (list && list != listWnd_ && HandleAllocated()) {
        COMBOBOXINFO info{};
        info.cbSize = sizeof info;
        if (GetComboBoxInfo(Handle(), &info) && info.hwndList == list) ListOpening(list);
      }
      break;
    }
    case CB_GETTOPINDEX:
      TopIndexRequest(m);
      return;
    case CB_ADDSTRING:
    case CB_INSERTSTRING:
      fw::TCustomComboBox::WndProc(m);
      if (m.Result >= 0) ItemAdded(m.LParam);
      return;
    case CB_DELETESTRING:
    case CB_RESETCONTENT:
      fw::TCustomComboBox::WndProc(m);
      ItemsRemoved();
      return;
    default:
      break;
  }
  fw::TCustomComboBox::WndProc(m);
}

// ---- the dropped-down list

void TSkinComboBox::ListOpening(HWND list) {
  listWnd_ = list;
  RECT lr{};
  GetWindowRect(list, &lr);
  int width = lr.right - lr.left;
  const int listWidth = Scaled(listBoxWidth_);
  if (listWidth != Width() && width != listWidth) {
    int left = lr.left;
    if (alignment_ == paRight)
      left = lr.right - listWidth;
    else if (alignment_ == paCenter)
      left = lr.left + width / 2 - listWidth / 2;
    POINT topLeft{left, lr.top};
    if (HWND parent = GetAncestor(list, GA_PARENT); parent && parent != GetDesktopWindow())
      ::ScreenToClient(parent, &topLeft);
    SetWindowPos(list, nullptr, topLeft.x, topLeft.y, listWidth, lr.bottom - lr.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    GetWindowRect(list, &lr);
  }
  MapWindowPoints(nullptr, list, reinterpret_cast<POINT*>(&lr), 2);  // a RECT is two POINTs
  anchor_ = lr;
  if (GetWindowLongPtrW(list, GWL_STYLE) & WS_HSCROLL) {
    int low = 0, high = 0;
    if (GetScrollRange(list, SB_HORZ, &low, &high)) {
      anchor_.left = low;
      anchor_.right = high;
    }
  }
  if (!listHook_.Installed()) {
    listHook_ = fw::WindowHook(list, [this](HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                            const fw::SubclassNext& next) -> LRESULT {
      try {
        return ListWndProc(wnd, msg, wParam, lParam, next);
      } catch (...) {
        fw::ReportCurrentException(this);
        // A paint that failed must still end, or it would come back forever.
        if (msg == WM_PAINT) ValidateRect(wnd, nullptr);
        return 0;
      }
    });
  }
}

LRESULT TSkinComboBox::ListWndProc(HWND, UINT msg, WPARAM wParam, LPARAM lParam, const fw::SubclassNext& next) {
  // The list paints whatever the top-row check does.
  if (msg == WM_PAINT) fw::GuardedVoid([this] { Perform(CB_GETTOPINDEX, 0, 0); }, this);
  return next(msg, wParam, lParam);
}

void TSkinComboBox::TopIndexRequest(fw::TMessage& m) {
  fw::TCustomComboBox::WndProc(m);
  if (m.Result != g_lastTopIndex && Decorated() && listWnd_) {
    InvalidateRect(listWnd_, &anchor_, FALSE);
    g_lastTopIndex = m.Result;
  }
}

void TSkinComboBox::ListClosed() {
  listHook_.Remove();
  listWnd_ = nullptr;
}

void TSkinComboBox::CNCommand(fw::TMessage& m) {
  if (HIWORD(m.WParam) == CBN_CLOSEUP) ListClosed();
  fw::TCustomComboBox::CNCommand(m);
}

// ---- horizontal extent

int TSkinComboBox::MeasureForExtent(const std::wstring& text) {
  fw::MemoryDC screen;  // measures as the screen does, without a screen DC
  SIZE sel{}, normal{};
  {
    fw::SelectGuard font(screen.Get(), selFont_.Handle());
    GetTextExtentPoint32W(screen.Get(), text.c_str(), static_cast<int>(text.size()), &sel);
  }
  {
    fw::SelectGuard font(screen.Get(), Font().Handle());
    GetTextExtentPoint32W(screen.Get(), text.c_str(), static_cast<int>(text.size()), &normal);
  }
  return std::max(sel.cx, normal.cx) + Scaled(options_.Contains(ocNoImageAttached) ? 5 : 25);
}

void TSkinComboBox::SetExtent(int extent) {
  extent_ = extent;
  if (HandleAllocated()) SendMessageW(Handle(), CB_SETHORIZONTALEXTENT, static_cast<WPARAM>(extent), 0);
}

void TSkinComboBox::ItemAdded(LPARAM text) {
  if (!text) return;
  int width = MeasureForExtent(reinterpret_cast<const wchar_t*>(text));
  if (width > extent_ && width > Scaled(listBoxWidth_)) SetExtent(width);
}

void TSkinComboBox::ItemsRemoved() {
  if (!HandleAllocated()) return;
  HWND wnd = Handle();
  int count = static_cast<int>(SendMessageW(wnd, CB_GETCOUNT, 0, 0));
  int longest = -1;
  LRESULT longestLength = -1;
  for (int i = 0; i < count; ++i) {
    LRESULT length = SendMessageW(wnd, CB_GETLBTEXTLEN, static_cast<WPARAM>(i), 0);
    if (length > longestLength) {
      longestLength = length;
      longest = i;
    }
  }
  SetExtent(longest < 0 ? 0 : MeasureForExtent(ItemText(wnd, longest)));
}

// ---- painting

void TSkinComboBox::WMEraseBkgnd(fw::TMessage& m) {
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  if (dc && fw::HighContrast()) {
    const RECT r = ClientRect();
    FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOW));
    m.Result = 1;
    return;
  }
  if (dc && options_.Contains(ocPaintTransparently)) {
    PaintParentBackground(this, dc);
    m.Result = 1;
    return;
  }
  if (dc && options_.Contains(ocPaintWallpaper) && HandleAllocated() &&
      SendMessageW(Handle(), CB_GETCOUNT, 0, 0) > 0) {
    if (fw::TBitmap* wallpaper = EffectiveWallpaper()) {
      DrawWallpaper(dc, wallpaper, ClientRect(), SRCCOPY, options_.Contains(ocTileWallpaper), Dpi());
      m.Result = 1;
      return;
    }
  }
  fw::TCustomComboBox::WMEraseBkgnd(m);
}

void TSkinComboBox::CNCtlColor(fw::TMessage& m) {
  fw::TCustomComboBox::CNCtlColor(m);
  if (fw::HighContrast()) {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    m.Result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    return;
  }
  if (m.Msg != fw::CN_CTLCOLORLISTBOX && Decorated()) {
    // The face keeps what the erase painted.
    SetBkMode(reinterpret_cast<HDC>(m.WParam), TRANSPARENT);
    m.Result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
  }
}

int TSkinComboBox::ImageWidth() const {
  if (options_.Contains(ocNoImageAttached)) return 0;
  if (options_.Contains(ocUseImageList)) {
    return images_ ? images_->Width() : 0;
  }
  if (glyph_.Empty()) return 0;
  int cells = glyph_.Height() > 0 ? glyph_.Width() / glyph_.Height() : 1;
  return Scaled(glyph_.Width() / std::max(cells, 1));
}

void TSkinComboBox::DrawImage(HDC dc, int index, const RECT& rect, int imageWidth) {
  if (imageWidth <= 0) return;
  bool enabled = Enabled();
  if (options_.Contains(ocUseImageList)) {
    if (!images_ || !images_->Handle() || index >= images_->Count()) return;
    int cx = images_->Width(), cy = images_->Height();
    int y = rect.top + (rect.bottom - rect.top - cy) / 2;
    imagelist::DrawEx(images_->Handle(), index, dc, rect.left + Scaled(2), y, cx, cy, CLR_NONE, CLR_DEFAULT,
                     enabled ? ILD_TRANSPARENT : ILD_TRANSPARENT | ILD_BLEND50);
    return;
  }
  int cells = std::max(glyph_.Width() / std::max(glyph_.Height(), 1), 1);
  int cell = (!enabled && cells > 1) ? 1 : 0;
  // The strip as designed, scaled once for the DPI.
  fw::TBitmap& strip = glyph_.AtDpi(Dpi());
  int height = strip.Height();
  int x = rect.left + Scaled(2);
  int y = rect.top + (rect.bottom - rect.top - height) / 2;
  COLORREF transparent = fw::ColorToRGB(glyph_.TransparentColor());
  // The glyph's pixels through its own canvas, where the picture is selected.
  HDC source = strip.Canvas().Handle();
  const int sourceX = std::min(cell * imageWidth, std::max(strip.Width() - imageWidth, 0));
  if (enabled || cells > 1) {
    GdiTransparentBlt(dc, x, y, imageWidth, height, source, sourceX, 0, imageWidth, height, transparent);
    return;
  }
  // A disabled single cell: its shape embossed in the 3D colours.
  fw::MemoryDC maskDC(dc);
  fw::GdiBitmap mask(CreateBitmap(imageWidth, height, 1, 1, nullptr));
  fw::SelectGuard maskPicture(maskDC.Get(), mask.Get());
  COLORREF oldBack = SetBkColor(source, transparent);
  BitBlt(maskDC.Get(), 0, 0, imageWidth, height, source, 0, 0, SRCCOPY);
  SetBkColor(source, oldBack);
  // Mask: 1 where transparent, 0 where the glyph is. Mono 0 turns into the
  // text colour (white: the brush goes there), 1 into the background colour
  // (black: the destination stays).
  SetTextColor(dc, RGB(255, 255, 255));
  SetBkColor(dc, RGB(0, 0, 0));
  fw::GdiBrush light(CreateSolidBrush(fw::ColorToRGB(fw::clBtnHighlight)));
  fw::GdiBrush dark(CreateSolidBrush(fw::ColorToRGB(fw::clBtnShadow)));
  {
    fw::SelectGuard brush(dc, light.Get());
    BitBlt(dc, x + Scaled(1), y + Scaled(1), imageWidth, height, maskDC.Get(), 0, 0, 0x00E20746);
  }
  fw::SelectGuard brush(dc, dark.Get());
  BitBlt(dc, x, y, imageWidth, height, maskDC.Get(), 0, 0, 0x00E20746);
}

void TSkinComboBox::DrawBorder(bool hot) {
  if (HandleAllocated()) DrawFlatBorder(nullptr, Handle(), hot);
}

void TSkinComboBox::PaintSelectedBackground(HDC dc, const RECT& rect) {
  RECT fill = rect;
  if (options_.Contains(ocNoHighlightImage))
    fill.left = options_.Contains(ocNoImageAttached) ? rect.left - Scaled(2) : rect.left + RowHeight();
  fw::TBitmap* wallpaper = EffectiveWallpaper();
  fw::TBitmap* selWallpaper = EffectiveSelWallpaper();
  if (options_.Contains(ocInvertWallpaperAsSelect) && wallpaper) {
    DrawWallpaperAnchored(dc, wallpaper, anchor_, NOTSRCCOPY, options_.Contains(ocTileWallpaper), fill, Dpi());
  } else if (options_.Contains(ocPaintSelWallpaper) && selWallpaper) {
    DrawWallpaperAnchored(dc, selWallpaper, anchor_, SRCCOPY, true, fill, Dpi());
  } else {
    fw::GdiBrush brush(CreateSolidBrush(fw::ColorToRGB(selColor_)));
    FillRect(dc, &fill, brush.Get());
  }
}

void TSkinComboBox::PaintNormalBackground(HDC dc, const RECT& rect, bool wallpaperAllowed) {
  fw::TBitmap* wallpaper = EffectiveWallpaper();
  if (wallpaperAllowed && options_.Contains(ocPaintWallpaper) && wallpaper) {
    DrawWallpaperAnchored(dc, wallpaper, anchor_, SRCCOPY, options_.Contains(ocTileWallpaper), rect, Dpi());
  } else if (options_.Contains(ocPaintTransparently)) {
    PaintParentBackgroundClipped(this, dc, rect);
  } else {
    FillRect(dc, &rect, Brush().Handle());
  }
}

void TSkinComboBox::DrawItem(int index, const RECT& rect, fw::TOwnerDrawState state) {
  HDC dc = Canvas().Handle();
  // 1. the flat border
  if (options_.Contains(ocFlatBorder)) DrawBorder(Focused());
  // 2. a handler of the owner's draws the row instead
  if (OnDrawItem) {
    OnDrawItem(this, index, rect, state);
    return;
  }
  if (fw::HighContrast()) {
    DrawPlainItem(dc, index, rect, state);
    return;
  }
  if (IsRectEmpty(&anchor_)) anchor_ = ClientRect();
  if (index < 0) {
    // No row chosen yet. Focused, the face gets the selected look like any
    // focused face, which is its focus mark; otherwise the background of an
    // unselected row, so the field does not flash white before the first
    // choice (an empty wallpaper list keeps its colour, as its erase does).
    if (SelectedLook(state)) {
      PaintSelectedBackground(dc, rect);
    } else {
      PaintNormalBackground(dc, rect, SendMessageW(Handle(), CB_GETCOUNT, 0, 0) > 0);
    }
    return;
  }
  // 3. the colours are put back at the end, also after a throw
  ColorsKept colors(dc);
  int imageWidth = ImageWidth();
  bool selected = SelectedLook(state);
  fw::TFont& font = selected ? selFont_ : Font();
  fw::SelectGuard fontGuard(dc, font.Handle());

  // 4. the background
  if (selected) {
    PaintSelectedBackground(dc, rect);
  } else {
    PaintNormalBackground(dc, rect, true);
  }

  // 5. the image column
  if (!options_.Contains(ocNoImageAttached)) DrawImage(dc, index, rect, imageWidth);

  // 6. where the text goes
  int x = options_.Contains(ocNoImageAttached) ? rect.left + Scaled(2) : rect.left + imageWidth + Scaled(4);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  int y = rect.top + (RowHeight() - metrics.tmHeight) / 2;

  // 7. the text
  std::wstring text = ItemText(Handle(), index);
  if (!text.empty()) {
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, fw::ColorToRGB(font.Color()));
    if (Enabled()) {
      ExtTextOutW(dc, x, y, ETO_CLIPPED, &rect, text.c_str(), static_cast<UINT>(text.size()), nullptr);
    } else {
      DrawStateW(dc, nullptr, nullptr, reinterpret_cast<LPARAM>(text.c_str()), static_cast<WPARAM>(text.size()),
                 x, y, 0, 0, DST_TEXT | DSS_DISABLED);
    }
  }

  // 8. the bevel
  if (bevelInner_ != bvNone || bevelOuter_ != bvNone) {
    UINT bare = state & 0xFFFFu & ~static_cast<UINT>(ODS_NOACCEL | ODS_NOFOCUSRECT);
    bool bevelHere = !options_.Contains(ocBevelOnlyIfSel) || bare == ODS_SELECTED ||
                     bare == (ODS_SELECTED | ODS_FOCUS);
    if (bevelHere) {
      RECT bevel = rect;
      if (bevelStyle_ == bsBevelOnlyImage) bevel.right = x - Scaled(4);
      if (bevelStyle_ == bsBevelOnlyText) bevel.left = x - Scaled(4);
      fw::DrawEdgeForDpi(dc, bevel, InnerEdge(bevelInner_) | OuterEdge(bevelOuter_), BF_RECT, Dpi());
    }
  }
  // 9. colours restored by `colors`
}

void TSkinComboBox::DrawPlainItem(HDC dc, int index, const RECT& rect, fw::TOwnerDrawState state) {
  ColorsKept colors(dc);
  // As in the skinned look, a focused face without a row shows the
  // selection colour as its focus mark.
  const bool selected = SelectedLook(state);
  FillRect(dc, &rect, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
  if (index < 0) return;
  fw::TFont& font = selected ? selFont_ : Font();
  fw::SelectGuard fontGuard(dc, font.Handle());
  const int imageWidth = ImageWidth();
  if (!options_.Contains(ocNoImageAttached)) DrawImage(dc, index, rect, imageWidth);
  const int x = options_.Contains(ocNoImageAttached) ? rect.left + Scaled(2) : rect.left + imageWidth + Scaled(4);
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  const int y = rect.top + (ItemHeight() - metrics.tmHeight) / 2;
  const std::wstring text = ItemText(Handle(), index);
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(!Enabled() ? COLOR_GRAYTEXT : selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
  ExtTextOutW(dc, x, y, ETO_CLIPPED, &rect, text.c_str(), static_cast<UINT>(text.size()), nullptr);
}

// ---- focus, mouse, notifications

void TSkinComboBox::WMSetFocus(fw::TMessage& m) {
  fw::TCustomComboBox::WMSetFocus(m);
  if (options_.Contains(ocFlatBorder)) DrawBorder(true);
}

void TSkinComboBox::WMKillFocus(fw::TMessage& m) {
  fw::TCustomComboBox::WMKillFocus(m);
  if (options_.Contains(ocFlatBorder)) DrawBorder(false);
}

void TSkinComboBox::CMMouseEnter(fw::TMessage& m) {
  fw::TCustomComboBox::CMMouseEnter(m);
  if (m.LParam != 0 && m.LParam != reinterpret_cast<LPARAM>(static_cast<fw::TControl*>(this))) return;
  if (options_.Contains(ocFlatBorder) && !IsSkinnedEditLike(fw::TWinControl::FindControl(GetFocus())))
    DrawBorder(true);
  if (OnMouseEnter) OnMouseEnter(this);
}

void TSkinComboBox::CMMouseLeave(fw::TMessage& m) {
  fw::TCustomComboBox::CMMouseLeave(m);
  if (m.LParam != 0 && m.LParam != reinterpret_cast<LPARAM>(static_cast<fw::TControl*>(this))) return;
  if (options_.Contains(ocFlatBorder) && !IsSkinnedEditLike(fw::TWinControl::FindControl(GetFocus())))
    DrawBorder(false);
  if (OnMouseLeave) OnMouseLeave(this);
}

void TSkinComboBox::CMParentFontChanged(fw::TMessage& m) {
  fw::TCustomComboBox::CMParentFontChanged(m);
  if (!ParentFont()) return;
  applyingParentFont_ = true;
  try {
    if (Parent())
      selFont_.Assign(static_cast<fw::TControl*>(Parent())->Font());
    else
      selFont_.Assign(Font());
    selFont_.SetColor(fw::clHighlightText);
  } catch (...) {
    applyingParentFont_ = false;
    throw;
  }
  applyingParentFont_ = false;
}

void TSkinComboBox::CMParentColorChanged(fw::TMessage& m) {
  fw::TCustomComboBox::CMParentColorChanged(m);
  if (options_.Contains(ocPaintTransparently)) Invalidate();
}

void TSkinComboBox::CMEnabledChanged(fw::TMessage& m) {
  fw::TCustomComboBox::CMEnabledChanged(m);
  if (Designing()) Invalidate();
}

void TSkinComboBox::WMSize(fw::TMessage& m) {
  fw::TCustomComboBox::WMSize(m);
  if (Designing() && !IsLoading()) listBoxWidth_ = Width();
}

void TSkinComboBox::WMMove(fw::TMessage& m) {
  fw::TCustomComboBox::WMMove(m);
  Invalidate();
}

}  // namespace skin
