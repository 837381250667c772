// The least number of scalar multiplications for a chain of five matrices,
// by interval dynamic programming. Prints that cost (3650) with no newline
// and returns 0.
#include "suite_runtime.h"

namespace {

int a[6] = {10, 1, 50, 50, 20, 5};
// dp[i][j]: least cost between boundaries i and j; 0 means not yet computed
// (no computed cost is 0, every dimension being positive).
int dp[10][10];

}  // namespace

int main() {
  int n = 6;
  int len = 3;
  int i;
  int j;
  int k;
  int t;

  while (len <= n) {
    i = 0;
    while (i < n - len + 1) {
      j = i + len - 1;
      k = i + 1;
      while (k < j) {
        t = (dp[i][k] + dp[k][j]) + a[i] * a[k] * a[j];
        if (dp[i][j] == 0 || t < dp[i][j]) dp[i][j] = t;
        k = k + 1;
      }
      i = i + 1;
    }
    len = len + 1;
  }
  putint(dp[0][n - 1]);
  return 0;
}
