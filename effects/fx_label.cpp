#include "effects/fx_label.h"

#include <optional>

#include "core/exceptions.h"
#include "effects/fx_text3d.h"
#include "framework/accessible.h"
#include "framework/high_contrast.h"
#include "stdctrls/button.h"
#include "graphics/gdi.h"
#include "framework/wincontrol.h"

namespace fx {

// ---------------------------------------------------------------- TFxBaseLabel

TFxBaseLabel::TFxBaseLabel(fw::TComponent* owner) : TFxBaseGraphicControl(owner) {}

void TFxBaseLabel::SetShowAccelChar(bool value) {
  if (value == showAccelChar_) return;
  showAccelChar_ = value;
  Changed();
}

void TFxBaseLabel::SetFocusControl(fw::TWinControl* control) {
  if (control == focusControl_) return;
  if (focusControl_) focusControl_->RemoveFreeNotification(this);
  focusControl_ = control;
  if (focusControl_) focusControl_->FreeNotification(this);
}

void TFxBaseLabel::DescribeAccessible(fw::AccessibleFacts& facts) const {
  TFxBaseGraphicControl::DescribeAccessible(facts);
  const std::wstring caption = GetLabelText();
  facts.role = ROLE_SYSTEM_STATICTEXT;
  if (!facts.name) facts.name = fw::SpokenText(showAccelChar_ ? fw::WithoutAccelerator(caption) : caption);
  if (showAccelChar_ && focusControl_) facts.shortcut = fw::AcceleratorShortcut(caption);
  facts.statesSet |= STATE_SYSTEM_READONLY;
}

void TFxBaseLabel::Loaded() {
  TFxBaseGraphicControl::Loaded();
  Canvas().Font().Assign(Font());
  DoAutoSize();
}

void TFxBaseLabel::Notification(fw::TComponent* component, fw::TOperation operation) {
  if (operation == fw::opRemove && component == focusControl_) focusControl_ = nullptr;
  TFxBaseGraphicControl::Notification(component, operation);
}

bool TFxBaseLabel::NothingToDraw() const { return Transparent() && GetLabelText().empty(); }

void TFxBaseLabel::Changed() {
  DoAutoSize();
  TFxBaseGraphicControl::Changed();
}

void TFxBaseLabel::FontChanged() { Changed(); }

void TFxBaseLabel::CMDialogChar(fw::TMessage& m) {
  if (showAccelChar_ && focusControl_ && Enabled() &&
      fw::IsAccel(static_cast<wchar_t>(m.WParam), GetLabelText()) && focusControl_->CanFocus()) {
    focusControl_->SetFocus();
    m.Result = 1;
    return;
  }
  TFxBaseGraphicControl::CMDialogChar(m);
}

void TFxBaseLabel::CMFontChanged(fw::TMessage&) { FontChanged(); }

void TFxBaseLabel::CMTextChanged(fw::TMessage&) {
  DoAutoSize();
  Changed();
}

// -------------------------------------------------------------- TFxCustomLabel

TFxCustomLabel::TFxCustomLabel(fw::TComponent* owner) : TFxBaseLabel(owner) {
  bevel_.OnChange = [this](fw::TObject*) { Changed(); };
  fontFx_.OnChange = [this](fw::TObject*) { FontFxChanged(); };
}

TFxCustomLabel::~TFxCustomLabel() {
  bevel_.OnChange = nullptr;
  fontFx_.OnChange = nullptr;
}

void TFxCustomLabel::SetAlignment(TFxAlignment value) {
  // Painting looks the alignment up in a table of the nine.
  if (value < agTopLeft || value > agBottomRight) throw core::ERangeError();
  if (value == alignment_) return;
  alignment_ = value;
  Changed();
}

void TFxCustomLabel::SetAutoSize(bool value) {
  if (value == autoSize_) return;
  autoSize_ = value;
  Changed();
}

void TFxCustomLabel::SetMultiLine(bool value) {
  if (value == multiLine_) return;
  multiLine_ = value;
  Changed();
}

void TFxCustomLabel::SetOptions(TFxLabelOptions value) {
  value &= loPathEllipsis | loEndEllipsis | loEditControl;
  if (value == options_) return;
  options_ = value;
  Changed();
}

bool TFxCustomLabel::NothingToDraw() const { return TFxBaseLabel::NothingToDraw() && bevel_.Extent() == 0; }

UINT TFxCustomLabel::BiDiFlags() const {
  fw::TWinControl* parent = Parent();
  if (parent && parent->HandleAllocated() && (GetWindowLongPtrW(parent->Handle(), GWL_EXSTYLE) & WS_EX_RTLREADING))
    return DT_RTLREADING;
  return 0;
}

bool TFxCustomLabel::CanvasFontIsTrueType() {
  fw::MemoryDC screen;
  fw::SelectGuard font(screen, Font().Handle());
  TEXTMETRICW tm{};
  GetTextMetricsW(screen, &tm);
  return (tm.tmPitchAndFamily & TMPF_TRUETYPE) != 0;
}

void TFxCustomLabel::FontChanged() {
  // Only TrueType fonts turn.
  if (fontFx_.Angle() != 0 && !CanvasFontIsTrueType()) fontFx_.SetAngle(0);
  TFxBaseLabel::FontChanged();
}

void TFxCustomLabel::FontFxChanged() {
  if (fontFx_.Angle() != 0 && !CanvasFontIsTrueType()) {
    Font().SetName(L"Arial");  // the font change that follows repaints
    return;
  }
  Changed();
}

void TFxCustomLabel::DoAutoSize() {
  if (!autoSize_ || IsLoading()) return;
  RECT r = ClientRect();
  FxMeasure3DText(GetLabelText(), &fontFx_, r, options_ | BiDiFlags(), bevel_.Extent(), ShowAccelChar(), multiLine_,
                  Font());
  SetBounds(Left(), Top(), r.right - r.left, r.bottom - r.top);
}

void TFxCustomLabel::Paint() {
  if (painting_ || IsLoading()) return;
  if (NothingToDraw()) {
    TFxBaseLabel::Paint();
    return;
  }
  const std::wstring caption = GetLabelText();
  painting_ = true;
  struct Guard {
    bool& flag;
    ~Guard() { flag = false; }
  } guard{painting_};

  fw::TCanvas& canvas = Canvas();
  const bool plain = fw::HighContrast();
  if (!Transparent()) {
    canvas.Brush().SetColor(plain ? fw::clBtnFace : Color());
    canvas.FillRect(ClientRect());
  }
  RECT r = ClientRect();
  unsigned state = Enabled() ? unsigned{kFx3DEnabled} : 0u;
  RECT clip{};
  if (bevel_.Extent() != 0) {
    r = bevel_.Draw(canvas, r, bevel_.BorderColor() == Color() || Transparent());
    // The canvas's origin is the label's corner, so the clip rectangle is
    // the inner rectangle itself.
    clip = r;
    state |= kFx3DClip;
  }
  UINT format = BiDiFlags();
  if (!autoSize_) {
    if (fontFx_.Angle() != 0) {
      format |= DT_SINGLELINE;
      if (alignment_ != agTopLeft) {
        RECT box = r;
        FxMeasure3DText(caption, &fontFx_, box, format, 0, ShowAccelChar(), false, Font());
        r = FxAlignRect(r, box.right - box.left, box.bottom - box.top, alignment_);
      }
    } else if (!multiLine_) {
      format |= DT_SINGLELINE;
    } else if (alignment_ >= agCenterLeft) {
      RECT block{r.left, r.top, r.right - Scaled(1), r.bottom};
      FxMeasure3DText(caption, &fontFx_, block, format, 0, ShowAccelChar(), true, Font());
      r = FxAlignRect(r, block.right - block.left, block.bottom - block.top, alignment_);
    }
  }
  static constexpr UINT kAlignmentFlags[] = {
      0,
      DT_CENTER,
      DT_RIGHT,
      DT_VCENTER,
      DT_CENTER | DT_VCENTER,
      DT_RIGHT | DT_VCENTER,
      DT_BOTTOM,
      DT_BOTTOM | DT_CENTER,
      DT_BOTTOM | DT_RIGHT,
  };
  format |= options_ | kAlignmentFlags[alignment_] | DT_EXPANDTABS | DT_WORDBREAK;
  if (!ShowAccelChar()) format |= DT_NOPREFIX;
  if (plain) {
    // High contrast: the text once, in the system's text colour.
    canvas.Brush().SetStyle(fw::bsClear);
    canvas.Font().SetColor(Enabled() ? fw::clBtnText : fw::clGrayText);
    FxDraw3DText(canvas, caption, nullptr, nullptr, state, format, r);
    return;
  }
  canvas.Brush().SetColor(Color());
  canvas.Font().SetColor(Font().Color());
  FxDraw3DText(canvas, caption, &fontFx_, state & kFx3DClip ? &clip : nullptr, state, format, r);
}

}  // namespace fx
