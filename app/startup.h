#pragma once
// What the program entry does to the application object before the main
// window exists: the title, the error display, re-reading the locale's
// separators whenever the regional settings change, and the information
// dialog a second copy shows.
#include <string>

namespace fw {
class TApplication;
}

namespace app {

inline constexpr const wchar_t* kApplicationTitle = L"Converter";

void PrepareApplication(fw::TApplication& application);

// WM_WININICHANGE at the application window reads both separators again.
void ListenForSettingChanges(fw::TApplication& application);

// The single-instance guard's "already started" message, as an information
// dialog with an OK button.
void ShowAlreadyStarted(const std::wstring& text);

}  // namespace app
