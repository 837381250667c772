// Two-dimensional discrete cosine transform of a block of up to 8 x 8 floats,
// then the program's own inverse formula applied to the coefficients. The
// inverse adds half of each edge coefficient without a cosine factor, so it
// does not in general give back the input block.
//
// Input: n (rows), m (columns), then n * m floats row by row. A negative n
// or m runs no loop: n <= 0 prints two empty lines whatever m is, and m <= 0
// prints element [i][0] (0.0) of each of the n rows.
// Rejected: n above 8 (write_mat prints the block's first n rows), m above 8
// when n is positive (the block's rows hold 8 columns), input that ends within
// the block.
#include "lang/arith.hpp"
#include "lang/float.hpp"
#include "lang/reject.hpp"
#include "numeric/float_helpers.hpp"
#include "suite_runtime.h"

namespace {

using float_helpers::my_cos;
using float_helpers::pi;

constexpr int size = 8;

float test_block[size][size];
float test_dct[size][size];
float test_idct[size][size];

void write_mat(float mat[][size], int n, int m) {
  int i = 0;
  while (i < n) {
    putfloat(mat[i][0]);
    int j = 1;
    while (j < m) {
      putch(32);
      putfloat(mat[i][j]);
      j = j + 1;
    }
    putch(10);
    i = i + 1;
  }
  putch(10);
}

// cos(((pi / size) * (index + 0.5)) * k), one rounding per step.
float cosine(int size, int index, int k) {
  float step = lang::div(pi, lang::to_float(size));
  float centre = lang::add(lang::to_float(index), 0.5f);
  return my_cos(lang::mul(lang::mul(step, centre), lang::to_float(k)));
}

// The cosine arguments come from the sizes and are always finite; the block's
// values may be infinite or NaN, so their arithmetic goes through lang::f*.
void dct(float out[][size], float in[][size], int n, int m) {
  int u = 0;
  while (u < n) {
    int v = 0;
    while (v < m) {
      out[u][v] = 0.0f;
      int i = 0;
      while (i < n) {
        int j = 0;
        while (j < m) {
          float c1 = cosine(n, i, u);
          float t = lang::fmul(in[i][j], c1);
          float c2 = cosine(m, j, v);
          out[u][v] = lang::fadd(out[u][v], lang::fmul(t, c2));
          j = j + 1;
        }
        i = i + 1;
      }
      v = v + 1;
    }
    u = u + 1;
  }
}

void idct(float out[][size], float coef[][size], int n, int m) {
  int u = 0;
  while (u < n) {
    int v = 0;
    while (v < m) {
      out[u][v] = lang::fmul(0.25f, coef[0][0]);
      int i = 1;
      while (i < n) {
        out[u][v] = lang::fadd(out[u][v], lang::fmul(0.5f, coef[i][0]));
        i = i + 1;
      }
      int j = 1;
      while (j < m) {
        out[u][v] = lang::fadd(out[u][v], lang::fmul(0.5f, coef[0][j]));
        j = j + 1;
      }
      i = 1;
      while (i < n) {
        j = 1;
        while (j < m) {
          float c1 = cosine(n, u, i);
          float t = lang::fmul(coef[i][j], c1);
          float c2 = cosine(m, v, j);
          out[u][v] = lang::fadd(out[u][v], lang::fmul(t, c2));
          j = j + 1;
        }
        i = i + 1;
      }
      float twice = lang::fmul(out[u][v], 2.0f);
      float per_row = lang::fdiv(twice, lang::to_float(n));
      out[u][v] = lang::fdiv(lang::fmul(per_row, 2.0f), lang::to_float(m));
      v = v + 1;
    }
    u = u + 1;
  }
}

}  // namespace

int main() {
  int n = getint();
  int m = getint();
  if (input_failed()) lang::reject("dct_round_trip", "input ended before the column count");
  if (n > size) lang::reject("dct_round_trip", "row count %d above %d", n, size);
  // Without rows no column is ever touched.
  if (n > 0 && m > size) lang::reject("dct_round_trip", "column count %d above %d", m, size);
  int i = 0;
  while (i < n) {
    int j = 0;
    while (j < m) {
      test_block[i][j] = getfloat();
      if (input_failed()) lang::reject("dct_round_trip", "input ended at row %d column %d", i, j);
      j = j + 1;
    }
    i = i + 1;
  }
  dct(test_dct, test_block, n, m);
  write_mat(test_dct, n, m);
  idct(test_idct, test_dct, n, m);
  write_mat(test_idct, n, m);
  return 0;
}
