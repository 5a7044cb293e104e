#include "app/startup.h"

#include <windows.h>

#include "app/error_display.h"
#include "app/format_settings.h"
#include "app/message_dialog.h"
#include "effects/fx_one_instance.h"
#include "framework/application.h"

namespace app {

void PrepareApplication(fw::TApplication& application) {
  application.Initialize();
  application.SetTitle(kApplicationTitle);
  InstallErrorDisplay(application);
  ListenForSettingChanges(application);
  fx::TFxOneInstance::SetMessageDisplay(ShowAlreadyStarted);
}

void ShowAlreadyStarted(const std::wstring& text) { ShowMessageDialog(text, dtInformation, {dbOK}, 0); }

void ListenForSettingChanges(fw::TApplication& application) {
  // WM_SETTINGCHANGE is the same message under its newer name.
  application.AddSettingChangeHandler([](UINT msg, WPARAM, LPARAM) {
    if (msg == WM_WININICHANGE) RereadFormatSettingsAfterSettingChange();
  });
}

}  // namespace app
