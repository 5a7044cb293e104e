// The copy of a parent's background behind a control (see skin_draw.h).
#include "controls/skin_draw.h"
#include "graphics/gdi.h"
#include "framework/startup_trace.h"
#include "framework/wincontrol.h"

namespace skin {

void PaintParentBackground(fw::TControl* control, HDC dc) {
  if (!control) return;
  fw::TWinControl* parent = control->Parent();
  if (!parent || !parent->HandleAllocated()) return;
  // Where the control's client area starts, in the parent's client area.
  const POINT mine = control->ClientOrigin();
  const POINT theirs = parent->ClientOrigin();
  const int dx = mine.x - theirs.x, dy = mine.y - theirs.y;
  fw::SavedDC saved(dc);
  OffsetWindowOrgEx(dc, dx, dy, nullptr);
  // The parent renders once per paint cycle for all its children.
  if (HDC rendered = parent->RenderedBackground()) {
    const RECT area = parent->ClientRect();
    BitBlt(dc, 0, 0, area.right, area.bottom, rendered, 0, 0, SRCCOPY);
    return;
  }
  if (fw::trace::On()) fw::trace::CountParentBackground();
  // Whatever paints the parent's background (its own erase, a fill hook
  // subclassing it) paints into our DC, in the parent's coordinates.
  SendMessageW(parent->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  // Then the parent's non-windowed children (labels) as it would show them.
  parent->PaintControls(dc, nullptr);
}

void PaintParentBackgroundClipped(fw::TControl* control, HDC dc, const RECT& r) {
  fw::ClipRegionGuard clip(dc, r, RGN_AND);
  PaintParentBackground(control, dc);
}

}  // namespace skin
