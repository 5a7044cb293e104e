#include "tests/e2e/process_driver.h"

#include <thread>

namespace e2e {

bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (done()) return true;
    if (std::chrono::steady_clock::now() >= deadline) return false;
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&msg);
      DispatchMessageW(&msg);
    }
    std::this_thread::sleep_for(10ms);
  }
}

std::wstring WindowsPath(const std::string& unixPath) {
  std::wstring out = L"Z:";
  for (char c : unixPath) out += (c == '/') ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
  return out;
}

std::wstring WindowText(HWND window) {
  // WM_GETTEXT through a timeout so a blocked target cannot hang the test.
  DWORD_PTR length = 0;
  if (!SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG, 5000, &length)) return L"";
  std::wstring text(length + 1, L'\0');
  DWORD_PTR copied = 0;
  SendMessageTimeoutW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()), SMTO_ABORTIFHUNG,
                      5000, &copied);
  text.resize(copied);
  return text;
}

namespace {
constexpr wchar_t kDesktopKey[] = L"Control Panel\\Desktop";
constexpr wchar_t kLogPixels[] = L"LogPixels";
}  // namespace

ScopedDisplayDpi::ScopedDisplayDpi(DWORD dpi) {
  DWORD size = sizeof old_;
  had_ = RegGetValueW(HKEY_CURRENT_USER, kDesktopKey, kLogPixels, RRF_RT_REG_DWORD, nullptr, &old_, &size) ==
         ERROR_SUCCESS;
  set_ = RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, kLogPixels, REG_DWORD, &dpi, sizeof dpi) == ERROR_SUCCESS;
}

ScopedDisplayDpi::~ScopedDisplayDpi() {
  if (had_) RegSetKeyValueW(HKEY_CURRENT_USER, kDesktopKey, kLogPixels, REG_DWORD, &old_, sizeof old_);
  else RegDeleteKeyValueW(HKEY_CURRENT_USER, kDesktopKey, kLogPixels);
}

ChildProcess::~ChildProcess() {
  if (Running()) Kill();
  if (process_) CloseHandle(process_);
}

bool ChildProcess::Start(const std::wstring& exe, const std::wstring& arguments) {
  std::wstring commandLine = L"\"" + exe + L"\"";
  if (!arguments.empty()) commandLine += L" " + arguments;
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info))
    return false;
  CloseHandle(info.hThread);
  process_ = info.hProcess;
  processId_ = info.dwProcessId;
  return true;
}

bool ChildProcess::Running() const {
  return process_ && WaitForSingleObject(process_, 0) == WAIT_TIMEOUT;
}

long ChildProcess::WaitForExit(std::chrono::milliseconds timeout) {
  if (!process_) return -1;
  if (WaitForSingleObject(process_, static_cast<DWORD>(timeout.count())) != WAIT_OBJECT_0) return -1;
  DWORD code = 0;
  GetExitCodeProcess(process_, &code);
  return static_cast<long>(code);
}

void ChildProcess::Kill() {
  if (!process_) return;
  TerminateProcess(process_, 99);
  WaitForSingleObject(process_, 5000);
}

HWND ChildProcess::WaitForWindow(const std::wstring& className, std::chrono::milliseconds timeout) {
  HWND found = nullptr;
  WaitFor(
      [&] {
        for (HWND w : TopLevelWindows(processId_, className))
          if (IsWindowVisible(w)) {
            found = w;
            return true;
          }
        return !Running();
      },
      timeout);
  if (found) WaitIdle(found);
  return found;
}

LRESULT SendWithTimeout(HWND window, UINT message, WPARAM wParam, LPARAM lParam, std::chrono::milliseconds timeout) {
  DWORD_PTR result = 0;
  SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, static_cast<UINT>(timeout.count()), &result);
  return static_cast<LRESULT>(result);
}

bool WaitIdle(HWND window, std::chrono::milliseconds timeout) {
  DWORD threadProcess = 0;
  GetWindowThreadProcessId(window, &threadProcess);
  HANDLE process = OpenProcess(SYNCHRONIZE | PROCESS_QUERY_INFORMATION, FALSE, threadProcess);
  if (!process) return false;
  const bool idle = WaitForInputIdle(process, static_cast<DWORD>(timeout.count())) == 0;
  CloseHandle(process);
  // A round trip through the window's own queue: everything posted before it,
  // paint requests included, has been handled when it returns.
  DWORD_PTR ignored = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_NORMAL, static_cast<UINT>(timeout.count()), &ignored) &&
         idle;
}

}  // namespace e2e
