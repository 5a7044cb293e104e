// The real converter.exe, started under Wine and driven from this process:
// placement, languages, the road of a conversion with its refusals and error
// boxes, ending with Esc, and the single-instance guard.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/converter_driver.h"
#include "tests/e2e/process_driver.h"
#include "tests/e2e/real_input.h"
#include "tests/support/window_watcher.h"

namespace {

using namespace std::chrono_literals;
using fwtest::Focused;

std::wstring ConverterExe() { return e2e::WindowsPath(CONVERTER_EXE); }

wchar_t LocaleDecimal() {
  wchar_t buffer[4] = {};
  GetLocaleInfoW(GetThreadLocale(), LOCALE_SDECIMAL, buffer, 4);
  return buffer[0];
}

// "2.20462442018378" with the locale's decimal separator.
std::wstring Decimal(std::wstring text) {
  for (auto& c : text)
    if (c == L'.') c = LocaleDecimal();
  return text;
}

std::string Narrow(const std::wstring& text) {
  std::string out;
  for (wchar_t c : text) out += c < 128 ? static_cast<char>(c) : '?';
  return out;
}

// Expects a dialog with the given class, caption, text and icon, and presses OK.
void ExpectDialogAndOk(DWORD processId, const wchar_t* className, const wchar_t* caption, const std::wstring& text,
                       const wchar_t* icon) {
  const auto dialog = e2e::WaitForDialog(processId);
  ASSERT_TRUE(dialog) << "no dialog for: " << Narrow(text);
  EXPECT_EQ(dialog->className, className);
  EXPECT_EQ(dialog->caption, caption);
  EXPECT_EQ(dialog->text, text) << Narrow(dialog->text);
  if (dialog->className == L"#32770") {
    // The system box: one button, OK, captioned in the system's language.
    EXPECT_EQ(dialog->buttons.size(), 1u);
    EXPECT_NE(GetDlgItem(dialog->window, IDOK), nullptr);
  } else {
    EXPECT_EQ(dialog->buttons, std::vector<std::wstring>{L"OK"});
  }
  EXPECT_EQ(dialog->iconName, icon);
  ASSERT_TRUE(e2e::PressOk(*dialog));
}

void ExpectRefusal(DWORD pid, const wchar_t* caption, const std::wstring& text, const wchar_t* icon) {
  ExpectDialogAndOk(pid, L"TMessageForm", caption, text, icon);
}

void ExpectErrorBox(DWORD pid, const std::wstring& text) {
  ExpectDialogAndOk(pid, L"#32770", L"Converter", text, L"stop");
}

// No dialog on screen. A dialog that was just answered may still exist for a
// moment, hidden, until its owner destroys it.
bool NoDialog(DWORD pid) {
  for (const wchar_t* cls : {L"TMessageForm", L"#32770"})
    for (HWND w : e2e::TopLevelWindows(pid, cls))
      if (IsWindowVisible(w)) return false;
  return true;
}

// One English copy of the program serves the tests of this suite, in order.
class Converter : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    process_ = new e2e::ChildProcess;
    ASSERT_TRUE(process_->Start(ConverterExe()));
    form_ = process_->WaitForWindow(L"TForm1");
  }
  static void TearDownTestSuite() {
    delete process_;  // kills it when a test left it running
    process_ = nullptr;
  }
  void SetUp() override {
    ASSERT_NE(form_, nullptr) << "the main window did not appear";
    ASSERT_TRUE(process_->Running());
    ASSERT_TRUE(window_.Bind(form_)) << "a control is missing from its place";
  }
  static e2e::ChildProcess* process_;
  static HWND form_;
  e2e::MainWindow window_;
};
e2e::ChildProcess* Converter::process_ = nullptr;
HWND Converter::form_ = nullptr;

TEST_F(Converter, OpensTopMostAtTheLowerLeftWithItsTexts) {
  RECT r{};
  GetWindowRect(form_, &r);
  EXPECT_EQ(r.left, 2);
  EXPECT_EQ(r.top, GetSystemMetrics(SM_CYSCREEN) - 254);
  EXPECT_TRUE(GetWindowLongPtrW(form_, GWL_EXSTYLE) & WS_EX_TOPMOST);
  RECT client{};
  GetClientRect(form_, &client);
  EXPECT_EQ(client.right, 388);
  EXPECT_EQ(client.bottom, 197);
  const LONG_PTR style = GetWindowLongPtrW(form_, GWL_STYLE);
  EXPECT_FALSE(style & WS_THICKFRAME);
  EXPECT_FALSE(style & WS_MAXIMIZEBOX);
  EXPECT_TRUE(style & WS_MINIMIZEBOX);

  EXPECT_EQ(e2e::WindowText(form_), L"Quantity converter");
  EXPECT_EQ(e2e::WindowText(window_.print), L"&Print");
  EXPECT_EQ(e2e::WindowText(window_.about), L"&About");
  EXPECT_EQ(e2e::WindowText(window_.close), L"&Close");
  const auto apps = e2e::TopLevelWindows(process_->Id(), L"TApplication");
  ASSERT_EQ(apps.size(), 1u);
  EXPECT_EQ(e2e::WindowText(apps[0]), L"Converter");

  const auto rows = window_.Items(window_.source);
  ASSERT_EQ(rows.size(), 24u);
  EXPECT_EQ(rows[0], L"--------------");
  EXPECT_EQ(rows[1], L"Mass measure");
  EXPECT_EQ(rows[23], L"Cubic foot");
  EXPECT_TRUE(window_.Items(window_.target).empty());
  EXPECT_EQ(window_.Value(), L"1");
  EXPECT_EQ(window_.Result(), L"1");

  EXPECT_EQ(Focused(form_), window_.close) << "the Close button has the focus";
}

TEST_F(Converter, SecondStartRestoresTheFirstAndEndsWithCodeZero) {
  const auto apps = e2e::TopLevelWindows(process_->Id(), L"TApplication");
  ASSERT_EQ(apps.size(), 1u);
  PostMessageW(form_, WM_SYSCOMMAND, SC_MINIMIZE, 0);
  ASSERT_TRUE(e2e::WaitFor([&] { return IsIconic(apps[0]) || !IsWindowVisible(form_); }, 5s)) << "not minimised";

  e2e::ChildProcess second;
  ASSERT_TRUE(second.Start(ConverterExe()));
  EXPECT_EQ(second.WaitForExit(15s), 0);
  EXPECT_TRUE(e2e::WaitFor([&] { return !IsIconic(apps[0]) && IsWindowVisible(form_) && !IsIconic(form_); }, 5s))
      << "the first copy was not restored";
  e2e::WaitIdle(form_);

  // Not minimised: the second start raises the first copy and ends again.
  e2e::ChildProcess third;
  ASSERT_TRUE(third.Start(ConverterExe(), L"-r"));
  EXPECT_EQ(third.WaitForExit(15s), 0);
  EXPECT_TRUE(IsWindowVisible(form_));
  EXPECT_EQ(e2e::WindowText(form_), L"Quantity converter") << "the first copy keeps its language";
}

TEST_F(Converter, CopyUnderAnotherNameRunsBeside) {
  wchar_t folder[MAX_PATH] = {};
  GetTempPathW(MAX_PATH, folder);
  const std::wstring copy = std::wstring(folder) + L"converter_copy_" + std::to_wstring(GetCurrentProcessId()) + L".exe";
  ASSERT_TRUE(CopyFileW(ConverterExe().c_str(), copy.c_str(), FALSE));
  {
    e2e::ChildProcess other;
    ASSERT_TRUE(other.Start(copy));
    HWND otherForm = other.WaitForWindow(L"TForm1");
    ASSERT_NE(otherForm, nullptr) << "the renamed copy did not show its window";
    EXPECT_TRUE(process_->Running());
    PostMessageW(otherForm, WM_CLOSE, 0, 0);
    EXPECT_EQ(other.WaitForExit(10s), 0);
  }
  DeleteFileW(copy.c_str());
}

// The road of conversions through lists, keypad and typing, with every
// refusal and error box; it ends the program with Esc, so it runs last.
TEST_F(Converter, ConversionsRefusalsAndErrorsThenEscEnds) {
  const DWORD pid = process_->Id();
  const auto& w = window_;

  // Before any unit: the conversion has 0 / 0.
  SendMessageTimeoutW(w.value, EM_SETSEL, 0, -1, SMTO_NORMAL, 5000, nullptr);
  e2e::Notify(w.value, WM_CHAR, L'2', 1);
  ExpectErrorBox(pid, L"Invalid floating point operation.");
  EXPECT_EQ(w.Value(), L"2");
  EXPECT_EQ(w.Result(), L"1") << "the result keeps its text";

  // A header row of the source list.
  w.ChooseSource(1);
  ExpectRefusal(pid, L"Error", L"    What  ???   ", L"stop");
  EXPECT_TRUE(w.Items(w.target).empty());

  // A unit: the target list gets the five units of its category, unselected.
  w.ChooseSource(3);  // Ton metric
  EXPECT_EQ(w.Items(w.target),
            (std::vector<std::wstring>{L"Ton metric", L"Ton Short", L"Kilogram", L"Pound", L"Ounce"}));
  EXPECT_EQ(w.Result(), L"");
  EXPECT_TRUE(NoDialog(pid));

  // No target yet: keys are refused, typing divides by zero.
  w.Click(w.Key(L'7'));
  ExpectRefusal(pid, L"Information", L"  Type quantity measure   ", L"information");
  EXPECT_EQ(w.Value(), L"2");
  w.Type(L"0");
  ExpectErrorBox(pid, L"Floating point division by zero.");
  EXPECT_EQ(w.Value(), L"20");

  // The pair: Ton metric to Kilogram.
  w.ChooseTarget(2);
  EXPECT_EQ(w.Result(), L"20000");
  EXPECT_TRUE(NoDialog(pid));
  // The refused 7 set the first-key flag, so 1 appends.
  w.Click(w.Key(L'1'));
  EXPECT_EQ(w.Value(), L"201");
  EXPECT_EQ(w.Result(), L"201000");

  // Zeros: C, 0, then a digit is refused.
  w.Click(w.Key(L'C'));
  EXPECT_EQ(w.Value(), L"0");
  EXPECT_EQ(w.Result(), L"0");
  w.Click(w.Key(L'0'));
  w.Click(w.Key(L'7'));
  ExpectRefusal(pid, L"Error", L"    What  ???   ", L"stop");
  EXPECT_EQ(w.Value(), L"00");
  // Sixteen zeros draw the Russian refusal even in English.
  for (int i = 0; i < 14; ++i) w.Click(w.Key(L'0'));
  EXPECT_EQ(w.Value(), std::wstring(16, L'0'));
  w.Click(w.Key(L'5'));
  ExpectRefusal(pid, L"Error", L" Точно издеваетесь ", L"stop");

  // The decimal key appends the separator that parsing accepts.
  w.Click(w.Key(L'C'));
  w.Click(w.Key(L'4'));
  EXPECT_EQ(w.Result(), L"4000");
  w.Click(w.Key(L'.'));
  w.Click(w.Key(L'.'));
  w.Click(w.Key(L'5'));
  EXPECT_EQ(w.Value(), Decimal(L"4.5"));
  EXPECT_EQ(w.Result(), L"4500");
  EXPECT_TRUE(NoDialog(pid));
  w.Click(w.Key(L'C'));
  EXPECT_EQ(w.Result(), L"0");

  // Kilogram to Pound, value 1.
  w.ChooseSource(5);
  w.ChooseTarget(3);
  EXPECT_EQ(w.Result(), L"0");
  w.Click(w.Key(L'1'));
  EXPECT_EQ(w.Value(), L"1");
  EXPECT_EQ(w.Result(), Decimal(L"2.20462442018378"));

  // Typing a letter: the error box, then the program goes on.
  w.Type(L"a");
  ExpectErrorBox(pid, L"'1a' is not a valid floating point value.");
  EXPECT_EQ(w.Result(), Decimal(L"2.20462442018378"));
  w.Type(L"\b0");
  EXPECT_EQ(w.Value(), L"10");
  EXPECT_EQ(w.Result(), Decimal(L"22.0462442018378"));

  // Print with a pair chosen: with no printer installed a clear message and
  // nothing else; with one, the system's Print dialog, cancelled here.
  w.Click(w.print);
  {
    const auto dialog = e2e::WaitForDialog(pid);
    ASSERT_TRUE(dialog);
    if (dialog->className == L"TMessageForm") {
      EXPECT_EQ(dialog->caption, L"Information");
      EXPECT_EQ(dialog->text, L"No printer is installed. Install a printer to print the conversion.");
      EXPECT_EQ(dialog->iconName, L"information");
      ASSERT_TRUE(e2e::PressOk(*dialog));
    } else {
      EXPECT_EQ(dialog->caption, L"Print");
      e2e::Notify(dialog->window, WM_COMMAND, IDCANCEL, 0);
      EXPECT_TRUE(e2e::WaitFor([&] { return !IsWindow(dialog->window); }, 5s));
    }
  }
  EXPECT_TRUE(NoDialog(pid));
  EXPECT_EQ(w.Value(), L"10");
  EXPECT_EQ(w.Result(), Decimal(L"22.0462442018378"));

  // Mile USA to Kilometer.
  w.ChooseSource(13);
  w.ChooseTarget(0);
  EXPECT_EQ(w.Result(), Decimal(L"16.09344"));

  // Print before a target: the no-target message.
  w.ChooseSource(20);  // Liter
  w.Click(w.print);
  ExpectRefusal(pid, L"Information", L"  Type quantity measure   ", L"information");

  // Esc clicks the Close button (the Cancel button) and ends the program.
  HWND focused = Focused(form_);
  if (!focused) focused = form_;
  PostMessageW(focused, WM_KEYDOWN, VK_ESCAPE, 0x00010001);
  PostMessageW(focused, WM_KEYUP, VK_ESCAPE, 0xC0010001);
  EXPECT_EQ(process_->WaitForExit(10s), 0);
}

// ---- real keyboard input (tests/e2e/real_input.h)

TEST(Keyboard, TabArrowsTypingEnterAndEsc) {
  e2e::ChildProcess p;
  ASSERT_TRUE(p.Start(ConverterExe()));
  HWND form = p.WaitForWindow(L"TForm1");
  ASSERT_NE(form, nullptr);
  e2e::MainWindow w;
  ASSERT_TRUE(w.Bind(form));
  SetForegroundWindow(form);
  ASSERT_TRUE(e2e::WaitFor([&] { return GetForegroundWindow() == form; }, 5s)) << "the window takes no input here";
  ASSERT_EQ(Focused(form), w.close);

  // The tab order from the Close button: the target list, then Print.
  e2e::Tap({VK_TAB});
  EXPECT_TRUE(e2e::WaitFor([&] { return Focused(form) == w.target; }, 5s));
  e2e::Tap({VK_TAB});
  EXPECT_TRUE(e2e::WaitFor([&] { return Focused(form) == w.print; }, 5s));
  // Backwards, round the end of the order: target list, Close, About, C, then
  // the source list.
  e2e::Tap({VK_TAB, VK_TAB, VK_TAB, VK_TAB, VK_TAB}, VK_SHIFT);
  EXPECT_TRUE(e2e::WaitFor([&] { return Focused(form) == w.source; }, 5s));

  // An arrow key onto the first row (a hyphen row) is refused; Enter answers.
  e2e::Tap({VK_DOWN});
  {
    const auto dialog = e2e::WaitForDialog(p.Id());
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->text, L"    What  ???   ");
    e2e::Tap({VK_RETURN});
    EXPECT_TRUE(e2e::WaitFor([&] { return !IsWindow(dialog->window); }, 5s));
  }
  // From the row before Ton metric, one arrow down chooses a unit.
  e2e::SendWithTimeout(w.source, CB_SETCURSEL, 2);
  SetForegroundWindow(form);
  e2e::WaitFor([&] { return Focused(form) == w.source; }, 2s);
  e2e::Tap({VK_DOWN});
  EXPECT_TRUE(e2e::WaitFor([&] { return w.Items(w.target).size() == 5; }, 5s));
  EXPECT_TRUE(NoDialog(p.Id()));

  // Typing in the value field (two back from the source list) before a
  // target: division by zero; Esc answers the box.
  e2e::Tap({VK_TAB, VK_TAB}, VK_SHIFT);
  EXPECT_TRUE(e2e::WaitFor([&] { return Focused(form) == w.value; }, 5s));
  e2e::Tap({VK_END, '7'});
  {
    const auto dialog = e2e::WaitForDialog(p.Id());
    ASSERT_TRUE(dialog);
    EXPECT_EQ(dialog->text, L"Floating point division by zero.");
    e2e::Tap({VK_ESCAPE});
    EXPECT_TRUE(e2e::WaitFor([&] { return !IsWindow(dialog->window); }, 5s));
  }
  EXPECT_EQ(w.Value(), L"17");

  // Esc in the main window clicks Close, also from the value field.
  EXPECT_TRUE(e2e::WaitFor([&] { return Focused(form) == w.value; }, 2s));
  e2e::Tap({VK_ESCAPE});
  EXPECT_EQ(p.WaitForExit(10s), 0);
}

// ---- the language, chosen by the first argument

enum CloseBy { kSystemMenu, kCloseBox, kEnter };

struct LanguageCase {
  const wchar_t* argument;
  bool russian;
  CloseBy close;
};

class Language : public ::testing::TestWithParam<LanguageCase> {};

TEST_P(Language, ChosenByTheFirstArgument) {
  const LanguageCase c = GetParam();
  e2e::ChildProcess p;
  ASSERT_TRUE(p.Start(ConverterExe(), c.argument));
  HWND form = p.WaitForWindow(L"TForm1");
  ASSERT_NE(form, nullptr);
  e2e::MainWindow w;
  ASSERT_TRUE(w.Bind(form));
  EXPECT_EQ(e2e::WindowText(form), c.russian ? L"Конвертер величин" : L"Quantity converter");
  EXPECT_EQ(e2e::WindowText(w.print), c.russian ? L"&Печать" : L"&Print");
  const auto rows = w.Items(w.source);
  ASSERT_EQ(rows.size(), 24u);
  EXPECT_EQ(rows[1], c.russian ? L"Меры веса" : L"Mass measure");
  if (c.russian) {
    // Messages follow the language; captions and buttons stay English.
    w.Click(w.Key(L'3'));
    ExpectRefusal(p.Id(), L"Information", L" Введите величины для конвертации ", L"information");
  }
  // Every way of closing ends the program: the system menu's Close, the
  // close box (WM_CLOSE), and Enter on the Close button, which has the focus.
  switch (c.close) {
    case kSystemMenu: PostMessageW(form, WM_SYSCOMMAND, SC_CLOSE, 0); break;
    case kCloseBox: PostMessageW(form, WM_CLOSE, 0, 0); break;
    case kEnter:
      if (c.russian) {
        // After the refusal the focus went back to the button clicked last.
        e2e::Notify(w.close, BM_CLICK);
      } else {
        PostMessageW(w.close, WM_KEYDOWN, VK_RETURN, 0x001C0001);
        PostMessageW(w.close, WM_KEYUP, VK_RETURN, 0xC01C0001);
      }
      break;
  }
  EXPECT_EQ(p.WaitForExit(10s), 0);
}

INSTANTIATE_TEST_SUITE_P(
    Arguments, Language,
    ::testing::Values(LanguageCase{L"", false, kEnter}, LanguageCase{L"-r", true, kSystemMenu},
                      LanguageCase{L"/r", true, kCloseBox}, LanguageCase{L"/R", true, kEnter},
                      LanguageCase{L"xr", true, kSystemMenu}, LanguageCase{L"rr", true, kCloseBox},
                      LanguageCase{L"-russian", true, kSystemMenu}, LanguageCase{L"R", false, kCloseBox},
                      LanguageCase{L"r", false, kEnter}, LanguageCase{L"-e", false, kSystemMenu},
                      LanguageCase{L"-en", false, kCloseBox}, LanguageCase{L"--r", false, kEnter},
                      LanguageCase{L"-\u0440", false, kSystemMenu},
                      LanguageCase{L"\"-r\" -e", true, kCloseBox}));

}  // namespace
