// Top-down merge sort of up to 100 integers read from input, merging through
// the second row of a global buffer; prints them as one array line.
//
// Input: a count, then that many integers. A count of 0 or below sorts and
// reads nothing and prints "count:".
// Rejected: a count above 100 (one row of the buffer), input that ends before
// the count or within the values.
#include "lang/reject.hpp"
#include "suite_runtime.h"

namespace {

constexpr int capacity = 100;

int buf[2][capacity];

void merge_sort(int l, int r) {
  if (l + 1 >= r) return;
  int mid = (l + r) / 2;
  merge_sort(l, mid);
  merge_sort(mid, r);
  int i = l;
  int j = mid;
  int k = l;
  // On equal values the element of the right half goes first.
  while (i < mid && j < r) {
    if (buf[0][i] < buf[0][j]) {
      buf[1][k] = buf[0][i];
      i = i + 1;
    } else {
      buf[1][k] = buf[0][j];
      j = j + 1;
    }
    k = k + 1;
  }
  while (i < mid) {
    buf[1][k] = buf[0][i];
    i = i + 1;
    k = k + 1;
  }
  while (j < r) {
    buf[1][k] = buf[0][j];
    j = j + 1;
    k = k + 1;
  }
  while (l < r) {
    buf[0][l] = buf[1][l];
    l = l + 1;
  }
}

// Reads like getarray (a count, then that many integers), but checks the
// count against the row before storing anything.
int read_row(int* a) {
  int count = getint();
  if (input_failed()) lang::reject("merge_sort_list", "input ended before the count");
  if (count > capacity) lang::reject("merge_sort_list", "count %d above %d", count, capacity);
  int i = 0;
  while (i < count) {
    a[i] = getint();
    if (input_failed())
      lang::reject("merge_sort_list", "input ended after %d of %d values", i, count);
    i = i + 1;
  }
  return count;
}

}  // namespace

int main() {
  int count = read_row(buf[0]);
  merge_sort(0, count);
  putarray(count, buf[0]);
  return 0;
}
