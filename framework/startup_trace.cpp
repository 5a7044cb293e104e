#include "framework/startup_trace.h"

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "graphics/gdi.h"
#include "framework/component.h"
#include "framework/window_binding.h"

namespace fw::trace {

namespace detail {
bool on = false;
}

namespace {

struct Event {
  double ms;
  std::wstring what;
  long gdiCreated;
  double committedKb;
};

struct WindowRecord {
  int order = 0;
  std::wstring name;  // class, and the control's name when it has one
  double created = -1;
  double firstPaint = -1;
  long paints = 0;
  long erases = 0;
};

// UI thread only, like everything it observes.
struct State {
  std::wstring path;
  double startMs = 0;  // when the trace started, since process creation
  LARGE_INTEGER started{}, frequency{};
  std::vector<Event> events;
  std::map<HWND, WindowRecord> windows;
  long parentBackgrounds = 0;
  HHOOK cbt = nullptr, sent = nullptr, retrieved = nullptr;
};

State* state = nullptr;

LONGLONG FileTimeValue(const FILETIME& ft) { return (static_cast<LONGLONG>(ft.dwHighDateTime) << 32) | ft.dwLowDateTime; }

// The performance counter from the start on (Windows 7 has no precise system
// time); the coarse system time only places the start after process creation.
double Elapsed() {
  LARGE_INTEGER now;
  QueryPerformanceCounter(&now);
  return state->startMs + (now.QuadPart - state->started.QuadPart) * 1000.0 / state->frequency.QuadPart;
}

// The process's committed private memory (what the start-up benchmark
// compares; Wine leaves PrivateUsage at 0 and reports it as PagefileUsage).
double CommittedKb() {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  // The extended counters begin with the plain ones, as the call expects.
  if (!K32GetProcessMemoryInfo(GetCurrentProcess(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters),
                               sizeof counters))
    return 0;
  const SIZE_T bytes = counters.PrivateUsage ? counters.PrivateUsage : counters.PagefileUsage;
  return bytes / 1024.0;
}

long GdiCreated() {
  long sum = 0;
  for (int k = 0; k < static_cast<int>(GdiKind::Count_); ++k) sum += GdiCounters::Created(static_cast<GdiKind>(k));
  return sum;
}

std::wstring ClassOf(HWND wnd) {
  wchar_t name[128] = L"";
  GetClassNameW(wnd, name, 128);
  return name;
}

WindowRecord& RecordOf(HWND wnd) {
  auto [it, added] = state->windows.try_emplace(wnd);
  if (added) {
    it->second.order = static_cast<int>(state->windows.size());
    it->second.name = ClassOf(wnd);
  }
  // The object is bound only from the window's first message on.
  if (it->second.name.find(L' ') == std::wstring::npos)
    if (auto* component = dynamic_cast<TComponent*>(TargetOf(wnd)); component && !component->Name().empty())
      it->second.name += L" " + component->Name();
  return it->second;
}

void Seen(HWND wnd, UINT msg) {
  if (!state || !wnd || (msg != WM_PAINT && msg != WM_ERASEBKGND)) return;
  try {
    WindowRecord& r = RecordOf(wnd);
    if (msg == WM_ERASEBKGND) {
      ++r.erases;
    } else {
      if (r.paints++ == 0) r.firstPaint = Elapsed();
    }
  } catch (...) {
    // A trace never disturbs the program.
  }
}

LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND && state) {
    try {
      auto* create = reinterpret_cast<CBT_CREATEWNDW*>(lParam);
      HWND wnd = reinterpret_cast<HWND>(wParam);
      WindowRecord& r = RecordOf(wnd);
      r.created = Elapsed();
      std::wstring what = L"window created: " + r.name;
      if (create && create->lpcs && create->lpcs->hwndParent) what += L" in " + ClassOf(create->lpcs->hwndParent);
      state->events.push_back({r.created, what, GdiCreated(), CommittedKb()});
    } catch (...) {
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK SentHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION) {
    const auto* m = reinterpret_cast<const CWPSTRUCT*>(lParam);
    Seen(m->hwnd, m->message);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK RetrievedHook(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HC_ACTION && wParam == PM_REMOVE) {
    const auto* m = reinterpret_cast<const MSG*>(lParam);
    Seen(m->hwnd, m->message);
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

std::string Utf8(const std::wstring& text) {
  int n = WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<size_t>(n), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.c_str(), static_cast<int>(text.size()), out.data(), n, nullptr, nullptr);
  return out;
}

void Write() {
  FILE* f = _wfopen(state->path.c_str(), L"wb");
  if (!f) return;
  std::fprintf(f, "# start-up trace: ms since process creation, GDI objects created so far, committed private KB\n");
  for (const Event& e : state->events)
    std::fprintf(f, "%9.2f  gdi %4ld  kb %6.0f  %s\n", e.ms, e.gdiCreated, e.committedKb, Utf8(e.what).c_str());
  std::vector<const WindowRecord*> byOrder;
  for (auto& [wnd, r] : state->windows) byOrder.push_back(&r);
  std::sort(byOrder.begin(), byOrder.end(), [](auto* a, auto* b) { return a->order < b->order; });
  std::fprintf(f, "# windows: created ms, first WM_PAINT ms, WM_PAINT count, WM_ERASEBKGND count\n");
  long paints = 0, erases = 0;
  for (const WindowRecord* r : byOrder) {
    std::fprintf(f, "%9.2f %9.2f %4ld %4ld  %s\n", r->created, r->firstPaint, r->paints, r->erases, Utf8(r->name).c_str());
    paints += r->paints;
    erases += r->erases;
  }
  std::fprintf(f, "# totals: windows %zu, WM_PAINT %ld, WM_ERASEBKGND %ld, parent-background renders %ld\n",
               byOrder.size(), paints, erases, state->parentBackgrounds);
  static const char* kinds[] = {"fonts", "brushes", "pens", "bitmaps", "regions", "palettes", "DCs"};
  std::fprintf(f, "# GDI objects created (live):");
  for (int k = 0; k < static_cast<int>(GdiKind::Count_); ++k)
    std::fprintf(f, " %s %ld (%ld)", kinds[k], GdiCounters::Created(static_cast<GdiKind>(k)),
                 GdiCounters::Live(static_cast<GdiKind>(k)));
  std::fprintf(f, "\n");
  std::fclose(f);
}

}  // namespace

void Start(const wchar_t* path) {
  Stop();
  state = new State;
  state->path = path;
  QueryPerformanceFrequency(&state->frequency);
  QueryPerformanceCounter(&state->started);
  FILETIME created, exited, kernel, user, now;
  GetSystemTimeAsFileTime(&now);
  if (GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user))
    state->startMs = (FileTimeValue(now) - FileTimeValue(created)) / 10000.0;
  DWORD thread = GetCurrentThreadId();
  state->cbt = SetWindowsHookExW(WH_CBT, CbtHook, nullptr, thread);
  state->sent = SetWindowsHookExW(WH_CALLWNDPROC, SentHook, nullptr, thread);
  state->retrieved = SetWindowsHookExW(WH_GETMESSAGE, RetrievedHook, nullptr, thread);
  detail::on = true;
  Mark(L"trace started");
}

void StartFromEnvironment(const wchar_t* variable) {
  wchar_t path[MAX_PATH];
  DWORD n = GetEnvironmentVariableW(variable, path, MAX_PATH);
  if (n > 0 && n < MAX_PATH) Start(path);
}

void Stop() {
  detail::on = false;
  if (!state) return;
  for (HHOOK h : {state->cbt, state->sent, state->retrieved})
    if (h) UnhookWindowsHookEx(h);
  delete state;
  state = nullptr;
}

void Mark(const wchar_t* what, const wchar_t* detail) {
  if (!state) return;
  try {
    std::wstring text = what;
    if (detail && *detail) text += L": " + std::wstring(detail);
    state->events.push_back({Elapsed(), std::move(text), GdiCreated(), CommittedKb()});
  } catch (...) {
  }
}

void CountParentBackground() {
  if (state) ++state->parentBackgrounds;
}

void LoopIdle(HWND mainWindow) {
  if (!state || !mainWindow || !IsWindowVisible(mainWindow)) return;
  Mark(L"first frame complete");
  Write();
  Stop();
}

}  // namespace fw::trace
