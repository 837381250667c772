// One local divided by another. Returns 2.
#include "lang/arith.hpp"

int main() {
  int a = 10;
  int b = 5;
  return lang::div(a, b);
}
