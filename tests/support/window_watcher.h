#pragma once
// Windows seen from outside the code under test: their text and class, the
// focused one of a window's thread, the top-level ones of a process and the
// children of a window, a watcher that acts on a window of this process from
// a second thread while the test thread sits in a modal loop (message box,
// modal form), and the text a window copied to the clipboard.
#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace fwtest {

std::wstring TextOf(HWND window);
std::wstring ClassOf(HWND window);
// The window with the keyboard focus in `window`'s thread, or null.
HWND Focused(HWND window);
// Top-level windows of a process, optionally only those of one class.
std::vector<HWND> TopLevelWindows(DWORD processId, const std::wstring& className = L"");
// Direct and indirect children of a window, optionally only those of one class.
std::vector<HWND> ChildWindows(HWND parent, const std::wstring& className = L"");
// The visible top-level windows of this process with the given class.
std::vector<HWND> VisibleWindowsOfClass(const std::wstring& className);
// The clipboard's text (opened for `owner`, waiting a moment if another has it).
std::wstring ClipboardText(HWND owner = nullptr);

// Runs `onWindow` on the first visible window of the class once it appears.
class WindowWatcher {
 public:
  WindowWatcher(std::wstring className, std::function<void(HWND)> onWindow,
                std::chrono::milliseconds timeout = std::chrono::seconds(10));
  ~WindowWatcher();
  WindowWatcher(const WindowWatcher&) = delete;
  WindowWatcher& operator=(const WindowWatcher&) = delete;
  void Join() { thread_.join(); }
  bool Seen() const { return seen_; }

 private:
  std::atomic<bool> stop_{false};
  std::atomic<bool> seen_{false};
  std::thread thread_;
};

}  // namespace fwtest
