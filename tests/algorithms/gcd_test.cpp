// The two functions named gcd: Euclid's recursion of gcd_pairs and the least
// common multiple of lcm_status, each compiled from its program in its own
// namespace (they share the name).
#include "lang/arith.hpp"
#include "lang/reject.hpp"
#include "suite_runtime.h"

namespace pairs {
#define main gcd_pairs_main
#include "algorithms/gcd_pairs.cpp"
#undef main
}  // namespace pairs

namespace lcm {
#define main lcm_status_main
#include "algorithms/lcm_status.cpp"
#undef main
}  // namespace lcm

#include <gtest/gtest.h>

#include <numeric>

namespace {

TEST(GcdPairs, MatchesStdGcdWithRemainderSigns) {
  for (int m = 0; m < 70; ++m)
    for (int n = 0; n < 70; ++n) ASSERT_EQ(pairs::gcd(m, n), std::gcd(m, n)) << m << " " << n;
  // Remainders take the dividend's sign, and so does the result.
  EXPECT_EQ(pairs::gcd(-12, 18), 6);
  EXPECT_EQ(pairs::gcd(12, -18), -6);
  EXPECT_EQ(pairs::gcd(lang::int_min, -1), -1);
  EXPECT_EQ(pairs::gcd(lang::int_min, 0), lang::int_min);
}

TEST(LcmStatus, GcdReturnsTheLeastCommonMultiple) {
  for (int m = 1; m < 70; ++m)
    for (int n = 1; n < 70; ++n) ASSERT_EQ(lcm::gcd(m, n), std::lcm(m, n)) << m << " " << n;
  EXPECT_EQ(lcm::gcd(-4, 6), -12);
  // The product wraps, then divides by -1 without a trap.
  EXPECT_EQ(lcm::gcd(lang::int_min, -1), lang::int_min);
}

}  // namespace
