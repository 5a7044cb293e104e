// The single-instance component: the duplicate check and its counter, and
// the second-copy action in each mode, with a service object whose probe
// found the mutex and a recorded end of the process instead of the real one.
// Its own program, as it changes the application window's text.
#include "effects/fx_one_instance.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "effects/fx_application.h"
#include "app/startup.h"
#include "effects/fx_errors.h"
#include "framework/form.h"
#include "test_application.h"
#include "tests/support/described_form.h"
#include "tests/support/window_watcher.h"

namespace {

using fwtest::DescribedForm;

int g_ends = 0;
void RecordEnd() { ++g_ends; }

// Takes the quit request that the terminate request posted, if there is one.
bool TakeQuitRequest() {
  MSG msg;
  return PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) != 0;
}

// A service object that found another copy's mutex.
class SecondCopy : public ::testing::Test {
 protected:
  void SetUp() override {
    fwtest::App();
    const std::wstring name = L"one-instance-test-" + std::to_wstring(GetCurrentProcessId());
    first_ = CreateMutexW(nullptr, FALSE, name.c_str());
    service_ = std::make_unique<fx::TFxApplication>(name);
    ASSERT_TRUE(service_->PreviousInstance());
    fx::TFxOneInstance::SetServiceForTesting(service_.get());
    fx::TFxOneInstance::SetProcessEndForTesting(RecordEnd);
    fx::TFxOneInstance::SetMessageDisplay(app::ShowAlreadyStarted);
    g_ends = 0;
  }
  void TearDown() override {
    fx::TFxOneInstance::SetServiceForTesting(nullptr);
    service_.reset();
    CloseHandle(first_);
  }
  std::unique_ptr<DescribedForm> Load(fx::TFxOneInstanceMode mode, bool enabled = true,
                                      fw::TNotifyEvent custom = nullptr) {
    return std::make_unique<DescribedForm>([&](DescribedForm& f) {
      instance_ = new fx::TFxOneInstance(&f);
      instance_->SetMode(mode);
      instance_->SetEnabled(enabled);
      instance_->OnCustom = custom;
    }, &fwtest::App());
  }
  HANDLE first_ = nullptr;
  std::unique_ptr<fx::TFxApplication> service_;
  fx::TFxOneInstance* instance_ = nullptr;
};

TEST_F(SecondCopy, DefaultMessageShowsTheTitleInQuotesThenEnds) {
  std::wstring copied;
  std::unique_ptr<DescribedForm> form;
  {
    fwtest::WindowWatcher watcher(L"TMessageForm", [&](HWND dialog) {
      SendMessageW(dialog, WM_COPY, 0, 0);
      copied = fwtest::ClipboardText();
      PostMessageW(dialog, WM_SYSCOMMAND, SC_CLOSE, 0);
    });
    form = Load(fx::oiDefaultMessage);
  }
  EXPECT_EQ(copied,
            L"---------------------------\r\nInformation\r\n---------------------------\r\n"
            L"\"Converter\" was already started...\r\n---------------------------\r\nOK   \r\n"
            L"---------------------------\r\n");
  EXPECT_EQ(g_ends, 1);
  EXPECT_TRUE(TakeQuitRequest());
}

TEST_F(SecondCopy, DisabledDoesNothing) {
  auto form = Load(fx::oiActivateOnly, false);
  EXPECT_EQ(g_ends, 0);
  EXPECT_FALSE(TakeQuitRequest());
}

TEST_F(SecondCopy, CustomRunsOnlyTheHandlerThenEnds) {
  fw::TObject* sender = nullptr;
  const std::wstring before = fwtest::TextOf(fwtest::App().Handle());
  auto form = Load(fx::oiCustom, true, [&](fw::TObject* s) { sender = s; });
  EXPECT_EQ(sender, instance_);
  EXPECT_EQ(g_ends, 1);
  EXPECT_TRUE(TakeQuitRequest());
  EXPECT_EQ(fwtest::TextOf(fwtest::App().Handle()), before) << "no activation searched";
}

TEST_F(SecondCopy, ActivateOnlyHidesItsOwnWindowFromTheSearchThenEnds) {
  auto form = Load(fx::oiActivateOnly);
  EXPECT_EQ(g_ends, 1);
  EXPECT_TRUE(TakeQuitRequest());
  EXPECT_EQ(fwtest::TextOf(fwtest::App().Handle()), L"");
  EXPECT_EQ(fwtest::App().Title(), L"Converter");
}

TEST_F(SecondCopy, CustomWithoutHandlerActivates) {
  fwtest::App().SetTitle(L"Converter");
  auto form = Load(fx::oiCustom);
  EXPECT_EQ(g_ends, 1);
  EXPECT_TRUE(TakeQuitRequest());
  EXPECT_EQ(fwtest::TextOf(fwtest::App().Handle()), L"");
}

TEST(OnlyCopy, NoPreviousInstanceNoAction) {
  fwtest::App();
  const std::wstring name = L"one-instance-alone-" + std::to_wstring(GetCurrentProcessId());
  fx::TFxApplication alone(name);
  ASSERT_FALSE(alone.PreviousInstance());
  fx::TFxOneInstance::SetServiceForTesting(&alone);
  fx::TFxOneInstance::SetProcessEndForTesting(RecordEnd);
  g_ends = 0;
  {
    DescribedForm form([](DescribedForm& f) { new fx::TFxOneInstance(&f); }, &fwtest::App());
  }
  EXPECT_EQ(g_ends, 0);
  EXPECT_FALSE(TakeQuitRequest());
  fx::TFxOneInstance::SetServiceForTesting(nullptr);
}

TEST(Duplicate, SecondInTheProcessFailsWithKindOneAndTheCountComesBack) {
  fwtest::App();
  auto a = std::make_unique<fw::TForm>(&fwtest::App());
  auto b = std::make_unique<fw::TForm>(&fwtest::App());
  auto* first = new fx::TFxOneInstance(a.get());
  EXPECT_TRUE(first->Enabled());
  EXPECT_EQ(first->Mode(), fx::oiActivateOnly);
  EXPECT_EQ(fx::TFxOneInstance::InstanceCount(), 1);
  try {
    new fx::TFxOneInstance(b.get());
    ADD_FAILURE() << "a second one was made";
  } catch (const fx::FxEOneInstError& e) {
    EXPECT_EQ(e.Kind(), fx::oeDuplicate);
    EXPECT_EQ(e.Message(), L"TFxOneInstance:\rAlready one TFxOneInstance control in this project!");
  }
  EXPECT_EQ(fx::TFxOneInstance::InstanceCount(), 1);
  EXPECT_EQ(b->ComponentCount(), 0) << "the failed one left no trace on its form";
  a.reset();
  EXPECT_EQ(fx::TFxOneInstance::InstanceCount(), 0);
  auto* again = new fx::TFxOneInstance(b.get());
  EXPECT_EQ(fx::TFxOneInstance::InstanceCount(), 1);
  delete again;
}

TEST(AlreadyStartedText, TitleInQuotes) {
  EXPECT_EQ(fx::AlreadyStartedText(L"Converter"), L"\"Converter\" was already started...");
}

}  // namespace
