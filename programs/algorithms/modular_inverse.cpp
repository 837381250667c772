// The inverse of 7 modulo 15 by the extended Euclidean algorithm; prints 13
// with no newline.
#include "lang/arith.hpp"
#include "suite_runtime.h"

namespace {

// Returns gcd(a, b) and leaves in x[0], y[0] a pair with
// a * x[0] + b * y[0] = gcd(a, b).
int exgcd(int a, int b, int* x, int* y) {
  if (b == 0) {
    x[0] = 1;
    y[0] = 0;
    return a;
  }
  int r = exgcd(b, lang::rem(a, b), x, y);
  int t = x[0];
  x[0] = y[0];
  y[0] = lang::sub(t, lang::mul(lang::div(a, b), y[0]));
  return r;
}

}  // namespace

int main() {
  int a = 7;
  int b = 15;
  int x[1] = {1};
  int y[1] = {1};
  exgcd(a, b, x, y);
  x[0] = lang::rem(lang::add(lang::rem(x[0], b), b), b);
  putint(x[0]);
  return 0;
}
