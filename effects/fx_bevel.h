#pragma once
// TFxBevel: the frame of the library's labels: a custom double bevel with a
// border, one of the standard window borders, or a DrawEdge edge on chosen
// sides; plus an inner border in every mode. Its extent is how far the frame
// reaches into the rectangle it is drawn on.
#include <windows.h>

#include <cstdint>

#include "effects/fx_object.h"
#include "graphics/canvas.h"
#include "graphics/color.h"

namespace fx {

enum TFxBevelMode : int { bmCustom, bmStandard, bmEdge, bmWindows };
enum TFxBevelStyle : int { bvNone, bvLowered, bvRaised, bvFrameLowered, bvFrameRaised, bvNormal, bvShadow };
enum TFxBorderStyle : int {
  lsNone, lsSingle, lsLowered, lsRaised, lsRaisedspb, lsLoweredspb, lsRaisedExt, lsLoweredExt,
  lsFrameInset, lsFrameOffset, lsWindowBorder, lsSingleRaised, lsSingleLowered, lsDoubleRaised, lsDoubleLowered,
};
enum TFxEdgeStyle : int {
  etRaisedInner, etRaisedOuter, etSunkenInner, etSunkenOuter, etBump, etEtched, etRaised, etSunken,
};
enum TFxFrameSide : unsigned { fsBottom = 1, fsLeft = 2, fsRight = 4, fsTop = 8 };
using TFxFrameSides = unsigned;
constexpr TFxFrameSides kFxAllSides = fsBottom | fsLeft | fsRight | fsTop;

constexpr int kFxMaxBevelWidth = 50;
constexpr int kFxMaxBorderWidth = 255;

class TFxBevel : public TFxObject {
 public:
  TFxBevel() = default;
  std::wstring ClassName() const override { return L"TFxBevel"; }

  // Copies every setting from another TFxBevel and notifies once.
  void Assign(const fw::TObject& source) override;

  TFxBevelMode Mode() const { return mode_; }
  void SetMode(TFxBevelMode value);
  // bvShadow is set on both or on neither: choosing it sets the other style
  // to bvShadow, leaving it sets the other to bvNone.
  TFxBevelStyle StyleInner() const { return styleInner_; }
  void SetStyleInner(TFxBevelStyle value);
  TFxBevelStyle StyleOuter() const { return styleOuter_; }
  void SetStyleOuter(TFxBevelStyle value);
  int WidthInner() const { return widthInner_; }
  void SetWidthInner(int value);  // 0..50
  int WidthOuter() const { return widthOuter_; }
  void SetWidthOuter(int value);  // 0..50
  int BorderWidth() const { return borderWidth_; }
  void SetBorderWidth(int value);  // 0..255
  int BorderInnerWidth() const { return borderInnerWidth_; }
  void SetBorderInnerWidth(int value);  // 0..255
  fw::TColor BorderColor() const { return borderColor_; }
  void SetBorderColor(fw::TColor value);
  fw::TColor LightColor() const { return lightColor_; }
  void SetLightColor(fw::TColor value);
  fw::TColor ShadowColor() const { return shadowColor_; }
  void SetShadowColor(fw::TColor value);
  // Stored in every mode; notifies only in bmStandard, where it shows.
  TFxBorderStyle StandardStyle() const { return standardStyle_; }
  void SetStandardStyle(TFxBorderStyle value);
  TFxEdgeStyle EdgeStyle() const { return edgeStyle_; }
  void SetEdgeStyle(TFxEdgeStyle value);
  TFxFrameSides BorderSides() const { return borderSides_; }
  void SetBorderSides(TFxFrameSides value);

  // How many pixels the frame takes on each side (always up to date).
  int Extent() const;

  // Draws the frame on r and returns the rectangle inside it. With
  // skipBorderFill the borders in BorderColor are not filled, only stepped
  // over. Nothing is drawn when the extent is 0.
  RECT Draw(fw::TCanvas& canvas, const RECT& r, bool skipBorderFill) const;

 private:
  template <class T>
  void Store(T& field, T value);

  TFxBevelMode mode_ = bmCustom;
  TFxBevelStyle styleInner_ = bvNone;
  TFxBevelStyle styleOuter_ = bvNone;
  int widthInner_ = 1;
  int widthOuter_ = 1;
  int borderWidth_ = 0;
  int borderInnerWidth_ = 0;
  fw::TColor borderColor_ = fw::clBtnFace;
  fw::TColor lightColor_ = fw::clBtnHighlight;
  fw::TColor shadowColor_ = fw::clBtnShadow;
  TFxBorderStyle standardStyle_ = lsSingleLowered;
  TFxEdgeStyle edgeStyle_ = etEtched;
  TFxFrameSides borderSides_ = kFxAllSides;
};

}  // namespace fx
