// Linear search for a value read from input among 1 to 10; prints its
// position counted from 0, or 0 when it is absent.
//
// Input: one integer. Rejected: empty input.
#include "lang/reject.hpp"
#include "suite_runtime.h"

int main() {
  int array[10];
  int i = 0;
  while (i < 10) {
    array[i] = i + 1;
    i = i + 1;
  }
  int x = getint();
  if (input_failed()) lang::reject("linear_search_ten", "input ended before the value");
  int flag = 0;
  i = 0;
  int position = 0;
  while (i < 10 && flag == 0) {
    if (array[i] == x) {
      flag = 1;
      position = i;
    }
    i = i + 1;
  }
  if (flag == 1) {
    putint(position);
  } else {
    x = 0;
    putint(x);
  }
  x = 10;
  putch(x);
  return 0;
}
