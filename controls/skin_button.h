#pragma once
// TSkinBtn: a push button that draws its whole face itself (owner-drawn
// system button): rectangular or elliptical; filled with a colour, the
// effective wallpaper, a gradient or a copy of the parent's background; a
// caption drawn with a shadow copy, an optional glyph, and an optional frame
// animation from an image list. Each face is built off-screen and copied in
// one operation.
#include <windows.h>

#include <functional>
#include <memory>

#include "controls/glyph.h"
#include "controls/image_list.h"
#include "controls/shadowed_text.h"
#include "controls/skin_picture.h"
#include "controls/skin_options.h"
#include "graphics/bitmap.h"
#include "stdctrls/button.h"
#include "graphics/canvas.h"
#include "core/set.h"
#include "framework/timer.h"

namespace skin {

enum TBtnPaintOption { bpoDrawFocus, bpoDrawDefault };
using TBtnPaintOptions = core::TSet<TBtnPaintOption>;

enum TButtonLayout { blGlyphLeft, blGlyphRight, blGlyphTop, blGlyphBottom };

using TDrawButtonEvent = std::function<void(fw::TObject* sender, fw::TCanvas& canvas, const RECT& r)>;

class TSkinBtn : public fw::TButton, public ShadowedText, public SkinPicture {
 public:
  explicit TSkinBtn(fw::TComponent* owner);
  ~TSkinBtn() override;
  std::wstring ClassName() const override { return L"TSkinBtn"; }

  TSkinOptions Options() const { return options_; }
  void SetOptions(TSkinOptions value);

  fw::TColor ColorStart() const { return colorStart_; }
  void SetColorStart(fw::TColor value);
  fw::TColor ColorEnd() const { return colorEnd_; }
  void SetColorEnd(fw::TColor value);
  TGradientDirection GradientDirection() const { return gradientDirection_; }
  void SetGradientDirection(TGradientDirection value);

  bool Flat() const { return flat_; }
  void SetFlat(bool value);
  TBtnPaintOptions BtnPaintOptions() const { return btnPaintOptions_; }
  void SetBtnPaintOptions(TBtnPaintOptions value);

  fw::TBitmap& Glyph() { return glyph_.Bitmap(); }
  void SetGlyph(const fw::TBitmap& value);
  int NumGlyphs() const { return glyph_.NumGlyphs(); }
  void SetNumGlyphs(int value);
  TButtonLayout Layout() const { return layout_; }
  void SetLayout(TButtonLayout value);
  int Margin() const { return margin_; }
  void SetMargin(int value);
  int Spacing() const { return spacing_; }
  void SetSpacing(int value);

  TImageList* Images() const { return images_; }
  void SetImages(TImageList* value);
  bool Animated() const { return animated_; }
  void SetAnimated(bool value);
  unsigned Interval() const { return timer_->Interval(); }
  void SetInterval(unsigned value);

  TDrawButtonEvent OnDrawButton;
  fw::TNotifyEvent OnMouseEnter;
  fw::TNotifyEvent OnMouseLeave;

  // What the paint and the animation work with (for tests and tools).
  bool DefaultLook() const { return defaultLook_; }
  bool MouseInside() const { return mouseInside_; }
  int FrameIndex() const { return frameIndex_; }
  // Where the animation's frames go, as the face is laid out now (while no
  // animation runs: the caption's rectangle).
  RECT GlyphRect();
  fw::TTimer& AnimationTimer() { return *timer_; }

  void Notification(fw::TComponent* component, fw::TOperation operation) override;

 protected:
  void CreateParams(fw::TCreateParams& params) override;
  // The default look: stored, then painted at once.
  void SetButtonStyle(bool isDefault) override;

  void CNDrawItem(fw::TMessage& m) override;
  void CNMeasureItem(fw::TMessage& m) override;
  void CMFontChanged(fw::TMessage& m) override;
  void CMEnabledChanged(fw::TMessage& m) override;
  void CMColorChanged(fw::TMessage& m) override;
  void CMParentColorChanged(fw::TMessage& m) override;
  void CMMouseEnter(fw::TMessage& m) override;
  void CMMouseLeave(fw::TMessage& m) override;
  void DpiChanged(int oldDpi) override;

 private:
  void DrawItem(const DRAWITEMSTRUCT& item);
  void PaintFace(HDC dc, bool pressed, bool focused);
  // High contrast: the same shape in the system's button colours, without
  // picture, gradient or shadow.
  void PaintPlainFace(HDC dc, bool pressed, bool focused);
  // The focus mark goes on the face of the focused button that Enter
  // presses, while the keyboard cues show.
  bool ShowsFocusMark(bool focused) const;
  void DrawEllipticFrame(const RECT& r, bool pressed, bool needsFill);
  void UseLinePen(fw::TColor color);
  // Where the glyph (or the animation's frame) and the caption go.
  struct FaceLayout {
    RECT glyph;
    RECT text;
  };
  bool Animating() const;
  SIZE GlyphCell() const;
  TButtonLayout DrawnLayout();
  FaceLayout PlaceGlyphAndCaption(fw::TCanvas& measure, const std::wstring& caption, bool pressed);
  void DrawGlyphAndCaption(HDC dc, bool pressed);
  bool FrameShown() const;
  void AnimationTick();
  void WallpaperChanged();

  TSkinOptions options_;
  fw::TColor colorStart_ = fw::clBtnFace;
  fw::TColor colorEnd_ = fw::clBtnShadow;
  TGradientDirection gradientDirection_ = gdHorizontal;
  bool flat_ = false;
  TBtnPaintOptions btnPaintOptions_{bpoDrawFocus, bpoDrawDefault};
  TGlyph glyph_;
  TButtonLayout layout_ = blGlyphLeft;
  int margin_ = -1;
  int spacing_ = 4;
  TImageList* images_ = nullptr;  // not owned
  bool animated_ = false;
  std::unique_ptr<fw::TTimer> timer_;
  int frameIndex_ = 0;
  bool defaultLook_ = false;
  bool mouseInside_ = false;
  fw::TCanvas canvas_;  // the off-screen canvas, attached only while painting
  TChangeLink imagesLink_;
};

}  // namespace skin
