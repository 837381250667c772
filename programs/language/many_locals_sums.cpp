// Many locals live across two calls of a function with many locals of its
// own. Prints 254.
#include "suite_runtime.h"

namespace {

// 30 + 41 + arr[3] = 74, whatever the caller holds.
int foo() {
  int arr[16] = {0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3, 0, 1, 2, 3};
  int a = 3;
  int b = 7;
  int c = 5;
  int d = 6;
  int e = 1;
  int f = 0;
  int g = 3;
  int h = 5;
  int i = 4;
  int j = 2;
  int k = 7;
  int l = 9;
  int m = 8;
  int n = 1;
  int o = 4;
  int p = 6;
  int sum1 = a + b + c + d + e + f + g + h;
  int sum2 = i + j + k + l + m + n + o + p;
  return sum1 + sum2 + arr[a];
}

}  // namespace

int main() {
  int m0 = 3;
  int m1 = 7;
  int m2 = 5;
  int m3 = 6;
  int m4 = 1;
  int m5 = 0;
  int m6 = 3;
  int m7 = 5;
  int m8 = 4;
  int m9 = 2;
  int m10 = 7;
  int m11 = 9;
  int m12 = 8;
  int m13 = 1;
  int m14 = 4;
  int m15 = 6;
  int sum1 = m0 + m1 + m2 + m3 + m4 + m5 + m6 + m7;
  int sum2 = m8 + m9 + m10 + m11 + m12 + m13 + m14 + m15;
  sum1 = sum1 + foo();
  int t0 = 4;
  int t1 = 7;
  int t2 = 2;
  int t3 = 5;
  int t4 = 8;
  int t5 = 0;
  int t6 = 6;
  int t7 = 3;
  sum2 = sum2 + foo();
  int sum3 = t0 + t1 + t2 + t3 + t4 + t5 + t6 + t7;
  int total = sum1 + sum2 + sum3;
  putint(total);
  putch(10);
  return 0;
}
