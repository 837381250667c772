#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <limits>

#include "stream_fixture.hpp"
#include "suite_runtime.h"

namespace {

using Input = StreamTest;
using Output = StreamTest;

TEST_F(Input, IntegersSkipAnyWhiteSpaceAndLeaveTheTerminatorUnread) {
  feed("12 -7\n+3\t\v\f\r 0008");
  EXPECT_EQ(getint(), 12);
  EXPECT_EQ(getint(), -7);
  EXPECT_EQ(getint(), 3);
  EXPECT_EQ(getint(), 8);
  EXPECT_EQ(input_failed(), 0);

  feed("5\nab");
  EXPECT_EQ(getint(), 5);
  EXPECT_EQ(getch(), 10);
  EXPECT_EQ(getch(), 'a');
  EXPECT_EQ(getch(), 'b');
  EXPECT_EQ(input_failed(), 0);
  EXPECT_EQ(getch(), -1);
  EXPECT_EQ(input_failed(), 1);
}

TEST_F(Input, IntegersBeyond32BitsSaturateAsOnTheReferencePlatform) {
  feed(
      "2147483647 2147483648 4294967297 -2147483648 -2147483649 -9999999999 "
      "123456789012345678901234567890 -00000000000000000002147483648");
  EXPECT_EQ(getint(), INT_MAX);
  EXPECT_EQ(getint(), INT_MAX);
  EXPECT_EQ(getint(), INT_MAX);
  EXPECT_EQ(getint(), INT_MIN);
  EXPECT_EQ(getint(), INT_MIN);
  EXPECT_EQ(getint(), INT_MIN);
  EXPECT_EQ(getint(), INT_MAX);
  EXPECT_EQ(getint(), INT_MIN);
  EXPECT_EQ(input_failed(), 0);
}

TEST_F(Input, CharactersAreUnsignedBytesAndEndOfInputIsMinusOne) {
  feed(std::string("\xff\x00 ", 3));
  EXPECT_EQ(getch(), 255);
  EXPECT_EQ(getch(), 0);
  EXPECT_EQ(getch(), ' ');
  EXPECT_EQ(input_failed(), 0);
  EXPECT_EQ(getch(), -1);
  EXPECT_EQ(getch(), -1);
  EXPECT_EQ(input_failed(), 1);
}

TEST_F(Input, FailedReadsGiveZeroAndLeaveTheMismatchUnread) {
  feed("  x7");
  EXPECT_EQ(getint(), 0);
  EXPECT_EQ(input_failed(), 1);
  EXPECT_EQ(getch(), 'x');
  EXPECT_EQ(getint(), 7);

  feed("");
  EXPECT_EQ(getint(), 0);
  EXPECT_EQ(input_failed(), 1);
  feed(" \n");
  EXPECT_EQ(getfloat(), 0.0f);
  EXPECT_EQ(input_failed(), 1);
}

TEST_F(Input, FloatsInEveryFormRoundToSinglePrecision) {
  feed("1.5 0x1.8p+0 -2.5e0 0.1 1e-45 1e39 -0 INF nan 3");
  EXPECT_EQ(getfloat(), 1.5f);
  EXPECT_EQ(getfloat(), 1.5f);
  EXPECT_EQ(getfloat(), -2.5f);
  EXPECT_EQ(getfloat(), 0.1f);
  EXPECT_EQ(getfloat(), FLT_TRUE_MIN);
  EXPECT_EQ(getfloat(), std::numeric_limits<float>::infinity());
  float negative_zero = getfloat();
  EXPECT_EQ(negative_zero, 0.0f);
  EXPECT_TRUE(std::signbit(negative_zero));
  EXPECT_EQ(getfloat(), std::numeric_limits<float>::infinity());
  EXPECT_TRUE(std::isnan(getfloat()));
  EXPECT_EQ(getint(), 3);
  EXPECT_EQ(input_failed(), 0);
}

TEST_F(Input, ArraysReadTheirCountThenTheElements) {
  int a[4] = {9, 9, 9, 9};
  feed("3 1 2 3 42");
  EXPECT_EQ(getarray(a), 3);
  EXPECT_EQ(a[0], 1);
  EXPECT_EQ(a[1], 2);
  EXPECT_EQ(a[2], 3);
  EXPECT_EQ(a[3], 9);
  EXPECT_EQ(getint(), 42);

  feed("0 5");
  EXPECT_EQ(getarray(a), 0);
  EXPECT_EQ(getint(), 5);

  feed("-2 6");
  EXPECT_EQ(getarray(a), -2);
  EXPECT_EQ(getint(), 6);

  float f[3] = {};
  feed("2 0x1p-1 -3.0");
  EXPECT_EQ(getfarray(f), 2);
  EXPECT_EQ(f[0], 0.5f);
  EXPECT_EQ(f[1], -3.0f);
  EXPECT_EQ(input_failed(), 0);
}

TEST_F(Input, AnArrayCutShortStoresZerosAndRaisesTheFlag) {
  int a[3] = {9, 9, 9};
  feed("3 7");
  EXPECT_EQ(getarray(a), 3);
  EXPECT_EQ(a[0], 7);
  EXPECT_EQ(a[1], 0);
  EXPECT_EQ(a[2], 0);
  EXPECT_EQ(input_failed(), 1);
}

TEST_F(Output, IntegersAndCharacters) {
  putint(INT_MIN);
  putch(' ');
  putint(0);
  putint(50);
  putint(40);
  putch(321);   // low 8 bits: 'A'
  putch(-246);  // low 8 bits: '\n'
  EXPECT_EQ(written(), "-2147483648 05040A\n");
}

TEST_F(Output, FloatsInHexadecimalNotation) {
  const float values[] = {1.0f,
                          0.5f,
                          3.0f,
                          0.0f,
                          -2.5f,
                          0.1f,
                          -0.0f,
                          FLT_TRUE_MIN,
                          FLT_MAX,
                          std::numeric_limits<float>::infinity(),
                          -std::numeric_limits<float>::infinity()};
  for (float v : values) {
    putfloat(v);
    putch(' ');
  }
  EXPECT_EQ(written(),
            "0x1p+0 0x1p-1 0x1.8p+1 0x0p+0 -0x1.4p+1 0x1.99999ap-4 -0x0p+0 0x1p-149 "
            "0x1.fffffep+127 inf -inf ");
}

TEST_F(Output, NotANumberPrintsItsSign) {
  putfloat(std::numeric_limits<float>::quiet_NaN());
  putch(' ');
  putfloat(-std::numeric_limits<float>::quiet_NaN());
  EXPECT_EQ(written(), "nan -nan");
}

TEST_F(Output, ArraysAndInterleavingWithFormattedOutput) {
  int a[3] = {4, -5, 6};
  float f[2] = {1.0f, -0.5f};
  putarray(3, a);
  putarray(0, a);
  putfarray(2, f);
  putfarray(0, f);
  putint(1);
  putf("<%s %d>", "x", 2);
  putch('y');
  putfloat(2.0f);
  EXPECT_EQ(written(), "3: 4 -5 6\n0:\n2: 0x1p+0 -0x1p-1\n0:\n1<x 2>y0x1p+1");
}

}  // namespace
