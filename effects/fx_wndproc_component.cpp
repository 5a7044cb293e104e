#include "effects/fx_wndproc_component.h"

#include "core/exceptions.h"
#include "framework/form.h"

namespace fx {

TFxWndProcComponent::TFxWndProcComponent(fw::TComponent* owner) : TFxComponent(owner) {
  if (fw::TForm* form = OwnerForm()) {
    if (form->FormStyle() == fw::fsMDIChild) ownerKind_ = okMDIChild;
    else if (form->FormStyle() == fw::fsMDIForm) ownerKind_ = okMDIParent;
  }
}

TFxWndProcComponent::~TFxWndProcComponent() { RemoveHook(); }

void TFxWndProcComponent::Loaded() {
  TFxComponent::Loaded();
  if (!IsDesigning()) HookOn();
}

fw::TForm* TFxWndProcComponent::OwnerForm() const { return dynamic_cast<fw::TForm*>(Owner()); }

HWND TFxWndProcComponent::TargetWindow() const {
  fw::TForm* form = OwnerForm();
  if (!form) return nullptr;
  try {
    HWND own = form->Handle();
    if (ownerKind_ == okMDIParent && !useOwnWindow_) return FindWindowExW(own, nullptr, L"MDICLIENT", nullptr);
    return own;
  } catch (const std::exception&) {
    return nullptr;
  }
}

HWND TFxWndProcComponent::ExistingTargetWindow() const {
  if (hook_.Installed()) return hook_.Window();
  fw::TForm* form = OwnerForm();
  if (!form || !form->HandleAllocated()) return nullptr;
  return TargetWindow();
}

void TFxWndProcComponent::HookOn() {
  if (enabled_) InstallHook();
}

void TFxWndProcComponent::InstallHook() {
  if (hook_.Installed() || IsDesigning()) return;
  try {
    HWND target = TargetWindow();
    if (!target) return;
    windowGone_ = false;
    hook_ = fw::WindowHook(target, [this](HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                          const fw::SubclassNext& next) {
      return HookProc(wnd, msg, wParam, lParam, next);
    });
  } catch (const core::Exception&) {
    // The form then simply goes without the effect.
    RemoveHook();
  }
}

void TFxWndProcComponent::RemoveHook() {
  hook_.Remove();
  windowGone_ = false;
}

LRESULT TFxWndProcComponent::HookProc(HWND, UINT msg, WPARAM wParam, LPARAM lParam,
                                      const fw::SubclassNext& next) {
  // After WM_DESTROY the form's own clean-up (WM_NCDESTROY) must still run.
  if (windowGone_) return next(msg, wParam, lParam);
  fw::TMessage m{msg, wParam, lParam, 0};
  const fw::SubclassNext* outer = next_;
  next_ = &next;
  struct Restore {
    const fw::SubclassNext*& slot;
    const fw::SubclassNext* value;
    ~Restore() { slot = value; }
  } restore{next_, outer};
  WndProc(m);
  return m.Result;
}

void TFxWndProcComponent::WndProc(fw::TMessage& m) {
  if (m.Msg == WM_DESTROY) {
    windowGone_ = true;
    // An MDI child's hook goes at once; the message still reaches the form.
    if (ownerKind_ == okMDIChild) {
      const fw::SubclassNext* next = next_;
      hook_.Remove();
      if (next) m.Result = (*next)(m.Msg, m.WParam, m.LParam);
      return;
    }
  }
  Forward(m);
}

void TFxWndProcComponent::Forward(fw::TMessage& m) {
  if (next_) m.Result = (*next_)(m.Msg, m.WParam, m.LParam);
}

}  // namespace fx
