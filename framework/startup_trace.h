#pragma once
// A developer's trace of one start: when window classes are registered, the
// main form is built, each window is created and first painted, and when the
// first frame is complete (the message loop first runs dry with the main
// form shown); with per-window counts of WM_PAINT and WM_ERASEBKGND, the
// parent-background renders of transparent controls and the GDI objects
// created. Switched on by naming a file; then written once, at the first
// complete frame. Off, every hook is one test of a flag.
#include <windows.h>

namespace fw::trace {

namespace detail {
extern bool on;
}

inline bool On() { return detail::on; }

// Starts tracing into the file that the environment variable names, if it
// is set; the clock starts at process creation.
void StartFromEnvironment(const wchar_t* variable);
// Starts tracing into path (tests); Stop ends it without writing.
void Start(const wchar_t* path);
void Stop();

// A point in time worth noting (what is copied).
void Mark(const wchar_t* what, const wchar_t* detail = L"");
// A transparent control had its parent render its background for it.
void CountParentBackground();
// The message loop ran dry: writes the report once the main window is shown.
void LoopIdle(HWND mainWindow);

}  // namespace fw::trace
