// Locals declared in nested blocks (one hiding an outer one), a loop left by
// break, a global array changed in place, and a local three-dimensional array
// with a partial initialiser. Prints five lines: 331, 1, 218, 5, 6719.
#include "suite_runtime.h"

namespace {

int b = 5;
int c[4] = {6, 7, 8, 9};

}  // namespace

int main() {
  int a;
  a = 1;
  {
    int a;  // hides the outer a until the end of this block
    a = 2;
    {
      a = 3;
      putint(a);
    }
    putint(a);
  }
  putint(a);
  putch(10);

  // Without the break this loop would never end: a stays 1.
  while (a < 5) {
    int z = 0;
    z = z + 1;
    if (z) break;
  }
  putint(a);
  putch(10);

  c[2] = 1;
  int x = 2;
  if (c[2]) {
    int N[7][1][5] = {{{}}, {{}}, {{2, 1, 8}}};
    putint(N[x][0][0]);
    putint(N[x][0][1]);
    putint(N[x][0][2]);
  }
  putch(10);

  putint(b);
  putch(10);

  putint(c[0]);
  putint(c[1]);
  putint(c[2]);
  putint(c[3]);
  putch(10);
  return 0;
}
