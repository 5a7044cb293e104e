// An exception that leaves a handler is shown once by the error display and
// the message loop carries on.
#include <gtest/gtest.h>

#include "core/exceptions.h"
#include "framework/guard.h"
#include "stdctrls/stdctrls.h"
#include "framework/window_errors.h"
#include "window_test_util.h"

namespace {

struct DisplaySpy {
  std::vector<std::wstring> shown;
  std::vector<fw::TObject*> senders;
  DisplaySpy() {
    fwtest::App().OnException = [this](fw::TObject* sender, std::exception_ptr e) {
      senders.push_back(sender);
      try {
        std::rethrow_exception(e);
      } catch (const core::Exception& x) {
        shown.push_back(x.Message());
      } catch (...) {
        shown.push_back(L"?");
      }
    };
  }
  ~DisplaySpy() { fwtest::App().OnException = nullptr; }
};

TEST(Errors, AnExceptionInAClickHandlerIsShownOnceAndTheLoopGoesOn) {
  DisplaySpy spy;
  fw::TForm form(nullptr);
  auto* bad = new fw::TButton(&form);
  bad->SetParent(&form);
  auto* good = new fw::TButton(&form);
  good->SetParent(&form);
  good->SetLeft(100);
  std::vector<std::wstring> calls;
  bad->OnClick = [&](fw::TObject*) {
    calls.push_back(L"bad");
    throw core::EConvertError(L"'1a' is not a valid floating point value");
    calls.push_back(L"never");
  };
  good->OnClick = [&](fw::TObject*) { calls.push_back(L"good"); };
  fwtest::ShowActive(form);
  PostMessageW(bad->Handle(), BM_CLICK, 0, 0);
  PostMessageW(good->Handle(), BM_CLICK, 0, 0);
  fwtest::Pump();
  EXPECT_EQ(calls, (std::vector<std::wstring>{L"bad", L"good"}));
  EXPECT_EQ(spy.shown, (std::vector<std::wstring>{L"'1a' is not a valid floating point value"}));
}

TEST(Errors, AChangeHandlerRaisingInsideAClickIsShownOnceAndTheClickGoesOn) {
  DisplaySpy spy;
  fw::TForm form(nullptr);
  auto* edit = new fw::TEdit(&form);
  edit->SetParent(&form);
  auto* key = new fw::TButton(&form);
  key->SetParent(&form);
  key->SetTop(40);
  std::vector<std::wstring> calls;
  edit->OnChange = [&](fw::TObject*) {
    calls.push_back(L"change " + edit->Text());
    throw core::EZeroDivide();
  };
  key->OnClick = [&](fw::TObject*) {
    edit->SetText(edit->Text() + L"1");
    calls.push_back(L"click done");
  };
  fwtest::ShowActive(form);
  PostMessageW(key->Handle(), BM_CLICK, 0, 0);
  fwtest::Pump();
  EXPECT_EQ(calls, (std::vector<std::wstring>{L"change 1", L"click done"}));
  EXPECT_EQ(spy.shown, (std::vector<std::wstring>{L"Floating point division by zero"}));
}

TEST(Errors, GuardedWorkReportsOnceAndReturnsTheFallback) {
  DisplaySpy spy;
  fw::TForm sender(nullptr);
  int r = fw::Guarded([]() -> int { throw fw::EInvalidOperation(L"no"); }, -1, &sender);
  EXPECT_EQ(r, -1);
  ASSERT_EQ(spy.shown.size(), 1u);
  EXPECT_EQ(spy.senders[0], &sender);
}

TEST(MessageLoop, FiltersConsumeWhatTheyClaimUntilRemoved) {
  DisplaySpy spy;
  int seen = 0;
  int id = fwtest::App().AddMessageFilter([&](MSG& msg) {
    if (msg.message != WM_APP + 7) return false;
    ++seen;
    return true;
  });
  PostMessageW(fwtest::App().Handle(), WM_APP + 7, 0, 0);
  PostMessageW(fwtest::App().Handle(), WM_APP + 7, 0, 0);
  fwtest::Pump();
  fwtest::App().RemoveMessageFilter(id);
  PostMessageW(fwtest::App().Handle(), WM_APP + 7, 0, 0);
  fwtest::Pump();
  EXPECT_EQ(seen, 2);
  EXPECT_TRUE(spy.shown.empty());
}

}  // namespace
