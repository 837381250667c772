// Heapsort of ten fixed values with a max-heap; prints the sorted values one
// per line.
#include "sorting/ten_values.hpp"
#include "suite_runtime.h"

namespace {

int n;

int swap(int* arr, int a, int b) {
  int tmp = arr[a];
  arr[a] = arr[b];
  arr[b] = tmp;
  return 0;
}

// Sifts arr[start] down within arr[0..end]; a child equal to its parent is
// still exchanged with it.
int heap_ajust(int* arr, int start, int end) {
  int dad = start;
  int son = dad * 2 + 1;
  while (son < end + 1) {
    if (son < end && arr[son] < arr[son + 1]) son = son + 1;
    if (arr[dad] > arr[son]) return 0;
    swap(arr, dad, son);
    dad = son;
    son = dad * 2 + 1;
  }
  return 0;
}

int heap_sort(int* arr, int len) {
  int i = len / 2 - 1;
  while (i > -1) {
    heap_ajust(arr, i, len - 1);
    i = i - 1;
  }
  i = len - 1;
  while (i > 0) {
    swap(arr, 0, i);
    heap_ajust(arr, 0, i - 1);
    i = i - 1;
  }
  return 0;
}

}  // namespace

int main() {
  n = 10;
  int array[10];
  sorting::fill_ten(array);
  int index = 0;
  index = heap_sort(array, n);
  sorting::print_lines(array, index, n);
  return 0;
}
