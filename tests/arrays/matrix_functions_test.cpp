// The matrix functions shared by the float and int programs, on values where
// the order of operations, the rounding or the wrap-around shows.
#include <gtest/gtest.h>

#include "arrays/matrix_elementwise.hpp"
#include "arrays/matrix_multiply.hpp"

namespace {

constexpr float untouched = -7.5f;

TEST(MatrixMultiply, FloatSumsRoundLeftToRightAfterEachProduct) {
  float a0[3] = {4097.0f, 1.0f, 1.0f}, a1[3] = {1.0f, 1.0f, 1.0f}, a2[3] = {0.1f, 0.2f, 0.3f};
  float b0[3] = {4097.0f, 16777216.0f, 0.1f}, b1[3] = {1.0f, 1.0f, 0.2f},
        b2[3] = {1.0f, 1.0f, 0.3f};
  float c0[6] = {0, 0, 0, untouched, untouched, untouched}, c1[3], c2[3];
  EXPECT_EQ(mul(a0, a1, a2, b0, b1, b2, c0, c1, c2), 0);
  // Expected values from a float32 emulation. 4097 * 4097 rounds to 16785408
  // and each + 1 is lost again: a fused or wider evaluation gives 16785410 or
  // more. 2^24 + 1 + 1 left to right stays 2^24; grouped right it is 2^24 + 2.
  const float want[3][3] = {{0x1.002p+24f, 0x1.001p+36f, 0x1.9a3334p+8f},
                            {0x1.003p+12f, 0x1p+24f, 0x1.333334p-1f},
                            {0x1.9a3334p+8f, 0x1.9999a2p+20f, 0x1.1eb854p-3f}};
  const float* got[3] = {c0, c1, c2};
  for (int r = 0; r < 3; ++r)
    for (int j = 0; j < 3; ++j) EXPECT_EQ(got[r][j], want[r][j]) << "row " << r << " column " << j;
  for (int j = 3; j < 6; ++j) EXPECT_EQ(c0[j], untouched);
}

TEST(MatrixMultiply, IntProductsAndSumsWrap) {
  int a0[3] = {46341, 65536, 1}, a1[3] = {2147483647, 1, 0}, a2[3] = {-1, 0, 0};
  int b0[3] = {46341, 1, -2147483647 - 1}, b1[3] = {65536, 7, 0}, b2[3] = {7, 0, 0};
  int c0[6], c1[3], c2[3];
  EXPECT_EQ(mul(a0, a1, a2, b0, b1, b2, c0, c1, c2), 0);
  // Values from a wrapping emulation. 46341^2 = 2147488281 wraps to
  // -2147479015; 65536 * 65536 wraps to 0; 46341 * -2^31 and -1 * -2^31 wrap
  // to -2^31; (2^31 - 1) * 46341 + 65536 and (2^31 - 1) + 7 wrap past the top.
  const int want[3][3] = {{-2147479008, 505093, -2147483647 - 1},
                          {-2147464453, -2147483642, -2147483647 - 1},
                          {-46341, -1, -2147483647 - 1}};
  const int* got[3] = {c0, c1, c2};
  for (int r = 0; r < 3; ++r)
    for (int j = 0; j < 3; ++j) EXPECT_EQ(got[r][j], want[r][j]) << "row " << r << " column " << j;
}

TEST(MatrixTranspose, ReadsOnlyARowsAndWritesThreeColumns) {
  int a0[3] = {0, 1, 2}, a1[3] = {10, 11, 12}, a2[3] = {20, 21, 22};
  int c0[6] = {-1, -1, -1, -9, -9, -9}, c1[3], c2[3];
  // Null rows of B: any read of them would fault.
  EXPECT_EQ(tran<int>(a0, a1, a2, nullptr, nullptr, nullptr, c0, c1, c2), 0);
  const int* got[3] = {c0, c1, c2};
  const int* a[3] = {a0, a1, a2};
  for (int r = 0; r < 3; ++r)
    for (int k = 0; k < 3; ++k) EXPECT_EQ(got[r][k], a[k][r]) << "row " << r << " column " << k;
  for (int j = 3; j < 6; ++j) EXPECT_EQ(c0[j], -9);
}

TEST(MatrixAdd, LoopBoundIsTheGlobalM) {
  float a0[3] = {1, 2, 3}, a1[3] = {4, 5, 6}, a2[3] = {7, 8, 9};
  float b0[3] = {16777216.0f, 0.5f, 0}, b1[3] = {0.25f, -5, 0}, b2[3] = {1, 1, 0};
  float c0[6] = {0, 0, untouched, untouched, untouched, untouched};
  float c1[3] = {0, 0, untouched}, c2[3] = {0, 0, untouched};
  M = 2;
  EXPECT_EQ(add(a0, a1, a2, b0, b1, b2, c0, c1, c2), 0);
  M = 0;
  EXPECT_EQ(c0[0], 16777216.0f);  // 2^24 + 1 rounds back to 2^24
  EXPECT_EQ(c0[1], 2.5f);
  EXPECT_EQ(c1[0], 4.25f);
  EXPECT_EQ(c1[1], 0.0f);
  EXPECT_EQ(c2[0], 8.0f);
  EXPECT_EQ(c2[1], 9.0f);
  for (const float* row : {c0, c1, c2}) EXPECT_EQ(row[2], untouched);
  EXPECT_EQ(c0[3], untouched);

  int i0[3] = {2147483647, 0, 0}, i1[3] = {}, i2[3] = {};
  int j0[3] = {1, 0, 0}, j1[3] = {}, j2[3] = {};
  int k0[6] = {5, 5, 5}, k1[3] = {5, 5, 5}, k2[3] = {5, 5, 5};
  M = 1;
  add(i0, i1, i2, j0, j1, j2, k0, k1, k2);
  M = 0;
  EXPECT_EQ(k0[0], -2147483647 - 1);
  EXPECT_EQ(k0[1], 5);
}

TEST(MatrixSubtract, AlwaysThreeColumnsWhateverM) {
  int a0[3] = {-2147483647 - 1, 5, 0}, a1[3] = {1, 2, 3}, a2[3] = {0, 0, 2147483647};
  int b0[3] = {1, 7, 0}, b1[3] = {3, 2, 1}, b2[3] = {0, 0, -1};
  int c0[6] = {0, 0, 0, 42, 42, 42}, c1[3], c2[3];
  M = 0;
  EXPECT_EQ(sub(a0, a1, a2, b0, b1, b2, c0, c1, c2), 0);
  EXPECT_EQ(c0[0], 2147483647);  // wraps
  EXPECT_EQ(c0[1], -2);
  EXPECT_EQ(c1[0], -2);
  EXPECT_EQ(c1[2], 2);
  EXPECT_EQ(c2[2], -2147483647 - 1);  // wraps
  EXPECT_EQ(c0[3], 42);

  float f0[3] = {0.3f, 1, 16777216.0f}, f1[3] = {}, f2[3] = {};
  float g0[3] = {0.1f, 1, -1}, g1[3] = {}, g2[3] = {};
  float h0[6], h1[3], h2[3];
  sub(f0, f1, f2, g0, g1, g2, h0, h1, h2);
  EXPECT_EQ(h0[0], 0x1.99999cp-3f);  // 0.3f - 0.1f in single precision
  EXPECT_EQ(h0[1], 0.0f);
  EXPECT_EQ(h0[2], 16777216.0f);  // 2^24 + 1 is not representable
}

}  // namespace
