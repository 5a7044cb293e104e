// From the About button's click to the About box's first painted frame,
// against showing a plain dialog of the same size the same way, in one run.
// Both are modal: a message hook notes when the dialog's first WM_PAINT has
// been handled, then closes it. Prints medians and their ratio.
//   about_bench [rounds]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

#include "app/main_form.h"
#include "controls/skin_button.h"
#include "framework/application.h"
#include "framework/form.h"
#include "tests/support/timing.h"

namespace {

LARGE_INTEGER paintedAt{};
const wchar_t* watchedClass = nullptr;
constexpr UINT kPainted = WM_APP + 77;

// When the dialog's first WM_PAINT is taken from the queue, a marker is
// posted; it comes out once that paint has been handled (posted messages go
// before WM_PAINT), and then the time is taken and the dialog closed.
LRESULT CALLBACK OnGetMessage(int code, WPARAM wParam, LPARAM lParam) {
  auto* msg = reinterpret_cast<MSG*>(lParam);
  if (code == HC_ACTION && wParam == PM_REMOVE && watchedClass) {
    if (msg->message == WM_PAINT && paintedAt.QuadPart == 0) {
      wchar_t name[64] = {};
      GetClassNameW(msg->hwnd, name, 64);
      if (wcscmp(name, watchedClass) == 0) {
        paintedAt.QuadPart = -1;
        PostMessageW(msg->hwnd, kPainted, 0, 0);
      }
    } else if (msg->message == kPainted && paintedAt.QuadPart == -1) {
      QueryPerformanceCounter(&paintedAt);
      msg->message = WM_CLOSE;
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Milliseconds from `open` (which runs the modal dialog) to its first paint.
double TimeToFirstPaint(const wchar_t* dialogClass, const std::function<void()>& open) {
  watchedClass = dialogClass;
  paintedAt.QuadPart = 0;
  LARGE_INTEGER start, freq;
  QueryPerformanceFrequency(&freq);
  QueryPerformanceCounter(&start);
  open();
  watchedClass = nullptr;
  return static_cast<double>(paintedAt.QuadPart - start.QuadPart) * 1000.0 / static_cast<double>(freq.QuadPart);
}

class TPlainDialog : public fw::TForm {
 public:
  TPlainDialog() : fw::TForm(&fw::Application()) {
    ReadDescription([this] {
      SetBorderStyle(fw::bsDialog);
      SetPosition(fw::poScreenCenter);
      SetClientSize(418, 344);
    });
  }
  std::wstring ClassName() const override { return L"TPlainDialog"; }
};

}  // namespace

int main(int argc, char** argv) {
  const int rounds = argc > 1 ? std::max(1, std::atoi(argv[1])) : 15;
  fw::TApplication& app = *new fw::TApplication;  // lives until the process ends
  app.SetTitle(L"Converter");
  auto* main = app.CreateForm<app::TForm1>();
  main->Show();
  app.ProcessMessages();
  HHOOK hook = SetWindowsHookExW(WH_GETMESSAGE, OnGetMessage, nullptr, GetCurrentThreadId());

  auto about = [&] { main->AboutBtn->Click(); };
  auto plain = [] {
    TPlainDialog dialog;
    dialog.ShowModal();
  };
  TimeToFirstPaint(L"TAboutBox", about);  // warm-up: fonts, pictures, classes
  TimeToFirstPaint(L"TPlainDialog", plain);
  std::vector<double> aboutTimes, plainTimes;
  for (int r = 0; r < rounds; ++r) {
    aboutTimes.push_back(TimeToFirstPaint(L"TAboutBox", about));
    plainTimes.push_back(TimeToFirstPaint(L"TPlainDialog", plain));
    app.ProcessMessages();
  }
  UnhookWindowsHookEx(hook);
  const double a = fwtest::Median(aboutTimes), p = fwtest::Median(plainTimes);
  std::printf("About box, click to first painted frame, %d rounds (median milliseconds)\n", rounds);
  std::printf("  About box %.2f, plain dialog of the same size %.2f, ratio %.2f\n", a, p, a / p);
  main->Close();
  return 0;
}
