#include "framework/hintwindow.h"

#include "framework/gdi.h"

namespace fw {

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner) {
  SetVisible(false);
  SetColor(clInfoBk);
  Font().SetColor(clInfoText);
}

void THintWindow::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  p.Style = WS_POPUP | WS_BORDER;
  p.ExStyle = WS_EX_TOOLWINDOW | WS_EX_TOPMOST;
  p.ClassStyle |= CS_SAVEBITS;
  p.WndParent = nullptr;
}

RECT THintWindow::CalcHintRect(int maxWidth, const std::wstring& hint) {
  RECT r{0, 0, maxWidth, 0};
  ClientDC screen(nullptr);
  SelectGuard font(screen, Font().Handle());
  DrawTextW(screen, hint.c_str(), static_cast<int>(hint.size()), &r,
            DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  r.right += 6;
  r.bottom += 2;
  return r;
}

void THintWindow::ActivateHint(const RECT& rect, const std::wstring& hint) {
  SetText(hint);
  HandleNeeded();
  SetWindowPos(Handle(), HWND_TOPMOST, rect.left, rect.top, rect.right - rect.left,
               rect.bottom - rect.top, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  Invalidate();
}

void THintWindow::ReleaseHint() {
  if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
}

void THintWindow::Paint() {
  RECT r = ClientRect();
  Canvas().Brush().SetColor(Color());
  Canvas().FillRect(r);
  r.left += 2;
  r.top += 1;
  Canvas().Brush().SetStyle(bsClear);
  Canvas().DrawText(Text(), r, DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
}

}  // namespace fw
