// From a keystroke to the painted result on the real main window, shown in
// this process: a click on a keypad key (BM_CLICK: the button's own press and
// release, then its notification), and a character typed into the value
// field (WM_CHAR). Each is timed from the message until the program's loop
// has nothing left to do, paints included. The baseline, in the same run: a
// character typed into a plain EDIT whose EN_CHANGE sets a second plain
// EDIT's text, pumped the same way. Prints medians, means and ratios.
//   keystroke_bench [repetitions]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <memory>
#include <numeric>
#include <vector>

#include "bench/bench_windows.h"
#include "controls/skin_button.h"
#include "controls/skin_combo.h"
#include "controls/skin_edit.h"
#include "tests/support/timing.h"

namespace {

// Messages the loop takes, and the queued WM_PAINTs of the watched result window.
HWND watched = nullptr;
long watchedPaints = 0, taken = 0, paintsTaken = 0;

LRESULT CALLBACK OnGetMessage(int code, WPARAM wParam, LPARAM lParam) {
  const auto* msg = reinterpret_cast<const MSG*>(lParam);
  if (code == HC_ACTION && wParam == PM_REMOVE) {
    ++taken;
    if (msg->message == WM_PAINT) ++paintsTaken;
    if (msg->message == WM_PAINT && msg->hwnd == watched) ++watchedPaints;
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

struct Series {
  std::vector<double> micros;
  double sentMicros = 0;  // summed: the message sent, up to its return
  long messages = 0, paints = 0;  // summed: what the loop took afterwards
  int painted = 0;  // rounds after which the result had taken its paint and none was pending
  double Median() const { return fwtest::Median(micros); }
  double Mean() const { return std::accumulate(micros.begin(), micros.end(), 0.0) / static_cast<double>(micros.size()); }
};

// One keystroke: `press` sends it, then the loop runs until nothing is left.
void Round(fw::TApplication& app, HWND result, const std::function<void()>& press, Series* into) {
  watched = result;
  const long before = watchedPaints, takenBefore = taken, paintsBefore = paintsTaken;
  const double a = fwtest::Now();
  press();
  const double sent = fwtest::Now();
  app.ProcessMessages();
  const double b = fwtest::Now();
  if (!into) return;
  into->micros.push_back((b - a) * 1e6);
  into->sentMicros += (sent - a) * 1e6;
  into->messages += taken - takenBefore;
  into->paints += paintsTaken - paintsBefore;
  if (watchedPaints > before && !GetUpdateRect(result, nullptr, FALSE)) ++into->painted;
}

void PutCaretAtEnd(HWND edit) {
  const int length = GetWindowTextLengthW(edit);
  SendMessageW(edit, EM_SETSEL, length, length);
}

}  // namespace

int main(int argc, char** argv) {
  const int repetitions = argc > 1 ? std::max(10, std::atoi(argv[1])) : 300;
  constexpr int kWarmUp = 30;
  constexpr int kBlocks = 6;  // interleaved, so that every series sees the same machine

  fw::TApplication app;
  appbench::PrepareLikeTheProgram(app);
  auto form = std::make_unique<app::TForm1>(&app);
  form->SetCommandLine(L"converter.exe");
  form->Show();
  app.ProcessMessages();
  appbench::Pick(*form, form->SkinComboBox1, 5);  // Kilogram
  appbench::Pick(*form, form->SkinComboBox2, 0);  // Ton metric
  app.ProcessMessages();
  if (form->SkinComboBox2->Text().empty()) {
    std::printf("keystroke_bench: the target unit could not be chosen\n");
    return 1;
  }
  // Beside the main window, never over it.
  auto bare = std::make_unique<appbench::BareEditWindow>(500, 40, form->SkinEdit1->Font().Handle());
  HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, OnGetMessage, nullptr, GetCurrentThreadId());

  HWND valueField = form->SkinEdit1->Handle();
  HWND resultField = form->SkinEdit2->Handle();
  int keyTurn = 0, charTurn = 0, bareTurn = 0;
  // Digit keys alternate with C, so the value stays one digit long.
  auto click = [&] {
    const int key = keyTurn++ % 2 ? 11 : 1 + (keyTurn / 2) % 9;
    SendMessageW(form->SkinBtn(key)->Handle(), BM_CLICK, 0, 0);
  };
  // The same keys through the handler alone: what the press and release add.
  int handlerTurn = 0;
  auto handler = [&] {
    const int key = handlerTurn++ % 2 ? 11 : 1 + (handlerTurn / 2) % 9;
    form->SkinBtn(key)->Click();
  };
  // Digits alternate with Backspace, so the value stays two digits long.
  auto type = [](HWND edit, int& turn) {
    const wchar_t c = turn++ % 2 ? L'\b' : static_cast<wchar_t>(L'1' + (turn / 2) % 9);
    SendMessageW(edit, WM_CHAR, c, 1);
  };

  Series keys, handled, typed, baseline;
  auto block = [&](int count, bool record) {
    form->SkinBtn(1)->SetFocus();  // a click focuses its key: no window activation inside the rounds
    app.ProcessMessages();
    for (int i = 0; i < count; ++i) Round(app, resultField, click, record ? &keys : nullptr);
    for (int i = 0; i < count; ++i) Round(app, resultField, handler, record ? &handled : nullptr);
    form->SkinEdit1->SetFocus();
    PutCaretAtEnd(valueField);
    app.ProcessMessages();
    for (int i = 0; i < count; ++i)
      Round(app, resultField, [&] { type(valueField, charTurn); }, record ? &typed : nullptr);
    SetFocus(bare->Input());
    PutCaretAtEnd(bare->Input());
    app.ProcessMessages();
    for (int i = 0; i < count; ++i)
      Round(app, bare->Output(), [&] { type(bare->Input(), bareTurn); }, record ? &baseline : nullptr);
  };
  block(kWarmUp, false);
  for (int b = 0; b < kBlocks; ++b) block((repetitions * (b + 1)) / kBlocks - (repetitions * b) / kBlocks, true);
  UnhookWindowsHookEx(hook);

  const double base = baseline.Median();
  auto line = [&](const char* what, const Series& s) {
    const double n = static_cast<double>(s.micros.size());
    std::printf("  %-62s median %7.1f  mean %7.1f  ratio %5.2f  result painted %d/%zu\n", what, s.Median(), s.Mean(),
                s.Median() / base, s.painted, s.micros.size());
    std::printf("  %-62s (mean %.1f until the sent message returned; then the loop took %.1f messages, %.1f of them "
                "WM_PAINT)\n",
                "", s.sentMicros / n, static_cast<double>(s.messages) / n, static_cast<double>(s.paints) / n);
  };
  std::printf("keystroke to painted result, main window in process, %d repetitions each after %d warm-up "
              "(microseconds; ratio of medians against the baseline)\n",
              repetitions, kWarmUp);
  line("keypad click (BM_CLICK on a digit key, then C)", keys);
  line("  of it, the key's click handler alone (no press, no release)", handled);
  line("character typed into the value field (WM_CHAR, digit/Backspace)", typed);
  line("baseline: WM_CHAR into a plain EDIT, EN_CHANGE sets a plain EDIT", baseline);
  auto verdict = [](double micros) { return micros < 2000.0 ? "met" : "NOT met"; };
  std::printf("  goal: under 2 ms in process: keypad click %s (%.2f ms), typed character %s (%.2f ms)\n",
              verdict(keys.Median()), keys.Median() / 1000.0, verdict(typed.Median()), typed.Median() / 1000.0);

  bare.reset();
  form.reset();
  app.ProcessMessages();
  return 0;
}
