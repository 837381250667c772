// The product of two 3x3 matrices over one element type: nine row
// assignments with constant indices, each sum taken left to right.
#pragma once

#include "arrays/matrix_rows.hpp"

namespace {

template <typename T>
int mul(T a0[], T a1[], T a2[], T b0[], T b1[], T b2[], T c0[], T c1[], T c2[]) {
  c0[0] = plus(plus(times(a0[0], b0[0]), times(a0[1], b1[0])), times(a0[2], b2[0]));
  c0[1] = plus(plus(times(a0[0], b0[1]), times(a0[1], b1[1])), times(a0[2], b2[1]));
  c0[2] = plus(plus(times(a0[0], b0[2]), times(a0[1], b1[2])), times(a0[2], b2[2]));
  c1[0] = plus(plus(times(a1[0], b0[0]), times(a1[1], b1[0])), times(a1[2], b2[0]));
  c1[1] = plus(plus(times(a1[0], b0[1]), times(a1[1], b1[1])), times(a1[2], b2[1]));
  c1[2] = plus(plus(times(a1[0], b0[2]), times(a1[1], b1[2])), times(a1[2], b2[2]));
  c2[0] = plus(plus(times(a2[0], b0[0]), times(a2[1], b1[0])), times(a2[2], b2[0]));
  c2[1] = plus(plus(times(a2[0], b0[1]), times(a2[1], b1[1])), times(a2[2], b2[1]));
  c2[2] = plus(plus(times(a2[0], b0[2]), times(a2[1], b1[2])), times(a2[2], b2[2]));
  return 0;
}

template <typename T>
int matrix_multiply_main() {
  return matrix_main<T>(mul<T>, M, N);
}

}  // namespace
