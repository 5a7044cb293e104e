#pragma once
// Printing the current conversion on the printer the user picks in the
// system Print dialog.
#include <windows.h>

#include <memory>

#include "app/print_page.h"

namespace app {

// Owns a printer device context (DeleteDC).
struct PrinterDCDeleter {
  void operator()(HDC dc) const;
};
using PrinterDC = std::unique_ptr<std::remove_pointer_t<HDC>, PrinterDCDeleter>;

struct PrinterChoice {
  PrinterDC dc;            // null: nothing to print on
  bool noPrinter = false;  // the dialog found no printer at all (else: cancelled)
};

// The system side of printing, replaceable in tests.
class PrinterSystem {
 public:
  virtual ~PrinterSystem() = default;
  virtual bool AnyPrinterInstalled() = 0;
  virtual PrinterChoice ChoosePrinter(HWND owner) = 0;
  // One document of one page; raises core::Exception when the spooler refuses.
  virtual void PrintDocument(HDC printer, const PrintedConversion& page) = 0;
};

// The real printers of this machine: EnumPrintersW, PrintDlgW, StartDocW.
// Their libraries come from the system folder only (fw::LoadSystemLibrary);
// one that cannot be loaded makes printing raise a core::Exception naming it.
PrinterSystem& SystemPrinters();

// Loads a system library by file name, or gives null.
using SystemLibraryLoader = HMODULE (*)(const wchar_t* name);
// Another instance of the real printers, whose libraries `load` gives.
std::unique_ptr<PrinterSystem> MakeSystemPrinters(SystemLibraryLoader load);

enum class PrintOutcome { kNoPrinter, kCancelled, kPrinted };

// Checks for a printer, lets the user choose one and prints the page there.
// Nothing is printed when the user cancels or no printer exists.
PrintOutcome PrintConversion(HWND owner, const PrintedConversion& page, PrinterSystem& printers);

}  // namespace app
