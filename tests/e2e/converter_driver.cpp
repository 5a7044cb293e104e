#include "tests/e2e/converter_driver.h"

#include <cstdlib>
#include <thread>

#include "tests/support/dib_surface.h"
#include "tests/support/window_watcher.h"

namespace e2e {
namespace {

POINT ClientTopLeft(HWND form, HWND child) {
  RECT r{};
  GetWindowRect(child, &r);
  POINT p{r.left, r.top};
  ScreenToClient(form, &p);
  return p;
}

std::wstring WithoutAccelerator(std::wstring text) {
  for (size_t i = 0; i < text.size(); ++i)
    if (text[i] == L'&') text.erase(i, 1);
  return text;
}

// ---- icons on the screen

// A copy of a surface's pixels, cheap to read again and again.
struct Pixels {
  int width = 0, height = 0;
  std::vector<COLORREF> data;
  COLORREF At(int x, int y) const { return data[static_cast<size_t>(y * width + x)]; }
};

Pixels Copy(const fwtest::DibSurface& surface) {
  Pixels out{surface.Width(), surface.Height(), {}};
  for (int y = 0; y < out.height; ++y)
    for (int x = 0; x < out.width; ++x) out.data.push_back(surface.At(x, y));
  return out;
}

Pixels StockIcon(LPCWSTR id) {
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateCompatibleBitmap(screen, 32, 32);
  HGDIOBJ old = SelectObject(memory, bitmap);
  RECT all{0, 0, 32, 32};
  FillRect(memory, &all, GetSysColorBrush(COLOR_BTNFACE));
  DrawIconEx(memory, 0, 0, LoadIconW(nullptr, id), 32, 32, 0, nullptr, DI_NORMAL);
  fwtest::DibSurface icon(32, 32);
  icon.CopyFrom(memory, 0, 0);
  SelectObject(memory, old);
  DeleteObject(bitmap);
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return Copy(icon);
}

bool Near(COLORREF a, COLORREF b) {
  return std::abs(GetRValue(a) - GetRValue(b)) <= 12 && std::abs(GetGValue(a) - GetGValue(b)) <= 12 &&
         std::abs(GetBValue(a) - GetBValue(b)) <= 12;
}

// The stock icon that appears in the screen area, or empty.
std::wstring FindStockIcon(const RECT& area) {
  const Pixels shot = Copy(*fwtest::CaptureScreen(area));
  const struct {
    const wchar_t* name;
    LPCWSTR id;
  } kinds[] = {{L"stop", IDI_HAND}, {L"information", IDI_ASTERISK}, {L"exclamation", IDI_EXCLAMATION},
               {L"question", IDI_QUESTION}};
  std::wstring best;
  int bestScore = 0;
  for (const auto& kind : kinds) {
    const Pixels icon = StockIcon(kind.id);
    for (int y = 0; y + 32 <= shot.height; ++y)
      for (int x = 0; x + 32 <= shot.width; ++x) {
        int score = 0;
        for (int j = 0; j < 32; ++j)
          for (int i = 0; i < 32; ++i) score += Near(shot.At(x + i, y + j), icon.At(i, j));
        if (score > bestScore) {
          bestScore = score;
          best = kind.name;
        }
      }
  }
  return bestScore >= 1024 * 95 / 100 ? best : std::wstring();
}

}  // namespace

void Notify(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  SendNotifyMessageW(window, message, wParam, lParam);
}

HWND ControlAt(HWND form, int x, int y) {
  for (HWND child = GetWindow(form, GW_CHILD); child; child = GetWindow(child, GW_HWNDNEXT)) {
    const POINT p = ClientTopLeft(form, child);
    if (p.x == x && p.y == y) return child;
  }
  return nullptr;
}

bool MainWindow::Bind(HWND mainForm, int windowDpi) {
  form = mainForm;
  dpi = windowDpi;
  auto at = [this](int x, int y) { return ControlAt(form, MulDiv(x, dpi, 96), MulDiv(y, dpi, 96)); };
  source = at(8, 24);
  target = at(200, 24);
  value = at(8, 72);
  result = at(8, 120);
  about = at(8, 160);
  print = at(104, 160);
  close = at(224, 160);
  return form && source && target && value && result && about && print && close;
}

HWND MainWindow::Key(wchar_t caption) const {
  static const wchar_t kLayout[4][4] = {L"123", L"456", L"789", L"0.C"};
  for (int row = 0; row < 4; ++row)
    for (int column = 0; column < 3; ++column)
      if (kLayout[row][column] == caption)
        return ControlAt(form, MulDiv(208 + 56 * column, dpi, 96), MulDiv(56 + 24 * row, dpi, 96));
  return nullptr;
}

void MainWindow::ChooseSource(int index) const {
  SendWithTimeout(source, CB_SETCURSEL, static_cast<WPARAM>(index));
  Notify(form, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(source), CBN_SELCHANGE), reinterpret_cast<LPARAM>(source));
  WaitIdle(form);
}

void MainWindow::ChooseTarget(int index) const {
  SendWithTimeout(target, CB_SETCURSEL, static_cast<WPARAM>(index));
  Notify(form, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(target), CBN_SELCHANGE), reinterpret_cast<LPARAM>(target));
  WaitIdle(form);
}

void MainWindow::Click(HWND button) const {
  Notify(button, BM_CLICK, 0, 0);
  WaitIdle(form);
}

void MainWindow::Type(const std::wstring& chars) const {
  const LRESULT length = SendWithTimeout(value, WM_GETTEXTLENGTH);
  SendWithTimeout(value, EM_SETSEL, static_cast<WPARAM>(length), length);
  for (wchar_t c : chars) Notify(value, WM_CHAR, c, 1);
  WaitIdle(form);
}

std::vector<std::wstring> MainWindow::Items(HWND combo) const {
  std::vector<std::wstring> items;
  const LRESULT count = SendWithTimeout(combo, CB_GETCOUNT);
  for (LRESULT i = 0; i < count; ++i) {
    const LRESULT length = SendWithTimeout(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i));
    std::wstring text(static_cast<size_t>(length > 0 ? length : 0) + 1, L'\0');
    SendWithTimeout(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text.data()));
    text.resize(wcslen(text.c_str()));
    items.push_back(text);
  }
  return items;
}

bool ParseMessageBoxCopy(const std::wstring& copy, SeenDialog& into) {
  // ----\r\n caption \r\n----\r\n text \r\n----\r\n buttons \r\n----\r\n
  const std::wstring rule = L"---------------------------\r\n";
  std::vector<std::wstring> parts;
  size_t at = 0;
  while (at < copy.size()) {
    if (copy.compare(at, rule.size(), rule) != 0) return false;
    at += rule.size();
    if (at == copy.size()) break;
    const size_t next = copy.find(L"\r\n" + rule, at);
    if (next == std::wstring::npos) return false;
    parts.push_back(copy.substr(at, next - at));
    at = next + 2;
  }
  if (parts.size() != 3) return false;
  into.caption = parts[0];
  into.text = parts[1];
  into.buttons.clear();
  const std::wstring& row = parts[2];
  for (size_t start = 0; start < row.size();) {
    const size_t end = row.find(L"   ", start);
    into.buttons.push_back(row.substr(start, end - start));
    if (end == std::wstring::npos) break;
    start = end + 3;
  }
  return true;
}

std::optional<SeenDialog> WaitForDialog(DWORD processId, std::chrono::milliseconds timeout) {
  SeenDialog seen;
  WaitFor(
      [&] {
        for (const wchar_t* cls : {L"TMessageForm", L"#32770"})
          for (HWND w : TopLevelWindows(processId, cls))
            if (IsWindowVisible(w)) {
              seen.window = w;
              seen.className = cls;
              return true;
            }
        return false;
      },
      timeout);
  if (!seen.window) return std::nullopt;
  WaitIdle(seen.window);
  RECT client{};
  GetClientRect(seen.window, &client);
  POINT origin{0, 0};
  ClientToScreen(seen.window, &origin);
  if (seen.className == L"#32770") {
    seen.caption = WindowText(seen.window);
    seen.text = WindowText(GetDlgItem(seen.window, 0xFFFF));
    for (HWND b : ChildWindows(seen.window, L"Button")) seen.buttons.push_back(WithoutAccelerator(WindowText(b)));
  } else {
    // The label has no window of its own: the dialog copies what it shows.
    SendWithTimeout(seen.window, WM_COPY);
    ParseMessageBoxCopy(fwtest::ClipboardText(nullptr), seen);
  }
  // The icon sits in the top-left corner of the client area (in a message
  // box: in its icon control).
  RECT area{origin.x, origin.y, origin.x + std::min<LONG>(client.right, 100),
            origin.y + std::min<LONG>(client.bottom, 80)};
  for (HWND c : ChildWindows(seen.window, L"Static"))
    if ((GetWindowLongPtrW(c, GWL_STYLE) & SS_TYPEMASK) == SS_ICON) {
      GetWindowRect(c, &area);
      InflateRect(&area, 4, 4);
    }
  // The screen may show the first paint a moment after it was handled.
  for (int attempt = 0; attempt < 20 && seen.iconName.empty(); ++attempt) {
    if (attempt) Sleep(50);
    seen.iconName = FindStockIcon(area);
  }
  return seen;
}

bool PressOk(const SeenDialog& dialog) {
  if (dialog.className == L"#32770") {
    PostMessageW(dialog.window, WM_COMMAND, IDOK, 0);
  } else {
    HWND ok = nullptr;
    for (HWND b : ChildWindows(dialog.window))
      if (WindowText(b) == L"OK") ok = b;
    if (!ok) return false;
    PostMessageW(ok, BM_CLICK, 0, 0);
  }
  return WaitFor([&] { return !IsWindow(dialog.window) || !IsWindowVisible(dialog.window); }, 5s);
}

}  // namespace e2e
