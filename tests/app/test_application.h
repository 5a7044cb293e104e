#pragma once
// The application object of the test process is titled like the program.
#include "tests/support/app.h"

namespace apptest {

inline const fwtest::AppSetup kAppSetup{L"Converter"};

}  // namespace apptest
