#include "controls/skin_label.h"

#include <algorithm>

#include "controls/reading_order.h"
#include "controls/skin_draw.h"
#include "graphics/gdi.h"
#include "framework/high_contrast.h"
#include "graphics/scaled_edge.h"
#include "framework/wincontrol.h"

namespace skin {

namespace {

UINT InnerEdge(TBevelCut cut) {
  return cut == bvLowered ? BDR_SUNKENINNER : cut == bvRaised ? BDR_RAISEDINNER : 0;
}

UINT OuterEdge(TBevelCut cut) {
  return cut == bvLowered ? BDR_SUNKENOUTER : cut == bvRaised ? BDR_RAISEDOUTER : 0;
}

bool Drawn(TBevelCut cut) { return cut != bvNone && cut != bvSpace; }

UINT AlignmentFormat(fw::TAlignment a) {
  return a == fw::taRightJustify ? DT_RIGHT : a == fw::taCenter ? DT_CENTER : DT_LEFT;
}

// Attaches the label's canvas to a memory DC (the screen's metrics) for measuring outside Paint.
class MeasuringCanvas {
 public:
  explicit MeasuringCanvas(fw::TCanvas& canvas) : canvas_(canvas) {
    if (!canvas_.HandleAllocated()) {
      screen_ = std::make_unique<fw::MemoryDC>();
      canvas_.Attach(screen_->Get());
    }
  }
  MeasuringCanvas(const MeasuringCanvas&) = delete;
  MeasuringCanvas& operator=(const MeasuringCanvas&) = delete;
  ~MeasuringCanvas() {
    if (screen_) canvas_.Detach();
  }

 private:
  fw::TCanvas& canvas_;
  std::unique_ptr<fw::MemoryDC> screen_;
};

}  // namespace

TSkinLabel::TSkinLabel(fw::TComponent* owner)
    : fw::TCustomLabel(owner),
      ShadowedText([this] { Repaint(); }),
      SkinPicture(*this, {.changed = [this] { Invalidate(); },
                          .replaced = [this] { Repaint(); },
                          .edited = [this] { WallpaperChanged(); }}) {
  glyph_.OnChange = [this] { Invalidate(); };
}

TSkinLabel::~TSkinLabel() { Destroying(); }

// ---- properties

void TSkinLabel::WallpaperChanged() {
  Invalidate();
  Perform(fw::CM_COLORCHANGED, 0, 0);
}

void TSkinLabel::SetBevelInner(TBevelCut value) {
  if (value == bevelInner_) return;
  bevelInner_ = value;
  Repaint();
}

void TSkinLabel::SetBevelOuter(TBevelCut value) {
  if (value == bevelOuter_) return;
  bevelOuter_ = value;
  Repaint();
}

void TSkinLabel::SetBevelsOffset(int value) {
  if (value == bevelsOffset_) return;
  bevelsOffset_ = value;
  if (value != 0) SetAutoSize(false);
  Repaint();
}

void TSkinLabel::SetGlyph(const fw::TBitmap& value) {
  glyph_.SetBitmap(value);
  AdjustBounds();
}

void TSkinLabel::SetNumGlyphs(int value) {
  if (value > 2) value = 2;
  glyph_.SetNumGlyphs(value);  // ignores 0 and the current count; repaints on change
}

void TSkinLabel::SetAutoSize(bool value) {
  fw::TCustomLabel::SetAutoSize(value);
  AdjustBounds();
}

void TSkinLabel::DpiChanged(int oldDpi) {
  fw::TCustomLabel::DpiChanged(oldDpi);
  glyph_.SetDpi(Dpi());
  AdjustBounds();
}

void TSkinLabel::Loaded() {
  fw::TCustomLabel::Loaded();
  AdjustBounds();
}

void TSkinLabel::Notification(fw::TComponent* component, fw::TOperation operation) {
  if (SkinImagesRemoved(component, operation)) Invalidate();
  fw::TCustomLabel::Notification(component, operation);
}

// ---- painting

void TSkinLabel::Paint() {
  fw::TCanvas& c = Canvas();
  const RECT client = ClientRect();
  if (!Transparent()) {
    // The label has no tiling option: its wallpaper is always tiled. In
    // high contrast: no picture, the system's face colour.
    if (fw::HighContrast() || !DrawWallpaper(c.Handle(), EffectiveWallpaper(), client, SRCCOPY, true, Dpi())) {
      c.Brush().SetColor(fw::HighContrast() ? fw::clBtnFace : Color());
      c.FillRect(client);
    }
  }
  RECT r = client;
  if (Drawn(bevelInner_) || Drawn(bevelOuter_)) {
    fw::DrawEdgeForDpi(c.Handle(), r, InnerEdge(bevelInner_) | OuterEdge(bevelOuter_), BF_RECT, Dpi());
    InflateRect(&r, -Scaled(bevelsOffset_), -Scaled(bevelsOffset_));
  }
  c.Brush().SetStyle(fw::bsClear);
  const fw::TAlignment alignment = DrawnAlignment();
  const UINT format = (WordWrap() ? DT_WORDBREAK : 0) | AlignmentFormat(alignment);
  if (Layout() != fw::tlTop) {
    RECT measured = r;
    DoDrawText(measured, format | DT_CALCRECT | DT_EXPANDTABS);
    const int height = client.bottom - client.top;
    if (Layout() == fw::tlBottom) OffsetRect(&r, 0, height - measured.bottom);
    else OffsetRect(&r, 0, (height - measured.bottom) / 2);
  }
  if (!glyph_.Empty()) {
    // The glyph and a gap of two design pixels before the text.
    const int cell = glyph_.CellSize().cx + Scaled(2);
    const int textWidth = MeasureCaption(DT_EXPANDTABS).cx;
    switch (alignment) {
      case fw::taLeftJustify:
        glyph_.Draw(c.Handle(), r.left, r.top, Enabled());
        OffsetRect(&r, cell, 0);
        break;
      case fw::taRightJustify:
        glyph_.Draw(c.Handle(), r.right - textWidth - cell, r.top, Enabled());
        break;
      case fw::taCenter:
        glyph_.Draw(c.Handle(), (r.right - r.left) / 2 - (textWidth + cell) / 2, r.top, Enabled());
        OffsetRect(&r, cell / 2, 0);
        break;
    }
  }
  DoDrawText(r, format | DT_EXPANDTABS);
}

void TSkinLabel::DoDrawText(RECT& rect, UINT flags) {
  std::wstring text = Caption();
  if ((flags & DT_CALCRECT) && (text.empty() || (ShowAccelChar() && text == L"&"))) text += L' ';
  if (!ShowAccelChar()) flags |= DT_NOPREFIX;
  if (ReadsRightToLeft()) flags |= DT_RTLREADING;
  fw::TCanvas& c = Canvas();
  c.Font().Assign(Font());
  HDC dc = c.Handle();
  fw::SelectGuard font(dc, c.Font().Handle());
  DrawShadowed(dc, rect, flags, text, Font().Color(), Enabled(), Dpi());
}

SIZE TSkinLabel::MeasureCaption(UINT flags) {
  MeasuringCanvas measuring(Canvas());
  RECT r = ClientRect();
  DoDrawText(r, flags | DT_CALCRECT);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

void TSkinLabel::AdjustBounds() {
  if (!AutoSize() || !Parent() || IsLoading()) return;
  MeasuringCanvas measuring(Canvas());
  RECT r = ClientRect();
  DoDrawText(r, DT_EXPANDTABS | DT_CALCRECT | (WordWrap() ? DT_WORDBREAK : 0));
  int width = r.right, height = r.bottom;
  if (!glyph_.Empty()) {
    const SIZE cell = glyph_.CellSize();
    width += cell.cx + Scaled(2);
    height = std::max(static_cast<int>(r.bottom), static_cast<int>(cell.cy));
  }
  int left = Left();
  if (DrawnAlignment() == fw::taRightJustify) left += Width() - width;
  SetBounds(left, Top(), width, height);
}

bool TSkinLabel::ReadsRightToLeft() const { return skin::ReadsRightToLeft(*this); }

fw::TAlignment TSkinLabel::DrawnAlignment() const { return ReadingAlignment(Alignment(), ReadsRightToLeft()); }

}  // namespace skin
