#include "controls/wnd_hook.h"

#include <algorithm>

#include "framework/guard.h"
#include "framework/wincontrol.h"

namespace skin {

namespace {
THookList* instance = nullptr;  // user-interface thread only
WPARAM lastSerial = 0;          // likewise
}  // namespace

// ---- THookList

THookList* THookList::Instance() { return instance; }

THookList& THookList::Acquire() {
  if (!instance) instance = new THookList;
  return *instance;
}

THookList::THookList() {
  fw::RegisterBoundClass(L"THookListWindow", nullptr, 0);
  fw::CreateBoundWindow(this, 0, L"THookListWindow", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr);
}

THookList::~THookList() {
  if (wnd_) DestroyWindow(wnd_);
}

bool THookList::Contains(const TWndHook* hook) const {
  return std::find(hooks_.begin(), hooks_.end(), hook) != hooks_.end();
}

TWndHook* THookList::Find(LPARAM hook, WPARAM serial) const {
  for (TWndHook* h : hooks_)
    if (reinterpret_cast<LPARAM>(h) == hook && h->Serial() == serial) return h;
  return nullptr;
}

void THookList::Add(TWndHook* hook) { hooks_.push_back(hook); }

void THookList::Drop(TWndHook* hook) {
  hooks_.erase(std::remove(hooks_.begin(), hooks_.end(), hook), hooks_.end());
  if (hooks_.empty() && instance == this) {
    instance = nullptr;
    delete this;
  }
}

void THookList::RemoveHook(fw::TWinControl*, TWndHook* hook) {
  // The framework's chain relinks the older and newer hooks of the window,
  // whatever the order of removal.
  if (Contains(hook)) hook->Remove(nullptr);
}

LRESULT THookList::WindowMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_HOOKLIST_REMOVE:
      // Sent by the hook itself, which is alive meanwhile. Raised errors go
      // to the application's display, not to the sender.
      fw::GuardedVoid([&] {
        RemoveHook(reinterpret_cast<fw::TWinControl*>(wParam), reinterpret_cast<TWndHook*>(lParam));
      });
      return 0;
    case WM_HOOKLIST_REINSTALL:
      // Posted: the hook may have gone since, and its address been reused.
      fw::GuardedVoid([&] {
        if (TWndHook* live = Find(lParam, wParam)) live->Reinstall();
      });
      return 0;
    default:
      return DefWindowProcW(wnd, msg, wParam, lParam);
  }
}

// ---- TWndHook

TWndHook::TWndHook(fw::TComponent* owner) : fw::TComponent(owner), serial_(++lastSerial) {
  THookList::Acquire().Add(this);
}

TWndHook::~TWndHook() {
  Destroying();
  SetWinControl(nullptr);
  hook_.Remove();
  if (THookList* list = THookList::Instance()) list->Drop(this);
}

HWND TWndHook::Handle() const {
  if (winControl_ && winControl_->HandleAllocated()) return winControl_->Handle();
  return static_cast<HWND>(INVALID_HANDLE_VALUE);
}

void TWndHook::SetActive(bool value) {
  if (value) {
    if (!hook_.Installed()) Install(Handle());
    return;
  }
  if (!active_ && !hook_.Installed()) return;
  if (THookList* list = THookList::Instance())
    SendMessageW(list->Handle(), WM_HOOKLIST_REMOVE, reinterpret_cast<WPARAM>(winControl_),
                 reinterpret_cast<LPARAM>(this));
  else
    Remove(nullptr);
}

void TWndHook::SetWinControl(fw::TWinControl* control) {
  if (control == winControl_) return;
  SetActive(false);
  if (winControl_) winControl_->RemoveFreeNotification(this);
  winControl_ = control;
  if (control) control->FreeNotification(this);
  if (OnChangeWinControl) OnChangeWinControl(this, control);
}

void TWndHook::Install(HWND wnd) {
  if (!wnd || wnd == INVALID_HANDLE_VALUE || !IsWindow(wnd)) return;
  hook_.Remove();  // never twice in one chain
  active_ = true;
  hook_ = fw::WindowHook(wnd, [this](HWND, UINT msg, WPARAM wParam, LPARAM lParam,
                                     const fw::SubclassNext& next) {
    return HookProc(msg, wParam, lParam, next);
  });
  if (!hook_.Installed()) active_ = false;
}

void TWndHook::Release() {
  active_ = false;
  hook_ = fw::WindowHook();
}

void TWndHook::Remove(HWND) {
  hook_.Remove();
  Release();
}

void TWndHook::Reinstall() {
  if (THookList* list = THookList::Instance()) {
    if (!list->Contains(this)) return;
    SendMessageW(list->Handle(), WM_HOOKLIST_REMOVE, reinterpret_cast<WPARAM>(winControl_),
                 reinterpret_cast<LPARAM>(this));
  }
  Install(Handle());
}

void TWndHook::Notification(fw::TComponent* component, fw::TOperation operation) {
  if (operation == fw::opRemove && component == winControl_) SetWinControl(nullptr);
  fw::TComponent::Notification(component, operation);
}

LRESULT TWndHook::HookProc(UINT msg, WPARAM wParam, LPARAM lParam, const fw::SubclassNext& next) {
  fw::TMessage m{msg, wParam, lParam, 0};
  // The message may free this hook (a form that frees itself takes its hooks
  // with it): nothing of the hook is touched once it has gone.
  fw::Lifetime::Watch watch(lifetime_);
  const fw::SubclassNext* outer = next_;
  next_ = &next;
  try {
    HookWndProc(m);
  } catch (...) {
    // Shown by the application; the message keeps the result it had.
    fw::ReportCurrentException(watch.Ended() ? nullptr : this);
  }
  if (!watch.Ended()) next_ = outer;
  return m.Result;
}

void TWndHook::HookWndProc(fw::TMessage& m) {
  THookList* list = THookList::Instance();
  if (m.Msg == WM_DESTROY && list && winControl_ && !winControl_->IsDestroying()) {
    // The window is going; a recreated one gets the hook again once this
    // one has gone (the framework drops the old chain at WM_NCDESTROY).
    PostMessageW(list->Handle(), WM_HOOKLIST_REINSTALL, serial_, reinterpret_cast<LPARAM>(this));
  }
  bool handled = false;
  fw::Lifetime::Watch watch(lifetime_);
  if (OnBeforeMessage) OnBeforeMessage(this, m, handled);
  if (!handled && !watch.Ended()) CallPrevious(m);
  if (watch.Ended()) return;
  list = THookList::Instance();
  if (list && list->Contains(this) && OnAfterMessage) OnAfterMessage(this, m, handled);
}

void TWndHook::CallPrevious(fw::TMessage& m) {
  if (next_) m.Result = (*next_)(m.Msg, m.WParam, m.LParam);
}

}  // namespace skin
