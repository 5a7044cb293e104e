#pragma once
// The one place where a C++ exception stops before it could cross a Windows
// callback: window procedures, subclass hooks, timer, idle and thread
// hand-over calls all run their work through Guarded(), which hands any
// exception to the application's error display and returns the fallback.
#include <type_traits>
#include <utility>

namespace fw {

class TObject;

// Shows the exception being handled (call only inside a catch block).
void ReportCurrentException(TObject* sender) noexcept;

template <class F, class R = std::invoke_result_t<F>>
R Guarded(F&& work, R fallback, TObject* sender = nullptr) noexcept {
  try {
    return std::forward<F>(work)();
  } catch (...) {
    ReportCurrentException(sender);
    return fallback;
  }
}

template <class F>
void GuardedVoid(F&& work, TObject* sender = nullptr) noexcept {
  try {
    std::forward<F>(work)();
  } catch (...) {
    ReportCurrentException(sender);
  }
}

}  // namespace fw
