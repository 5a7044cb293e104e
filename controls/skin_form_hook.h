#pragma once
// TSkinFormHook: a non-visual component that takes over its form's
// background: on every WM_ERASEBKGND, whatever DC it comes with, it paints
// the effective wallpaper (1:1 or tiled) or a two-colour gradient in the
// form's client coordinates. It can also take the caption bar away, shape the
// form (an ellipse, or only the frame and the controls) and let the form be
// dragged by its client area. It hooks the form through a TWndHook.
#include <windows.h>

#include <memory>

#include "controls/skin_picture.h"
#include "controls/skin_options.h"
#include "controls/wnd_hook.h"
#include "graphics/bitmap.h"
#include "graphics/color.h"
#include "graphics/gdi.h"
#include "framework/component.h"

namespace fw {
class TWinControl;
}

namespace skin {

class TSkinFormHook : public fw::TComponent, public SkinPicture {
 public:
  // The owner (a form) is the target; its window is created here.
  explicit TSkinFormHook(fw::TComponent* owner);
  // Destroyed before its form: the caption and the shape are put back.
  ~TSkinFormHook() override;
  std::wstring ClassName() const override { return L"TSkinFormHook"; }

  TSkinOptions Options() const { return options_; }
  virtual void SetOptions(TSkinOptions value);

  fw::TColor StartColor() const { return startColor_; }
  void SetStartColor(fw::TColor value);
  fw::TColor EndColor() const { return endColor_; }
  void SetEndColor(fw::TColor value);
  TGradientDirection GradientDirection() const { return gradientDirection_; }
  void SetGradientDirection(TGradientDirection value);

  // How far the form's ellipse lies inside the client area; a positive value
  // is stored back negated when the shape is applied.
  int RoundXOffset() const { return roundXOffset_; }
  void SetRoundXOffset(int value) { roundXOffset_ = value; }
  int RoundYOffset() const { return roundYOffset_; }
  void SetRoundYOffset(int value) { roundYOffset_ = value; }

  // The form whose window is hooked (not owned), or null.
  fw::TWinControl* Target() const { return target_; }
  TWndHook& Hook() { return *hook_; }

  void Loaded() override;
  void Notification(fw::TComponent* component, fw::TOperation operation) override;

 private:
  void BeforeMessage(fw::TMessage& m, bool& handled);
  void AfterMessage(fw::TMessage& m);
  void PictureChanged();
  void RepaintTarget();
  bool PaintsBackground() const;
  void ApplyCaption();
  void ApplyEllipticShape();
  void ApplyFrameAndControlsShape();
  void ApplyPlainShape();

  TSkinOptions options_;
  fw::TColor startColor_ = fw::clBlue;
  fw::TColor endColor_ = fw::clBlack;
  TGradientDirection gradientDirection_ = gdVertical;
  int roundXOffset_ = 0;
  int roundYOffset_ = 0;
  fw::TWinControl* target_ = nullptr;  // not owned
  std::unique_ptr<TWndHook> hook_;
};

// Gives the window the shape (SetWindowRgn, redrawing); the window owns the
// region from then on. False when the window refused it: the region is then
// freed.
bool SetWindowShape(HWND wnd, fw::GdiRegion shape);

}  // namespace skin
