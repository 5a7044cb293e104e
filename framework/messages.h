#pragma once
// The message record every handler gets, and the framework's own messages:
// CM_* notifications between controls and CN_* messages reflected from a
// parent to the child control they concern (CN_BASE + the original id).
#include <windows.h>

namespace fw {

// Messages carry handles and pointers in their parameters and results (a DC
// in WM_ERASEBKGND's wParam, a structure's address in lParam, a brush as the
// result), and so do the data parameters of window enumerations and hooks:
// the casts between those and pointers are most of the program's casts. They
// lose nothing in either build: the three types are as wide as a pointer.
static_assert(sizeof(WPARAM) == sizeof(void*) && sizeof(LPARAM) == sizeof(void*) &&
                  sizeof(LRESULT) == sizeof(void*),
              "message parameters hold pointers");

struct TMessage {
  UINT Msg = 0;
  WPARAM WParam = 0;
  LPARAM LParam = 0;
  LRESULT Result = 0;

  WORD WParamLo() const { return LOWORD(WParam); }
  WORD WParamHi() const { return HIWORD(WParam); }
  short XPos() const { return static_cast<short>(LOWORD(LParam)); }
  short YPos() const { return static_cast<short>(HIWORD(LParam)); }
};

constexpr UINT CM_BASE = 0xB000;
constexpr UINT CM_ACTIVATE = CM_BASE + 0;
constexpr UINT CM_DEACTIVATE = CM_BASE + 1;
constexpr UINT CM_DIALOGKEY = CM_BASE + 5;        // wParam key, lParam key data; result 1 = used
constexpr UINT CM_DIALOGCHAR = CM_BASE + 6;       // wParam char, lParam key data (Alt in bit 29)
constexpr UINT CM_FOCUSCHANGED = CM_BASE + 7;     // lParam: the TWinControl* now focused
constexpr UINT CM_PARENTFONTCHANGED = CM_BASE + 8;
constexpr UINT CM_PARENTCOLORCHANGED = CM_BASE + 9;
constexpr UINT CM_PARENTSHOWHINTCHANGED = CM_BASE + 10;
constexpr UINT CM_SHOWINGCHANGED = CM_BASE + 11;
constexpr UINT CM_ENTER = CM_BASE + 12;
constexpr UINT CM_EXIT = CM_BASE + 13;
constexpr UINT CM_CURSORCHANGED = CM_BASE + 15;
constexpr UINT CM_TEXTCHANGED = CM_BASE + 18;
constexpr UINT CM_MOUSEENTER = CM_BASE + 19;     // lParam: the TControl* entered (0 = self)
constexpr UINT CM_MOUSELEAVE = CM_BASE + 20;
constexpr UINT CM_APPKEYDOWN = CM_BASE + 22;      // to the application window: a key went down
constexpr UINT CM_APPSYSCOMMAND = CM_BASE + 23;   // to the application window: lParam the WM_SYSCOMMAND's TMessage*
constexpr UINT CM_BUTTONPRESSED = CM_BASE + 24;
constexpr UINT CM_SHOWHINTCHANGED = CM_BASE + 25;
constexpr UINT CM_ENABLEDCHANGED = CM_BASE + 27;
constexpr UINT CM_COLORCHANGED = CM_BASE + 28;
constexpr UINT CM_FONTCHANGED = CM_BASE + 29;
constexpr UINT CM_VISIBLECHANGED = CM_BASE + 31;
constexpr UINT CM_WANTSPECIALKEY = CM_BASE + 36;  // wParam key; non-zero: the control takes it
constexpr UINT CM_RELEASE = CM_BASE + 33;         // posted: destroy the form
constexpr UINT CM_RECREATEWND = CM_BASE + 51;
constexpr UINT CM_SYNCHRONIZE = CM_BASE + 60;     // worker thread hand-over (application window)
constexpr UINT CM_HINTSHOW = CM_BASE + 48;         // lParam THintInfo*; non-zero result: no hint
constexpr UINT CM_HINTSHOWPAUSE = CM_BASE + 65;    // wParam hint active, lParam int* pause in ms
constexpr UINT CM_SYSCOLORCHANGE = CM_BASE + 67;   // the system's colours or high contrast changed

constexpr UINT CN_BASE = 0xBC00;
constexpr UINT CN_CHARTOITEM = CN_BASE + WM_CHARTOITEM;
constexpr UINT CN_COMMAND = CN_BASE + WM_COMMAND;
constexpr UINT CN_COMPAREITEM = CN_BASE + WM_COMPAREITEM;
constexpr UINT CN_CTLCOLORBTN = CN_BASE + WM_CTLCOLORBTN;
constexpr UINT CN_CTLCOLORDLG = CN_BASE + WM_CTLCOLORDLG;
constexpr UINT CN_CTLCOLOREDIT = CN_BASE + WM_CTLCOLOREDIT;
constexpr UINT CN_CTLCOLORLISTBOX = CN_BASE + WM_CTLCOLORLISTBOX;
constexpr UINT CN_CTLCOLORMSGBOX = CN_BASE + WM_CTLCOLORMSGBOX;
constexpr UINT CN_CTLCOLORSCROLLBAR = CN_BASE + WM_CTLCOLORSCROLLBAR;
constexpr UINT CN_CTLCOLORSTATIC = CN_BASE + WM_CTLCOLORSTATIC;
constexpr UINT CN_DELETEITEM = CN_BASE + WM_DELETEITEM;
constexpr UINT CN_DRAWITEM = CN_BASE + WM_DRAWITEM;
constexpr UINT CN_HSCROLL = CN_BASE + WM_HSCROLL;
constexpr UINT CN_MEASUREITEM = CN_BASE + WM_MEASUREITEM;
constexpr UINT CN_NOTIFY = CN_BASE + WM_NOTIFY;
constexpr UINT CN_VKEYTOITEM = CN_BASE + WM_VKEYTOITEM;
constexpr UINT CN_VSCROLL = CN_BASE + WM_VSCROLL;
// Key messages offered to the focused control before they are dispatched
// (the framework's own dialog-key handling); result non-zero = consumed.
constexpr UINT CN_KEYDOWN = CN_BASE + WM_KEYDOWN;
constexpr UINT CN_KEYUP = CN_BASE + WM_KEYUP;
constexpr UINT CN_CHAR = CN_BASE + WM_CHAR;
constexpr UINT CN_SYSKEYDOWN = CN_BASE + WM_SYSKEYDOWN;
constexpr UINT CN_SYSCHAR = CN_BASE + WM_SYSCHAR;

constexpr bool IsReflected(UINT msg) { return msg >= CN_BASE && msg < CN_BASE + 0x400; }
constexpr bool IsCtlColorMessage(UINT msg) { return msg >= WM_CTLCOLORMSGBOX && msg <= WM_CTLCOLORSTATIC; }

// Modal results.
using TModalResult = int;
constexpr TModalResult mrNone = 0;
constexpr TModalResult mrOk = IDOK;
constexpr TModalResult mrCancel = IDCANCEL;
constexpr TModalResult mrAbort = IDABORT;
constexpr TModalResult mrRetry = IDRETRY;
constexpr TModalResult mrIgnore = IDIGNORE;
constexpr TModalResult mrYes = IDYES;
constexpr TModalResult mrNo = IDNO;
constexpr TModalResult mrAll = mrNo + 1;
constexpr TModalResult mrNoToAll = mrAll + 1;
constexpr TModalResult mrYesToAll = mrNoToAll + 1;

}  // namespace fw
