#pragma once
// The converter's main window and its dialogs as seen from a test process:
// controls found by their place in the window, lists chosen the way a user's
// pick reaches the window, keys clicked, text typed, dialogs read and closed.
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/process_driver.h"

namespace e2e {

// Sends without waiting: the target handles it ahead of its posted messages,
// and a WaitIdle after it returns once it has been handled (or a modal loop
// it opened is running).
void Notify(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// A direct child of `form` whose top-left corner is at (x, y) of the client area.
HWND ControlAt(HWND form, int x, int y);

struct MainWindow {
  HWND form = nullptr;
  HWND source = nullptr;  // SkinComboBox1
  HWND target = nullptr;  // SkinComboBox2
  HWND value = nullptr;   // SkinEdit1
  HWND result = nullptr;  // SkinEdit2
  HWND about = nullptr, print = nullptr, close = nullptr;
  int dpi = 96;  // the window's display scale: its places are the design ones scaled

  // Finds every control at its place for the DPI; false when one is missing.
  bool Bind(HWND mainForm, int windowDpi = 96);
  // Keypad key by caption: '0'..'9', '.', 'C'.
  HWND Key(wchar_t caption) const;

  // Selects a row and tells the window, as a pick in the list does. Not
  // waited for, so a dialog it opens does not block the test.
  void ChooseSource(int index) const;
  void ChooseTarget(int index) const;
  void Click(HWND button) const;
  // Types characters into the value field at its end.
  void Type(const std::wstring& chars) const;

  std::vector<std::wstring> Items(HWND combo) const;
  std::wstring Value() const { return WindowText(value); }
  std::wstring Result() const { return WindowText(result); }
};

// A modal box of the converter: a message dialog (TMessageForm) or a
// standard message box (#32770).
struct SeenDialog {
  HWND window = nullptr;
  std::wstring className;
  std::wstring caption;
  std::wstring text;
  std::vector<std::wstring> buttons;  // captions without "&"
  std::wstring iconName;              // "stop", "information", ... as matched; empty when unknown
};

// Waits for a visible dialog of either kind in the process and reads it.
std::optional<SeenDialog> WaitForDialog(DWORD processId, std::chrono::milliseconds timeout = 10s);
// Presses the dialog's OK button and waits until the dialog is gone.
bool PressOk(const SeenDialog& dialog);

// The system message box's clipboard text, split into caption, text and buttons.
bool ParseMessageBoxCopy(const std::wstring& copy, SeenDialog& into);

}  // namespace e2e
