#pragma once
// Watches for a top-level window of this process from a second thread while
// the test thread sits in a modal loop (message box, modal form): records
// what the window shows, then acts on it (e.g. presses a button).
#include <windows.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace apptest {

inline std::wstring TextOf(HWND window) {
  wchar_t buffer[1024] = {};
  GetWindowTextW(window, buffer, 1024);
  return buffer;
}

inline std::wstring ClassOf(HWND window) {
  wchar_t buffer[256] = {};
  GetClassNameW(window, buffer, 256);
  return buffer;
}

struct WindowSearch {
  std::wstring className;
  std::vector<HWND> found;
};

inline BOOL CALLBACK CollectVisibleOfClass(HWND w, LPARAM p) {
  auto* s = reinterpret_cast<WindowSearch*>(p);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (pid == GetCurrentProcessId() && IsWindowVisible(w) && ClassOf(w) == s->className) s->found.push_back(w);
  return TRUE;
}

// The visible top-level windows of this process with the given class.
inline std::vector<HWND> VisibleWindowsOfClass(const std::wstring& className) {
  WindowSearch search{className, {}};
  EnumWindows(CollectVisibleOfClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

// Runs `onWindow` on the first visible window of the class once it appears.
class WindowWatcher {
 public:
  WindowWatcher(std::wstring className, std::function<void(HWND)> onWindow,
                std::chrono::milliseconds timeout = std::chrono::seconds(10))
      : thread_([this, className, onWindow, timeout] {
          const auto end = std::chrono::steady_clock::now() + timeout;
          while (!stop_ && std::chrono::steady_clock::now() < end) {
            const auto found = VisibleWindowsOfClass(className);
            if (!found.empty()) {
              Sleep(50);  // let it finish its first paint
              onWindow(found.front());
              seen_ = true;
              return;
            }
            Sleep(20);
          }
        }) {}
  ~WindowWatcher() {
    stop_ = true;
    thread_.join();
  }
  void Join() { thread_.join(); }
  bool Seen() const { return seen_; }

 private:
  std::atomic<bool> stop_{false};
  std::atomic<bool> seen_{false};
  std::thread thread_;
};

}  // namespace apptest
