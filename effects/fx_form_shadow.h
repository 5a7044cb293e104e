#pragma once
// TFxFormShadow: an L-shaped drop shadow to the right of and below its form,
// made of two borderless pop-up strips that follow the form's moves, sizes,
// activation and drags, learnt by hooking the form's window procedure.
#include <windows.h>

#include <memory>

#include "effects/fx_shadow.h"
#include "effects/fx_shadow_strip.h"
#include "effects/fx_wndproc_component.h"

namespace fx {

class TFxFormShadow : public TFxWndProcComponent {
 public:
  // Refuses (FxEOneInstError, kind owner) an owner that is not a form, a
  // child-style or MDI child form, and a second TFxFormShadow on one form.
  explicit TFxFormShadow(fw::TComponent* owner);
  ~TFxFormShadow() override;
  std::wstring ClassName() const override { return L"TFxFormShadow"; }

  TFxShadow& Shadow() { return *shadow_; }
  // Copies the given settings into the owned ones.
  void SetShadow(const TFxShadow& value) { shadow_->Assign(value); }
  // Keep the shadow while the form is inactive.
  bool ShowInActive() const { return showInActive_; }
  void SetShowInActive(bool value) { showInActive_ = value; }

  // The strip windows (owned; null before the hook is on and after the
  // form's window is gone).
  HWND RightStrip() const { return right_.Get(); }
  HWND BottomStrip() const { return bottom_.Get(); }
  bool Dragging() const { return dragging_; }

  // True when the shadow must not show: high contrast is on, or the form is
  // minimised, maximised or hidden, or (except for an MDI parent) not the
  // active form.
  bool HideTest() const;

 protected:
  void HookOn() override;
  // Destroys the strips.
  void HookOff() override;
  void WndProc(fw::TMessage& m) override;

 private:
  void ShowStrips(int command);
  void ShowByHideTest() { ShowStrips(HideTest() ? SW_HIDE : SW_SHOWNOACTIVATE); }
  void Reposition();
  // The shadow's depth in device pixels, at the form's DPI.
  int Depth() const;
  // Where the strips belong beside the form's window rectangle w.
  RECT RightRect(const RECT& w) const;
  RECT BottomRect(const RECT& w) const;
  // Both strips shown exactly where they belong: moving them would change nothing.
  bool StripsInPlace() const;
  void ShadowChanged();
  HWND FormWindow() const;

  std::unique_ptr<TFxShadow> shadow_;
  bool showInActive_ = true;
  ShadowStrip right_;
  ShadowStrip bottom_;
  bool dragging_ = false;
};

}  // namespace fx
