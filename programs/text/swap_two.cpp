// Reads two integers and prints them in exchanged order, one per line.
//
// Rejected: input that ends before the second integer.
#include "lang/reject.hpp"
#include "suite_runtime.h"

int main() {
  int a = getint();
  int b = getint();
  if (input_failed()) lang::reject("swap_two", "input ended before two integers were read");
  int c = a;
  a = b;
  b = c;
  putint(a);
  putch(10);
  putint(b);
  putch(10);
  return 0;
}
