// Whether the last index of a fixed array can be reached from the first when
// index i allows a jump of 0 to nums[i] places; the answer (1) is the exit
// status.
#include "algorithms/puzzle_data.hpp"

namespace {

// Backward table over at most ten places.
int canJump(const int* nums, int n) {
  if (n == 1) return 1;
  if (nums[0] > n - 2) return 1;
  int dp[10];
  int i = 0;
  while (i < n - 1) {
    dp[i] = 0;
    i = i + 1;
  }
  dp[n - 1] = 1;
  i = n - 2;
  while (i > -1) {
    int j;
    if (nums[i] < n - 1 - i)
      j = nums[i];
    else
      j = n - 1 - i;
    // Every jump length is scanned, 0 (dp[i] itself) included.
    while (j > -1) {
      if (dp[i + j] != 0) dp[i] = 1;
      j = j - 1;
    }
    i = i - 1;
  }
  return dp[0];
}

}  // namespace

int main() {
  int res = 10;
  int a[10];
  puzzle::fill_non_negative(a);
  res = canJump(a, res);
  return res;
}
