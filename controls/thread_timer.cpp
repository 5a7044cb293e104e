#include "controls/thread_timer.h"

#include "framework/application.h"
#include "framework/guard.h"

namespace skin {

TThreadTimer::TThreadTimer(std::function<void()> onTimer) : fw::TThread(true), onTimer_(std::move(onTimer)) {
  SetPriority(THREAD_PRIORITY_IDLE);
}

TThreadTimer::~TThreadTimer() {
  // Execute uses the members: it ends before they go. Steps still handed
  // over meanwhile are dropped (the thread is terminated).
  Finish();
}

void TThreadTimer::SetEnabled(bool value) {
  if (Enabled() == value) return;
  InterlockedExchange(&enabled_, value ? 1 : 0);
  if (value) Resume();
  else Suspend();
}

void TThreadTimer::Execute() {
  while (!Terminated() && !applicationEnded_) {
    if (!Enabled()) {
      CheckSuspended();  // waits until enabled or terminated
      continue;
    }
    Sleep(Interval());
    // A step that freed the timer's owner freed the timer too.
    if (!Synchronize([this] { Tick(); })) return;
  }
}

void TThreadTimer::Tick() {
  fw::TApplication* app = fw::ApplicationInstance();
  if (!app || app->Terminated()) {
    applicationEnded_ = true;
    return;
  }
  // Disabled while this step was on its way: it is not run.
  if (!Enabled() || !onTimer_) return;
  // A copy: the callback may destroy this timer, member and all.
  const std::function<void()> onTimer = onTimer_;
  fw::GuardedVoid(onTimer);
}

}  // namespace skin
