// The largest sum of a non-empty run of consecutive elements of a fixed
// array, by the running-sum method; the answer (25) is the exit status.
#include "algorithms/puzzle_data.hpp"

namespace {

int maxSubArray(const int* nums, int n) {
  if (n == 0) return 0;
  if (n == 1) return nums[0];
  int sum = nums[0];
  int max = sum;
  int i = 1;
  while (i < n) {
    if (sum < 0) sum = 0;
    sum = sum + nums[i];
    if (max < sum) max = sum;
    i = i + 1;
  }
  return max;
}

}  // namespace

int main() {
  int res = 10;
  int a[10];
  puzzle::fill_signed(a);
  res = maxSubArray(a, res);
  return res;
}
