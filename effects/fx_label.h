#pragma once
// TFxLabel: a windowless caption drawn by its parent, with an optional bevel
// frame, a 3D text effect and nine-way alignment.
//   TFxBaseLabel: caption, accelerator, FocusControl, the notifications.
//   TFxCustomLabel: the settings and the painting.
#include <windows.h>

#include <string>

#include "effects/fx_3d_caption.h"
#include "effects/fx_alignment.h"
#include "effects/fx_base_control.h"
#include "effects/fx_bevel.h"

namespace fw {
class TWinControl;
}

namespace fx {

class TFxBaseLabel : public TFxBaseGraphicControl {
 public:
  explicit TFxBaseLabel(fw::TComponent* owner);
  std::wstring ClassName() const override { return L"TFxBaseLabel"; }

  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool value);
  // Focused by the caption's accelerator key; not owned.
  fw::TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(fw::TWinControl* control);

  void Loaded() override;
  void Notification(fw::TComponent* component, fw::TOperation operation) override;
  // Transparent with an empty caption.
  bool NothingToDraw() const override;
  // Static text named by its caption.
  void DescribeAccessible(fw::AccessibleFacts& facts) const override;

 protected:
  // Lays the label out again, then repaints.
  void Changed() override;
  virtual std::wstring GetLabelText() const { return Caption(); }
  virtual void FontChanged();
  // Fits the bounds to the caption; nothing at this level.
  virtual void DoAutoSize() {}

  void CMDialogChar(fw::TMessage& m) override;
  void CMFontChanged(fw::TMessage& m) override;
  void CMTextChanged(fw::TMessage& m) override;

 private:
  bool showAccelChar_ = true;
  fw::TWinControl* focusControl_ = nullptr;  // not owned
};

// Text format flags added by TFxCustomLabel::Options.
enum TFxLabelOption : unsigned {
  loPathEllipsis = DT_PATH_ELLIPSIS,
  loEndEllipsis = DT_END_ELLIPSIS,
  loEditControl = DT_EDITCONTROL,
};
using TFxLabelOptions = unsigned;

class TFxCustomLabel : public TFxBaseLabel {
 public:
  explicit TFxCustomLabel(fw::TComponent* owner);
  ~TFxCustomLabel() override;
  std::wstring ClassName() const override { return L"TFxCustomLabel"; }

  TFxAlignment Alignment() const { return alignment_; }
  // One of the nine positions; any other value raises core::ERangeError.
  void SetAlignment(TFxAlignment value);
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value);
  bool MultiLine() const { return multiLine_; }
  void SetMultiLine(bool value);
  TFxLabelOptions Options() const { return options_; }
  void SetOptions(TFxLabelOptions value);

  // Owned settings; the setters copy the given object.
  TFxBevel& Bevel() { return bevel_; }
  void SetBevel(const TFxBevel& value) { bevel_.Assign(value); }
  TFxAngleCaption& FontFx() { return fontFx_; }
  void SetFontFx(const TFxAngleCaption& value) { fontFx_.Assign(value); }

  // Transparent, empty caption and no frame.
  bool NothingToDraw() const override;

 protected:
  void Paint() override;
  void FontChanged() override;
  void DoAutoSize() override;

 private:
  // Right-to-left reading flags of the parent window.
  UINT BiDiFlags() const;
  bool CanvasFontIsTrueType();
  void FontFxChanged();

  TFxAlignment alignment_ = agTopLeft;
  bool autoSize_ = true;
  bool multiLine_ = false;
  TFxLabelOptions options_ = 0;
  TFxBevel bevel_;
  TFxAngleCaption fontFx_;
  bool painting_ = false;  // re-entry guard
};

class TFxLabel : public TFxCustomLabel {
 public:
  using TFxCustomLabel::TFxCustomLabel;
  std::wstring ClassName() const override { return L"TFxLabel"; }
};

}  // namespace fx
