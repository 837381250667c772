// A table filled from its own earlier entries: each new entry is the sum of
// the two before it. Prints entries 2 to 19 one per line and returns their
// sum (28652, exit status 236).
#include "suite_runtime.h"

int main() {
  int arr[20] = {1, 2};
  int i = 2;
  int sum = 0;

  while (i < 20) {
    // arr[i] is still 0 here, so it adds nothing.
    arr[i] = arr[i] + arr[i - 1] + arr[i - 2];
    sum = sum + arr[i];
    putint(arr[i]);
    putch(10);
    i = i + 1;
  }
  return sum;
}
