#pragma once
// TSkinComboBox: a drop-down list (the system COMBOBOX superclassed as
// "TSkinComboBox", owner-drawn with variable heights and kept strings) whose
// rows show a wallpaper or what lies behind the control, with the selected
// row in its own font and colour. While the list is dropped down a hook on
// the list window repaints the whole list whenever its top row changed, so a
// tiled wallpaper stays fixed to the list instead of moving with the rows.
#include <windows.h>
#include <commctrl.h>

#include <memory>

#include "controls/owned_wallpaper.h"
#include "controls/image_list.h"
#include "controls/skin_picture.h"
#include "controls/skin_options.h"
#include "graphics/bitmap.h"
#include "graphics/canvas.h"
#include "graphics/font.h"
#include "stdctrls/combobox.h"
#include "framework/subclass.h"

namespace skin {

enum TBevelStyle { bsBevelBoth, bsBevelOnlyImage, bsBevelOnlyText };
enum TPopupAlignment { paLeft, paRight, paCenter };

class TSkinComboBox : public fw::TCustomComboBox, public SkinPicture {
 public:
  explicit TSkinComboBox(fw::TComponent* owner);
  ~TSkinComboBox() override;
  std::wstring ClassName() const override { return L"TSkinComboBox"; }

  // Honoured: ocPaintWallpaper, ocPaintSelWallpaper, ocTileWallpaper,
  // ocInvertWallpaperAsSelect, ocBevelOnlyIfSel, ocNoHighlightImage,
  // ocNoImageAttached, ocUseImageList, ocFlatBorder, ocPaintTransparently.
  TSkinOptions Options() const { return options_; }
  void SetOptions(TSkinOptions options);

  fw::TColor SelColor() const { return selColor_; }
  void SetSelColor(fw::TColor color);
  // Font of the selected row; any change of it clears ParentFont.
  fw::TFont& SelFont() { return selFont_; }
  void SetSelFont(const fw::TFont& font) { selFont_.Assign(font); }

  // The selected row's picture: an own one (created on first access), or
  // picture IdSelWallpaper of SkinImages.
  fw::TBitmap& SelWallpaper();
  void SetSelWallpaper(const fw::TBitmap& bitmap);
  int IdSelWallpaper() const { return idSelWallpaper_; }
  void SetIdSelWallpaper(int index);
  fw::TBitmap* EffectiveSelWallpaper() const;

  // Image left of every row: a strip of square cells (second cell: disabled).
  fw::TBitmap& Glyph() { return glyph_; }
  void SetGlyph(const fw::TBitmap& bitmap);
  // Per-row images with ocUseImageList (row index = image index); not owned.
  TImageList* Images() const { return images_; }
  void SetImages(TImageList* images);

  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut cut);
  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut cut);
  TBevelStyle BevelStyle() const { return bevelStyle_; }
  void SetBevelStyle(TBevelStyle style);

  // Width of the dropped-down list; 0 stores the control's width.
  int ListBoxWidth() const { return listBoxWidth_; }
  void SetListBoxWidth(int width);
  TPopupAlignment Alignment() const { return alignment_; }
  void SetAlignment(TPopupAlignment alignment) { alignment_ = alignment; }

  // Transparent, or a wallpaper option with a wallpaper to show; never in
  // high contrast, where rows are drawn in the system's window colours.
  bool Decorated() const;
  // The list window while it is dropped down (else null), and the rectangle
  // the list's wallpaper is laid over, in the list's client coordinates.
  HWND ListWindow() const { return listWnd_; }
  RECT AnchorRect() const { return anchor_; }
  int HorizontalExtent() const { return extent_; }

  fw::TNotifyEvent OnMouseEnter;
  fw::TNotifyEvent OnMouseLeave;

 protected:
  void Loaded() override;
  void DpiChanged(int oldDpi) override;
  void Notification(fw::TComponent* component, fw::TOperation operation) override;
  void CreateParams(fw::TCreateParams& params) override;
  void DestroyWnd() override;
  void WndProc(fw::TMessage& m) override;
  // The procedure installed over the list window while it is dropped down.
  virtual LRESULT ListWndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam,
                              const fw::SubclassNext& next);

  void CNCommand(fw::TMessage& m) override;
  void CNCtlColor(fw::TMessage& m) override;
  // One row, or the face's selected-item box, on Canvas(); state holds the
  // ODS_* bits of the draw request.
  void DrawItem(int index, const RECT& rect, fw::TOwnerDrawState state) override;
  void WMEraseBkgnd(fw::TMessage& m) override;
  void WMSetFocus(fw::TMessage& m) override;
  void WMKillFocus(fw::TMessage& m) override;
  void WMSize(fw::TMessage& m) override;
  void WMMove(fw::TMessage& m) override;
  void CMMouseEnter(fw::TMessage& m) override;
  void CMMouseLeave(fw::TMessage& m) override;
  void CMParentFontChanged(fw::TMessage& m) override;
  void CMParentColorChanged(fw::TMessage& m) override;
  void CMEnabledChanged(fw::TMessage& m) override;

 private:
  void ListOpening(HWND list);
  void ListClosed();
  void TopIndexRequest(fw::TMessage& m);
  int MeasureForExtent(const std::wstring& text);
  void ItemAdded(LPARAM text);
  void ItemsRemoved();
  void SetExtent(int extent);
  int ImageWidth() const;
  void DrawImage(HDC dc, int index, const RECT& rect, int imageWidth);
  void DrawBorder(bool hot);
  // An unselected row's background: wallpaper, the parent, or the colour.
  void PaintNormalBackground(HDC dc, const RECT& rect, bool wallpaperAllowed);
  // The selected look's fill: the selection colour or wallpaper.
  void PaintSelectedBackground(HDC dc, const RECT& rect);
  // A row or the face in high contrast: the system's window or selection
  // colours, no picture.
  void DrawPlainItem(HDC dc, int index, const RECT& rect, fw::TOwnerDrawState state);
  void Changed() { Invalidate(); }

  TSkinOptions options_{ocBevelOnlyIfSel};
  fw::TColor selColor_ = fw::clHighlight;
  fw::TFont selFont_;
  bool applyingParentFont_ = false;
  OwnedWallpaper selWallpaper_{[this] { Changed(); }};
  int idSelWallpaper_ = -1;
  fw::TBitmap glyph_;
  TImageList* images_ = nullptr;  // not owned
  TChangeLink imagesLink_;
  TBevelCut bevelInner_ = bvNone;
  TBevelCut bevelOuter_ = bvNone;
  TBevelStyle bevelStyle_ = bsBevelBoth;
  int listBoxWidth_;
  TPopupAlignment alignment_ = paLeft;

  HWND listWnd_ = nullptr;     // the dropped-down list, not owned
  fw::WindowHook listHook_;    // our procedure over the list window
  RECT anchor_{};
  int extent_ = 0;
};

}  // namespace skin
