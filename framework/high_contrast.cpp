#include "framework/high_contrast.h"

#include <windows.h>

namespace fw {
namespace {

std::optional<bool> current;
std::optional<bool> forced;

bool SystemSetting() {
  if (forced) return *forced;
  HIGHCONTRASTW setting{};
  setting.cbSize = sizeof setting;
  return SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof setting, &setting, 0) &&
         (setting.dwFlags & HCF_HIGHCONTRASTON) != 0;
}

}  // namespace

bool HighContrast() {
  if (!current) current = SystemSetting();
  return *current;
}

bool RereadHighContrast() {
  const bool before = HighContrast();
  current = SystemSetting();
  return *current != before;
}

void SetHighContrastOverride(std::optional<bool> on) { forced = on; }

}  // namespace fw
