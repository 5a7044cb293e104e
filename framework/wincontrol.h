#pragma once
// TWinControl: a control with a window of its own: window creation through
// CreateParams (superclassing a system class where the control wraps one),
// children, tab order and focus, painting of graphic children, reflection of
// notifications to the child they concern. TCustomControl adds a canvas and a
// virtual Paint for controls that draw themselves.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "graphics/brush_pen.h"
#include "framework/control.h"
#include "framework/parent_background.h"
#include "framework/window_binding.h"

namespace fw {

// A window's border: forms use every value, windowed controls bsNone / bsSingle.
enum TFormBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };
using TBorderStyle = TFormBorderStyle;

struct TCreateParams {
  std::wstring Caption;
  DWORD Style = 0;
  DWORD ExStyle = 0;
  int X = 0, Y = 0, Width = 0, Height = 0;
  HWND WndParent = nullptr;
  // Window class of the control, registered on first use under this name.
  std::wstring WinClassName;
  // System class that WinClassName superclasses (L"BUTTON"...), or null for a
  // class of the control's own whose default handling is DefWindowProcW.
  const wchar_t* BaseClass = nullptr;
  UINT ClassStyle = CS_DBLCLKS;
};

class TWinControl : public TControl, public WindowTarget {
 public:
  explicit TWinControl(TComponent* owner);
  ~TWinControl() override;
  std::wstring ClassName() const override { return L"TWinControl"; }

  // ---- window
  // The window, created on first request (with the parent's).
  HWND Handle();
  bool HandleAllocated() const { return handle_ != nullptr; }
  void HandleNeeded() { Handle(); }
  // Destroys and creates the window again, keeping the control's state (used
  // after changes of window styles).
  void RecreateWnd();
  // The control bound to a window (or to its parent, for the inner windows of
  // system controls such as a combo box's edit), else null.
  static TWinControl* FindControl(HWND wnd);
  // FindControl, else the control owning the window (a combo box for its
  // edit and drop-down list).
  static TWinControl* FindControlOrOwner(HWND wnd);

  // ---- children (all controls whose parent this is, in z-order, bottom first)
  int ControlCount() const { return static_cast<int>(controls_.size()); }
  TControl* Controls(int index) const { return controls_.at(static_cast<size_t>(index)); }
  void InsertControl(TControl* control);
  void RemoveControl(TControl* control);
  void MoveControl(TControl* control, bool toFront);
  bool ContainsControl(const TControl* control) const;
  // The topmost visible child at a point of the client area.
  TControl* ControlAtPos(POINT p, bool allowDisabled, bool allowWinControls = false) const;
  // Sends the message to every child; stops at the first non-zero result.
  void Broadcast(TMessage& m);
  void NotifyControls(UINT msg);

  // ---- tab order and focus
  int TabOrder() const;
  void SetTabOrder(int order);
  bool TabStop() const { return tabStop_; }
  void SetTabStop(bool value);
  // Every windowed control below this one, in tab order, depth first.
  void GetTabOrderList(std::vector<TWinControl*>& list) const;
  virtual bool CanFocus() const;
  bool Focused() const;
  virtual void SetFocus();
  TWinControl* FindNextControl(TWinControl* current, bool forward, bool checkTabStop,
                               bool checkParent) const;
  void SelectNext(TWinControl* current, bool forward, bool checkTabStop);
  // Sorts the children's tab order by the orders asked for while loading.
  void FixupTabList();

  // ---- painting
  // Paints the visible graphic children into dc, whose origin is this
  // control's client origin (also inside copies of the background that a
  // child makes with a shifted origin), each clipped to its bounds.
  void PaintControls(HDC dc, TControl* first = nullptr);
  void PaintGraphicChildren(HDC dc) { PaintControls(dc, nullptr); }
  // Erase then paint the whole control into dc (at dc's origin): the
  // framework's paint-into-DC.
  void PaintTo(HDC dc, int x = 0, int y = 0);
  // What windowed children that show their parent behind them copy (see
  // BackgroundCache::Get).
  HDC RenderedBackground() { return background_.Get(*this); }
  void Invalidate() override;
  void Update() override;
  void Repaint() override;

  // The brush of Color, handed out for control colours and erasing.
  TBrush& Brush() { return brush_; }

  // ---- keyboard cues (the system's UI state of the window)
  // Whether the focused control shows its focus mark, and accelerators
  // their underline: until the keyboard is used they may be hidden.
  bool FocusCuesShown() const;
  bool AcceleratorCuesShown() const;

  // ---- geometry
  void SetBounds(int left, int top, int width, int height) override;
  RECT ClientRect() const override;
  POINT ClientOrigin() const override;
  bool Showing() const override;

  // ---- events
  TNotifyEvent OnEnter;
  TNotifyEvent OnExit;
  TKeyEvent OnKeyDown;
  TKeyEvent OnKeyUp;
  TKeyPressEvent OnKeyPress;

 protected:
  // Window creation: fill in the parameters (call the base first).
  virtual void CreateParams(TCreateParams& params);
  // Registers the class and creates the window from the parameters.
  virtual void CreateWindowHandle(const TCreateParams& params);
  // Creates the window, then sets its font and the state kept meanwhile.
  virtual void CreateWnd();
  // Keeps the window's state (text) in the object, then destroys the window.
  virtual void DestroyWnd();
  virtual void DestroyWindowHandle();
  void CreateHandle();
  void DestroyHandle();
  // The children's windows, made after this control's own (CreateHandle
  // makes them at once unless ChildWindowsWait).
  void CreateChildWindows();
  // True while the children's windows are not to be made yet (a form while
  // it reads its description: they are made once it is laid out for its DPI).
  virtual bool ChildWindowsWait() const { return false; }
  // Paints the window itself into dc; the base asks the system class (system
  // controls paint into the DC given in WM_PAINT's wParam).
  virtual void PaintWindow(HDC dc);
  // The default window procedure (system class or DefWindowProcW).
  WNDPROC DefWndProc() const { return defWndProc_; }
  bool IsTopLevel() const { return Parent() == nullptr; }
  // Constructors of hidden-by-default windows (forms) set this directly.
  void SetVisibleFlag(bool value) { visible_ = value; }
  // Offers a notification to the child control whose window it concerns, as
  // CN_BASE + msg; false when no framework control has that window.
  bool DoControlMsg(HWND child, TMessage& m);

  virtual void DoEnter();
  virtual void DoExit();
  // Key events; true when a handler consumed the key.
  virtual bool DoKeyDown(TMessage& m);
  virtual bool DoKeyUp(TMessage& m);
  virtual bool DoKeyPress(TMessage& m);

  void WndProc(TMessage& m) override;
  void DefaultHandler(TMessage& m) override;
  std::wstring GetText() const override;
  void SetTextBuf(const std::wstring& text) override;
  void VisibleChanging() override;

  void WMPaint(TMessage& m) override;
  void WMEraseBkgnd(TMessage& m) override;
  void WMNCPaint(TMessage& m) override;
  void WMSize(TMessage& m) override;
  void WMMove(TMessage& m) override;
  void WMWindowPosChanged(TMessage& m) override;
  void WMSetFocus(TMessage& m) override;
  void WMKillFocus(TMessage& m) override;
  void WMKeyDown(TMessage& m) override;
  void WMKeyUp(TMessage& m) override;
  void WMChar(TMessage& m) override;
  void WMSysKeyDown(TMessage& m) override;
  void WMSysChar(TMessage& m) override;
  void WMCommand(TMessage& m) override;
  void WMNotify(TMessage& m) override;
  void WMDrawItem(TMessage& m) override;
  void WMMeasureItem(TMessage& m) override;
  void WMCtlColor(TMessage& m) override;
  void WMSetCursor(TMessage& m) override;
  void WMMouse(TMessage& m) override;
  void WMMouseLeave(TMessage& m) override;
  void CNKeyDown(TMessage& m) override;
  void CNChar(TMessage& m) override;
  void CNSysKeyDown(TMessage& m) override;
  void CNSysChar(TMessage& m) override;
  void CMEnabledChanged(TMessage& m) override;
  void CMColorChanged(TMessage& m) override;
  // Children that take the show-hint flag from here follow it.
  void CMShowHintChanged(TMessage& m) override;
  void CMFontChanged(TMessage& m) override;
  void CMVisibleChanged(TMessage& m) override;
  void CMShowingChanged(TMessage& m) override;
  void CMDialogKey(TMessage& m) override;
  void CMDialogChar(TMessage& m) override;
  void CMEnter(TMessage& m) override;
  void CMExit(TMessage& m) override;
  void CMRecreateWnd(TMessage& m) override;
  void CMTextChanged(TMessage& m) override;
  // The system's colours changed: the brush is made again, the children
  // hear of it too, and the control repaints.
  void CMSysColorChange(TMessage& m) override;

  // Sends a message to the window if there is one, else to the control.
  LRESULT SendToWindow(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  void AssignDpi(int dpi) override;
  void ApplyDpi(int oldDpi) override;

  // WindowTarget
  LRESULT WindowMessage(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) override;
  void WindowBound(HWND wnd) override;
  void WindowGone(HWND wnd) override;

  void UpdateBoundsFromWindow();
  void UpdateShowing();
  void ApplyZOrder();
  TControl* GraphicChildForMouse(POINT p);

  HWND handle_ = nullptr;
  WNDPROC defWndProc_ = DefWindowProcW;
  UINT_PTR childId_ = 0;
  std::vector<TControl*> controls_;
  std::vector<TWinControl*> tabList_;
  int loadingTabOrder_ = -1;
  bool tabStop_ = false;
  TBrush brush_;
  TControl* captureControl_ = nullptr;  // graphic child holding the mouse
  TControl* mouseControl_ = nullptr;    // graphic child under the mouse
  bool recreating_ = false;
  BackgroundCache background_;
};

// A windowed control that paints itself: Paint() draws on Canvas() inside
// WM_PAINT (graphic children are painted after it).
class TCustomControl : public TWinControl {
 public:
  explicit TCustomControl(TComponent* owner);
  ~TCustomControl() override;
  std::wstring ClassName() const override { return L"TCustomControl"; }

  TCanvas& Canvas() { return canvas_; }

 protected:
  virtual void Paint() {}
  void PaintWindow(HDC dc) override;

 private:
  TCanvas canvas_;
};

}  // namespace fw
