// Number of ways to climb 5 steps taking 1 or 2 at a time; the answer (8) is
// the exit status.
namespace {

// The table has ten places, so n must not exceed 9.
int climbStairs(int n) {
  if (n < 4) return n;
  int dp[10];
  dp[0] = 0;
  dp[1] = 1;
  dp[2] = 2;
  int i = 3;
  while (i < n + 1) {
    dp[i] = dp[i - 1] + dp[i - 2];
    i = i + 1;
  }
  return dp[n];
}

}  // namespace

int main() {
  int res;
  int n = 5;
  res = climbStairs(n);
  return res;
}
