#pragma once
// Drives a real program from a separate test process: starts it, finds its
// windows, sends messages and waits for it to end. Everything it opens is
// closed in destructors; a program still running at the end is killed.
#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/window_watcher.h"

namespace e2e {

using namespace std::chrono_literals;

// Polls `done` while pumping this thread's messages, until it returns true or
// the time runs out. Returns the last answer.
bool WaitFor(const std::function<bool()>& done, std::chrono::milliseconds timeout = 10s);

// "Z:\..." for a path of the Unix side, which Wine maps to drive Z:.
std::wstring WindowsPath(const std::string& unixPath);

std::wstring WindowText(HWND window);

using fwtest::ChildWindows;
using fwtest::TopLevelWindows;

class ChildProcess {
 public:
  ChildProcess() = default;
  ChildProcess(const ChildProcess&) = delete;
  ChildProcess& operator=(const ChildProcess&) = delete;
  ~ChildProcess();

  // Starts `exe` with the given argument text (appended after the quoted
  // program name). Returns false when CreateProcess fails.
  bool Start(const std::wstring& exe, const std::wstring& arguments = L"");
  bool Running() const;
  // Waits for the process to end; returns its exit code, or -1 on time-out.
  long WaitForExit(std::chrono::milliseconds timeout = 10s);
  void Kill();
  DWORD Id() const { return processId_; }
  HANDLE Handle() const { return process_; }
  // Waits until the process has a visible top-level window of the class and
  // its message loop has gone idle (so the first paint has been handled).
  HWND WaitForWindow(const std::wstring& className, std::chrono::milliseconds timeout = 15s);

 private:
  HANDLE process_ = nullptr;
  DWORD processId_ = 0;
};

// The display scale programs started from now on find (the user's
// LogPixels, which Wine reads at a program's start), put back as it was at
// the end of the scope.
class ScopedDisplayDpi {
 public:
  explicit ScopedDisplayDpi(DWORD dpi);
  ScopedDisplayDpi(const ScopedDisplayDpi&) = delete;
  ScopedDisplayDpi& operator=(const ScopedDisplayDpi&) = delete;
  ~ScopedDisplayDpi();
  // The value could be written.
  bool Set() const { return set_; }

 private:
  bool set_ = false;
  bool had_ = false;
  DWORD old_ = 0;
};

// Sends a message and waits for the target's loop to handle it, without
// hanging the test when a modal box blocks the target.
LRESULT SendWithTimeout(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0,
                        std::chrono::milliseconds timeout = 5s);

// Waits until the target thread's message queue is idle.
bool WaitIdle(HWND window, std::chrono::milliseconds timeout = 5s);

}  // namespace e2e
