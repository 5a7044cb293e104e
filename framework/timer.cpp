#include "framework/timer.h"

#include "framework/guard.h"

namespace fw {
namespace {
long liveTimers = 0;
constexpr UINT_PTR kTimerId = 1;
}  // namespace

long TTimer::LiveTimers() { return liveTimers; }

TTimer::TTimer(TComponent* owner) : TComponent(owner) {}

TTimer::~TTimer() {
  Destroying();
  enabled_ = false;
  UpdateTimer();
  if (wnd_) DestroyWindow(wnd_);
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
  if (running_ && wnd_) {
    KillTimer(wnd_, kTimerId);
    --liveTimers;
  }
  running_ = false;
  if (enabled_ && interval_ > 0 && onTimer_ && !IsDestroying()) {
    // The hidden window comes with the first run: most timers never run.
    if (!wnd_) {
      RegisterBoundClass(L"TPUtilWindow", nullptr, 0);
      CreateBoundWindow(this, 0, L"TPUtilWindow", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr);
    }
    if (wnd_ && SetTimer(wnd_, kTimerId, interval_, nullptr)) {
      running_ = true;
      ++liveTimers;
    }
  }
}

void TTimer::Timer() {
  if (onTimer_) onTimer_(this);
}

LRESULT TTimer::WindowMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_TIMER && wParam == kTimerId) {
    Timer();  // inside the window procedure's guard
    return 0;
  }
  return DefWindowProcW(wnd, msg, wParam, lParam);
}

}  // namespace fw
