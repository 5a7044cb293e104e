#include "app/printing.h"

#include <cderr.h>
#include <commdlg.h>
#include <winspool.h>

#include <optional>
#include <string>
#include <vector>

#include "core/exceptions.h"
#include "framework/system_library.h"

namespace app {
namespace {

// The print dialog and the spooler's printer list come from libraries that
// are loaded on the first print, not at start: they would otherwise cost
// every start of the program time and memory. They come from the system
// folder only; once loaded they stay.
class PrintLibraries {
 public:
  using PrintDlgProc = BOOL(WINAPI*)(LPPRINTDLGW);
  using ExtendedErrorProc = DWORD(WINAPI*)();
  using EnumPrintersProc = BOOL(WINAPI*)(DWORD, LPWSTR, DWORD, LPBYTE, DWORD, LPDWORD, LPDWORD);

  explicit PrintLibraries(SystemLibraryLoader load) {
    HMODULE dialogs = load(kDialogs);
    HMODULE spooler = load(kSpooler);
    printDlg_ = fw::LibraryFunction<PrintDlgProc>(dialogs, "PrintDlgW");
    extendedError_ = fw::LibraryFunction<ExtendedErrorProc>(dialogs, "CommDlgExtendedError");
    enumPrinters_ = fw::LibraryFunction<EnumPrintersProc>(spooler, "EnumPrintersW");
  }

  EnumPrintersProc PrinterList() const {
    if (!enumPrinters_) throw Unavailable(kSpooler);
    return enumPrinters_;
  }
  PrintDlgProc PrintDialog() const {
    if (!printDlg_ || !extendedError_) throw Unavailable(kDialogs);
    return printDlg_;
  }
  ExtendedErrorProc DialogError() const {
    if (!printDlg_ || !extendedError_) throw Unavailable(kDialogs);
    return extendedError_;
  }

 private:
  static constexpr const wchar_t* kDialogs = L"comdlg32.dll";
  static constexpr const wchar_t* kSpooler = L"winspool.drv";
  static core::Exception Unavailable(const wchar_t* library) {
    return core::Exception(L"Printing is not available: the system library " + std::wstring(library) +
                           L" could not be loaded");
  }
  PrintDlgProc printDlg_ = nullptr;
  ExtendedErrorProc extendedError_ = nullptr;
  EnumPrintersProc enumPrinters_ = nullptr;
};

// The handles PrintDlgW allocates for the chosen settings.
struct PrintDialogHandles {
  HGLOBAL devMode = nullptr;
  HGLOBAL devNames = nullptr;
  ~PrintDialogHandles() {
    if (devMode) GlobalFree(devMode);
    if (devNames) GlobalFree(devNames);
  }
};

class RealPrinters final : public PrinterSystem {
 public:
  explicit RealPrinters(SystemLibraryLoader load) : load_(load) {}

  bool AnyPrinterInstalled() override {
    const auto EnumPrintersW = Libraries().PrinterList();
    const DWORD flags = PRINTER_ENUM_LOCAL | PRINTER_ENUM_CONNECTIONS;
    DWORD needed = 0;
    DWORD count = 0;
    EnumPrintersW(flags, nullptr, 4, nullptr, 0, &needed, &count);
    if (needed == 0) return false;
    std::vector<BYTE> buffer(needed);
    if (!EnumPrintersW(flags, nullptr, 4, buffer.data(), needed, &needed, &count)) return false;
    return count > 0;
  }

  PrinterChoice ChoosePrinter(HWND owner) override {
    const PrintLibraries& libraries = Libraries();
    PRINTDLGW dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.Flags = PD_RETURNDC | PD_NOPAGENUMS | PD_NOSELECTION | PD_HIDEPRINTTOFILE | PD_USEDEVMODECOPIESANDCOLLATE;
    dialog.nCopies = 1;
    const BOOL chosen = libraries.PrintDialog()(&dialog);
    PrintDialogHandles handles{dialog.hDevMode, dialog.hDevNames};
    PrinterChoice choice;
    if (chosen) {
      choice.dc.reset(dialog.hDC);
      if (!choice.dc) throw core::Exception(L"The printer could not be opened");
      return choice;
    }
    const DWORD error = libraries.DialogError()();
    if (error == PDERR_NODEFAULTPRN || error == PDERR_NODEVICES || error == PDERR_PRINTERNOTFOUND) {
      choice.noPrinter = true;
    } else if (error != 0) {
      throw core::Exception(L"The Print dialog failed with code " + std::to_wstring(error));
    }
    return choice;
  }

  void PrintDocument(HDC printer, const PrintedConversion& page) override {
    DOCINFOW info{};
    info.cbSize = sizeof info;
    info.lpszDocName = page.title.c_str();
    if (StartDocW(printer, &info) <= 0) throw core::Exception(L"The printer did not accept the document");
    // The spooler keeps a started document until it is ended or aborted.
    bool ended = false;
    struct DocumentEnd {
      HDC dc;
      bool& ended;
      ~DocumentEnd() {
        if (!ended) AbortDoc(dc);
      }
    } documentEnd{printer, ended};
    if (StartPage(printer) <= 0) throw core::Exception(L"The printer did not accept the page");
    DrawPrintPage(printer, GetDeviceCaps(printer, HORZRES), page);
    if (EndPage(printer) <= 0) throw core::Exception(L"The printer did not accept the page");
    ended = true;
    if (EndDoc(printer) <= 0) throw core::Exception(L"The printer did not finish the document");
  }

 private:
  const PrintLibraries& Libraries() {
    if (!libraries_) libraries_.emplace(load_);
    return *libraries_;
  }
  SystemLibraryLoader load_;
  std::optional<PrintLibraries> libraries_;
};

}  // namespace

void PrinterDCDeleter::operator()(HDC dc) const {
  if (dc) DeleteDC(dc);
}

PrinterSystem& SystemPrinters() {
  static RealPrinters printers([](const wchar_t* name) { return fw::LoadSystemLibrary(name); });
  return printers;
}

std::unique_ptr<PrinterSystem> MakeSystemPrinters(SystemLibraryLoader load) {
  return std::make_unique<RealPrinters>(load);
}

PrintOutcome PrintConversion(HWND owner, const PrintedConversion& page, PrinterSystem& printers) {
  if (!printers.AnyPrinterInstalled()) return PrintOutcome::kNoPrinter;
  PrinterChoice choice = printers.ChoosePrinter(owner);
  if (!choice.dc) return choice.noPrinter ? PrintOutcome::kNoPrinter : PrintOutcome::kCancelled;
  printers.PrintDocument(choice.dc.get(), page);
  return PrintOutcome::kPrinted;
}

}  // namespace app
