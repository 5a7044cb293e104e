#include "effects/fx_shadow_strip.h"

#include "effects/fx_application.h"
#include "effects/fx_pattern.h"
#include "graphics/gdi.h"
#include "framework/guard.h"

namespace fx {

void RegisterShadowClass() {
  WNDCLASSW wc{};
  wc.style = CS_PARENTDC;
  wc.lpfnWndProc = ShadowStripProc;
  wc.cbClsExtra = 0;
  wc.cbWndExtra = kShadowStripExtraBytes;
  wc.hInstance = GetModuleHandleW(nullptr);
  wc.hIcon = nullptr;
  wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = nullptr;
  wc.lpszMenuName = nullptr;
  wc.lpszClassName = kShadowClassName;
  // Fails harmlessly when the class is known already.
  RegisterClassW(&wc);
}

HWND CreateShadowStrip(HWND owner, int x, int y, int w, int h) {
  return CreateWindowExW(0, kShadowClassName, L"", WS_POPUP, x, y, w, h, owner, nullptr,
                         GetModuleHandleW(nullptr), nullptr);
}

void WriteStripSettings(HWND strip, TFxShadowStyle style, fw::TColor color) {
  if (!strip) return;
  SetWindowLongW(strip, kStripStyleOffset, static_cast<LONG>(style));
  SetWindowLongW(strip, kStripColorOffset, static_cast<LONG>(color));
}

TFxShadowStyle StripStyle(HWND strip) {
  return static_cast<TFxShadowStyle>(GetWindowLongW(strip, kStripStyleOffset));
}

fw::TColor StripColor(HWND strip) { return static_cast<fw::TColor>(GetWindowLongW(strip, kStripColorOffset)); }

ShadowStrip& ShadowStrip::operator=(ShadowStrip&& other) noexcept {
  if (this != &other) {
    Reset();
    wnd_ = other.wnd_;
    other.wnd_ = nullptr;
  }
  return *this;
}

void ShadowStrip::Reset() {
  if (!wnd_) return;
  // Only while the handle is still a strip: owned windows go with their
  // owner, and a dead handle's value may be given to another window.
  wchar_t cls[32] = {};
  if (IsWindow(wnd_) && GetClassNameW(wnd_, cls, 32) && lstrcmpW(cls, kShadowClassName) == 0)
    DestroyWindow(wnd_);
  wnd_ = nullptr;
}

namespace {

bool EraseStrip(HWND wnd, HDC dc) {
  RECT client{};
  GetClientRect(wnd, &client);
  const fw::TColor color = StripColor(wnd);
  switch (StripStyle(wnd)) {
    case hssSolid: {
      fw::GdiBrush brush(CreateSolidBrush(fw::ColorToRGB(color)));
      if (brush) FillRect(dc, &client, brush.Get());
      return true;
    }
    case hssTracing:
      // No background brush: the pattern combines with what the DC holds.
      FxPatternAndFill(dc, client, FxApplication().CheckerboardPattern(color));
      return true;
    default:
      return false;
  }
}

}  // namespace

LRESULT CALLBACK ShadowStripProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  switch (msg) {
    case WM_SETFOCUS:
      return 0;
    case WM_ERASEBKGND: {
      const bool erased = fw::Guarded([&] { return EraseStrip(wnd, reinterpret_cast<HDC>(wParam)); }, true);
      if (erased) return 1;
      break;
    }
    default:
      break;
  }
  return DefWindowProcW(wnd, msg, wParam, lParam);
}

}  // namespace fx
