// The real converter.exe as a screen reader finds it from this process,
// through Microsoft Active Accessibility, in both languages: every
// control's name, role, value, states and shortcut, the headings, a refusal
// dialog, the About box, a balloon, and the event each new result raises;
// oleacc comes into the converter only with the first question. Then the
// keyboard alone in both languages, with real key presses: the stored tab
// order both ways with a focus mark on every control (read from the
// screen), the lists, the keys and the Alt shortcuts.
#include <windows.h>
#include <oleacc.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <numeric>
#include <string>
#include <vector>

#include "tests/e2e/converter_driver.h"
#include "tests/e2e/process_driver.h"
#include "tests/e2e/real_input.h"
#include "tests/support/dib_surface.h"
#include "tests/support/window_watcher.h"

namespace {

using namespace std::chrono_literals;
using fwtest::Focused;

// Spelt out: MinGW's import library does not carry the interface's real GUID.
constexpr GUID kIAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

struct ComApartment {
  ComApartment() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  ~ComApartment() { CoUninitialize(); }
};

// What a client reads of an object (CHILDID_SELF) or of one of its elements.
struct Read {
  std::wstring name, value, shortcut, description;
  long role = 0, state = 0;
};

Read ReadOf(IAccessible* object, long child = CHILDID_SELF) {
  Read r;
  VARIANT id{};
  id.vt = VT_I4;
  id.lVal = child;
  auto text = [&](auto get) {
    BSTR b = nullptr;
    const HRESULT hr = (object->*get)(id, &b);
    std::wstring s = SUCCEEDED(hr) && b ? std::wstring(b, SysStringLen(b)) : std::wstring();
    SysFreeString(b);
    return s;
  };
  r.name = text(&IAccessible::get_accName);
  r.value = text(&IAccessible::get_accValue);
  r.shortcut = text(&IAccessible::get_accKeyboardShortcut);
  r.description = text(&IAccessible::get_accDescription);
  VARIANT v{};
  if (SUCCEEDED(object->get_accRole(id, &v)) && v.vt == VT_I4) r.role = v.lVal;
  if (SUCCEEDED(object->get_accState(id, &v)) && v.vt == VT_I4) r.state = v.lVal;
  return r;
}

// A window's client object, and its elements without a window of their own.
struct Client {
  IAccessible* object = nullptr;
  explicit Client(HWND window) {
    AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), kIAccessible,
                               reinterpret_cast<void**>(&object));
  }
  ~Client() {
    if (object) object->Release();
  }
  Read Self() const { return object ? ReadOf(object) : Read{}; }
  std::vector<Read> Elements() const {
    std::vector<Read> elements;
    long count = 0;
    if (object) object->get_accChildCount(&count);
    for (long id = 1; id <= count; ++id) {
      VARIANT child{};
      child.vt = VT_I4;
      child.lVal = id;
      IDispatch* own = nullptr;
      if (object->get_accChild(child, &own) == S_FALSE) elements.push_back(ReadOf(object, id));
      if (own) own->Release();
    }
    return elements;
  }
};

Read Spoken(HWND window) { return Client(window).Self(); }

bool HasModule(HANDLE process, const wchar_t* name) {
  HMODULE modules[512];
  DWORD bytes = 0;
  EnumProcessModules(process, modules, sizeof modules, &bytes);
  for (DWORD i = 0; i < bytes / sizeof(HMODULE); ++i) {
    wchar_t base[MAX_PATH] = {};
    if (GetModuleBaseNameW(process, modules[i], base, MAX_PATH) && _wcsicmp(base, name) == 0) return true;
  }
  return false;
}

// WinEvents of the converter, recorded by an out-of-context hook while this
// thread pumps.
std::vector<std::pair<DWORD, HWND>> events;
void CALLBACK Record(HWINEVENTHOOK, DWORD event, HWND window, LONG, LONG, DWORD, DWORD) {
  events.emplace_back(event, window);
}
long Seen(DWORD event, HWND window) { return std::count(events.begin(), events.end(), std::pair{event, window}); }

// One converter in the language of the argument, closed at the end.
struct Started {
  e2e::ChildProcess process;
  e2e::MainWindow w;
  HWINEVENTHOOK hook = nullptr;
  explicit Started(const wchar_t* arguments) {
    EXPECT_TRUE(process.Start(e2e::WindowsPath(CONVERTER_EXE), arguments));
    EXPECT_TRUE(w.Bind(process.WaitForWindow(L"TForm1")));
    events.clear();
    hook = SetWinEventHook(EVENT_SYSTEM_DIALOGSTART, EVENT_OBJECT_VALUECHANGE, nullptr, Record, process.Id(), 0,
                           WINEVENT_OUTOFCONTEXT);
    SetCursorPos(0, 0);  // no balloon over the window
  }
  ~Started() {
    UnhookWinEvent(hook);
    e2e::Notify(w.form, WM_CLOSE);
    if (process.WaitForExit(5s) < 0) process.Kill();
  }
  HWND Visible(const wchar_t* className) const {
    HWND found = nullptr;
    e2e::WaitFor([&] {
      for (HWND h : e2e::TopLevelWindows(process.Id(), className))
        if (IsWindowVisible(h)) found = h;
      return found != nullptr;
    });
    return found;
  }
};

// ---- a screen reader

class ScreenReader : public ::testing::TestWithParam<bool> {};

TEST_P(ScreenReader, EveryControlTheHeadingsARefusalAndTheAboutBox) {
  const bool ru = GetParam();
  ComApartment com;
  Started converter(ru ? L"-r" : L"");
  const e2e::MainWindow& w = converter.w;
  ASSERT_TRUE(e2e::WaitIdle(w.form));
  EXPECT_FALSE(HasModule(converter.process.Handle(), L"oleacc.dll")) << "loaded before any question";

  const struct {
    HWND window;
    const wchar_t *english, *russian;
    long role;
    const wchar_t *shortcutEnglish, *shortcutRussian;
  } controls[] = {
      {w.value, L"Meaning input", L"Ввод значения", ROLE_SYSTEM_TEXT, L"", L""},
      {w.result, L"Result", L"Результат", ROLE_SYSTEM_TEXT, L"", L""},
      {w.source, L"From unit", L"Из единицы", ROLE_SYSTEM_COMBOBOX, L"", L""},
      {w.target, L"To unit", L"В единицу", ROLE_SYSTEM_COMBOBOX, L"", L""},
      {w.Key(L'7'), L"7", L"7", ROLE_SYSTEM_PUSHBUTTON, L"", L""},
      {w.Key(L'.'), L"Decimal separator", L"Десятичный разделитель", ROLE_SYSTEM_PUSHBUTTON, L"", L""},
      {w.Key(L'C'), L"Clear", L"Очистить", ROLE_SYSTEM_PUSHBUTTON, L"", L""},
      {w.about, L"About", L"Подробнее", ROLE_SYSTEM_PUSHBUTTON, L"Alt+A", L"Alt+П"},
      {w.print, L"Print", L"Печать", ROLE_SYSTEM_PUSHBUTTON, L"Alt+P", L"Alt+П"},
      {w.close, L"Close", L"Закрыть", ROLE_SYSTEM_PUSHBUTTON, L"Alt+C", L"Alt+З"},
  };
  for (const auto& c : controls) {
    const Read r = Spoken(c.window);
    const std::string which(c.english, c.english + wcslen(c.english));
    EXPECT_EQ(r.name, ru ? c.russian : c.english) << which;
    EXPECT_EQ(r.role, c.role) << which;
    EXPECT_EQ(r.shortcut, ru ? c.shortcutRussian : c.shortcutEnglish) << which;
    const long shown = STATE_SYSTEM_FOCUSABLE | STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE;
    EXPECT_EQ(r.state & shown, STATE_SYSTEM_FOCUSABLE) << which;
  }
  const Read value = Spoken(w.value), result = Spoken(w.result), source = Spoken(w.source), close = Spoken(w.close);
  EXPECT_EQ(value.value, L"1");
  EXPECT_EQ(result.value, L"1");
  EXPECT_FALSE(value.state & STATE_SYSTEM_READONLY);
  EXPECT_TRUE(result.state & STATE_SYSTEM_READONLY);
  EXPECT_EQ(source.value, L"") << "no unit chosen yet";
  EXPECT_TRUE(source.state & STATE_SYSTEM_COLLAPSED);
  EXPECT_TRUE((close.state & STATE_SYSTEM_FOCUSED) && (close.state & STATE_SYSTEM_DEFAULT)) << "Enter presses it";
  w.ChooseSource(5);
  EXPECT_EQ(Spoken(w.source).value, ru ? L"Килограмм" : L"Kilogram");

  // The headings have no window: the form tells them as its static texts.
  std::vector<std::wstring> headings;
  for (const Read& e : Client(w.form).Elements()) {
    EXPECT_EQ(e.role, ROLE_SYSTEM_STATICTEXT);
    headings.push_back(e.name);
  }
  const std::vector<std::wstring> russian{L"Выбор величин для конвертации", L"Ввод значения", L"Результат"},
      english{L"Meaning quantity for conversion", L"Meaning input", L"Result"};
  EXPECT_EQ(headings, ru ? russian : english);
  EXPECT_TRUE(HasModule(converter.process.Handle(), L"oleacc.dll"));

  // A refusal is a dialog that says it opened, named by its caption, that
  // tells its message.
  w.Click(w.Key(L'3'));
  const auto dialog = e2e::WaitForDialog(converter.process.Id());
  ASSERT_TRUE(dialog);
  EXPECT_TRUE(e2e::WaitFor([&] { return Seen(EVENT_SYSTEM_DIALOGSTART, dialog->window) > 0; }, 5s));
  const std::wstring message = ru ? L"Введите величины для конвертации" : L"Type quantity measure";
  const Client box(dialog->window);
  const Read said = box.Self();
  EXPECT_EQ(said.role, ROLE_SYSTEM_DIALOG);
  EXPECT_EQ(said.name, L"Information");
  EXPECT_EQ(said.description, message);
  ASSERT_EQ(box.Elements().size(), 1u);
  EXPECT_EQ(box.Elements()[0].name, message);
  ASSERT_TRUE(e2e::PressOk(*dialog));

  // The About box: its title, information lines and passing notice, its OK.
  w.Click(w.about);
  const HWND about = converter.Visible(L"TAboutBox");
  ASSERT_NE(about, nullptr);
  e2e::WaitIdle(about);
  const std::vector<Read> lines = Client(about).Elements();
  auto line = [&](const std::wstring& start) {
    auto at = std::find_if(lines.begin(), lines.end(), [&](const Read& e) { return e.name.rfind(start, 0) == 0; });
    return at == lines.end() ? Read{} : *at;
  };
  const std::wstring title = ru ? L"Конвертор величин v 2.3" : L"Quantity converter v 2.3";
  EXPECT_EQ(line(title).name, title);
  EXPECT_EQ(line(L"Windows").role, ROLE_SYSTEM_STATICTEXT);
  EXPECT_EQ(line(L"Memory Available to Windows:").role, ROLE_SYSTEM_STATICTEXT);
  EXPECT_TRUE(std::any_of(lines.begin(), lines.end(), [](const Read& e) { return e.name.ends_with(L" KB"); }));
  const Read notice = line(L"Copyright");
  EXPECT_EQ(notice.name, L"Copyright \u00A9 2026 Converter contributors, MIT License");
  EXPECT_TRUE(notice.state & STATE_SYSTEM_MARQUEED) << "it passes by";
  const Read ok = Spoken(e2e::ChildWindows(about, L"TSkinBtn").at(0));
  EXPECT_EQ(ok.name + L" " + ok.shortcut, L"OK Alt+O");
  EXPECT_EQ(ok.role, ROLE_SYSTEM_PUSHBUTTON);
  e2e::Notify(about, WM_CLOSE);
}

INSTANTIATE_TEST_SUITE_P(Languages, ScreenReader, ::testing::Values(false, true));

TEST(SpokenResult, EveryNewResultRaisesValueChangeOnTheResultField) {
  ComApartment com;
  Started converter(L"");
  const e2e::MainWindow& w = converter.w;
  const struct {
    const char* step;
    std::function<void()> act;
    const wchar_t* result;
  } steps[] = {
      {"a source unit empties the result", [&] { w.ChooseSource(3); }, L""},  // Ton metric
      {"a target unit converts", [&] { w.ChooseTarget(2); }, L"1000"},       // to Kilogram
      {"the clear key", [&] { w.Click(w.Key(L'C')); }, L"0"},
      {"a digit key", [&] { w.Click(w.Key(L'4')); }, L"4000"},
      {"typing", [&] { w.Type(L"2"); }, L"42000"},
  };
  long seen = 0;
  for (const auto& s : steps) {
    s.act();
    EXPECT_TRUE(e2e::WaitFor([&] { return Seen(EVENT_OBJECT_VALUECHANGE, w.result) > seen; }, 5s)) << s.step;
    seen = Seen(EVENT_OBJECT_VALUECHANGE, w.result);
    EXPECT_EQ(Spoken(w.result).value, s.result) << s.step;
  }
  EXPECT_EQ(seen, 5) << "one event for each new result";
}

TEST(SpokenBalloon, ATooltipNamedByItsText) {
  ComApartment com;
  Started converter(L"");
  SetForegroundWindow(converter.w.form);
  e2e::WaitIdle(converter.w.form);
  e2e::PointerOver(converter.w.print);
  const HWND balloon = converter.Visible(L"TFxShapeHintWindow");
  ASSERT_NE(balloon, nullptr);
  const Read tip = Spoken(balloon);
  EXPECT_EQ(tip.role, ROLE_SYSTEM_TOOLTIP);
  EXPECT_EQ(tip.name, L"Print");
  SetCursorPos(0, 0);
}

// ---- the keyboard alone

// Alt with a letter. This system has no Russian keyboard layout to type a
// Cyrillic one with, so that one comes as the layout would hand it on.
void PressAlt(wchar_t letter) {
  if (letter < 0x80) return e2e::Tap({static_cast<WORD>(letter)}, VK_MENU);
  PostMessageW(Focused(GetForegroundWindow()), WM_SYSCHAR, letter, 1 | (1 << 29));
}

// What a control shows on the screen, once the paints have reached it.
std::vector<COLORREF> Look(HWND form, HWND control) {
  e2e::WaitIdle(form);
  Sleep(150);
  RECT r;
  GetWindowRect(control, &r);
  const auto shot = fwtest::CaptureScreen(r);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < shot->Height(); ++y)
    for (int x = 0; x < shot->Width(); ++x) pixels.push_back(shot->At(x, y));
  return pixels;
}

long Differences(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
  return a.size() != b.size() ? -1 : std::inner_product(a.begin(), a.end(), b.begin(), 0L, std::plus<>(),
                                                         std::not_equal_to<>());
}

class KeyboardAlone : public ::testing::TestWithParam<bool> {};

TEST_P(KeyboardAlone, TabAndShiftTabFollowTheStoredOrderAndMarkTheFocus) {
  Started converter(GetParam() ? L"-r" : L"");
  const e2e::MainWindow& w = converter.w;
  SetForegroundWindow(w.form);
  ASSERT_TRUE(e2e::WaitFor([&] { return GetForegroundWindow() == w.form; }, 5s)) << "no input here";
  // The stored tab order, from Close (0) to About (18).
  const std::vector<HWND> order = {w.close,     w.target,    w.print,     w.Key(L'1'), w.Key(L'2'), w.Key(L'3'),
                                   w.Key(L'4'), w.Key(L'5'), w.Key(L'6'), w.Key(L'7'), w.Key(L'8'), w.Key(L'9'),
                                   w.Key(L'0'), w.Key(L'.'), w.value,     w.result,    w.source,    w.Key(L'C'),
                                   w.about};
  const size_t n = order.size();
  ASSERT_EQ(Focused(w.form), w.close);
  for (const bool back : {false, true}) {
    std::vector<std::vector<COLORREF>> marked(n), unmarked(n);
    marked[0] = Look(w.form, order[0]);
    for (size_t step = 1; step <= n; ++step) {
      const size_t to = back ? n - step : step % n, from = back ? (n - step + 1) % n : step - 1;
      e2e::Tap({VK_TAB}, back ? VK_SHIFT : 0);
      ASSERT_TRUE(e2e::WaitFor([&] { return Focused(w.form) == order[to]; }, 5s)) << back << " from " << from;
      unmarked[from] = Look(w.form, order[from]);
      if (to != 0) marked[to] = Look(w.form, order[to]);
    }
    for (size_t i = 0; i < n; ++i) EXPECT_GE(Differences(marked[i], unmarked[i]), 8) << "no focus mark on " << i;
  }
  // The cues hidden by the system's UI state, the mark goes (unless the
  // system always shows them); the next Tab brings it back.
  BOOL alwaysShown = FALSE;
  SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &alwaysShown, 0);
  const auto marked = Look(w.form, w.close);
  e2e::SendWithTimeout(w.form, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS));
  EXPECT_EQ(Differences(Look(w.form, w.close), marked) == 0, static_cast<bool>(alwaysShown));
  e2e::Tap({VK_TAB});
  e2e::Tap({VK_TAB}, VK_SHIFT);
  ASSERT_TRUE(e2e::WaitFor([&] { return Focused(w.form) == w.close; }, 5s));
  EXPECT_EQ(Differences(Look(w.form, w.close), marked), 0);
}

TEST_P(KeyboardAlone, ListsKeysAndShortcuts) {
  const bool ru = GetParam();
  Started converter(ru ? L"-r" : L"");
  const e2e::MainWindow& w = converter.w;
  SetForegroundWindow(w.form);
  ASSERT_TRUE(e2e::WaitFor([&] { return GetForegroundWindow() == w.form; }, 5s));
  auto tabTo = [&](HWND control, WORD modifier) {
    for (int i = 0; i < 19 && Focused(w.form) != control; ++i) {
      const HWND before = Focused(w.form);
      e2e::Tap({VK_TAB}, modifier);
      e2e::WaitFor([&] { return Focused(w.form) != before; }, 5s);
    }
    return Focused(w.form) == control;
  };
  auto dropped = [&](HWND list) { return e2e::SendWithTimeout(list, CB_GETDROPPEDSTATE) != 0; };
  // Alt+Down opens a list, Down picks the next row, Enter closes it: Ton
  // Short to Kilogram, then the first target row, Ton metric.
  ASSERT_TRUE(tabTo(w.source, VK_SHIFT));
  e2e::SendWithTimeout(w.source, CB_SETCURSEL, 4);
  for (HWND list : {w.source, w.target}) {
    ASSERT_TRUE(tabTo(list, 0));
    e2e::Tap({VK_DOWN}, VK_MENU);
    EXPECT_TRUE(e2e::WaitFor([&] { return dropped(list); }, 5s));
    e2e::Tap({VK_DOWN, VK_RETURN});
    EXPECT_TRUE(e2e::WaitFor([&] { return !dropped(list); }, 5s));
  }
  EXPECT_TRUE(e2e::WaitFor([&] { return w.Result() == L"0.001"; }, 5s));
  // Space, then Enter, press the focused key.
  ASSERT_TRUE(tabTo(w.Key(L'3'), 0));
  e2e::Tap({VK_SPACE});
  EXPECT_TRUE(e2e::WaitFor([&] { return w.Value() == L"13"; }, 5s));
  e2e::Tap({VK_RETURN});
  EXPECT_TRUE(e2e::WaitFor([&] { return w.Value() == L"133"; }, 5s));
  // Alt+A opens the About box (its one control keeps the focus on Tab),
  // Alt+O closes it, Alt+C (Alt+З) the program. The Russian captions of
  // Print and About share their letter, so there About is pressed by Enter.
  if (ru) {
    ASSERT_TRUE(tabTo(w.about, 0));
    e2e::Tap({VK_RETURN});
  } else {
    PressAlt(L'A');
  }
  const HWND about = converter.Visible(L"TAboutBox");
  ASSERT_NE(about, nullptr);
  const HWND ok = e2e::ChildWindows(about, L"TSkinBtn").at(0);
  EXPECT_TRUE(e2e::WaitFor([&] { return Focused(about) == ok; }, 5s));
  e2e::Tap({VK_TAB});
  EXPECT_TRUE(e2e::WaitIdle(about) && Focused(about) == ok);
  PressAlt(L'O');
  EXPECT_TRUE(e2e::WaitFor([&] { return !IsWindow(about) || !IsWindowVisible(about); }, 5s));
  ASSERT_TRUE(e2e::WaitFor([&] { return GetForegroundWindow() == w.form; }, 5s));
  PressAlt(ru ? L'З' : L'C');
  EXPECT_EQ(converter.process.WaitForExit(10s), 0);
}

INSTANTIATE_TEST_SUITE_P(Languages, KeyboardAlone, ::testing::Values(false, true));

}  // namespace
