// What the matrix programs share: 3x3 matrices held as nine separate row
// arrays, filled with 0, 1, 2 in every row, combined by one function and
// printed row by row with no separator inside a row.
//
// The element type is float or int. Float rows are single-precision, one
// rounding per operation; int rows wrap at 32 bits.
#pragma once

#include "lang/arith.hpp"
#include "suite_runtime.h"

namespace {

int M;
int L;
int N;

inline float plus(float a, float b) {
  return lang::add(a, b);
}
inline int plus(int a, int b) {
  return lang::add(a, b);
}
inline float minus(float a, float b) {
  return lang::sub(a, b);
}
inline int minus(int a, int b) {
  return lang::sub(a, b);
}
inline float times(float a, float b) {
  return lang::mul(a, b);
}
inline int times(int a, int b) {
  return lang::mul(a, b);
}

template <typename T>
T from_int(int i) {
  return static_cast<T>(i);
}

inline int to_printed(float x) {
  return lang::to_int(x);
}
inline int to_printed(int x) {
  return x;
}

// The function under test, called with the rows of A, of B and of C.
template <typename T>
using matrix_function = int (*)(T a0[], T a1[], T a2[], T b0[], T b1[], T b2[], T c0[], T c1[],
                                T c2[]);

// Prints one result row from column i on, with no separator.
template <typename T>
void put_row(const T c[], int i, const int& bound) {
  int x;
  while (i < bound) {
    x = to_printed(c[i]);
    putint(x);
    i = i + 1;
  }
}

// main of every matrix program. The bounds are read before every pass, as the
// loops are written with the globals (or with a constant) as their limit.
template <typename T>
int matrix_main(matrix_function<T> function, const int& fill_bound, const int& print_bound) {
  T a0[3], a1[3], a2[3];
  T b0[3], b1[3], b2[3];
  T c0[6], c1[3], c2[3];
  int i;
  int x;

  N = 3;
  M = 3;
  L = 3;

  i = 0;
  while (i < fill_bound) {
    a0[i] = from_int<T>(i);
    a1[i] = from_int<T>(i);
    a2[i] = from_int<T>(i);
    b0[i] = from_int<T>(i);
    b1[i] = from_int<T>(i);
    b2[i] = from_int<T>(i);
    i = i + 1;
  }

  // The first row is printed from the function's result, not from a reset.
  i = function(a0, a1, a2, b0, b1, b2, c0, c1, c2);
  put_row(c0, i, print_bound);
  x = 10;
  i = 0;
  putch(x);
  put_row(c1, i, print_bound);
  x = 10;
  i = 0;
  putch(x);
  put_row(c2, i, print_bound);
  x = 10;
  putch(x);
  return 0;
}

}  // namespace
