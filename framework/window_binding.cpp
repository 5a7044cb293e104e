#include "framework/window_binding.h"

#include <map>
#include <unordered_map>

#include "framework/guard.h"
#include "framework/startup_trace.h"

namespace fw {
namespace {

thread_local WindowTarget* creating = nullptr;
// The objects bound to this thread's windows. Looked up on every message, so
// it stays in process: a window property costs a round trip to the window
// server under Wine, and another process's property would be meaningless.
thread_local std::unordered_map<HWND, WindowTarget*> bound;
long liveWindows = 0;

struct ClassInfo {
  WNDPROC defaultProc;
};
// Window classes registered by this module; UI thread only.
std::map<std::wstring, ClassInfo>& Classes() {
  static std::map<std::wstring, ClassInfo> classes;
  return classes;
}

WNDPROC DefaultProcOf(HWND wnd) {
  wchar_t name[256];
  if (GetClassNameW(wnd, name, 256) > 0) {
    auto it = Classes().find(name);
    if (it != Classes().end()) return it->second.defaultProc;
  }
  return DefWindowProcW;
}

}  // namespace

WindowTarget* TargetOf(HWND wnd) {
  if (!wnd) return nullptr;
  auto it = bound.find(wnd);
  return it == bound.end() ? nullptr : it->second;
}

long LiveBoundWindows() { return liveWindows; }

HWND CreateBoundWindow(WindowTarget* target, DWORD exStyle, const std::wstring& className,
                       const std::wstring& text, DWORD style, int x, int y, int width,
                       int height, HWND parent, HMENU menuOrId) {
  WindowTarget* saved = creating;
  creating = target;
  HWND wnd = CreateWindowExW(exStyle, className.c_str(), text.c_str(), style, x, y, width, height,
                             parent, menuOrId, GetModuleHandleW(nullptr), nullptr);
  creating = saved;
  return wnd;
}

WNDPROC RegisterBoundClass(const std::wstring& className, const wchar_t* baseClass,
                           UINT classStyle) {
  auto& classes = Classes();
  auto it = classes.find(className);
  if (it != classes.end()) return it->second.defaultProc;

  HINSTANCE module = GetModuleHandleW(nullptr);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  WNDPROC defaultProc = DefWindowProcW;
  if (baseClass) {
    if (!GetClassInfoExW(nullptr, baseClass, &wc)) return nullptr;
    defaultProc = wc.lpfnWndProc;
    wc.style &= ~CS_GLOBALCLASS;
  } else {
    wc.style = classStyle;
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = nullptr;  // the control erases itself
  }
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = BoundWindowProc;
  wc.hInstance = module;
  wc.lpszClassName = className.c_str();
  wc.lpszMenuName = nullptr;
  if (!RegisterClassExW(&wc)) {
    // Registered before (e.g. by another copy of this code in the module).
    WNDCLASSEXW existing{};
    existing.cbSize = sizeof existing;
    if (!GetClassInfoExW(module, className.c_str(), &existing)) return nullptr;
  }
  classes.emplace(className, ClassInfo{defaultProc});
  if (trace::On()) trace::Mark(L"class registered", className.c_str());
  return defaultProc;
}

LRESULT CALLBACK BoundWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  WindowTarget* target = TargetOf(wnd);
  if (!target && creating) {
    target = creating;
    creating = nullptr;
    bound[wnd] = target;
    ++liveWindows;
    target->WindowBound(wnd);
  }
  if (!target) return CallWindowProcW(DefaultProcOf(wnd), wnd, msg, wParam, lParam);

  LRESULT result = Guarded([&] { return target->WindowMessage(wnd, msg, wParam, lParam); },
                           LRESULT{0});
  if (msg == WM_NCDESTROY) {
    bound.erase(wnd);
    --liveWindows;
    target->WindowGone(wnd);
  }
  return result;
}

}  // namespace fw
