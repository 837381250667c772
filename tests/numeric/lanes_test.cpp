#include "image/lanes.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>

#include "lang/float.hpp"

#include "float_bits.hpp"

namespace {

using namespace float_bits;

// The integer conversion's edges: fractions both ways, the 2^23 and 2^31
// boundaries, saturation, infinities, NaN (to 0) and the signed zero.
const float truncation_cases[] = {
    0.0f,
    -0.0f,
    0.5f,
    -0.5f,
    1.0f,
    -1.5f,
    2.999999f,
    -2.999999f,
    0x1p23f - 0.5f,
    -0x1p23f + 0.5f,
    0x1p23f,
    0x1p23f + 2.0f,
    0x1p31f,
    -0x1p31f,
    0x1p31f - 128.0f,
    -0x1p31f + 128.0f,
    0x1p31f + 256.0f,
    -0x1p31f - 256.0f,
    1e30f,
    -1e30f,
    inf,
    -inf,
    lang::default_nan,
    -lang::default_nan,
};

TEST(Lanes, PlainTruncationIsTheIntegerConversion) {
  EXPECT_EQ(bits(lanes::truncated(-0.5f)), bits(0.0f));
  EXPECT_EQ(lanes::truncated(-1.5f), -1.0f);
  EXPECT_EQ(lanes::truncated(1e30f), 0x1p31f);  // INT_MAX, rounded to float
  EXPECT_EQ(lanes::truncated(-inf), -0x1p31f);
  EXPECT_EQ(bits(lanes::truncated(lang::default_nan)), bits(0.0f));
}

#if LANES_AVAILABLE
using Lanes = lanes::Floats<6>;

TEST(Lanes, TruncationMatchesThePlainOneInEveryLane) {
  constexpr int n = sizeof truncation_cases / sizeof truncation_cases[0];
  static_assert(n == lanes::count<Lanes>);
  Lanes q = 0.0f;
  for (int i = 0; i < n; i++) lanes::set_lane(q, i, truncation_cases[i]);
  Lanes r = lanes::truncated(q);
  for (int i = 0; i < n; i++)
    EXPECT_EQ(bits(lanes::lane(r, i)), bits(lanes::truncated(truncation_cases[i])))
        << truncation_cases[i];
}

// Broadcasts copy the bits (a sum with zero would turn -0.0 into +0.0);
// select and any see each lane on its own, the last lane included.
TEST(Lanes, BroadcastSelectAndAnyWorkPerLane) {
  Lanes minus_zero = -0.0f;
  for (int i = 0; i < lanes::count<Lanes>; i++)
    EXPECT_EQ(bits(lanes::lane(minus_zero, i)), 0x80000000u);

  Lanes index = 0.0f;
  for (int i = 0; i < lanes::count<Lanes>; i++) lanes::set_lane(index, i, static_cast<float>(i));
  Lanes picked = lanes::select(index < Lanes(10.0f), index, Lanes(-1.0f));
  for (int i = 0; i < lanes::count<Lanes>; i++)
    EXPECT_EQ(lanes::lane(picked, i), i < 10 ? static_cast<float>(i) : -1.0f);

  EXPECT_FALSE(lanes::any(index > Lanes(23.0f)));
  EXPECT_TRUE(lanes::any(index > Lanes(22.0f)));
  EXPECT_TRUE(lanes::any((index != index) | (index < Lanes(1.0f))));
  EXPECT_FALSE(lanes::any(!(index >= Lanes(0.0f))));
  EXPECT_FALSE(lanes::any((index > Lanes(5.0f)) & (index < Lanes(6.0f))));
}
#endif

}  // namespace
