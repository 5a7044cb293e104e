#include "framework/hints.h"

#include "framework/application.h"
#include "framework/control.h"
#include "framework/display_scale.h"
#include "framework/form.h"
#include "framework/guard.h"
#include "framework/wincontrol.h"

namespace fw {
namespace {

// The hints whose thread timer runs (the application's: one per program),
// found again by the timer's callback, which carries no object.
THints* timing = nullptr;

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

// The window of the control's form, to compare monitors with.
HWND NearbyWindow(TControl* control) {
  TForm* form = GetParentForm(control);
  return form && form->HandleAllocated() ? form->Handle() : nullptr;
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

THints::~THints() {
  StopTimer();
  hintControl_ = nullptr;
  hintWindow_.reset();
}

void THints::SetShowHint(bool value) {
  if (showHint_ == value) return;
  showHint_ = value;
  if (value) {
    hintWindow_ = HintWindowClass().Create();
    hintWindow_->SetColor(hintColor_);
  } else {
    hintWindow_.reset();
  }
}

void THints::SetHintColor(TColor color) {
  hintColor_ = color;
  if (hintWindow_) hintWindow_->SetColor(color);
}

void THints::HintMouseMessage(TControl* control, const TMessage& m) {
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
    StartTimer(pause, TimerMode::Show);
  } else {
    hintControl_ = candidate;
    ActivateHint(p);
  }
}

void THints::ActivateHint(POINT cursor) {
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
      // Measured and drawn at the DPI of the monitor the hint shows on.
      hintWindow_->ChangeDpi(DpiAtPoint(info.HintPos, NearbyWindow(hintControl_)));
      RECT r = hintWindow_->CalcHintRect(info.HintMaxWidth, info.HintStr, info.HintData);
      OffsetRect(&r, info.HintPos.x, info.HintPos.y);
      POINT topLeft = hintControl_->ClientToScreen(POINT{info.CursorRect.left, info.CursorRect.top});
      POINT bottomRight =
          hintControl_->ClientToScreen(POINT{info.CursorRect.right, info.CursorRect.bottom});
      hintCursorRect_ = RECT{topLeft.x, topLeft.y, bottomRight.x, bottomRight.y};
      hintWindow_->SetColor(info.HintColor);
      try {
        hintWindow_->ActivateHintData(r, info.HintStr, info.HintData);
      } catch (...) {
        // A window that could not draw its hint (it may be shown already)
        // does not stay with nothing on it: the hint ends as when its time
        // is up, and the error goes on to the error display.
        StopTimer();
        HideHint();
        throw;
      }
      if (info.ReshowTimeout < 1) StartTimer(info.HideTimeout, TimerMode::Hide);
      else StartTimer(info.ReshowTimeout, TimerMode::Show);
      return;
    }
  }
  if (info.ReshowTimeout < 1) CancelHint();
  else StartTimer(info.ReshowTimeout, TimerMode::Show);
}

void THints::CancelHint() {
  if (!hintControl_) return;
  HideHint();
  hintControl_ = nullptr;
  hintActive_ = false;
  StopTimer();
}

void THints::HideHint() {
  if (hintWindow_) hintWindow_->ReleaseHint();
}

void THints::ControlDestroyed(TControl* control) {
  if (control && control == hintControl_) CancelHint();
}

void THints::MessageTaken(const MSG& msg) {
  if (hintWindow_ && hintWindow_->IsHintMsg(msg)) CancelHint();
}

void THints::Idle() {
  POINT p{};
  if (showHint_ && GetCursorPos(&p) && !FindDragTarget(p, true)) CancelHint();
}

void THints::SettingsChanged() {
  if (!showHint_) return;
  SetShowHint(false);
  SetShowHint(true);
}

void CALLBACK THints::TimerProc(HWND, UINT, UINT_PTR id, DWORD) {
  if (timing && id == timing->timer_) GuardedVoid([] { timing->TimerExpired(); }, ApplicationInstance());
}

void THints::StartTimer(int ms, TimerMode mode) {
  StopTimer();
  timerMode_ = mode;
  timer_ = SetTimer(nullptr, 0, static_cast<UINT>(ms < 0 ? 0 : ms), TimerProc);
  if (timer_) timing = this;
  else CancelHint();
}

void THints::StopTimer() {
  if (timer_) KillTimer(nullptr, timer_);
  timer_ = 0;
  if (timing == this) timing = nullptr;
}

void THints::TimerExpired() {
  StopTimer();
  if (timerMode_ == TimerMode::Show) {
    POINT p{};
    GetCursorPos(&p);
    ActivateHint(p);
  } else {
    HideHint();
  }
}

}  // namespace fw
