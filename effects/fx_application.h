#pragma once
// TFxApplication: the effect library's one process-wide service object.
// It is made before the application object and any window (InitFxLibrary is
// the first thing the program entry calls) and lives until process end.
// It holds the single-instance mutex probe and the checkerboard pattern that
// the hssTracing shadows are drawn with.
#include <windows.h>

#include <string>
#include <string_view>

#include "graphics/color.h"
#include "graphics/gdi.h"

namespace fx {

class TFxApplication {
 public:
  // Probes the mutex named after the running executable's file name.
  TFxApplication();
  // The same probe under another name (tests, tools).
  explicit TFxApplication(const std::wstring& mutexName);
  TFxApplication(const TFxApplication&) = delete;
  TFxApplication& operator=(const TFxApplication&) = delete;
  // Closes the mutex handle.
  ~TFxApplication();

  // True when the mutex already existed when this object probed it: another
  // copy of the program is running. Computed once, never refreshed.
  bool PreviousInstance() const { return previousInstance_; }
  const std::wstring& MutexName() const { return mutexName_; }
  // The probe's handle (null when the probe failed); owned by this object.
  HANDLE MutexHandle() const { return mutex_; }

  // An 8 x 8 bitmap, white where x + y is even and `color` where it is odd.
  // Built once per colour; owned by this object and valid until the next
  // call with another colour.
  HBITMAP CheckerboardPattern(fw::TColor color);
  // How often the pattern has been (re)built, for cache checks.
  int PatternBuilds() const { return patternBuilds_; }

 private:
  void Probe();

  std::wstring mutexName_;
  HANDLE mutex_ = nullptr;
  bool previousInstance_ = false;
  fw::GdiBitmap pattern_;
  fw::TColor patternColor_ = 0x1FFFFFFF;  // equals no colour value
  int patternBuilds_ = 0;
};

// Everything after the last backslash or colon of a path, as it is.
std::wstring FileNamePart(std::wstring_view path);
// The running executable's file name (with extension, letters as reported).
std::wstring ExecutableFileName();

// The service object, made on first use and destroyed at process end.
TFxApplication& FxApplication();
// Library initialisation: makes the service object now (first thing in the
// program entry, before the application object and any window).
void InitFxLibrary();

}  // namespace fx
