// The two fixed ten-element arrays the array puzzle programs work on, filled
// element by element into main's local array.
#pragma once

namespace puzzle {

// 3, 3, 9, 0, 0, 1, 1, 5, 7, 8: jumps, wall heights, values to remove.
inline void fill_non_negative(int* a) {
  a[0] = 3;
  a[1] = 3;
  a[2] = 9;
  a[3] = 0;
  a[4] = 0;
  a[5] = 1;
  a[6] = 1;
  a[7] = 5;
  a[8] = 7;
  a[9] = 8;
}

// -4, 3, 9, -2, 0, 1, -6, 5, 7, 8: words separated by zeros, signed sums.
inline void fill_signed(int* a) {
  a[0] = -4;
  a[1] = 3;
  a[2] = 9;
  a[3] = -2;
  a[4] = 0;
  a[5] = 1;
  a[6] = -6;
  a[7] = 5;
  a[8] = 7;
  a[9] = 8;
}

}  // namespace puzzle
