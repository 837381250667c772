#include <gtest/gtest.h>

#include <bit>
#include <cstdint>
#include <limits>

#include "float_bits.hpp"
#include "lang/float.hpp"

namespace {

using namespace float_bits;

// Volatile operands keep the compiler from folding the invalid operations,
// so the processor's own NaN goes into the helpers.
TEST(FloatOps, InvalidOperationsGiveThePositiveQuietNaN) {
  volatile float zero = 0.0f;
  volatile float infinity = inf;
  EXPECT_EQ(bits(lang::fdiv(zero, zero)), 0x7fc00000u);
  EXPECT_EQ(bits(lang::fsub(infinity, infinity)), 0x7fc00000u);
  EXPECT_EQ(bits(lang::fadd(infinity, -infinity)), 0x7fc00000u);
  EXPECT_EQ(bits(lang::fmul(zero, infinity)), 0x7fc00000u);
  EXPECT_EQ(bits(lang::fmul(-infinity, zero)), 0x7fc00000u);
  EXPECT_EQ(bits(lang::fdiv(-infinity, infinity)), 0x7fc00000u);
}

TEST(FloatOps, FirstNaNOperandComesThrough) {
  float negative = from_bits(0xffc00001u);
  float positive = from_bits(0x7fc00002u);
  EXPECT_EQ(bits(lang::fadd(negative, positive)), 0xffc00001u);
  EXPECT_EQ(bits(lang::fadd(positive, negative)), 0x7fc00002u);
  EXPECT_EQ(bits(lang::fmul(2.0f, negative)), 0xffc00001u);
  EXPECT_EQ(bits(lang::fsub(negative, inf)), 0xffc00001u);
  EXPECT_EQ(bits(lang::fdiv(0.0f, negative)), 0xffc00001u);
}

TEST(FloatOps, SignallingNaNWinsAndIsQuieted) {
  float quiet = from_bits(0x7fc00000u);
  float signalling = from_bits(0xff800001u);
  EXPECT_EQ(bits(lang::fadd(quiet, signalling)), 0xffc00001u);
  EXPECT_EQ(bits(lang::fmul(signalling, 1.0f)), 0xffc00001u);
}

TEST(FloatOps, OrdinaryResultsAreUntouched) {
  volatile float a = 0.1f;
  volatile float b = 0.2f;
  EXPECT_EQ(bits(lang::fadd(a, b)), bits(a + b));
  EXPECT_EQ(bits(lang::fsub(a, b)), bits(a - b));
  EXPECT_EQ(bits(lang::fmul(a, b)), bits(a * b));
  EXPECT_EQ(bits(lang::fdiv(a, b)), bits(a / b));
  EXPECT_EQ(lang::fdiv(1.0f, 0.0f), inf);
  EXPECT_EQ(bits(lang::fsub(0.0f, 0.0f)), 0u);
  EXPECT_EQ(bits(lang::fmul(-1.0f, 0.0f)), 0x80000000u);
}

TEST(FloatOps, Classification) {
  EXPECT_TRUE(lang::is_finite(3.4e38f));
  EXPECT_FALSE(lang::is_finite(inf));
  EXPECT_FALSE(lang::is_finite(-inf));
  EXPECT_FALSE(lang::is_finite(lang::default_nan));
  EXPECT_TRUE(lang::is_nan(from_bits(0xff800001u)));
  EXPECT_FALSE(lang::is_nan(-inf));
}

}  // namespace
