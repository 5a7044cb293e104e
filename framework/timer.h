#pragma once
// TTimer: a system timer on a hidden window of its own, made when the timer
// first runs; OnTimer runs on the user-interface thread while Enabled,
// Interval > 0 and OnTimer is set.
#include <windows.h>

#include "framework/component.h"
#include "framework/window_binding.h"

namespace fw {

class TTimer : public TComponent, private WindowTarget {
 public:
  explicit TTimer(TComponent* owner);
  ~TTimer() override;
  std::wstring ClassName() const override { return L"TTimer"; }

  bool Enabled() const { return enabled_; }
  void SetEnabled(bool value);
  unsigned Interval() const { return interval_; }
  void SetInterval(unsigned ms);
  void SetOnTimer(TNotifyEvent handler);
  const TNotifyEvent& OnTimer() const { return onTimer_; }
  bool Running() const { return running_; }

  // Timers running in the process (for leak tests).
  static long LiveTimers();

 protected:
  virtual void Timer();

 private:
  LRESULT WindowMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
  void WindowBound(HWND wnd) override { wnd_ = wnd; }
  void WindowGone(HWND) override { wnd_ = nullptr; running_ = false; }
  void UpdateTimer();

  HWND wnd_ = nullptr;
  bool enabled_ = true;
  unsigned interval_ = 1000;
  bool running_ = false;
  TNotifyEvent onTimer_;
};

}  // namespace fw
