#pragma once
// TCustomLabel / TLabel: text without a window, painted by the parent:
// auto-size, alignment, vertical layout, word wrap, transparency, and the
// accelerator that focuses FocusControl.
#include "framework/control.h"

namespace fw {

class TWinControl;

enum TTextLayout { tlTop, tlCenter, tlBottom };

class TCustomLabel : public TGraphicControl {
 public:
  explicit TCustomLabel(TComponent* owner);
  std::wstring ClassName() const override { return L"TCustomLabel"; }

  bool AutoSize() const { return autoSize_; }
  virtual void SetAutoSize(bool value);
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  TTextLayout Layout() const { return layout_; }
  void SetLayout(TTextLayout value);
  bool Transparent() const { return transparent_; }
  void SetTransparent(bool value);
  bool WordWrap() const { return wordWrap_; }
  void SetWordWrap(bool value);
  bool ShowAccelChar() const { return showAccelChar_; }
  void SetShowAccelChar(bool value);
  TWinControl* FocusControl() const { return focusControl_; }
  void SetFocusControl(TWinControl* control);

  void Loaded() override;
  void Notification(TComponent* component, TOperation operation) override;
  // Static text named by its caption.
  void DescribeAccessible(AccessibleFacts& facts) const override;

 protected:
  // Fits the bounds to the text (when AutoSize and not loading).
  virtual void AdjustBounds();
  // Draws (or with DT_CALCRECT measures) the caption on Canvas() in rect.
  virtual void DoDrawText(RECT& rect, UINT flags);
  virtual std::wstring GetLabelText() const { return Caption(); }
  void Paint() override;

  void CMTextChanged(TMessage& m) override;
  void CMFontChanged(TMessage& m) override;
  void CMDialogChar(TMessage& m) override;

 private:
  bool autoSize_ = true;
  TAlignment alignment_ = taLeftJustify;
  TTextLayout layout_ = tlTop;
  bool transparent_ = false;
  bool wordWrap_ = false;
  bool showAccelChar_ = true;
  TWinControl* focusControl_ = nullptr;
};

class TLabel : public TCustomLabel {
 public:
  using TCustomLabel::TCustomLabel;
  std::wstring ClassName() const override { return L"TLabel"; }
};

}  // namespace fw
