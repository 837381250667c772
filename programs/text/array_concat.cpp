// Concatenates two three-element arrays into a six-element one and prints the
// result as one run of digits: 012012.
#include "suite_runtime.h"

namespace {

int concat(const int* a0, const int* b0, int* c0) {
  int i = 0;
  while (i < 3) {
    c0[i] = a0[i];
    i = i + 1;
  }
  // The result index runs on from 3.
  int j = 0;
  while (j < 3) {
    c0[i] = b0[j];
    i = i + 1;
    j = j + 1;
  }
  return 0;
}

}  // namespace

int main() {
  int a0[3];
  int b0[3];
  int c0[6];
  int i = 0;
  while (i < 3) {
    a0[i] = i;
    b0[i] = i;
    i = i + 1;
  }
  i = concat(a0, b0, c0);
  while (i < 6) {
    putint(c0[i]);
    i = i + 1;
  }
  putch(10);
  return 0;
}
