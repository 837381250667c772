// Inserts one value read from input into a fixed ascending array and prints
// the first ten elements. `insert` writes the new value inside its shifting
// loop, before the lower elements have moved, so the element that stood at
// the insertion point is lost and the new value appears twice (unless it goes
// into the last place, or after every element, where nothing is written).
//
// Input: one integer. Rejected: empty input.
#include "lang/reject.hpp"
#include "suite_runtime.h"

namespace {

int N;

int insert(int* a, int x) {
  int p = 0;
  // a[N] is read once p reaches N; main gives it a defined value.
  while (x > a[p] && p < N) p = p + 1;
  int i = N;
  while (i > p) {
    a[i] = a[i - 1];
    a[p] = x;
    i = i - 1;
  }
  return 0;
}

}  // namespace

int main() {
  N = 10;
  int array[11] = {};
  array[0] = 1;
  array[1] = 3;
  array[2] = 4;
  array[3] = 7;
  array[4] = 8;
  array[5] = 11;
  array[6] = 13;
  array[7] = 18;
  array[8] = 56;
  array[9] = 78;
  int index = 0;
  int value = getint();
  if (input_failed()) lang::reject("ordered_insert", "input ended before the value");
  value = insert(array, value);
  while (index < N) {
    value = array[index];
    putint(value);
    value = 10;
    putch(value);
    index = index + 1;
  }
  return 0;
}
