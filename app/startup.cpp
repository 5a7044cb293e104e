#include "app/startup.h"

#include <windows.h>

#include "app/error_display.h"
#include "app/format_settings.h"
#include "framework/application.h"

namespace app {

void PrepareApplication(fw::TApplication& application) {
  application.Initialize();
  application.SetTitle(kApplicationTitle);
  InstallErrorDisplay(application);
  ListenForSettingChanges(application);
}

void ListenForSettingChanges(fw::TApplication& application) {
  // WM_SETTINGCHANGE is the same message under its newer name.
  application.AddSettingChangeHandler([](UINT msg, WPARAM, LPARAM) {
    if (msg == WM_WININICHANGE) RereadFormatSettingsAfterSettingChange();
  });
}

}  // namespace app
