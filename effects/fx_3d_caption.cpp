#include "effects/fx_3d_caption.h"

#include <algorithm>

namespace fx {

namespace {

template <class T>
bool Store(T& field, T value) {
  if (field == value) return false;
  field = value;
  return true;
}

}  // namespace

void TFx3DCaption::Assign(const fw::TObject& source) {
  if (&source == this) return;
  const auto* other = dynamic_cast<const TFx3DCaption*>(&source);
  if (!other) {
    TFxObject::Assign(source);
    return;
  }
  style_ = other->style_;
  lightDepth_ = other->lightDepth_;
  shadowDepth_ = other->shadowDepth_;
  lightColor_ = other->lightColor_;
  shadowColor_ = other->shadowColor_;
  tracing_ = other->tracing_;
  disabledStyle_ = other->disabledStyle_;
  Changed();
}

void TFx3DCaption::SetStyle(TFxThreeDStyle value) {
  if (Store(style_, value)) Changed();
}
void TFx3DCaption::SetLightDepth(std::uint8_t value) {
  if (Store(lightDepth_, value)) Changed();
}
void TFx3DCaption::SetShadowDepth(std::uint8_t value) {
  if (Store(shadowDepth_, value)) Changed();
}
void TFx3DCaption::SetLightColor(fw::TColor value) {
  if (Store(lightColor_, value)) Changed();
}
void TFx3DCaption::SetShadowColor(fw::TColor value) {
  if (Store(shadowColor_, value)) Changed();
}
void TFx3DCaption::SetTracing(int value) {
  if (Store(tracing_, value)) Changed();
}
void TFx3DCaption::SetDisabledStyle(TFxDisabledStyle value) {
  if (Store(disabledStyle_, value)) Changed();
}

int TFx3DCaption::Depth() const {
  switch (style_) {
    case tdSunken:
    case tdRaised:
      return lightDepth_;
    case tdSunkenShadow:
    case tdRaisedShadow:
    case tdPColorSunken:
    case tdPColorRaised:
      return lightDepth_ + shadowDepth_;
    case tdShadow:
      return shadowDepth_;
    default:
      return 0;
  }
}

void TFxAngleCaption::Assign(const fw::TObject& source) {
  if (&source == this) return;
  const auto* other = dynamic_cast<const TFxAngleCaption*>(&source);
  if (!other) {
    TFx3DCaption::Assign(source);
    return;
  }
  // One notification for both halves (none while the caller holds an update).
  const bool outer = Updating();
  if (!outer) BeginUpdate();
  TFx3DCaption::Assign(source);
  angle_ = other->angle_;
  posX_ = other->posX_;
  posY_ = other->posY_;
  if (!outer) EndUpdate();
}

void TFxAngleCaption::SetAngle(TFxAngle value) {
  value = std::clamp(value, 0, 360);
  if (value == 360) value = 0;
  if (Store(angle_, value)) Changed();
}
void TFxAngleCaption::SetPosX(std::uint16_t value) {
  if (Store(posX_, value)) Changed();
}
void TFxAngleCaption::SetPosY(std::uint16_t value) {
  if (Store(posY_, value)) Changed();
}

}  // namespace fx
