#include "framework/timer.h"

#include <unordered_map>

#include "framework/guard.h"
#include "framework/window_binding.h"

namespace fw {
namespace {
long liveTimers = 0;
}  // namespace

// One hidden window per thread carries the system timers of all that
// thread's running TTimer objects, told apart by timer id. It is made when
// the first timer runs and goes when no timer is registered any more.
class TimerHost : private WindowTarget {
 public:
  ~TimerHost() override {
    if (wnd_) DestroyWindow(wnd_);
  }
  // Registers timer and returns its id, making the window if needed; 0 when
  // there is no window.
  UINT_PTR Register(TTimer* timer) {
    if (!wnd_) {
      RegisterBoundClass(L"TPUtilWindow", nullptr, 0);
      CreateBoundWindow(this, 0, L"TPUtilWindow", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr);
      if (!wnd_) return 0;
    }
    if (++nextId_ == 0) nextId_ = 1;
    while (timers_.count(nextId_)) ++nextId_;
    timers_[nextId_] = timer;
    return nextId_;
  }
  void Unregister(UINT_PTR id) {
    timers_.erase(id);
    if (timers_.empty() && wnd_) DestroyWindow(wnd_);
  }
  HWND Window() const { return wnd_; }

 private:
  LRESULT WindowMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) override {
    if (msg == WM_TIMER) {
      auto it = timers_.find(wParam);
      if (it != timers_.end()) it->second->Timer();  // inside the window procedure's guard
      return 0;
    }
    return DefWindowProcW(wnd, msg, wParam, lParam);
  }
  void WindowBound(HWND wnd) override { wnd_ = wnd; }
  void WindowGone(HWND) override { wnd_ = nullptr; }

  HWND wnd_ = nullptr;
  UINT_PTR nextId_ = 0;
  std::unordered_map<UINT_PTR, TTimer*> timers_;
};

namespace {
TimerHost& ThreadTimerHost() {
  thread_local TimerHost host;
  return host;
}
}  // namespace

long TTimer::LiveTimers() { return liveTimers; }

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer() {
  Destroying();
  enabled_ = false;
  UpdateTimer();
  if (id_) host_->Unregister(id_);
}

void TTimer::SetEnabled(bool value) {
  if (enabled_ == value) return;
  enabled_ = value;
  UpdateTimer();
}

void TTimer::SetInterval(unsigned ms) {
  if (interval_ == ms) return;
  interval_ = ms;
  UpdateTimer();
}

void TTimer::SetOnTimer(TNotifyEvent handler) {
  onTimer_ = std::move(handler);
  UpdateTimer();
}

void TTimer::UpdateTimer() {
  TimerHost* host = host_;
  if (running_) {
    if (host && host->Window()) KillTimer(host->Window(), id_);
    --liveTimers;
  }
  running_ = false;
  if (enabled_ && interval_ > 0 && onTimer_ && !IsDestroying()) {
    // The hidden window comes with the first run: most timers never run.
    if (!id_) {
      host = &ThreadTimerHost();
      id_ = host->Register(this);
      host_ = id_ ? host : nullptr;
    }
    if (id_ && host->Window() && SetTimer(host->Window(), id_, interval_, nullptr)) {
      running_ = true;
      ++liveTimers;
    }
  }
}

void TTimer::Timer() {
  if (onTimer_) onTimer_(this);
}

}  // namespace fw
