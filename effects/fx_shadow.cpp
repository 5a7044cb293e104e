#include "effects/fx_shadow.h"

#include <algorithm>

namespace fx {

void TFxShadow::Assign(const fw::TObject& source) {
  if (&source == this) return;
  const auto* other = dynamic_cast<const TFxShadow*>(&source);
  if (!other) {
    TFxObject::Assign(source);
    return;
  }
  style_ = other->style_;
  color_ = other->color_;
  depth_ = other->depth_;
  Changed();
}

void TFxShadow::SetColor(fw::TColor value) {
  if (value == color_) return;
  color_ = value;
  Changed();
}

void TFxShadow::SetDepth(TFxShadowDepth value) {
  value = std::clamp(value, 0, kFxMaxShadowDepth);
  if (value == depth_) return;
  depth_ = value;
  Changed();
}

void TFxShadow::SetStyle(TFxShadowStyle value) {
  if (value == style_) return;
  style_ = value;
  Changed();
}

}  // namespace fx
