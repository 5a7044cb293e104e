#pragma once
// TFxWndProcComponent: a non-visual component that hooks its owner form's
// window procedure (through the framework's hook chain, so several hooks on
// one window can come and go in any order) and sees every message first.
#include <windows.h>

#include "effects/fx_component.h"
#include "framework/messages.h"
#include "framework/subclass.h"

namespace fw {
class TForm;
}

namespace fx {

enum TFxOwnerKind { okNormal, okMDIChild, okMDIParent };

class TFxWndProcComponent : public TFxComponent {
 public:
  explicit TFxWndProcComponent(fw::TComponent* owner);
  // Removes the hook.
  ~TFxWndProcComponent() override;
  std::wstring ClassName() const override { return L"TFxWndProcComponent"; }

  // The framework's after-load step, then hook-on (not in a design tool).
  void Loaded() override;

  bool Enabled() const { return enabled_; }
  TFxOwnerKind OwnerKind() const { return ownerKind_; }
  // An MDI parent form is hooked on its own window instead of its MDI client.
  bool UseOwnWindow() const { return useOwnWindow_; }
  void SetUseOwnWindow(bool value) { useOwnWindow_ = value; }
  bool Hooked() const { return hook_.Installed(); }
  // Set when the hooked window got WM_DESTROY; from then on the component
  // only passes messages on.
  bool WindowGone() const { return windowGone_; }

  // The window to hook: none without an owner form; the MDI client window of
  // an MDI parent form unless UseOwnWindow; else the form's own window,
  // created when it does not exist yet. Failures give none.
  HWND TargetWindow() const;
  // The same without creating anything: the hooked window, else the form's
  // window if it exists.
  HWND ExistingTargetWindow() const;

 protected:
  // Installs the hook when Enabled and none is installed yet.
  virtual void HookOn();
  virtual void HookOff() {}
  // Every message of the hooked window while the component acts; the base
  // marks WM_DESTROY and forwards. Overrides call Forward (or this) to pass
  // a message on and may act before and after.
  virtual void WndProc(fw::TMessage& m);
  // Passes the message to the procedure that was in place before the hook
  // and stores its result. Only valid inside WndProc.
  void Forward(fw::TMessage& m);

  void InstallHook();
  void RemoveHook();

  fw::TForm* OwnerForm() const;

  bool enabled_ = true;

 private:
  LRESULT HookProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam, const fw::SubclassNext& next);

  TFxOwnerKind ownerKind_ = okNormal;
  bool useOwnWindow_ = false;
  bool windowGone_ = false;
  fw::WindowHook hook_;
  const fw::SubclassNext* next_ = nullptr;  // the running call's, not owned
};

}  // namespace fx
