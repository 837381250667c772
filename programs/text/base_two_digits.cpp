// Writes the base-2 digits of 400 as a decimal number: 110010000. A negative
// argument gives negated digits (its remainders are negative).
#include "lang/arith.hpp"
#include "suite_runtime.h"

namespace {

// Values above 1023 need more decimal places than 32 bits hold: the result
// then wraps.
int dec2bin(int a) {
  int res = 0;
  int k = 1;
  int temp = a;
  while (temp != 0) {
    int digit = temp % 2;
    res = lang::add(lang::mul(k, digit), res);
    k = lang::mul(k, 10);
    temp = temp / 2;
  }
  return res;
}

}  // namespace

int main() {
  int a = 400;
  int res = dec2bin(a);
  putint(res);
  putch(10);
  return 0;
}
