// Tests whether the last four decimal digits of 1221 read the same both ways
// and prints the number (or 0 if they do not).
#include "suite_runtime.h"

namespace {

int palindrome(int n) {
  int a[4];
  int i = 0;
  // Least significant digit first.
  while (i < 4) {
    a[i] = n % 10;
    n = n / 10;
    i = i + 1;
  }
  if (a[0] == a[3] && a[1] == a[2]) return 1;
  return 0;
}

}  // namespace

int main() {
  int test = 1221;
  if (palindrome(test) == 1)
    putint(test);
  else
    putint(0);
  putch(10);
  return 0;
}
