// Binary search for a value read from input among 1 to 10. The loop tests the
// mid of the previous round, and mid is not recomputed after the last change
// of the bounds, so 1, 4, 7 and 10 are reported missing.
//
// Input: one integer. Prints it if found, else 0. Rejected: empty input.
#include "lang/reject.hpp"
#include "suite_runtime.h"

int main() {
  int array[10];
  int i = 0;
  while (i < 10) {
    array[i] = i + 1;
    i = i + 1;
  }
  int n = 10;
  int x = getint();
  if (input_failed()) lang::reject("binary_search_ten", "input ended before the value");
  int high = n - 1;
  int low = 0;
  int mid = (high + low) / 2;
  while (array[mid] != x && low < high) {
    mid = (high + low) / 2;
    if (x < array[mid])
      high = mid - 1;
    else
      low = mid + 1;
  }
  if (x == array[mid]) {
    putint(x);
  } else {
    x = 0;
    putint(x);
  }
  x = 10;
  putch(x);
  return 0;
}
