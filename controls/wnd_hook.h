#pragma once
// TWndHook: a reusable hook on a windowed control's window procedure, with
// events before and after the previous procedure. THookList: the one
// process-wide list of hooks in creation order, with a hidden message window
// that removes hooks (sent) and installs them again after their window was
// recreated (posted at WM_DESTROY). The hooks sit in the framework's
// window-procedure chain, so several of them, and other effects, may share one
// window and be removed in any order.
#include <windows.h>

#include <functional>
#include <vector>

#include "framework/component.h"
#include "framework/lifetime.h"
#include "framework/messages.h"
#include "framework/subclass.h"
#include "framework/window_binding.h"

namespace fw {
class TWinControl;
}

namespace skin {

// Messages of the hook list's window.
constexpr UINT WM_HOOKLIST_REMOVE = 0x52D;     // wParam control, lParam hook (sent)
constexpr UINT WM_HOOKLIST_REINSTALL = 0x52E;  // wParam the hook's serial, lParam hook (posted)

using TWinMessageEvent = std::function<void(fw::TObject* sender, fw::TMessage& msg, bool& handled)>;
using TChangeWinControlEvent = std::function<void(fw::TObject* sender, fw::TWinControl* control)>;

class THookList;

class TWndHook : public fw::TComponent {
 public:
  explicit TWndHook(fw::TComponent* owner);
  // Detaches the control (removing the hook) and leaves the hook list.
  ~TWndHook() override;
  std::wstring ClassName() const override { return L"TWndHook"; }

  // True while installed. Setting it installs the hook when the control's
  // window exists (else it stays false); clearing it removes the hook.
  bool Active() const { return active_; }
  void SetActive(bool value);
  // The hooked control (not owned). Changing it removes the hook from the
  // old control and raises OnChangeWinControl; it does not install.
  fw::TWinControl* WinControl() const { return winControl_; }
  void SetWinControl(fw::TWinControl* control);
  // The control's window, or INVALID_HANDLE_VALUE when it has none.
  HWND Handle() const;
  // Tells this hook from any made before or after it, also one made later
  // at the same address: a posted request names the hook by both.
  WPARAM Serial() const { return serial_; }

  TWinMessageEvent OnBeforeMessage;
  TWinMessageEvent OnAfterMessage;
  TChangeWinControlEvent OnChangeWinControl;

  // Hooks the window (nothing for INVALID_HANDLE_VALUE or no window).
  virtual void Install(HWND wnd);
  // Forgets the hook without touching any window: Active false.
  virtual void Release();
  // Takes the hook out of the window's chain, then releases.
  virtual void Remove(HWND wnd);
  // Removes the hook through the hook list, then installs it on the
  // control's current window.
  virtual void Reinstall();

  void Notification(fw::TComponent* component, fw::TOperation operation) override;

 protected:
  // Every message of the hooked window: OnBeforeMessage, the previous
  // procedure unless handled, then OnAfterMessage.
  virtual void HookWndProc(fw::TMessage& msg);
  // The previous procedure (the next older hook or the window's own); only
  // valid inside HookWndProc.
  void CallPrevious(fw::TMessage& msg);

 private:
  LRESULT HookProc(UINT msg, WPARAM wParam, LPARAM lParam, const fw::SubclassNext& next);

  const WPARAM serial_;
  bool active_ = false;
  fw::TWinControl* winControl_ = nullptr;  // not owned
  fw::WindowHook hook_;
  const fw::SubclassNext* next_ = nullptr;  // the running call's, not owned
  fw::Lifetime lifetime_;
};

// The process-wide list of hooks; exists while any hook does.
class THookList : public fw::WindowTarget {
 public:
  // The list, or null when no hook exists.
  static THookList* Instance();
  HWND Handle() const { return wnd_; }
  int Count() const { return static_cast<int>(hooks_.size()); }
  bool Contains(const TWndHook* hook) const;
  // The listed hook at `hook` if it is the one with that serial, else null:
  // a request posted for a hook that has gone since is dropped.
  TWndHook* Find(LPARAM hook, WPARAM serial) const;

 private:
  friend class TWndHook;
  THookList();
  ~THookList() override;
  THookList(const THookList&) = delete;
  THookList& operator=(const THookList&) = delete;
  static THookList& Acquire();  // made with the first hook
  void Add(TWndHook* hook);
  void Drop(TWndHook* hook);    // destroys the list with its last hook
  void RemoveHook(fw::TWinControl* control, TWndHook* hook);

  LRESULT WindowMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
  void WindowBound(HWND wnd) override { wnd_ = wnd; }
  void WindowGone(HWND) override { wnd_ = nullptr; }

  HWND wnd_ = nullptr;
  std::vector<TWndHook*> hooks_;  // creation order, not owned
};

}  // namespace skin
