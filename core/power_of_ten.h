#pragma once
// Scaling by powers of ten with three tables of extended constants, the way
// parsing and the decimal form need it (every step rounded to 64 bits).
#include <span>

namespace core {

// 10^0 .. 10^31, 10^32 .. 10^480 in steps of 32, 10^512 .. 10^4608 in steps of 512;
// each entry is the extended value nearest to the exact power.
std::span<const long double, 32> PowersOfTenSmall();
std::span<const long double, 15> PowersOfTenMedium();
std::span<const long double, 9> PowersOfTenLarge();

// x times ten to the power n, under a 64-bit significand and round to nearest.
long double ScaleByPowerOfTen(long double x, int n);

namespace detail {
// The same, for callers that already hold an FpuControlGuard.
long double ScaleByPowerOfTenUnguarded(long double x, int n);
}  // namespace detail

}  // namespace core
