// Thirty locals, each computed from the one before, printed as one run of
// digits; the input value (5 becomes 6) on a second line. Returns 25.
//
// Input: one integer. Rejected: input that is empty or not a number.
#include "language/read_input.hpp"
#include "suite_runtime.h"

int main() {
  int i = language::read_int("chained_locals_print", 1, 1);
  while (i == 5) {
    i = i + 1;
  }
  int x0 = 0;
  int x1 = x0 + 1;
  int x2 = x1 + 1;
  int x3 = x2 + 1;
  int x4 = x3 + 1;
  int x5 = x4 + 1;
  int x6 = x5 + 1;
  int x7 = x6 + 1;
  int x8 = x7 + 1;
  int x9 = x8 + 1;
  int x10 = x9 + 1;
  int x11 = x10 + 1;
  int x12 = x11 + 1;
  int x13 = x12 + 1;
  int x14 = x13 + 1;
  int x15 = x14 + 1;
  int x16 = x15 + 1;
  int x17 = x16 + 1;
  int x18 = x17 + 1;
  int x19 = x18 + 1;
  int x20 = x19 + 1;
  int x21 = x20 + 1;
  int x22 = x21 + 1;
  int x23 = x22 + 1;
  int x24 = x23 + 1;
  int x25 = x24 + 1;
  int x26 = x25 + 1;
  int x27 = x26 + 1;
  int x28 = x27 + 1;
  int x29 = x28 + 1;
  putint(x0);
  putint(x1);
  putint(x2);
  putint(x3);
  putint(x4);
  putint(x5);
  putint(x6);
  putint(x7);
  putint(x8);
  putint(x9);
  putint(x10);
  putint(x11);
  putint(x12);
  putint(x13);
  putint(x14);
  putint(x15);
  putint(x16);
  putint(x17);
  putint(x18);
  putint(x19);
  putint(x20);
  putint(x21);
  putint(x22);
  putint(x23);
  putint(x24);
  putint(x25);
  putint(x26);
  putint(x27);
  putint(x28);
  putint(x29);
  int newline = 10;
  putch(newline);
  putint(i);
  putch(newline);
  return x25;
}
