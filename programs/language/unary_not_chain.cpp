// Logical not three times over, then unary minus, as a condition. Prints 4.
#include "suite_runtime.h"

int main() {
  int a;
  int b;
  a = 56;
  b = 4;
  a = a + 4 + b;
  // !64 is 0, !0 is 1, !1 is 0, and -0 is 0: the else branch runs.
  if (-(!(!(!a)))) {
    a = -1;
  } else {
    a = 0 + b;
  }
  putint(a);
  return 0;
}
