#include "controls/skin_edit.h"

#include <algorithm>
#include <cwchar>
#include <string>

#include "controls/flat_border.h"
#include "controls/skin_draw.h"
#include "graphics/gdi.h"
#include "framework/high_contrast.h"

namespace skin {

namespace {

// Sets a flag for the lifetime of the scope (also when it is left by a throw).
class FlagScope {
 public:
  explicit FlagScope(bool& flag) : flag_(flag) { flag_ = true; }
  FlagScope(const FlagScope&) = delete;
  FlagScope& operator=(const FlagScope&) = delete;
  ~FlagScope() { flag_ = false; }

 private:
  bool& flag_;
};

// Hides the window's caret and shows it again, if it was this window's.
class CaretHidden {
 public:
  explicit CaretHidden(HWND wnd) : wnd_(wnd), hidden_(HideCaret(wnd) != FALSE) {}
  CaretHidden(const CaretHidden&) = delete;
  CaretHidden& operator=(const CaretHidden&) = delete;
  ~CaretHidden() {
    if (hidden_) ShowCaret(wnd_);
  }

 private:
  HWND wnd_;
  bool hidden_;
};

// Where the client area lies inside the window rectangle.
POINT ClientOffset(HWND wnd) {
  RECT wr{};
  GetWindowRect(wnd, &wr);
  POINT origin{0, 0};
  ::ClientToScreen(wnd, &origin);
  return POINT{origin.x - wr.left, origin.y - wr.top};
}

DWORD AlignmentStyle(fw::TAlignment align) {
  switch (align) {
    case fw::taRightJustify: return ES_RIGHT;
    case fw::taCenter: return ES_CENTER;
    default: return ES_LEFT;
  }
}

}  // namespace

ETextTooLong::ETextTooLong(int limit)
    : core::Exception(L"Text longer than " + std::to_wstring(limit) +
                      L" characters refused; the field keeps its text") {}

TSkinEdit::TSkinEdit(fw::TComponent* owner)
    : fw::TCustomEdit(owner),
      SkinPicture(*this, {.changed = [this] { Invalidate(); },
                          .replaced = [this] { WallpaperChanged(); },
                          .edited = [this] { WallpaperChanged(); }}) {}

TSkinEdit::~TSkinEdit() { Destroying(); }

// ---- properties

void TSkinEdit::SetOptions(TSkinOptions options) {
  if (options == options_) return;
  // The option just switched on wins over the one it excludes.
  if (options.Contains(ocPaintTransparently) && options_.Contains(ocPaintWallpaper))
    options.Exclude(ocPaintWallpaper);
  if (options.Contains(ocPaintWallpaper) && options_.Contains(ocPaintTransparently))
    options.Exclude(ocPaintTransparently);
  options_ = options;
  if (HandleAllocated()) RecreateWnd();
  Perform(fw::CM_COLORCHANGED, 0, 0);
}

void TSkinEdit::WallpaperChanged() {
  Invalidate();
  Perform(fw::CM_COLORCHANGED, 0, 0);
}

bool TSkinEdit::Decorated() const {
  if (fw::HighContrast()) return false;
  return options_.Contains(ocPaintTransparently) ||
         (options_.Contains(ocPaintWallpaper) && EffectiveWallpaper() != nullptr);
}

void TSkinEdit::Notification(fw::TComponent* component, fw::TOperation operation) {
  if (SkinImagesRemoved(component, operation)) Invalidate();
  fw::TCustomEdit::Notification(component, operation);
}

// ---- window

void TSkinEdit::CreateParams(fw::TCreateParams& params) {
  fw::TCustomEdit::CreateParams(params);
  // Multi-line, so that ES_RIGHT and ES_CENTER take effect; the keys that
  // would start a second line are refused in WMChar and Paste.
  params.Style &= ~static_cast<DWORD>(ES_LEFT | ES_RIGHT | ES_CENTER);
  params.Style |= ES_MULTILINE | AlignmentStyle(Alignment());
}

void TSkinEdit::WndProc(fw::TMessage& m) {
  if (m.Msg == WM_PASTE && HandleAllocated() && !(GetWindowLongPtrW(Handle(), GWL_STYLE) & ES_READONLY)) {
    Paste();
    return;
  }
  if (textLimit_ > 0 && HandleAllocated()) {
    // Refused before the system edit sees them: it would cut a long
    // replacement silently, and a set text it does not limit at all.
    const auto* text = reinterpret_cast<const wchar_t*>(m.LParam);
    if (m.Msg == WM_SETTEXT && text && std::wcslen(text) > static_cast<size_t>(textLimit_)) {
      m.Result = FALSE;
      throw ETextTooLong(textLimit_);
    }
    if (m.Msg == EM_REPLACESEL && text) CheckReplacement(std::wcslen(text));
  }
  fw::TCustomEdit::WndProc(m);
}

void TSkinEdit::CheckReplacement(size_t inserted) {
  if (textLimit_ <= 0 || !HandleAllocated()) return;
  DWORD start = 0, end = 0;
  SendMessageW(Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
  const size_t length = static_cast<size_t>(GetWindowTextLengthW(Handle()));
  const size_t kept = length - std::min<size_t>(length, end > start ? end - start : 0);
  if (kept + inserted > static_cast<size_t>(textLimit_)) throw ETextTooLong(textLimit_);
}

// Pasted text loses its line breaks, so the field keeps one line.
void TSkinEdit::Paste() {
  if (!IsClipboardFormatAvailable(CF_UNICODETEXT) || !OpenClipboard(Handle())) return;
  std::wstring text;
  if (HANDLE data = GetClipboardData(CF_UNICODETEXT)) {
    if (auto* chars = static_cast<const wchar_t*>(GlobalLock(data))) {
      text = chars;
      GlobalUnlock(data);
    }
  }
  CloseClipboard();
  std::wstring oneLine;
  oneLine.reserve(text.size());
  for (wchar_t c : text)
    if (c != L'\r' && c != L'\n') oneLine.push_back(c);
  SendMessageW(Handle(), EM_REPLACESEL, TRUE, reinterpret_cast<LPARAM>(oneLine.c_str()));
}

// ---- painting

void TSkinEdit::PaintBackground(HDC dc) {
  RECT r = ClientRect();
  if (fw::HighContrast()) {
    FillRect(dc, &r, GetSysColorBrush(COLOR_WINDOW));
    return;
  }
  if (options_.Contains(ocPaintTransparently)) {
    PaintParentBackground(this, dc);
    return;
  }
  if (options_.Contains(ocPaintWallpaper)) {
    if (fw::TBitmap* wallpaper = EffectiveWallpaper()) {
      DrawWallpaper(dc, wallpaper, r, SRCCOPY, options_.Contains(ocTileWallpaper), Dpi());
      return;
    }
  }
  FillRect(dc, &r, Brush().Handle());
}

void TSkinEdit::PaintText(HDC dc) {
  // The system edit narrows the DC's clip region and leaves it so.
  fw::SavedDC saved(dc);
  fw::TMessage paint{WM_PAINT, reinterpret_cast<WPARAM>(dc), 0, 0};
  fw::TCustomEdit::WMPaint(paint);
}

void TSkinEdit::WMEraseBkgnd(fw::TMessage& m) {
  HDC dc = reinterpret_cast<HDC>(m.WParam);
  if (!dc) {
    fw::TCustomEdit::WMEraseBkgnd(m);
    return;
  }
  PaintBackground(dc);
  m.Result = 1;
}

void TSkinEdit::CNCtlColor(fw::TMessage& m) {
  fw::TCustomEdit::CNCtlColor(m);
  const bool field = m.Msg == fw::CN_CTLCOLOREDIT || m.Msg == fw::CN_CTLCOLORSTATIC;
  if (field && fw::HighContrast()) {
    HDC dc = reinterpret_cast<HDC>(m.WParam);
    SetTextColor(dc, GetSysColor(Enabled() ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    SetBkColor(dc, GetSysColor(COLOR_WINDOW));
    m.Result = reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_WINDOW));
    return;
  }
  if (field && Decorated()) {
    // Text only over the background already there: no boxes behind the
    // characters, and no fill of the client area by the system's paint.
    SetBkMode(reinterpret_cast<HDC>(m.WParam), TRANSPARENT);
    m.Result = reinterpret_cast<LRESULT>(GetStockObject(NULL_BRUSH));
  }
}

void TSkinEdit::WMPaint(fw::TMessage& m) {
  HDC given = reinterpret_cast<HDC>(m.WParam);
  if (given)
    PaintText(given);
  else
    fw::TCustomEdit::WMPaint(m);
  if (Decorated() && !compositing_) CompositeRepaint();
  if (options_.Contains(ocFlatBorder) && !compositing_) DrawBorder(nullptr, Focused());
  m.Result = 0;
}

void TSkinEdit::WMNCPaint(fw::TMessage& m) {
  fw::TCustomEdit::WMNCPaint(m);
  DrawFocusMark();
}

void TSkinEdit::DrawFocusMark() {
  if (!HandleAllocated() || !Focused() || !FocusCuesShown()) return;
  RECT window{}, client{};
  GetWindowRect(Handle(), &window);
  GetClientRect(Handle(), &client);
  RECT r{0, 0, window.right - window.left, window.bottom - window.top};
  // Only over a border: a field without one keeps the caret alone.
  int width = (r.right - client.right) / 2;
  if (width <= 0) return;
  fw::WindowDC dc(Handle());
  HBRUSH brush = GetSysColorBrush(COLOR_HIGHLIGHT);
  for (; width > 0; --width) {
    FrameRect(dc.Get(), &r, brush);
    InflateRect(&r, -1, -1);
  }
}

void TSkinEdit::RedrawBorder() {
  if (HandleAllocated()) RedrawWindow(Handle(), nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
}

void TSkinEdit::CompositeRepaint() {
  if (compositing_ || !HandleAllocated()) return;
  FlagScope inProgress(compositing_);
  if (!Decorated()) return;
  HWND wnd = Handle();
  if (!IsWindowVisible(wnd)) return;
  RECT wr{};
  GetWindowRect(wnd, &wr);
  RECT client = ClientRect();
  if (client.right <= 0 || client.bottom <= 0) return;
  POINT offset = ClientOffset(wnd);

  CaretHidden caret(wnd);
  fw::ClientDC target(wnd);
  fw::OffscreenBuffer buffer(target.Get(), wr.right - wr.left, wr.bottom - wr.top);
  // Border, erase and paint of the whole window, at the buffer's origin.
  PaintTo(buffer.DC(), 0, 0);
  if (options_.Contains(ocFlatBorder)) DrawBorder(buffer.DC(), true);
  // The client part of the rendering over the client area, in one copy.
  BitBlt(target.Get(), 0, 0, client.right, client.bottom, buffer.DC(), offset.x, offset.y, SRCCOPY);
}

void TSkinEdit::DrawBorder(HDC dc, bool hot) {
  if (!HandleAllocated()) return;
  DrawFlatBorder(dc, Handle(), hot);
  if (!dc) DrawFocusMark();  // the flat border went over it
}

// ---- text changes

void TSkinEdit::Change() {
  CompositeRepaint();
  fw::TCustomEdit::Change();
}

// ---- keys

void TSkinEdit::WMKeyDown(fw::TMessage& m) {
  bool ctrl = (GetKeyState(VK_CONTROL) & 0x8000) != 0;
  bool shift = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
  bool alt = (GetKeyState(VK_MENU) & 0x8000) != 0;
  ctrlEnter_ = m.WParam == VK_RETURN && ctrl && !shift && !alt;
  fw::TCustomEdit::WMKeyDown(m);
}

void TSkinEdit::WMChar(fw::TMessage& m) {
  // Enter, Ctrl+Enter and Ctrl+J (a bare line feed) would all start a second line.
  if (m.WParam == VK_RETURN || m.WParam == L'\n' || ctrlEnter_) {
    ctrlEnter_ = false;
    MessageBeep(0);
    m.Result = 0;
    return;
  }
  // Characters the edit inserts; the other control characters are commands.
  if (m.WParam >= L' ' || m.WParam == L'\t') CheckReplacement(1);
  fw::TCustomEdit::WMChar(m);
}

// ---- focus and mouse

void TSkinEdit::WMSetFocus(fw::TMessage& m) {
  fw::TCustomEdit::WMSetFocus(m);
  if (AutoSelect() && !(GetKeyState(VK_LBUTTON) & 0x8000)) SelectAll();
  if (options_.Contains(ocFlatBorder)) DrawBorder(nullptr, true);
  RedrawBorder();  // the focus mark comes
}

void TSkinEdit::WMKillFocus(fw::TMessage& m) {
  fw::TCustomEdit::WMKillFocus(m);
  if (options_.Contains(ocFlatBorder)) DrawBorder(nullptr, false);
  RedrawBorder();  // the focus mark goes
}

bool TSkinEdit::FocusOnSkinnedControl() const {
  return IsSkinnedEditLike(fw::TWinControl::FindControl(GetFocus()));
}

// CM_MOUSEENTER / CM_MOUSELEAVE name the control in lParam (0: this one).
bool TSkinEdit::AboutMe(const fw::TMessage& m) const {
  return m.LParam == 0 || m.LParam == reinterpret_cast<LPARAM>(static_cast<const fw::TControl*>(this));
}

void TSkinEdit::CMMouseEnter(fw::TMessage& m) {
  fw::TCustomEdit::CMMouseEnter(m);
  if (!AboutMe(m)) return;
  if (options_.Contains(ocFlatBorder) && !FocusOnSkinnedControl()) DrawBorder(nullptr, true);
  if (OnMouseEnter) OnMouseEnter(this);
}

void TSkinEdit::CMMouseLeave(fw::TMessage& m) {
  fw::TCustomEdit::CMMouseLeave(m);
  if (!AboutMe(m)) return;
  if (options_.Contains(ocFlatBorder) && !FocusOnSkinnedControl()) DrawBorder(nullptr, false);
  if (OnMouseLeave) OnMouseLeave(this);
}

void TSkinEdit::CMParentColorChanged(fw::TMessage& m) {
  fw::TCustomEdit::CMParentColorChanged(m);
  if (options_.Contains(ocPaintTransparently)) Invalidate();
}

void TSkinEdit::WMMove(fw::TMessage& m) {
  fw::TCustomEdit::WMMove(m);
  Invalidate();
}

void TSkinEdit::WMGetDlgCode(fw::TMessage& m) {
  fw::TCustomEdit::WMGetDlgCode(m);
  // The system's multi-line edit asks for every key; this field holds one
  // line, so Esc (and Enter, when the form has a default button) belong to
  // the form, as in any one-line edit.
  m.Result &= ~static_cast<LRESULT>(DLGC_WANTALLKEYS);
}

}  // namespace skin
