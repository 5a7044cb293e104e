#include "controls/skin_button.h"

#include <algorithm>
#include <utility>

#include "controls/skin_draw.h"
#include "graphics/gdi.h"
#include "framework/high_contrast.h"
#include "graphics/scaled_edge.h"

namespace skin {

using fw::TMessage;

namespace {

struct Gaps {
  int margin, spacing;
};

// Margin and spacing along the layout's axis of `extent` pixels: -1 shares
// out the room left by the glyph and the caption.
Gaps ShareOut(int extent, int glyph, int text, Gaps gaps) {
  if (gaps.margin == -1) {
    if (gaps.spacing == -1) {
      gaps.margin = (extent - glyph - text) / 3;
      gaps.spacing = gaps.margin;
    } else {
      gaps.margin = (extent - glyph - gaps.spacing - text + 1) / 2;
    }
  } else if (gaps.spacing == -1) {
    gaps.spacing = (extent - gaps.margin - glyph - text) / 2;
  }
  return gaps;
}

// Where the glyph and the caption start along the layout's axis: the glyph
// the margin away from its side, the caption the spacing beyond it.
std::pair<int, int> PlaceAlong(TButtonLayout layout, int extent, int glyph, int text, Gaps gaps) {
  if (layout == blGlyphLeft || layout == blGlyphTop) return {gaps.margin, gaps.margin + glyph + gaps.spacing};
  const int at = extent - gaps.margin - glyph;
  return {at, at - gaps.spacing - text};
}

}  // namespace

TSkinBtn::TSkinBtn(fw::TComponent* owner)
    : fw::TButton(owner),
      ShadowedText([this] { Invalidate(); }),
      SkinPicture(*this, {.changed = [this] { Invalidate(); }, .edited = [this] { WallpaperChanged(); }}),
      timer_(std::make_unique<fw::TTimer>(nullptr)) {
  SetColor(fw::clBtnFace);
  timer_->SetEnabled(false);
  timer_->SetInterval(1000);
  timer_->SetOnTimer([this](fw::TObject*) { AnimationTick(); });
  imagesLink_.OnChange = [this] { Invalidate(); };
  glyph_.OnChange = [this] { Invalidate(); };
}

TSkinBtn::~TSkinBtn() {
  Destroying();
  timer_->SetEnabled(false);
  imagesLink_.Attach(nullptr);
  if (images_) images_->RemoveFreeNotification(this);
}

void TSkinBtn::CreateParams(fw::TCreateParams& params) {
  fw::TButton::CreateParams(params);
  params.Style |= BS_OWNERDRAW;
}

void TSkinBtn::SetButtonStyle(bool isDefault) {
  // The system's BM_SETSTYLE would drop the owner-draw style. Every focus
  // change reaches every button: only those whose look changes repaint.
  if (isDefault == defaultLook_) return;
  defaultLook_ = isDefault;
  if (HandleAllocated()) {
    // Painted now: the focus has just moved and the old look must go at once.
    InvalidateRect(Handle(), nullptr, FALSE);
    Update();
  }
}

// ---- properties

void TSkinBtn::SetOptions(TSkinOptions value) {
  if (value == options_) return;
  options_ = value;
  RecreateWnd();
  Perform(fw::CM_COLORCHANGED, 0, 0);
}

// Setting the wallpaper repaints; only later edits of the picture also
// announce a colour change.
void TSkinBtn::WallpaperChanged() {
  Invalidate();
  Perform(fw::CM_COLORCHANGED, 0, 0);
}

void TSkinBtn::SetColorStart(fw::TColor value) {
  if (value == colorStart_) return;
  colorStart_ = value;
  if (options_.Contains(ocPaintGradiently)) Invalidate();
}

void TSkinBtn::SetColorEnd(fw::TColor value) {
  if (value == colorEnd_) return;
  colorEnd_ = value;
  if (options_.Contains(ocPaintGradiently)) Invalidate();
}

void TSkinBtn::SetGradientDirection(TGradientDirection value) {
  if (value == gradientDirection_) return;
  gradientDirection_ = value;
  if (options_.Contains(ocPaintGradiently)) Invalidate();
}

void TSkinBtn::SetFlat(bool value) {
  if (value == flat_) return;
  flat_ = value;
  Invalidate();
}

void TSkinBtn::SetBtnPaintOptions(TBtnPaintOptions value) {
  if (value == btnPaintOptions_) return;
  btnPaintOptions_ = value;
  Invalidate();
}

void TSkinBtn::SetGlyph(const fw::TBitmap& value) {
  glyph_.SetBitmap(value);  // its change repaints
}

void TSkinBtn::SetNumGlyphs(int value) {
  if (value > 2) value = 2;
  if (value <= 0) return;
  glyph_.SetNumGlyphs(value);  // repaints only when the count changed
}

void TSkinBtn::SetLayout(TButtonLayout value) {
  if (value == layout_) return;
  layout_ = value;
  Invalidate();
}

void TSkinBtn::SetMargin(int value) {
  if (value == margin_ || value < -1) return;
  margin_ = value;
  Invalidate();
}

void TSkinBtn::SetSpacing(int value) {
  if (value == spacing_) return;
  spacing_ = value;
  Invalidate();
}

void TSkinBtn::SetImages(TImageList* value) {
  if (value == images_) return;
  if (images_) images_->RemoveFreeNotification(this);
  images_ = value;
  imagesLink_.Attach(value);
  if (value) value->FreeNotification(this);
  Invalidate();
}

void TSkinBtn::SetAnimated(bool value) {
  if (value == animated_) return;
  animated_ = value;
  timer_->SetEnabled(value);
  Invalidate();
}

void TSkinBtn::SetInterval(unsigned value) {
  if (value == timer_->Interval()) return;
  timer_->SetInterval(value);
}

void TSkinBtn::Notification(fw::TComponent* component, fw::TOperation operation) {
  if (operation == fw::opRemove && component == images_) {
    images_ = nullptr;
    imagesLink_.Attach(nullptr);
    if (!IsDestroying()) Invalidate();
  }
  if (SkinImagesRemoved(component, operation)) Invalidate();
  fw::TButton::Notification(component, operation);
}

// ---- messages

void TSkinBtn::CNDrawItem(TMessage& m) {
  const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(m.LParam);
  if (item) DrawItem(*item);
  m.Result = TRUE;
}

void TSkinBtn::CNMeasureItem(TMessage& m) {
  if (auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam)) {
    item->itemWidth = static_cast<UINT>(Width());
    item->itemHeight = static_cast<UINT>(Height());
  }
  m.Result = TRUE;
}

void TSkinBtn::CMFontChanged(TMessage& m) {
  fw::TButton::CMFontChanged(m);
  Invalidate();
}

void TSkinBtn::CMEnabledChanged(TMessage& m) {
  fw::TButton::CMEnabledChanged(m);
  Invalidate();
}

void TSkinBtn::CMColorChanged(TMessage& m) {
  fw::TButton::CMColorChanged(m);
  Invalidate();
}

void TSkinBtn::CMParentColorChanged(TMessage& m) {
  fw::TButton::CMParentColorChanged(m);
  if (options_.Contains(ocPaintTransparently) || options_.Contains(ocRoundedForm)) Invalidate();
}

void TSkinBtn::CMMouseEnter(TMessage& m) {
  fw::TButton::CMMouseEnter(m);
  mouseInside_ = true;
  if (flat_) Invalidate();
  if (OnMouseEnter) OnMouseEnter(this);
}

void TSkinBtn::CMMouseLeave(TMessage& m) {
  fw::TButton::CMMouseLeave(m);
  mouseInside_ = false;
  if (flat_) Invalidate();
  if (OnMouseLeave) OnMouseLeave(this);
}

void TSkinBtn::DpiChanged(int oldDpi) {
  fw::TButton::DpiChanged(oldDpi);
  glyph_.SetDpi(Dpi());
}

// ---- painting

bool TSkinBtn::FrameShown() const { return !(flat_ && !mouseInside_ && !Designing()); }

void TSkinBtn::DrawItem(const DRAWITEMSTRUCT& item) {
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  const bool focused = (item.itemState & ODS_FOCUS) != 0;
  const RECT client = ClientRect();
  {
    fw::OffscreenBuffer buffer(item.hDC, Width(), Height());
    fw::CanvasAttachment attached(canvas_, buffer.DC());
    PaintFace(buffer.DC(), pressed, focused);
    buffer.CopyTo(item.hDC);
  }
  if (OnDrawButton) {
    // The handler draws over the finished face, on the request's DC.
    fw::CanvasAttachment attached(canvas_, item.hDC);
    OnDrawButton(this, canvas_, client);
  }
}

bool TSkinBtn::ShowsFocusMark(bool focused) const {
  return defaultLook_ && focused && btnPaintOptions_.Contains(bpoDrawFocus) && FocusCuesShown();
}

void TSkinBtn::PaintPlainFace(HDC dc, bool pressed, bool focused) {
  const RECT r = ClientRect();
  const bool rounded = options_.Contains(ocRoundedForm);
  // Outside the ellipse the parent shows, in its own plain colour.
  if (rounded) PaintParentBackground(this, dc);
  canvas_.Brush().SetColor(fw::clBtnFace);
  canvas_.Pen().SetColor(fw::clBtnText);
  // Pressed, the outline is drawn twice as thick (design pixels).
  canvas_.Pen().SetWidth(Scaled(pressed ? 2 : 1));
  if (rounded) canvas_.Ellipse(r.left, r.top, r.right - Scaled(1), r.bottom - Scaled(1));
  else canvas_.Rectangle(r);
  canvas_.Pen().SetWidth(Scaled(1));
  DrawGlyphAndCaption(dc, pressed);
  if (ShowsFocusMark(focused)) {
    canvas_.Brush().SetStyle(fw::bsClear);
    const int inset = Scaled(4);
    if (rounded) canvas_.Ellipse(r.left + inset, r.top + inset, r.right - inset, r.bottom - inset);
    else canvas_.Rectangle(r.left + inset, r.top + inset, r.right - inset, r.bottom - inset);
  }
}

void TSkinBtn::PaintFace(HDC dc, bool pressed, bool focused) {
  if (fw::HighContrast()) {
    PaintPlainFace(dc, pressed, focused);
    return;
  }
  RECT r = ClientRect();
  bool needsFill = true;
  const bool tiled = options_.Contains(ocTileWallpaper);
  if (options_.Contains(ocRoundedForm)) {
    PaintParentBackground(this, dc);
    if (options_.Contains(ocPaintGradiently)) {
      fw::GdiRegion ellipse(CreateEllipticRgnIndirect(&r));
      fw::ClipRegionGuard clip(dc, ellipse.Get(), RGN_AND);
      FillGradient(dc, r, colorStart_, colorEnd_, gradientDirection_);
      needsFill = false;
    } else if (options_.Contains(ocPaintWallpaper)) {
      fw::GdiRegion ellipse(CreateEllipticRgnIndirect(&r));
      fw::ClipRegionGuard clip(dc, ellipse.Get(), RGN_AND);
      if (DrawWallpaper(dc, EffectiveWallpaper(), r, SRCCOPY, tiled, Dpi())) needsFill = false;
    } else if (options_.Contains(ocPaintTransparently)) {
      PaintParentBackgroundClipped(this, dc, r);
      needsFill = false;
    }
    if (FrameShown()) DrawEllipticFrame(r, pressed, needsFill);
    DrawGlyphAndCaption(dc, pressed);
    if (ShowsFocusMark(focused)) {
      UseLinePen(fw::clBtnShadow);
      canvas_.Brush().SetStyle(fw::bsClear);
      const int inset = Scaled(4);
      canvas_.Ellipse(r.left + inset, r.top + inset, r.right - inset, r.bottom - inset);
    }
    return;
  }
  if (options_.Contains(ocPaintTransparently)) {
    PaintParentBackgroundClipped(this, dc, r);
    needsFill = false;
  } else if (options_.Contains(ocPaintGradiently)) {
    FillGradient(dc, r, colorStart_, colorEnd_, gradientDirection_);
    needsFill = false;
  } else if (options_.Contains(ocPaintWallpaper)) {
    if (DrawWallpaper(dc, EffectiveWallpaper(), r, SRCCOPY, tiled, Dpi())) needsFill = false;
  }
  if (needsFill) {
    canvas_.Brush().SetColor(Color());
    canvas_.FillRect(r);
  }
  if ((defaultLook_ || focused) && btnPaintOptions_.Contains(bpoDrawDefault)) {
    UseLinePen(fw::clWindowFrame);
    canvas_.Brush().SetStyle(fw::bsClear);
    canvas_.Rectangle(r);
    InflateRect(&r, -Scaled(1), -Scaled(1));
  }
  if (pressed) fw::DrawEdgeForDpi(dc, r, BDR_SUNKENINNER, BF_RECT | BF_ADJUST, Dpi());
  else if (FrameShown()) fw::DrawEdgeForDpi(dc, r, EDGE_RAISED, BF_RECT | BF_ADJUST, Dpi());
  DrawGlyphAndCaption(dc, pressed);
  if (ShowsFocusMark(focused)) {
    RECT f = ClientRect();
    InflateRect(&f, -Scaled(4), -Scaled(4));
    canvas_.Pen().SetColor(fw::clWindowFrame);
    canvas_.Brush().SetColor(ComplementColor(Font().Color()));
    // The dotted mark, a design pixel wide.
    for (int i = 0; i < Scaled(1); ++i) {
      canvas_.DrawFocusRect(f);
      InflateRect(&f, -1, -1);
    }
  }
}

void TSkinBtn::UseLinePen(fw::TColor color) {
  // A design line one pixel wide, inside the shape's bounds when wider.
  const int width = Scaled(1);
  canvas_.Pen().SetColor(color);
  canvas_.Pen().SetWidth(width);
  canvas_.Pen().SetStyle(width > 1 ? fw::psInsideFrame : fw::psSolid);
}

void TSkinBtn::DrawEllipticFrame(const RECT& r, bool pressed, bool needsFill) {
  fw::TCanvas& c = canvas_;
  // Three rings a design pixel wide, each offset by a design pixel.
  const int d = Scaled(1);
  if (needsFill) c.Brush().SetColor(Color());
  else c.Brush().SetStyle(fw::bsClear);
  UseLinePen(fw::clBtnShadow);
  c.Ellipse(r.left, r.top, r.right - d, r.bottom - d);
  c.Pen().SetColor(pressed ? fw::clBtnHighlight : fw::clWindowFrame);
  c.Ellipse(r.left + d, r.top + d, r.right, r.bottom);
  c.Pen().SetColor(pressed ? fw::clWindowFrame : fw::clBtnHighlight);
  const RECT inner{r.left + d, r.top + d, r.right - d, r.bottom - d};
  c.Ellipse(inner);
  c.Pen().SetColor(fw::clBtnShadow);
  // The lower-right half of the inner ring: counter-clockwise from the
  // radial through the bottom-left corner to the one through the top-right
  // corner.
  if (d == 1) {
    c.Arc(inner.left, inner.top, inner.right, inner.bottom, r.left, r.bottom, r.right, r.top);
    return;
  }
  // A wide arc would end in round caps: the ring again, clipped to the
  // triangle below that diagonal.
  POINT half[3] = {{inner.left, inner.bottom}, {inner.right, inner.top}, {inner.right, inner.bottom}};
  HDC dc = c.Handle();
  LPtoDP(dc, half, 3);
  fw::GdiRegion below(CreatePolygonRgn(half, 3, WINDING));
  fw::ClipRegionGuard clip(dc, below.Get(), RGN_AND);
  c.Brush().SetStyle(fw::bsClear);
  c.Ellipse(inner);
}

bool TSkinBtn::Animating() const { return images_ && animated_ && timer_->Interval() != 0; }

SIZE TSkinBtn::GlyphCell() const {
  if (!Animating()) return glyph_.CellSize();
  // The animation's frames take the glyph's place: the whole glyph picture
  // is one cell, and without a glyph the frame's size is kept free.
  if (glyph_.Empty()) return SIZE{images_->Width(), images_->Height()};
  return glyph_.PictureSize();
}

TButtonLayout TSkinBtn::DrawnLayout() {
  // Right-to-left reading swaps the horizontal sides.
  if (!HandleAllocated() || !(GetWindowLongPtrW(Handle(), GWL_EXSTYLE) & WS_EX_RTLREADING)) return layout_;
  if (layout_ == blGlyphLeft) return blGlyphRight;
  if (layout_ == blGlyphRight) return blGlyphLeft;
  return layout_;
}

TSkinBtn::FaceLayout TSkinBtn::PlaceGlyphAndCaption(fw::TCanvas& measure, const std::wstring& caption,
                                                     bool pressed) {
  RECT client = ClientRect();
  if (pressed) OffsetRect(&client, Scaled(1), Scaled(1));
  const int clientW = client.right - client.left, clientH = client.bottom - client.top;
  const SIZE glyph = GlyphCell();
  SIZE text{0, 0};
  if (!caption.empty()) {
    RECT t{0, 0, clientW, 0};
    measure.DrawText(caption, t, DT_CALCRECT);
    text = SIZE{t.right - t.left, t.bottom - t.top};
  }
  // Along the layout's axis as laid out; across it each is centred.
  const TButtonLayout layout = DrawnLayout();
  const bool across = layout == blGlyphLeft || layout == blGlyphRight;
  const int extent = across ? clientW : clientH, side = across ? clientH : clientW;
  const int g = across ? glyph.cx : glyph.cy, t = across ? text.cx : text.cy;
  // Margin and spacing are design lengths; -1 (share out) stays -1.
  const auto scaled = [this](int gap) { return gap < 0 ? gap : Scaled(gap); };
  const Gaps gaps = ShareOut(extent, g, t, {scaled(margin_), text.cx == 0 || glyph.cx == 0 ? 0 : scaled(spacing_)});
  const auto [glyphAlong, textAlong] = PlaceAlong(layout, extent, g, t, gaps);
  const int glyphSide = (side - (across ? glyph.cy : glyph.cx) + 1) / 2;
  const int textSide = (side - (across ? text.cy : text.cx) + 1) / 2;
  auto place = [&](int along, int centred, SIZE size) {
    const POINT at = across ? POINT{along, centred} : POINT{centred, along};
    return RECT{client.left + at.x, client.top + at.y, client.left + at.x + size.cx, client.top + at.y + size.cy};
  };
  return FaceLayout{place(glyphAlong, glyphSide, glyph), place(textAlong, textSide, text)};
}

void TSkinBtn::DrawGlyphAndCaption(HDC dc, bool pressed) {
  canvas_.Font().Assign(Font());
  const std::wstring caption = Caption();
  FaceLayout face = PlaceGlyphAndCaption(canvas_, caption, pressed);
  if (Animating()) glyph_.DrawAsOneCell(dc, face.glyph.left, face.glyph.top, Enabled());
  else glyph_.Draw(dc, face.glyph.left, face.glyph.top, Enabled());
  if (caption.empty()) return;
  canvas_.Brush().SetStyle(fw::bsClear);
  // The shadowed text is drawn on the DC: the canvas font must be in it.
  fw::SelectGuard font(dc, canvas_.Font().Handle());
  // The accelerator's underline follows the keyboard cues.
  const UINT cues = AcceleratorCuesShown() ? 0 : DT_HIDEPREFIX;
  DrawShadowed(dc, face.text, DT_CENTER | DT_VCENTER | cues, caption, Font().Color(), Enabled(), Dpi());
}

RECT TSkinBtn::GlyphRect() {
  // Measured as the paint measures, in the state the face is painted in.
  fw::MemoryDC dc(nullptr);
  fw::TCanvas measure(dc.Get());
  measure.Font().Assign(Font());
  const bool pressed = HandleAllocated() && (SendMessageW(Handle(), BM_GETSTATE, 0, 0) & BST_PUSHED) != 0;
  const FaceLayout face = PlaceGlyphAndCaption(measure, Caption(), pressed);
  measure.Detach();
  return Animating() ? face.glyph : face.text;
}

void TSkinBtn::AnimationTick() {
  if (!images_ || !HandleAllocated()) return;
  const int count = images_->Count();
  if (count > 0) {
    const RECT at = GlyphRect();
    fw::ClientDC window(Handle());
    fw::OffscreenBuffer buffer(window.Get(), Width(), Height());
    PaintTo(buffer.DC());
    // The frame through a scratch glyph, so a disabled button greys it.
    fw::TBitmap frame;
    images_->GetBitmap(frameIndex_ % count, frame, fw::clFuchsia);
    frame.SetTransparentColor(fw::clFuchsia);
    TGlyph scratch;
    scratch.SetBitmap(frame);
    scratch.SetNumGlyphs(1);
    scratch.Draw(buffer.DC(), at.left, at.top, Enabled());
    buffer.CopyRectTo(window.Get(), at);
  }
  frameIndex_ = count > 0 ? (frameIndex_ + 1) % count : 0;
}

}  // namespace skin
