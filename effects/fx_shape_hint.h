#pragma once
// The hint components: TFxCustomHint (font, 3D text, colour, width limit,
// and the hint window class it installs for the whole application while
// enabled), TFxCustomShapeHint (the balloon's border, shape, preferred
// position and shadow) and TFxShapeHint, which shows every hint of the
// program as a balloon (TFxShapeHintWindow) while it is the active one.
#include <memory>

#include "effects/fx_3d_caption.h"
#include "effects/fx_component.h"
#include "effects/fx_shadow.h"
#include "graphics/color.h"
#include "graphics/font.h"
#include "framework/hintwindow.h"

namespace fx {

// Where the balloon goes from the cursor (its nose points back at it).
enum TFxHintPosition : int { hpAboveLeft = 0, hpAboveRight = 1, hpBelowLeft = 2, hpBelowRight = 3 };

enum TFxHintStyle : int {
  hsRect = 0,
  hsRoundRect = 1,
  hsEllipse = 2,
  hsNoseRect = 3,
  hsNoseRoundRect = 4,
  hsNoseEllipse = 5,
};

class TFxCustomHint : public TFxComponent {
 public:
  explicit TFxCustomHint(fw::TComponent* owner);
  ~TFxCustomHint() override;
  std::wstring ClassName() const override { return L"TFxCustomHint"; }

  // Enabled when loaded: the application's hint window is recreated at once.
  void Loaded() override;

  bool Enabled() const { return enabled_; }
  // Installs the component's hint window class (on) or the plain one (off)
  // and has the application recreate its hint window.
  virtual void SetEnabled(bool value);

  fw::TFont& Font() { return *font_; }
  const fw::TFont& Font() const { return *font_; }
  void SetFont(const fw::TFont& font) { font_->Assign(font); }
  TFx3DCaption& Font3D() { return *font3D_; }
  const TFx3DCaption& Font3D() const { return *font3D_; }
  void SetFont3D(const TFx3DCaption& caption) { font3D_->Assign(caption); }
  fw::TColor Color() const { return color_; }
  void SetColor(fw::TColor value) { color_ = value; }
  // > 0: the text width limit in pixels; -n: the screen width / n.
  int MaxWidth() const { return maxWidth_; }
  void SetMaxWidth(int value) { maxWidth_ = value; }
  // The limit MaxWidth gives on this screen (at least 1).
  // A positive maximum width is a design length, at dpi; a negative one a
  // share of the screen's width.
  int TextWidthLimit(int dpi = fw::kDesignDpi) const;

 protected:
  fw::THintWindowClass hintWindowClass_ = fw::THintWindowClass::Of<fw::THintWindow>();

 private:
  bool enabled_ = true;
  std::unique_ptr<fw::TFont> font_;
  std::unique_ptr<TFx3DCaption> font3D_;
  fw::TColor color_ = fw::clInfoBk;
  int maxWidth_ = -4;
};

class TFxCustomShapeHint : public TFxCustomHint {
 public:
  explicit TFxCustomShapeHint(fw::TComponent* owner);
  ~TFxCustomShapeHint() override;
  std::wstring ClassName() const override { return L"TFxCustomShapeHint"; }

  fw::TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(fw::TColor value) { borderColor_ = value; }
  TFxHintPosition Position() const { return position_; }
  void SetPosition(TFxHintPosition value) { position_ = value; }
  TFxHintStyle Style() const { return style_; }
  void SetStyle(TFxHintStyle value) { style_ = value; }
  TFxShadow& Shadow() { return *shadow_; }
  const TFxShadow& Shadow() const { return *shadow_; }
  void SetShadow(const TFxShadow& shadow) { shadow_->Assign(shadow); }

 private:
  fw::TColor borderColor_ = fw::clBlack;
  TFxHintPosition position_ = hpAboveRight;
  TFxHintStyle style_ = hsNoseRoundRect;
  std::unique_ptr<TFxShadow> shadow_;
};

class TFxShapeHint : public TFxCustomShapeHint {
 public:
  explicit TFxShapeHint(fw::TComponent* owner);
  // No longer the active shape hint; the hint window class stays, and its
  // windows then show plain hints.
  ~TFxShapeHint() override;
  std::wstring ClassName() const override { return L"TFxShapeHint"; }

  // Also makes this the active shape hint (on) or stops it being one (off).
  void SetEnabled(bool value) override;
};

// The one enabled shape hint whose settings every balloon uses (not owned),
// or null.
TFxShapeHint* FxActiveShapeHint();

}  // namespace fx
