// Program entry: library searches are kept to the system folder before
// anything else, the locale's separators and the single-instance probe come
// next, then the application object titled "Converter" and the main window;
// the message loop runs until the main window closes.
#include <windows.h>

#include <exception>

#include "app/error_display.h"
#include "app/format_settings.h"
#include "app/main_form.h"
#include "app/startup.h"
#include "effects/fx_application.h"
#include "framework/application.h"
#include "framework/startup_trace.h"
#include "framework/system_library.h"

namespace {

int RunProgram() {
  fw::TApplication application;
  app::PrepareApplication(application);
  application.CreateForm<app::TForm1>();
  application.Run();
  return 0;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  // Before anything could load a library: none from the program's folder.
  fw::RestrictLibrarySearch();
  // A developer's breakdown of this start (see framework/startup_trace.h).
  fw::trace::StartFromEnvironment(L"CONVERTER_TRACE");
  app::InstallFatalErrorHandlers();
  app::ReadFormatSettings(app::ProcessFormatSettings());
  fx::InitFxLibrary();
  try {
    return RunProgram();
  } catch (...) {
    // An error that escaped start-up: reported, and the process ends with code 1.
    app::ShowFatalReportAndExit(app::MakeFatalReport(std::current_exception()));
  }
}
