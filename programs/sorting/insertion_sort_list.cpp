// Insertion sort of ten fixed values over the global length n; prints the
// sorted values one per line.
#include "sorting/ten_values.hpp"
#include "suite_runtime.h"

namespace {

int n;

int insertsort(int* a) {
  int i = 1;
  while (i < n) {
    int temp = a[i];
    int j = i - 1;
    while (j > -1 && temp < a[j]) {
      a[j + 1] = a[j];
      j = j - 1;
    }
    a[j + 1] = temp;
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
  index = insertsort(array);
  sorting::print_lines(array, index, n);
  return 0;
}
