// Transpose, sum and difference of 3x3 matrices over one element type. Each
// function takes the rows of A, of B and of the result C.
#pragma once

#include "arrays/matrix_rows.hpp"

namespace {

// Rows of B are passed but never read; the assignments run in this order.
template <typename T>
int tran(T a0[], T a1[], T a2[], T[], T[], T[], T c0[], T c1[], T c2[]) {
  c1[2] = a2[1];
  c2[1] = a1[2];
  c0[1] = a1[0];
  c0[2] = a2[0];
  c1[0] = a0[1];
  c2[0] = a0[2];
  c1[1] = a1[1];
  c2[2] = a2[2];
  c0[0] = a0[0];
  return 0;
}

template <typename T>
int add(T a0[], T a1[], T a2[], T b0[], T b1[], T b2[], T c0[], T c1[], T c2[]) {
  int i = 0;
  while (i < M) {
    c0[i] = plus(a0[i], b0[i]);
    c1[i] = plus(a1[i], b1[i]);
    c2[i] = plus(a2[i], b2[i]);
    i = i + 1;
  }
  return 0;
}

template <typename T>
int sub(T a0[], T a1[], T a2[], T b0[], T b1[], T b2[], T c0[], T c1[], T c2[]) {
  int i = 0;
  while (i < 3) {
    c0[i] = minus(a0[i], b0[i]);
    c1[i] = minus(a1[i], b1[i]);
    c2[i] = minus(a2[i], b2[i]);
    i = i + 1;
  }
  return 0;
}

// Every bound of the subtract programs is the constant 3, not a global.
inline constexpr int three = 3;

template <typename T>
int matrix_transpose_main() {
  return matrix_main<T>(tran<T>, M, N);
}

template <typename T>
int matrix_add_main() {
  return matrix_main<T>(add<T>, M, N);
}

template <typename T>
int matrix_subtract_main() {
  return matrix_main<T>(sub<T>, three, three);
}

}  // namespace
