// Removes every 3 from a fixed array, compacting it in place by moving the
// last element into each hole; the count left (8) is the exit status.
#include "algorithms/puzzle_data.hpp"

namespace {

int removeElement(int* nums, int n, int val) {
  int i = 0;
  while (i < n) {
    if (nums[i] == val) {
      // i stays: the element moved in is tested next.
      nums[i] = nums[n - 1];
      n = n - 1;
    } else {
      i = i + 1;
    }
  }
  return n;
}

}  // namespace

int main() {
  int res = 10;
  int a[10];
  puzzle::fill_non_negative(a);
  int val = 3;
  res = removeElement(a, res, val);
  return res;
}
