// Selection sort of ten fixed values; prints the sorted values one per line.
#include "sorting/ten_values.hpp"
#include "suite_runtime.h"

namespace {

int n;

int select_sort(int* A, int n) {
  int i = 0;
  while (i < n - 1) {
    int min = i;
    int j = i + 1;
    while (j < n) {
      // Strict test: the first of equal minima stays chosen.
      if (A[min] > A[j]) min = j;
      j = j + 1;
    }
    if (min != i) {
      int tmp = A[min];
      A[min] = A[i];
      A[i] = tmp;
    }
    i = i + 1;
  }
  return 0;
}

}  // namespace

int main() {
  n = 10;
  int array[10];
  sorting::fill_ten(array);
  int index = 0;
  index = select_sort(array, n);
  sorting::print_lines(array, index, n);
  return 0;
}
