// Functions that assign a global, called as right operands of && and ||: they
// run only when the left operand does not decide the condition. Also
// conditions fixed when the program is built, and conditions over locals.
#include "suite_runtime.h"

namespace {

int a = 0;
int b = 0;
int d = 0;

int set_a(int val) {
  a = val;
  return a;
}

int set_b(int val) {
  b = val;
  return b;
}

int set_d(int val) {
  d = val;
  return d;
}

}  // namespace

int main() {
  a = 2;
  b = 3;
  if (set_a(0) && set_b(1)) {
  }
  putint(a);
  putch(32);
  putint(b);
  putch(32);

  a = 2;
  b = 3;
  if (set_a(0) && set_b(1)) {
  }
  putint(a);
  putch(32);
  putint(b);
  putch(10);

  const int always = 1;
  d = 2;
  if (always && set_d(3)) {
  }
  putint(d);
  putch(32);
  if (always || set_d(4)) {
  }
  putint(d);
  putch(10);

  // Each condition is a constant expression, decided when the program is built.
  if (16 >= (3 - (2 + 1)) * 16) putch(65);
  if ((25 - 7) != (36 - 6 * 3)) putch(66);
  if (1 != (7 % 2)) putch(67);
  if (3 > 2 && 2 > 1) putch(68);
  if (!(-7 / 2 == -3)) putch(69);
  if (-7 % 3 == -1) putch(70);
  putch(10);

  int i0 = 0;
  int i1 = 1;
  int i2 = 2;
  int i3 = 3;
  int i4 = 4;
  while (i0 && i1) putch(32);
  if (i0 || i1) putch(67);
  if (i0 >= i1 || i1 <= i0) putch(72);
  if (i2 >= i1 && i4 != i3) putch(73);
    // A local compared with itself, on purpose: i3 < i3 is false, i4 >= i4 true.
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wtautological-compare"
  if ((i0 == !i1 && i3 < i3) || i4 >= i4) putch(74);
  if (i0 == !i1 || (i3 < i3 && i4 >= i4)) putch(75);
#pragma GCC diagnostic pop
  putch(10);
  return 0;
}
