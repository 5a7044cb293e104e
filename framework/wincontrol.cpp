#include "framework/wincontrol.h"

#include <algorithm>
#include <climits>

#include "framework/accessible.h"
#include "framework/display_scale.h"
#include "framework/form.h"
#include "graphics/gdi.h"
#include "framework/window_errors.h"

namespace fw {
namespace {
UINT_PTR NextChildId() {
  static UINT_PTR next = 100;
  if (++next > 0xFFF0) next = 100;
  return next;
}

}  // namespace

TWinControl::TWinControl(TComponent* owner) : TControl(owner), childId_(NextChildId()) {
  brush_.SetColor(Color());
}

TWinControl::~TWinControl() {
  Destroying();
  // Leave the parent while still a TWinControl, so that it drops this
  // control from its tab order too.
  if (Parent()) Parent()->RemoveControl(this);
  DestroyHandle();
  // Children go with their parent, whoever owns them (they leave their
  // owner's list on the way).
  while (!controls_.empty()) {
    TControl* child = controls_.back();
    RemoveControl(child);
    delete child;
  }
}

// ---- window

HWND TWinControl::Handle() {
  if (!handle_) {
    if (Parent()) Parent()->HandleNeeded();
    if (!handle_) CreateHandle();
  }
  return handle_;
}

TWinControl* TWinControl::FindControl(HWND wnd) {
  return dynamic_cast<TWinControl*>(TargetOf(wnd));
}

TWinControl* TWinControl::FindControlOrOwner(HWND wnd) {
  if (TWinControl* c = FindControl(wnd)) return c;
  if (!wnd) return nullptr;
  return FindControl(GetParent(wnd));
}

void TWinControl::CreateParams(TCreateParams& p) {
  p.Caption = text_;
  p.Style = WS_CHILD | WS_CLIPSIBLINGS;
  if (ControlStyle() & csAcceptsControls) p.Style |= WS_CLIPCHILDREN;
  if (Visible()) p.Style |= WS_VISIBLE;
  if (!Enabled()) p.Style |= WS_DISABLED;
  if (tabStop_) p.Style |= WS_TABSTOP;
  p.X = Left();
  p.Y = Top();
  p.Width = Width();
  p.Height = Height();
  p.WndParent = Parent() ? Parent()->handle_ : nullptr;
  p.WinClassName = ClassName();
}

void TWinControl::CreateWindowHandle(const TCreateParams& p) {
  WNDPROC def = RegisterBoundClass(p.WinClassName, p.BaseClass, p.ClassStyle);
  if (!def) throw EWin32Error(L"Cannot register window class " + p.WinClassName);
  defWndProc_ = def;
  // A child window's id travels in the menu handle (both pointer-sized).
  HMENU id = (p.Style & WS_CHILD) ? reinterpret_cast<HMENU>(childId_) : nullptr;
  HWND wnd = CreateBoundWindow(this, p.ExStyle, p.WinClassName, p.Caption, p.Style, p.X, p.Y,
                               p.Width, p.Height, p.WndParent, id);
  if (!wnd) throw EWin32Error(L"Error creating window " + p.WinClassName);
}

void TWinControl::CreateWnd() {
  TCreateParams p;
  CreateParams(p);
  if ((p.Style & WS_CHILD) && !p.WndParent)
    throw EInvalidOperation(L"Control '" + Name() + L"' has no parent window");
  CreateWindowHandle(p);
  SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), 0);
  UpdateBoundsFromWindow();
}

void TWinControl::CreateHandle() {
  if (handle_) return;
  CreateWnd();
  if (!ChildWindowsWait()) CreateChildWindows();
}

void TWinControl::CreateChildWindows() {
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->CreateHandle();
}

void TWinControl::DestroyWnd() {
  if (!handle_) return;
  int length = GetWindowTextLengthW(handle_);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(handle_, text.data(), length + 1)));
  text_ = text;
  DestroyWindowHandle();
}

void TWinControl::DestroyWindowHandle() {
  if (handle_) DestroyWindow(handle_);
  handle_ = nullptr;
}

void TWinControl::DestroyHandle() {
  if (!handle_) return;
  for (TControl* c : controls_)
    if (auto* w = dynamic_cast<TWinControl*>(c)) w->DestroyHandle();
  DestroyWnd();
}

void TWinControl::RecreateWnd() {
  if (!handle_ || recreating_) return;
  recreating_ = true;
  struct Reset { bool& f; ~Reset() { f = false; } } reset{recreating_};
  bool focused = Focused();
  DestroyHandle();
  CreateHandle();
  if (focused && CanFocus()) ::SetFocus(handle_);
}

void TWinControl::CMRecreateWnd(TMessage&) { RecreateWnd(); }

LRESULT TWinControl::WindowMessage(HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  WndProc(m);
  return m.Result;
}

void TWinControl::WindowBound(HWND wnd) { handle_ = wnd; }

void TWinControl::WindowGone(HWND wnd) {
  if (handle_ == wnd) handle_ = nullptr;
  background_.Drop();
  captureControl_ = nullptr;
  mouseControl_ = nullptr;
  mouseInControl_ = false;
}

void TWinControl::WndProc(TMessage& m) {
  // Screen readers ask every window for its client object: the control
  // says what it is (see framework/accessible.h).
  if (m.Msg == WM_GETOBJECT && handle_) {
    m.Result = AnswerGetObject(handle_, m.WParam, m.LParam);
    if (m.Result) return;
  }
  TControl::WndProc(m);
  // The keyboard cues were shown or hidden: the focus mark (also on a
  // border) and the accelerators' underlines follow.
  if (m.Msg == WM_UPDATEUISTATE && handle_)
    RedrawWindow(handle_, nullptr, nullptr,
                 RDW_INVALIDATE | RDW_FRAME | ((ControlStyle() & csOpaque) ? 0 : RDW_ERASE));
}

bool TWinControl::FocusCuesShown() const {
  return !handle_ || (SendMessageW(handle_, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) == 0;
}

bool TWinControl::AcceleratorCuesShown() const {
  return !handle_ || (SendMessageW(handle_, WM_QUERYUISTATE, 0, 0) & UISF_HIDEACCEL) == 0;
}

void TWinControl::DefaultHandler(TMessage& m) {
  if (IsReflected(m.Msg)) {
    UINT original = m.Msg - CN_BASE;
    if (IsCtlColorMessage(original)) {
      HDC dc = reinterpret_cast<HDC>(m.WParam);
      SetTextColor(dc, ColorToRGB(Font().Color()));
      SetBkColor(dc, ColorToRGB(Color()));
      m.Result = reinterpret_cast<LRESULT>(brush_.Handle());
      return;
    }
    if (original >= WM_KEYFIRST && original <= WM_KEYLAST) {
      m.Result = 0;
      return;
    }
    // Not handled by the child: what the parent window would have done.
    TWinControl* p = Parent();
    m.Result = (p && p->handle_)
                   ? CallWindowProcW(p->defWndProc_, p->handle_, original, m.WParam, m.LParam)
                   : 0;
    return;
  }
  if (m.Msg >= CM_BASE && m.Msg < CN_BASE) {
    m.Result = 0;
    return;
  }
  if (handle_) {
    m.Result = CallWindowProcW(defWndProc_, handle_, m.Msg, m.WParam, m.LParam);
    return;
  }
  TControl::DefaultHandler(m);
}

LRESULT TWinControl::SendToWindow(UINT msg, WPARAM wParam, LPARAM lParam) {
  if (handle_) return SendMessageW(handle_, msg, wParam, lParam);
  return Perform(msg, wParam, lParam);
}

std::wstring TWinControl::GetText() const {
  if (!handle_) return text_;
  int length = GetWindowTextLengthW(handle_);
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(handle_, text.data(), length + 1)));
  return text;
}

void TWinControl::SetTextBuf(const std::wstring& text) {
  if (handle_) SetWindowTextW(handle_, text.c_str());
  else text_ = text;
}

// ---- children

void TWinControl::InsertControl(TControl* control) {
  if (!control || ContainsControl(control)) return;
  control->SetParentFields(this);
  controls_.push_back(control);
  auto* win = dynamic_cast<TWinControl*>(control);
  if (win) tabList_.push_back(win);
  // Inherited looks.
  control->ParentLooksChanged(CM_PARENTFONTCHANGED);
  control->ParentLooksChanged(CM_PARENTCOLORCHANGED);
  control->ChangeDpi(Dpi());
  if (control->ParentShowHint()) control->Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
  if (win && handle_ && !ChildWindowsWait()) win->CreateHandle();
  else control->Invalidate();
}

void TWinControl::RemoveControl(TControl* control) {
  auto it = std::find(controls_.begin(), controls_.end(), control);
  if (it == controls_.end()) return;
  if (TForm* form = GetParentForm(this)) form->ControlRemoved(control);
  control->Invalidate();
  if (auto* win = dynamic_cast<TWinControl*>(control)) {
    win->DestroyHandle();
    tabList_.erase(std::remove(tabList_.begin(), tabList_.end(), win), tabList_.end());
  }
  controls_.erase(std::find(controls_.begin(), controls_.end(), control));
  if (captureControl_ == control) {
    captureControl_ = nullptr;
    if (handle_ && GetCapture() == handle_) ReleaseCapture();
  }
  if (mouseControl_ == control) mouseControl_ = nullptr;
  control->SetParentFields(nullptr);
}

void TWinControl::MoveControl(TControl* control, bool toFront) {
  auto it = std::find(controls_.begin(), controls_.end(), control);
  if (it == controls_.end()) return;
  controls_.erase(it);
  if (toFront) controls_.push_back(control);
  else controls_.insert(controls_.begin(), control);
  if (auto* w = dynamic_cast<TWinControl*>(control); w && w->handle_)
    SetWindowPos(w->handle_, toFront ? HWND_TOP : HWND_BOTTOM, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  else
    control->Invalidate();
}

bool TWinControl::ContainsControl(const TControl* control) const {
  return std::find(controls_.begin(), controls_.end(), control) != controls_.end();
}

TControl* TWinControl::ControlAtPos(POINT p, bool allowDisabled, bool allowWinControls) const {
  for (size_t i = controls_.size(); i-- > 0;) {
    TControl* c = controls_[i];
    bool windowed = dynamic_cast<TWinControl*>(c) != nullptr;
    if (windowed && !allowWinControls) continue;
    if (!c->Visible() || (!c->Enabled() && !allowDisabled)) continue;
    RECT r = c->BoundsRect();
    if (PtInRect(&r, p)) return c;
  }
  return nullptr;
}

void TWinControl::Broadcast(TMessage& m) {
  for (size_t i = 0; i < controls_.size(); ++i) {
    controls_[i]->WndProc(m);
    if (m.Result != 0) return;
  }
}

void TWinControl::NotifyControls(UINT msg) {
  TMessage m{msg, 0, 0, 0};
  Broadcast(m);
}

// ---- tab order and focus

int TWinControl::TabOrder() const {
  TWinControl* p = Parent();
  if (!p) return -1;
  auto it = std::find(p->tabList_.begin(), p->tabList_.end(), this);
  return it == p->tabList_.end() ? -1 : static_cast<int>(it - p->tabList_.begin());
}

void TWinControl::SetTabOrder(int order) {
  if (IsLoading()) loadingTabOrder_ = order;
  TWinControl* p = Parent();
  if (!p || order < 0) return;
  auto& list = p->tabList_;
  auto it = std::find(list.begin(), list.end(), this);
  if (it == list.end()) return;
  list.erase(it);
  size_t at = std::min(static_cast<size_t>(order), list.size());
  list.insert(list.begin() + static_cast<std::ptrdiff_t>(at), this);
}

void TWinControl::FixupTabList() {
  std::stable_sort(tabList_.begin(), tabList_.end(), [](TWinControl* a, TWinControl* b) {
    int oa = a->loadingTabOrder_ < 0 ? INT_MAX : a->loadingTabOrder_;
    int ob = b->loadingTabOrder_ < 0 ? INT_MAX : b->loadingTabOrder_;
    return oa < ob;
  });
  for (TWinControl* w : tabList_) {
    w->loadingTabOrder_ = -1;
    w->FixupTabList();
  }
}

void TWinControl::SetTabStop(bool value) {
  if (tabStop_ == value) return;
  tabStop_ = value;
  if (handle_) {
    LONG_PTR style = GetWindowLongPtrW(handle_, GWL_STYLE);
    style = value ? (style | WS_TABSTOP) : (style & ~static_cast<LONG_PTR>(WS_TABSTOP));
    SetWindowLongPtrW(handle_, GWL_STYLE, style);
  }
}

void TWinControl::GetTabOrderList(std::vector<TWinControl*>& list) const {
  for (TWinControl* w : tabList_) {
    list.push_back(w);
    w->GetTabOrderList(list);
  }
}

bool TWinControl::CanFocus() const {
  for (const TControl* c = this; c; c = c->Parent())
    if (!c->Visible() || !c->Enabled()) return false;
  return true;
}

bool TWinControl::Focused() const { return handle_ && GetFocus() == handle_; }

void TWinControl::SetFocus() {
  TForm* form = GetParentForm(this);
  if (form && form != this) {
    form->FocusControl(this);
    return;
  }
  ::SetFocus(Handle());
}

TWinControl* TWinControl::FindNextControl(TWinControl* current, bool forward, bool checkTabStop,
                                          bool checkParent) const {
  std::vector<TWinControl*> list;
  GetTabOrderList(list);
  if (list.empty()) return nullptr;
  const int n = static_cast<int>(list.size());
  auto it = std::find(list.begin(), list.end(), current);
  int start = it == list.end() ? (forward ? n - 1 : 0) : static_cast<int>(it - list.begin());
  int i = start;
  for (int step = 0; step < n; ++step) {
    i = forward ? (i + 1) % n : (i + n - 1) % n;
    TWinControl* c = list[static_cast<size_t>(i)];
    if (c == current) continue;
    if (!c->CanFocus()) continue;
    if (checkTabStop && !c->TabStop()) continue;
    if (checkParent && c->Parent() != this) continue;
    return c;
  }
  return nullptr;
}

void TWinControl::SelectNext(TWinControl* current, bool forward, bool checkTabStop) {
  if (TWinControl* c = FindNextControl(current, forward, checkTabStop, !checkTabStop))
    c->SetFocus();
}

// ---- geometry

void TWinControl::SetBounds(int left, int top, int width, int height) {
  NoteDesignBounds(left, top, width, height);
  if (handle_) {
    if (left == Left() && top == Top() && width == Width() && height == Height()) return;
    SetWindowPos(handle_, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
    UpdateBoundsFromWindow();
  } else {
    left_ = left;
    top_ = top;
    width_ = width;
    height_ = height;
  }
}

void TWinControl::UpdateBoundsFromWindow() {
  if (!handle_) return;
  RECT r;
  GetWindowRect(handle_, &r);
  if (GetWindowLongPtrW(handle_, GWL_STYLE) & WS_CHILD) {
    HWND parent = GetParent(handle_);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);  // a RECT is two POINTs
  }
  left_ = r.left;
  top_ = r.top;
  width_ = r.right - r.left;
  height_ = r.bottom - r.top;
}

RECT TWinControl::ClientRect() const {
  RECT r{0, 0, 0, 0};
  if (handle_) {
    GetClientRect(handle_, &r);
    return r;
  }
  TCreateParams p;
  const_cast<TWinControl*>(this)->CreateParams(p);
  AdjustWindowRectForDpi(r, p.Style & ~static_cast<DWORD>(WS_CHILD), p.ExStyle, Dpi());
  return RECT{0, 0, std::max(0L, Width() - (r.right - r.left)), std::max(0L, Height() - (r.bottom - r.top))};
}

POINT TWinControl::ClientOrigin() const {
  if (handle_) {
    POINT p{0, 0};
    ::ClientToScreen(handle_, &p);
    return p;
  }
  return TControl::ClientOrigin();
}

bool TWinControl::Showing() const {
  if (!Visible()) return false;
  return Parent() ? Parent()->Showing() : false;
}

void TWinControl::VisibleChanging() { UpdateShowing(); }

void TWinControl::UpdateShowing() {
  if (handle_) {
    Perform(CM_SHOWINGCHANGED, 0, 0);
  } else if (Visible() && Parent() && Parent()->handle_) {
    CreateHandle();  // created visible
  }
}

void TWinControl::CMShowingChanged(TMessage&) {
  if (handle_) ShowWindow(handle_, Visible() ? SW_SHOWNOACTIVATE : SW_HIDE);
}

void TWinControl::CMVisibleChanged(TMessage&) {}

// ---- display scale

void TWinControl::AssignDpi(int dpi) {
  TControl::AssignDpi(dpi);
  for (TControl* c : controls_) c->AssignDpi(dpi);
}

void TWinControl::ApplyDpi(int oldDpi) {
  // What the children copied was rendered for the old DPI.
  background_.Drop();
  ScaleToOwnDpi();
  for (TControl* c : controls_) c->ApplyDpi(oldDpi);
  NotifyDpiChanged(oldDpi);
  Invalidate();
}

// ---- painting

void TWinControl::Invalidate() {
  if (handle_) InvalidateRect(handle_, nullptr, (ControlStyle() & csOpaque) ? FALSE : TRUE);
}

void TWinControl::Update() {
  if (handle_) UpdateWindow(handle_);
}

void TWinControl::Repaint() {
  Invalidate();
  Update();
}

void TWinControl::PaintControls(HDC dc, TControl* first) {
  auto it = controls_.begin();
  if (first) it = std::find(controls_.begin(), controls_.end(), first);
  for (; it != controls_.end(); ++it) {
    TControl* c = *it;
    if (dynamic_cast<TWinControl*>(c) || !c->Visible()) continue;
    RECT r = c->BoundsRect();
    if (!RectVisible(dc, &r)) continue;
    SavedDC saved(dc);
    OffsetViewportOrgEx(dc, r.left, r.top, nullptr);
    IntersectClipRect(dc, 0, 0, r.right - r.left, r.bottom - r.top);
    c->Perform(WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  }
}

void TWinControl::PaintWindow(HDC dc) {
  if (defWndProc_ == DefWindowProcW) return;  // nothing of its own to paint
  TMessage m{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
  DefaultHandler(m);
}

void TWinControl::PaintTo(HDC dc, int x, int y) {
  HandleNeeded();
  SavedDC saved(dc);
  OffsetViewportOrgEx(dc, x, y, nullptr);
  RECT window, client;
  GetWindowRect(handle_, &window);
  GetClientRect(handle_, &client);
  POINT origin{0, 0};
  ::ClientToScreen(handle_, &origin);
  int cx = origin.x - window.left, cy = origin.y - window.top;
  RECT outer{0, 0, window.right - window.left, window.bottom - window.top};
  LONG_PTR exStyle = GetWindowLongPtrW(handle_, GWL_EXSTYLE);
  if (exStyle & WS_EX_CLIENTEDGE) DrawEdge(dc, &outer, EDGE_SUNKEN, BF_RECT | BF_ADJUST);
  else if (GetWindowLongPtrW(handle_, GWL_STYLE) & WS_BORDER) FrameRect(dc, &outer, static_cast<HBRUSH>(GetStockObject(BLACK_BRUSH)));
  OffsetViewportOrgEx(dc, cx, cy, nullptr);
  IntersectClipRect(dc, 0, 0, client.right, client.bottom);
  SendMessageW(handle_, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  SendMessageW(handle_, WM_PAINT, reinterpret_cast<WPARAM>(dc), 0);
  for (TControl* c : controls_) {
    auto* w = dynamic_cast<TWinControl*>(c);
    if (w && w->Visible() && w->handle_) w->PaintTo(dc, w->Left(), w->Top());
  }
}

void TWinControl::WMPaint(TMessage& m) {
  if (HDC given = reinterpret_cast<HDC>(m.WParam)) {
    PaintWindow(given);
    PaintControls(given);
    return;
  }
  // A new paint cycle: what the children copy is rendered afresh.
  background_.Drop();
  bool graphicChildren = std::any_of(controls_.begin(), controls_.end(), [](TControl* c) {
    return dynamic_cast<TWinControl*>(c) == nullptr;
  });
  if (!graphicChildren && defWndProc_ != DefWindowProcW) {
    DefaultHandler(m);
    return;
  }
  PaintDC dc(handle_);
  PaintWindow(dc);
  PaintControls(dc);
}

void TWinControl::WMNCPaint(TMessage& m) {
  // A window without frame, caption or scroll bars has no non-client area:
  // the system's handling would only fetch a window DC to draw nothing
  // (a round trip to the window server for each child as a form shows).
  RECT window{}, client{};
  if (handle_ && GetWindowRect(handle_, &window) && GetClientRect(handle_, &client) &&
      window.right - window.left == client.right && window.bottom - window.top == client.bottom) {
    m.Result = 0;
    return;
  }
  DefaultHandler(m);
}

void TWinControl::WMEraseBkgnd(TMessage& m) {
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  RECT r = ClientRect();
  FillRect(dc, &r, brush_.Handle());
  m.Result = 1;
}

// ---- window messages

void TWinControl::WMSize(TMessage& m) {
  DefaultHandler(m);
  UpdateBoundsFromWindow();
}

void TWinControl::WMMove(TMessage& m) {
  DefaultHandler(m);
  UpdateBoundsFromWindow();
}

void TWinControl::WMWindowPosChanged(TMessage& m) {
  DefaultHandler(m);
  UpdateBoundsFromWindow();
}

void TWinControl::WMSetFocus(TMessage& m) {
  DefaultHandler(m);
  if (TForm* form = GetParentForm(this)) form->SetFocusedControl(this);
}

void TWinControl::WMKillFocus(TMessage& m) { DefaultHandler(m); }

void TWinControl::DoEnter() {
  if (OnEnter) OnEnter(this);
}
void TWinControl::DoExit() {
  if (OnExit) OnExit(this);
}
void TWinControl::CMEnter(TMessage&) { DoEnter(); }
void TWinControl::CMExit(TMessage&) { DoExit(); }

bool TWinControl::DoKeyDown(TMessage& m) {
  TForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview() &&
      static_cast<TWinControl*>(form)->DoKeyDown(m))
    return true;
  if (OnKeyDown) {
    WORD key = static_cast<WORD>(m.WParam);
    OnKeyDown(this, key, KeyDataToShiftState(m.LParam));
    m.WParam = key;
    if (key == 0) return true;
  }
  return false;
}

bool TWinControl::DoKeyUp(TMessage& m) {
  TForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview() &&
      static_cast<TWinControl*>(form)->DoKeyUp(m))
    return true;
  if (OnKeyUp) {
    WORD key = static_cast<WORD>(m.WParam);
    OnKeyUp(this, key, KeyDataToShiftState(m.LParam));
    m.WParam = key;
    if (key == 0) return true;
  }
  return false;
}

bool TWinControl::DoKeyPress(TMessage& m) {
  TForm* form = GetParentForm(this);
  if (form && form != this && form->KeyPreview() &&
      static_cast<TWinControl*>(form)->DoKeyPress(m))
    return true;
  if (OnKeyPress) {
    wchar_t ch = static_cast<wchar_t>(m.WParam);
    OnKeyPress(this, ch);
    m.WParam = ch;
    if (ch == 0) return true;
  }
  return false;
}

void TWinControl::WMKeyDown(TMessage& m) {
  if (!DoKeyDown(m)) DefaultHandler(m);
}
void TWinControl::WMKeyUp(TMessage& m) {
  if (!DoKeyUp(m)) DefaultHandler(m);
}
void TWinControl::WMChar(TMessage& m) {
  if (!DoKeyPress(m)) DefaultHandler(m);
}
void TWinControl::WMSysKeyDown(TMessage& m) {
  if (!DoKeyDown(m)) DefaultHandler(m);
}
void TWinControl::WMSysChar(TMessage& m) { DefaultHandler(m); }

// Keys offered by the message loop before dispatch: dialog keys go to the
// form unless the control wants them itself.
void TWinControl::CNKeyDown(TMessage& m) {
  m.Result = 1;
  LRESULT mask = 0;
  switch (m.WParam) {
    case VK_TAB: mask = DLGC_WANTTAB; break;
    case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN: mask = DLGC_WANTARROWS; break;
    case VK_RETURN: case VK_EXECUTE: case VK_ESCAPE: case VK_CANCEL: mask = DLGC_WANTALLKEYS; break;
    default: break;
  }
  if (mask != 0 && Perform(CM_WANTSPECIALKEY, m.WParam, 0) == 0 &&
      (Perform(WM_GETDLGCODE, 0, 0) & mask) == 0) {
    TForm* form = GetParentForm(this);
    if (form && form->Perform(CM_DIALOGKEY, m.WParam, m.LParam) != 0) return;
  }
  m.Result = 0;
}

void TWinControl::CNChar(TMessage& m) {
  m.Result = 1;
  if ((Perform(WM_GETDLGCODE, 0, 0) & DLGC_WANTCHARS) == 0) {
    TForm* form = GetParentForm(this);
    if (form && form->Perform(CM_DIALOGCHAR, m.WParam, m.LParam) != 0) return;
  }
  m.Result = 0;
}

void TWinControl::CNSysKeyDown(TMessage& m) {
  // Alt shows the accelerators (and the focus) from now on.
  if (m.WParam == VK_MENU)
    if (TForm* form = GetParentForm(this)) form->ShowKeyboardCues();
  m.Result = 0;
}

void TWinControl::CNSysChar(TMessage& m) {
  // Alt+letter: an accelerator of the form, whatever has the focus.
  TForm* form = GetParentForm(this);
  m.Result = (form && form->Perform(CM_DIALOGCHAR, m.WParam, m.LParam) != 0) ? 1 : 0;
}

void TWinControl::CMDialogKey(TMessage& m) { Broadcast(m); }
void TWinControl::CMDialogChar(TMessage& m) { Broadcast(m); }

// ---- reflection

bool TWinControl::DoControlMsg(HWND child, TMessage& m) {
  TWinControl* control = FindControl(child);
  if (!control || control == this) return false;
  m.Result = control->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
  return true;
}

void TWinControl::WMCommand(TMessage& m) {
  if (!DoControlMsg(reinterpret_cast<HWND>(m.LParam), m)) DefaultHandler(m);
}

void TWinControl::WMNotify(TMessage& m) {
  auto* header = reinterpret_cast<NMHDR*>(m.LParam);
  if (!header || !DoControlMsg(header->hwndFrom, m)) DefaultHandler(m);
}

void TWinControl::WMDrawItem(TMessage& m) {
  auto* item = reinterpret_cast<DRAWITEMSTRUCT*>(m.LParam);
  if (!item || item->CtlType == ODT_MENU || !DoControlMsg(item->hwndItem, m)) DefaultHandler(m);
}

void TWinControl::WMMeasureItem(TMessage& m) {
  auto* item = reinterpret_cast<MEASUREITEMSTRUCT*>(m.LParam);
  if (item && item->CtlType != ODT_MENU) {
    // Sent while the child's window is still being created, so found by id.
    for (TControl* c : controls_) {
      auto* w = dynamic_cast<TWinControl*>(c);
      if (w && w->childId_ == item->CtlID) {
        m.Result = w->Perform(CN_MEASUREITEM, m.WParam, m.LParam);
        return;
      }
    }
  }
  DefaultHandler(m);
}

void TWinControl::WMCtlColor(TMessage& m) {
  HWND from = reinterpret_cast<HWND>(m.LParam);
  TWinControl* control = FindControl(from);
  // An inner window of this control (a combo box's list or edit) asks.
  if (!control && !IsTopLevel() && FindControlOrOwner(from) == this) control = this;
  if (!control) {
    DefaultHandler(m);
    return;
  }
  m.Result = control->Perform(CN_BASE + m.Msg, m.WParam, m.LParam);
}

void TWinControl::WMSetCursor(TMessage& m) {
  if (reinterpret_cast<HWND>(m.WParam) == handle_ && LOWORD(m.LParam) == HTCLIENT) {
    POINT p;
    GetCursorPos(&p);
    ::ScreenToClient(handle_, &p);
    TControl* c = ControlAtPos(p, false);
    TCursor cursor = c ? c->Cursor() : Cursor();
    if (cursor == crDefault && c) cursor = Cursor();
    if (HCURSOR h = CursorHandle(cursor)) {
      ::SetCursor(h);
      m.Result = 1;
      return;
    }
  }
  DefaultHandler(m);
}

// ---- mouse: graphic children get what falls on them

TControl* TWinControl::GraphicChildForMouse(POINT p) {
  if (captureControl_) return captureControl_;
  return ControlAtPos(p, false);
}

void TWinControl::WMMouse(TMessage& m) {
  if (m.Msg == WM_MOUSEMOVE && !MouseInControl() && handle_) {
    mouseInControl_ = true;
    TRACKMOUSEEVENT tme{sizeof tme, TME_LEAVE, handle_, 0};
    TrackMouseEvent(&tme);
    Perform(CM_MOUSEENTER, 0, 0);
  }
  POINT p{m.XPos(), m.YPos()};
  TControl* target = GraphicChildForMouse(p);
  if (m.Msg == WM_MOUSEMOVE && !captureControl_ && target != mouseControl_) {
    if (TControl* old = mouseControl_) {
      mouseControl_ = nullptr;
      old->mouseInControl_ = false;
      old->Perform(CM_MOUSELEAVE, 0, 0);
    }
    if (target) {
      mouseControl_ = target;
      target->mouseInControl_ = true;
      target->Perform(CM_MOUSEENTER, 0, 0);
    }
  }
  if (target) {
    LPARAM local = MAKELPARAM(p.x - target->Left(), p.y - target->Top());
    if ((m.Msg == WM_LBUTTONDOWN || m.Msg == WM_LBUTTONDBLCLK) &&
        (target->ControlStyle() & csCaptureMouse)) {
      captureControl_ = target;
      SetCapture(handle_);
    }
    bool release = m.Msg == WM_LBUTTONUP && captureControl_ == target;
    m.Result = target->Perform(m.Msg, m.WParam, local);
    if (release) {
      captureControl_ = nullptr;
      if (handle_ && GetCapture() == handle_) ReleaseCapture();
    }
    return;
  }
  DefaultHandler(m);
  TControl::WMMouse(m);
}

void TWinControl::WMMouseLeave(TMessage& m) {
  if (TControl* old = mouseControl_) {
    mouseControl_ = nullptr;
    old->mouseInControl_ = false;
    old->Perform(CM_MOUSELEAVE, 0, 0);
  }
  TControl::WMMouseLeave(m);
}

// ---- notifications

void TWinControl::CMEnabledChanged(TMessage&) {
  if (handle_) EnableWindow(handle_, Enabled() ? TRUE : FALSE);
  Invalidate();
}

void TWinControl::CMShowHintChanged(TMessage&) { NotifyControls(CM_PARENTSHOWHINTCHANGED); }

void TWinControl::CMColorChanged(TMessage&) {
  brush_.SetColor(Color());
  NotifyControls(CM_PARENTCOLORCHANGED);
  Invalidate();
}

void TWinControl::CMFontChanged(TMessage&) {
  if (handle_) SendMessageW(handle_, WM_SETFONT, reinterpret_cast<WPARAM>(Font().Handle()), TRUE);
  if (!ScalingFont()) NotifyControls(CM_PARENTFONTCHANGED);
  Invalidate();
}

void TWinControl::CMTextChanged(TMessage&) {}

void TWinControl::CMSysColorChange(TMessage& m) {
  brush_.SystemColorsChanged();
  Broadcast(m);
  m.Result = 0;
  Invalidate();
}

// ---- TCustomControl

TCustomControl::TCustomControl(TComponent* owner) : TWinControl(owner) {}
TCustomControl::~TCustomControl() { DestroyHandle(); }

void TCustomControl::PaintWindow(HDC dc) {
  CanvasAttachment attached(canvas_, dc);
  canvas_.Font().Assign(Font());
  canvas_.Brush().SetColor(Color());
  Paint();
}

}  // namespace fw
