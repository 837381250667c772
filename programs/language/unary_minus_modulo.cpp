// Unary minus applied before and after a remainder, with / and % on negative
// operands. Prints -1 and then 71, with no separator.
#include "lang/arith.hpp"
#include "suite_runtime.h"

int main() {
  int a = 5;
  int b = 5;
  int c = 1;
  int d = -2;
  int x;
  // -(c + 3) % 2: the negation first, then the remainder (-4 % 2 is 0).
  x = lang::div(d * 1, 2) + (a - b) - lang::rem(-(c + 3), 2);
  putint(x);
  // -((c + 2) % 2): the remainder first (1), then the negation.
  x = lang::rem(d, 2) + 67 + (-(a - b)) - (-(lang::rem(c + 2, 2)));
  x = x + 3;
  putint(x);
  return 0;
}
