#include "controls/scrolling_text.h"

#include <algorithm>

#include "controls/reading_order.h"
#include "controls/skin_draw.h"
#include "framework/accessible.h"
#include "framework/high_contrast.h"
#include "stdctrls/button.h"
#include "graphics/canvas.h"
#include "graphics/gdi.h"
#include "framework/wincontrol.h"

namespace skin {

namespace {

UINT AlignmentFormat(fw::TAlignment a) {
  return a == fw::taRightJustify ? DT_RIGHT : a == fw::taCenter ? DT_CENTER : DT_LEFT;
}

std::wstring TrimRight(std::wstring s) {
  while (!s.empty() && s.back() <= L' ') s.pop_back();
  return s;
}

}  // namespace

TSkinScrollingText::TSkinScrollingText(fw::TComponent* owner)
    : fw::TGraphicControl(owner),
      ShadowedText([this] { Invalidate(); }),
      SkinPicture(*this, {.changed = [this] { Invalidate(); }}) {
  SetBounds(Left(), Top(), 97, 15);
  strings_.OnChange = [this] {
    AdjustBounds();
    Invalidate();
  };
  glyph_.OnChange = [this] { Invalidate(); };
  timer_ = std::make_unique<TThreadTimer>([this] { TimerStep(); });
  timer_->SetInterval(interval_);
}

TSkinScrollingText::~TSkinScrollingText() {
  Destroying();
  SetActive(false);
  timer_.reset();
  strings_.OnChange = nullptr;
  if (focusControl_) focusControl_->RemoveFreeNotification(this);
}

// ---- properties

fw::TStrings& TSkinScrollingText::Strings() { return strings_; }

void TSkinScrollingText::SetStrings(const fw::TStrings& value) { strings_.Assign(value); }

void TSkinScrollingText::SetActive(bool value) {
  if (value == active_) return;
  active_ = value;
  UpdateTimer();
  if (!IsDestroying()) Invalidate();
}

void TSkinScrollingText::SetInterval(unsigned value) {
  if (value == interval_) return;
  interval_ = value;
  UpdateTimer();
  Invalidate();
}

void TSkinScrollingText::UpdateTimer() {
  timer_->SetInterval(interval_);
  timer_->SetEnabled(active_ && !IsDesigning());
}

void TSkinScrollingText::SetScrollDirection(TScrollDirection value) {
  if (value == direction_) return;
  direction_ = value;
  if (value == sdLeftToRight || value == sdRightToLeft) alignment_ = fw::taLeftJustify;
  Invalidate();
}

void TSkinScrollingText::SetAlignment(fw::TAlignment value) {
  if (value == alignment_) return;
  alignment_ = value;
  Invalidate();
}

void TSkinScrollingText::SetTransparent(bool value) {
  if (value == transparent_) return;
  transparent_ = value;
  Invalidate();
}

void TSkinScrollingText::SetShowAccelChar(bool value) {
  if (value == showAccelChar_) return;
  showAccelChar_ = value;
  Invalidate();
}

void TSkinScrollingText::SetFocusControl(fw::TWinControl* value) {
  if (value == focusControl_) return;
  if (focusControl_) focusControl_->RemoveFreeNotification(this);
  focusControl_ = value;
  if (value) value->FreeNotification(this);
}

void TSkinScrollingText::SetGlyph(const fw::TBitmap& value) {
  glyph_.SetBitmap(value);
  AdjustBounds();
}

void TSkinScrollingText::SetNumGlyphs(int value) {
  if (value > 2) value = 2;
  glyph_.SetNumGlyphs(value);
}

void TSkinScrollingText::SetAutoSize(bool value) {
  if (value == autoSize_) return;
  autoSize_ = value;
  AdjustBounds();
}

void TSkinScrollingText::Loaded() {
  fw::TGraphicControl::Loaded();
  AdjustBounds();
  ResetPosition(false);
}

void TSkinScrollingText::Notification(fw::TComponent* component, fw::TOperation operation) {
  if (operation == fw::opRemove && component == focusControl_) focusControl_ = nullptr;
  if (SkinImagesRemoved(component, operation)) Invalidate();
  fw::TGraphicControl::Notification(component, operation);
}

void TSkinScrollingText::DescribeAccessible(fw::AccessibleFacts& facts) const {
  fw::TGraphicControl::DescribeAccessible(facts);
  facts.role = ROLE_SYSTEM_STATICTEXT;
  if (!facts.name) {
    const std::wstring text = strings_.Text();
    facts.name = fw::SpokenText(showAccelChar_ ? fw::WithoutAccelerator(text) : text);
  }
  facts.statesSet |= STATE_SYSTEM_READONLY | (active_ ? STATE_SYSTEM_MARQUEED : 0);
}

void TSkinScrollingText::SetName(const std::wstring& name) {
  // A freshly placed control shows its name until it is given lines; not
  // while a stored description is read.
  const bool follow = !IsLoading() && (!Owner() || !Owner()->IsLoading()) &&
                      TrimRight(strings_.Text()) == Name();
  fw::TGraphicControl::SetName(name);
  if (follow) strings_.SetText(name);
}

// ---- messages

void TSkinScrollingText::CMTextChanged(fw::TMessage& m) {
  fw::TGraphicControl::CMTextChanged(m);
  AdjustBounds();
}

void TSkinScrollingText::CMFontChanged(fw::TMessage& m) {
  fw::TGraphicControl::CMFontChanged(m);
  AdjustBounds();
}

void TSkinScrollingText::CMEnabledChanged(fw::TMessage&) { Invalidate(); }

void TSkinScrollingText::CMDialogChar(fw::TMessage& m) {
  if (focusControl_ && Enabled() && showAccelChar_ &&
      fw::IsAccel(static_cast<wchar_t>(m.WParam), strings_.Text()) && focusControl_->CanFocus()) {
    focusControl_->SetFocus();
    m.Result = 1;
    return;
  }
  fw::TGraphicControl::CMDialogChar(m);
}

// ---- text

std::wstring TSkinScrollingText::DrawnText() const {
  // The blank last line keeps a gap between one pass and the next.
  return Enabled() ? strings_.Text() + L" " : strings_.Text();
}

void TSkinScrollingText::DrawTextIn(fw::TCanvas& canvas, RECT& r, UINT flags) {
  const std::wstring text = DrawnText();
  if (!showAccelChar_) flags |= DT_NOPREFIX;
  if (ReadsRightToLeft(*this)) flags |= DT_RTLREADING;
  canvas.Font().Assign(Font());
  HDC dc = canvas.Handle();
  fw::SelectGuard font(dc, canvas.Font().Handle());
  DrawShadowed(dc, r, flags, text, Font().Color(), Enabled(), Dpi());
}

RECT TSkinScrollingText::MeasureText() {
  fw::MemoryDC dc(nullptr);
  fw::TCanvas canvas(dc.Get());
  RECT r = ClientRect();
  DrawTextIn(canvas, r, DT_CALCRECT | DT_EXPANDTABS | (strings_.Count() >= 2 ? DT_WORDBREAK : 0));
  canvas.Detach();
  if (!glyph_.Empty()) {
    const SIZE cell = glyph_.CellSize();
    r.right += cell.cx + Scaled(2);
    r.bottom = r.top + std::max(static_cast<int>(r.bottom - r.top), static_cast<int>(cell.cy));
  }
  return r;
}

void TSkinScrollingText::AdjustBounds() {
  if (!autoSize_ || !Parent() || IsLoading()) return;
  const RECT r = MeasureText();
  int left = Left();
  if (DrawnAlignment() == fw::taRightJustify) left += Width() - r.right;
  SetBounds(left, Top(), r.right, r.bottom);
}

void TSkinScrollingText::DpiChanged(int oldDpi) {
  fw::TGraphicControl::DpiChanged(oldDpi);
  glyph_.SetDpi(Dpi());
  x_ = MulDiv(x_, Dpi(), oldDpi);
  y_ = MulDiv(y_, Dpi(), oldDpi);
  AdjustBounds();
}

// ---- scrolling

void TSkinScrollingText::ResetPosition(bool resting) {
  x_ = y_ = 0;
  if (resting || IsDesigning()) return;
  switch (direction_) {
    case sdBottomToTop: y_ = Height(); break;
    case sdTopToBottom: y_ = -Height(); break;
    case sdLeftToRight: x_ = -Width(); break;
    case sdRightToLeft: x_ = Width(); break;
  }
}

void TSkinScrollingText::TimerStep() {
  if (IsDestroying()) return;
  int dx = 0, dy = 0;
  bool ended = false;
  switch (direction_) {
    case sdBottomToTop: {
      const RECT m = MeasureText();
      if (y_ > -(m.bottom - m.top)) --y_;
      else ended = true;
      dy = -1;
      break;
    }
    case sdTopToBottom:
      if (y_ < Height()) ++y_;
      else ended = true;
      dy = 1;
      break;
    case sdLeftToRight:
      if (x_ < Width()) ++x_;
      else ended = true;
      dx = 1;
      break;
    case sdRightToLeft: {
      const RECT m = MeasureText();
      if (x_ > -(m.right - m.left)) --x_;
      else ended = true;
      dx = -1;
      break;
    }
  }
  if (ended && !EndPass()) return;
  if (!IsDestroying()) ShowStep(dx, dy);
}

bool TSkinScrollingText::EndPass() {
  bool resting = false;
  if (OnTextScrolled) {
    // The handler may free this text, or its form: it runs as a copy, which
    // outlives the event it was copied from.
    const TTextScrolledEvent handler = OnTextScrolled;
    fw::Lifetime::Watch watch(lifetime_);
    handler(this, resting);
    if (watch.Ended()) return false;
  }
  ResetPosition(resting);
  return true;
}

void TSkinScrollingText::ShowStep(int dx, int dy) {
  // A hidden text moves on unseen; its parent's pixels are not its own.
  fw::TWinControl* parent = Parent();
  if (!Visible() || !parent || !parent->HandleAllocated()) return;
  if (transparent_) RenderParent();
  else if (EffectiveWallpaper() && !fw::HighContrast()) RenderFace();
  else ScrollParent(dx, dy);
}

void TSkinScrollingText::ScrollParent(int dx, int dy) {
  // The pixels move; only the uncovered strip is erased and painted.
  const RECT r = BoundsRect();
  ScrollWindowEx(Parent()->Handle(), dx, dy, &r, &r, nullptr, nullptr, SW_INVALIDATE | SW_ERASE);
}

void TSkinScrollingText::RenderParent() {
  // The parent paints itself, its background hooks and every non-windowed
  // child (this text at its new place among them) off screen, in its client
  // coordinates; the buffer holds only this control's part of it (origin
  // shifted), which reaches the screen in one copy, without flicker.
  fw::TWinControl* parent = Parent();
  fw::TControlCanvas target(*this);
  if (!target.HandleAllocated()) return;
  fw::OffscreenBuffer buffer(target.Handle(), Width(), Height(), fw::BufferFormat::Dib32);
  SetViewportOrgEx(buffer.DC(), -Left(), -Top(), nullptr);
  SendMessageW(parent->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(buffer.DC()), 0);
  SendMessageW(parent->Handle(), WM_PAINT, reinterpret_cast<WPARAM>(buffer.DC()), 0);
  SetViewportOrgEx(buffer.DC(), 0, 0, nullptr);
  buffer.CopyTo(target.Handle());
}

void TSkinScrollingText::RenderFace() {
  fw::TControlCanvas target(*this);
  if (!target.HandleAllocated()) return;
  fw::OffscreenBuffer buffer(target.Handle(), Width(), Height(), fw::BufferFormat::Dib32);
  Perform(WM_PAINT, reinterpret_cast<WPARAM>(buffer.DC()), 0);
  buffer.CopyTo(target.Handle());
}

// ---- painting

void TSkinScrollingText::Paint() {
  fw::TCanvas& c = Canvas();
  HDC dc = c.Handle();
  const RECT client = ClientRect();
  // In high contrast: no picture, the system's face colour.
  const bool plain = fw::HighContrast();
  if ((plain || !DrawWallpaper(dc, EffectiveWallpaper(), client, SRCCOPY, true, Dpi())) && !transparent_) {
    c.Brush().SetColor(plain ? fw::clBtnFace : Color());
    c.FillRect(client);
  }
  SetBkMode(dc, TRANSPARENT);
  RECT r{x_, y_, client.right, client.bottom};
  const fw::TAlignment alignment = DrawnAlignment();
  if (!glyph_.Empty()) {
    // The glyph and a gap of two design pixels before the text.
    const int cell = glyph_.CellSize().cx + Scaled(2);
    int textWidth = 0;
    if (alignment != fw::taLeftJustify) {
      const RECT m = MeasureText();
      textWidth = (m.right - m.left) - cell;
    }
    switch (alignment) {
      case fw::taLeftJustify:
        glyph_.Draw(dc, r.left, r.top, Enabled());
        OffsetRect(&r, cell, 0);
        break;
      case fw::taRightJustify:
        glyph_.Draw(dc, r.right - textWidth - cell, r.top, Enabled());
        break;
      case fw::taCenter:
        glyph_.Draw(dc, r.left + (r.right - r.left) / 2 - (textWidth + cell) / 2, r.top, Enabled());
        OffsetRect(&r, cell / 2, 0);
        break;
    }
  }
  DrawTextIn(c, r, AlignmentFormat(alignment) | DT_NOCLIP);
}

fw::TAlignment TSkinScrollingText::DrawnAlignment() const {
  // A pass across moves the text's left edge: the text keeps to it whichever
  // way it reads.
  if (direction_ == sdLeftToRight || direction_ == sdRightToLeft) return alignment_;
  return ReadingAlignment(alignment_, ReadsRightToLeft(*this));
}

}  // namespace skin
