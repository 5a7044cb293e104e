#pragma once
// Whether the system's high-contrast setting is on: the one place every
// drawing asks. While it is on, the program draws in the system's colours
// only, with no wallpaper, bitmap fill or drop shadow. The setting is read
// once and again whenever a form hears that it may have changed
// (WM_SETTINGCHANGE, WM_SYSCOLORCHANGE).
#include <optional>

namespace fw {

// The setting as last read (read on first use).
bool HighContrast();
// Reads the setting again; true when the answer changed.
bool RereadHighContrast();
// Replaces what the system says (std::nullopt: the system's answer again).
// For tests: some systems (Wine) refuse to switch the setting and always
// report it off. Takes effect at the next reread.
void SetHighContrastOverride(std::optional<bool> on);

}  // namespace fw
