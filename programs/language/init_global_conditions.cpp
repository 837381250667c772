// Comparisons of arithmetic over initialised globals, with && inside ||: the
// && fails on its left side and the right side of || decides. Prints 1 and
// returns 1.
#include "lang/arith.hpp"
#include "suite_runtime.h"

namespace {

int a = 1;
int b = 0;
int c = 1;
int d = 2;
int e = 4;

}  // namespace

int main() {
  int flag = 0;
  if ((lang::div(a * b, c) == e + d && a * (a + b) + c <= d + e) ||
      a - b * c == d - lang::div(a, c)) {
    flag = 1;
  }
  putint(flag);
  return flag;
}
