#pragma once
// What the window tests share beyond the support library: the application
// object's title, and a recorder of handler calls to compare with expected
// sequences.
#include <string>
#include <vector>

#include "tests/support/app.h"

namespace fwtest {

inline const AppSetup kAppSetup{L"Window tests"};

struct Recorder {
  std::vector<std::wstring> calls;
  void operator()(const std::wstring& s) { calls.push_back(s); }
  void Clear() { calls.clear(); }
};

}  // namespace fwtest
