#pragma once
// TSkinLabel: a label without a window whose caption is drawn twice, a shadow
// copy and the face copy; optionally over the effective wallpaper (always
// tiled) or its colour, inside a bevel, with a glyph before the caption.
#include <windows.h>

#include <memory>
#include <string>

#include "controls/glyph.h"
#include "controls/shadowed_text.h"
#include "controls/skin_picture.h"
#include "controls/skin_options.h"
#include "graphics/bitmap.h"
#include "stdctrls/label.h"

namespace skin {

class TSkinLabel : public fw::TCustomLabel, public ShadowedText, public SkinPicture {
 public:
  explicit TSkinLabel(fw::TComponent* owner);
  ~TSkinLabel() override;
  std::wstring ClassName() const override { return L"TSkinLabel"; }

  TBevelCut BevelInner() const { return bevelInner_; }
  void SetBevelInner(TBevelCut value);
  TBevelCut BevelOuter() const { return bevelOuter_; }
  void SetBevelOuter(TBevelCut value);
  int BevelsOffset() const { return bevelsOffset_; }
  // A non-zero offset turns AutoSize off.
  void SetBevelsOffset(int value);

  fw::TBitmap& Glyph() { return glyph_.Bitmap(); }
  void SetGlyph(const fw::TBitmap& value);
  int NumGlyphs() const { return glyph_.NumGlyphs(); }
  void SetNumGlyphs(int value);

  void SetAutoSize(bool value) override;
  void Loaded() override;
  void Notification(fw::TComponent* component, fw::TOperation operation) override;

 protected:
  void Paint() override;
  void AdjustBounds() override;
  void DpiChanged(int oldDpi) override;
  void DoDrawText(RECT& rect, UINT flags) override;

 private:
  void WallpaperChanged();
  SIZE MeasureCaption(UINT flags);
  // Right-to-left reading (controls/reading_order.h) reads the text right
  // to left and swaps left and right alignment, for drawing and for size
  // fitting alike.
  bool ReadsRightToLeft() const;
  fw::TAlignment DrawnAlignment() const;

  TBevelCut bevelInner_ = bvNone;
  TBevelCut bevelOuter_ = bvNone;
  int bevelsOffset_ = 0;
  TGlyph glyph_;
};

}  // namespace skin
