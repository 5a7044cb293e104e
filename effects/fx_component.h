#pragma once
// Bases of the effect library's non-visual components, and the owner check
// with which the window-effect components refuse a wrong owner or a second
// copy of themselves on one form.
#include <string>

#include "framework/component.h"

namespace fx {

// A framework component with an update lock and a change event.
class TFxCustomComponent : public fw::TComponent {
 public:
  explicit TFxCustomComponent(fw::TComponent* owner) : fw::TComponent(owner) {}
  std::wstring ClassName() const override { return L"TFxCustomComponent"; }

  void BeginUpdate() { updating_ = true; }
  void EndUpdate(bool notify = true);
  bool Updating() const { return updating_; }

  // Raised by Changed() unless an update is in progress.
  fw::TNotifyEvent OnChange;

 protected:
  void Changed();

 private:
  bool updating_ = false;
};

class TFxComponent : public TFxCustomComponent {
 public:
  explicit TFxComponent(fw::TComponent* owner) : TFxCustomComponent(owner) {}
  std::wstring ClassName() const override { return L"TFxComponent"; }
};

// Is this component of the class in question (or derived from it)?
using FxClassTest = bool (*)(const fw::TComponent*);
template <class T>
bool FxIsA(const fw::TComponent* component) {
  return dynamic_cast<const T*>(component) != nullptr;
}

// True when `owner` is not acceptable: absent or not a form (a data module
// is accepted when acceptDataModule is set; the framework has none), or,
// when isClass is given, it already owns more than one component of that
// class (the one being constructed is already among them).
bool FxOwnerInvalid(const fw::TComponent* owner, FxClassTest isClass, bool acceptDataModule = false);

}  // namespace fx
