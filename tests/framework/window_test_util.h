#pragma once
// Helpers of the window tests: the one application object of the test
// process, message pumping, keyboard state for posted keys, and a recorder
// of handler calls to compare with expected sequences.
#include <windows.h>

#include <string>
#include <vector>

#include "framework/application.h"
#include "framework/form.h"

namespace fwtest {

// Created on first use, kept for the whole test program.
inline fw::TApplication& App() {
  static fw::TApplication* app = [] {
    auto* a = new fw::TApplication();
    a->SetTitle(L"Window tests");
    return a;
  }();
  return *app;
}

// Handles every queued message through the framework's loop (filters,
// dialog keys, translation, dispatch).
inline void Pump(int rounds = 3) {
  for (int i = 0; i < rounds; ++i) {
    App().ProcessMessages();
    Sleep(1);
  }
}

// Shift/Ctrl/Alt as GetKeyState sees them while posted keys are handled.
inline void SetModifiers(bool shift, bool ctrl = false) {
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_SHIFT] = keys[VK_LSHIFT] = shift ? 0x80 : 0;
  keys[VK_CONTROL] = keys[VK_LCONTROL] = ctrl ? 0x80 : 0;
  keys[VK_MENU] = keys[VK_LMENU] = 0;
  SetKeyboardState(keys);
}

// A key press posted as the keyboard would send it (down, then up), to the
// window that has the focus; the loop translates it into WM_CHAR if nobody
// takes the key first.
inline void PressKey(WORD vk) {
  HWND target = GetFocus();
  UINT scan = MapVirtualKeyW(vk, MAPVK_VK_TO_VSC);
  PostMessageW(target, WM_KEYDOWN, vk, 1 | (static_cast<LPARAM>(scan) << 16));
  PostMessageW(target, WM_KEYUP, vk, 1 | (static_cast<LPARAM>(scan) << 16) | (3u << 30));
  Pump();
}

// Alt+letter as the system sends it: WM_SYSCHAR with the context bit set.
inline void PressAltChar(wchar_t ch) {
  PostMessageW(GetFocus(), WM_SYSCHAR, ch, 1 | (1 << 29));
  Pump();
}

// A character typed into the focused window.
inline void TypeChar(wchar_t ch) {
  PostMessageW(GetFocus(), WM_CHAR, ch, 1);
  Pump();
}

struct Recorder {
  std::vector<std::wstring> calls;
  void operator()(const std::wstring& s) { calls.push_back(s); }
  void Clear() { calls.clear(); }
};

// Shows a form and makes it the active window, as a user would find it.
inline void ShowActive(fw::TForm& form) {
  form.Show();
  SetForegroundWindow(form.Handle());
  SetActiveWindow(form.Handle());
  Pump();
}

}  // namespace fwtest
