#pragma once
// Every live GDI object and DC of the framework's wrappers, and the bound
// windows: equal snapshots mean nothing was left behind.
#include <gtest/gtest.h>

#include "framework/window_binding.h"
#include "graphics/gdi.h"

namespace fwtest {

struct Resources {
  long gdi[static_cast<int>(fw::GdiKind::Count_)];
  long windows;
  static Resources Now() {
    Resources r{};
    for (int k = 0; k < static_cast<int>(fw::GdiKind::Count_); ++k)
      r.gdi[k] = fw::GdiCounters::Live(static_cast<fw::GdiKind>(k));
    r.windows = fw::LiveBoundWindows();
    return r;
  }
};

inline void ExpectSame(const Resources& before, const Resources& after) {
  for (int k = 0; k < static_cast<int>(fw::GdiKind::Count_); ++k)
    EXPECT_EQ(after.gdi[k], before.gdi[k]) << "GDI kind " << k;
  EXPECT_EQ(after.windows, before.windows);
}

}  // namespace fwtest
