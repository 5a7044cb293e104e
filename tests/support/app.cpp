#include "tests/support/app.h"

namespace fwtest {
namespace {

const wchar_t* g_title = nullptr;
bool g_plainText = false;

}  // namespace

AppSetup::AppSetup(const wchar_t* title, bool plainText) {
  g_title = title;
  g_plainText = plainText;
}

fw::TApplication& App() {
  static fw::TApplication* app = [] {
    auto* a = new fw::TApplication();  // lives until the process ends
    if (g_title) a->SetTitle(g_title);
    if (g_plainText) SystemParametersInfoW(SPI_SETFONTSMOOTHING, FALSE, nullptr, 0);
    return a;
  }();
  return *app;
}

void Pump(int rounds) {
  for (int i = 0; i < rounds; ++i) {
    App().ProcessMessages();
    Sleep(1);
  }
}

bool PumpUntil(const std::function<bool()>& done, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  while (!done()) {
    if (GetTickCount() - start > timeoutMs) return false;
    Pump(1);
  }
  return true;
}

void DispatchPending() {
  MSG msg;
  while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
  }
}

void Settle(int ms) {
  const DWORD end = GetTickCount() + static_cast<DWORD>(ms);
  do {
    DispatchPending();
    Sleep(5);
  } while (static_cast<LONG>(end - GetTickCount()) > 0);
}

void ShowActive(fw::TForm& form) {
  form.Show();
  SetForegroundWindow(form.Handle());
  SetActiveWindow(form.Handle());
  Pump();
}

void SetModifiers(bool shift, bool ctrl) {
  BYTE keys[256];
  GetKeyboardState(keys);
  keys[VK_SHIFT] = keys[VK_LSHIFT] = shift ? 0x80 : 0;
  keys[VK_CONTROL] = keys[VK_LCONTROL] = ctrl ? 0x80 : 0;
  keys[VK_MENU] = keys[VK_LMENU] = keys[VK_RSHIFT] = keys[VK_RCONTROL] = keys[VK_RMENU] = 0;
  SetKeyboardState(keys);
}

void PressKey(WORD vk) {
  HWND target = GetFocus();
  const LPARAM scan = static_cast<LPARAM>(MapVirtualKeyW(vk, MAPVK_VK_TO_VSC)) << 16;
  PostMessageW(target, WM_KEYDOWN, vk, 1 | scan);
  PostMessageW(target, WM_KEYUP, vk, 1 | scan | (LPARAM{3} << 30));
  Pump();
}

void PressAltChar(wchar_t ch) {
  PostMessageW(GetFocus(), WM_SYSCHAR, ch, 1 | (1 << 29));
  Pump();
}

void TypeChar(wchar_t ch) {
  PostMessageW(GetFocus(), WM_CHAR, ch, 1);
  Pump();
}

}  // namespace fwtest
