// Schoolbook long multiplication of two fixed 20-digit numbers held as digit
// arrays, most significant digit first. Prints the product's digits run
// together with no newline, skipping only a leading zero cell; returns 0.
#include "suite_runtime.h"

int main() {
  int digits1[20] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0};
  int digits2[20] = {2, 3, 4, 2, 5, 7, 9, 9, 0, 1, 9, 8, 7, 6, 4, 3, 2, 1, 2, 2};
  int len1 = 20;
  int len2 = 20;
  int copy1[25];
  int copy2[25];
  int result[40] = {};
  int i = 0;
  int j;
  int x;
  int t;
  int n;

  while (i < len1) {
    copy1[i] = digits1[i];
    i = i + 1;
  }
  i = 0;
  while (i < len2) {
    copy2[i] = digits2[i];
    i = i + 1;
  }

  n = len1 + len2 - 1;
  i = 0;
  while (i <= n) {
    result[i] = 0;
    i = i + 1;
  }

  t = 0;
  i = len2 - 1;
  while (i > -1) {
    x = copy2[i];
    j = len1 - 1;
    while (j > -1) {
      t = result[n] + x * copy1[j];
      // A cell holds at most a digit plus one carry, so one carry step suffices.
      if (t >= 10) {
        result[n] = t - 10 * (t / 10);
        result[n - 1] = result[n - 1] + t / 10;
      } else {
        result[n] = t;
      }
      j = j - 1;
      n = n - 1;
    }
    // Back to one cell left of where this row started: each row shifts by one.
    n = n + len1 - 1;
    i = i - 1;
  }

  if (result[0] != 0) putint(result[0]);
  i = 1;
  while (i <= len1 + len2 - 1) {
    putint(result[i]);
    i = i + 1;
  }
  return 0;
}
