#pragma once
// The flat border of edit-like skinned controls: two button-face frames over
// the system's sunken edge, a thin sunken line when "hot" (focused or under
// the mouse), and a window-colour frame inside.
#include <windows.h>

namespace skin {

// What the border surrounds: a plain edit or combo box; a control with its
// own scroll bars (list box, memo), whose scroll-bar sides are left free; a
// grid, which gets no inner window-colour frame.
enum class FlatBorderKind { Plain, Scrolling, Grid };

// Draws over the whole window rectangle of `control`, in window coordinates.
// With no dc the window's own DC is taken and released again.
void DrawFlatBorder(HDC dc, HWND control, bool hot, FlatBorderKind kind = FlatBorderKind::Plain);

}  // namespace skin
