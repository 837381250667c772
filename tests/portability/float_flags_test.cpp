// Each test computes, at run time, a value that a wrong float setting changes:
// fused multiply-add, wider intermediates, flushed subnormals, reordered sums.
// They fail under -ffast-math, -ffp-contract=fast on FMA hardware, x87 maths
// or a NEON build, the settings that would make programs print other bits.
#include <gtest/gtest.h>

#include <bit>
#include <cstdint>

#include "lang/single.hpp"

namespace {

// Where the float unit keeps excess precision (the x87, m68k) no flag makes a
// plain operator round to single precision: the programs round each operation
// through lang/single.hpp instead, which lang.single_rounding tests.
#define SKIP_WHERE_EXCESS_PRECISION()                                                   \
  if (LANG_EXCESS_PRECISION)                                                            \
  GTEST_SKIP() << "this float unit keeps excess precision in plain expressions; lang/ " \
                  "rounds each operation"

// Opaque to the optimiser, so nothing is folded at compile time.
[[gnu::noinline]] float opaque(float x) {
  volatile float v = x;
  return v;
}

std::uint32_t bits(float f) {
  return std::bit_cast<std::uint32_t>(f);
}

TEST(FloatFlags, MultiplyThenAddRoundsTwice) {
  SKIP_WHERE_EXCESS_PRECISION();
  // a * a is 1 + 2^-12 + 2^-26; rounded to single precision the 2^-26 goes,
  // so adding c gives 0. One fused rounding would keep 2^-26.
  float a = opaque(0x1.0008p+0f);
  float c = opaque(-0x1.001p+0f);
  float r = a * a + c;
  EXPECT_EQ(bits(r), bits(0.0f));

  float x[4], y[4], acc = opaque(-0x1.001p+0f);
  for (int i = 0; i < 4; i++) x[i] = y[i] = opaque(i == 2 ? 0x1.0008p+0f : 0.0f);
  for (int i = 0; i < 4; i++) acc = acc + x[i] * y[i];
  EXPECT_EQ(bits(acc), bits(0.0f));
}

TEST(FloatFlags, EveryOperationRoundsToSinglePrecision) {
  SKIP_WHERE_EXCESS_PRECISION();
  // 100000001 is not a float: with single-precision intermediates the 1 is
  // lost before the subtraction; wider ones would keep it.
  float big = opaque(1e8f), one = opaque(1.0f);
  EXPECT_EQ(bits((big + one) - big), bits(0.0f));
  float third = opaque(1.0f) / opaque(3.0f);
  EXPECT_EQ(bits(third), 0x3eaaaaabu);
}

TEST(FloatFlags, SubnormalsAreNeitherFlushedNorTreatedAsZero) {
  float smallest_normal = opaque(0x1p-126f);
  EXPECT_EQ(bits(smallest_normal * opaque(0.5f)), 0x00400000u);
  float tiniest = opaque(0x1p-149f);
  EXPECT_EQ(bits(tiniest + tiniest), 0x00000002u);
  EXPECT_TRUE(tiniest > opaque(0.0f));
}

TEST(FloatFlags, LoopSumsAddInTheWrittenOrder) {
  SKIP_WHERE_EXCESS_PRECISION();
  // In order, each 1.0 is lost against 1e8 and the total is 0; any
  // reassociation (vector lanes, partial sums) lets some of them survive.
  float v[20];
  v[0] = opaque(1e8f);
  for (int i = 1; i < 19; i++) v[i] = opaque(1.0f);
  v[19] = opaque(-1e8f);
  float sum = 0.0f;
  for (float f : v) sum = sum + f;
  EXPECT_EQ(bits(sum), bits(0.0f));
}

}  // namespace
