#pragma once
// Window-procedure hooks that chain on one window and can be removed in any
// order. The window's procedure is replaced once (SetWindowLongPtrW) by a
// chain dispatcher; each hook is an entry of the window's chain, newest
// first, and passes messages on with Next(). When the last hook goes, the
// original procedure is put back (unless someone else has subclassed the
// window on top meanwhile, in which case the dispatcher stays and passes
// everything through).
#include <windows.h>

#include <functional>
#include <memory>

namespace fw {

namespace detail {
struct HookNode;
struct HookChain;
}  // namespace detail

// Passes a message on to the next older hook, or to the original procedure.
class SubclassNext {
 public:
  LRESULT operator()(UINT msg, WPARAM wParam, LPARAM lParam) const;
  HWND Window() const { return wnd_; }

 private:
  friend struct detail::HookChain;
  SubclassNext(HWND wnd, std::shared_ptr<detail::HookNode> older, std::shared_ptr<detail::HookChain> chain)
      : wnd_(wnd), older_(std::move(older)), chain_(std::move(chain)) {}
  HWND wnd_;
  std::shared_ptr<detail::HookNode> older_;
  std::shared_ptr<detail::HookChain> chain_;
};

// One hook. Move-only; removes itself on destruction. An exception leaving
// the procedure is handed to the error display and the message answers 0.
class WindowHook {
 public:
  using Proc = std::function<LRESULT(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                     const SubclassNext& next)>;

  WindowHook() = default;
  WindowHook(HWND wnd, Proc proc);
  WindowHook(WindowHook&& other) noexcept;
  WindowHook& operator=(WindowHook&& other) noexcept;
  WindowHook(const WindowHook&) = delete;
  WindowHook& operator=(const WindowHook&) = delete;
  ~WindowHook();

  // True while the hook is in its window's chain (false after Remove and
  // after the window was destroyed).
  bool Installed() const;
  HWND Window() const;
  void Remove();

  // Hooks on a window now (for tests and diagnostics).
  static int HookCount(HWND wnd);
  // Windows with a chain dispatcher installed.
  static int ChainedWindows();

 private:
  std::shared_ptr<detail::HookNode> node_;
};

}  // namespace fw
