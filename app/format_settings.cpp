#include "app/format_settings.h"

#include <windows.h>

namespace app {
namespace {

// A buffer of two characters: one separator and its terminator. A longer
// separator makes the call fail, and the fallback applies.
wchar_t ReadSeparator(LCID locale, LCTYPE item, wchar_t fallback) {
  wchar_t buffer[2] = {};
  if (GetLocaleInfoW(locale, item, buffer, 2) <= 0) return fallback;
  return buffer[0];
}

}  // namespace

core::FormatSettings& ProcessFormatSettings() {
  static core::FormatSettings settings;
  return settings;
}

void ReadFormatSettings(core::FormatSettings& settings) {
  const LCID locale = GetThreadLocale();
  settings.thousandSeparator = ReadSeparator(locale, LOCALE_STHOUSAND, L',');
  settings.decimalSeparator = ReadSeparator(locale, LOCALE_SDECIMAL, L'.');
}

void RereadFormatSettingsAfterSettingChange() {
  SetThreadLocale(LOCALE_USER_DEFAULT);
  ReadFormatSettings(ProcessFormatSettings());
}

}  // namespace app
