#include "framework/application.h"

#include <algorithm>

#include "framework/form.h"
#include "framework/guard.h"
#include "framework/hintwindow.h"
#include "framework/wincontrol.h"
#include "framework/window_errors.h"

namespace fw {
namespace {

TApplication* instance = nullptr;

std::wstring Widen(const char* text) {
  if (!text) return {};
  int n = MultiByteToWideChar(CP_UTF8, 0, text, -1, nullptr, 0);
  if (n <= 1) return {};
  std::wstring w(static_cast<size_t>(n - 1), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, text, -1, w.data(), n);
  return w;
}

// The message text of any exception; nullopt-like empty flag for EAbort.
bool MessageOf(std::exception_ptr error, std::wstring& text) {
  try {
    std::rethrow_exception(error);
  } catch (const EAbort&) {
    return false;
  } catch (const core::Exception& e) {
    text = e.Message();
  } catch (const std::exception& e) {
    text = Widen(e.what());
  } catch (...) {
    text = L"Unknown error";
  }
  return true;
}

}  // namespace

void ReportCurrentException(TObject* sender) noexcept {
  if (instance) {
    instance->HandleException(sender);
    return;
  }
  // No application object (yet): a plain box, as the display would show.
  std::wstring text;
  try {
    if (!MessageOf(std::current_exception(), text)) return;
    MessageBoxW(nullptr, text.c_str(), L"Error", MB_OK | MB_ICONSTOP | MB_TASKMODAL);
  } catch (...) {
  }
}

TApplication& Application() {
  if (!instance) throw EInvalidOperation(L"No application object");
  return *instance;
}

TApplication* ApplicationInstance() { return instance; }

TApplication::TApplication() : TComponent(nullptr) {
  instance = this;
  RegisterBoundClass(L"TApplication", nullptr, 0);
  int x = GetSystemMetrics(SM_CXSCREEN) / 2, y = GetSystemMetrics(SM_CYSCREEN) / 2;
  CreateBoundWindow(this, 0, L"TApplication", title_,
                    WS_POPUP | WS_CAPTION | WS_CLIPSIBLINGS | WS_SYSMENU | WS_MINIMIZEBOX, x, y, 0,
                    0, nullptr, nullptr);
  SetShowHint(true);
}

TApplication::~TApplication() {
  Destroying();
  StopHintTimer();
  hintControl_ = nullptr;
  hintWindow_.reset();
  // Forms (and whatever else the application owns) go first, while the
  // application window still exists for them.
  DestroyComponents();
  mainForm_ = nullptr;
  activeForm_ = nullptr;
  if (handle_) DestroyWindow(handle_);
  if (instance == this) instance = nullptr;
}

void TApplication::SetTitle(const std::wstring& title) {
  title_ = title;
  if (handle_) SetWindowTextW(handle_, title.c_str());
}

void TApplication::Notification(TComponent* component, TOperation operation) {
  if (operation == opRemove) {
    if (component == mainForm_) mainForm_ = nullptr;
    if (component == activeForm_) activeForm_ = nullptr;
  }
  TComponent::Notification(component, operation);
}

void TApplication::FormDestroyed(TForm* form) {
  if (form == mainForm_) mainForm_ = nullptr;
  if (form == activeForm_) activeForm_ = nullptr;
}

void TApplication::FormActivated(TForm* form, bool active) {
  if (active) activeForm_ = form;
  else if (activeForm_ == form) activeForm_ = nullptr;
}

void TApplication::FormShowing(TForm* form, bool showing) {
  // The application window carries the task-bar button (with the title)
  // while the main form is shown; it has no size, so it is never seen.
  if (form != mainForm_ || !handle_) return;
  ShowWindow(handle_, showing ? SW_SHOWNOACTIVATE : SW_HIDE);
}

// ---- message loop

void TApplication::Run() {
  if (mainForm_ && showMainForm_) {
    if (trace::On()) trace::Mark(L"main form shows");
    GuardedVoid([&] { mainForm_->Show(); }, this);
    if (trace::On()) trace::Mark(L"main form shown");
  }
  while (!terminated_) {
    try {
      HandleMessage();
    } catch (...) {
      HandleException(this);
    }
  }
}

void TApplication::Terminate() { PostQuitMessage(0); }

void TApplication::ProcessMessages() {
  MSG msg;
  while (ProcessMessage(msg)) {
  }
}

void TApplication::HandleMessage() {
  MSG msg;
  if (!ProcessMessage(msg)) Idle();
}

void TApplication::Idle() {
  // The mouse left the program's controls: no hint stays.
  POINT p{};
  if (showHint_ && GetCursorPos(&p) && !FindDragTarget(p, true)) CancelHint();
  if (trace::On() && mainForm_ && mainForm_->HandleAllocated()) trace::LoopIdle(mainForm_->Handle());
  TWinControl::ReleaseRenderedBackgrounds();
  bool done = true;
  if (OnIdle) GuardedVoid([&] { OnIdle(this, done); }, this);
  if (done) WaitMessage();
}

bool TApplication::ProcessMessage(MSG& msg) {
  if (!PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) return false;
  if (msg.message == WM_QUIT) {
    terminated_ = true;
    return true;
  }
  bool handled = false;
  if (OnMessage) OnMessage(msg, handled);
  // Seen, never consumed: keys, clicks and activation end a hint.
  if (hintWindow_ && hintWindow_->IsHintMsg(msg)) CancelHint();
  if (!handled) {
    // A copy: a filter may remove itself or others.
    auto filters = filters_;
    for (auto& f : filters)
      if (f.second(msg)) {
        handled = true;
        break;
      }
  }
  if (!handled && !IsKeyMsg(msg)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
  return true;
}

// Key messages are first offered to the control that has them (CN_KEYDOWN,
// CN_CHAR...), which passes dialog keys on to its form; only what nobody
// consumed is translated and dispatched.
bool TApplication::IsKeyMsg(MSG& msg) {
  if (msg.message < WM_KEYFIRST || msg.message > WM_KEYLAST) return false;
  if ((msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN) && handle_)
    SendMessageW(handle_, CM_APPKEYDOWN, msg.wParam, msg.lParam);
  TWinControl* control = TWinControl::FindControlOrOwner(msg.hwnd);
  if (!control) return false;
  return Guarded([&] { return control->Perform(CN_BASE + msg.message, msg.wParam, msg.lParam) != 0; },
                 true, this);
}

int TApplication::AddMessageFilter(MessageFilter filter) {
  int id = nextId_++;
  filters_.emplace_back(id, std::move(filter));
  return id;
}

void TApplication::RemoveMessageFilter(int id) {
  filters_.erase(std::remove_if(filters_.begin(), filters_.end(),
                                [id](const auto& f) { return f.first == id; }),
                 filters_.end());
}

// ---- errors

void TApplication::HandleException(TObject* sender) noexcept {
  std::exception_ptr error = std::current_exception();
  if (!error) return;
  try {
    if (HWND capture = GetCapture()) SendMessageW(capture, WM_CANCELMODE, 0, 0);
    if (OnException) OnException(sender, error);
    else ShowException(error);
  } catch (...) {
    // A display that fails itself must not take the loop down.
  }
}

void TApplication::ShowException(std::exception_ptr error) {
  std::wstring text;
  if (!MessageOf(error, text)) return;
  if (!text.empty() && text.back() > L'.') text += L'.';
  HWND active = GetActiveWindow();
  {
    TaskWindowsDisabler disabled;
    const UINT topmost = ThreadHasVisibleTopmostWindow() ? MB_TOPMOST : 0;
    MessageBoxW(handle_, text.c_str(), title_.c_str(), MB_OK | MB_ICONSTOP | topmost);
  }
  if (active && IsWindow(active)) SetActiveWindow(active);
}

// ---- hints

namespace {

// The nearest control, itself or an ancestor, that shows hints.
TControl* HintControlOf(TControl* control) {
  while (control && !control->ShowHint()) control = control->Parent();
  if (control && control->IsDesigning()) return nullptr;
  return control;
}

// The control's hint, or its nearest ancestor's when it has none.
std::wstring HintOf(TControl* control) {
  for (; control; control = control->Parent())
    if (!control->Hint().empty()) return control->Hint();
  return {};
}

// The program is the foreground task: its thread's active window is one of
// its own top-level windows.
bool ForegroundTask() {
  HWND active = GetActiveWindow();
  if (!active) return false;
  DWORD process = 0;
  return GetWindowThreadProcessId(active, &process) == GetCurrentThreadId() &&
         process == GetCurrentProcessId();
}

}  // namespace

TControl* FindDragTarget(POINT screenPos, bool allowDisabled) {
  HWND wnd = WindowFromPoint(screenPos);
  TWinControl* found = wnd ? TWinControl::FindControlOrOwner(wnd) : nullptr;
  if (!found) return nullptr;
  POINT local = screenPos;
  ::ScreenToClient(found->Handle(), &local);
  if (TControl* child = found->ControlAtPos(local, allowDisabled)) return child;
  return found;
}

void TApplication::SetShowHint(bool value) {
  if (showHint_ == value) return;
  showHint_ = value;
  if (value) {
    hintWindow_ = HintWindowClass().Create();
    hintWindow_->SetColor(hintColor_);
  } else {
    hintWindow_.reset();
  }
}

void TApplication::SetHintColor(TColor color) {
  hintColor_ = color;
  if (hintWindow_) hintWindow_->SetColor(color);
}

void TApplication::HintMouseMessage(TControl* control, const TMessage& m) {
  POINT p = control->ClientToScreen(POINT{m.XPos(), m.YPos()});
  TControl* candidate = HintControlOf(FindDragTarget(p, true));
  if (!candidate) {
    CancelHint();
    return;
  }
  if (candidate == hintControl_ && PtInRect(&hintCursorRect_, p)) return;
  int pause = hintActive_ ? hintShortPause_ : hintPause_;
  candidate->Perform(CM_HINTSHOWPAUSE, hintActive_ ? 1 : 0, reinterpret_cast<LPARAM>(&pause));
  if (!hintActive_ || pause != 0) {
    bool wasActive = hintActive_;
    CancelHint();
    hintActive_ = wasActive;
    hintControl_ = candidate;
    StartHintTimer(pause, HintTimerMode::Show);
  } else {
    hintControl_ = candidate;
    ActivateHint(p);
  }
}

void TApplication::ActivateHint(POINT cursor) {
  hintActive_ = false;
  THintInfo info;
  if (showHint_ && hintControl_ && ForegroundTask() &&
      HintControlOf(FindDragTarget(cursor, true)) == hintControl_) {
    info.HintControl = hintControl_;
    info.HintPos = POINT{cursor.x, cursor.y + HintCursorMargin(GetCursor())};
    info.HintMaxWidth = GetSystemMetrics(SM_CXSCREEN);
    info.HintColor = hintColor_;
    info.CursorRect = hintControl_->ClientRect();
    info.CursorPos = hintControl_->ScreenToClient(cursor);
    info.ReshowTimeout = 0;
    info.HideTimeout = hintHidePause_;
    info.HintStr = GetShortHint(HintOf(hintControl_));
    info.HintWindowClass = HintWindowClass();
    bool canShow = hintControl_->Perform(CM_HINTSHOW, 0, reinterpret_cast<LPARAM>(&info)) == 0;
    if (canShow && OnShowHint) OnShowHint(info.HintStr, canShow, info);
    hintActive_ = canShow && hintControl_;
    if (hintActive_ && !info.HintStr.empty()) {
      if (!hintWindow_ || !info.HintWindowClass.IsClassOf(*hintWindow_)) {
        hintWindow_.reset();
        hintWindow_ = info.HintWindowClass.Create();
      }
      RECT r = hintWindow_->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
      OffsetRect(&r, info.HintPos.x, info.HintPos.y);
      POINT topLeft = hintControl_->ClientToScreen(POINT{info.CursorRect.left, info.CursorRect.top});
      POINT bottomRight =
          hintControl_->ClientToScreen(POINT{info.CursorRect.right, info.CursorRect.bottom});
      hintCursorRect_ = RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
      hintWindow_->SetColor(info.HintColor);
      hintWindow_->ActivateHintData(r, info.HintStr, info.HintData);
      if (info.ReshowTimeout < 1) StartHintTimer(info.HideTimeout, HintTimerMode::Hide);
      else StartHintTimer(info.ReshowTimeout, HintTimerMode::Show);
      return;
    }
  }
  if (info.ReshowTimeout < 1) CancelHint();
  else StartHintTimer(info.ReshowTimeout, HintTimerMode::Show);
}

void TApplication::CancelHint() {
  if (!hintControl_) return;
  HideHint();
  hintControl_ = nullptr;
  hintActive_ = false;
  StopHintTimer();
}

void TApplication::HideHint() {
  if (hintWindow_) hintWindow_->ReleaseHint();
}

void TApplication::ControlDestroyed(TControl* control) {
  if (control && control == hintControl_) CancelHint();
}

void CALLBACK TApplication::HintTimerProc(HWND, UINT, UINT_PTR id, DWORD) {
  if (instance && id == instance->hintTimer_)
    GuardedVoid([] { instance->HintTimerExpired(); }, instance);
}

void TApplication::StartHintTimer(int ms, HintTimerMode mode) {
  StopHintTimer();
  hintTimerMode_ = mode;
  hintTimer_ = SetTimer(nullptr, 0, static_cast<UINT>(ms < 0 ? 0 : ms), HintTimerProc);
  if (!hintTimer_) CancelHint();
}

void TApplication::StopHintTimer() {
  if (hintTimer_) KillTimer(nullptr, hintTimer_);
  hintTimer_ = 0;
}

void TApplication::HintTimerExpired() {
  StopHintTimer();
  if (hintTimerMode_ == HintTimerMode::Show) {
    POINT p{};
    GetCursorPos(&p);
    ActivateHint(p);
  } else {
    HideHint();
  }
}

// ---- settings change

int TApplication::AddSettingChangeHandler(SettingChangeHandler handler) {
  int id = nextId_++;
  settingHandlers_.emplace_back(id, std::move(handler));
  return id;
}

void TApplication::RemoveSettingChangeHandler(int id) {
  settingHandlers_.erase(std::remove_if(settingHandlers_.begin(), settingHandlers_.end(),
                                        [id](const auto& h) { return h.first == id; }),
                         settingHandlers_.end());
}

// ---- minimise

// The forms are owned by the application window: they are hidden with it
// (and shown again on restore) explicitly, as not every system does it.
void TApplication::Minimize() {
  if (!handle_ || IsIconic(handle_)) return;
  ShowOwnedPopups(handle_, FALSE);
  ShowWindow(handle_, SW_MINIMIZE);
}

void TApplication::Restore() {
  if (!handle_ || !IsIconic(handle_)) return;
  ShowWindow(handle_, SW_RESTORE);  // the forms come back on WM_SIZE
}

void TApplication::RestoreForms() {
  ShowOwnedPopups(handle_, TRUE);
  if (TForm* form = activeForm_ ? activeForm_ : mainForm_)
    if (form->HandleAllocated() && IsWindowVisible(form->Handle())) SetActiveWindow(form->Handle());
}

// ---- the application window

LRESULT TApplication::WindowMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SETTINGCHANGE: {  // same id as WM_WININICHANGE
      auto handlers = settingHandlers_;
      for (auto& h : handlers) GuardedVoid([&] { h.second(msg, wParam, lParam); }, this);
      // A new hint window, with the screen's hint font as it is now.
      if (showHint_) {
        SetShowHint(false);
        SetShowHint(true);
      }
      break;
    }
    case WM_ACTIVATEAPP:
      // Posted, so that the loop sees them (and ends a hint on the way).
      PostMessageW(wnd, wParam ? CM_ACTIVATE : CM_DEACTIVATE, 0, 0);
      break;
    case CM_ACTIVATE:
    case CM_DEACTIVATE:
    case CM_APPKEYDOWN:
    case CM_APPSYSCOMMAND:
      CancelHint();
      return 0;
    case CM_SYNCHRONIZE: {
      // A worker thread's step, run here on the user-interface thread.
      auto* step = reinterpret_cast<std::function<void()>*>(lParam);
      if (step) (*step)();
      return 0;
    }
    case WM_CLOSE:
      if (mainForm_) mainForm_->Close();
      return 0;
    case WM_SYSCOMMAND:
      switch (wParam & 0xFFF0) {
        case SC_MINIMIZE: Minimize(); return 0;
        case SC_RESTORE: Restore(); return 0;
        default: break;
      }
      break;
    case WM_SETFOCUS: {
      // The task-bar button activates this window: pass the focus on.
      TForm* form = activeForm_ ? activeForm_ : mainForm_;
      if (form && form->HandleAllocated() && IsWindowVisible(form->Handle()) &&
          IsWindowEnabled(form->Handle())) {
        ::SetFocus(form->Handle());
        return 0;
      }
      break;
    }
    case WM_SIZE:
      // Restored, also by another program (a second copy bringing this one
      // back): the forms hidden on minimising show again.
      if (wParam == SIZE_RESTORED) {
        LRESULT r = DefWindowProcW(wnd, msg, wParam, lParam);
        RestoreForms();
        return r;
      }
      break;
    case WM_QUERYENDSESSION:
      return TRUE;
    default:
      break;
  }
  return DefWindowProcW(wnd, msg, wParam, lParam);
}

// ---- disabling the other windows

TaskWindowsDisabler::TaskWindowsDisabler(HWND except) : except_(except) {
  EnumThreadWindows(GetCurrentThreadId(), Visit, reinterpret_cast<LPARAM>(this));
}

BOOL CALLBACK TaskWindowsDisabler::Visit(HWND wnd, LPARAM self) {
  auto* d = reinterpret_cast<TaskWindowsDisabler*>(self);
  if (wnd != d->except_ && IsWindowVisible(wnd) && IsWindowEnabled(wnd)) {
    d->disabled_.push_back(wnd);
    EnableWindow(wnd, FALSE);
  }
  return TRUE;
}

void TaskWindowsDisabler::Restore() {
  for (auto it = disabled_.rbegin(); it != disabled_.rend(); ++it)
    if (IsWindow(*it)) EnableWindow(*it, TRUE);
  disabled_.clear();
}

}  // namespace fw
