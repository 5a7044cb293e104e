#pragma once
// Binding of window procedures to C++ objects, without code generated at run
// time: every framework window class has BoundWindowProc as its procedure;
// the object being created is handed over in a thread-local slot, picked up
// by the window's first message and kept in a per-thread table (system EDIT
// and COMBOBOX windows use their own extra bytes, so those stay untouched).
#include <windows.h>

#include <string>

namespace fw {

// Anything that owns a window and handles its messages.
class WindowTarget {
 public:
  virtual ~WindowTarget() = default;
  // Runs inside the guard: may throw; the message then answers 0.
  virtual LRESULT WindowMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) = 0;
  // The first message reached the object: wnd is its window from now on.
  virtual void WindowBound(HWND wnd) = 0;
  // After WM_NCDESTROY: the window is gone.
  virtual void WindowGone(HWND wnd) = 0;
};

// The object bound to a window of this thread (null for foreign windows).
WindowTarget* TargetOf(HWND wnd);

// CreateWindowExW with target bound from the very first message.
HWND CreateBoundWindow(WindowTarget* target, DWORD exStyle, const std::wstring& className,
                       const std::wstring& text, DWORD style, int x, int y, int width,
                       int height, HWND parent, HMENU menuOrId);

// Registers className once for this module. With baseClass (L"BUTTON",
// L"EDIT", L"COMBOBOX"...) the class is a superclass of that system class and
// keeps its styles and extra bytes; otherwise a plain class with the given
// style, no background brush and the arrow cursor. Returns the procedure
// that gives the default handling of the class's windows (the system class's
// own procedure, or DefWindowProcW).
WNDPROC RegisterBoundClass(const std::wstring& className, const wchar_t* baseClass,
                           UINT classStyle = CS_DBLCLKS);

// The procedure every framework window class has.
LRESULT CALLBACK BoundWindowProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);

// Live bound windows (for leak tests: windows created and not destroyed).
long LiveBoundWindows();

}  // namespace fw
