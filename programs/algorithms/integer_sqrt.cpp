// Integer square root of 400 by Newton's iteration; prints 20.
#include "lang/arith.hpp"
#include "suite_runtime.h"

namespace {

// Some arguments (3, for one) make the iteration alternate for ever; the
// program only uses 400.
int fsqrt(int a) {
  int x0 = 0;
  int x1 = a / 2;
  while (x0 - x1 != 0) {
    x0 = x1;
    x1 = x0 + lang::div(a, x0);
    x1 = x1 / 2;
  }
  return x1;
}

}  // namespace

int main() {
  int a = 400;
  int r = fsqrt(a);
  putint(r);
  a = 10;
  putch(a);
  return 0;
}
