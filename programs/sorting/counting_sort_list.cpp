// Counting sort of ten fixed values from 0 to 9 into a second array; prints
// the sorted values one per line.
#include "sorting/ten_values.hpp"
#include "suite_runtime.h"

namespace {

int n;

// Sorts values from 0 to 9 only: the count table has ten places.
int counting_sort(const int* ini, int* sorted, int n) {
  int count[10];
  int k = 0;
  while (k < 10) {
    count[k] = 0;
    k = k + 1;
  }
  int i = 0;
  while (i < n) {
    count[ini[i]] = count[ini[i]] + 1;
    i = i + 1;
  }
  k = 1;
  while (k < 10) {
    count[k] = count[k] + count[k - 1];
    k = k + 1;
  }
  // Walking the input from its end keeps equal values in their order.
  int j = n;
  while (j > 0) {
    count[ini[j - 1]] = count[ini[j - 1]] - 1;
    sorted[count[ini[j - 1]]] = ini[j - 1];
    j = j - 1;
  }
  return 0;
}

}  // namespace

int main() {
  n = 10;
  int array[10];
  int result[10];
  sorting::fill_ten(array);
  int index = 0;
  index = counting_sort(array, result, n);
  sorting::print_lines(result, index, n);
  return 0;
}
