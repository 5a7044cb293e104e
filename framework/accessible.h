#pragma once
// Screen readers (Microsoft Active Accessibility): what a control tells them
// of itself, and every framework window's answer to WM_GETOBJECT for its
// client area. The answer is the system's standard accessible object for the
// window, wrapped so that only what the control says differs (name, role,
// state, value, keyboard shortcut, description); the controls without a
// window of their own (labels, headings) are added to their parent's
// children as simple elements. Everything else goes to the standard object.
//
// The accessibility libraries (oleacc, and COM for the marshalling) are
// loaded on the first WM_GETOBJECT, from the system folder; a program that
// is never asked never loads them.
#include <windows.h>
#include <oleacc.h>

#include <optional>
#include <string>

namespace fw {

class TControl;

// What a control says of itself. What is left empty is the standard
// object's answer (for a control without a window: nothing).
struct AccessibleFacts {
  std::optional<std::wstring> name;  // set but empty: no name at all
  long role = 0;                     // ROLE_SYSTEM_*; 0 keeps the standard one
  long statesSet = 0;                // STATE_SYSTEM_* added to the standard ones
  long statesCleared = 0;            // ... and taken from them
  std::optional<std::wstring> value;
  std::optional<std::wstring> shortcut;
  std::optional<std::wstring> description;
};

// A caption without its accelerator mark ("&Print" -> "Print", "&&" -> "&").
std::wstring WithoutAccelerator(const std::wstring& caption);
// "Alt+P" for "&Print"; empty when the caption has no accelerator.
std::wstring AcceleratorShortcut(const std::wstring& caption);
// Text as it is read out: every run of blanks, line breaks and tabs is one
// space, and none is left at either end (columns and lines laid out for
// the eye say nothing to the ear).
std::wstring SpokenText(const std::wstring& text);

// The answer to WM_GETOBJECT(flags, objectId) for a framework window: the
// wrapped client object for OBJID_CLIENT, else 0 (the system's own answer).
// Also 0 when the libraries cannot be had: clients then make the standard
// object themselves.
LRESULT AnswerGetObject(HWND window, WPARAM flags, LPARAM objectId);

// Tells screen readers that the window's value changed
// (EVENT_OBJECT_VALUECHANGE on its client object).
void NotifyValueChange(HWND window);

}  // namespace fw
