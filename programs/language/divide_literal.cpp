// A local divided by a literal, truncated. Returns 3.
#include "lang/arith.hpp"

int main() {
  int a = 10;
  return lang::div(a, 3);
}
