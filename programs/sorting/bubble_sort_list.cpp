// Bubble sort of ten fixed values over the global length n, with no early
// exit; prints the sorted values one per line.
#include "sorting/ten_values.hpp"
#include "suite_runtime.h"

namespace {

int n;

int bubblesort(int* arr) {
  int i = 0;
  while (i < n - 1) {
    int j = 0;
    while (j < n - i - 1) {
      if (arr[j] > arr[j + 1]) {
        int tmp = arr[j + 1];
        arr[j + 1] = arr[j];
        arr[j] = tmp;
      }
      j = j + 1;
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
  index = bubblesort(array);
  sorting::print_lines(array, index, n);
  return 0;
}
