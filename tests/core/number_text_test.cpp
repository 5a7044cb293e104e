#include <gtest/gtest.h>
#include "core/number_text.h"

TEST(FormatSettingsTest, DefaultsAreFullStopAndComma) {
  core::FormatSettings s;
  EXPECT_EQ(s.decimalSeparator, L'.');
  EXPECT_EQ(s.thousandSeparator, L',');
}
