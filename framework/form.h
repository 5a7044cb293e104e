#pragma once
// TForm: a top-level window built from a stored description (C++ code that
// sets the values differing from the defaults), with create/show/close
// events, modal showing, border style and icons, stay-on-top, screen-centred
// position, the active control, and the dialog keys (Tab, arrows, Enter, Esc,
// accelerators) that reach it through CM_DIALOGKEY / CM_DIALOGCHAR.
#include <windows.h>

#include <functional>
#include <string>

#include "core/set.h"
#include "framework/wincontrol.h"

namespace fw {

enum TBorderIcon { biSystemMenu, biMinimize, biMaximize, biHelp };
using TBorderIcons = core::TSet<TBorderIcon>;
enum TFormStyle { fsNormal, fsMDIChild, fsMDIForm, fsStayOnTop };
enum TPosition { poDesigned, poDefault, poDefaultPosOnly, poDefaultSizeOnly, poScreenCenter,
                 poDesktopCenter, poMainFormCenter, poOwnerFormCenter };
enum TCloseAction { caNone, caHide, caFree, caMinimize };
enum TWindowState { wsNormal, wsMinimized, wsMaximized };

using TCloseEvent = std::function<void(TObject* sender, TCloseAction& action)>;
using TCloseQueryEvent = std::function<void(TObject* sender, bool& canClose)>;

class TForm : public TWinControl {
 public:
  explicit TForm(TComponent* owner);
  ~TForm() override;
  std::wstring ClassName() const override { return L"TForm"; }

  // ---- looks and placement
  TFormBorderStyle BorderStyle() const { return borderStyle_; }
  void SetBorderStyle(TFormBorderStyle style);
  TBorderIcons BorderIcons() const { return borderIcons_; }
  void SetBorderIcons(TBorderIcons icons);
  TFormStyle FormStyle() const { return formStyle_; }
  void SetFormStyle(TFormStyle style);
  TPosition Position() const { return position_; }
  void SetPosition(TPosition position) { position_ = position; }
  bool Showing() const override { return Visible(); }
  TWindowState WindowState() const;
  void SetWindowState(TWindowState state);
  // The window's icons (big and small); not owned, must outlive the form.
  void SetIcon(HICON icon);
  // The window's icons from an icon resource (a name of static lifetime),
  // each loaded at the size the system wants for the form's DPI, again when
  // the DPI changes; the form owns them.
  void SetIconResource(HINSTANCE module, const wchar_t* name);
  // Client size set in device pixels; the form keeps its design client size
  // (96 DPI) as TControl keeps design bounds, and is laid out for another
  // DPI from it: the frame around it is the system's for that DPI.
  void SetClientSize(int width, int height) override;
  // The outer size of the window for the design client size at a DPI.
  SIZE WindowSizeForDpi(int dpi);
  // Drawing on the form (valid inside OnPaint).
  TCanvas& Canvas() { return canvas_; }

  // ---- focus
  TWinControl* ActiveControl() const { return activeControl_; }
  void SetActiveControl(TWinControl* control);
  // Called by controls that got the focus; returns false while destroying.
  bool SetFocusedControl(TWinControl* control);
  // The form's children and the form itself get focus this way.
  void FocusControl(TWinControl* control);
  bool Active() const { return active_; }
  bool KeyPreview() const { return keyPreview_; }
  void SetKeyPreview(bool value) { keyPreview_ = value; }
  // The keyboard is in use: focus marks and accelerator underlines show
  // from now on, in this form's window and its children (where the
  // system's setting hid them until then).
  void ShowKeyboardCues();

  // ---- showing and closing
  void Show();
  // Closes: a modal form gets ModalResult mrCancel; otherwise OnCloseQuery,
  // OnClose with the action (caHide, or caFree... ) and, for the main form,
  // the end of the application.
  void Close();
  bool CloseQuery();
  // Destroys the form once the messages now queued have been handled.
  void Release();
  // Shows the form modally and returns the modal result (see ShowModal in
  // form.cpp for the steps).
  int ShowModal();
  bool Modal() const { return modal_; }
  TModalResult ModalResult() const { return modalResult_; }
  void SetModalResult(TModalResult result) { modalResult_ = result; }

  // ---- events
  TNotifyEvent OnCreate;
  TNotifyEvent OnShow;
  TNotifyEvent OnHide;
  TNotifyEvent OnActivate;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnPaint;
  TNotifyEvent OnDestroy;
  TCloseEvent OnClose;
  TCloseQueryEvent OnCloseQuery;

  // Called by TWinControl when a control leaves its parent.
  void ControlRemoved(TControl* control);

 protected:
  // The stored description: `body` creates the components and sets the
  // values that differ from the defaults. While it runs, the form and every
  // component it creates are csLoading; afterwards the tab orders asked for
  // are applied, every after-load step runs in creation order (the form
  // first), and OnCreate is raised. Call it at the end of the derived
  // constructor.
  void ReadDescription(const std::function<void()>& body);

  virtual void DoCreate();
  virtual void DoShow();
  virtual void DoHide();
  virtual void DoClose(TCloseAction& action);
  virtual void Activate();
  virtual void Deactivate();

  void CreateParams(TCreateParams& params) override;
  void CreateWnd() override;
  bool ChildWindowsWait() const override { return IsLoading(); }
  void CreateWindowHandle(const TCreateParams& params) override;
  void PaintWindow(HDC dc) override;
  void VisibleChanging() override;
  // The DPI messages: WM_DPICHANGED lays the form out for the new DPI in the
  // rectangle the system suggests; WM_GETDPISCALEDSIZE tells the system the
  // size that will be; WM_NCCREATE lets the system scale the frame. And it
  // hears of changed system colours and high contrast (WM_SYSCOLORCHANGE,
  // WM_SETTINGCHANGE), and has everything on the form drawn again.
  void WndProc(TMessage& m) override;
  void ScaleBounds() override;
  void DpiChanged(int oldDpi) override;

  void WMClose(TMessage& m) override;
  void WMActivate(TMessage& m) override;
  void WMSysCommand(TMessage& m) override;
  void WMDestroy(TMessage& m) override;
  void CMShowingChanged(TMessage& m) override;
  void CMDialogKey(TMessage& m) override;
  void CMRelease(TMessage& m) override;

 private:
  // The DPI of the form's window, once it has one and is loaded.
  void TakeWindowDpi();
  void WMDpiChanged(TMessage& m);
  void LoadIcons();
  void SendIcons();
  void ApplyPosition();
  void SystemLookChanged();
  void SelectFirst();
  void SetWindowFocus();
  void NotifyFocus(TWinControl* parent, TWinControl* focused);

  TFormBorderStyle borderStyle_ = bsSizeable;
  TBorderIcons borderIcons_{biSystemMenu, biMinimize, biMaximize};
  TFormStyle formStyle_ = fsNormal;
  TPosition position_ = poDesigned;
  TWinControl* activeControl_ = nullptr;
  TWinControl* focusedControl_ = nullptr;
  TModalResult modalResult_ = mrNone;
  HICON icon_ = nullptr;  // not owned
  HINSTANCE iconModule_ = nullptr;
  const wchar_t* iconName_ = nullptr;
  // Loaded from iconName_ for the DPI; owned.
  struct OwnedIcon {
    HICON handle = nullptr;
    OwnedIcon() = default;
    OwnedIcon(const OwnedIcon&) = delete;
    OwnedIcon& operator=(const OwnedIcon&) = delete;
    ~OwnedIcon() { Reset(nullptr); }
    void Reset(HICON icon) {
      if (handle) DestroyIcon(handle);
      handle = icon;
    }
  };
  OwnedIcon bigIcon_, smallIcon_;
  int iconsDpi_ = 0;  // the DPI they were loaded for
  bool dpiTaken_ = false;  // laid out for its window's DPI once
  SIZE designClient_{0, 0};
  bool hasDesignClient_ = false;
  TCanvas canvas_;
  bool modal_ = false;
  bool active_ = false;
  bool keyPreview_ = false;
  bool created_ = false;
  bool releasePosted_ = false;
};

// The form a control sits on (the topmost parent, when it is a form).
TForm* GetParentForm(const TControl* control);

// Whether a visible top-most window of this thread, other than `except`, is
// on screen. The program's own dialogs are then made top-most too, or they
// would open underneath it.
bool ThreadHasVisibleTopmostWindow(HWND except = nullptr);

}  // namespace fw
