// An if / else if / else chain whose last branch runs. Prints -5.
#include "suite_runtime.h"

namespace {

int ifElseIf() {
  int a;
  a = 5;
  int b;
  b = 10;
  if (a == 6 || b == 11) {
    return a;
  } else if (b == 10 && a == 1) {
    a = 25;
  } else if (b == 10 && a == -5) {
    a = a + 15;
  } else {
    a = -a;
  }
  return a;
}

}  // namespace

int main() {
  putint(ifElseIf());
  return 0;
}
