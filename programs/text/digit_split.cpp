// Splits 1478 into its four decimal digits, the last digit at the highest
// index, and prints them one per line.
#include "suite_runtime.h"

namespace {

int N;
int newline;

int split(int n, int* a) {
  int i = N - 1;
  while (i != -1) {
    a[i] = n % 10;
    n = n / 10;
    i = i - 1;
  }
  return 0;
}

}  // namespace

int main() {
  N = 4;
  newline = 10;
  int b[4];
  split(1478, b);
  int i = 0;
  while (i < 4) {
    putint(b[i]);
    putch(newline);
    i = i + 1;
  }
  return 0;
}
