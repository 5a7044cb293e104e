#pragma once
// Forms of the effect tests, built from stored descriptions the way the
// program's main window is: the components are created and their stored
// values applied while the form loads, then their after-load steps run.
#include <windows.h>

#include <functional>

#include "effects/fx_form_fill.h"
#include "effects/fx_form_shadow.h"
#include "framework/application.h"
#include "framework/form.h"
#include "fx_test_util.h"

namespace fxtest {

// The one application object of the test program.
inline fw::TApplication& App() {
  static fw::TApplication* app = [] {
    auto* a = new fw::TApplication();
    a->SetTitle(L"Effect tests");
    return a;
  }();
  return *app;
}

inline void PumpApp(int rounds = 3) {
  for (int i = 0; i < rounds; ++i) {
    App().ProcessMessages();
    Sleep(2);
  }
}

// A form whose description the test gives; counts the moves it handles.
class TestForm : public fw::TForm {
 public:
  explicit TestForm(const std::function<void(TestForm&)>& description) : fw::TForm(nullptr) {
    App();
    ReadDescription([&] { description(*this); });
  }
  int Moves() const { return moves_; }
  int Erases() const { return erases_; }

 protected:
  void WMMove(fw::TMessage& m) override {
    ++moves_;
    fw::TForm::WMMove(m);
  }
  void WMEraseBkgnd(fw::TMessage& m) override {
    ++erases_;
    fw::TForm::WMEraseBkgnd(m);
  }

 private:
  int moves_ = 0;
  int erases_ = 0;
};

// Shows the form and makes it the active window.
inline void ShowActive(fw::TForm& form) {
  form.Show();
  SetForegroundWindow(form.Handle());
  SetActiveWindow(form.Handle());
  PumpApp();
}

inline RECT WindowRectOf(HWND wnd) {
  RECT r{};
  GetWindowRect(wnd, &r);
  return r;
}

inline bool SameRect(const RECT& a, const RECT& b) {
  return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
}

}  // namespace fxtest
