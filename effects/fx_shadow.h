#pragma once
// TFxShadow: drop-shadow settings shared by the form shadow and the shaped
// hints: colour, depth in pixels and drawing style.
#include "effects/fx_object.h"
#include "graphics/color.h"

namespace fx {

enum TFxShadowStyle : int {
  hssNone = 0,     // nothing drawn
  hssSolid = 1,    // solid fill in Color
  hssTracing = 2,  // checkerboard of Color ANDed with what is already there
};

using TFxShadowDepth = int;  // 0..40
constexpr TFxShadowDepth kFxMaxShadowDepth = 40;

class TFxShadow : public TFxObject {
 public:
  TFxShadow() = default;
  std::wstring ClassName() const override { return L"TFxShadow"; }

  // Copies Style, Color and Depth from another TFxShadow and notifies once;
  // assigning the object to itself does nothing.
  void Assign(const fw::TObject& source) override;

  fw::TColor Color() const { return color_; }
  void SetColor(fw::TColor value);
  TFxShadowDepth Depth() const { return depth_; }
  // Values outside 0..40 are brought into that range.
  void SetDepth(TFxShadowDepth value);
  TFxShadowStyle Style() const { return style_; }
  void SetStyle(TFxShadowStyle value);

 private:
  fw::TColor color_ = fw::clBtnShadow;
  TFxShadowDepth depth_ = 6;
  TFxShadowStyle style_ = hssSolid;
};

}  // namespace fx
