#include "effects/fx_fill.h"

#include <memory>

#include "graphics/gdi.h"

namespace fx {

TFxFillObject::TFxFillObject()
    : bitmap_(std::make_unique<fw::TBitmap>()),
      listBitmap_(std::make_unique<fw::TBitmap>()),
      gradient_(std::make_unique<TFxGradient>()),
      brush_(std::make_unique<fw::TBrush>()) {
  bitmap_->OnChange = [this] { Changed(); };
  listBitmap_->OnChange = [this] { Changed(); };
  gradient_->OnChange = [this](fw::TObject*) { Changed(); };
  brush_->OnChange = [this] { Changed(); };
  brush_->SetColor(fw::clWhite);
  brush_->SetStyle(fw::bsSolid);
}

TFxFillObject::~TFxFillObject() {
  // The owned objects go first; they must not call back into a half-gone fill.
  bitmap_->OnChange = nullptr;
  listBitmap_->OnChange = nullptr;
  gradient_->OnChange = nullptr;
  brush_->OnChange = nullptr;
}

void TFxFillObject::Assign(const fw::TObject& source) {
  if (&source == this) return;
  const auto* other = dynamic_cast<const TFxFillObject*>(&source);
  if (!other) {
    TFxShapeFill::Assign(source);
    return;
  }
  BeginUpdate();
  brush_->Assign(*other->brush_);
  options_ = other->options_;
  bitmap_->Assign(*other->bitmap_);
  listBitmap_->Assign(*other->listBitmap_);
  gradient_->Assign(*other->gradient_);
  style_ = other->style_;
  tileMode_ = other->tileMode_;
  alignment_ = other->alignment_;
  offsetX_ = other->offsetX_;
  offsetY_ = other->offsetY_;
  EndUpdate(true);
}

void TFxFillObject::SetStyle(TFxFillStyle value) {
  if (value == style_) return;
  style_ = value;
  Changed();
}

void TFxFillObject::SetTileMode(TFxTileMode value) {
  if (value == tileMode_) return;
  tileMode_ = value;
  Changed();
}

void TFxFillObject::SetOptions(TFxFillOptions value) {
  if (value == options_) return;
  options_ = value;
  Changed();
}

bool TFxFillObject::PlacementMatters() const {
  return (style_ == sfBitmap || style_ == sfBitmapList) && tileMode_ == tmNone;
}

void TFxFillObject::SetAlignment(TFxAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  if (PlacementMatters()) Changed();
}

void TFxFillObject::SetOffsetX(int value) {
  if (value == offsetX_) return;
  offsetX_ = value;
  if (PlacementMatters()) Changed();
}

void TFxFillObject::SetOffsetY(int value) {
  if (value == offsetY_) return;
  offsetY_ = value;
  if (PlacementMatters()) Changed();
}

const fw::TBitmap* TFxFillObject::StyleBitmap() const {
  if (style_ == sfBitmap) return bitmap_.get();
  if (style_ == sfBitmapList) return listBitmap_.get();
  return nullptr;
}

bool TFxFillObject::NothingToDraw() const {
  if (style_ == sfNone) return true;
  const fw::TBitmap* picture = StyleBitmap();
  return picture && picture->Empty();
}

void TFxFillObject::FillInner(HDC dc, const RECT& r, fw::TColor background) const {
  if (!(options_ & foFillInner) || background == fw::clNone || background == fw::clDefault) return;
  fw::GdiBrush brush(CreateSolidBrush(fw::ColorToRGB(background)));
  if (brush) ::FillRect(dc, &r, brush.Get());
}

bool TFxFillObject::Fill(fw::TCanvas& canvas, const RECT& r, fw::TColor background) {
  switch (style_) {
    case sfBrushBitmap: {
      fw::TBrush& brush = canvas.Brush();
      if (!bitmap_->Empty()) brush.SetBitmap(bitmap_.get());
      canvas.FillRect(r);
      brush.SetBitmap(nullptr);
      return true;
    }
    case sfBrush: {
      HDC dc = canvas.Handle();
      canvas.Brush().Assign(*brush_);
      canvas.Pen().SetColor(background);
      // The gaps of a hatch brush show the DC's background colour. Drawn past
      // the canvas, which would set that colour to the brush's own; the
      // canvas puts the DC's colours back when it is detached.
      if (brush_->Style() != fw::bsSolid && brush_->Style() != fw::bsClear) {
        SetBkColor(dc, fw::ColorToRGB(background));
        SetBkMode(dc, OPAQUE);
      }
      ::FillRect(dc, &r, brush_->Handle());
      return true;
    }
    case sfBitmap:
      return DrawBitmap(canvas, r, background, *bitmap_);
    case sfBitmapList:
      return DrawBitmap(canvas, r, background, *listBitmap_);
    case sfGradient:
      FxDrawGradient(canvas.Handle(), r, *gradient_, gradient_->PaletteRealize());
      return true;
    case sfNone:
    default:
      return false;
  }
}

bool TFxFillObject::DrawBitmap(fw::TCanvas& canvas, const RECT& r, fw::TColor background,
                               fw::TBitmap& designed) {
  HDC dc = canvas.Handle();
  if (designed.Empty()) {
    FillInner(dc, r, background);
    return false;
  }
  // A placed or centred picture is laid out with the window: drawn as
  // designed for 96 DPI, scaled once for the canvas's DPI. Tiles are a
  // texture, drawn at device pixels (sharp, and no copy); a stretched
  // picture is stretched from itself.
  const bool placed = tileMode_ == tmNone || tileMode_ == tmCenter;
  fw::TBitmap& picture = placed ? designed.AtDpi(canvas.Dpi()) : designed;
  std::unique_ptr<fw::PaletteGuard> palette;
  if (!(options_ & foQuickDraw) && picture.Palette())
    palette = std::make_unique<fw::PaletteGuard>(dc, picture.Palette(), false, true);
  const int w = picture.Width(), h = picture.Height();
  const int rw = r.right - r.left, rh = r.bottom - r.top;
  switch (tileMode_) {
    case tmNone: {
      FillInner(dc, r, background);
      const POINT p = FxAlignedOrigin(r, w, h, alignment_);
      canvas.Draw(p.x + canvas.Scaled(offsetX_), p.y + canvas.Scaled(offsetY_), picture);
      break;
    }
    case tmCenter:
      FillInner(dc, r, background);
      canvas.Draw(r.left + (rw - w) / 2, r.top + (rh - h) / 2, picture);
      break;
    case tmStretch:
      canvas.StretchDraw(r, picture);
      break;
    case tmTile:
    default:
      for (int i = 0; i <= rw / w + 1; ++i)
        for (int j = 0; j <= rh / h + 1; ++j) canvas.Draw(r.left + i * w, r.top + j * h, picture);
      break;
  }
  return true;
}

}  // namespace fx
