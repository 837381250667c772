// The counting and recursion routines on arguments their programs do not
// pass, against direct computations.
#define main modular_inverse_main
#include "algorithms/modular_inverse.cpp"
#undef main
#define main integer_sqrt_main
#include "algorithms/integer_sqrt.cpp"
#undef main
#define main stair_ways_main
#include "algorithms/stair_ways.cpp"
#undef main
#define main grid_paths_main
#include "algorithms/grid_paths.cpp"
#undef main
#define main divisor_sum_main
#include "algorithms/divisor_sum.cpp"
#undef main
#define main gcd_loop_main
#include "algorithms/gcd_loop.cpp"
#undef main

#include <gtest/gtest.h>

#include <cstdint>
#include <numeric>

namespace {

TEST(Exgcd, CoefficientsSatisfyBezout) {
  for (int a = 1; a < 60; ++a)
    for (int b = 1; b < 60; ++b) {
      int x[1] = {1}, y[1] = {1};
      int g = exgcd(a, b, x, y);
      ASSERT_EQ(g, std::gcd(a, b)) << a << " " << b;
      ASSERT_EQ(a * x[0] + b * y[0], g) << a << " " << b;
    }
  int x[1] = {1}, y[1] = {1};
  exgcd(7, 15, x, y);
  EXPECT_EQ(x[0], -2);
  EXPECT_EQ(y[0], 1);
}

TEST(Fsqrt, StartValuesAndStatedArgument) {
  EXPECT_EQ(fsqrt(0), 0);
  EXPECT_EQ(fsqrt(1), 0);
  EXPECT_EQ(fsqrt(400), 20);
  EXPECT_EQ(fsqrt(10000), 100);
}

TEST(ClimbStairs, FollowsTheFibonacciNumbers) {
  int ways[10] = {0, 1, 2, 3, 5, 8, 13, 21, 34, 55};
  for (int n = 0; n < 10; ++n) EXPECT_EQ(climbStairs(n), ways[n]) << n;
}

TEST(UniquePaths, BinomialCounts) {
  // (m + n - 2) choose (m - 1).
  const int want[4][4] = {{0, 0, 0, 0}, {0, 1, 1, 1}, {0, 1, 2, 3}, {0, 1, 3, 6}};
  for (int m = 1; m <= 3; ++m)
    for (int n = 1; n <= 3; ++n) EXPECT_EQ(uniquePaths(m, n), want[m][n]) << m << " by " << n;
}

TEST(Factor, SumsEveryDivisor) {
  for (int n = 1; n < 300; ++n) {
    int sum = 0;
    for (int d = 1; d <= n; ++d)
      if (n % d == 0) sum += d;
    ASSERT_EQ(factor(n), sum) << n;
  }
  EXPECT_EQ(factor(1478), 2220);
}

TEST(Fun, GreatestCommonDivisorForPositiveSecondValues) {
  for (int m = 0; m < 80; ++m)
    for (int n = 1; n < 80; ++n) ASSERT_EQ(fun(m, n), std::gcd(m, n)) << m << " " << n;
  EXPECT_EQ(fun(12, 0), 12);
  EXPECT_EQ(fun(12, -8), 12);
  EXPECT_EQ(fun(lang::int_min, -1), lang::int_min);
}

}  // namespace
