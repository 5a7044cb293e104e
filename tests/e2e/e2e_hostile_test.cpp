// The real converter.exe against hostile input: very long and malformed value
// texts (set from outside, pasted, typed), control characters, a very long
// first argument, twenty copies started at once, and a soak of value changes
// and list choices watched through the process's private bytes.
#include <windows.h>
#include <psapi.h>

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <memory>
#include <string>
#include <thread>
#include <vector>

#include "tests/e2e/converter_driver.h"
#include "tests/e2e/process_driver.h"

namespace {

using namespace std::chrono_literals;

std::wstring ConverterExe() { return e2e::WindowsPath(CONVERTER_EXE); }

const std::wstring kTooLong = L"Text longer than 512 characters refused; the field keeps its text.";

// Liveness, not timing: the window handles a sent message within 2 s.
bool Answers(HWND window) {
  DWORD_PTR result = 0;
  return SendMessageTimeoutW(window, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, &result) != 0;
}

// WM_SETTEXT from a second thread: the program may show an error box while
// it handles the message, which this thread then answers.
class TextSender {
 public:
  TextSender(HWND window, std::wstring text)
      : text_(std::move(text)), thread_([this, window] {
          DWORD_PTR result = 0;
          SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(text_.c_str()), SMTO_NORMAL, 60000,
                              &result);
        }) {}
  ~TextSender() { thread_.join(); }

 private:
  std::wstring text_;
  std::thread thread_;
};

void PutOnClipboard(const std::wstring& text) {
  ASSERT_TRUE(e2e::WaitFor([] { return OpenClipboard(nullptr) != FALSE; }, 5s));
  EmptyClipboard();
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  HGLOBAL data = GlobalAlloc(GMEM_MOVEABLE, bytes);
  memcpy(GlobalLock(data), text.c_str(), bytes);
  GlobalUnlock(data);
  SetClipboardData(CF_UNICODETEXT, data);
  CloseClipboard();
}

// Expects the error box with `text` (or any, when empty), answers it, and
// checks that the program still answers.
void ExpectErrorBox(DWORD processId, HWND form, const std::wstring& text) {
  const auto box = e2e::WaitForDialog(processId);
  ASSERT_TRUE(box) << "no error box";
  EXPECT_EQ(box->className, L"#32770");
  EXPECT_EQ(box->caption, L"Converter");
  if (!text.empty()) {
    EXPECT_TRUE(box->text == text) << "a different error text";
  }
  EXPECT_TRUE(Answers(form));
  ASSERT_TRUE(e2e::PressOk(*box));
}

class Hostile : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(process_.Start(ConverterExe()));
    form_ = process_.WaitForWindow(L"TForm1");
    ASSERT_NE(form_, nullptr);
    ASSERT_TRUE(window_.Bind(form_));
    window_.ChooseSource(5);  // Kilogram
    window_.ChooseTarget(3);  // Pound
    ASSERT_EQ(window_.Result().size(), 16u) << "2.20462442018378";
  }
  void TearDown() override {
    if (process_.Running()) {
      PostMessageW(form_, WM_CLOSE, 0, 0);
      EXPECT_EQ(process_.WaitForExit(10s), 0);
    }
  }
  e2e::ChildProcess process_;
  HWND form_ = nullptr;
  e2e::MainWindow window_;
};

TEST_F(Hostile, LongTextsAreRefusedWholeAndTheProgramAnswers) {
  const std::wstring result = window_.Result();
  const std::wstring digits(65536, L'7');
  {
    TextSender set(window_.value, digits);
    ExpectErrorBox(process_.Id(), form_, kTooLong);
  }
  PutOnClipboard(digits);
  e2e::Notify(window_.value, WM_PASTE);
  ExpectErrorBox(process_.Id(), form_, kTooLong);
  EXPECT_EQ(window_.Value(), L"1");
  EXPECT_EQ(window_.Result(), result);

  // At the limit the text is taken and converted (or refused as a number).
  const std::wstring longest = L"1" + std::wstring(511, L'0');
  {
    TextSender set(window_.value, longest);
    ExpectErrorBox(process_.Id(), form_, L"Floating point overflow.");
  }
  const std::wstring notANumber = std::wstring(500, L'1') + L"x";
  {
    TextSender set(window_.value, notANumber);
    ExpectErrorBox(process_.Id(), form_, L"'" + notANumber + L"' is not a valid floating point value.");
  }
  {
    TextSender set(window_.value, std::wstring(300, L'1'));
  }
  EXPECT_EQ(window_.Result(), L"2.44958268909309E299");
  EXPECT_TRUE(Answers(form_));
}

TEST_F(Hostile, ControlCharactersSurrogatesAndNulGiveErrorsNotCrashes) {
  // Set from outside: each is refused as a number, shown as it is.
  for (const std::wstring& text : {std::wstring(L"1\x01\x1B"), std::wstring(L"12\t3"), std::wstring(L"\xD800"),
                                  std::wstring(L"5\xDC00"), std::wstring(L"7\r\n8")}) {
    TextSender set(window_.value, text);
    ExpectErrorBox(process_.Id(), form_, L"'" + text + L"' is not a valid floating point value.");
  }
  // Every control character typed, NUL included. Some are edit commands
  // (select all, cut, paste, undo) and a few make a text that is no number;
  // whatever each does, the field stays one line and the program answers.
  PutOnClipboard(L"9");
  for (wchar_t c = 0; c < 0x20; ++c) {
    { TextSender reset(window_.value, L"1"); }
    e2e::SendWithTimeout(window_.value, EM_SETSEL, 1, 1);
    e2e::Notify(window_.value, WM_CHAR, c, 1);
    ASSERT_TRUE(Answers(form_)) << "no answer after character " << static_cast<int>(c);
    if (const auto box = e2e::WaitForDialog(process_.Id(), 0ms)) {
      EXPECT_EQ(box->className, L"#32770") << static_cast<int>(c);
      ASSERT_TRUE(e2e::PressOk(*box));
    }
    ASSERT_TRUE(process_.Running()) << "ended by character " << static_cast<int>(c);
    EXPECT_EQ(e2e::SendWithTimeout(window_.value, EM_GETLINECOUNT), 1) << static_cast<int>(c);
  }
}

// ---- starts

TEST(HostileStart, TenThousandCharacterFirstArgument) {
  e2e::ChildProcess p;
  ASSERT_TRUE(p.Start(ConverterExe(), L"-r" + std::wstring(9998, L'\x416')));  // second character "r": Russian
  HWND form = p.WaitForWindow(L"TForm1");
  ASSERT_NE(form, nullptr);
  EXPECT_TRUE(Answers(form));
  EXPECT_EQ(e2e::WindowText(form), L"Конвертер величин");
  PostMessageW(form, WM_CLOSE, 0, 0);
  EXPECT_EQ(p.WaitForExit(10s), 0);
}

// All top-level main windows of the converter, in any process.
std::vector<HWND> MainWindows() {
  std::vector<HWND> found;
  for (HWND w = FindWindowExW(nullptr, nullptr, L"TForm1", nullptr); w; w = FindWindowExW(nullptr, w, L"TForm1", nullptr))
    found.push_back(w);
  return found;
}

TEST(HostileStart, TwentyCopiesAtOnceLeaveOneWindowAndEndTheRestWithCodeZero) {
  constexpr int kCopies = 20;
  // Created suspended, then released together: as close to one moment as a
  // test can start them.
  std::vector<PROCESS_INFORMATION> copies;
  std::wstring line = L"\"" + ConverterExe() + L"\"";
  for (int i = 0; i < kCopies; ++i) {
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION info{};
    std::wstring writable = line;
    ASSERT_TRUE(CreateProcessW(nullptr, writable.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED, nullptr, nullptr,
                               &startup, &info));
    copies.push_back(info);
  }
  for (const auto& c : copies) ResumeThread(c.hThread);

  auto ended = [&] {
    int n = 0;
    for (const auto& c : copies) n += WaitForSingleObject(c.hProcess, 0) == WAIT_OBJECT_0;
    return n;
  };
  e2e::WaitFor([&] { return ended() >= kCopies - 1; }, 120s);
  e2e::WaitFor([&] { return ended() == kCopies; }, 1s);  // a moment more: does one more end?
  int running = 0, endedWithZero = 0;
  DWORD survivor = 0;
  for (const auto& c : copies) {
    DWORD code = STILL_ACTIVE;
    GetExitCodeProcess(c.hProcess, &code);
    if (code == STILL_ACTIVE) {
      ++running;
      survivor = c.dwProcessId;
    } else {
      endedWithZero += code == 0;
    }
  }
  EXPECT_EQ(running, 1);
  EXPECT_EQ(endedWithZero, kCopies - 1);
  const auto windows = MainWindows();
  ASSERT_EQ(windows.size(), 1u);
  DWORD owner = 0;
  GetWindowThreadProcessId(windows[0], &owner);
  EXPECT_EQ(owner, survivor);
  EXPECT_TRUE(Answers(windows[0]));

  PostMessageW(windows[0], WM_CLOSE, 0, 0);
  for (const auto& c : copies) {
    if (WaitForSingleObject(c.hProcess, 10000) != WAIT_OBJECT_0) TerminateProcess(c.hProcess, 99);
    CloseHandle(c.hThread);
    CloseHandle(c.hProcess);
  }
}

// ---- soak

SIZE_T PrivateBytes(HANDLE process) {
  PROCESS_MEMORY_COUNTERS_EX counters{};
  counters.cb = sizeof counters;
  GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&counters), sizeof counters);
  return counters.PagefileUsage;  // PrivateUsage reads 0 under Wine
}

// Under Wine a keypad click costs about ten typed changes (the owner-drawn
// keys repaint on press, release and focus), so most changes are typed: the
// run stays within a few minutes.
TEST_F(Hostile, SoakOfValueChangesAndListChoicesKeepsPrivateBytesFlat) {
  constexpr int kRounds = 100;            // each: 111 value changes and 10 list choices
  constexpr SIZE_T kTolerance = 1 << 20;  // 1 MB over the whole run
  const HWND value = window_.value;
  int changes = 0, choices = 0;
  auto round = [&](int r) {
    // Eleven keypad changes: "0", "1", "12" ... "123456789", "123456789.".
    for (const wchar_t* k = L"C123456789."; *k; ++k) e2e::Notify(window_.Key(*k), BM_CLICK);
    changes += 11;
    // A hundred through the value field: all selected and replaced, typed on, one erased.
    for (int pass = 0; pass < 10; ++pass) {
      e2e::Notify(value, EM_SETSEL, 0, -1);
      for (wchar_t c = L'1'; c <= L'9'; ++c) e2e::Notify(value, WM_CHAR, c, 1);
      e2e::Notify(value, WM_CHAR, L'\b', 1);
      changes += 10;
    }
    ASSERT_TRUE(Answers(form_)) << "after " << changes << " changes";
    // Five source and five target choices, across the three categories.
    for (int i = 0; i < 5; ++i) {
      window_.ChooseSource((r + i) % 3 == 0 ? 5 : (r + i) % 3 == 1 ? 12 : 20);
      window_.ChooseTarget((r + i) % 5);
      choices += 2;
    }
  };
  const auto start = std::chrono::steady_clock::now();
  for (int r = 0; r < 5; ++r) round(r);  // warm-up: the program's caches and Wine's
  const SIZE_T before = PrivateBytes(process_.Handle());
  for (int r = 5; r < kRounds; ++r) {
    round(r);
    if (HasFatalFailure()) return;
  }
  const SIZE_T after = PrivateBytes(process_.Handle());
  const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  std::printf("soak: %d value changes and %d list choices in %.0f s; private bytes %zu KB after warm-up, "
              "%zu KB at the end\n",
              changes, choices, seconds, before / 1024, after / 1024);
  EXPECT_LE(after, before + kTolerance);
  EXPECT_EQ(window_.Value(), L"12345678");
  EXPECT_TRUE(e2e::WaitForDialog(process_.Id(), 0ms) == std::nullopt) << "a refusal or error came up";
}

}  // namespace
