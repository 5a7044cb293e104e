#pragma once
// TFx3DCaption: how text is drawn with a 3D effect (sunken, raised, shadowed)
// and how it looks when disabled. TFxAngleCaption adds a rotation angle and
// the offset of the rotated text inside its rectangle.
#include <cstdint>

#include "effects/fx_object.h"
#include "graphics/color.h"

namespace fx {

enum TFxThreeDStyle : int {
  tdNone = 0,
  tdSunken = 1,
  tdRaised = 2,
  tdSunkenShadow = 3,
  tdRaisedShadow = 4,
  tdPColorSunken = 5,  // text in the brush colour, sunken with a shadow
  tdPColorRaised = 6,  // text in the brush colour, raised with a shadow
  tdShadow = 7,
};

enum TFxDisabledStyle : int {
  dsAuto = 0,      // 3D look only when the caller asks for it
  dsStandard = 1,  // grey text, effect kept
  ds3d = 2,        // grey sunken text
  dsNone = 3,      // drawn as if enabled
};

class TFx3DCaption : public TFxObject {
 public:
  TFx3DCaption() = default;
  std::wstring ClassName() const override { return L"TFx3DCaption"; }

  // Copies all seven settings from another TFx3DCaption and notifies once;
  // assigning the object to itself does nothing.
  void Assign(const fw::TObject& source) override;

  TFxThreeDStyle Style() const { return style_; }
  void SetStyle(TFxThreeDStyle value);
  std::uint8_t LightDepth() const { return lightDepth_; }
  void SetLightDepth(std::uint8_t value);
  std::uint8_t ShadowDepth() const { return shadowDepth_; }
  void SetShadowDepth(std::uint8_t value);
  fw::TColor LightColor() const { return lightColor_; }
  void SetLightColor(fw::TColor value);
  fw::TColor ShadowColor() const { return shadowColor_; }
  void SetShadowColor(fw::TColor value);
  // Extra spacing between characters in pixels (0: none).
  int Tracing() const { return tracing_; }
  void SetTracing(int value);
  TFxDisabledStyle DisabledStyle() const { return disabledStyle_; }
  void SetDisabledStyle(TFxDisabledStyle value);

  // How far the effect grows the text to the right and down.
  int Depth() const;

 private:
  TFxThreeDStyle style_ = tdNone;
  std::uint8_t lightDepth_ = 1;
  std::uint8_t shadowDepth_ = 1;
  fw::TColor lightColor_ = fw::clBtnHighlight;
  fw::TColor shadowColor_ = fw::clBtnShadow;
  int tracing_ = 0;
  TFxDisabledStyle disabledStyle_ = dsAuto;
};

// Degrees counter-clockwise, 0..359 (360 is stored as 0).
using TFxAngle = int;

class TFxAngleCaption : public TFx3DCaption {
 public:
  TFxAngleCaption() = default;
  std::wstring ClassName() const override { return L"TFxAngleCaption"; }

  // Copies the 3D settings, and from another TFxAngleCaption also the angle
  // and the offset; notifies once.
  void Assign(const fw::TObject& source) override;

  TFxAngle Angle() const { return angle_; }
  // Values outside 0..360 are brought into that range; 360 stores 0.
  void SetAngle(TFxAngle value);
  // Where rotated text starts inside its rectangle (set by measuring).
  std::uint16_t PosX() const { return posX_; }
  void SetPosX(std::uint16_t value);
  std::uint16_t PosY() const { return posY_; }
  void SetPosY(std::uint16_t value);

 private:
  TFxAngle angle_ = 0;
  std::uint16_t posX_ = 0;
  std::uint16_t posY_ = 0;
};

}  // namespace fx
