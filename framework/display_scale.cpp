#include "framework/display_scale.h"

#include <initializer_list>

#include "framework/system_library.h"
#include "graphics/gdi.h"

namespace fw {
namespace {

// user32 is imported at load time: its newer functions are looked up there.
struct PerMonitorFunctions {
  UINT(WINAPI* dpiForWindow)(HWND);
  UINT(WINAPI* dpiForSystem)();
  int(WINAPI* metricsForDpi)(int, UINT);
  BOOL(WINAPI* parametersForDpi)(UINT, UINT, PVOID, UINT, UINT);
  BOOL(WINAPI* adjustForDpi)(LPRECT, DWORD, BOOL, DWORD, UINT);
  BOOL(WINAPI* enableNonClient)(HWND);
};

const PerMonitorFunctions& Functions() {
  static const PerMonitorFunctions functions = [] {
    HMODULE user32 = GetModuleHandleW(L"user32.dll");
    return PerMonitorFunctions{
        LibraryFunction<UINT(WINAPI*)(HWND)>(user32, "GetDpiForWindow"),
        LibraryFunction<UINT(WINAPI*)()>(user32, "GetDpiForSystem"),
        LibraryFunction<int(WINAPI*)(int, UINT)>(user32, "GetSystemMetricsForDpi"),
        LibraryFunction<BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT)>(user32, "SystemParametersInfoForDpi"),
        LibraryFunction<BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT)>(user32, "AdjustWindowRectExForDpi"),
        LibraryFunction<BOOL(WINAPI*)(HWND)>(user32, "EnableNonClientDpiScaling"),
    };
  }();
  return functions;
}

int ScreenLogPixels() {
  // Without GetDpiForSystem (Windows 7 and 8) it cannot change during a session.
  static const int dpi = [] {
    ClientDC screen(nullptr);
    const int v = GetDeviceCaps(screen, LOGPIXELSY);
    return v > 0 ? v : kDesignDpi;
  }();
  return dpi;
}

void ScaleFont(LOGFONTW& font, int from, int to) { font.lfHeight = MulDiv(font.lfHeight, to, from); }

}  // namespace

int SystemDpi() {
  if (auto f = Functions().dpiForSystem)
    if (const UINT dpi = f(); dpi > 0) return static_cast<int>(dpi);
  return ScreenLogPixels();
}

bool PerMonitorDpi() { return Functions().dpiForWindow != nullptr; }

int WindowDpi(HWND wnd) {
  if (auto f = Functions().dpiForWindow; f && wnd)
    if (const UINT dpi = f(wnd); dpi > 0) return static_cast<int>(dpi);
  return SystemDpi();
}

int DpiAtPoint(POINT p, HWND nearby) {
  if (!PerMonitorDpi()) return SystemDpi();
  HMONITOR monitor = MonitorFromPoint(p, MONITOR_DEFAULTTONEAREST);
  if (nearby && MonitorFromWindow(nearby, MONITOR_DEFAULTTONEAREST) == monitor) return WindowDpi(nearby);
  // No window of ours is there: a hidden one, made there for the question
  // (user32 tells monitor DPIs only through windows).
  HWND probe = CreateWindowExW(WS_EX_TOOLWINDOW | WS_EX_NOACTIVATE, L"STATIC", L"", WS_POPUP, p.x, p.y, 1, 1,
                               nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
  if (!probe) return SystemDpi();
  const int dpi = WindowDpi(probe);
  DestroyWindow(probe);
  return dpi;
}

int MetricForDpi(int index, int dpi) {
  if (auto f = Functions().metricsForDpi) return f(index, static_cast<UINT>(dpi));
  const int system = SystemDpi();
  const int value = GetSystemMetrics(index);
  return dpi == system ? value : MulDiv(value, dpi, system);
}

bool NonClientMetricsForDpi(int dpi, NONCLIENTMETRICSW& metrics) {
  metrics = NONCLIENTMETRICSW{};
  metrics.cbSize = sizeof metrics;
  if (auto f = Functions().parametersForDpi)
    return f(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi)) != FALSE;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) return false;
  // The system's metrics are for its own DPI.
  if (const int system = SystemDpi(); system != dpi) {
    for (LOGFONTW* font : {&metrics.lfCaptionFont, &metrics.lfSmCaptionFont, &metrics.lfMenuFont,
                           &metrics.lfStatusFont, &metrics.lfMessageFont})
      ScaleFont(*font, system, dpi);
  }
  return true;
}

void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi) {
  if (auto f = Functions().adjustForDpi) {
    if (f(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi))) return;
  }
  AdjustWindowRectEx(&rect, style, FALSE, exStyle);
}

void EnableNonClientScaling(HWND wnd) {
  if (auto f = Functions().enableNonClient) f(wnd);
}

HICON LoadIconForDpi(HINSTANCE module, const wchar_t* name, int metric, int dpi) {
  const int size = MetricForDpi(metric, dpi);
  return static_cast<HICON>(LoadImageW(module, name, IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

}  // namespace fw
