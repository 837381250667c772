#include "numeric/float_helpers.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>

#include "float_bits.hpp"

namespace {

using namespace float_bits;

using namespace float_helpers;

TEST(FloatHelpers, AbsoluteValueSubtractsFromZero) {
  EXPECT_EQ(bits(my_fabs(-2.5f)), bits(2.5f));
  EXPECT_EQ(bits(my_fabs(2.5f)), bits(2.5f));
  EXPECT_EQ(bits(my_fabs(0.0f)), 0u);
  EXPECT_EQ(bits(my_fabs(-0.0f)), 0u);  // a sign flip would give 0x80000000
  // A NaN keeps its sign, as the reference platform's 0 - x passes it on.
  volatile std::uint32_t negative_nan = 0xffc00000u;
  EXPECT_EQ(bits(my_fabs(std::bit_cast<float>(negative_nan))), 0xffc00000u);
}

struct Case {
  float x;
  std::uint32_t expected;
};

TEST(FloatHelpers, SineMatchesTheReferenceBits) {
  const Case cases[] = {
      {1.0f, 0x3F576AA4u},  {3.0f, 0x3E1081D0u},  {7.0f, 0x3F283045u},   {100.0f, 0xBF01A133u},
      {-6.0f, 0x3E8F0F8Fu}, {-6.1f, 0x3E3A88E3u}, {-3.05f, 0xBDBB51E0u}, {1.5707964f, 0x3F800000u},
  };
  for (const Case& c : cases) EXPECT_EQ(bits(my_sin(c.x)), c.expected) << "my_sin(" << c.x << ")";
}

TEST(FloatHelpers, CosineIsTheSineOfTheShiftedAngle) {
  EXPECT_EQ(bits(my_cos(0.0f)), 0x3F800000u);
  EXPECT_EQ(bits(my_cos(1.5707964f)), 0xB5000000u);  // -2^-21, not zero
}

// -6.0 is not below the reduction bound and -3.05 is below the fold bound: both
// are folded by adding two pi, where bounds of -two pi and -pi would not fold.
TEST(FloatHelpers, FoldBoundsAreSixAndThree) {
  EXPECT_EQ(bits(my_sin(-6.0f)), bits(my_sin_impl(-6.0f + two_pi)));
  EXPECT_EQ(bits(my_sin(-6.1f)), bits(my_sin_impl(-6.1f + two_pi)));
  EXPECT_EQ(bits(my_sin(-3.05f)), bits(my_sin_impl(-3.05f + two_pi)));
  EXPECT_EQ(bits(my_sin(-2.95f)), bits(my_sin_impl(-2.95f)));
}

TEST(FloatHelpers, TinyArgumentsAreTheirOwnSine) {
  EXPECT_EQ(bits(my_sin_impl(sine_cutoff)), bits(sine_cutoff));
  EXPECT_EQ(bits(my_sin_impl(-sine_cutoff)), bits(-sine_cutoff));
  EXPECT_EQ(bits(my_sin_impl(-0.0f)), 0x80000000u);
}

TEST(FloatHelpers, TripleAngleStep) {
  EXPECT_EQ(p(0.5f), 1.0f);  // 1.5 - 0.5
  EXPECT_EQ(bits(p(0.0f)), 0u);
  EXPECT_EQ(bits(p(1e13f)), bits(-__builtin_inff()));
  EXPECT_EQ(bits(p(__builtin_inff())), 0x7fc00000u);  // inf - inf
}

TEST(FloatHelpers, NaNComesBackWithItsSign) {
  EXPECT_EQ(bits(my_sin(from_bits(0x7fc00000u))), 0x7fc00000u);
  EXPECT_EQ(bits(my_sin(from_bits(0xffc00000u))), 0xffc00000u);
  EXPECT_EQ(bits(my_cos(from_bits(0xffc00000u))), 0xffc00000u);
}

// Values from the independent model in reference.py. The turn count
// saturates for 1e30 and 3e38; the climb stays finite.
TEST(FloatHelpers, HugeArgumentsSaturateTheTurnCount) {
  EXPECT_EQ(bits(my_sin(1e30f)), bits(0x1.ddc766p-1f));
  EXPECT_EQ(bits(my_sin(-1e30f)), bits(-0x1.ddc766p-1f));
  EXPECT_EQ(bits(my_sin(3e38f)), bits(0x1.98360cp-3f));
  EXPECT_EQ(bits(my_cos(123456.0f)), bits(-0x1.5aca98p-1f));
}

}  // namespace
