#include "effects/fx_sys_info.h"

#include <windows.h>

namespace fx {

int TFxSysInfo::IntegerFact(int number) const {
  switch (number) {
    case 10: return GetSystemMetrics(SM_CXSCREEN);
    case 11: return GetSystemMetrics(SM_CYSCREEN);
    default: return 0;
  }
}

}  // namespace fx
