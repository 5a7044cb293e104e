#pragma once
// What a windowed control shows behind the children that let it show through
// (transparent and rounded controls): its background with its graphic
// children on it. A parent renders it once per paint cycle for all of them;
// the rendering goes when the parent paints again, changes size or loses its
// window, and when the message loop runs dry.
#include <windows.h>

#include <memory>

namespace fw {

class OffscreenBuffer;
class TControl;
class TWinControl;

// One control's rendering, kept for the rest of its paint cycle.
class BackgroundCache {
 public:
  ~BackgroundCache();  // leaves the list of this thread's holders

  // The rendering of owner's whole client area, in client coordinates, made
  // now when there is none of that size. Null (the caller renders for
  // itself) without a window, or while part of owner waits to be painted: a
  // change not shown yet.
  HDC Get(TWinControl& owner);
  // A new paint cycle, or the window is gone.
  void Drop();
  // The paint cycle is over: the renderings of this thread are let go (their
  // memory is not kept while idle).
  static void DropAll();

 private:
  std::unique_ptr<OffscreenBuffer> buffer_;
};

// Paints into dc, at (0, 0), exactly what the control's parent shows behind
// the control: from the parent's rendering when it has one, else the parent's
// erase-background painting (WM_ERASEBKGND with dc, origin shifted) followed
// by its non-windowed children. Does nothing for a control without a parent.
// The DC's state is restored.
void PaintParentBackground(TControl* control, HDC dc);
// The same, limited to r (the control's client coordinates).
void PaintParentBackgroundClipped(TControl* control, HDC dc, const RECT& r);

}  // namespace fw
