#pragma once
// The one place that knows which DPI applies: that of a window, of the
// monitor at a point, of the system, and the system's metrics and fonts for
// a DPI. The per-monitor functions of Windows 10 (user32's GetDpiForWindow,
// GetSystemMetricsForDpi, ...) are looked up in the already loaded user32,
// so that the program still starts on Windows 7 and 8, where every window
// has the system's DPI. Lengths themselves are scaled by the rule of
// graphics/design_scale.h; controls do it through TControl::Scaled.
#include <windows.h>

#include "graphics/design_scale.h"

namespace fw {

// Windows 10 1703's question before WM_DPICHANGED (the headers name it only
// for newer targets than this program's).
inline constexpr UINT kWmGetDpiScaledSize = 0x02E4;

// The system's DPI: GetDpiForSystem, else the screen's LOGPIXELSY.
int SystemDpi();
// Whether windows have DPIs of their own (Windows 10 1607 and later).
bool PerMonitorDpi();
// The DPI of a window (of the monitor a top-level window is on); the
// system's without the per-window function or for a null window.
int WindowDpi(HWND wnd);
// The DPI of the monitor at a screen point: that of `nearby` when it is on the
// same monitor, else asked of a hidden probe window placed there.
int DpiAtPoint(POINT p, HWND nearby = nullptr);

// GetSystemMetrics for a DPI (without GetSystemMetricsForDpi: the system's
// value, scaled from the system's DPI).
int MetricForDpi(int index, int dpi);
// The system's non-client metrics (fonts among them) for a DPI; false when
// the system does not tell.
bool NonClientMetricsForDpi(int dpi, NONCLIENTMETRICSW& metrics);
// AdjustWindowRectEx for a DPI (no menu).
void AdjustWindowRectForDpi(RECT& rect, DWORD style, DWORD exStyle, int dpi);
// Lets the system scale a top-level window's frame and caption where the
// process is per-monitor aware of the first version (call in WM_NCCREATE).
void EnableNonClientScaling(HWND wnd);
// An icon resource at the size of a system icon metric (SM_CXICON,
// SM_CXSMICON) for a DPI; the caller destroys it. Null when missing.
HICON LoadIconForDpi(HINSTANCE module, const wchar_t* name, int metric, int dpi);

}  // namespace fw
