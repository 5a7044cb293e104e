// The three power-of-ten tables hold the extended value nearest to each exact
// power, checked against exact big-integer arithmetic.
#include <gtest/gtest.h>

#include "core/power_of_ten.h"
#include "exact_model.h"

namespace {

void ExpectNearest(long double entry, unsigned k) {
  const model::Value exact = model::NearestPowerOfTen(k);
  EXPECT_TRUE(model::FromExtended(entry) == exact) << "10^" << k;
}

TEST(PowerOfTenTables, EveryEntryIsTheNearestExtendedValue) {
  const auto small = core::PowersOfTenSmall();
  for (unsigned i = 0; i < small.size(); ++i) ExpectNearest(small[i], i);
  const auto medium = core::PowersOfTenMedium();
  for (unsigned i = 0; i < medium.size(); ++i) ExpectNearest(medium[i], 32 * (i + 1));
  const auto large = core::PowersOfTenLarge();
  for (unsigned i = 0; i < large.size(); ++i) ExpectNearest(large[i], 512 * (i + 1));
}

TEST(PowerOfTenTables, ScalingSplitsTheExponentInThreeSteps) {
  // 10^1000 = 10^8 * 10^480 * 10^512, each product rounded to 64 bits.
  model::Value expected = model::Multiply(model::Multiply(model::NearestPowerOfTen(8), model::NearestPowerOfTen(480)),
                                          model::NearestPowerOfTen(512));
  EXPECT_TRUE(model::FromExtended(core::ScaleByPowerOfTen(1.0L, 1000)) == expected);
  model::Value down = model::Divide(model::Divide(model::Integer(3), model::NearestPowerOfTen(8)), model::NearestPowerOfTen(480));
  down = model::Divide(down, model::NearestPowerOfTen(512));
  EXPECT_TRUE(model::FromExtended(core::ScaleByPowerOfTen(3.0L, -1000)) == down);
  EXPECT_EQ(core::ScaleByPowerOfTen(2.5L, 0), 2.5L);
  EXPECT_EQ(core::ScaleByPowerOfTen(2.5L, 5120), std::numeric_limits<long double>::infinity());
  EXPECT_EQ(core::ScaleByPowerOfTen(2.5L, -5120), 0);
}

}  // namespace
