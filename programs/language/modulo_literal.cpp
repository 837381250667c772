// The remainder of a local by a literal. Returns 1.
#include "lang/arith.hpp"

int main() {
  int a = 10;
  return lang::rem(a, 3);
}
