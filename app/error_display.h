#pragma once
// The program's two error reports: the box for an error that leaves an event
// handler (the program carries on), and the report of an error that escapes
// start-up (the process ends with exit code 1).
#include <windows.h>

#include <exception>
#include <string>

namespace fw {
class TApplication;
class TObject;
}  // namespace fw

namespace app {

// The message of an error, and whether it is shown at all (the silent
// EAbort is not). Objects outside the exception family show their class.
struct ErrorMessage {
  bool shown;
  std::wstring text;
};
ErrorMessage MessageOfError(std::exception_ptr error);

// The box itself: MB_OK | MB_ICONSTOP owned by `owner` (the hidden
// application window), captioned `title`, text with the full-stop rule. The
// program's other windows are disabled meanwhile, and the window that was
// active is activated again afterwards.
void ShowErrorBox(HWND owner, const std::wstring& title, const std::wstring& message);

// The display for errors that leave handlers: shows `error` for the
// application, or drops it when it is silent.
void DisplayError(fw::TApplication& application, std::exception_ptr error);

// Makes DisplayError the application's error display.
void InstallErrorDisplay(fw::TApplication& application);

// ---- the fatal report

struct FatalReport {
  std::wstring caption;  // "Application Error"
  std::wstring text;
};
// The report of a C++ exception that escaped start-up. Such an exception
// carries no fault address, so the report names the program and says that.
FatalReport MakeFatalReport(std::exception_ptr error);
// The report of a processor exception nobody handled, at its real address.
FatalReport MakeFatalReport(const EXCEPTION_RECORD& record);

// Shows the report in a task-modal box and ends the process with exit code 1.
[[noreturn]] void ShowFatalReportAndExit(const FatalReport& report);

// Installs the outermost handlers: an unhandled processor exception and a
// C++ exception that reaches std::terminate both end in the fatal report.
void InstallFatalErrorHandlers();

}  // namespace app
