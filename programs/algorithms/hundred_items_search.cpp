// Searches counts x, y, z of three items with 5x + y + z/2 = 100 and
// x + y + z = 100. y is set once and never reset when x advances, so only
// x = 0 is really searched: the output is the single line 01000.
#include "suite_runtime.h"

int main() {
  int x = 0;
  int y = 0;
  int z = 0;
  int newline;
  while (x < 21) {
    while (y < 101 - x) {
      z = 100 - x - y;
      if (5 * x + 1 * y + z / 2 == 100) {
        putint(x);
        putint(y);
        putint(z);
        newline = 10;
        putch(newline);
      }
      y = y + 1;
    }
    x = x + 1;
  }
  return 0;
}
