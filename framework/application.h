#pragma once
// TApplication: the hidden top-level window of class "TApplication" (its text
// is the title), the main form, the message loop with idle processing and
// message filters, dialog-key routing, the terminate request, the error
// display for exceptions that leave handlers, the hints (framework/hints.h),
// and the settings-change (WM_WININICHANGE) notification.
// Reach it through fw::Application(); the program creates it in wWinMain.
#include <windows.h>

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "graphics/color.h"
#include "framework/component.h"
#include "framework/hints.h"
#include "framework/messages.h"
#include "framework/startup_trace.h"
#include "framework/window_binding.h"

namespace fw {

class TControl;
class TForm;

class TApplication : public TComponent, public WindowTarget {
 public:
  // Becomes the process's application object (one at a time).
  TApplication();
  ~TApplication() override;
  std::wstring ClassName() const override { return L"TApplication"; }

  void Initialize() {}
  // The application window (created with the object).
  HWND Handle() const { return handle_; }
  const std::wstring& Title() const { return title_; }
  void SetTitle(const std::wstring& title);

  // ---- forms
  // Creates a form owned by the application; the first one becomes the main
  // form. T's constructor takes the owner.
  template <class T>
  T* CreateForm() {
    if (trace::On()) trace::Mark(L"form construction begins");
    T* form = new T(this);
    if (trace::On()) trace::Mark(L"form constructed", form->ClassName().c_str());
    if (!mainForm_) mainForm_ = form;
    return form;
  }
  TForm* MainForm() const { return mainForm_; }
  void SetMainForm(TForm* form) { mainForm_ = form; }
  bool ShowMainForm() const { return showMainForm_; }
  void SetShowMainForm(bool value) { showMainForm_ = value; }
  // The form most recently activated (null when none is).
  TForm* ActiveForm() const { return activeForm_; }

  // ---- message loop
  // Shows the main form and handles messages until Terminate.
  void Run();
  // Ends the message loop (posts WM_QUIT); modal loops end with mrCancel.
  void Terminate();
  bool Terminated() const { return terminated_; }
  // Handles every message waiting now, then returns.
  void ProcessMessages();
  // Handles one message, or idles (OnIdle, then waits) when there is none.
  void HandleMessage();
  // One message: filters, dialog keys, then translation and dispatch.
  // False when no message was waiting.
  bool ProcessMessage(MSG& msg);

  // Filters see every message first; returning true consumes it.
  using MessageFilter = std::function<bool(MSG& msg)>;
  int AddMessageFilter(MessageFilter filter);
  void RemoveMessageFilter(int id);
  std::function<void(MSG& msg, bool& handled)> OnMessage;
  std::function<void(TObject* sender, bool& done)> OnIdle;

  // ---- errors
  // Call inside a catch block: hands the current exception to OnException
  // when set, else to ShowException. Never throws.
  void HandleException(TObject* sender) noexcept;
  // The replaceable error display.
  std::function<void(TObject* sender, std::exception_ptr error)> OnException;
  // The default display: a message box with the title (EAbort shows nothing).
  void ShowException(std::exception_ptr error);

  // ---- hints: when and where the hint of the control under the mouse shows
  THints& Hints() { return hints_; }

  // ---- settings change: called with the message when the application window
  // gets WM_WININICHANGE / WM_SETTINGCHANGE (e.g. to re-read the locale).
  using SettingChangeHandler = std::function<void(UINT msg, WPARAM wParam, LPARAM lParam)>;
  int AddSettingChangeHandler(SettingChangeHandler handler);
  void RemoveSettingChangeHandler(int id);

  // ---- minimising the whole program (the main form's minimise box)
  void Minimize();
  void Restore();

  // Used by forms.
  void FormActivated(TForm* form, bool active);
  void FormShowing(TForm* form, bool showing);
  void FormDestroyed(TForm* form);

  void Notification(TComponent* component, TOperation operation) override;

 private:
  LRESULT WindowMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
  void WindowBound(HWND wnd) override { handle_ = wnd; }
  void WindowGone(HWND) override { handle_ = nullptr; }
  bool IsKeyMsg(MSG& msg);
  void Idle();
  void RestoreForms();

  HWND handle_ = nullptr;
  std::wstring title_;
  TForm* mainForm_ = nullptr;
  TForm* activeForm_ = nullptr;
  bool showMainForm_ = true;
  bool terminated_ = false;
  THints hints_;
  int nextId_ = 1;
  std::vector<std::pair<int, MessageFilter>> filters_;
  std::vector<std::pair<int, SettingChangeHandler>> settingHandlers_;
};

// The application object; throws EInvalidOperation when there is none.
TApplication& Application();
// The application object, or null.
TApplication* ApplicationInstance();

// Disables the visible, enabled top-level windows of this thread (except
// one) and enables them again on destruction: around modal forms and boxes.
class TaskWindowsDisabler {
 public:
  explicit TaskWindowsDisabler(HWND except = nullptr);
  TaskWindowsDisabler(const TaskWindowsDisabler&) = delete;
  TaskWindowsDisabler& operator=(const TaskWindowsDisabler&) = delete;
  ~TaskWindowsDisabler() { Restore(); }
  void Restore();

 private:
  static BOOL CALLBACK Visit(HWND wnd, LPARAM self);
  HWND except_;
  std::vector<HWND> disabled_;
};

}  // namespace fw
