// Calls nested two deep as arguments of other calls. Prints h(11, 3) = 4.
#include "lang/arith.hpp"
#include "suite_runtime.h"

namespace {

int f(int a, int b) {
  return a * b;
}

int g(int a, int b) {
  return lang::rem(a, b);
}

// f(f(2, g(a, b)), g(f(a, b), 4)), the inner calls sequenced left to right.
int h(int a, int b) {
  int first = g(a, b);
  int left = f(2, first);
  int product = f(a, b);
  int right = g(product, 4);
  return f(left, right);
}

}  // namespace

int main() {
  putint(h(11, 3));
  return 0;
}
