// Reads two integers and returns their least common multiple as the exit
// status (its low 8 bits); prints nothing. The function is named gcd but
// returns m * n divided by the greatest common divisor.
//
// Input: two integers a b. A zero next to a negative value is computed: the
// negative one is the smaller and becomes the divisor, and 0 % it is 0.
// Rejected: a zero that is the smaller of the two (0 beside a value that is
// not negative: the first remainder would divide by it), input that ends before the
// second integer.
#include "lang/arith.hpp"
#include "lang/reject.hpp"
#include "suite_runtime.h"

namespace {

int gcd(int m, int n) {
  int a = m;
  int b = n;
  if (m < n) {
    int t = m;
    m = n;
    n = t;
  }
  int r = lang::rem(m, n);
  while (r != 0) {
    m = n;
    n = r;
    r = lang::rem(m, n);
  }
  return lang::div(lang::mul(a, b), n);
}

}  // namespace

int main() {
  int a = getint();
  int b = getint();
  if (input_failed()) lang::reject("lcm_status", "input ended before two integers were read");
  // The smaller value is the first divisor; every later one is a non-zero remainder.
  if (a < b ? a == 0 : b == 0) lang::reject("lcm_status", "zero in %d %d would be a divisor", a, b);
  return gcd(a, b);
}
