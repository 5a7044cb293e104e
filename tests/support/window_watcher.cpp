#include "tests/support/window_watcher.h"

namespace fwtest {
namespace {

// What EnumWindows and EnumChildWindows look for: windows of a process (any
// process when 0) and a class (any when empty).
struct WindowSearch {
  DWORD processId;
  const std::wstring& className;
  std::vector<HWND> found;
};

BOOL CALLBACK Collect(HWND window, LPARAM param) {
  auto* s = reinterpret_cast<WindowSearch*>(param);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if ((!s->processId || owner == s->processId) && (s->className.empty() || ClassOf(window) == s->className))
    s->found.push_back(window);
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

std::vector<HWND> TopLevelWindows(DWORD processId, const std::wstring& className) {
  WindowSearch search{processId, className, {}};
  EnumWindows(Collect, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> ChildWindows(HWND parent, const std::wstring& className) {
  WindowSearch search{0, className, {}};
  EnumChildWindows(parent, Collect, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::vector<HWND> VisibleWindowsOfClass(const std::wstring& className) {
  std::vector<HWND> visible;
  for (HWND w : TopLevelWindows(GetCurrentProcessId(), className))
    if (IsWindowVisible(w)) visible.push_back(w);
  return visible;
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
