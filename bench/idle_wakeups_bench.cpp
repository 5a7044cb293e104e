// How often the user-interface thread wakes up while nobody touches the
// program: first with only the baseline window shown (two plain EDITs in a
// bare window), then with the real main window shown in this process, each
// for the same time, pumped by the application's own loop (HandleMessage:
// one message, or OnIdle and WaitMessage). A message hook on this thread
// counts every message the loop takes, by message, window and timer; a
// wake-up is the loop leaving its wait. Prints both counts and their ratio.
//   idle_wakeups_bench [seconds]
#include <windows.h>

#include <algorithm>
#include <chrono>
#include <cwchar>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <tuple>

#include "bench/bench_windows.h"
#include "controls/skin_button.h"
#include "framework/timer.h"
#include "framework/wincontrol.h"

namespace {

constexpr UINT kStop = WM_APP + 41;  // posted to the thread when the time is up

struct Key {
  UINT message;
  HWND wnd;
  WPARAM timerId;  // WM_TIMER only
  bool operator<(const Key& o) const {
    return std::tie(message, wnd, timerId) < std::tie(o.message, o.wnd, o.timerId);
  }
};

struct Count {
  bool counting = false;
  bool stopped = false;
  bool waiting = false;  // the loop went idle and has not taken a message since
  int wakeups = 0;
  int emptyWakeups = 0;  // the wait ended, but no message came
  std::map<Key, int> messages;
};
Count current;
bool closeAboutWhenPainted = false;
HWND timerWindowNow = nullptr;  // the timer window whose WM_TIMER is being handled
std::map<HWND, std::wstring> timerOwners;

LRESULT CALLBACK OnGetMessage(int code, WPARAM wParam, LPARAM lParam) {
  auto* msg = reinterpret_cast<MSG*>(lParam);
  if (code == HC_ACTION && wParam == PM_REMOVE && current.counting) {
    if (msg->message == kStop && !msg->hwnd) {
      current.counting = false;
      current.stopped = true;
    } else {
      if (current.waiting) ++current.wakeups;
      current.waiting = false;
      ++current.messages[Key{msg->message, msg->hwnd, msg->message == WM_TIMER ? msg->wParam : 0}];
    }
  }
  if (code == HC_ACTION && wParam == PM_REMOVE && msg->message == WM_TIMER) timerWindowNow = msg->hwnd;
  if (code == HC_ACTION && wParam == PM_REMOVE && msg->message == WM_PAINT && closeAboutWhenPainted) {
    wchar_t cls[32] = {};
    GetClassNameW(msg->hwnd, cls, 32);
    if (wcscmp(cls, L"TAboutBox") == 0) {
      closeAboutWhenPainted = false;
      PostMessageW(msg->hwnd, WM_CLOSE, 0, 0);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The loop's idle step, just before it waits.
void OnIdle(fw::TObject*, bool& done) {
  if (current.counting) {
    if (current.waiting) {
      ++current.wakeups;
      ++current.emptyWakeups;
    }
    current.waiting = true;
  }
  done = true;
}

// Runs the application's loop for `seconds`; the count starts with the loop idle.
Count CountIdle(fw::TApplication& app, int seconds) {
  current = Count{};
  current.counting = true;
  const DWORD thread = GetCurrentThreadId();
  std::thread clock([thread, seconds] {
    std::this_thread::sleep_for(std::chrono::seconds(seconds));
    PostThreadMessageW(thread, kStop, 0, 0);
  });
  while (!current.stopped) app.HandleMessage();
  clock.join();
  return current;
}

// Keeps the loop running for a while, so that start-up's work is done.
void Settle(fw::TApplication& app, int ms) {
  const ULONGLONG end = GetTickCount64() + static_cast<ULONGLONG>(ms);
  while (GetTickCount64() < end) {
    app.ProcessMessages();
    Sleep(10);
  }
}

const char* MessageName(UINT m) {
  switch (m) {
    case WM_TIMER: return "WM_TIMER";
    case WM_PAINT: return "WM_PAINT";
    case 0x0118: return "WM_SYSTIMER";
    case WM_MOUSEMOVE: return "WM_MOUSEMOVE";
    case WM_NCMOUSEMOVE: return "WM_NCMOUSEMOVE";
    case WM_MOUSELEAVE: return "WM_MOUSELEAVE";
    case WM_NULL: return "WM_NULL";
    default: return nullptr;
  }
}

std::string Narrow(const std::wstring& w) { return std::string(w.begin(), w.end()); }

// "class \"Name\"" of a window, with the framework control's name when it is one.
std::string Describe(HWND wnd) {
  if (!wnd) return "no window (thread message or timer procedure)";
  wchar_t cls[128] = {};
  GetClassNameW(wnd, cls, 128);
  std::string text = Narrow(cls);
  if (const auto owner = timerOwners.find(wnd); owner != timerOwners.end())
    text.append(" of ").append(Narrow(owner->second));
  else if (fw::TWinControl* control = fw::TWinControl::FindControl(wnd); control && !control->Name().empty())
    text.append(" ").append(Narrow(control->Name()));
  return text;
}

void Print(const char* what, const Count& c, int seconds, bool withButtons) {
  std::printf("  %s: %d wake-ups (%d without a message), %d messages taken\n", what, c.wakeups, c.emptyWakeups,
              [&] {
                int n = 0;
                for (const auto& [key, count] : c.messages) n += count;
                return n;
              }());
  int buttonTimers = 0;
  for (const auto& [key, count] : c.messages) {
    const bool buttonTimer = key.message == WM_TIMER && timerOwners.count(key.wnd);
    if (buttonTimer) buttonTimers += count;
    const char* name = MessageName(key.message);
    char id[32];
    std::snprintf(id, sizeof id, "0x%04X", key.message);
    std::printf("    %5d  %-14s", count, name ? name : id);
    if (key.message == WM_TIMER) std::printf(" id %llu", static_cast<unsigned long long>(key.timerId));
    std::printf("  %s%s\n", Describe(key.wnd).c_str(), buttonTimer ? " (1 s animation timer)" : "");
  }
  if (withButtons)
    std::printf("    of which the command buttons' 1 s timers: %d (expected about %d), everything else: %d\n",
                buttonTimers, 3 * seconds, [&] {
                  int n = 0;
                  for (const auto& [key, count] : c.messages) n += count;
                  return n - buttonTimers;
                }());
}

}  // namespace

int main(int argc, char** argv) {
  const int seconds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 10;

  fw::TApplication app;
  appbench::PrepareLikeTheProgram(app);
  app.OnIdle = OnIdle;
  HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, OnGetMessage, nullptr, GetCurrentThreadId());

  Count bare;
  {
    appbench::BareEditWindow baseline(2, GetSystemMetrics(SM_CYSCREEN) - 254, nullptr);
    Settle(app, 1000);
    bare = CountIdle(app, seconds);
  }
  app.ProcessMessages();

  // The main window as the program shows it.
  auto form = std::make_unique<app::TForm1>(&app);
  form->SetCommandLine(L"converter.exe");
  // Which timer window belongs to which command button: seen as each one ticks.
  for (skin::TSkinBtn* button : {form->AboutBtn, form->PrintBtn, form->CloseBtn}) {
    fw::TTimer& timer = button->AnimationTimer();
    timer.SetOnTimer([tick = timer.OnTimer(), name = button->Name()](fw::TObject* sender) {
      if (timerWindowNow) timerOwners[timerWindowNow] = name;
      tick(sender);
    });
  }
  form->Show();
  Settle(app, 1500);
  const Count shown = CountIdle(app, seconds);
  // The pointer comes to rest over the Print button: its balloon shows and
  // hides again within the time counted.
  RECT print{};
  GetWindowRect(form->PrintBtn->Handle(), &print);
  SetCursorPos((print.left + print.right) / 2, (print.top + print.bottom) / 2);
  INPUT still{};
  still.type = INPUT_MOUSE;
  still.mi.dwFlags = MOUSEEVENTF_MOVE;
  SendInput(1, &still, sizeof still);
  const Count hovered = CountIdle(app, seconds);
  SetCursorPos(GetSystemMetrics(SM_CXSCREEN) - 1, 0);
  SendInput(1, &still, sizeof still);
  // The About box opened (modal) and closed again once it has painted: what
  // it started should have stopped with it.
  closeAboutWhenPainted = true;
  form->AboutBtn->Click();
  const bool aboutShown = !closeAboutWhenPainted;
  closeAboutWhenPainted = false;
  Settle(app, 1500);
  const Count afterAbout = CountIdle(app, seconds);
  UnhookWindowsHookEx(hook);
  app.OnIdle = nullptr;

  std::printf("idle wake-ups of the user-interface thread over %d s, the application's loop pumping\n", seconds);
  Print("baseline, a bare window with two plain EDITs", bare, seconds, false);
  Print("main window shown, pointer elsewhere", shown, seconds, true);
  Print("main window shown, pointer resting over the Print button from the start", hovered, seconds, true);
  Print(aboutShown ? "main window shown, after the About box was opened, painted and closed"
                   : "main window shown, the About box did NOT show",
        afterAbout, seconds, true);
  if (bare.wakeups > 0)
    std::printf("  ratio %.2f (main window against baseline)\n",
                static_cast<double>(shown.wakeups) / static_cast<double>(bare.wakeups));
  else
    std::printf("  ratio: none (the baseline never woke up); main window %d against 0\n", shown.wakeups);

  form.reset();
  app.ProcessMessages();
  return 0;
}
