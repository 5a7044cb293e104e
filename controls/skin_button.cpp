#include "controls/skin_button.h"

#include <algorithm>

#include "controls/skin_draw.h"
#include "graphics/gdi.h"

namespace skin {

using fw::TMessage;

TSkinBtn::TSkinBtn(fw::TComponent* owner) : fw::TButton(owner), timer_(std::make_unique<fw::TTimer>(nullptr)) {
  SetColor(fw::clBtnFace);
  timer_->SetEnabled(false);
  timer_->SetInterval(1000);
  timer_->SetOnTimer([this](fw::TObject*) { AnimationTick(); });
  skinLink_.OnChange = [this] { Invalidate(); };
  imagesLink_.OnChange = [this] { Invalidate(); };
  glyph_.OnChange = [this] { Invalidate(); };
}

TSkinBtn::~TSkinBtn() {
  Destroying();
  timer_->SetEnabled(false);
  skinLink_.Attach(nullptr);
  imagesLink_.Attach(nullptr);
  if (skinImages_) skinImages_->RemoveFreeNotification(this);
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

void TSkinBtn::SetShadowColor(fw::TColor value) {
  if (shadow_.SetColor(value)) Invalidate();
}

void TSkinBtn::SetShadowSize(int value) {
  if (shadow_.SetSize(value)) Invalidate();
}

void TSkinBtn::SetShadowPos(TShadowPosition value) {
  if (shadow_.SetPos(value)) Invalidate();
}

void TSkinBtn::SetSimpleView(bool value) {
  if (shadow_.SetSimpleView(value)) Invalidate();
}

fw::TBitmap& TSkinBtn::Wallpaper() { return wallpaper_.Get(); }

void TSkinBtn::SetWallpaper(const fw::TBitmap& value) {
  // The setter repaints; only later edits of the picture also announce a
  // colour change.
  wallpaper_.Set(value);
  Invalidate();
}

void TSkinBtn::WallpaperChanged() {
  Invalidate();
  Perform(fw::CM_COLORCHANGED, 0, 0);
}

void TSkinBtn::SetSkinImages(TSkinImages* value) {
  if (value == skinImages_) return;
  if (skinImages_) skinImages_->RemoveFreeNotification(this);
  skinImages_ = value;
  skinLink_.Attach(value);
  if (value) value->FreeNotification(this);
  Invalidate();
}

void TSkinBtn::SetIdWallpaper(int value) {
  if (value == idWallpaper_) return;
  idWallpaper_ = value;
  Invalidate();
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
  if (operation == fw::opRemove) {
    if (component == images_) {
      images_ = nullptr;
      imagesLink_.Attach(nullptr);
      if (!IsDestroying()) Invalidate();
    }
    if (component == skinImages_) {
      skinImages_ = nullptr;
      skinLink_.Attach(nullptr);
      if (!IsDestroying()) Invalidate();
    }
  }
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

// ---- painting

fw::TBitmap* TSkinBtn::EffectiveWallpaperBitmap() const {
  return EffectiveWallpaper(skinImages_, idWallpaper_, wallpaper_.Existing());
}

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

void TSkinBtn::PaintFace(HDC dc, bool pressed, bool focused) {
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
      if (DrawWallpaper(dc, EffectiveWallpaperBitmap(), r, SRCCOPY, tiled)) needsFill = false;
    } else if (options_.Contains(ocPaintTransparently)) {
      PaintParentBackgroundClipped(this, dc, r);
      needsFill = false;
    }
    if (FrameShown()) DrawEllipticFrame(r, pressed, needsFill);
    DrawGlyphAndCaption(dc, pressed);
    if (defaultLook_ && focused && btnPaintOptions_.Contains(bpoDrawFocus)) {
      canvas_.Pen().SetColor(fw::clBtnShadow);
      canvas_.Pen().SetWidth(1);
      canvas_.Brush().SetStyle(fw::bsClear);
      canvas_.Ellipse(r.left + 4, r.top + 4, r.right - 4, r.bottom - 4);
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
    if (DrawWallpaper(dc, EffectiveWallpaperBitmap(), r, SRCCOPY, tiled)) needsFill = false;
  }
  if (needsFill) {
    canvas_.Brush().SetColor(Color());
    canvas_.FillRect(r);
  }
  if ((defaultLook_ || focused) && btnPaintOptions_.Contains(bpoDrawDefault)) {
    canvas_.Pen().SetColor(fw::clWindowFrame);
    canvas_.Pen().SetWidth(1);
    canvas_.Brush().SetStyle(fw::bsClear);
    canvas_.Rectangle(r);
    InflateRect(&r, -1, -1);
  }
  if (pressed) DrawEdge(dc, &r, BDR_SUNKENINNER, BF_RECT | BF_ADJUST);
  else if (FrameShown()) DrawEdge(dc, &r, EDGE_RAISED, BF_RECT | BF_ADJUST);
  DrawGlyphAndCaption(dc, pressed);
  if (defaultLook_ && focused && btnPaintOptions_.Contains(bpoDrawFocus)) {
    RECT f = ClientRect();
    InflateRect(&f, -4, -4);
    canvas_.Pen().SetColor(fw::clWindowFrame);
    canvas_.Brush().SetColor(ComplementColor(Font().Color()));
    canvas_.DrawFocusRect(f);
  }
}

void TSkinBtn::DrawEllipticFrame(const RECT& r, bool pressed, bool needsFill) {
  fw::TCanvas& c = canvas_;
  if (needsFill) c.Brush().SetColor(Color());
  else c.Brush().SetStyle(fw::bsClear);
  c.Pen().SetWidth(1);
  c.Pen().SetColor(fw::clBtnShadow);
  c.Ellipse(r.left, r.top, r.right - 1, r.bottom - 1);
  c.Pen().SetColor(pressed ? fw::clBtnHighlight : fw::clWindowFrame);
  c.Ellipse(r.left + 1, r.top + 1, r.right, r.bottom);
  c.Pen().SetColor(pressed ? fw::clWindowFrame : fw::clBtnHighlight);
  c.Ellipse(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1);
  c.Pen().SetColor(fw::clBtnShadow);
  // The lower-right half: counter-clockwise from the radial through the
  // bottom-left corner to the one through the top-right corner.
  c.Arc(r.left + 1, r.top + 1, r.right - 1, r.bottom - 1, r.left, r.bottom, r.right, r.top);
}

void TSkinBtn::DrawGlyphAndCaption(HDC dc, bool pressed) {
  fw::TCanvas& c = canvas_;
  c.Font().Assign(Font());
  RECT client = ClientRect();
  if (pressed) OffsetRect(&client, 1, 1);
  const int clientW = client.right - client.left, clientH = client.bottom - client.top;

  // Glyph size; the animation shows image-list frames in the glyph's place.
  const bool animating = images_ && animated_ && timer_->Interval() != 0;
  if (animating) {
    animationMode_ = true;
    glyph_.SetNumGlyphs(1);
    glyph_.SetForcedSize(SIZE{images_->Width(), images_->Height()});
  }
  const SIZE glyphSize = glyph_.CellSize();

  // Caption size.
  const std::wstring caption = Caption();
  SIZE textSize{0, 0};
  if (!caption.empty()) {
    RECT t{0, 0, clientW, 0};
    c.DrawText(caption, t, DT_CALCRECT);
    textSize = SIZE{t.right - t.left, t.bottom - t.top};
  }

  // Right-to-left reading swaps the horizontal sides.
  TButtonLayout layout = layout_;
  if (HandleAllocated() && (GetWindowLongPtrW(Handle(), GWL_EXSTYLE) & WS_EX_RTLREADING)) {
    if (layout == blGlyphLeft) layout = blGlyphRight;
    else if (layout == blGlyphRight) layout = blGlyphLeft;
  }
  POINT glyphPos{0, 0}, textPos{0, 0};
  const bool across = layout == blGlyphLeft || layout == blGlyphRight;
  if (across) {
    glyphPos.y = (clientH - glyphSize.cy + 1) / 2;
    textPos.y = (clientH - textSize.cy + 1) / 2;
  } else {
    glyphPos.x = (clientW - glyphSize.cx + 1) / 2;
    textPos.x = (clientW - textSize.cx + 1) / 2;
  }
  int spacing = spacing_, margin = margin_;
  if (textSize.cx == 0 || glyphSize.cx == 0) spacing = 0;
  const int extent = across ? clientW : clientH;
  const int g = across ? glyphSize.cx : glyphSize.cy;
  const int t = across ? textSize.cx : textSize.cy;
  if (margin == -1) {
    if (spacing == -1) {
      margin = (extent - g - t) / 3;
      spacing = margin;
    } else {
      margin = (extent - g - spacing - t + 1) / 2;
    }
  } else if (spacing == -1) {
    spacing = (extent - margin - g - t) / 2;
  }
  switch (layout) {
    case blGlyphLeft:
      glyphPos.x = margin;
      textPos.x = glyphPos.x + g + spacing;
      break;
    case blGlyphRight:
      glyphPos.x = extent - margin - g;
      textPos.x = glyphPos.x - spacing - t;
      break;
    case blGlyphTop:
      glyphPos.y = margin;
      textPos.y = glyphPos.y + g + spacing;
      break;
    case blGlyphBottom:
      glyphPos.y = extent - margin - g;
      textPos.y = glyphPos.y - spacing - t;
      break;
  }
  glyphPos.x += client.left;
  glyphPos.y += client.top;
  textPos.x += client.left;
  textPos.y += client.top;

  glyph_.Draw(dc, glyphPos.x, glyphPos.y, Enabled());

  RECT textRect{textPos.x, textPos.y, textPos.x + textSize.cx, textPos.y + textSize.cy};
  if (!caption.empty()) {
    c.Brush().SetStyle(fw::bsClear);
    const UINT format = DT_CENTER | DT_VCENTER;
    // DrawShadowText works on the DC: the canvas font must be in it.
    fw::SelectGuard font(dc, c.Font().Handle());
    if (!Enabled()) {
      DrawShadowText(dc, textRect, spRightBottom, 1, fw::clBtnHighlight, fw::clBtnShadow, format, caption);
    } else if (shadow_.simpleView) {
      const COLORREF old = SetTextColor(dc, fw::ColorToRGB(Font().Color()));
      const int oldMode = SetBkMode(dc, TRANSPARENT);
      DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &textRect, format);
      SetTextColor(dc, old);
      SetBkMode(dc, oldMode);
    } else {
      DrawShadowText(dc, textRect, shadow_.pos, shadow_.size, shadow_.color, Font().Color(), format, caption);
    }
  }

  if (animationMode_) {
    const SIZE cell = glyph_.Empty() ? glyph_.ForcedSize() : SIZE{glyph_.Bitmap().Width(), glyph_.Bitmap().Height()};
    glyphRect_ = RECT{glyphPos.x, glyphPos.y, glyphPos.x + cell.cx, glyphPos.y + cell.cy};
  } else {
    glyphRect_ = textRect;
  }
}

void TSkinBtn::AnimationTick() {
  if (!images_ || !HandleAllocated()) return;
  const int count = images_->Count();
  if (count > 0) {
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
    scratch.Draw(buffer.DC(), glyphRect_.left, glyphRect_.top, Enabled());
    buffer.CopyRectTo(window.Get(), glyphRect_);
  }
  frameIndex_ = count > 0 ? (frameIndex_ + 1) % count : 0;
}

}  // namespace skin
