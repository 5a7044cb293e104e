#pragma once
// TThread: a worker thread whose Execute hands steps to the user-interface
// thread synchronously (Synchronize: SendMessage to the application window).
// Suspension is cooperative: a suspended thread stops at its next Sleep or
// Synchronize, never inside a lock it might hold.
#include <windows.h>

#include <exception>
#include <functional>

#include "framework/lifetime.h"

namespace fw {

class TThread {
 public:
  // The thread starts at once unless createSuspended.
  explicit TThread(bool createSuspended);
  TThread(const TThread&) = delete;
  TThread& operator=(const TThread&) = delete;
  // Finish, then the handles go. A derived class whose Execute uses its own
  // members calls Finish in its own destructor first.
  virtual ~TThread();

  void Resume();
  void Suspend();
  bool Suspended() const;
  void SetSuspended(bool value) { value ? Suspend() : Resume(); }
  void Terminate();
  bool Terminated() const;
  // Waits for the end of Execute; on the user-interface thread it keeps
  // handling the steps the thread hands over. Returns the exit code. Not
  // from a step of the thread itself, which the thread is waiting for
  // (EInvalidOperation).
  DWORD WaitFor();
  // Terminates the thread, resumes it and waits for it (handing over the
  // steps it still sends meanwhile). The thread is first raised to the
  // waiting thread's priority (at least normal): a worker of low priority
  // would otherwise get no processor while every core is busy, and the
  // waiting user-interface thread would freeze with it. From a step of the
  // thread itself (a handler that frees the thread's owner) it cannot wait:
  // the thread is told to end and left to do so, and touches nothing of
  // this object once that step has returned.
  void Finish();
  int Priority() const;
  void SetPriority(int priority);  // THREAD_PRIORITY_*
  DWORD ThreadId() const { return id_; }
  // An exception that left Execute (null when none did).
  std::exception_ptr FatalException() const { return fatal_; }

 protected:
  virtual void Execute() = 0;
  // Runs step on the user-interface thread and waits for it; an exception
  // it raises is raised again here. Does nothing once terminated. False when
  // the step destroyed this object: Execute must then return at once,
  // touching none of its members.
  bool Synchronize(const std::function<void()>& step);
  // Sleeps up to ms, waking early when terminated; waits while suspended.
  void Sleep(DWORD ms);
  // Waits while suspended; false once terminated.
  bool CheckSuspended();

 private:
  static DWORD WINAPI ThreadProc(void* self);
  HANDLE thread_ = nullptr;
  HANDLE resumeEvent_ = nullptr;     // manual reset: set while running
  HANDLE terminateEvent_ = nullptr;  // manual reset: set once terminated
  DWORD id_ = 0;
  volatile LONG terminated_ = 0;
  volatile LONG suspended_ = 0;
  std::exception_ptr fatal_;
  Lifetime lifetime_;  // watched while a step runs on the user-interface thread
};

// True on the thread that runs the application's message loop.
bool IsMainThread();

// The window that runs the steps workers hand over (the application's),
// published by the application once its window exists and withdrawn before
// it goes. It is the one value workers read that the user-interface thread
// writes, so it is read and written atomically; without one, steps are
// dropped.
void SetSynchronizeWindow(HWND wnd);

}  // namespace fw
