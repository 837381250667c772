// A running product over 0 to 20 that starts at 0 and so stays 0; prints 0
// with no newline.
#include "suite_runtime.h"

int main() {
  int p = 0;
  int i = 0;
  while (i < 21) {
    p = p * i;
    i = i + 1;
  }
  putint(p);
  return 0;
}
