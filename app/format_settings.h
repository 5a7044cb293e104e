#pragma once
// The process-wide number separators, read from the user's locale at start
// and again whenever the regional settings change while the program runs.
#include "core/number_text.h"

namespace app {

// The one copy every conversion reads. Lives for the whole process.
core::FormatSettings& ProcessFormatSettings();

// Reads both separators of the thread's locale into `settings`. A separator
// the locale does not give as exactly one character falls back to "." or ",".
void ReadFormatSettings(core::FormatSettings& settings);

// For WM_WININICHANGE on the application window: the thread takes the user's
// current locale again, then both separators are read anew.
void RereadFormatSettingsAfterSettingChange();

}  // namespace app
