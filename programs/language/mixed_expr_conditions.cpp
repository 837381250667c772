// Arithmetic with negative operands inside || and && conditions: the first
// condition holds on its left operand, the second fails throughout. Prints 2.
#include "lang/arith.hpp"
#include "suite_runtime.h"

int main() {
  int a = 5;
  int b = 5;
  int c = 1;
  int d = -2;
  int e = 2;
  if (lang::div(d * 1, 2) < 0 || (a - b != 0 && lang::rem(c + 3, 2) != 0)) {
    putint(e);
  }
  if (lang::rem(d, 2) + 67 < 0 || (a - b != 0 && lang::rem(c + 2, 2) != 0)) {
    e = 4;
    putint(e);
  }
  return 0;
}
