// Window-procedure hooks chained on one window, removed in creation order,
// in reverse order and from inside their own call: every remaining hook and
// the original procedure keep getting the messages, and the original
// procedure is back at the end.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/form.h"
#include "framework/subclass.h"
#include "window_test_util.h"

namespace {

using Seq = std::vector<std::wstring>;
Seq* trace = nullptr;

LRESULT CALLBACK OriginalProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
  if (msg == WM_APP + 1) {
    if (trace) trace->push_back(L"original");
    return 100;
  }
  return DefWindowProcW(wnd, msg, wParam, lParam);
}

struct Target {
  HWND wnd;
  Target() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = OriginalProc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.lpszClassName = L"FwSubclassTarget";
    RegisterClassW(&wc);
    wnd = CreateWindowW(wc.lpszClassName, L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                        wc.hInstance, nullptr);
  }
  ~Target() {
    if (IsWindow(wnd)) DestroyWindow(wnd);
  }
  WNDPROC Proc() const { return reinterpret_cast<WNDPROC>(GetWindowLongPtrW(wnd, GWLP_WNDPROC)); }
};

fw::WindowHook Hook(HWND wnd, const std::wstring& name) {
  return fw::WindowHook(wnd, [name](HWND, UINT msg, WPARAM w, LPARAM l, const fw::SubclassNext& next) {
    if (msg == WM_APP + 1 && trace) trace->push_back(name);
    LRESULT r = next(msg, w, l);
    return msg == WM_APP + 1 ? r + 1 : r;  // each hook adds one to the answer
  });
}

struct SubclassTest : ::testing::Test {
  Seq seq;
  Target target;
  void SetUp() override { trace = &seq; }
  void TearDown() override { trace = nullptr; }
  Seq Send(LRESULT* result = nullptr) {
    seq.clear();
    LRESULT r = SendMessageW(target.wnd, WM_APP + 1, 0, 0);
    if (result) *result = r;
    return seq;
  }
};

TEST_F(SubclassTest, NewestHookFirstThenOlderOnesThenTheOriginal) {
  auto h1 = Hook(target.wnd, L"h1");
  auto h2 = Hook(target.wnd, L"h2");
  auto h3 = Hook(target.wnd, L"h3");
  LRESULT r = 0;
  EXPECT_EQ(Send(&r), (Seq{L"h3", L"h2", L"h1", L"original"}));
  EXPECT_EQ(r, 103);
  EXPECT_EQ(fw::WindowHook::HookCount(target.wnd), 3);
}

TEST_F(SubclassTest, RemovedInCreationOrder) {
  WNDPROC original = target.Proc();
  auto h1 = Hook(target.wnd, L"h1");
  auto h2 = Hook(target.wnd, L"h2");
  auto h3 = Hook(target.wnd, L"h3");
  h1.Remove();
  EXPECT_EQ(Send(), (Seq{L"h3", L"h2", L"original"}));
  h2.Remove();
  EXPECT_EQ(Send(), (Seq{L"h3", L"original"}));
  h3.Remove();
  EXPECT_EQ(Send(), (Seq{L"original"}));
  EXPECT_EQ(target.Proc(), original);
  EXPECT_EQ(fw::WindowHook::HookCount(target.wnd), 0);
}

TEST_F(SubclassTest, RemovedInReverseOrder) {
  WNDPROC original = target.Proc();
  {
    auto h1 = Hook(target.wnd, L"h1");
    auto h2 = Hook(target.wnd, L"h2");
    auto h3 = Hook(target.wnd, L"h3");
    h3.Remove();
    EXPECT_EQ(Send(), (Seq{L"h2", L"h1", L"original"}));
    h2.Remove();
    EXPECT_EQ(Send(), (Seq{L"h1", L"original"}));
  }  // h1 goes with its scope
  EXPECT_EQ(Send(), (Seq{L"original"}));
  EXPECT_EQ(target.Proc(), original);
}

TEST_F(SubclassTest, AHookRemovingItselfDuringItsCallStillPassesThatMessageOn) {
  auto h1 = Hook(target.wnd, L"h1");
  fw::WindowHook h2;
  h2 = fw::WindowHook(target.wnd, [&](HWND, UINT msg, WPARAM w, LPARAM l, const fw::SubclassNext& next) {
    if (msg != WM_APP + 1) return next(msg, w, l);
    seq.push_back(L"h2 leaving");
    h2.Remove();
    return next(msg, w, l);
  });
  auto h3 = Hook(target.wnd, L"h3");
  EXPECT_EQ(Send(), (Seq{L"h3", L"h2 leaving", L"h1", L"original"}));
  EXPECT_FALSE(h2.Installed());
  EXPECT_EQ(Send(), (Seq{L"h3", L"h1", L"original"}));
}

TEST_F(SubclassTest, AForeignSubclassOnTopKeepsThePassThrough) {
  WNDPROC original = target.Proc();
  auto h1 = Hook(target.wnd, L"h1");
  static WNDPROC below = nullptr;
  below = target.Proc();
  auto foreign = [](HWND w, UINT m, WPARAM wp, LPARAM lp) -> LRESULT {
    if (m == WM_APP + 1 && trace) trace->push_back(L"foreign");
    return CallWindowProcW(below, w, m, wp, lp);
  };
  SetWindowLongPtrW(target.wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(+foreign));
  h1.Remove();
  EXPECT_EQ(Send(), (Seq{L"foreign", L"original"}));
  SetWindowLongPtrW(target.wnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(below));
  EXPECT_EQ(Send(), (Seq{L"original"}));
  EXPECT_NE(target.Proc(), original);  // the pass-through stays installed
}

TEST_F(SubclassTest, HooksEndWithTheirWindow) {
  auto h1 = Hook(target.wnd, L"h1");
  int before = fw::WindowHook::ChainedWindows();
  DestroyWindow(target.wnd);
  EXPECT_FALSE(h1.Installed());
  EXPECT_EQ(fw::WindowHook::ChainedWindows(), before - 1);
  h1.Remove();  // harmless afterwards
}

TEST_F(SubclassTest, HooksOnAFrameworkFormSeeItsMessagesBeforeTheForm) {
  fwtest::App();
  fw::TForm form(nullptr);
  form.HandleNeeded();
  Seq erase;
  auto fill = fw::WindowHook(form.Handle(), [&](HWND, UINT msg, WPARAM w, LPARAM l,
                                                const fw::SubclassNext& next) {
    if (msg == WM_ERASEBKGND) erase.push_back(L"fill");
    return next(msg, w, l);
  });
  auto shadow = fw::WindowHook(form.Handle(), [&](HWND, UINT msg, WPARAM w, LPARAM l,
                                                  const fw::SubclassNext& next) {
    if (msg == WM_ERASEBKGND) erase.push_back(L"shadow");
    return next(msg, w, l);
  });
  HDC dc = CreateCompatibleDC(nullptr);
  LRESULT r = SendMessageW(form.Handle(), WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
  DeleteDC(dc);
  EXPECT_EQ(r, 1);  // the form's own erasing answered at the end
  EXPECT_EQ(erase, (Seq{L"shadow", L"fill"}));
  fill.Remove();
  shadow.Remove();
  EXPECT_EQ(GetWindowLongPtrW(form.Handle(), GWLP_WNDPROC),
            reinterpret_cast<LONG_PTR>(&fw::BoundWindowProc));
}

}  // namespace
