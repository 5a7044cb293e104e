#include "framework/parent_background.h"

#include <algorithm>
#include <utility>
#include <vector>

#include "framework/startup_trace.h"
#include "framework/wincontrol.h"
#include "graphics/gdi.h"

namespace fw {
namespace {
// The caches of this thread holding a rendering.
thread_local std::vector<BackgroundCache*> holding;
}  // namespace

BackgroundCache::~BackgroundCache() { std::erase(holding, this); }

void BackgroundCache::Drop() { buffer_.reset(); }

void BackgroundCache::DropAll() {
  for (BackgroundCache* cache : std::exchange(holding, {})) cache->Drop();
}

HDC BackgroundCache::Get(TWinControl& owner) {
  if (!owner.HandleAllocated()) return nullptr;
  HWND wnd = owner.Handle();
  if (GetUpdateRect(wnd, nullptr, FALSE)) {
    Drop();
    return nullptr;
  }
  RECT client{};
  GetClientRect(wnd, &client);
  if (client.right <= 0 || client.bottom <= 0) return nullptr;
  if (buffer_ && buffer_->Width() == client.right && buffer_->Height() == client.bottom) return buffer_->DC();
  Drop();
  if (trace::On()) trace::CountParentBackground();
  auto buffer = std::make_unique<OffscreenBuffer>(nullptr, client.right, client.bottom);
  // Whatever paints the background (its own erase, a hook subclassing the
  // window) paints into the buffer; then the graphic children.
  SendMessageW(wnd, WM_ERASEBKGND, reinterpret_cast<WPARAM>(buffer->DC()), 0);
  owner.PaintControls(buffer->DC(), nullptr);
  buffer_ = std::move(buffer);
  if (std::find(holding.begin(), holding.end(), this) == holding.end()) holding.push_back(this);
  return buffer_->DC();
}

void PaintParentBackground(TControl* control, HDC dc) {
  if (!control) return;
  TWinControl* parent = control->Parent();
  if (!parent || !parent->HandleAllocated()) return;
  // Where the control's client area starts, in the parent's client area.
  const POINT mine = control->ClientOrigin();
  const POINT theirs = parent->ClientOrigin();
  SavedDC saved(dc);
  OffsetWindowOrgEx(dc, mine.x - theirs.x, mine.y - theirs.y, nullptr);
  if (HDC rendered = parent->RenderedBackground()) {
    const RECT area = parent->ClientRect();
    BitBlt(dc, 0, 0, area.right, area.bottom, rendered, 0, 0, SRCCOPY);
    return;
  }
  if (trace::On()) trace::CountParentBackground();
  // Whatever paints the parent's background (its own erase, a fill hook
  // subclassing it) paints into our DC, in the parent's coordinates.
  SendMessageW(parent->Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  // Then the parent's non-windowed children (labels) as it would show them.
  parent->PaintControls(dc, nullptr);
}

void PaintParentBackgroundClipped(TControl* control, HDC dc, const RECT& r) {
  ClipRegionGuard clip(dc, r, RGN_AND);
  PaintParentBackground(control, dc);
}

}  // namespace fw
