// A program that does nothing but console I/O, for whole-process timings of
// the runtime: reads a count and that many integers, then floats until the
// input ends, and prints each back (integers in decimal, floats in hex), one
// per line.
#include "suite_runtime.h"

int main() {
  int n = getint();
  for (int i = 0; i < n; i++) {
    putint(getint());
    putch(10);
  }
  while (true) {
    float x = getfloat();
    if (input_failed()) break;
    putfloat(x);
    putch(10);
  }
  return 0;
}
