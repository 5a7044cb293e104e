#pragma once
// TButton: the system push button, superclassed as "TButton" (or the class
// name of a derived control). Default and Cancel answer Enter and Esc through
// the form's dialog keys; a click copies ModalResult into the form first.
#include "framework/wincontrol.h"

namespace fw {

class TButton : public TWinControl {
 public:
  explicit TButton(TComponent* owner);
  std::wstring ClassName() const override { return L"TButton"; }

  bool Default() const { return default_; }
  void SetDefault(bool value);
  bool Cancel() const { return cancel_; }
  void SetCancel(bool value) { cancel_ = value; }
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult value) { modalResult_ = value; }

  // Copies ModalResult (also 0) into the parent form, then raises OnClick.
  void Click() override;
  // The default look: this button has the focus, or it is the Default
  // button while the focus is on a control that is not a button.
  bool IsDefaultLook() const { return active_; }
  // A push button named by its caption, its accelerator as the shortcut.
  void DescribeAccessible(AccessibleFacts& facts) const override;

 protected:
  // Applies the default look (BS_DEFPUSHBUTTON / BS_PUSHBUTTON); controls
  // that draw themselves override it to store the flag and repaint.
  virtual void SetButtonStyle(bool isDefault);

  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  void CNCommand(TMessage& m) override;
  void CMDialogKey(TMessage& m) override;
  void CMDialogChar(TMessage& m) override;
  void CMFocusChanged(TMessage& m) override;

 private:
  bool default_ = false;
  bool cancel_ = false;
  bool active_ = false;
  TModalResult modalResult_ = mrNone;
};

}  // namespace fw
