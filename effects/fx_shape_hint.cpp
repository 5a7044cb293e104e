#include "effects/fx_shape_hint.h"

#include <algorithm>

#include "effects/fx_errors.h"
#include "effects/fx_shape_hint_window.h"
#include "framework/application.h"

namespace fx {
namespace {

TFxShapeHint* activeShapeHint = nullptr;

}  // namespace

TFxShapeHint* FxActiveShapeHint() { return activeShapeHint; }

// ---- TFxCustomHint

TFxCustomHint::TFxCustomHint(fw::TComponent* owner)
    : TFxComponent(owner), font_(std::make_unique<fw::TFont>()), font3D_(std::make_unique<TFx3DCaption>()) {
  font_->SetName(L"MS Sans Serif");
  font_->SetSize(8);
  font_->SetColor(fw::clInfoText);
}

TFxCustomHint::~TFxCustomHint() = default;

void TFxCustomHint::Loaded() {
  TFxComponent::Loaded();
  if (enabled_) SetEnabled(true);
}

void TFxCustomHint::SetEnabled(bool value) {
  enabled_ = value;
  if (IsDesigning()) return;
  fw::TApplication* app = fw::ApplicationInstance();
  fw::SetHintWindowClass(value ? hintWindowClass_ : fw::THintWindowClass::Of<fw::THintWindow>());
  if (!app) return;
  // Off and on again (or on and off): the hint window is made anew.
  fw::THints& hints = app->Hints();
  bool showHint = hints.ShowHint();
  hints.SetShowHint(!showHint);
  hints.SetShowHint(showHint);
}

int TFxCustomHint::TextWidthLimit(int dpi) const {
  int limit = fw::ScaleToDpi(maxWidth_, dpi);
  if (maxWidth_ < 0) limit = GetSystemMetrics(SM_CXSCREEN) / -maxWidth_;
  return std::max(limit, 1);
}

// ---- TFxCustomShapeHint

TFxCustomShapeHint::TFxCustomShapeHint(fw::TComponent* owner)
    : TFxCustomHint(owner), shadow_(std::make_unique<TFxShadow>()) {}

TFxCustomShapeHint::~TFxCustomShapeHint() = default;

// ---- TFxShapeHint

TFxShapeHint::TFxShapeHint(fw::TComponent* owner) : TFxCustomShapeHint(owner) {
  hintWindowClass_ = fw::THintWindowClass::Of<TFxShapeHintWindow>();
  if (IsDesigning() && FxOwnerInvalid(owner, &FxIsA<TFxShapeHint>, true))
    throw FxEOneInstError(oeOwner, ClassName());
}

TFxShapeHint::~TFxShapeHint() {
  Destroying();
  if (activeShapeHint == this) activeShapeHint = nullptr;
}

void TFxShapeHint::SetEnabled(bool value) {
  TFxCustomShapeHint::SetEnabled(value);
  if (IsDesigning()) return;
  if (value) activeShapeHint = this;
  else if (activeShapeHint == this) activeShapeHint = nullptr;
}

}  // namespace fx
