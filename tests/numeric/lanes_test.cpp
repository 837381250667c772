#include "numeric/lanes.hpp"

#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <random>
#include <vector>

#include "float_bits.hpp"
#include "lang/float.hpp"
#include "numeric/float_helpers.hpp"

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

// Angles for the shared helpers: the rays' range and well beyond it (both
// folds, the turn reduction, saturated turn counts), the edges, and NaN.
std::vector<float> helper_arguments() {
  std::vector<float> v = {0.0f,
                          -0.0f,
                          1e-7f,
                          -1e-7f,
                          -6.0f,
                          -6.1f,
                          -3.0f,
                          -3.05f,
                          6.2832f,
                          3.14159f,
                          1e30f,
                          -1e30f,
                          3e38f,
                          1e13f,
                          -1e13f,
                          1.5707964f,
                          lang::default_nan,
                          -lang::default_nan};
  std::mt19937 gen(12);
  std::uniform_real_distribution<float> angles(-1000.0f, 1000.0f);
  for (int i = 0; i < 60000; i++) v.push_back(i < 30000 ? angles(gen) : (i - 30000) / 4000.0f);
  return v;
}
#endif

// The sine as first written, recursive with plain branches, one rounding per
// operation (lang::): the helpers' loop form must give its bits.
float recursive_sin_impl(float x) {
  if (!(float_helpers::my_fabs(x) > float_helpers::sine_cutoff)) return x;
  return float_helpers::p(recursive_sin_impl(lang::div(x, 3.0f)));
}

float recursive_sin(float x) {
  using float_helpers::two_pi;
  if (x > two_pi || x < -6.0f) {
    int k = lang::to_int(lang::div(x, two_pi));
    x = lang::sub(x, lang::mul(lang::to_float(k), two_pi));
  }
  if (x > float_helpers::pi) x = lang::sub(x, two_pi);
  if (x < -3.0f) x = lang::add(x, two_pi);
  return recursive_sin_impl(x);
}

TEST(Lanes, TheSineLoopsAreTheRecursion) {
  std::mt19937 gen(5);
  std::uniform_real_distribution<float> angles(-1000.0f, 1000.0f);
  const float specials[] = {0.0f, -0.0f, 1e-7f, -6.0f, -6.1f, -3.0f, -3.05f, 1e30f, -1e30f, 3e38f};
  for (float a : specials) EXPECT_EQ(bits(float_helpers::my_sin(a)), bits(recursive_sin(a))) << a;
  for (int i = 0; i < 100000; i++) {
    float a = angles(gen);
    ASSERT_EQ(bits(float_helpers::my_sin(a)), bits(recursive_sin(a))) << a;
  }
  EXPECT_EQ(bits(float_helpers::my_sin(-lang::default_nan)), bits(-lang::default_nan));
}

TEST(Lanes, SquareRootOfZeroIsHalfHalvedTenTimes) {
  EXPECT_EQ(bits(float_helpers::newton_sqrt(0.0f)), bits(0x1p-11f));
}

#if LANES_AVAILABLE
// Each helper in lanes against the plain one on every lane's own value, with
// the values spread so that every lane position sees every kind of argument.
TEST(Lanes, SharedHelpersMatchThePlainOnesInEveryLane) {
  const std::vector<float> args = helper_arguments();
  constexpr int width = lanes::count<Lanes>;
  for (std::size_t start = 0; start + width <= args.size(); start += width - 1) {
    Lanes x = 0.0f;
    for (int i = 0; i < width; i++) lanes::set_lane(x, i, args[start + i]);
    const Lanes s = float_helpers::my_sin(x);
    const Lanes c = float_helpers::my_cos(x);
    const Lanes f = float_helpers::my_fabs(x);
    const Lanes t = float_helpers::p(x);
    const Lanes r = float_helpers::newton_sqrt(f);
    for (int i = 0; i < width; i++) {
      const float a = args[start + i];
      ASSERT_EQ(bits(lanes::lane(s, i)), bits(float_helpers::my_sin(a))) << "sin " << a;
      ASSERT_EQ(bits(lanes::lane(c, i)), bits(float_helpers::my_cos(a))) << "cos " << a;
      ASSERT_EQ(bits(lanes::lane(f, i)), bits(float_helpers::my_fabs(a))) << "fabs " << a;
      // p alone leaves a NaN's sign to the caller's redo_nan_lanes.
      if (!lang::is_nan(float_helpers::p(a))) {
        ASSERT_EQ(bits(lanes::lane(t, i)), bits(float_helpers::p(a))) << "p " << a;
      }
      ASSERT_EQ(bits(lanes::lane(r, i)),
                bits(float_helpers::newton_sqrt(float_helpers::my_fabs(a))))
          << "sqrt " << a;
    }
  }
}

// A lane whose result is a NaN is computed again by the plain routine,
// whatever the other lanes hold: inf - inf gives the reference platform's
// positive NaN, not this processor's negative one, and NaN arguments come
// back as the plain routine returns them.
TEST(Lanes, NaNLanesAreRedoneByThePlainRoutine) {
  Lanes x = 0.5f;
  lanes::set_lane(x, 3, inf);
  lanes::set_lane(x, 7, -lang::default_nan);
  lanes::set_lane(x, 23, 3e38f);
  const Lanes r = lanes::redo_nan_lanes(float_helpers::p(x), x, float_helpers::p<float>);
  for (int i = 0; i < lanes::count<Lanes>; i++) {
    const std::uint32_t expected = i == 3 || i == 23 ? 0x7fc00000u
                                   : i == 7          ? 0xffc00000u
                                                     : bits(1.0f);
    EXPECT_EQ(bits(lanes::lane(r, i)), expected) << i;
    EXPECT_EQ(bits(lanes::lane(r, i)), bits(float_helpers::p(lanes::lane(x, i)))) << i;
  }
}
#endif

}  // namespace
