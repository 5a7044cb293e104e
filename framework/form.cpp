#include "framework/form.h"

#include "framework/application.h"
#include "framework/display_scale.h"
#include "graphics/gdi.h"
#include "framework/guard.h"
#include "framework/high_contrast.h"
#include "framework/window_errors.h"

namespace fw {

TForm* GetParentForm(const TControl* control) {
  if (!control) return nullptr;
  const TControl* top = control;
  while (top->Parent()) top = top->Parent();
  return dynamic_cast<TForm*>(const_cast<TControl*>(top));
}

TForm::TForm(TComponent* owner) : TWinControl(owner) {
  SetVisibleFlag(false);
  SetControlStyle(csAcceptsControls | csCaptureMouse | csClickEvents | csSetCaption |
                  csDoubleClicks);
  SetColor(clBtnFace);
  TWinControl::SetBounds(0, 0, 320, 240);
}

TForm::~TForm() {
  Destroying();
  if (OnDestroy) GuardedVoid([&] { OnDestroy(this); }, this);
  if (TApplication* app = ApplicationInstance()) app->FormDestroyed(this);
  // The window goes while the object is still a form, so that its last
  // messages reach the form's handling.
  DestroyHandle();
  activeControl_ = nullptr;
  focusedControl_ = nullptr;
}

// ---- stored description

void TForm::ReadDescription(const std::function<void()>& body) {
  LoadScope scope(this);
  body();
  FixupTabList();
  scope.RunLoaded();
  // Read at 96 DPI even when something made the window meanwhile: laid out
  // for the window's DPI now, before OnCreate sees it, and only then are the
  // children's windows made, once, at their scaled places and fonts.
  TakeWindowDpi();
  if (HandleAllocated()) {
    LoadIcons();
    SendIcons();
    CreateChildWindows();
  }
  created_ = true;
  DoCreate();
}

void TForm::DoCreate() {
  if (OnCreate) GuardedVoid([&] { OnCreate(this); }, this);
}
void TForm::DoShow() {
  if (OnShow) OnShow(this);
}
void TForm::DoHide() {
  if (OnHide) OnHide(this);
}
void TForm::DoClose(TCloseAction& action) {
  if (OnClose) OnClose(this, action);
}
void TForm::Activate() {
  if (OnActivate) OnActivate(this);
}
void TForm::Deactivate() {
  if (OnDeactivate) OnDeactivate(this);
}

// ---- window

void TForm::CreateParams(TCreateParams& p) {
  TWinControl::CreateParams(p);
  p.Style = WS_CLIPCHILDREN | WS_CLIPSIBLINGS;
  p.ExStyle = 0;
  if (!Enabled()) p.Style |= WS_DISABLED;
  TApplication* app = ApplicationInstance();
  p.WndParent = app ? app->Handle() : nullptr;
  switch (borderStyle_) {
    case bsNone: p.Style |= WS_POPUP; break;
    case bsSingle:
    case bsToolWindow: p.Style |= WS_CAPTION | WS_BORDER; break;
    case bsSizeable:
    case bsSizeToolWin: p.Style |= WS_CAPTION | WS_THICKFRAME; break;
    case bsDialog:
      p.Style |= WS_POPUP | WS_CAPTION;
      p.ExStyle |= WS_EX_DLGMODALFRAME | WS_EX_WINDOWEDGE;
      break;
  }
  if (borderStyle_ != bsNone) {
    TBorderIcons icons = borderIcons_;
    if (borderStyle_ == bsDialog || borderStyle_ == bsToolWindow || borderStyle_ == bsSizeToolWin)
      icons = icons * TBorderIcons{biSystemMenu, biHelp};
    if (icons.Contains(biSystemMenu)) p.Style |= WS_SYSMENU;
    if (icons.Contains(biMinimize)) p.Style |= WS_MINIMIZEBOX;
    if (icons.Contains(biMaximize)) p.Style |= WS_MAXIMIZEBOX;
    if (icons.Contains(biHelp) && icons.Contains(biSystemMenu) &&
        (borderStyle_ == bsDialog || !(icons.Contains(biMinimize) || icons.Contains(biMaximize))))
      p.ExStyle |= WS_EX_CONTEXTHELP;
  }
  if (borderStyle_ == bsToolWindow || borderStyle_ == bsSizeToolWin) p.ExStyle |= WS_EX_TOOLWINDOW;
  if (formStyle_ == fsStayOnTop) p.ExStyle |= WS_EX_TOPMOST;
}

void TForm::CreateWnd() {
  TWinControl::CreateWnd();
  // Before the children's windows: they are made at the form's DPI. A form
  // being loaded is laid out once it is loaded.
  if (IsLoading()) return;
  TakeWindowDpi();
  LoadIcons();
  SendIcons();
}

void TForm::CreateWindowHandle(const TCreateParams& params) {
  // Made at the size it will have on the monitor it most likely opens on
  // (its own once known, else the system's: the main monitor's), so that
  // laying it out for its window's DPI then moves nothing.
  TCreateParams p = params;
  const SIZE size = WindowSizeForDpi(dpiTaken_ ? Dpi() : SystemDpi());
  p.Width = size.cx;
  p.Height = size.cy;
  TWinControl::CreateWindowHandle(p);
}

// ---- display scale

void TForm::TakeWindowDpi() {
  if (!HandleAllocated()) return;
  const int dpi = WindowDpi(Handle());
  dpiTaken_ = true;
  if (dpi != Dpi()) ChangeDpi(dpi);
  else ScaleBounds();  // the window may have been made for another DPI
}

void TForm::SetClientSize(int width, int height) {
  if (!KeepingDesign()) {
    auto note = [this](LONG& design, int device) {
      if (!hasDesignClient_ || Scaled(design) != device) design = DesignFromDpi(device, Dpi());
    };
    note(designClient_.cx, width);
    note(designClient_.cy, height);
    hasDesignClient_ = true;
  }
  TWinControl::SetClientSize(width, height);
}

SIZE TForm::WindowSizeForDpi(int dpi) {
  if (!hasDesignClient_)
    return SIZE{ScaleToDpi(DesignBounds().width, dpi), ScaleToDpi(DesignBounds().height, dpi)};
  TCreateParams p;
  CreateParams(p);
  DWORD style = p.Style, exStyle = p.ExStyle;
  if (HandleAllocated()) {
    style = static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_STYLE));
    exStyle = static_cast<DWORD>(GetWindowLongPtrW(Handle(), GWL_EXSTYLE));
  }
  RECT r{0, 0, ScaleToDpi(designClient_.cx, dpi), ScaleToDpi(designClient_.cy, dpi)};
  AdjustWindowRectForDpi(r, style, exStyle, dpi);
  return SIZE{r.right - r.left, r.bottom - r.top};
}

void TForm::ScaleBounds() {
  // A form keeps its place on the screen; only its size follows the DPI.
  const SIZE size = WindowSizeForDpi(Dpi());
  SetBounds(Left(), Top(), size.cx, size.cy);
  // Where the window's frame is not yet the one for this DPI, the client
  // size is put right by the frame the window has.
  if (hasDesignClient_ && HandleAllocated()) SetClientSize(Scaled(designClient_.cx), Scaled(designClient_.cy));
}

void TForm::DpiChanged(int oldDpi) {
  TWinControl::DpiChanged(oldDpi);
  LoadIcons();
  SendIcons();
}

void TForm::WMDpiChanged(TMessage& m) {
  const int dpi = LOWORD(m.WParam);
  const RECT* suggested = reinterpret_cast<const RECT*>(m.LParam);
  if (suggested) {
    // In the place the system suggests (on the new monitor), at the size laid
    // out for the new DPI (what WM_GETDPISCALEDSIZE told it).
    const SIZE size = WindowSizeForDpi(dpi);
    SetWindowPos(Handle(), nullptr, suggested->left, suggested->top, size.cx, size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
  }
  ChangeDpi(dpi);
  m.Result = 0;
}

void TForm::WndProc(TMessage& m) {
  const bool lookChanged =
      m.Msg == WM_SYSCOLORCHANGE || (m.Msg == WM_SETTINGCHANGE && m.WParam == SPI_SETHIGHCONTRAST);
  if (lookChanged) SystemLookChanged();
  switch (m.Msg) {
    case WM_NCCREATE:
      EnableNonClientScaling(Handle());
      break;
    case WM_DPICHANGED:
      WMDpiChanged(m);
      return;
    case kWmGetDpiScaledSize:
      if (auto* size = reinterpret_cast<SIZE*>(m.LParam)) {
        *size = WindowSizeForDpi(static_cast<int>(m.WParam));
        m.Result = TRUE;
        return;
      }
      break;
    default:
      break;
  }
  TWinControl::WndProc(m);
}

void TForm::SetIconResource(HINSTANCE module, const wchar_t* name) {
  iconModule_ = module;
  iconName_ = name;
  iconsDpi_ = 0;
  icon_ = nullptr;
  if (HandleAllocated()) {
    LoadIcons();
    SendIcons();
  }
}

void TForm::LoadIcons() {
  if (!iconName_ || !HandleAllocated() || iconsDpi_ == Dpi()) return;
  iconsDpi_ = Dpi();
  // The old ones stay until the window has the new ones.
  HICON big = LoadIconForDpi(iconModule_, iconName_, SM_CXICON, Dpi());
  HICON small = LoadIconForDpi(iconModule_, iconName_, SM_CXSMICON, Dpi());
  SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  bigIcon_.Reset(big);
  smallIcon_.Reset(small);
}

void TForm::SendIcons() {
  if (!icon_ || !HandleAllocated()) return;
  SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon_));
  SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon_));
}

void TForm::SetBorderStyle(TFormBorderStyle style) {
  if (borderStyle_ == style) return;
  borderStyle_ = style;
  RecreateWnd();
}

void TForm::SetBorderIcons(TBorderIcons icons) {
  if (borderIcons_ == icons) return;
  borderIcons_ = icons;
  RecreateWnd();
}

void TForm::SetFormStyle(TFormStyle style) {
  if (formStyle_ == style) return;
  formStyle_ = style;
  if (HandleAllocated())
    SetWindowPos(Handle(), style == fsStayOnTop ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

TWindowState TForm::WindowState() const {
  if (!HandleAllocated()) return wsNormal;
  HWND wnd = const_cast<TForm*>(this)->Handle();
  if (IsIconic(wnd)) return wsMinimized;
  if (IsZoomed(wnd)) return wsMaximized;
  return wsNormal;
}

void TForm::SetWindowState(TWindowState state) {
  if (!HandleAllocated() || !Visible()) return;
  ShowWindow(Handle(), state == wsMinimized ? SW_MINIMIZE
                       : state == wsMaximized ? SW_MAXIMIZE : SW_RESTORE);
}

void TForm::SetIcon(HICON icon) {
  icon_ = icon;
  iconName_ = nullptr;
  if (HandleAllocated()) {
    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icon));
    SendMessageW(Handle(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icon));
  }
}

void TForm::SystemLookChanged() {
  RereadHighContrast();
  Perform(CM_SYSCOLORCHANGE, 0, 0);
  if (HandleAllocated())
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void TForm::ShowKeyboardCues() {
  if (HandleAllocated())
    SendMessageW(Handle(), WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS | UISF_HIDEACCEL), 0);
}

void TForm::PaintWindow(HDC dc) {
  if (!OnPaint) return;
  CanvasAttachment attached(canvas_, dc);
  canvas_.Font().Assign(Font());
  canvas_.Brush().SetColor(Color());
  OnPaint(this);
}

// ---- showing

void TForm::Show() {
  SetVisible(true);
  if (HandleAllocated())
    SetWindowPos(Handle(), HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
}

void TForm::VisibleChanging() {
  if (Visible()) HandleNeeded();
  if (HandleAllocated()) Perform(CM_SHOWINGCHANGED, 0, 0);
}

void TForm::CMShowingChanged(TMessage&) {
  if (Visible()) {
    // OnShow runs before the window is visible or drawn.
    GuardedVoid([&] { DoShow(); }, this);
    ApplyPosition();
    ShowWindow(Handle(), SW_SHOWNORMAL);
    if (TApplication* app = ApplicationInstance()) app->FormShowing(this, true);
  } else {
    GuardedVoid([&] { DoHide(); }, this);
    if (HandleAllocated()) ShowWindow(Handle(), SW_HIDE);
    if (TApplication* app = ApplicationInstance()) app->FormShowing(this, false);
  }
}

void TForm::ApplyPosition() {
  int x = Left(), y = Top();
  switch (position_) {
    case poScreenCenter:
    case poDesktopCenter:
      x = (GetSystemMetrics(SM_CXSCREEN) - Width()) / 2;
      y = (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2;
      break;
    case poMainFormCenter:
    case poOwnerFormCenter: {
      TApplication* app = ApplicationInstance();
      TForm* main = app ? app->MainForm() : nullptr;
      if (main && main != this) {
        x = main->Left() + (main->Width() - Width()) / 2;
        y = main->Top() + (main->Height() - Height()) / 2;
      } else {
        x = (GetSystemMetrics(SM_CXSCREEN) - Width()) / 2;
        y = (GetSystemMetrics(SM_CYSCREEN) - Height()) / 2;
      }
      break;
    }
    default:
      return;
  }
  SetBounds(x, y, Width(), Height());
}

// ---- closing

bool TForm::CloseQuery() {
  bool canClose = true;
  if (OnCloseQuery) OnCloseQuery(this, canClose);
  return canClose;
}

void TForm::Close() {
  if (modal_) {
    modalResult_ = mrCancel;
    return;
  }
  if (!CloseQuery()) return;
  TApplication* app = ApplicationInstance();
  bool isMain = app && app->MainForm() == this;
  TCloseAction action = isMain ? caFree : caHide;
  DoClose(action);
  if (action == caNone) return;
  if (isMain) {
    app->Terminate();
  } else if (action == caHide) {
    Hide();
  } else if (action == caMinimize) {
    SetWindowState(wsMinimized);
  } else {
    Release();
  }
}

void TForm::Release() {
  if (HandleAllocated()) {
    if (!releasePosted_) PostMessageW(Handle(), CM_RELEASE, 0, 0);
    releasePosted_ = true;
  } else {
    delete this;
  }
}

void TForm::CMRelease(TMessage&) { delete this; }

void TForm::WMClose(TMessage&) { Close(); }

void TForm::WMDestroy(TMessage& m) { DefaultHandler(m); }

void TForm::WMSysCommand(TMessage& m) {
  TApplication* app = ApplicationInstance();
  if (app && app->Handle()) SendMessageW(app->Handle(), CM_APPSYSCOMMAND, 0, reinterpret_cast<LPARAM>(&m));
  if ((m.WParam & 0xFFF0) == SC_MINIMIZE && app && app->MainForm() == this) {
    app->Minimize();
    m.Result = 0;
    return;
  }
  DefaultHandler(m);
}

// Shows the form modally: the other windows of the program are disabled, the
// mouse capture is cancelled, messages are handled until ModalResult is not 0
// (the close box gives mrCancel, and so does the end of the application);
// then the windows are enabled again, the previous window is activated and
// the form is hidden.
namespace {

struct TopmostSearch {
  HWND except;
  bool found = false;
};

BOOL CALLBACK FindVisibleTopmost(HWND wnd, LPARAM data) {
  auto* search = reinterpret_cast<TopmostSearch*>(data);
  if (wnd != search->except && IsWindowVisible(wnd) && (GetWindowLongPtrW(wnd, GWL_EXSTYLE) & WS_EX_TOPMOST)) {
    search->found = true;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

bool ThreadHasVisibleTopmostWindow(HWND except) {
  TopmostSearch search{except};
  EnumThreadWindows(GetCurrentThreadId(), FindVisibleTopmost, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

int TForm::ShowModal() {
  if (Visible() || !Enabled() || modal_)
    throw EInvalidOperation(L"Cannot make a visible window modal");
  if (HWND capture = GetCapture()) SendMessageW(capture, WM_CANCELMODE, 0, 0);
  ReleaseCapture();
  TApplication& app = Application();
  HWND previous = GetActiveWindow();
  modal_ = true;
  modalResult_ = mrNone;
  // Above a top-most window of the program (the main window stays on top),
  // for as long as the dialog is open.
  const bool raised = formStyle_ != fsStayOnTop && ThreadHasVisibleTopmostWindow(Handle());
  if (raised) SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  struct Finish {
    TForm& form;
    HWND previous;
    bool raised;
    TaskWindowsDisabler disabled;
    ~Finish() {
      disabled.Restore();
      if (raised && form.HandleAllocated())
        SetWindowPos(form.Handle(), HWND_NOTOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      if (previous && IsWindow(previous)) SetActiveWindow(previous);
      GuardedVoid([&] { form.Hide(); }, &form);
      form.modal_ = false;
    }
  } finish{*this, previous, raised, TaskWindowsDisabler{}};
  Show();
  do {
    app.HandleMessage();
    if (app.Terminated()) {
      modalResult_ = mrCancel;
    } else if (modalResult_ != mrNone) {
      // The form may refuse to close (OnCloseQuery, or OnClose with caNone).
      TCloseAction action = caNone;
      try {
        if (CloseQuery()) {
          action = caHide;
          DoClose(action);
        }
      } catch (...) {
        app.HandleException(this);
        action = caNone;
      }
      if (action == caNone) modalResult_ = mrNone;
    }
  } while (modalResult_ == mrNone);
  return modalResult_;
}

// ---- activation and focus

void TForm::WMActivate(TMessage& m) {
  bool active = LOWORD(m.WParam) != WA_INACTIVE;
  bool minimized = HIWORD(m.WParam) != 0;
  active_ = active;
  if (TApplication* app = ApplicationInstance()) app->FormActivated(this, active);
  if (active) {
    if (!minimized) SetWindowFocus();
    Activate();
  } else {
    Deactivate();
  }
  m.Result = 0;
}

void TForm::SetWindowFocus() {
  TWinControl* target = activeControl_;
  if (target && target->CanFocus() && target->HandleAllocated()) {
    ::SetFocus(target->Handle());
    return;
  }
  SelectFirst();
}

void TForm::SelectFirst() {
  if (TWinControl* first = FindNextControl(nullptr, true, true, false)) ::SetFocus(first->Handle());
  else ::SetFocus(Handle());
}

void TForm::SetActiveControl(TWinControl* control) {
  if (control == this) control = nullptr;
  activeControl_ = control;
  if (control && active_ && Visible() && control->CanFocus()) ::SetFocus(control->Handle());
}

void TForm::FocusControl(TWinControl* control) {
  if (!control) return;
  if (Visible() && HandleAllocated() && control->CanFocus()) ::SetFocus(control->Handle());
  else activeControl_ = control;
}

bool TForm::SetFocusedControl(TWinControl* control) {
  if (IsDestroying()) return false;
  if (control == this) return true;  // the form itself: the active control stays
  TWinControl* old = focusedControl_;
  activeControl_ = control;
  focusedControl_ = control;
  if (old != control) {
    if (old) old->Perform(CM_EXIT, 0, 0);
    if (focusedControl_ == control && control) control->Perform(CM_ENTER, 0, 0);
  }
  NotifyFocus(this, control);
  return true;
}

void TForm::NotifyFocus(TWinControl* parent, TWinControl* focused) {
  for (int i = 0; i < parent->ControlCount(); ++i) {
    TControl* c = parent->Controls(i);
    c->Perform(CM_FOCUSCHANGED, 0, reinterpret_cast<LPARAM>(focused));
    if (auto* w = dynamic_cast<TWinControl*>(c)) NotifyFocus(w, focused);
  }
}

void TForm::ControlRemoved(TControl* control) {
  auto inside = [control](TControl* c) {
    for (; c; c = c->Parent())
      if (c == control) return true;
    return false;
  };
  if (inside(activeControl_)) activeControl_ = nullptr;
  if (inside(focusedControl_)) focusedControl_ = nullptr;
}

// Tab and arrows move the focus; everything else (Enter, Esc) is offered to
// the controls, where the default and cancel buttons take it.
void TForm::CMDialogKey(TMessage& m) {
  if (GetKeyState(VK_MENU) >= 0) {
    switch (m.WParam) {
      case VK_TAB:
        if (GetKeyState(VK_CONTROL) >= 0) {
          ShowKeyboardCues();
          SelectNext(activeControl_, GetKeyState(VK_SHIFT) >= 0, true);
          m.Result = 1;
          return;
        }
        break;
      case VK_LEFT: case VK_RIGHT: case VK_UP: case VK_DOWN:
        if (activeControl_ && activeControl_->Parent()) {
          ShowKeyboardCues();
          activeControl_->Parent()->SelectNext(activeControl_,
                                               m.WParam == VK_RIGHT || m.WParam == VK_DOWN, false);
          m.Result = 1;
          return;
        }
        break;
      default:
        break;
    }
  }
  TWinControl::CMDialogKey(m);
}

}  // namespace fw
