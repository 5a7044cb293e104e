#pragma once
// Shared pieces of the hook and scrolling-text tests.
#include <gtest/gtest.h>

#include "tests/controls/scroll_hook_dialog.h"

namespace scroll_hook_test {

inline void ExpectSame(const Resources& before, const Resources& after) {
  for (int k = 0; k < static_cast<int>(fw::GdiKind::Count_); ++k)
    EXPECT_EQ(after.gdi[k], before.gdi[k]) << "GDI kind " << k;
  EXPECT_EQ(after.windows, before.windows);
}

}  // namespace scroll_hook_test
