#pragma once
// TCustomEdit / TEdit: the system single-line edit, superclassed under the
// control's class name. OnChange follows every real change of the text (the
// window's EN_CHANGE; for multi-line styles, which send none on WM_SETTEXT,
// the WM_SETTEXT itself, also when another program sends it).
#include "framework/wincontrol.h"

namespace fw {

class TCustomEdit : public TWinControl {
 public:
  explicit TCustomEdit(TComponent* owner);
  std::wstring ClassName() const override { return L"TCustomEdit"; }

  bool ReadOnly() const { return readOnly_; }
  void SetReadOnly(bool value);
  int MaxLength() const { return maxLength_; }
  void SetMaxLength(int value);  // 0: no limit
  bool AutoSelect() const { return autoSelect_; }
  void SetAutoSelect(bool value) { autoSelect_ = value; }
  bool AutoSize() const { return autoSize_; }
  void SetAutoSize(bool value) { autoSize_ = value; }
  TAlignment Alignment() const { return alignment_; }
  void SetAlignment(TAlignment value);
  TBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TBorderStyle value);
  bool HideSelection() const { return hideSelection_; }
  void SetHideSelection(bool value);

  int SelStart();
  void SetSelStart(int value);
  int SelLength();
  void SetSelLength(int value);
  void SelectAll();
  void Clear() { SetText(L""); }
  bool Modified();

  // Editable text whose value is its text; read-only when so set. Its own
  // text never names it: only the name the form gives.
  void DescribeAccessible(AccessibleFacts& facts) const override;

  TNotifyEvent OnChange;

 protected:
  // Raises OnChange (not while the stored description is being applied).
  virtual void Change();

  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void DoEnter() override;
  void CNCommand(TMessage& m) override;
  void CMTextChanged(TMessage& m) override;
  void WMSetText(TMessage& m) override;

 private:
  bool readOnly_ = false;
  int maxLength_ = 0;
  bool autoSelect_ = true;
  bool autoSize_ = true;
  bool hideSelection_ = true;
  TAlignment alignment_ = taLeftJustify;
  TBorderStyle borderStyle_ = bsSingle;
};

class TEdit : public TCustomEdit {
 public:
  using TCustomEdit::TCustomEdit;
  std::wstring ClassName() const override { return L"TEdit"; }
};

}  // namespace fw
