#include "framework/hintwindow.h"

#include <vector>

#include "framework/accessible.h"
#include "framework/display_scale.h"
#include "graphics/gdi.h"

namespace fw {
namespace {

THintWindowClass& CurrentHintWindowClass() {
  static THintWindowClass current = THintWindowClass::Of<THintWindow>();
  return current;
}

}  // namespace

bool THintWindowClass::IsClassOf(const THintWindow& window) const { return typeid(window) == *type_; }

THintWindowClass HintWindowClass() { return CurrentHintWindowClass(); }

void SetHintWindowClass(const THintWindowClass& windowClass) { CurrentHintWindowClass() = windowClass; }

// ---- THintWindow

THintWindow::THintWindow(TComponent* owner) : TCustomControl(owner) {
  SetVisible(false);
  SetColor(RGB(255, 255, 128));
  AssignHintFont(Font());
  Font().SetColor(clInfoText);
}

void THintWindow::CreateParams(TCreateParams& p) {
  TCustomControl::CreateParams(p);
  p.Style = WS_POPUP | WS_BORDER;
  p.ExStyle = WS_EX_TOOLWINDOW;
  p.ClassStyle |= CS_SAVEBITS;
  p.WndParent = nullptr;
}

RECT THintWindow::CalcHintRect(int maxWidth, const std::wstring& hint, void*) {
  RECT r{0, 0, maxWidth, 0};
  MemoryDC screen;
  SelectGuard font(screen, Font().Handle());
  DrawTextW(screen, hint.c_str(), static_cast<int>(hint.size()), &r,
            DT_CALCRECT | DT_LEFT | DT_WORDBREAK | DT_NOPREFIX);
  r.right += Scaled(6);
  r.bottom += Scaled(2);
  return r;
}

void THintWindow::SetHintText(const std::wstring& hint) {
  activating_ = true;
  struct Reset {
    bool& flag;
    ~Reset() { flag = false; }
  } reset{activating_};
  SetText(hint);
}

void THintWindow::ActivateHint(const RECT& rect, const std::wstring& hint) {
  SetHintText(hint);
  int width = rect.right - rect.left, height = rect.bottom - rect.top + Scaled(4);
  const int deskLeft = GetSystemMetrics(SM_XVIRTUALSCREEN), deskTop = GetSystemMetrics(SM_YVIRTUALSCREEN);
  const RECT desktop{deskLeft, deskTop, deskLeft + GetSystemMetrics(SM_CXVIRTUALSCREEN),
                     deskTop + GetSystemMetrics(SM_CYVIRTUALSCREEN)};
  const POINT at = KeepOnDesktop(POINT{rect.left, rect.top}, SIZE{width, height}, desktop);
  const int left = at.x, top = at.y;
  SetBounds(left, top, width, height);
  SetWindowPos(Handle(), HWND_TOPMOST, left, top, width, height, SWP_SHOWWINDOW | SWP_NOACTIVATE);
  Invalidate();
  Update();
}

void THintWindow::ActivateHintData(const RECT& rect, const std::wstring& hint, void*) {
  ActivateHint(rect, hint);
}

bool THintWindow::IsHintMsg(const MSG& msg) {
  UINT m = msg.message;
  return (m >= WM_KEYFIRST && m <= WM_KEYLAST) || (m >= WM_LBUTTONDOWN && m <= WM_MOUSEWHEEL) ||
         m == WM_NCMOUSEMOVE || m == WM_COMMAND || m == CM_ACTIVATE || m == CM_DEACTIVATE ||
         m == CM_APPKEYDOWN || m == CM_APPSYSCOMMAND;
}

void THintWindow::DescribeAccessible(AccessibleFacts& facts) const {
  TCustomControl::DescribeAccessible(facts);
  facts.role = ROLE_SYSTEM_TOOLTIP;
  if (!facts.name) facts.name = Caption();
}

void THintWindow::ReleaseHint() {
  if (HandleAllocated() && IsWindowVisible(Handle())) ShowWindow(Handle(), SW_HIDE);
}

void THintWindow::WMNCPaint(TMessage& m) {
  WindowDC dc(Handle());
  RECT r{0, 0, Width(), Height()};
  DrawEdge(dc, &r, BDR_RAISEDOUTER, BF_RECT);
  m.Result = 0;
}

void THintWindow::CMTextChanged(TMessage& m) {
  TCustomControl::CMTextChanged(m);
  if (activating_) return;
  MemoryDC screen;
  SelectGuard font(screen, Font().Handle());
  std::wstring text = Text();
  SIZE size{};
  GetTextExtentPoint32W(screen, text.c_str(), static_cast<int>(text.size()), &size);
  SetBounds(Left(), Top(), size.cx + Scaled(6), size.cy + Scaled(4));
}

void THintWindow::Paint() {
  RECT r = ClientRect();
  r.left += Scaled(2);
  r.top += Scaled(2);
  Canvas().Font().SetColor(clInfoText);
  Canvas().Brush().SetStyle(bsClear);
  Canvas().DrawText(Text(), r, DT_WORDBREAK | DT_NOPREFIX);
}

// ---- screen facts

POINT KeepOnDesktop(POINT at, SIZE size, const RECT& desktop) {
  // Its far edges lie at its origin plus its size: a monitor left of or
  // above the primary one gives a negative origin.
  if (at.y + size.cy > desktop.bottom) at.y = desktop.bottom - size.cy;
  if (at.x + size.cx > desktop.right) at.x = desktop.right - size.cx;
  if (at.x < desktop.left) at.x = desktop.left;
  if (at.y < desktop.top) at.y = desktop.top;
  return at;
}

void AssignHintFont(TFont& font) {
  // The design font (96 DPI): the window scales it to its DPI.
  NONCLIENTMETRICSW metrics{};
  if (NonClientMetricsForDpi(kDesignDpi, metrics)) {
    font.AssignLogFont(metrics.lfStatusFont);
  } else {
    font.Assign(TFont());
    font.SetSize(8);
  }
}

int HintCursorMargin(HCURSOR cursor) {
  int margin = GetSystemMetrics(SM_CYCURSOR);
  ICONINFO info{};
  if (!cursor || !GetIconInfo(cursor, &info)) return margin;
  // GetIconInfo hands out copies of both bitmaps.
  GdiBitmap mask(info.hbmMask), color(info.hbmColor);
  if (!mask) return margin;

  struct {
    BITMAPINFOHEADER header;
    RGBQUAD colors[2];
  } bmi{};
  bmi.header.biSize = sizeof(BITMAPINFOHEADER);
  ClientDC screen(nullptr);
  // The header and its two colours are the BITMAPINFO they begin.
  auto* asInfo = reinterpret_cast<BITMAPINFO*>(&bmi);
  if (!GetDIBits(screen, mask.Get(), 0, 0, nullptr, asInfo, DIB_RGB_COLORS)) return margin;
  if (bmi.header.biBitCount != 1) return margin;
  int width = bmi.header.biWidth;
  int height = bmi.header.biHeight < 0 ? -bmi.header.biHeight : bmi.header.biHeight;
  if (width <= 0 || height <= 0) return margin;
  bmi.header.biHeight = height;  // bottom-up
  bmi.header.biCompression = BI_RGB;
  bmi.header.biSizeImage = 0;
  size_t bytesPerRow = static_cast<size_t>((width + 31) / 32 * 4);
  std::vector<BYTE> bits(bytesPerRow * static_cast<size_t>(height));
  if (GetDIBits(screen, mask.Get(), 0, static_cast<UINT>(height), bits.data(), asInfo, DIB_RGB_COLORS) !=
      height)
    return margin;

  // The top square of the mask is its last bytes; searched from its bottom
  // row upward. Rows above the found one = the found row's y from the top.
  size_t square = std::min(bits.size(), bytesPerRow * static_cast<size_t>(width));
  auto search = [&](size_t begin, size_t end, BYTE blank, int& rowsAbove) {
    for (size_t i = begin; i < end; ++i)
      if (bits[i] != blank) {
        rowsAbove = static_cast<int>((end - i - 1) / bytesPerRow);
        return true;
      }
    return false;
  };
  int rowsAbove = 0;
  size_t end = bits.size();
  bool found = search(end - square, end, 0xFF, rowsAbove);
  // A monochrome cursor whose AND mask is empty shows its XOR mask.
  if (!found && height >= 2 * width) found = search(end - 2 * square, end - square, 0x00, rowsAbove);
  if (!found) return margin;
  return rowsAbove - static_cast<int>(info.yHotspot);
}

std::wstring GetShortHint(const std::wstring& hint) {
  size_t bar = hint.find(L'|');
  return bar == std::wstring::npos ? hint : hint.substr(0, bar);
}

}  // namespace fw
