// Greatest common divisor of each pair read, by Euclid's recursion; one
// result per line. A zero second value returns the first; signs follow the
// remainders (dividend's sign).
//
// Input: a count t, then t pairs. Rejected: input that ends before the count
// or within the pairs.
#include "lang/arith.hpp"
#include "lang/reject.hpp"
#include "suite_runtime.h"

namespace {

int gcd(int m, int n) {
  if (n == 0) return m;
  return gcd(n, lang::rem(m, n));
}

}  // namespace

int main() {
  int t = getint();
  if (input_failed()) lang::reject("gcd_pairs", "input ended before the count");
  int pair = 0;
  while (t > 0) {
    int m = getint();
    int n = getint();
    pair = pair + 1;
    if (input_failed()) lang::reject("gcd_pairs", "input ended within pair %d", pair);
    putint(gcd(m, n));
    putch(10);
    t = t - 1;
  }
  return 0;
}
