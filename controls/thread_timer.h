#pragma once
// TThreadTimer: a timer on a thread of its own at idle priority. While
// enabled it sleeps for its period and then runs its callback on the
// user-interface thread, waiting for it; while disabled the thread is
// suspended. The period is held in 16 bits.
#include <windows.h>

#include <functional>

#include "framework/thread.h"

namespace skin {

class TThreadTimer : public fw::TThread {
 public:
  // Created suspended and disabled, period 100 ms.
  explicit TThreadTimer(std::function<void()> onTimer);
  ~TThreadTimer() override;

  bool Enabled() const { return enabled_ != 0; }
  // Resumes (enabled) or suspends (disabled) the thread.
  void SetEnabled(bool value);
  unsigned Interval() const { return static_cast<unsigned>(interval_); }
  // Only the low 16 bits are kept.
  void SetInterval(unsigned ms) { InterlockedExchange(&interval_, static_cast<LONG>(ms & 0xFFFF)); }

 protected:
  void Execute() override;

 private:
  void Tick();

  std::function<void()> onTimer_;
  volatile LONG enabled_ = 0;
  volatile LONG interval_ = 100;
  bool applicationEnded_ = false;  // written in Tick, read after it returned
};

}  // namespace skin
