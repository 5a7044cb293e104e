#pragma once
// The one application object of the test process, titled like the program.
#include "framework/application.h"

namespace apptest {

inline fw::TApplication& TestApplication() {
  static fw::TApplication* application = [] {
    auto* a = new fw::TApplication;  // lives until the process ends
    a->SetTitle(L"Converter");
    return a;
  }();
  return *application;
}

}  // namespace apptest
