#include "effects/fx_component.h"

#include "framework/form.h"

namespace fx {

void TFxCustomComponent::EndUpdate(bool notify) {
  updating_ = false;
  if (notify) Changed();
}

void TFxCustomComponent::Changed() {
  if (!updating_ && OnChange) OnChange(this);
}

bool FxOwnerInvalid(const fw::TComponent* owner, FxClassTest isClass, bool acceptDataModule) {
  // The framework has no data modules, so acceptDataModule cannot help.
  (void)acceptDataModule;
  if (!owner || !dynamic_cast<const fw::TForm*>(owner)) return true;
  if (!isClass) return false;
  int count = 0;
  for (int i = 0; i < owner->ComponentCount(); ++i)
    if (isClass(owner->Components(i)) && ++count > 1) return true;
  return false;
}

}  // namespace fx
