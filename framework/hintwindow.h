#pragma once
// THintWindow: the base class of hint windows. The application keeps the
// class to use (TApplication::SetHintWindowClass); when and where hints
// appear is decided elsewhere.
#include <string>

#include "framework/wincontrol.h"

namespace fw {

class THintWindow : public TCustomControl {
 public:
  explicit THintWindow(TComponent* owner);
  std::wstring ClassName() const override { return L"THintWindow"; }

  // The size the hint needs for text, at most maxWidth wide (screen pixels).
  virtual RECT CalcHintRect(int maxWidth, const std::wstring& hint);
  // Shows the hint with its window at rect (screen coordinates).
  virtual void ActivateHint(const RECT& rect, const std::wstring& hint);
  // Hides the window (it stays for the next hint).
  virtual void ReleaseHint();

 protected:
  void CreateParams(TCreateParams& params) override;
  void Paint() override;
  void WMNCHitTest(TMessage& m) override { m.Result = HTTRANSPARENT; }
};

}  // namespace fw
