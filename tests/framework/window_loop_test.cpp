// Timers, the worker thread's synchronous hand-over, idle processing and the
// settings-change notification.
#include <gtest/gtest.h>

#include "framework/thread.h"
#include "framework/timer.h"
#include "window_test_util.h"

namespace {

TEST(Timer, TicksArriveOnTheUserInterfaceThreadWhileEnabled) {
  fwtest::App();
  const long windows = fw::LiveBoundWindows();
  fw::TTimer timer(nullptr);
  EXPECT_FALSE(timer.Running());  // no handler yet
  EXPECT_EQ(fw::LiveBoundWindows(), windows);  // nor a window until it runs
  int ticks = 0;
  DWORD thread = 0;
  timer.SetInterval(10);
  timer.SetOnTimer([&](fw::TObject*) {
    ++ticks;
    thread = GetCurrentThreadId();
  });
  EXPECT_TRUE(timer.Running());
  EXPECT_EQ(fw::LiveBoundWindows(), windows + 1);
  DWORD end = GetTickCount() + 3000;
  while (ticks < 3 && GetTickCount() < end) fwtest::Pump(1);
  EXPECT_GE(ticks, 3);
  EXPECT_EQ(thread, GetCurrentThreadId());
  timer.SetEnabled(false);
  EXPECT_FALSE(timer.Running());
  int stopped = ticks;
  Sleep(50);
  fwtest::Pump();
  EXPECT_EQ(ticks, stopped);
}

// The thread's timers share one hidden window; each still gets its own
// ticks, and the window goes with the last timer.
TEST(Timer, TimersOfAThreadShareOneWindowAndTickSeparately) {
  fwtest::App();
  const long windows = fw::LiveBoundWindows();
  int fast = 0, slow = 0;
  {
    fw::TTimer a(nullptr), b(nullptr);
    a.SetInterval(10);
    b.SetInterval(60000);
    a.SetOnTimer([&](fw::TObject*) { ++fast; });
    b.SetOnTimer([&](fw::TObject*) { ++slow; });
    EXPECT_EQ(fw::LiveBoundWindows(), windows + 1);
    {
      fw::TTimer c(nullptr);
      c.SetInterval(10);
      c.SetOnTimer([&](fw::TObject*) { ++slow; });
    }  // one of three goes: the others keep running
    DWORD end = GetTickCount() + 3000;
    while (fast < 3 && GetTickCount() < end) fwtest::Pump(1);
    EXPECT_GE(fast, 3);
    EXPECT_EQ(slow, 0);
    EXPECT_TRUE(b.Running());
  }
  EXPECT_EQ(fw::LiveBoundWindows(), windows);
}

class TStepper : public fw::TThread {
 public:
  TStepper() : fw::TThread(true) {}
  std::vector<int> steps;
  std::vector<DWORD> threads;
  bool failLast = false;
  ~TStepper() override {
    Terminate();
    WaitFor();
  }
 protected:
  void Execute() override {
    for (int i = 0; i < 5 && !Terminated(); ++i) {
      Sleep(2);
      Synchronize([this, i] {
        steps.push_back(i);
        threads.push_back(GetCurrentThreadId());
        if (failLast && i == 4) throw std::runtime_error("step failed");
      });
    }
  }
};

TEST(Thread, SynchronizeRunsEveryStepOnTheUserInterfaceThreadInOrder) {
  fwtest::App();
  TStepper worker;
  worker.Resume();
  worker.WaitFor();  // hands the steps over meanwhile
  EXPECT_EQ(worker.steps, (std::vector<int>{0, 1, 2, 3, 4}));
  for (DWORD id : worker.threads) EXPECT_EQ(id, GetCurrentThreadId());
  EXPECT_FALSE(worker.FatalException());
}

TEST(Thread, AStepsExceptionComesBackInTheWorker) {
  fwtest::App();
  TStepper worker;
  worker.failLast = true;
  worker.Resume();
  EXPECT_EQ(worker.WaitFor(), 1u);
  EXPECT_TRUE(worker.FatalException());
  EXPECT_EQ(worker.steps.size(), 5u);
}

TEST(Thread, ASuspendedWorkerHandsNothingOver) {
  fwtest::App();
  TStepper worker;
  Sleep(30);
  fwtest::Pump();
  EXPECT_TRUE(worker.Suspended());
  EXPECT_TRUE(worker.steps.empty());
}

TEST(MessageLoop, IdleRunsWhenTheQueueIsEmpty) {
  fwtest::App();
  int idles = 0;
  fwtest::App().OnIdle = [&](fw::TObject*, bool& done) {
    ++idles;
    done = false;  // do not wait for a message
  };
  fwtest::App().HandleMessage();
  fwtest::App().OnIdle = nullptr;
  EXPECT_GE(idles, 1);
}

TEST(Settings, WinIniChangeReachesEveryHandler) {
  fwtest::App();
  std::vector<std::wstring> seen;
  int a = fwtest::App().AddSettingChangeHandler([&](UINT msg, WPARAM, LPARAM l) {
    EXPECT_EQ(msg, static_cast<UINT>(WM_WININICHANGE));
    seen.push_back(std::wstring(L"a ") + reinterpret_cast<const wchar_t*>(l));
  });
  int b = fwtest::App().AddSettingChangeHandler([&](UINT, WPARAM, LPARAM) { seen.push_back(L"b"); });
  SendMessageW(fwtest::App().Handle(), WM_SETTINGCHANGE, 0, reinterpret_cast<LPARAM>(L"intl"));
  fwtest::App().RemoveSettingChangeHandler(a);
  SendMessageW(fwtest::App().Handle(), WM_WININICHANGE, 0, reinterpret_cast<LPARAM>(L"intl"));
  fwtest::App().RemoveSettingChangeHandler(b);
  EXPECT_EQ(seen, (std::vector<std::wstring>{L"a intl", L"b", L"b"}));
}

}  // namespace
