// Functions of 8, 16 and 32 integer parameters, each call's result passed as
// the first argument of the next. Prints 83.
#include "suite_runtime.h"

namespace {

int testParam8(int a0, int a1, int a2, int a3, int a4, int a5, int a6, int a7) {
  return a0 - a1 + a2 - a3 - a4 - a5 + a6 + a7;
}

int testParam16(int a0, int a1, int a2, int a3, int a4, int a5, int a6, int a7, int a8, int a9,
                int a10, int a11, int a12, int a13, int a14, int a15) {
  return a0 + a1 + a2 + a3 - a4 + a5 + a6 + a7 - a8 + a9 - a10 + a11 + a12 + a13 + a14 + a15;
}

int testParam32(int a0, int a1, int a2, int a3, int a4, int a5, int a6, int a7, int a8, int a9,
                int a10, int a11, int a12, int a13, int a14, int a15, int a16, int a17, int a18,
                int a19, int a20, int a21, int a22, int a23, int a24, int a25, int a26, int a27,
                int a28, int a29, int a30, int a31) {
  return a0 + a1 * a2 + a3 + a4 + a5 + a6 + a7 + a8 + a9 + a10 + a11 - a12 - a13 - a14 - a15 - a16 -
         a17 - a18 - a19 - a20 - a21 + a22 + a23 + a24 + a25 + a26 + a27 + a28 + a29 + a30 + a31;
}

}  // namespace

int main() {
  int a[32] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1, 2, 3, 4, 5,
               6, 7, 8, 9, 0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 0, 1};
  // Only reads of the array appear among the arguments, so their order of
  // evaluation cannot matter.
  a[0] = testParam32(
      testParam16(testParam8(a[0], a[1], a[2], a[3], a[4], a[5], a[6], a[7]), a[1], a[2], a[3],
                  a[4], a[5], a[6], a[7], a[8], a[9], a[10], a[11], a[12], a[13], a[14], a[15]),
      a[1], a[2], a[3], a[4], a[5], a[6], a[7], a[8], a[9], a[10], a[11], a[12], a[13], a[14],
      a[15], a[16], a[17], a[18], a[19], a[20], a[21], a[22], a[23], a[24], a[25], a[26], a[27],
      a[28], a[29], a[30], a[31]);
  putint(a[0]);
  return 0;
}
