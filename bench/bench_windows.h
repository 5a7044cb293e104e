#pragma once
// What the main window's benchmarks share: the program's start-up steps
// before its message loop, a pick in one of the form's lists, and the
// baseline window (two plain system EDITs in a bare top-level window, the
// second showing the first's text on every EN_CHANGE).
#include <windows.h>

#include "app/format_settings.h"
#include "app/main_form.h"
#include "app/startup.h"
#include "effects/fx_application.h"
#include "framework/application.h"
#include "stdctrls/combobox.h"

namespace appbench {

// As the program entry prepares itself, up to the application object.
inline void PrepareLikeTheProgram(fw::TApplication& application) {
  app::ReadFormatSettings(app::ProcessFormatSettings());
  fx::InitFxLibrary();
  app::PrepareApplication(application);
}

// A pick in a list, as the list's notification reaches the window.
inline void Pick(app::TForm1& form, fw::TCustomComboBox* list, int index) {
  list->SetItemIndex(index);
  SendMessageW(form.Handle(), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list->Handle()), CBN_SELCHANGE),
               reinterpret_cast<LPARAM>(list->Handle()));
}

// The baseline: a bare window holding an input EDIT and an output EDIT of
// the main window's field sizes. Destroys its windows and its class.
class BareEditWindow {
 public:
  // `font` (not owned) must outlive this window; null keeps the system font.
  BareEditWindow(int left, int top, HFONT font) {
    WNDCLASSW wc{};
    wc.lpfnWndProc = Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClass;
    RegisterClassW(&wc);
    frame_ = CreateWindowExW(WS_EX_TOPMOST, kClass, L"Baseline", WS_POPUP | WS_BORDER, left, top, 388, 197, nullptr,
                             nullptr, wc.hInstance, nullptr);
    const DWORD style = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_RIGHT | ES_AUTOHSCROLL;
    input_ = CreateWindowExW(0, L"EDIT", L"1", style, 8, 72, 177, 21, frame_, reinterpret_cast<HMENU>(kInputId),
                             wc.hInstance, nullptr);
    output_ = CreateWindowExW(0, L"EDIT", L"1", style | ES_READONLY, 8, 120, 177, 24, frame_, nullptr, wc.hInstance,
                              nullptr);
    if (font) {
      SendMessageW(input_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
      SendMessageW(output_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
    }
    SetWindowLongPtrW(frame_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(output_));
    ShowWindow(frame_, SW_SHOWNOACTIVATE);
    UpdateWindow(frame_);
  }
  BareEditWindow(const BareEditWindow&) = delete;
  BareEditWindow& operator=(const BareEditWindow&) = delete;
  ~BareEditWindow() {
    if (frame_) DestroyWindow(frame_);
    UnregisterClassW(kClass, GetModuleHandleW(nullptr));
  }
  HWND Frame() const { return frame_; }
  HWND Input() const { return input_; }
  HWND Output() const { return output_; }

 private:
  static constexpr const wchar_t* kClass = L"BenchBareEditWindow";
  static constexpr int kInputId = 1;
  static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg == WM_COMMAND && LOWORD(wParam) == kInputId && HIWORD(wParam) == EN_CHANGE) {
      wchar_t text[64] = {};
      GetWindowTextW(reinterpret_cast<HWND>(lParam), text, 64);
      SetWindowTextW(reinterpret_cast<HWND>(GetWindowLongPtrW(wnd, GWLP_USERDATA)), text);
      return 0;
    }
    return DefWindowProcW(wnd, msg, wParam, lParam);
  }
  HWND frame_ = nullptr;
  HWND input_ = nullptr;
  HWND output_ = nullptr;
};

}  // namespace appbench
