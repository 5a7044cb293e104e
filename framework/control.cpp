#include "framework/control.h"

#include <algorithm>

#include "framework/accessible.h"
#include "framework/application.h"
#include "graphics/gdi.h"
#include "framework/wincontrol.h"

namespace fw {

bool IsAccel(wchar_t ch, const std::wstring& caption) {
  for (size_t i = 0; i + 1 < caption.size(); ++i) {
    if (caption[i] != L'&') continue;
    if (caption[i + 1] == L'&') {  // "&&" is a plain ampersand
      ++i;
      continue;
    }
    wchar_t a = caption[i + 1], b = ch;
    CharUpperBuffW(&a, 1);
    CharUpperBuffW(&b, 1);
    return a == b;
  }
  return false;
}

TShiftState KeyDataToShiftState(LPARAM keyData) {
  TShiftState s = 0;
  if (GetKeyState(VK_SHIFT) < 0) s |= ssShift;
  if (GetKeyState(VK_CONTROL) < 0) s |= ssCtrl;
  if ((keyData & (1 << 29)) != 0) s |= ssAlt;
  return s;
}

TShiftState MouseKeysToShiftState(WPARAM keys) {
  TShiftState s = 0;
  if (keys & MK_SHIFT) s |= ssShift;
  if (keys & MK_CONTROL) s |= ssCtrl;
  if (keys & MK_LBUTTON) s |= ssLeft;
  if (keys & MK_RBUTTON) s |= ssRight;
  if (keys & MK_MBUTTON) s |= ssMiddle;
  if (GetKeyState(VK_MENU) < 0) s |= ssAlt;
  return s;
}

HCURSOR CursorHandle(TCursor cursor) {
  const wchar_t* id = nullptr;
  switch (cursor) {
    case crArrow: id = IDC_ARROW; break;
    case crCross: id = IDC_CROSS; break;
    case crIBeam: id = IDC_IBEAM; break;
    case crSizeAll: id = IDC_SIZEALL; break;
    case crHourGlass: id = IDC_WAIT; break;
    case crNo: id = IDC_NO; break;
    case crHandPoint: id = IDC_HAND; break;
    default: return nullptr;
  }
  return LoadCursorW(nullptr, id);  // shared, not owned
}

TControl::TControl(TComponent* owner) : TComponent(owner), font_(std::make_unique<TFont>()) {
  font_->OnChange = [this] {
    // A font assigned from elsewhere is drawn at this control's DPI all the
    // same (that change notifies in its turn).
    if (font_->Dpi() != dpi_) font_->SetDpi(dpi_);
    else FontChanged();
  };
}

TControl::~TControl() {
  Destroying();
  if (TApplication* app = ApplicationInstance()) app->Hints().ControlDestroyed(this);
  font_->OnChange = nullptr;
  if (parent_) parent_->RemoveControl(this);
}

void TControl::SetParent(TWinControl* parent) {
  if (parent_ == parent) return;
  if (parent == this) return;
  if (parent_) parent_->RemoveControl(this);
  if (parent) parent->InsertControl(this);
}

void TControl::SetBounds(int left, int top, int width, int height) {
  NoteDesignBounds(left, top, width, height);
  if (left == left_ && top == top_ && width == width_ && height == height_) return;
  bool visibleNow = parent_ && visible_;
  if (visibleNow) Invalidate();
  left_ = left;
  top_ = top;
  width_ = width;
  height_ = height;
  if (visibleNow) Invalidate();
}

// ---- display scale

namespace {

// Sets a flag for a scope, also when it is left by a throw.
class FlagSet {
 public:
  explicit FlagSet(bool& flag) : flag_(flag), old_(flag) { flag_ = true; }
  FlagSet(const FlagSet&) = delete;
  FlagSet& operator=(const FlagSet&) = delete;
  ~FlagSet() { flag_ = old_; }

 private:
  bool& flag_;
  bool old_;
};

}  // namespace

void TControl::NoteDesignBounds(int left, int top, int width, int height) {
  if (keepDesign_) return;
  auto note = [this](int& design, int device) {
    if (Scaled(design) != device) design = DesignFromDpi(device, dpi_);
  };
  note(design_.left, left);
  note(design_.top, top);
  note(design_.width, width);
  note(design_.height, height);
}

void TControl::SetDesignBounds(int left, int top, int width, int height) {
  design_ = TDesignBounds{left, top, width, height};
  FlagSet keep(keepDesign_);
  ScaleBounds();
}

void TControl::ScaleBounds() {
  SetBounds(Scaled(design_.left), Scaled(design_.top), Scaled(design_.width), Scaled(design_.height));
}

void TControl::ChangeDpi(int dpi) {
  if (dpi <= 0) dpi = kDesignDpi;
  if (dpi == dpi_) return;
  const int old = dpi_;
  AssignDpi(dpi);
  ApplyDpi(old);
}

void TControl::ScaleToOwnDpi() {
  FlagSet keep(keepDesign_);
  // Bounds first: a control that fits itself to its text as the font
  // changes fits from its scaled place.
  ScaleBounds();
  // The font follows the control's DPI: no change of its own, so a font
  // taken from the parent stays so, and the children are not handed the
  // parent's font for it (each follows the DPI itself).
  FlagSet internal(applyingParentFont_);
  FlagSet scaling(scalingFont_);
  font_->SetDpi(dpi_);
}

void TControl::NotifyDpiChanged(int oldDpi) {
  FlagSet keep(keepDesign_);
  DpiChanged(oldDpi);
}

void TControl::ApplyDpi(int oldDpi) {
  ScaleToOwnDpi();
  NotifyDpiChanged(oldDpi);
}

void TControl::SetClientSize(int width, int height) {
  RECT c = ClientRect();
  SetBounds(left_, top_, width_ + width - (c.right - c.left), height_ + height - (c.bottom - c.top));
}

POINT TControl::ClientOrigin() const {
  POINT p{left_, top_};
  if (parent_) {
    POINT o = parent_->ClientOrigin();
    p.x += o.x;
    p.y += o.y;
  }
  return p;
}

POINT TControl::ClientToScreen(POINT p) const {
  POINT o = ClientOrigin();
  return POINT{p.x + o.x, p.y + o.y};
}

POINT TControl::ScreenToClient(POINT p) const {
  POINT o = ClientOrigin();
  return POINT{p.x - o.x, p.y - o.y};
}

void TControl::SetVisible(bool value) {
  if (visible_ == value) return;
  if (visible_) Invalidate();  // the area it leaves
  visible_ = value;
  VisibleChanging();
  Perform(CM_VISIBLECHANGED, value ? 1 : 0, 0);
  if (visible_) Invalidate();
}

bool TControl::Showing() const { return visible_ && parent_ && parent_->Showing(); }

void TControl::SetEnabled(bool value) {
  if (enabled_ == value) return;
  enabled_ = value;
  Perform(CM_ENABLEDCHANGED, 0, 0);
}

void TControl::SetParentFont(bool value) {
  if (parentFont_ == value) return;
  parentFont_ = value;
  if (value && parent_) ParentLooksChanged(CM_PARENTFONTCHANGED);
}

void TControl::SetColor(TColor color) {
  if (color_ == color) return;
  color_ = color;
  parentColor_ = false;
  Perform(CM_COLORCHANGED, 0, 0);
}

void TControl::SetParentColor(bool value) {
  if (parentColor_ == value) return;
  parentColor_ = value;
  if (value && parent_) ParentLooksChanged(CM_PARENTCOLORCHANGED);
}

void TControl::SetCursor(TCursor cursor) {
  if (cursor_ == cursor) return;
  cursor_ = cursor;
  Perform(CM_CURSORCHANGED, 0, 0);
}

void TControl::SetShowHint(bool value) {
  parentShowHint_ = false;
  if (showHint_ == value) return;
  showHint_ = value;
  Perform(CM_SHOWHINTCHANGED, 0, 0);
}

void TControl::SetParentShowHint(bool value) {
  if (parentShowHint_ == value) return;
  parentShowHint_ = value;
  if (value) Perform(CM_PARENTSHOWHINTCHANGED, 0, 0);
}

void TControl::CMParentShowHintChanged(TMessage&) {
  if (!parentShowHint_ || !parent_ || showHint_ == parent_->ShowHint()) return;
  showHint_ = parent_->ShowHint();
  Perform(CM_SHOWHINTCHANGED, 0, 0);
}

void TControl::FontChanged() {
  if (!applyingParentFont_) parentFont_ = false;
  Perform(CM_FONTCHANGED, 0, 0);
}

void TControl::ParentLooksChanged(UINT msg) {
  // Also what CM_PARENT*CHANGED does by default (see Dispatch).
  if (!parent_) return;
  if (msg == CM_PARENTFONTCHANGED && parentFont_) {
    applyingParentFont_ = true;
    struct Reset { bool& flag; ~Reset() { flag = false; } } reset{applyingParentFont_};
    font_->Assign(parent_->Font());
  } else if (msg == CM_PARENTCOLORCHANGED && parentColor_) {
    if (color_ != parent_->Color()) {
      color_ = parent_->Color();
      Perform(CM_COLORCHANGED, 0, 0);
    }
  }
}

void TControl::SetText(const std::wstring& text) {
  if (GetText() == text) return;
  SetTextBuf(text);
  Perform(CM_TEXTCHANGED, 0, 0);
}

void TControl::SetTextBuf(const std::wstring& text) { text_ = text; }

void TControl::DescribeAccessible(AccessibleFacts& facts) const {
  if (!accessibleName_.empty()) facts.name = accessibleName_;
}

LRESULT TControl::Perform(UINT msg, WPARAM wParam, LPARAM lParam) {
  TMessage m{msg, wParam, lParam, 0};
  WndProc(m);
  return m.Result;
}

void TControl::WndProc(TMessage& m) { Dispatch(m); }

void TControl::DefaultHandler(TMessage& m) {
  switch (m.Msg) {
    case WM_GETTEXTLENGTH: m.Result = static_cast<LRESULT>(text_.size()); break;
    default: m.Result = 0; break;
  }
}

void TControl::Dispatch(TMessage& m) {
  if (m.Msg == WM_MOUSEMOVE) PassMouseMoveToHints(m);
  if (!DispatchWindowMessage(m) && !DispatchReflected(m) && !DispatchControlMessage(m)) DefaultHandler(m);
}

void TControl::PassMouseMoveToHints(const TMessage& m) {
  if (TApplication* app = ApplicationInstance()) app->Hints().HintMouseMessage(this, m);
}

bool TControl::DispatchWindowMessage(TMessage& m) {
  switch (m.Msg) {
    case WM_PAINT: WMPaint(m); return true;
    case WM_ERASEBKGND: WMEraseBkgnd(m); return true;
    case WM_NCPAINT: WMNCPaint(m); return true;
    case WM_SIZE: WMSize(m); return true;
    case WM_MOVE: WMMove(m); return true;
    case WM_WINDOWPOSCHANGED: WMWindowPosChanged(m); return true;
    case WM_SETFOCUS: WMSetFocus(m); return true;
    case WM_KILLFOCUS: WMKillFocus(m); return true;
    case WM_KEYDOWN: WMKeyDown(m); return true;
    case WM_KEYUP: WMKeyUp(m); return true;
    case WM_CHAR: WMChar(m); return true;
    case WM_SYSKEYDOWN: WMSysKeyDown(m); return true;
    case WM_SYSCHAR: WMSysChar(m); return true;
    case WM_GETDLGCODE: WMGetDlgCode(m); return true;
    case WM_COMMAND: WMCommand(m); return true;
    case WM_NOTIFY: WMNotify(m); return true;
    case WM_DRAWITEM: WMDrawItem(m); return true;
    case WM_MEASUREITEM: WMMeasureItem(m); return true;
    case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORBTN: case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR:
    case WM_CTLCOLORSTATIC:
      WMCtlColor(m); return true;
    case WM_SETCURSOR: WMSetCursor(m); return true;
    case WM_CANCELMODE: WMCancelMode(m); return true;
    case WM_TIMER: WMTimer(m); return true;
    case WM_SHOWWINDOW: WMShowWindow(m); return true;
    case WM_ACTIVATE: WMActivate(m); return true;
    case WM_CLOSE: WMClose(m); return true;
    case WM_SYSCOMMAND: WMSysCommand(m); return true;
    case WM_DESTROY: WMDestroy(m); return true;
    case WM_NCHITTEST: WMNCHitTest(m); return true;
    case WM_SETTEXT: WMSetText(m); return true;
    case WM_CONTEXTMENU: WMContextMenu(m); return true;
    case WM_MOUSEMOVE:
    case WM_LBUTTONDOWN: case WM_LBUTTONUP: case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDOWN: case WM_RBUTTONUP: case WM_RBUTTONDBLCLK:
    case WM_MBUTTONDOWN: case WM_MBUTTONUP: case WM_MBUTTONDBLCLK:
      WMMouse(m); return true;
    case WM_MOUSELEAVE: WMMouseLeave(m); return true;
    default: return false;
  }
}

bool TControl::DispatchReflected(TMessage& m) {
  switch (m.Msg) {
    case CN_COMMAND: CNCommand(m); return true;
    case CN_NOTIFY: CNNotify(m); return true;
    case CN_DRAWITEM: CNDrawItem(m); return true;
    case CN_MEASUREITEM: CNMeasureItem(m); return true;
    case CN_CTLCOLORMSGBOX: case CN_CTLCOLOREDIT: case CN_CTLCOLORLISTBOX:
    case CN_CTLCOLORBTN: case CN_CTLCOLORDLG: case CN_CTLCOLORSCROLLBAR:
    case CN_CTLCOLORSTATIC:
      CNCtlColor(m); return true;
    case CN_KEYDOWN: CNKeyDown(m); return true;
    case CN_CHAR: CNChar(m); return true;
    case CN_SYSKEYDOWN: CNSysKeyDown(m); return true;
    case CN_SYSCHAR: CNSysChar(m); return true;
    default: return false;
  }
}

bool TControl::DispatchControlMessage(TMessage& m) {
  switch (m.Msg) {
    case CM_ENABLEDCHANGED: CMEnabledChanged(m); return true;
    case CM_COLORCHANGED: CMColorChanged(m); return true;
    case CM_FONTCHANGED: CMFontChanged(m); return true;
    case CM_PARENTCOLORCHANGED: CMParentColorChanged(m); return true;
    case CM_PARENTFONTCHANGED: CMParentFontChanged(m); return true;
    case CM_TEXTCHANGED: CMTextChanged(m); return true;
    case CM_VISIBLECHANGED: CMVisibleChanged(m); return true;
    case CM_SHOWINGCHANGED: CMShowingChanged(m); return true;
    case CM_MOUSEENTER: CMMouseEnter(m); return true;
    case CM_MOUSELEAVE: CMMouseLeave(m); return true;
    case CM_DIALOGKEY: CMDialogKey(m); return true;
    case CM_DIALOGCHAR: CMDialogChar(m); return true;
    case CM_WANTSPECIALKEY: CMWantSpecialKey(m); return true;
    case CM_FOCUSCHANGED: CMFocusChanged(m); return true;
    case CM_ENTER: CMEnter(m); return true;
    case CM_EXIT: CMExit(m); return true;
    case CM_SHOWHINTCHANGED: CMShowHintChanged(m); return true;
    case CM_PARENTSHOWHINTCHANGED: CMParentShowHintChanged(m); return true;
    case CM_RECREATEWND: CMRecreateWnd(m); return true;
    case CM_RELEASE: CMRelease(m); return true;
    case CM_ACTIVATE: CMActivate(m); return true;
    case CM_DEACTIVATE: CMDeactivate(m); return true;
    case CM_HINTSHOW: CMHintShow(m); return true;
    case CM_SYSCOLORCHANGE: CMSysColorChange(m); return true;
    default: return false;
  }
}

void TControl::WMMouse(TMessage& m) {
  // Windowed controls track the mouse and call the system first
  // (TWinControl::WMMouse); clicks of graphic controls are decided here.
  bool windowed = dynamic_cast<TWinControl*>(this) != nullptr;
  int x = m.XPos(), y = m.YPos();
  TShiftState shift = MouseKeysToShiftState(m.WParam);
  switch (m.Msg) {
    case WM_MOUSEMOVE:
      MouseMove(shift, x, y);
      break;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK:
      controlState_ |= csLButtonDown;
      if (!windowed && (controlStyle_ & csClickEvents)) controlState_ |= csClicked;
      if (m.Msg == WM_LBUTTONDBLCLK && (controlStyle_ & csDoubleClicks)) DblClick();
      MouseDown(mbLeft, shift, x, y);
      break;
    case WM_LBUTTONUP: {
      bool clicked = (controlState_ & csClicked) != 0;
      controlState_ &= ~(csLButtonDown | csClicked);
      if (clicked && x >= 0 && y >= 0 && x < width_ && y < height_) Click();
      MouseUp(mbLeft, shift, x, y);
      break;
    }
    case WM_RBUTTONDOWN: case WM_RBUTTONDBLCLK: MouseDown(mbRight, shift, x, y); break;
    case WM_RBUTTONUP: MouseUp(mbRight, shift, x, y); break;
    case WM_MBUTTONDOWN: case WM_MBUTTONDBLCLK: MouseDown(mbMiddle, shift, x, y); break;
    case WM_MBUTTONUP: MouseUp(mbMiddle, shift, x, y); break;
    default: break;
  }
}

void TControl::WMMouseLeave(TMessage& m) {
  DefaultHandler(m);
  if (mouseInControl_) {
    mouseInControl_ = false;
    Perform(CM_MOUSELEAVE, 0, 0);
  }
}

void TControl::MouseDown(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseDown) OnMouseDown(this, button, shift, x, y);
}
void TControl::MouseUp(TMouseButton button, TShiftState shift, int x, int y) {
  if (OnMouseUp) OnMouseUp(this, button, shift, x, y);
}
void TControl::MouseMove(TShiftState shift, int x, int y) {
  if (OnMouseMove) OnMouseMove(this, shift, x, y);
}
void TControl::DblClick() {
  if (OnDblClick) OnDblClick(this);
}
void TControl::Click() {
  if (OnClick) OnClick(this);
}

void TControl::Invalidate() {
  if (!parent_ || !parent_->HandleAllocated() || !visible_) return;
  RECT r = BoundsRect();
  InvalidateRect(parent_->Handle(), &r, (controlStyle_ & csOpaque) ? FALSE : TRUE);
}

void TControl::Update() {
  if (parent_ && parent_->HandleAllocated()) UpdateWindow(parent_->Handle());
}

void TControl::Repaint() {
  Invalidate();
  Update();
}

void TControl::CMEnabledChanged(TMessage&) { Invalidate(); }
void TControl::CMColorChanged(TMessage&) { Invalidate(); }
void TControl::CMFontChanged(TMessage&) { Invalidate(); }
void TControl::CMTextChanged(TMessage&) { Invalidate(); }
void TControl::CMParentColorChanged(TMessage& m) { ParentLooksChanged(m.Msg); }
void TControl::CMParentFontChanged(TMessage& m) { ParentLooksChanged(m.Msg); }

TControl* TControl::ParentControlForLooks() const { return parent_; }

void TControl::BringToFront() {
  if (parent_) parent_->MoveControl(this, true);
}
void TControl::SendToBack() {
  if (parent_) parent_->MoveControl(this, false);
}

// ---- TGraphicControl

TGraphicControl::TGraphicControl(TComponent* owner) : TControl(owner) {}
TGraphicControl::~TGraphicControl() = default;

void TGraphicControl::WMPaint(TMessage& m) {
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  if (!dc) return;
  CanvasAttachment attached(canvas_, dc);
  canvas_.Font().Assign(Font());  // at the control's DPI too
  Paint();
}

// ---- TControlCanvas

TControlCanvas::TControlCanvas(TControl& control) {
  TWinControl* parent = control.Parent();
  if (!parent || !parent->HandleAllocated()) return;
  dc_ = std::make_unique<ClientDC>(parent->Handle());
  HDC dc = dc_->Get();
  const RECT r = control.BoundsRect();
  SetViewportOrgEx(dc, r.left, r.top, nullptr);
  IntersectClipRect(dc, 0, 0, r.right - r.left, r.bottom - r.top);
  Attach(dc);
}

TControlCanvas::~TControlCanvas() { Detach(); }

}  // namespace fw
