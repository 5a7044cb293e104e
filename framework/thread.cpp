#include "framework/thread.h"

#include <algorithm>
#include <atomic>

#include "framework/messages.h"
#include "framework/window_errors.h"

namespace fw {
namespace {
DWORD mainThreadId = GetCurrentThreadId();  // set when the program starts
std::atomic<HWND> synchronizeWindow{nullptr};
}  // namespace

bool IsMainThread() { return GetCurrentThreadId() == mainThreadId; }

void SetSynchronizeWindow(HWND wnd) { synchronizeWindow.store(wnd, std::memory_order_release); }

TThread::TThread(bool createSuspended) {
  resumeEvent_ = CreateEventW(nullptr, TRUE, createSuspended ? FALSE : TRUE, nullptr);
  terminateEvent_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
  suspended_ = createSuspended ? 1 : 0;
  // The thread itself waits for the resume event before Execute, so that a
  // derived object is complete before its Execute runs.
  thread_ = CreateThread(nullptr, 0, ThreadProc, this, 0, &id_);
  if (!thread_) {
    CloseHandle(resumeEvent_);
    CloseHandle(terminateEvent_);
    throw EWin32Error(L"Thread creation error");
  }
}

TThread::~TThread() {
  Finish();
  CloseHandle(thread_);
  CloseHandle(resumeEvent_);
  CloseHandle(terminateEvent_);
}

DWORD WINAPI TThread::ThreadProc(void* p) {
  auto* self = static_cast<TThread*>(p);
  DWORD code = 0;
  if (self->CheckSuspended()) {
    try {
      self->Execute();
    } catch (...) {
      self->fatal_ = std::current_exception();
      code = 1;
    }
  }
  return code;
}

void TThread::Resume() {
  InterlockedExchange(&suspended_, 0);
  SetEvent(resumeEvent_);
}

void TThread::Suspend() {
  InterlockedExchange(&suspended_, 1);
  ResetEvent(resumeEvent_);
}

bool TThread::Suspended() const { return suspended_ != 0; }

void TThread::Terminate() {
  InterlockedExchange(&terminated_, 1);
  SetEvent(terminateEvent_);
}

bool TThread::Terminated() const { return terminated_ != 0; }

bool TThread::CheckSuspended() {
  HANDLE both[2] = {resumeEvent_, terminateEvent_};
  WaitForMultipleObjects(2, both, FALSE, INFINITE);
  return !Terminated();
}

void TThread::Sleep(DWORD ms) {
  if (!CheckSuspended()) return;
  WaitForSingleObject(terminateEvent_, ms);
}

bool TThread::Synchronize(const std::function<void()>& step) {
  if (!CheckSuspended()) return true;
  if (GetCurrentThreadId() == mainThreadId) {
    step();
    return true;
  }
  // Neither the application object nor its fields are read here: the
  // user-interface thread may be changing them.
  const HWND target = synchronizeWindow.load(std::memory_order_acquire);
  if (!target) return true;
  std::exception_ptr raised;
  bool destroyed = false;  // this thread's stack: still here afterwards
  std::function<void()> call = [&] {
    if (Terminated()) return;  // the owner is going away
    Lifetime::Watch watch(lifetime_);
    try {
      step();
    } catch (...) {
      raised = std::current_exception();
    }
    destroyed = watch.Ended();
  };
  SendMessageW(target, CM_SYNCHRONIZE, 0, reinterpret_cast<LPARAM>(&call));
  if (destroyed) return false;
  if (raised) std::rethrow_exception(raised);
  return true;
}

DWORD TThread::WaitFor() {
  if (GetCurrentThreadId() == id_) return 0;
  if (GetCurrentThreadId() == mainThreadId && lifetime_.Watched())
    throw EInvalidOperation(L"A thread cannot wait for itself");
  if (GetCurrentThreadId() == mainThreadId) {
    // Keep handling the messages the thread sends (its Synchronize calls).
    for (;;) {
      DWORD r = MsgWaitForMultipleObjects(1, &thread_, FALSE, INFINITE, QS_SENDMESSAGE);
      if (r == WAIT_OBJECT_0) break;
      MSG msg;
      PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE);
    }
  } else {
    WaitForSingleObject(thread_, INFINITE);
  }
  DWORD code = 0;
  GetExitCodeThread(thread_, &code);
  return code;
}

void TThread::Finish() {
  if (GetCurrentThreadId() == mainThreadId && lifetime_.Watched()) {
    // A step of this thread is running (it freed this thread's owner), and
    // the thread waits in Synchronize for it to return.
    Terminate();
    return;
  }
  SetPriority(std::max(GetThreadPriority(GetCurrentThread()), THREAD_PRIORITY_NORMAL));
  Terminate();
  Resume();
  WaitFor();
}

int TThread::Priority() const { return GetThreadPriority(thread_); }

void TThread::SetPriority(int priority) { SetThreadPriority(thread_, priority); }

}  // namespace fw
