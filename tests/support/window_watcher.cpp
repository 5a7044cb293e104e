#include "tests/support/window_watcher.h"

namespace fwtest {
namespace {

struct WindowSearch {
  std::wstring className;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectVisibleOfClass(HWND w, LPARAM p) {
  auto* s = reinterpret_cast<WindowSearch*>(p);
  DWORD pid = 0;
  GetWindowThreadProcessId(w, &pid);
  if (pid == GetCurrentProcessId() && IsWindowVisible(w) && ClassOf(w) == s->className) s->found.push_back(w);
  return TRUE;
}

}  // namespace

std::wstring TextOf(HWND window) {
  wchar_t buffer[1024] = {};
  GetWindowTextW(window, buffer, 1024);
  return buffer;
}

std::wstring ClassOf(HWND window) {
  wchar_t buffer[256] = {};
  GetClassNameW(window, buffer, 256);
  return buffer;
}

HWND Focused(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info);
  return info.hwndFocus;
}

std::vector<HWND> VisibleWindowsOfClass(const std::wstring& className) {
  WindowSearch search{className, {}};
  EnumWindows(CollectVisibleOfClass, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring ClipboardText(HWND owner) {
  std::wstring text;
  for (int attempt = 0; attempt < 50 && !OpenClipboard(owner); ++attempt) Sleep(20);
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  return text;
}

WindowWatcher::WindowWatcher(std::wstring className, std::function<void(HWND)> onWindow,
                             std::chrono::milliseconds timeout)
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

WindowWatcher::~WindowWatcher() {
  stop_ = true;
  if (thread_.joinable()) thread_.join();
}

}  // namespace fwtest
