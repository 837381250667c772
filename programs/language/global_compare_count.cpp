// A global read by a function called a hundred times in a loop condition; the
// function never changes it. Prints 1.
#include "suite_runtime.h"

namespace {

int a = 7;

int func() {
  int b = a;
  int a = 1;  // from here on the local, not the global
  if (a == b) {
    a = a + 1;
    return 1;
  } else {
    return 0;
  }
}

}  // namespace

int main() {
  int result = 0;
  int i = 0;
  while (i < 100) {
    if (func() == 1) result = result + 1;
    i = i + 1;
  }
  if (result < 100) {
    putint(1);
  } else {
    putint(0);
  }
  return 0;
}
