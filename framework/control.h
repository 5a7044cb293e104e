#pragma once
// TControl: everything placed on a form: bounds, visibility, enabled state,
// font and colour (optionally taken from the parent), caption, hint, cursor,
// click and mouse events, and the message dispatch into typed handlers.
// TGraphicControl: a control without a window, painted by its parent.
#include <windows.h>

#include <functional>
#include <memory>
#include <string>

#include "graphics/canvas.h"
#include "graphics/color.h"
#include "graphics/design_scale.h"
#include "framework/component.h"
#include "graphics/font.h"
#include "framework/messages.h"

namespace fw {

class TWinControl;
class TForm;
struct AccessibleFacts;

// Control style bits (what a class is, set by constructors).
enum TControlStyleBit : unsigned {
  csAcceptsControls = 1u << 0,
  csCaptureMouse = 1u << 1,
  csClickEvents = 1u << 3,
  csFramed = 1u << 4,
  csSetCaption = 1u << 5,
  csOpaque = 1u << 6,
  csDoubleClicks = 1u << 7,
  csFixedWidth = 1u << 8,
  csFixedHeight = 1u << 9,
  csNoDesignVisible = 1u << 10,
  csReplicatable = 1u << 11,
  csNoStdEvents = 1u << 12,
};
using TControlStyle = unsigned;

// Control state bits (what is going on right now).
enum TControlStateBit : unsigned {
  csLButtonDown = 1u << 0,
  csClicked = 1u << 1,
  csPalette = 1u << 2,
  csReadingState = 1u << 3,
  csAlignmentNeeded = 1u << 4,
  csFocusing = 1u << 5,
  csCreating = 1u << 6,
  csPaintCopy = 1u << 7,
  csCustomPaint = 1u << 8,
  csDestroyingHandle = 1u << 9,
  csDocking = 1u << 10,
};
using TControlState = unsigned;

enum TMouseButton { mbLeft, mbRight, mbMiddle };
enum TShiftStateBit : unsigned {
  ssShift = 1u << 0,
  ssAlt = 1u << 1,
  ssCtrl = 1u << 2,
  ssLeft = 1u << 3,
  ssRight = 1u << 4,
  ssMiddle = 1u << 5,
  ssDouble = 1u << 6,
};
using TShiftState = unsigned;
// Shift state from the key data of a key message and the keyboard.
TShiftState KeyDataToShiftState(LPARAM keyData);
TShiftState MouseKeysToShiftState(WPARAM keys);

using TMouseEvent = std::function<void(TObject* sender, TMouseButton button, TShiftState shift, int x, int y)>;
using TMouseMoveEvent = std::function<void(TObject* sender, TShiftState shift, int x, int y)>;
using TKeyEvent = std::function<void(TObject* sender, WORD& key, TShiftState shift)>;
using TKeyPressEvent = std::function<void(TObject* sender, wchar_t& key)>;

enum TAlignment { taLeftJustify, taRightJustify, taCenter };

// Cursors: 0 keeps the class cursor; negative values are the stock ones.
using TCursor = int;
constexpr TCursor crDefault = 0;
constexpr TCursor crNone = -1;
constexpr TCursor crArrow = -2;
constexpr TCursor crCross = -3;
constexpr TCursor crIBeam = -4;
constexpr TCursor crSizeAll = -22;
constexpr TCursor crHourGlass = -11;
constexpr TCursor crNo = -18;
constexpr TCursor crHandPoint = -21;
HCURSOR CursorHandle(TCursor cursor);  // null for crDefault / crNone

// True when caption marks ch as its accelerator ("&x", case-insensitive).
bool IsAccel(wchar_t ch, const std::wstring& caption);

// A control's bounds as designed, at 96 DPI.
struct TDesignBounds {
  int left = 0, top = 0, width = 0, height = 0;
};

class TControl : public TComponent {
 public:
  explicit TControl(TComponent* owner);
  ~TControl() override;
  std::wstring ClassName() const override { return L"TControl"; }

  // ---- place and size, in the parent's client coordinates
  TWinControl* Parent() const { return parent_; }
  virtual void SetParent(TWinControl* parent);
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetLeft(int v) { SetBounds(v, top_, width_, height_); }
  void SetTop(int v) { SetBounds(left_, v, width_, height_); }
  void SetWidth(int v) { SetBounds(left_, top_, v, height_); }
  void SetHeight(int v) { SetBounds(left_, top_, width_, v); }
  virtual void SetBounds(int left, int top, int width, int height);
  RECT BoundsRect() const { return RECT{left_, top_, left_ + width_, top_ + height_}; }
  virtual RECT ClientRect() const { return RECT{0, 0, width_, height_}; }
  int ClientWidth() const { RECT r = ClientRect(); return r.right - r.left; }
  int ClientHeight() const { RECT r = ClientRect(); return r.bottom - r.top; }
  virtual void SetClientSize(int width, int height);
  void SetClientWidth(int v) { SetClientSize(v, ClientHeight()); }
  void SetClientHeight(int v) { SetClientSize(ClientWidth(), v); }
  // The client area's top-left corner in screen coordinates.
  virtual POINT ClientOrigin() const;

  // ---- display scale
  // The DPI the control is laid out and drawn for: its form's, which is the
  // DPI of the monitor the form is on; 96 (the design DPI) until the form
  // has a window. Bounds and the font's height are designed for 96 DPI and
  // scaled from those design values.
  int Dpi() const { return dpi_; }
  // A design length in device pixels at the control's DPI. Drawing code asks
  // this for every length it draws (widths of lines and frames, offsets).
  int Scaled(int design) const { return ScaleToDpi(design, dpi_); }
  // Lays the control and everything on it out for a DPI: fonts, bounds from
  // their design values, and what each control made for the old DPI
  // (DpiChanged). Forms call it when their window is made and when it moves
  // to a monitor of another DPI; a control put on a parent takes its DPI.
  void ChangeDpi(int dpi);
  // The bounds at 96 DPI. Left()..Height() and SetBounds are device pixels;
  // a device value that is the scaled design value keeps it, any other one
  // gets the nearest design value. While a stored description is read the
  // form is at 96 DPI, so its values are design values.
  const TDesignBounds& DesignBounds() const { return design_; }
  // Places the control in design units at whatever DPI it has.
  void SetDesignBounds(int left, int top, int width, int height);
  POINT ClientToScreen(POINT p) const;
  POINT ScreenToClient(POINT p) const;

  // ---- state
  bool Visible() const { return visible_; }
  virtual void SetVisible(bool value);
  void Show() { SetVisible(true); }
  void Hide() { SetVisible(false); }
  // Visible, and so is every parent up to a shown form.
  virtual bool Showing() const;
  bool Enabled() const { return enabled_; }
  virtual void SetEnabled(bool value);

  TControlStyle ControlStyle() const { return controlStyle_; }
  void SetControlStyle(TControlStyle style) { controlStyle_ = style; }
  TControlState ControlState() const { return controlState_; }
  void SetControlState(TControlState state) { controlState_ = state; }

  // ---- looks
  TFont& Font() { return *font_; }
  const TFont& Font() const { return *font_; }
  bool ParentFont() const { return parentFont_; }
  void SetParentFont(bool value);
  TColor Color() const { return color_; }
  void SetColor(TColor color);
  bool ParentColor() const { return parentColor_; }
  void SetParentColor(bool value);
  TCursor Cursor() const { return cursor_; }
  void SetCursor(TCursor cursor);

  // ---- text: Caption and Text are the same property
  std::wstring Text() const { return GetText(); }
  // Does nothing when the text is already `text`; otherwise sets it and
  // sends CM_TEXTCHANGED (edits raise their change event from the window).
  void SetText(const std::wstring& text);
  std::wstring Caption() const { return GetText(); }
  void SetCaption(const std::wstring& text) { SetText(text); }

  const std::wstring& Hint() const { return hint_; }
  void SetHint(const std::wstring& hint) { hint_ = hint; }
  bool ShowHint() const { return showHint_; }
  void SetShowHint(bool value);
  bool ParentShowHint() const { return parentShowHint_; }
  void SetParentShowHint(bool value);

  // ---- messages
  // Sends a message straight to the control's message handling (no window
  // needed) and returns the result.
  LRESULT Perform(UINT msg, WPARAM wParam = 0, LPARAM lParam = 0);
  // Every message of the control enters here (its window procedure, Perform
  // and reflection alike). Override to see all of them; call the base for
  // what you do not consume.
  virtual void WndProc(TMessage& m);
  // What a message gets when no handler takes it.
  virtual void DefaultHandler(TMessage& m);

  // ---- painting
  virtual void Invalidate();
  virtual void Update();
  virtual void Repaint();
  void Refresh() { Repaint(); }

  // ---- events
  virtual void Click();
  TNotifyEvent OnClick;
  TNotifyEvent OnDblClick;
  TMouseEvent OnMouseDown;
  TMouseEvent OnMouseUp;
  TMouseMoveEvent OnMouseMove;

  // ---- screen readers (framework/accessible.h)
  // The name a screen reader gives the control where no text of its own
  // names it, set by the form's description; empty: the control's own.
  const std::wstring& AccessibleName() const { return accessibleName_; }
  void SetAccessibleName(const std::wstring& name) { accessibleName_ = name; }
  // What the control tells a screen reader. Each class adds what it is;
  // overrides call the base first and leave a name already given alone.
  virtual void DescribeAccessible(AccessibleFacts& facts) const;

  bool MouseInControl() const { return mouseInControl_; }
  // True while the control has csDesigning in its state (never in this
  // program, kept for the controls that test for it).
  bool Designing() const { return IsDesigning(); }

  void BringToFront();
  void SendToBack();

 protected:
  // The one place messages turn into calls of the typed handlers below:
  // window messages, those reflected from the parent (CN_*), the framework's
  // own (CM_*), else DefaultHandler. The hints see every mouse move first.
  void Dispatch(TMessage& m);

  virtual std::wstring GetText() const { return text_; }
  // Stores the text (windowed controls: in their window).
  virtual void SetTextBuf(const std::wstring& text);
  // Sends CM_VISIBLECHANGED etc.; windowed controls show/hide their window.
  virtual void VisibleChanging() {}
  // Font or colour taken from the parent.
  TControl* ParentControlForLooks() const;
  virtual void FontChanged();
  void SetParentFields(TWinControl* parent) { parent_ = parent; }

  // The DPI changed (bounds and font already follow it, and so do the
  // children of a windowed control): re-make what was made for the old one.
  // The base does nothing.
  virtual void DpiChanged(int oldDpi) { (void)oldDpi; }
  // Bounds for the control's DPI from the design bounds (forms: the client
  // size; see TForm).
  virtual void ScaleBounds();
  // While true, bounds set in device pixels leave the design bounds alone.
  bool KeepingDesign() const { return keepDesign_; }
  // While true, the font changes only for a new DPI.
  bool ScalingFont() const { return scalingFont_; }

  // Mouse messages from the window or from the parent (graphic controls).
  virtual void MouseDown(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseUp(TMouseButton button, TShiftState shift, int x, int y);
  virtual void MouseMove(TShiftState shift, int x, int y);
  virtual void DblClick();

  // ---- typed handlers; each default passes the message to DefaultHandler
#define FW_HANDLER(name) virtual void name(TMessage& m) { DefaultHandler(m); }
  // window messages
  FW_HANDLER(WMPaint)
  FW_HANDLER(WMEraseBkgnd)
  FW_HANDLER(WMNCPaint)
  FW_HANDLER(WMSize)
  FW_HANDLER(WMMove)
  FW_HANDLER(WMWindowPosChanged)
  FW_HANDLER(WMSetFocus)
  FW_HANDLER(WMKillFocus)
  FW_HANDLER(WMKeyDown)
  FW_HANDLER(WMKeyUp)
  FW_HANDLER(WMChar)
  FW_HANDLER(WMSysKeyDown)
  FW_HANDLER(WMSysChar)
  FW_HANDLER(WMGetDlgCode)
  FW_HANDLER(WMCommand)
  FW_HANDLER(WMNotify)
  FW_HANDLER(WMDrawItem)
  FW_HANDLER(WMMeasureItem)
  FW_HANDLER(WMCtlColor)
  FW_HANDLER(WMSetCursor)
  FW_HANDLER(WMCancelMode)
  FW_HANDLER(WMTimer)
  FW_HANDLER(WMShowWindow)
  FW_HANDLER(WMActivate)
  FW_HANDLER(WMClose)
  FW_HANDLER(WMSysCommand)
  FW_HANDLER(WMDestroy)
  FW_HANDLER(WMNCHitTest)
  FW_HANDLER(WMSetText)
  FW_HANDLER(WMContextMenu)
  // reflected from the parent
  FW_HANDLER(CNCommand)
  FW_HANDLER(CNNotify)
  FW_HANDLER(CNDrawItem)
  FW_HANDLER(CNMeasureItem)
  FW_HANDLER(CNCtlColor)  // every CN_CTLCOLOR*; m.Msg tells which
  FW_HANDLER(CNKeyDown)
  FW_HANDLER(CNChar)
  FW_HANDLER(CNSysKeyDown)
  FW_HANDLER(CNSysChar)
  // framework notifications
  FW_HANDLER(CMVisibleChanged)
  FW_HANDLER(CMShowingChanged)
  FW_HANDLER(CMMouseEnter)
  FW_HANDLER(CMMouseLeave)
  FW_HANDLER(CMDialogKey)
  FW_HANDLER(CMDialogChar)
  FW_HANDLER(CMWantSpecialKey)
  FW_HANDLER(CMFocusChanged)
  FW_HANDLER(CMEnter)
  FW_HANDLER(CMExit)
  FW_HANDLER(CMShowHintChanged)
  FW_HANDLER(CMRecreateWnd)
  FW_HANDLER(CMRelease)
  FW_HANDLER(CMActivate)
  FW_HANDLER(CMDeactivate)
  FW_HANDLER(CMHintShow)
  FW_HANDLER(CMSysColorChange)
#undef FW_HANDLER
  // Defaults with behaviour: repaint, and take the parent's looks.
  virtual void CMEnabledChanged(TMessage& m);
  virtual void CMColorChanged(TMessage& m);
  virtual void CMFontChanged(TMessage& m);
  virtual void CMParentColorChanged(TMessage& m);
  virtual void CMParentFontChanged(TMessage& m);
  // Takes the parent's show-hint flag while ParentShowHint is set.
  virtual void CMParentShowHintChanged(TMessage& m);
  virtual void CMTextChanged(TMessage& m);
  // Mouse messages are decoded once, here.
  virtual void WMMouse(TMessage& m);
  virtual void WMMouseLeave(TMessage& m);

  std::wstring text_;  // graphic controls; windowed ones before their window exists
  std::wstring hint_;
  std::wstring accessibleName_;

 private:
  friend class TWinControl;
  void ParentLooksChanged(UINT msg);
  // ChangeDpi's two passes: every control of the tree first learns the new
  // DPI, then each is laid out for it (so a parent's font reaching its
  // children already finds them at the new DPI).
  virtual void AssignDpi(int dpi) { dpi_ = dpi; }
  virtual void ApplyDpi(int oldDpi);
  void ScaleToOwnDpi();
  void NotifyDpiChanged(int oldDpi);
  void NoteDesignBounds(int left, int top, int width, int height);
  // Dispatch's steps; each answers whether it had a handler for the message.
  void PassMouseMoveToHints(const TMessage& m);
  bool DispatchWindowMessage(TMessage& m);
  bool DispatchReflected(TMessage& m);
  bool DispatchControlMessage(TMessage& m);

  TWinControl* parent_ = nullptr;
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  int dpi_ = kDesignDpi;
  TDesignBounds design_;
  bool keepDesign_ = false;
  bool scalingFont_ = false;
  bool visible_ = true;
  bool enabled_ = true;
  std::unique_ptr<TFont> font_;
  bool parentFont_ = true;
  bool applyingParentFont_ = false;
  TColor color_ = clWindow;
  bool parentColor_ = true;
  TCursor cursor_ = crDefault;
  bool showHint_ = false;
  bool parentShowHint_ = true;
  bool mouseInControl_ = false;
  TControlStyle controlStyle_ = csCaptureMouse | csClickEvents | csSetCaption | csDoubleClicks;
  TControlState controlState_ = 0;
};

// A control without a window of its own: its parent paints it inside its own
// painting (and inside copies of its background, see
// TWinControl::PaintControls) and routes the mouse to it.
class TGraphicControl : public TControl {
 public:
  explicit TGraphicControl(TComponent* owner);
  ~TGraphicControl() override;
  std::wstring ClassName() const override { return L"TGraphicControl"; }

  // Valid only while Paint runs.
  TCanvas& Canvas() { return canvas_; }

 protected:
  // Draw the control on Canvas(), whose origin is the control's top-left.
  virtual void Paint() {}
  // WM_PAINT with the parent's DC in wParam, origin and clip already set.
  void WMPaint(TMessage& m) override;

 private:
  TCanvas canvas_;
};

class ClientDC;

// Drawing on a graphic control outside its Paint (animation steps): a canvas
// on the parent's client DC with its origin at the control's top-left and its
// clip at the control's bounds. Owns the DC. Without a parent window there is
// no DC and HandleAllocated() is false.
class TControlCanvas : public TCanvas {
 public:
  explicit TControlCanvas(TControl& control);
  ~TControlCanvas() override;

 private:
  std::unique_ptr<ClientDC> dc_;
};

}  // namespace fw
