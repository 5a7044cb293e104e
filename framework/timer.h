#pragma once
// TTimer: a system timer on the hidden window its thread's timers share,
// made when a timer first runs; OnTimer runs on the user-interface thread
// while Enabled, Interval > 0 and OnTimer is set.
#include <windows.h>

#include "framework/component.h"

namespace fw {

class TimerHost;

class TTimer : public TComponent {
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
  friend class TimerHost;
  void UpdateTimer();

  TimerHost* host_ = nullptr;  // the thread's shared timer window (not owned)
  UINT_PTR id_ = 0;            // this timer's id there; 0 before the first run
  bool enabled_ = true;
  unsigned interval_ = 1000;
  bool running_ = false;
  TNotifyEvent onTimer_;
};

}  // namespace fw
