// Reads pairs of a non-zero marker and a value, closed by a 0 marker, and
// returns the sum of the values modulo 79 (sign of the sum) as the exit
// status; prints nothing.
//
// Rejected: more than 100 pairs (the value array's size), input that ends
// within a pair or before the closing 0.
#include "lang/arith.hpp"
#include "lang/reject.hpp"
#include "suite_runtime.h"

namespace {

constexpr int capacity = 100;

}  // namespace

int main() {
  int a[capacity];
  int n = 0;
  int sum = 0;
  while (getint() != 0) {
    if (n == capacity) lang::reject("pair_input_sum_mod", "more than %d pairs", capacity);
    a[n] = getint();
    if (input_failed()) lang::reject("pair_input_sum_mod", "input ended within pair %d", n + 1);
    n = n + 1;
  }
  if (input_failed()) lang::reject("pair_input_sum_mod", "input ended before the closing 0");
  // Summed from the last value read back to the first.
  while (n != 0) {
    n = n - 1;
    sum = lang::add(sum, a[n]);
  }
  return sum % 79;
}
