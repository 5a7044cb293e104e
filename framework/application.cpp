#include "framework/application.h"

#include <algorithm>

#include "framework/form.h"
#include "framework/guard.h"
#include "framework/parent_background.h"
#include "framework/thread.h"
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
  SetSynchronizeWindow(handle_);
  hints_.SetShowHint(true);
}

TApplication::~TApplication() {
  Destroying();
  hints_.SetShowHint(false);
  hints_.CancelHint();
  // Forms (and whatever else the application owns) go first, while the
  // application window still exists for them.
  DestroyComponents();
  mainForm_ = nullptr;
  activeForm_ = nullptr;
  if (instance == this) SetSynchronizeWindow(nullptr);
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
  hints_.Idle();
  if (trace::On() && mainForm_ && mainForm_->HandleAllocated()) trace::LoopIdle(mainForm_->Handle());
  BackgroundCache::DropAll();
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
  hints_.MessageTaken(msg);  // seen, never consumed
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
      hints_.SettingsChanged();
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
      hints_.CancelHint();
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
