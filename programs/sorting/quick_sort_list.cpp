// Quicksort of ten fixed values, partitioning around the first element of
// each range; prints the sorted values one per line.
#include "lang/arith.hpp"
#include "sorting/ten_values.hpp"
#include "suite_runtime.h"

namespace {

int n;

int QuickSort(int* arr, int low, int high) {
  if (low < high) {
    int i = low;
    int j = high;
    int k = arr[low];
    while (i < j) {
      // Values equal to the pivot stay on its right. (k - 1 wraps for the
      // most negative pivot; the fixed data never has one.)
      while (i < j && arr[j] > lang::sub(k, 1)) j = j - 1;
      if (i < j) {
        arr[i] = arr[j];
        i = i + 1;
      }
      while (i < j && arr[i] < k) i = i + 1;
      if (i < j) {
        arr[j] = arr[i];
        j = j - 1;
      }
    }
    arr[i] = k;
    QuickSort(arr, low, i - 1);
    QuickSort(arr, i + 1, high);
  }
  return 0;
}

}  // namespace

int main() {
  n = 10;
  int array[10];
  sorting::fill_ten(array);
  int index = 0;
  index = QuickSort(array, index, 9);
  sorting::print_lines(array, index, n);
  return 0;
}
