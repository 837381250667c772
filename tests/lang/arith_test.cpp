#include "lang/arith.hpp"

#include <gtest/gtest.h>

#include <limits>

namespace {

using lang::int_max;
using lang::int_min;

TEST(Arith, WrapsAtBothEnds) {
  EXPECT_EQ(lang::add(int_max, 1), int_min);
  EXPECT_EQ(lang::sub(int_min, 1), int_max);
  EXPECT_EQ(lang::mul(65536, 65536), 0);
  EXPECT_EQ(lang::mul(int_min, -1), int_min);
  EXPECT_EQ(lang::mul(46341, 46341), -2147479015);
  EXPECT_EQ(lang::neg(int_min), int_min);
}

TEST(Arith, DivisionTruncatesAndRemainderFollowsTheDividend) {
  EXPECT_EQ(lang::div(7, 2), 3);
  EXPECT_EQ(lang::div(-7, 2), -3);
  EXPECT_EQ(lang::div(7, -2), -3);
  EXPECT_EQ(lang::rem(-3, 2), -1);
  EXPECT_EQ(lang::rem(3, -2), 1);
  EXPECT_EQ(lang::div(int_min, -1), int_min);
  EXPECT_EQ(lang::rem(int_min, -1), 0);
  EXPECT_EQ(lang::div(int_min, 1), int_min);
  EXPECT_EQ(lang::rem(int_min, 2), 0);
  EXPECT_EQ(lang::rem(int_min, 3), -2);
}

TEST(Arith, FloatToIntTruncatesAndSaturates) {
  EXPECT_EQ(lang::to_int(2.9f), 2);
  EXPECT_EQ(lang::to_int(-2.9f), -2);
  EXPECT_EQ(lang::to_int(-0.0f), 0);
  EXPECT_EQ(lang::to_int(2147483520.0f), 2147483520);  // largest float below 2^31
  EXPECT_EQ(lang::to_int(2147483648.0f), int_max);
  EXPECT_EQ(lang::to_int(3e9f), int_max);
  EXPECT_EQ(lang::to_int(-2147483648.0f), int_min);
  EXPECT_EQ(lang::to_int(-3e9f), int_min);
  EXPECT_EQ(lang::to_int(std::numeric_limits<float>::infinity()), int_max);
  EXPECT_EQ(lang::to_int(-std::numeric_limits<float>::infinity()), int_min);
  EXPECT_EQ(lang::to_int(std::numeric_limits<float>::quiet_NaN()), 0);
}

TEST(Arith, IntToFloatRoundsToNearest) {
  EXPECT_EQ(lang::to_float(100000006), 100000008.0f);
  EXPECT_EQ(lang::to_float(16777217), 16777216.0f);
  EXPECT_EQ(lang::to_float(int_min), -2147483648.0f);
}

}  // namespace
