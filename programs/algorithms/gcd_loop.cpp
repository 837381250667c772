// Greatest common divisor of two integers read, by Euclid's loop; printed
// with no newline. A second value of 0 or below leaves the first unchanged.
//
// Rejected: input that ends before the second integer.
#include "lang/arith.hpp"
#include "lang/reject.hpp"
#include "suite_runtime.h"

namespace {

int fun(int m, int n) {
  while (n > 0) {
    int r = lang::rem(m, n);
    m = n;
    n = r;
  }
  return m;
}

}  // namespace

int main() {
  int m = getint();
  int n = getint();
  if (input_failed()) lang::reject("gcd_loop", "input ended before two integers were read");
  putint(fun(m, n));
  return 0;
}
