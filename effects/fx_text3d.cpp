#include "effects/fx_text3d.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <vector>

#include "graphics/gdi.h"

namespace fx {

namespace {

// SetTextCharacterExtra for the caption's tracing, the previous spacing back
// on destruction.
class TracingScope {
 public:
  TracingScope(HDC dc, const TFx3DCaption& caption, int dpi) : dc_(dc) {
    if (caption.Tracing() != 0) {
      old_ = SetTextCharacterExtra(dc_, fw::ScaleToDpi(caption.Tracing(), dpi));
      set_ = true;
    }
  }
  TracingScope(const TracingScope&) = delete;
  TracingScope& operator=(const TracingScope&) = delete;
  ~TracingScope() {
    if (set_) SetTextCharacterExtra(dc_, old_ == static_cast<int>(0x80000000) ? 0 : old_);
  }

 private:
  HDC dc_;
  int old_ = 0;
  bool set_ = false;
};

TFxAngleCaption* RotatedCaption(TFx3DCaption* caption) {
  auto* angle = dynamic_cast<TFxAngleCaption*>(caption);
  return angle && angle->Angle() != 0 ? angle : nullptr;
}

// The font turned by the caption's angle (escapement in tenths of a degree).
fw::GdiFont RotatedFont(const fw::TFont& font, const TFxAngleCaption& caption) {
  LOGFONTW lf = font.LogFont();
  lf.lfEscapement = lf.lfOrientation = caption.Angle() * 10;
  return fw::GdiFont(CreateFontIndirectW(&lf));
}

// One copy of the text: its move from the previous copy and its colour.
struct Pass {
  int move;
  fw::TColor color;
};

struct Passes {
  int rightReduction;
  std::vector<Pass> list;
};

Passes PassesFor(TFxThreeDStyle style, int L, int S, fw::TColor light, fw::TColor shadow, fw::TColor text) {
  switch (style) {
    case tdSunken:
      return {L, {{L, light}, {-L, text}}};
    case tdRaised:
      return {L, {{0, light}, {L, text}}};
    case tdSunkenShadow:
    case tdPColorSunken:
      return {L + S, {{0, shadow}, {L + S, light}, {-L, text}}};
    case tdRaisedShadow:
    case tdPColorRaised:
      return {L + S, {{L + S, shadow}, {-(L + S), light}, {L, text}}};
    case tdShadow:
      return {S, {{S, shadow}, {-S, text}}};
    default:
      return {0, {{0, text}}};
  }
}

// Puts the canvas's font colour and brush style back when drawing ends.
class CanvasColorsScope {
 public:
  explicit CanvasColorsScope(fw::TCanvas& canvas)
      : canvas_(canvas), fontColor_(canvas.Font().Color()), brushStyle_(canvas.Brush().Style()) {}
  CanvasColorsScope(const CanvasColorsScope&) = delete;
  CanvasColorsScope& operator=(const CanvasColorsScope&) = delete;
  ~CanvasColorsScope() {
    canvas_.Font().SetColor(fontColor_);
    canvas_.Brush().SetStyle(brushStyle_);
  }

 private:
  fw::TCanvas& canvas_;
  fw::TColor fontColor_;
  fw::TBrushStyle brushStyle_;
};

}  // namespace

void FxMeasure3DText(const std::wstring& text, TFx3DCaption* caption, RECT& rect, UINT drawFlags, int margin,
                     bool processAccel, bool wordBreak, const fw::TFont& font) {
  fw::MemoryDC screen;  // measures as the screen does, without a screen DC
  fw::TCanvas canvas(screen);
  canvas.Font().Assign(font);
  const std::wstring measured = text.empty() || (processAccel && text == L"&") ? std::wstring(L" ") : text;

  // Depths, margin and tracing are design lengths, measured at the font's DPI.
  const int dpi = font.Dpi();
  std::optional<TracingScope> tracing;
  if (caption) tracing.emplace(screen.Get(), *caption, dpi);
  if (TFxAngleCaption* angle = RotatedCaption(caption)) {
    // The bounding box of the text's cell turned about its top-left corner,
    // which is where the text starts.
    const SIZE size = canvas.TextExtent(measured);
    const double a = angle->Angle() * std::numbers::pi / 180.0;
    const double c = std::cos(a), s = std::sin(a);
    const double xs[] = {0, size.cx * c, size.cy * s, size.cx * c + size.cy * s};
    const double ys[] = {0, -size.cx * s, size.cy * c, -size.cx * s + size.cy * c};
    const auto [minX, maxX] = std::minmax_element(std::begin(xs), std::end(xs));
    const auto [minY, maxY] = std::minmax_element(std::begin(ys), std::end(ys));
    angle->SetPosX(static_cast<std::uint16_t>(std::lround(-*minX)));
    angle->SetPosY(static_cast<std::uint16_t>(std::lround(-*minY)));
    rect.right = rect.left + static_cast<int>(std::lround(*maxX - *minX));
    rect.bottom = rect.top + static_cast<int>(std::lround(*maxY - *minY));
  } else {
    if (auto* flat = dynamic_cast<TFxAngleCaption*>(caption)) {
      flat->SetPosX(0);
      flat->SetPosY(0);
    }
    UINT flags = DT_CALCRECT | DT_EXPANDTABS | drawFlags;
    if (wordBreak) flags |= DT_WORDBREAK;
    if (!processAccel) flags |= DT_NOPREFIX;
    canvas.DrawText(measured, rect, flags);
  }
  const int grow = fw::ScaleToDpi((caption ? caption->Depth() : 0) + 2 * (margin + 1), dpi);
  rect.right += grow;
  rect.bottom += grow;
}

void FxDraw3DText(fw::TCanvas& canvas, const std::wstring& text, TFx3DCaption* caption, const RECT* clip,
                  unsigned state, UINT format, const RECT& rect) {
  if (text.empty() || IsRectEmpty(&rect)) return;
  if (!caption) {
    RECT r = rect;
    canvas.DrawText(text, r, format);
    return;
  }
  HDC dc = canvas.Handle();
  std::optional<fw::ClipRegionGuard> clipping;
  if (state & kFx3DClip) clipping.emplace(dc, clip ? *clip : rect, RGN_AND);

  TFxThreeDStyle style = caption->Style();
  fw::TColor textColor;
  if ((state & kFx3DEnabled) || caption->DisabledStyle() == dsNone) {
    textColor = style == tdPColorSunken || style == tdPColorRaised ? canvas.Brush().Color() : canvas.Font().Color();
  } else {
    textColor = fw::clGrayText;
    if (caption->DisabledStyle() == ds3d || (caption->DisabledStyle() == dsAuto && (state & kFx3DDisabled3D)))
      style = tdSunken;
  }

  CanvasColorsScope colors(canvas);
  TFxAngleCaption* rotated = RotatedCaption(caption);
  RECT work = rect;
  if (auto* angle = dynamic_cast<TFxAngleCaption*>(caption)) OffsetRect(&work, angle->PosX(), angle->PosY());
  // The depths are design lengths, drawn at the canvas's DPI.
  TracingScope tracing(dc, *caption, canvas.Dpi());
  canvas.Brush().SetStyle(fw::bsClear);

  const Passes passes = PassesFor(style, canvas.Scaled(caption->LightDepth()), canvas.Scaled(caption->ShadowDepth()),
                                  caption->LightColor(), caption->ShadowColor(), textColor);
  work.right -= passes.rightReduction;
  if (!rotated) {
    for (const Pass& pass : passes.list) {
      canvas.Font().SetColor(pass.color);
      OffsetRect(&work, pass.move, pass.move);
      RECT r = work;
      canvas.DrawText(text, r, format);
    }
    return;
  }
  // Rotated text: one line from the working rectangle's corner, clipped to
  // the text rectangle.
  fw::GdiFont font = RotatedFont(canvas.Font(), *rotated);
  fw::SelectGuard selected(dc, font.Get());
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  const COLORREF oldColor = GetTextColor(dc);
  for (const Pass& pass : passes.list) {
    work.left += pass.move;
    work.top += pass.move;
    SetTextColor(dc, fw::ColorToRGB(pass.color));
    ExtTextOutW(dc, work.left, work.top, ETO_CLIPPED, &rect, text.data(), static_cast<UINT>(text.size()), nullptr);
  }
  SetTextColor(dc, oldColor);
  SetBkMode(dc, oldMode);
}

}  // namespace fx
