// The digit routines on arguments their programs do not pass themselves.
#define main base_two_digits_main
#include "text/base_two_digits.cpp"
#undef main
#define main palindrome_number_main
#include "text/palindrome_number.cpp"
#undef main

#include <gtest/gtest.h>

namespace {

TEST(Dec2bin, DigitsReadAsDecimal) {
  EXPECT_EQ(dec2bin(0), 0);
  EXPECT_EQ(dec2bin(1), 1);
  EXPECT_EQ(dec2bin(400), 110010000);
  EXPECT_EQ(dec2bin(1023), 1111111111);
  // Negative remainders give negated digits.
  EXPECT_EQ(dec2bin(-2), -10);
  EXPECT_EQ(dec2bin(-5), -101);
}

TEST(Palindrome, LooksAtTheLastFourDigitsOnly) {
  EXPECT_EQ(palindrome(1221), 1);
  EXPECT_EQ(palindrome(51221), 1);
  EXPECT_EQ(palindrome(0), 1);
  // 123 has the digits 3, 2, 1, 0.
  EXPECT_EQ(palindrome(123), 0);
  EXPECT_EQ(palindrome(1231), 0);
  EXPECT_EQ(palindrome(-1221), 1);
}

}  // namespace
