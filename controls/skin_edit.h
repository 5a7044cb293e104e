#pragma once
// TSkinEdit: a one-line edit (the system EDIT, superclassed as "TSkinEdit")
// whose background can be a wallpaper or whatever lies behind it on the
// parent. The window is created multi-line so that right and centred
// alignment work; Enter is refused so the text stays on one line. Over a
// decorated background every change and paint re-renders the control
// off-screen and copies it in one go, so no traces of old text remain.
#include <windows.h>

#include <memory>

#include "controls/skin_focus.h"
#include "controls/skin_picture.h"
#include "controls/skin_options.h"
#include "core/exceptions.h"
#include "graphics/bitmap.h"
#include "stdctrls/edit.h"

namespace skin {

// A text refused for its length; the field keeps the text it had.
class ETextTooLong : public core::Exception {
 public:
  explicit ETextTooLong(int limit);
};

class TSkinEdit : public fw::TCustomEdit, public SkinPicture {
 public:
  explicit TSkinEdit(fw::TComponent* owner);
  ~TSkinEdit() override;
  std::wstring ClassName() const override { return L"TSkinEdit"; }

  // Honoured: ocPaintWallpaper, ocTileWallpaper, ocPaintTransparently,
  // ocFlatBorder. Wallpaper and transparency exclude each other: the one
  // just switched on wins. The window is recreated.
  TSkinOptions Options() const { return options_; }
  void SetOptions(TSkinOptions options);

  // The edit's alignment; a change recreates the window.
  fw::TAlignment TextAlign() const { return Alignment(); }
  void SetTextAlign(fw::TAlignment align) { SetAlignment(align); }

  // The longest text the field takes (0: any). A typed character, a paste, a
  // replacement or a set text that would make it longer is refused whole
  // with ETextTooLong and the field keeps its text: a number cut short would
  // be another number. (The system edit lays out very long lines slowly.)
  int TextLimit() const { return textLimit_; }
  void SetTextLimit(int limit) { textLimit_ = limit < 0 ? 0 : limit; }

  // Transparent, or a wallpaper option with a wallpaper to show; never in
  // high contrast, where the field is drawn in the system's window colours.
  bool Decorated() const;

  // Renders the whole control off-screen and copies its client area over the
  // window in one operation (decorated controls only).
  void CompositeRepaint();

  fw::TNotifyEvent OnMouseEnter;
  fw::TNotifyEvent OnMouseLeave;

 protected:
  void Notification(fw::TComponent* component, fw::TOperation operation) override;
  // Re-renders first, so the change event finds a clean field.
  void Change() override;
  void CreateParams(fw::TCreateParams& params) override;
  void WndProc(fw::TMessage& m) override;

  void WMPaint(fw::TMessage& m) override;
  void WMNCPaint(fw::TMessage& m) override;
  void WMEraseBkgnd(fw::TMessage& m) override;
  void CNCtlColor(fw::TMessage& m) override;
  void WMSetFocus(fw::TMessage& m) override;
  void WMKillFocus(fw::TMessage& m) override;
  void WMMove(fw::TMessage& m) override;
  void WMKeyDown(fw::TMessage& m) override;
  void WMChar(fw::TMessage& m) override;
  void WMGetDlgCode(fw::TMessage& m) override;
  void CMMouseEnter(fw::TMessage& m) override;
  void CMMouseLeave(fw::TMessage& m) override;
  void CMParentColorChanged(fw::TMessage& m) override;

 private:
  // Background of the client area into dc (client coordinates).
  void PaintBackground(HDC dc);
  // The base paint into dc, the DC's state kept.
  void PaintText(HDC dc);
  void DrawBorder(HDC dc, bool hot);
  // The focus mark: the border drawn in the selection colour while the
  // field has the focus and the keyboard cues show (the text itself keeps
  // its look, whatever the caret and the selection show).
  void DrawFocusMark();
  void RedrawBorder();
  bool FocusOnSkinnedControl() const;
  bool AboutMe(const fw::TMessage& m) const;
  void WallpaperChanged();
  void Paste();
  // Throws ETextTooLong when replacing the selection by `inserted` characters
  // would pass the limit.
  void CheckReplacement(size_t inserted);

  TSkinOptions options_;
  bool compositing_ = false;
  bool ctrlEnter_ = false;
  int textLimit_ = 0;
};

}  // namespace skin
