#pragma once
// TFxShapeHintWindow: the balloon hint window. A plain rectangular pop-up
// without border or region: before it shows, the screen under it is
// captured, the balloon (shadow, body with its nose, raised text) is drawn
// onto that picture off screen, and the result is copied into the window in
// one step, so the corners look transparent. Without an active shape hint
// it behaves as the plain hint window.
#include <memory>
#include <string>

#include "effects/fx_shape_hint.h"
#include "graphics/gdi.h"
#include "framework/hintwindow.h"

namespace fx {

class TFxShapeHintWindow : public fw::THintWindow {
 public:
  explicit TFxShapeHintWindow(fw::TComponent* owner);
  ~TFxShapeHintWindow() override;
  std::wstring ClassName() const override { return L"TFxShapeHintWindow"; }

  // rect (-1 right and bottom) gives the anchor point at its top-left;
  // otherwise the balloon points at the cursor.
  void ActivateHint(const RECT& rect, const std::wstring& hint) override;

  // The settings drawn with (the active shape hint when activated; not
  // owned, and forgotten when it is destroyed).
  TFxCustomShapeHint* HintComponent() const { return hint_; }
  void SetHintComponent(TFxCustomShapeHint* hint);
  void Notification(fw::TComponent* component, fw::TOperation operation) override;

  // The balloon's measures (nose, margins, corners, shadow depth) are
  // design lengths, drawn at the window's DPI, which the hints set to that
  // of the monitor the balloon shows on.
  // Grows a text rectangle at (0, 0) to the window size its shape needs.
  virtual void GrowToShape(RECT& rect) const;
  // Draws shadow and body for the position onto a canvas of the window's
  // size, and moves textRect to its place inside the body.
  virtual void DrawShape(fw::TCanvas& canvas, int width, int height, TFxHintPosition position,
                         RECT& textRect) const;
  // DrawShape, then the text in the hint's font and 3D look.
  void Compose(fw::TCanvas& canvas, int width, int height, TFxHintPosition position, RECT textRect,
               const std::wstring& hint) const;

  // The window's top-left corner for a balloon of `size` pointing at
  // `anchor`: the preferred position if it fits on `screen`, else the next
  // ones in turn (position tells which was taken). When none fits, the last
  // tried is used.
  // The distances from the anchor are design lengths, at dpi.
  static POINT Place(POINT anchor, SIZE size, TFxHintPosition& position, const RECT& screen,
                     int dpi = fw::kDesignDpi);

 protected:
  void CreateParams(fw::TCreateParams& params) override;
  void Paint() override;
  void WMEraseBkgnd(fw::TMessage& m) override { m.Result = 1; }

 private:
  // The hint's shadow depth at the window's DPI.
  int ShadowDepth() const;

  TFxCustomShapeHint* hint_ = nullptr;
  // What the screen showed under the balloon now shown, kept so that a
  // balloon shown over it at once does not take it into its own picture.
  std::unique_ptr<fw::OffscreenBuffer> background_;
  RECT backgroundRect_{};
};

}  // namespace fx
