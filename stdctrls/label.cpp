#include "stdctrls/label.h"

#include "framework/accessible.h"
#include "framework/high_contrast.h"
#include "graphics/gdi.h"
#include "framework/wincontrol.h"

namespace fw {

TCustomLabel::TCustomLabel(TComponent* owner) : TGraphicControl(owner) {
  SetControlStyle(ControlStyle() | csOpaque | csReplicatable);
  SetBounds(0, 0, 65, 17);
}

void TCustomLabel::SetAutoSize(bool value) {
  if (autoSize_ == value) return;
  autoSize_ = value;
  AdjustBounds();
}

void TCustomLabel::SetAlignment(TAlignment value) {
  if (alignment_ == value) return;
  alignment_ = value;
  Invalidate();
}

void TCustomLabel::SetLayout(TTextLayout value) {
  if (layout_ == value) return;
  layout_ = value;
  Invalidate();
}

void TCustomLabel::SetTransparent(bool value) {
  if (transparent_ == value) return;
  transparent_ = value;
  if (value) SetControlStyle(ControlStyle() & ~csOpaque);
  else SetControlStyle(ControlStyle() | csOpaque);
  Invalidate();
}

void TCustomLabel::SetWordWrap(bool value) {
  if (wordWrap_ == value) return;
  wordWrap_ = value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetShowAccelChar(bool value) {
  if (showAccelChar_ == value) return;
  showAccelChar_ = value;
  AdjustBounds();
  Invalidate();
}

void TCustomLabel::SetFocusControl(TWinControl* control) {
  if (focusControl_) focusControl_->RemoveFreeNotification(this);
  focusControl_ = control;
  if (control) control->FreeNotification(this);
}

void TCustomLabel::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove && component == focusControl_) focusControl_ = nullptr;
  TGraphicControl::Notification(component, operation);
}

void TCustomLabel::DescribeAccessible(AccessibleFacts& facts) const {
  TGraphicControl::DescribeAccessible(facts);
  const std::wstring caption = GetLabelText();
  facts.role = ROLE_SYSTEM_STATICTEXT;
  if (!facts.name) facts.name = SpokenText(showAccelChar_ ? WithoutAccelerator(caption) : caption);
  if (showAccelChar_ && focusControl_) facts.shortcut = AcceleratorShortcut(caption);
  facts.statesSet |= STATE_SYSTEM_READONLY;
}

void TCustomLabel::Loaded() {
  TGraphicControl::Loaded();
  AdjustBounds();
}

void TCustomLabel::DoDrawText(RECT& rect, UINT flags) {
  std::wstring text = GetLabelText();
  if ((flags & DT_CALCRECT) && (text.empty() || (showAccelChar_ && text == L"&"))) text += L' ';
  if (!showAccelChar_) flags |= DT_NOPREFIX;
  TCanvas& c = Canvas();
  c.Font().Assign(Font());
  if (HighContrast()) {
    // The system's text colour, whatever the label's own.
    c.Font().SetColor(Enabled() ? clBtnText : clGrayText);
    c.DrawText(text, rect, flags);
  } else if (!Enabled()) {
    RECT shifted = rect;
    OffsetRect(&shifted, Scaled(1), Scaled(1));
    c.Font().SetColor(clBtnHighlight);
    c.DrawText(text, shifted, flags);
    c.Font().SetColor(clBtnShadow);
    c.DrawText(text, rect, flags);
  } else {
    c.DrawText(text, rect, flags);
  }
}

void TCustomLabel::Paint() {
  static const UINT alignments[] = {DT_LEFT, DT_RIGHT, DT_CENTER};
  RECT r = ClientRect();
  TCanvas& c = Canvas();
  if (!transparent_) {
    c.Brush().SetColor(HighContrast() ? clBtnFace : Color());
    c.FillRect(r);
  }
  c.Brush().SetStyle(bsClear);
  UINT flags = DT_EXPANDTABS | (wordWrap_ ? DT_WORDBREAK : 0) | alignments[alignment_];
  if (layout_ != tlTop) {
    RECT calc = r;
    DoDrawText(calc, flags | DT_CALCRECT);
    int h = calc.bottom - calc.top;
    if (layout_ == tlBottom) r.top = r.bottom - h;
    else r.top = (r.bottom - r.top - h) / 2;
    r.bottom = r.top + h;
  }
  DoDrawText(r, flags);
}

void TCustomLabel::AdjustBounds() {
  if (IsLoading() || !autoSize_) return;
  RECT r{0, 0, wordWrap_ ? Width() : 0, 0};
  bool attached = Canvas().HandleAllocated();
  std::unique_ptr<MemoryDC> screen;
  if (!attached) {
    screen = std::make_unique<MemoryDC>();
    Canvas().Attach(screen->Get());
  }
  DoDrawText(r, DT_EXPANDTABS | DT_CALCRECT | (wordWrap_ ? DT_WORDBREAK : 0));
  if (!attached) Canvas().Detach();
  int x = Left();
  int w = r.right - r.left;
  if (alignment_ == taRightJustify) x += Width() - w;
  SetBounds(x, Top(), w, r.bottom - r.top);
}

void TCustomLabel::CMTextChanged(TMessage& m) {
  TGraphicControl::CMTextChanged(m);
  AdjustBounds();
}

void TCustomLabel::CMFontChanged(TMessage& m) {
  TGraphicControl::CMFontChanged(m);
  AdjustBounds();
}

void TCustomLabel::CMDialogChar(TMessage& m) {
  if (focusControl_ && Enabled() && showAccelChar_ &&
      IsAccel(static_cast<wchar_t>(m.WParam), Caption()) && focusControl_->CanFocus()) {
    focusControl_->SetFocus();
    m.Result = 1;
    return;
  }
  TGraphicControl::CMDialogChar(m);
}

}  // namespace fw
