// A function that increments a global, called several times within one
// condition: && and || decide how many calls run. Prints ten lines and
// returns the global's final value, 29.
#include "suite_runtime.h"

namespace {

int a = -1;
int b = 1;

int inc_a() {
  int t = a;
  t = t + 1;
  a = t;
  return a;
}

// x - y + 1 for the next two increments x and y, taken in this order (always 0).
int next_two_difference() {
  int x = inc_a();
  int y = inc_a();
  return x - y + 1;
}

}  // namespace

int main() {
  int k = 5;
  while (k >= 0) {
    if (inc_a() && inc_a() && inc_a()) {
      putint(a);
      putch(32);
      putint(b);
      putch(10);
    }
    if (inc_a() < 14 || (inc_a() && next_two_difference())) {
      putint(a);
      putch(10);
      b = b * 2;
    } else {
      inc_a();
    }
    k = k - 1;
  }
  putint(a);
  putch(32);
  putint(b);
  putch(10);
  return a;
}
