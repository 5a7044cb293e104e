// The real converter.exe as a screen reader finds it, from this process
// through Microsoft Active Accessibility: every control's name, role, value,
// state and keyboard shortcut in both languages, the headings, the About
// box, a refusal dialog and a balloon hint, and the event a new result
// raises. oleacc comes into the converter only with the first question.
// Then the keyboard alone, with real key presses: the tab order both ways
// with a focus mark on every control (read from the screen), the lists
// opened with Alt+Down, keys pressed with Space and Enter, the About box and
// Close by their Alt shortcuts.
#include <windows.h>
#include <oleacc.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tests/e2e/converter_driver.h"
#include "tests/e2e/process_driver.h"
#include "tests/support/dib_surface.h"
#include "tests/support/window_watcher.h"

namespace {

using namespace std::chrono_literals;

// Spelt out: the IID_IAccessible of MinGW's import library is not the
// interface's real GUID.
constexpr GUID kIAccessible = {0x618736E0, 0x3C3D, 0x11CF, {0x81, 0x0C, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71}};

struct ComApartment {
  ComApartment() { CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED); }
  ~ComApartment() { CoUninitialize(); }
};

std::string Narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
  return out;
}

// What a client reads of one object (CHILDID_SELF) or one of its elements.
struct Read {
  HRESULT found = E_FAIL;
  std::wstring name, value, shortcut, description;
  long role = 0, state = 0;
};

// One text property of a child: empty when there is none.
template <class Get>
std::wstring TextOf(Get get) {
  BSTR text = nullptr;
  const HRESULT hr = get(&text);
  std::wstring out = SUCCEEDED(hr) && text ? std::wstring(text, SysStringLen(text)) : std::wstring();
  SysFreeString(text);
  return out;
}

Read ReadOf(IAccessible* object, long child = CHILDID_SELF) {
  Read r;
  if (!object) return r;
  VARIANT id{};
  id.vt = VT_I4;
  id.lVal = child;
  r.name = TextOf([&](BSTR* text) { return object->get_accName(id, text); });
  r.value = TextOf([&](BSTR* text) { return object->get_accValue(id, text); });
  r.shortcut = TextOf([&](BSTR* text) { return object->get_accKeyboardShortcut(id, text); });
  r.description = TextOf([&](BSTR* text) { return object->get_accDescription(id, text); });
  VARIANT v{};
  r.found = object->get_accRole(id, &v);
  if (v.vt == VT_I4) r.role = v.lVal;
  VariantClear(&v);
  if (SUCCEEDED(object->get_accState(id, &v)) && v.vt == VT_I4) r.state = v.lVal;
  VariantClear(&v);
  return r;
}

// The client object of a window of the converter (released on destruction).
class Client {
 public:
  explicit Client(HWND window) {
    hr_ = AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_CLIENT), kIAccessible,
                                     reinterpret_cast<void**>(&object_));
  }
  Client(const Client&) = delete;
  Client& operator=(const Client&) = delete;
  ~Client() {
    if (object_) object_->Release();
  }
  HRESULT Result() const { return hr_; }
  Read Self() const { return ReadOf(object_); }
  // The elements without a window of their own: child ids for which the
  // object gives no object of its own.
  std::vector<Read> Elements() const {
    std::vector<Read> elements;
    long count = 0;
    if (!object_ || FAILED(object_->get_accChildCount(&count))) return elements;
    for (long id = 1; id <= count; ++id) {
      VARIANT child{};
      child.vt = VT_I4;
      child.lVal = id;
      IDispatch* dispatch = nullptr;
      if (object_->get_accChild(child, &dispatch) == S_FALSE && !dispatch) elements.push_back(ReadOf(object_, id));
      if (dispatch) dispatch->Release();
    }
    return elements;
  }

 private:
  IAccessible* object_ = nullptr;
  HRESULT hr_ = E_FAIL;
};

bool HasModule(HANDLE process, const wchar_t* name) {
  HMODULE modules[512];
  DWORD bytes = 0;
  if (!EnumProcessModules(process, modules, sizeof modules, &bytes)) return false;
  for (DWORD i = 0; i < bytes / sizeof(HMODULE); ++i) {
    wchar_t base[MAX_PATH] = {};
    if (GetModuleBaseNameW(process, modules[i], base, MAX_PATH) && _wcsicmp(base, name) == 0) return true;
  }
  return false;
}

// One converter in the language of the argument, closed at the end.
struct Started {
  e2e::ChildProcess process;
  e2e::MainWindow window;
  explicit Started(const wchar_t* arguments) {
    EXPECT_TRUE(process.Start(e2e::WindowsPath(CONVERTER_EXE), arguments));
    EXPECT_TRUE(window.Bind(process.WaitForWindow(L"TForm1")));
  }
  ~Started() {
    e2e::Notify(window.form, WM_CLOSE);
    if (process.WaitForExit(5s) < 0) process.Kill();
  }
};

// WinEvents of the converter's process, recorded by an out-of-context hook
// on this thread (delivered while the thread pumps).
struct Event {
  DWORD event;
  HWND window;
  LONG object, child;
};
std::vector<Event>* recorded = nullptr;

void CALLBACK Record(HWINEVENTHOOK, DWORD event, HWND window, LONG object, LONG child, DWORD, DWORD) {
  if (recorded) recorded->push_back(Event{event, window, object, child});
}

class EventRecorder {
 public:
  EventRecorder(DWORD processId, DWORD first, DWORD last)
      : hook_(SetWinEventHook(first, last, nullptr, Record, processId, 0, WINEVENT_OUTOFCONTEXT)) {
    recorded = &events_;
  }
  EventRecorder(const EventRecorder&) = delete;
  EventRecorder& operator=(const EventRecorder&) = delete;
  ~EventRecorder() {
    if (hook_) UnhookWinEvent(hook_);
    recorded = nullptr;
  }
  bool Hooked() const { return hook_ != nullptr; }
  int Count(DWORD event, HWND window) const {
    int n = 0;
    for (const Event& e : events_) n += e.event == event && e.window == window && e.object == OBJID_CLIENT;
    return n;
  }
  bool WaitFor(DWORD event, HWND window, int count) const {
    return e2e::WaitFor([&] { return Count(event, window) >= count; }, 5s);
  }

 private:
  std::vector<Event> events_;
  HWINEVENTHOOK hook_;
};

// ---- every control of the main window, in both languages

struct Expected {
  const wchar_t* english;
  const wchar_t* russian;
  long role;
  const wchar_t* shortcutEnglish = L"";
  const wchar_t* shortcutRussian = L"";
};

class MainWindowSpoken : public ::testing::TestWithParam<bool> {};

TEST_P(MainWindowSpoken, NamesRolesValuesStatesAndShortcuts) {
  const bool russian = GetParam();
  ComApartment com;
  Started converter(russian ? L"-r" : L"");
  const e2e::MainWindow& w = converter.window;
  ASSERT_TRUE(e2e::WaitIdle(w.form));
  EXPECT_FALSE(HasModule(converter.process.Handle(), L"oleacc.dll")) << "oleacc is loaded before any question";

  const struct {
    HWND window;
    Expected expected;
  } controls[] = {
      {w.value, {L"Meaning input", L"Ввод значения", ROLE_SYSTEM_TEXT}},
      {w.result, {L"Result", L"Результат", ROLE_SYSTEM_TEXT}},
      {w.source, {L"From unit", L"Из единицы", ROLE_SYSTEM_COMBOBOX}},
      {w.target, {L"To unit", L"В единицу", ROLE_SYSTEM_COMBOBOX}},
      {w.Key(L'1'), {L"1", L"1", ROLE_SYSTEM_PUSHBUTTON}},
      {w.Key(L'5'), {L"5", L"5", ROLE_SYSTEM_PUSHBUTTON}},
      {w.Key(L'0'), {L"0", L"0", ROLE_SYSTEM_PUSHBUTTON}},
      {w.Key(L'.'), {L"Decimal separator", L"Десятичный разделитель", ROLE_SYSTEM_PUSHBUTTON}},
      {w.Key(L'C'), {L"Clear", L"Очистить", ROLE_SYSTEM_PUSHBUTTON}},
      {w.about, {L"About", L"Подробнее", ROLE_SYSTEM_PUSHBUTTON, L"Alt+A", L"Alt+П"}},
      {w.print, {L"Print", L"Печать", ROLE_SYSTEM_PUSHBUTTON, L"Alt+P", L"Alt+П"}},
      {w.close, {L"Close", L"Закрыть", ROLE_SYSTEM_PUSHBUTTON, L"Alt+C", L"Alt+З"}},
  };
  for (const auto& c : controls) {
    Client client(c.window);
    ASSERT_EQ(client.Result(), S_OK);
    const Read r = client.Self();
    const std::wstring name = russian ? c.expected.russian : c.expected.english;
    EXPECT_EQ(r.name, name) << Narrow(r.name);
    EXPECT_EQ(r.role, c.expected.role) << Narrow(name);
    EXPECT_EQ(r.shortcut, russian ? c.expected.shortcutRussian : c.expected.shortcutEnglish) << Narrow(name);
    EXPECT_TRUE(r.state & STATE_SYSTEM_FOCUSABLE) << Narrow(name);
    EXPECT_FALSE(r.state & (STATE_SYSTEM_INVISIBLE | STATE_SYSTEM_UNAVAILABLE)) << Narrow(name);
  }

  // Values and the states that tell the controls apart.
  const Read value = Client(w.value).Self(), result = Client(w.result).Self();
  const Read source = Client(w.source).Self(), close = Client(w.close).Self();
  EXPECT_EQ(value.value, L"1");
  EXPECT_EQ(result.value, L"1");
  EXPECT_FALSE(value.state & STATE_SYSTEM_READONLY);
  EXPECT_TRUE(result.state & STATE_SYSTEM_READONLY);
  EXPECT_EQ(source.value, L"") << "no unit chosen yet";
  EXPECT_TRUE(source.state & STATE_SYSTEM_COLLAPSED);
  EXPECT_TRUE(close.state & STATE_SYSTEM_FOCUSED) << "the Close button has the focus at start";
  EXPECT_TRUE(close.state & STATE_SYSTEM_DEFAULT) << "Enter presses it";
  w.ChooseSource(5);
  EXPECT_EQ(Client(w.source).Self().value, russian ? L"Килограмм" : L"Kilogram");

  // The headings have no window: the form tells them as its static texts.
  std::vector<std::wstring> headings;
  for (const Read& element : Client(w.form).Elements()) {
    EXPECT_EQ(element.role, ROLE_SYSTEM_STATICTEXT) << Narrow(element.name);
    EXPECT_TRUE(element.state & STATE_SYSTEM_READONLY);
    headings.push_back(element.name);
  }
  EXPECT_EQ(headings, russian ? (std::vector<std::wstring>{L"Выбор величин для конвертации", L"Ввод значения", L"Результат"})
                              : (std::vector<std::wstring>{L"Meaning quantity for conversion", L"Meaning input", L"Result"}));
  EXPECT_TRUE(HasModule(converter.process.Handle(), L"oleacc.dll"));
}

INSTANTIATE_TEST_SUITE_P(Languages, MainWindowSpoken, ::testing::Values(false, true));

// ---- a new result is announced

TEST(ResultAnnounced, EveryNewResultRaisesValueChangeOnTheResultField) {
  ComApartment com;
  Started converter(L"");
  const e2e::MainWindow& w = converter.window;
  EventRecorder events(converter.process.Id(), EVENT_OBJECT_VALUECHANGE, EVENT_OBJECT_VALUECHANGE);
  ASSERT_TRUE(events.Hooked());
  const struct {
    const char* step;
    std::function<void()> act;
    const wchar_t* result;
  } steps[] = {
      {"a source unit empties the result", [&] { w.ChooseSource(3); }, L""},  // Ton metric
      {"a target unit converts", [&] { w.ChooseTarget(2); }, L"1000"},       // to Kilogram
      {"the clear key converts again", [&] { w.Click(w.Key(L'C')); }, L"0"},
      {"a digit key converts again", [&] { w.Click(w.Key(L'4')); }, L"4000"},
      {"typing converts again", [&] { w.Type(L"2"); }, L"42000"},
  };
  int seen = 0;
  for (const auto& s : steps) {
    s.act();
    EXPECT_TRUE(events.WaitFor(EVENT_OBJECT_VALUECHANGE, w.result, seen + 1)) << s.step;
    seen = events.Count(EVENT_OBJECT_VALUECHANGE, w.result);
    EXPECT_EQ(w.Result(), s.result) << s.step;
    EXPECT_EQ(Client(w.result).Self().value, s.result) << s.step;
  }
  EXPECT_EQ(seen, 5) << "one event for each new result";
}

// ---- the About box, a refusal and a balloon hint

TEST(AboutBoxSpoken, TitleInformationLinesScrollingTextAndOk) {
  for (const bool russian : {false, true}) {
    ComApartment com;
    Started converter(russian ? L"-r" : L"");
    converter.window.Click(converter.window.about);
    HWND box = nullptr;
    ASSERT_TRUE(e2e::WaitFor([&] {
      for (HWND b : e2e::TopLevelWindows(converter.process.Id(), L"TAboutBox"))
        if (IsWindowVisible(b)) box = b;
      return box != nullptr;
    }));
    e2e::WaitIdle(box);
    std::vector<Read> elements = Client(box).Elements();
    auto named = [&](const std::wstring& start) -> const Read* {
      for (const Read& e : elements)
        if (e.name.rfind(start, 0) == 0) return &e;
      return nullptr;
    };
    const std::wstring title = russian ? L"Конвертор величин v 2.3" : L"Quantity converter v 2.3";
    for (const std::wstring& start : {title, std::wstring(L"Windows"), std::wstring(L"Memory Available to Windows:"),
                                      std::wstring(L"Copyright")}) {
      const Read* e = named(start);
      ASSERT_NE(e, nullptr) << Narrow(start);
      EXPECT_EQ(e->role, ROLE_SYSTEM_STATICTEXT) << Narrow(start);
    }
    EXPECT_EQ(named(title)->name, title);
    EXPECT_EQ(named(L"Copyright")->name, L"Copyright \u00A9 2026 Converter contributors, MIT License");
    EXPECT_TRUE(named(L"Copyright")->state & STATE_SYSTEM_MARQUEED) << "the notice line passes by";
    const bool memory = std::any_of(elements.begin(), elements.end(), [](const Read& e) {
      return e.name.size() > 3 && e.name.compare(e.name.size() - 3, 3, L" KB") == 0;
    });
    EXPECT_TRUE(memory) << "the memory amount";

    const Read ok = Client(e2e::ChildWindows(box, L"TSkinBtn").at(0)).Self();
    EXPECT_EQ(ok.name, L"OK");
    EXPECT_EQ(ok.role, ROLE_SYSTEM_PUSHBUTTON);
    EXPECT_EQ(ok.shortcut, L"Alt+O");
    EXPECT_TRUE(ok.state & STATE_SYSTEM_FOCUSED);
    e2e::Notify(box, WM_CLOSE);
    EXPECT_TRUE(e2e::WaitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); }));
  }
}

TEST(RefusalSpoken, ADialogNamedByItsCaptionThatSaysItsMessage) {
  ComApartment com;
  Started converter(L"-r");
  EventRecorder events(converter.process.Id(), EVENT_SYSTEM_DIALOGSTART, EVENT_SYSTEM_DIALOGSTART);
  converter.window.Click(converter.window.Key(L'3'));
  const auto dialog = e2e::WaitForDialog(converter.process.Id());
  ASSERT_TRUE(dialog);
  EXPECT_TRUE(e2e::WaitFor([&] {
    for (const Event& e : *recorded)
      if (e.window == dialog->window) return true;
    return false;
  }, 5s)) << "the dialog tells that it opened";
  const Client client(dialog->window);
  const Read self = client.Self();
  EXPECT_EQ(self.role, ROLE_SYSTEM_DIALOG);
  EXPECT_EQ(self.name, L"Information");
  EXPECT_EQ(self.description, L"Введите величины для конвертации");
  const std::vector<Read> texts = client.Elements();
  ASSERT_EQ(texts.size(), 1u);
  EXPECT_EQ(texts[0].name, L"Введите величины для конвертации");
  EXPECT_EQ(texts[0].role, ROLE_SYSTEM_STATICTEXT);
  ASSERT_TRUE(e2e::PressOk(*dialog));
}

TEST(BalloonSpoken, ATooltipNamedByItsText) {
  ComApartment com;
  Started converter(L"");
  SetForegroundWindow(converter.window.form);
  e2e::WaitIdle(converter.window.form);
  RECT r;
  GetWindowRect(converter.window.print, &r);
  SetCursorPos((r.left + r.right) / 2, (r.top + r.bottom) / 2);
  INPUT move{};
  move.type = INPUT_MOUSE;
  move.mi.dwFlags = MOUSEEVENTF_MOVE;
  SendInput(1, &move, sizeof move);
  HWND balloon = nullptr;
  ASSERT_TRUE(e2e::WaitFor([&] {
    for (HWND b : e2e::TopLevelWindows(converter.process.Id(), L"TFxShapeHintWindow"))
      if (IsWindowVisible(b)) balloon = b;
    return balloon != nullptr;
  }));
  const Read tip = Client(balloon).Self();
  EXPECT_EQ(tip.role, ROLE_SYSTEM_TOOLTIP);
  EXPECT_EQ(tip.name, L"Print");
  SetCursorPos(0, 0);
}

// ---- the keyboard alone, with real key presses

namespace keyboard {

// Key presses as the keyboard sends them, to the foreground window.
void Press(std::initializer_list<WORD> keys, WORD modifier = 0) {
  std::vector<INPUT> input;
  auto add = [&](WORD key, bool up) {
    INPUT i{};
    i.type = INPUT_KEYBOARD;
    i.ki.wVk = key;
    i.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
    input.push_back(i);
  };
  if (modifier) add(modifier, false);
  for (WORD k : keys) {
    add(k, false);
    add(k, true);
  }
  if (modifier) add(modifier, true);
  SendInput(static_cast<UINT>(input.size()), input.data(), sizeof(INPUT));
}

// What a control shows on the screen now.
std::vector<COLORREF> Look(HWND control) {
  RECT r;
  GetWindowRect(control, &r);
  const auto shot = fwtest::CaptureScreen(r);
  std::vector<COLORREF> pixels;
  for (int y = 0; y < shot->Height(); ++y)
    for (int x = 0; x < shot->Width(); ++x) pixels.push_back(shot->At(x, y));
  return pixels;
}

int Differences(const std::vector<COLORREF>& a, const std::vector<COLORREF>& b) {
  if (a.size() != b.size()) return -1;
  int n = 0;
  for (size_t i = 0; i < a.size(); ++i) n += a[i] != b[i];
  return n;
}

// The screen may show a paint a moment after it was handled.
void Settled(HWND form) {
  e2e::WaitIdle(form);
  Sleep(150);
}

}  // namespace keyboard

TEST(KeyboardAlone, TabAndShiftTabFollowTheStoredOrderAndMarkTheFocus) {
  Started converter(L"");
  const e2e::MainWindow& w = converter.window;
  SetCursorPos(0, 0);  // no balloon over the window
  SetForegroundWindow(w.form);
  ASSERT_TRUE(e2e::WaitFor([&] { return GetForegroundWindow() == w.form; }, 5s)) << "the window takes no input here";
  // The stored tab order, from the Close button (tab order 0) to About (18).
  const std::vector<HWND> order = {w.close,    w.target,   w.print,    w.Key(L'1'), w.Key(L'2'), w.Key(L'3'),
                                   w.Key(L'4'), w.Key(L'5'), w.Key(L'6'), w.Key(L'7'), w.Key(L'8'), w.Key(L'9'),
                                   w.Key(L'0'), w.Key(L'.'), w.value,    w.result,    w.source,    w.Key(L'C'),
                                   w.about};
  ASSERT_EQ(fwtest::Focused(w.form), w.close);
  for (const bool backwards : {false, true}) {
    const size_t n = order.size();
    std::vector<std::vector<COLORREF>> focused(n), unfocused(n);
    keyboard::Settled(w.form);
    focused[0] = keyboard::Look(order[0]);
    for (size_t step = 1; step <= n; ++step) {
      const size_t at = backwards ? (n - step) % n : step % n, left = backwards ? (n - step + 1) % n : step - 1;
      keyboard::Press({VK_TAB}, backwards ? VK_SHIFT : 0);
      ASSERT_TRUE(e2e::WaitFor([&] { return fwtest::Focused(w.form) == order[at]; }, 5s))
          << (backwards ? "Shift+Tab" : "Tab") << " from tab order " << left << " goes to " << at;
      keyboard::Settled(w.form);
      unfocused[left] = keyboard::Look(order[left]);
      if (at != 0) focused[at] = keyboard::Look(order[at]);
    }
    for (size_t i = 0; i < n; ++i)
      EXPECT_GE(keyboard::Differences(focused[i], unfocused[i]), 8) << "no focus mark on tab order " << i;
  }

  // The keyboard cues: hidden by the system's UI state, the mark goes
  // (unless the system always shows them); the next Tab shows it again.
  BOOL alwaysShown = FALSE;
  SystemParametersInfoW(SPI_GETKEYBOARDCUES, 0, &alwaysShown, 0);
  const auto marked = keyboard::Look(w.close);
  e2e::SendWithTimeout(w.form, WM_CHANGEUISTATE, MAKEWPARAM(UIS_SET, UISF_HIDEFOCUS));
  keyboard::Settled(w.form);
  EXPECT_EQ(keyboard::Differences(keyboard::Look(w.close), marked) == 0, static_cast<bool>(alwaysShown));
  keyboard::Press({VK_TAB});
  keyboard::Press({VK_TAB}, VK_SHIFT);
  ASSERT_TRUE(e2e::WaitFor([&] { return fwtest::Focused(w.form) == w.close; }, 5s));
  keyboard::Settled(w.form);
  EXPECT_EQ(keyboard::Differences(keyboard::Look(w.close), marked), 0) << "the mark is back after Tab";
}

TEST(KeyboardAlone, ListsKeysAndShortcutsWithoutTheMouse) {
  Started converter(L"");
  const e2e::MainWindow& w = converter.window;
  SetCursorPos(0, 0);
  SetForegroundWindow(w.form);
  ASSERT_TRUE(e2e::WaitFor([&] { return GetForegroundWindow() == w.form; }, 5s));
  auto focusBy = [&](HWND control, bool backwards) {
    for (int i = 0; i < 19 && fwtest::Focused(w.form) != control; ++i) {
      const HWND before = fwtest::Focused(w.form);
      keyboard::Press({VK_TAB}, backwards ? VK_SHIFT : 0);
      e2e::WaitFor([&] { return fwtest::Focused(w.form) != before; }, 5s);
    }
    return fwtest::Focused(w.form) == control;
  };

  // Alt+Down opens the source list; Down picks the next row (Kilogram, after
  // Ton Short), Enter closes the list.
  ASSERT_TRUE(focusBy(w.source, true));
  e2e::SendWithTimeout(w.source, CB_SETCURSEL, 4);
  keyboard::Press({VK_DOWN}, VK_MENU);
  EXPECT_TRUE(e2e::WaitFor([&] { return e2e::SendWithTimeout(w.source, CB_GETDROPPEDSTATE) != 0; }, 5s));
  keyboard::Press({VK_DOWN, VK_RETURN});
  EXPECT_TRUE(e2e::WaitFor([&] { return w.Items(w.target).size() == 5u; }, 5s)) << "Kilogram chosen";
  EXPECT_TRUE(e2e::WaitFor([&] { return e2e::SendWithTimeout(w.source, CB_GETDROPPEDSTATE) == 0; }, 5s));
  // The target list likewise: its first row, Ton metric.
  ASSERT_TRUE(focusBy(w.target, false));
  keyboard::Press({VK_DOWN}, VK_MENU);
  EXPECT_TRUE(e2e::WaitFor([&] { return e2e::SendWithTimeout(w.target, CB_GETDROPPEDSTATE) != 0; }, 5s));
  keyboard::Press({VK_DOWN, VK_RETURN});
  EXPECT_TRUE(e2e::WaitFor([&] { return w.Result() == L"0.001"; }, 5s)) << e2e::WindowText(w.result).size();

  // Space, then Enter, press the focused key.
  ASSERT_TRUE(focusBy(w.Key(L'3'), false));
  keyboard::Press({VK_SPACE});
  EXPECT_TRUE(e2e::WaitFor([&] { return w.Value() == L"13"; }, 5s));
  keyboard::Press({VK_RETURN});
  EXPECT_TRUE(e2e::WaitFor([&] { return w.Value() == L"133"; }, 5s));
  EXPECT_EQ(w.Result(), L"0.133");

  // Alt+A opens the About box; its one control has the focus and keeps it
  // on Tab; Alt+O closes it.
  keyboard::Press({'A'}, VK_MENU);
  HWND box = nullptr;
  ASSERT_TRUE(e2e::WaitFor([&] {
    for (HWND b : e2e::TopLevelWindows(converter.process.Id(), L"TAboutBox"))
      if (IsWindowVisible(b)) box = b;
    return box != nullptr;
  }));
  const HWND ok = e2e::ChildWindows(box, L"TSkinBtn").at(0);
  EXPECT_TRUE(e2e::WaitFor([&] { return fwtest::Focused(box) == ok; }, 5s));
  keyboard::Press({VK_TAB});
  keyboard::Press({VK_TAB}, VK_SHIFT);
  e2e::WaitIdle(box);
  EXPECT_EQ(fwtest::Focused(box), ok);
  keyboard::Press({'O'}, VK_MENU);
  EXPECT_TRUE(e2e::WaitFor([&] { return !IsWindow(box) || !IsWindowVisible(box); }, 5s));

  // Alt+C: Close.
  ASSERT_TRUE(e2e::WaitFor([&] { return GetForegroundWindow() == w.form; }, 5s));
  keyboard::Press({'C'}, VK_MENU);
  EXPECT_EQ(converter.process.WaitForExit(10s), 0);
}

}  // namespace
