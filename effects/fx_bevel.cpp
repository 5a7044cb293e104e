#include "effects/fx_bevel.h"

#include <algorithm>

#include "graphics/scaled_edge.h"

namespace fx {

namespace {

bool IsFrameStyle(TFxBevelStyle s) { return s == bvFrameLowered || s == bvFrameRaised; }

// Fills `width` rings inside r: top and left in tl, bottom and right in br.
void Frame3D(fw::TCanvas& canvas, RECT& r, int width, fw::TColor tl, fw::TColor br) {
  for (int i = 0; i < width && r.right > r.left && r.bottom > r.top; ++i) {
    canvas.Brush().SetColor(tl);
    canvas.FillRect(RECT{r.left, r.top, r.right, r.top + 1});
    canvas.FillRect(RECT{r.left, r.top, r.left + 1, r.bottom});
    canvas.Brush().SetColor(br);
    canvas.FillRect(RECT{r.left, r.bottom - 1, r.right, r.bottom});
    canvas.FillRect(RECT{r.right - 1, r.top, r.right, r.bottom});
    InflateRect(&r, -1, -1);
  }
}

// Widths below are device pixels: the design widths scaled by the caller.

// A border of `width` pixels in colour, or just stepped over.
void Border(fw::TCanvas& canvas, RECT& r, int width, fw::TColor color, bool skip) {
  if (width <= 0) return;
  if (!skip) Frame3D(canvas, r, width, color, color);
  else InflateRect(&r, -width, -width);
}

// One custom bevel of `width` pixels in its style; `line` is one design
// pixel.
void CustomBevel(fw::TCanvas& canvas, RECT& r, TFxBevelStyle style, int width, int line, fw::TColor light,
                 fw::TColor shadow) {
  switch (style) {
    case bvLowered:
      Frame3D(canvas, r, width, shadow, light);
      break;
    case bvRaised:
      Frame3D(canvas, r, width, light, shadow);
      break;
    case bvFrameLowered:  // a groove: lowered, then a raised line inside
      Frame3D(canvas, r, width, shadow, light);
      Frame3D(canvas, r, line, light, shadow);
      break;
    case bvFrameRaised:  // a ridge: raised, then a lowered line inside
      Frame3D(canvas, r, width, light, shadow);
      Frame3D(canvas, r, line, shadow, light);
      break;
    case bvNormal:
      Frame3D(canvas, r, width, shadow, shadow);
      break;
    case bvShadow: {  // a drop shadow to the right and below
      canvas.Brush().SetColor(shadow);
      canvas.FillRect(RECT{r.right - width, r.top + width, r.right, r.bottom});
      canvas.FillRect(RECT{r.left + width, r.bottom - width, r.right, r.bottom});
      InflateRect(&r, -width, -width);
      break;
    }
    default:
      break;
  }
}

// The DrawEdge edge and flags of each standard border, and its width.
struct StandardEdge {
  UINT edge;
  UINT flags;
};

StandardEdge EdgeOf(TFxBorderStyle style) {
  switch (style) {
    case lsSingle: return {BDR_SUNKENOUTER, BF_FLAT | BF_MONO};
    case lsLowered: return {EDGE_SUNKEN, 0};
    case lsRaised: return {EDGE_RAISED, 0};
    case lsRaisedspb: return {EDGE_RAISED, BF_SOFT};
    case lsLoweredspb: return {EDGE_SUNKEN, BF_SOFT};
    case lsRaisedExt: return {EDGE_BUMP, 0};
    case lsLoweredExt: return {EDGE_ETCHED, 0};
    case lsFrameInset: return {EDGE_ETCHED, BF_SOFT};
    case lsFrameOffset: return {EDGE_BUMP, BF_SOFT};
    case lsWindowBorder: return {EDGE_SUNKEN, BF_FLAT};
    case lsSingleRaised: return {BDR_RAISEDINNER, 0};
    case lsSingleLowered: return {BDR_SUNKENOUTER, 0};
    case lsDoubleRaised: return {BDR_RAISEDOUTER | BDR_RAISEDINNER, BF_SOFT};
    case lsDoubleLowered: return {BDR_SUNKENOUTER | BDR_SUNKENINNER, BF_SOFT};
    default: return {0, 0};
  }
}

int StandardWidth(TFxBorderStyle style) {
  if (style == lsNone) return 0;
  if (style == lsSingle || style == lsSingleRaised || style == lsSingleLowered) return 1;
  return 2;
}

UINT EdgeOf(TFxEdgeStyle style) {
  static constexpr UINT edges[] = {BDR_RAISEDINNER, BDR_RAISEDOUTER, BDR_SUNKENINNER, BDR_SUNKENOUTER,
                                   EDGE_BUMP,       EDGE_ETCHED,     EDGE_RAISED,     EDGE_SUNKEN};
  return edges[std::clamp(static_cast<int>(style), 0, 7)];
}

UINT SideFlags(TFxFrameSides sides) {
  UINT flags = 0;
  if (sides & fsBottom) flags |= BF_BOTTOM;
  if (sides & fsLeft) flags |= BF_LEFT;
  if (sides & fsRight) flags |= BF_RIGHT;
  if (sides & fsTop) flags |= BF_TOP;
  return flags;
}

}  // namespace

template <class T>
void TFxBevel::Store(T& field, T value) {
  if (field == value) return;
  field = value;
  Changed();
}

void TFxBevel::Assign(const fw::TObject& source) {
  if (&source == this) return;
  const auto* other = dynamic_cast<const TFxBevel*>(&source);
  if (!other) {
    TFxObject::Assign(source);
    return;
  }
  mode_ = other->mode_;
  styleInner_ = other->styleInner_;
  styleOuter_ = other->styleOuter_;
  widthInner_ = other->widthInner_;
  widthOuter_ = other->widthOuter_;
  borderWidth_ = other->borderWidth_;
  borderInnerWidth_ = other->borderInnerWidth_;
  borderColor_ = other->borderColor_;
  lightColor_ = other->lightColor_;
  shadowColor_ = other->shadowColor_;
  standardStyle_ = other->standardStyle_;
  edgeStyle_ = other->edgeStyle_;
  borderSides_ = other->borderSides_;
  Changed();
}

void TFxBevel::SetMode(TFxBevelMode value) { Store(mode_, value); }

void TFxBevel::SetStyleInner(TFxBevelStyle value) {
  if (value == styleInner_) return;
  if (value == bvShadow) styleOuter_ = bvShadow;
  else if (styleInner_ == bvShadow) styleOuter_ = bvNone;
  Store(styleInner_, value);
}

void TFxBevel::SetStyleOuter(TFxBevelStyle value) {
  if (value == styleOuter_) return;
  if (value == bvShadow) styleInner_ = bvShadow;
  else if (styleOuter_ == bvShadow) styleInner_ = bvNone;
  Store(styleOuter_, value);
}

void TFxBevel::SetWidthInner(int value) { Store(widthInner_, std::clamp(value, 0, kFxMaxBevelWidth)); }
void TFxBevel::SetWidthOuter(int value) { Store(widthOuter_, std::clamp(value, 0, kFxMaxBevelWidth)); }
void TFxBevel::SetBorderWidth(int value) { Store(borderWidth_, std::clamp(value, 0, kFxMaxBorderWidth)); }
void TFxBevel::SetBorderInnerWidth(int value) { Store(borderInnerWidth_, std::clamp(value, 0, kFxMaxBorderWidth)); }
void TFxBevel::SetBorderColor(fw::TColor value) { Store(borderColor_, value); }
void TFxBevel::SetLightColor(fw::TColor value) { Store(lightColor_, value); }
void TFxBevel::SetShadowColor(fw::TColor value) { Store(shadowColor_, value); }
void TFxBevel::SetEdgeStyle(TFxEdgeStyle value) { Store(edgeStyle_, value); }
void TFxBevel::SetBorderSides(TFxFrameSides value) { Store(borderSides_, value & kFxAllSides); }

void TFxBevel::SetStandardStyle(TFxBorderStyle value) {
  if (value == standardStyle_) return;
  standardStyle_ = value;
  if (mode_ == bmStandard) Changed();
}

int TFxBevel::Extent() const {
  switch (mode_) {
    case bmCustom: {
      if (styleInner_ == bvShadow) return widthInner_ + borderInnerWidth_;
      int extent = borderWidth_ + borderInnerWidth_;
      if (styleOuter_ != bvNone) extent += widthOuter_ + (IsFrameStyle(styleOuter_) ? 1 : 0);
      if (styleInner_ != bvNone) extent += widthInner_ + (IsFrameStyle(styleInner_) ? 1 : 0);
      return extent;
    }
    case bmStandard:
      return StandardWidth(standardStyle_) + borderInnerWidth_;
    case bmEdge:
      return (borderSides_ ? 2 : 0) + borderInnerWidth_;
    case bmWindows:
      return borderInnerWidth_ + 2;
  }
  return 0;
}

RECT TFxBevel::Draw(fw::TCanvas& canvas, const RECT& r, bool skipBorderFill) const {
  RECT inner = r;
  if (Extent() == 0) return inner;
  // Every width is a design width, drawn at the canvas's DPI.
  const int dpi = canvas.Dpi();
  auto px = [&canvas](int design) { return canvas.Scaled(design); };
  const fw::TColor oldBrush = canvas.Brush().Color();
  const fw::TBrushStyle oldStyle = canvas.Brush().Style();
  switch (mode_) {
    case bmCustom:
      if (styleInner_ == bvShadow) {
        CustomBevel(canvas, inner, bvShadow, px(widthInner_), px(1), lightColor_, shadowColor_);
      } else {
        if (styleOuter_ != bvNone)
          CustomBevel(canvas, inner, styleOuter_, px(widthOuter_), px(1), lightColor_, shadowColor_);
        Border(canvas, inner, px(borderWidth_), borderColor_, skipBorderFill);
        if (styleInner_ != bvNone)
          CustomBevel(canvas, inner, styleInner_, px(widthInner_), px(1), lightColor_, shadowColor_);
      }
      break;
    case bmStandard: {
      const StandardEdge e = EdgeOf(standardStyle_);
      if (e.edge) fw::DrawEdgeForDpi(canvas.Handle(), inner, e.edge, BF_RECT | e.flags, dpi);
      const int w = px(StandardWidth(standardStyle_));
      InflateRect(&inner, -w, -w);
      break;
    }
    case bmEdge:
      if (borderSides_) {
        fw::DrawEdgeForDpi(canvas.Handle(), inner, EdgeOf(edgeStyle_), SideFlags(borderSides_), dpi);
        InflateRect(&inner, -px(2), -px(2));
      }
      break;
    case bmWindows:
      fw::DrawEdgeForDpi(canvas.Handle(), inner, EDGE_SUNKEN, BF_RECT, dpi);
      InflateRect(&inner, -px(2), -px(2));
      break;
  }
  Border(canvas, inner, px(borderInnerWidth_), borderColor_, skipBorderFill);
  canvas.Brush().SetColor(oldBrush);
  canvas.Brush().SetStyle(oldStyle);
  return inner;
}

}  // namespace fx
