#pragma once
// THints: when and where the hint of the control under the mouse shows. The
// application owns one (Application().Hints()): it follows the mouse moves
// the controls pass on, waits its pauses on a thread timer, asks the hint
// control and OnShowHint, and shows and hides the one hint window.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "framework/hintwindow.h"
#include "framework/messages.h"
#include "graphics/color.h"

namespace fw {

class TControl;

// What a hint control is asked to approve (CM_HINTSHOW) before its hint
// shows; it may change any field.
struct THintInfo {
  TControl* HintControl = nullptr;
  POINT HintPos{};          // screen point of the hint's top-left corner
  int HintMaxWidth = 0;
  TColor HintColor = 0;
  RECT CursorRect{};        // the control's area, its client coordinates
  POINT CursorPos{};        // the cursor, the control's client coordinates
  int ReshowTimeout = 0;
  int HideTimeout = 0;
  std::wstring HintStr;
  THintWindowClass HintWindowClass = fw::HintWindowClass();
  void* HintData = nullptr;
};

// The control under a screen point (graphic children included), or null.
TControl* FindDragTarget(POINT screenPos, bool allowDisabled);

class THints {
 public:
  THints() = default;
  THints(const THints&) = delete;
  THints& operator=(const THints&) = delete;
  ~THints();

  bool ShowHint() const { return showHint_; }
  // On creates a hint window of the process-wide hint window class; off
  // destroys it.
  void SetShowHint(bool value);
  TColor HintColor() const { return hintColor_; }
  void SetHintColor(TColor color);
  // Rest time before a first hint, before the next one while a hint is
  // active, and the time a hint stays (milliseconds).
  int HintPause() const { return hintPause_; }
  void SetHintPause(int ms) { hintPause_ = ms; }
  int HintShortPause() const { return hintShortPause_; }
  void SetHintShortPause(int ms) { hintShortPause_ = ms; }
  int HintHidePause() const { return hintHidePause_; }
  void SetHintHidePause(int ms) { hintHidePause_ = ms; }
  // The one hint window (owned here; null while ShowHint is off).
  THintWindow* HintWindow() const { return hintWindow_.get(); }
  // The control whose hint is pending or shown (not owned).
  TControl* HintControl() const { return hintControl_; }
  bool HintActive() const { return hintActive_; }

  // Called with every WM_MOUSEMOVE a control gets, before it handles it.
  void HintMouseMessage(TControl* control, const TMessage& m);
  // Shows the hint control's hint for the cursor at screenPos now.
  void ActivateHint(POINT screenPos);
  // Hides the hint and forgets its control.
  void CancelHint();
  // Hides the hint window, keeping the hint control.
  void HideHint();
  // Raised before a hint shows when the control did not refuse it.
  std::function<void(std::wstring& hintStr, bool& canShow, THintInfo& info)> OnShowHint;

  // ---- what the application tells
  // A control goes away: it is no longer the hint control.
  void ControlDestroyed(TControl* control);
  // A message taken from the queue: keys, clicks and activation end a hint.
  void MessageTaken(const MSG& msg);
  // The loop ran dry: a pointer that left the program's controls ends it.
  void Idle();
  // The screen's settings changed: a new hint window takes the hint font
  // as it is now.
  void SettingsChanged();

 private:
  enum class TimerMode { Show, Hide };
  static void CALLBACK TimerProc(HWND, UINT, UINT_PTR id, DWORD);
  void StartTimer(int ms, TimerMode mode);
  void StopTimer();
  void TimerExpired();

  bool showHint_ = false;
  TColor hintColor_ = clInfoBk;
  int hintPause_ = 500;
  int hintShortPause_ = 0;
  int hintHidePause_ = 2500;
  TControl* hintControl_ = nullptr;
  bool hintActive_ = false;
  RECT hintCursorRect_{};
  UINT_PTR timer_ = 0;
  TimerMode timerMode_ = TimerMode::Show;
  std::unique_ptr<THintWindow> hintWindow_;
};

}  // namespace fw
