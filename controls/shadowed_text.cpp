#include "controls/shadowed_text.h"

#include "controls/skin_draw.h"
#include "framework/high_contrast.h"
#include "graphics/design_scale.h"

namespace skin {

void ShadowedText::SetSimpleView(bool value) {
  if (value == simpleView_) return;
  simpleView_ = value;
  repaint_();
}

void ShadowedText::DrawShadowed(HDC dc, RECT& r, UINT format, std::wstring_view text, fw::TColor face,
                                bool enabled, int dpi) const {
  if (fw::HighContrast()) {
    // Once, in the system's colour for text on a button face or a form.
    face = enabled ? fw::clBtnText : fw::clGrayText;
  }
  if (!enabled && !fw::HighContrast()) {
    DrawShadowText(dc, r, spRightBottom, fw::ScaleToDpi(1, dpi), fw::clBtnHighlight, fw::clBtnShadow, format, text);
  } else if (simpleView_ || fw::HighContrast()) {
    const COLORREF old = SetTextColor(dc, fw::ColorToRGB(face));
    const int oldMode = SetBkMode(dc, TRANSPARENT);
    DrawTextW(dc, text.data(), static_cast<int>(text.size()), &r, format & ~static_cast<UINT>(DT_MODIFYSTRING));
    SetTextColor(dc, old);
    SetBkMode(dc, oldMode);
  } else {
    DrawShadowText(dc, r, pos_, fw::ScaleToDpi(size_, dpi), color_, face, format, text);
  }
}

}  // namespace skin
