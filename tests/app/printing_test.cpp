// The print flow against a recorded printer system: no printer, cancel, print.
#include "app/printing.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/exceptions.h"

namespace {

class RecordingPrinters : public app::PrinterSystem {
 public:
  bool installed = true;
  enum { kChoose, kCancel, kDialogFindsNone } dialog = kChoose;
  std::vector<std::string> calls;
  std::wstring printedValue;

  bool AnyPrinterInstalled() override {
    calls.push_back("installed?");
    return installed;
  }
  app::PrinterChoice ChoosePrinter(HWND) override {
    calls.push_back("dialog");
    app::PrinterChoice choice;
    if (dialog == kChoose) choice.dc.reset(CreateCompatibleDC(nullptr));
    choice.noPrinter = dialog == kDialogFindsNone;
    return choice;
  }
  void PrintDocument(HDC dc, const app::PrintedConversion& page) override {
    calls.push_back(dc ? "print" : "print(null)");
    printedValue = page.value;
  }
};

app::PrintedConversion Page() {
  app::PrintedConversion page;
  page.title = L"Converter";
  page.value = L"42";
  return page;
}

TEST(PrintConversion, NoPrinterShowsNoDialogAndPrintsNothing) {
  RecordingPrinters printers;
  printers.installed = false;
  EXPECT_EQ(app::PrintConversion(nullptr, Page(), printers), app::PrintOutcome::kNoPrinter);
  EXPECT_EQ(printers.calls, (std::vector<std::string>{"installed?"}));
}

TEST(PrintConversion, CancelPrintsNothing) {
  RecordingPrinters printers;
  printers.dialog = RecordingPrinters::kCancel;
  EXPECT_EQ(app::PrintConversion(nullptr, Page(), printers), app::PrintOutcome::kCancelled);
  EXPECT_EQ(printers.calls, (std::vector<std::string>{"installed?", "dialog"}));
}

TEST(PrintConversion, DialogThatFindsNoPrinterCountsAsNoPrinter) {
  RecordingPrinters printers;
  printers.dialog = RecordingPrinters::kDialogFindsNone;
  EXPECT_EQ(app::PrintConversion(nullptr, Page(), printers), app::PrintOutcome::kNoPrinter);
  EXPECT_EQ(printers.calls, (std::vector<std::string>{"installed?", "dialog"}));
}

TEST(PrintConversion, ChosenPrinterGetsThePage) {
  RecordingPrinters printers;
  EXPECT_EQ(app::PrintConversion(nullptr, Page(), printers), app::PrintOutcome::kPrinted);
  EXPECT_EQ(printers.calls, (std::vector<std::string>{"installed?", "dialog", "print"}));
  EXPECT_EQ(printers.printedValue, L"42");
}

// The real printers when their system libraries cannot be loaded: each step
// raises an error that names the library it lacks.
TEST(SystemPrinters, ALibraryThatCannotBeLoadedIsNamed) {
  const auto printers = app::MakeSystemPrinters([](const wchar_t*) -> HMODULE { return nullptr; });
  const auto errorOf = [](const auto& step) -> std::wstring {
    try {
      step();
    } catch (const core::Exception& e) {
      return e.Message();
    }
    return L"(no error)";
  };
  EXPECT_THAT(errorOf([&] { printers->AnyPrinterInstalled(); }), ::testing::HasSubstr(L"winspool.drv"));
  EXPECT_THAT(errorOf([&] { printers->ChoosePrinter(nullptr); }), ::testing::HasSubstr(L"comdlg32.dll"));
}

}  // namespace
