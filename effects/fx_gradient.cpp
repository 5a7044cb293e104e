#include "effects/fx_gradient.h"

#include <algorithm>
#include <memory>
#include <vector>

namespace fx {

void TFxGradient::Assign(const fw::TObject& source) {
  if (&source == this) return;
  const auto* other = dynamic_cast<const TFxGradient*>(&source);
  if (!other) {
    TFxObject::Assign(source);
    return;
  }
  color_ = other->color_;
  endColor_ = other->endColor_;
  colorCount_ = other->colorCount_;
  style_ = other->style_;
  paletteRealize_ = other->paletteRealize_;
  SettingsChanged();
}

void TFxGradient::SettingsChanged() {
  palette_.Reset();
  Changed();
}

void TFxGradient::SetColor(fw::TColor value) {
  if (value == color_) return;
  color_ = value;
  SettingsChanged();
}

void TFxGradient::SetEndColor(fw::TColor value) {
  if (value == endColor_) return;
  endColor_ = value;
  SettingsChanged();
}

void TFxGradient::SetColorCount(TFxColorCount value) {
  value = std::clamp(value, kFxMinColorCount, kFxMaxColorCount);
  if (value == colorCount_) return;
  colorCount_ = value;
  SettingsChanged();
}

void TFxGradient::SetStyle(TFxGradientStyle value) {
  if (value == style_) return;
  style_ = value;
  SettingsChanged();
}

void TFxGradient::SetPaletteRealize(bool value) {
  if (value == paletteRealize_) return;
  paletteRealize_ = value;
  SettingsChanged();
}

COLORREF TFxGradient::BandColor(int band) const {
  const COLORREF a = fw::ColorToRGB(color_), b = fw::ColorToRGB(endColor_);
  const int last = colorCount_ - 1;
  auto mix = [&](int ca, int cb) { return ca + (cb - ca) * band / last; };
  return RGB(mix(GetRValue(a), GetRValue(b)), mix(GetGValue(a), GetGValue(b)),
             mix(GetBValue(a), GetBValue(b)));
}

HPALETTE TFxGradient::Palette() {
  if (!palette_) {
    const int n = colorCount_;
    std::vector<unsigned char> storage(sizeof(LOGPALETTE) + sizeof(PALETTEENTRY) * n);
    // LOGPALETTE ends in a one-entry array; the storage has room for them all.
    auto* lp = reinterpret_cast<LOGPALETTE*>(storage.data());
    lp->palVersion = 0x300;
    lp->palNumEntries = static_cast<WORD>(n);
    for (int i = 0; i < n; ++i) {
      const COLORREF c = BandColor(i);
      lp->palPalEntry[i] = PALETTEENTRY{GetRValue(c), GetGValue(c), GetBValue(c), 0};
    }
    palette_.Reset(CreatePalette(lp));
  }
  return palette_.Get();
}

void FxDrawGradient(HDC dc, const RECT& r, TFxGradient& gradient, bool realizePalette) {
  const int w = r.right - r.left, h = r.bottom - r.top;
  if (!dc || w <= 0 || h <= 0) return;
  std::unique_ptr<fw::PaletteGuard> palette;
  if (realizePalette) palette = std::make_unique<fw::PaletteGuard>(dc, gradient.Palette());
  const int n = gradient.ColorCount();
  fw::SelectGuard pen(dc, GetStockObject(NULL_PEN));
  for (int i = 0; i < n; ++i) {
    fw::GdiBrush brush(CreateSolidBrush(gradient.BandColor(i)));
    if (!brush) continue;
    RECT band = r;
    switch (gradient.Style()) {
      case gstHorizontal:
        band.left = r.left + w * i / n;
        band.right = r.left + w * (i + 1) / n;
        FillRect(dc, &band, brush.Get());
        break;
      case gstVertical:
        band.top = r.top + h * i / n;
        band.bottom = r.top + h * (i + 1) / n;
        FillRect(dc, &band, brush.Get());
        break;
      case gstSquare:
      case gstElliptic: {
        // Each band is drawn over the previous, smaller towards the centre.
        const int dx = w * i / (2 * n), dy = h * i / (2 * n);
        band = RECT{r.left + dx, r.top + dy, r.right - dx, r.bottom - dy};
        // The first band is the whole area, corners included.
        if (gradient.Style() == gstSquare || i == 0) {
          FillRect(dc, &band, brush.Get());
        } else {
          fw::SelectGuard selected(dc, brush.Get());
          Ellipse(dc, band.left, band.top, band.right + 1, band.bottom + 1);
        }
        break;
      }
      default: {
        // Corner styles: nested rectangles that shrink towards the named corner.
        const int bw = w - w * i / n, bh = h - h * i / n;
        const bool left = gradient.Style() == gstTopLeft || gradient.Style() == gstBottomLeft;
        const bool top = gradient.Style() == gstTopLeft || gradient.Style() == gstTopRight;
        band.left = left ? r.left : r.right - bw;
        band.right = band.left + bw;
        band.top = top ? r.top : r.bottom - bh;
        band.bottom = band.top + bh;
        FillRect(dc, &band, brush.Get());
        break;
      }
    }
  }
}

}  // namespace fx
