// The ten values every fixed-data sort program starts from, and the loop that
// prints a sorted array one value per line.
#pragma once

#include "suite_runtime.h"

namespace sorting {

inline constexpr int ten_values[10] = {4, 3, 9, 2, 0, 1, 6, 5, 7, 8};

inline void fill_ten(int* array) {
  int i = 0;
  while (i < 10) {
    array[i] = ten_values[i];
    i = i + 1;
  }
}

// Prints array[index] to array[n - 1], each followed by a newline. The
// programs start from the sort's result, which is always 0.
inline void print_lines(const int* array, int index, int n) {
  while (index < n) {
    int value = array[index];
    putint(value);
    value = 10;
    putch(value);
    index = index + 1;
  }
}

}  // namespace sorting
