// Sums 0 to 20; prints 210 with no newline.
#include "suite_runtime.h"

int main() {
  int sum = 0;
  int i = 0;
  while (i < 21) {
    sum = sum + i;
    i = i + 1;
  }
  putint(sum);
  return 0;
}
