#pragma once
// The application object of a test program, and how a test lets it run:
// pumping through the framework's loop, a form shown as the active window,
// and keys posted as the keyboard sends them.
#include <windows.h>

#include <functional>

#include "framework/application.h"
#include "framework/form.h"

namespace fwtest {

// How App() makes the application object. A program that wants a title, or
// text drawn without smoothing (so text colours can be compared pixel by
// pixel), says so once, at namespace scope of its fixture header:
//   inline const fwtest::AppSetup kAppSetup{L"Window tests"};
struct AppSetup {
  explicit AppSetup(const wchar_t* title, bool plainText = false);
};

// The one application object of the test program, made on first use and
// kept until the process ends.
fw::TApplication& App();

// Handles every queued message through the framework's loop (filters,
// dialog keys, translation, dispatch), `rounds` times with a short rest.
void Pump(int rounds = 3);
// Pumps until done() answers true or the time is up; answers done().
bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs = 20000);
// Handles every queued message with the system's own loop only.
void DispatchPending();
// Dispatches for a while so that Wine's X11 side settles (activation, mapping).
void Settle(int ms = 60);

// Shows a form and makes it the active window, as a user would find it.
void ShowActive(fw::TForm& form);

// Shift/Ctrl as GetKeyState sees them while posted keys are handled (Alt
// and the right-hand keys up).
void SetModifiers(bool shift, bool ctrl = false);
// A key press posted as the keyboard would send it (down, then up), to the
// window that has the focus; the loop translates it into WM_CHAR if nobody
// takes the key first.
void PressKey(WORD vk);
// Alt+letter as the system sends it: WM_SYSCHAR with the context bit set.
void PressAltChar(wchar_t ch);
// A character typed into the focused window.
void TypeChar(wchar_t ch);

}  // namespace fwtest
