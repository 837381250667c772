// Shifts the results of equality tests between values at the edges of the
// 32-bit range into integers bit by bit, through two functions that differ
// only in adding each result to a global. Returns 114 + 1 + 114 + 1 = 230.
namespace {

int s;

int get_ans(int ans, int x, int y) {
  int t = 0;
  if (x == y) t = 1;
  ans = ans * 2;
  ans = ans + t;
  return ans;
}

int get_ans_se(int ans, int x, int y) {
  int t = 0;
  if (x == y) t = 1;
  ans = ans * 2;
  ans = ans + t;
  s = s + ans;
  return ans;
}

}  // namespace

int main() {
  int a = 0;
  a = get_ans(a, -2147483647 - 1, -2147483647 - 1);
  a = get_ans(a, -2147483647, -2147483647);
  a = get_ans(a, -2147483647 - 1, -2147483647 - 1);
  a = get_ans(a, -2147483647 - 1, 2147483647);
  a = get_ans(a, -1073741824, -1073741823);
  a = get_ans(a, -2147483647 - 1, -2147483647 - 1);
  a = get_ans(a, -2147483647 - 1, 2147483647);
  int b = 0;
  b = get_ans(b, -2147483647, 2147483647);
  b = get_ans(b, -2147483647, 2147483646);
  b = get_ans(b, 2147483647, 2147483646);
  b = get_ans(b, -1073741824, -1073741824);
  int c = 0;
  c = get_ans_se(c, -2147483647 - 1, -2147483647 - 1);
  c = get_ans_se(c, -2147483647, -2147483647);
  c = get_ans_se(c, -2147483647 - 1, -2147483647 - 1);
  c = get_ans_se(c, -2147483647 - 1, 2147483647);
  c = get_ans_se(c, -1073741824, -1073741823);
  c = get_ans_se(c, -2147483647 - 1, -2147483647 - 1);
  c = get_ans_se(c, -2147483647 - 1, 2147483647);
  int d = 0;
  d = get_ans_se(d, -2147483647, 2147483647);
  d = get_ans_se(d, -2147483647, 2147483646);
  d = get_ans_se(d, 2147483647, 2147483646);
  d = get_ans_se(d, -1073741824, -1073741824);
  return a + b + c + d;
}
