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

// The same step, also adding each new result to s.
int get_ans_se(int ans, int x, int y) {
  ans = get_ans(ans, x, y);
  s = s + ans;
  return ans;
}

// Operand pairs of the two chains, in call order.
constexpr int first_chain[7][2] = {
    {-2147483647 - 1, -2147483647 - 1}, {-2147483647, -2147483647},
    {-2147483647 - 1, -2147483647 - 1}, {-2147483647 - 1, 2147483647},
    {-1073741824, -1073741823},         {-2147483647 - 1, -2147483647 - 1},
    {-2147483647 - 1, 2147483647}};
constexpr int second_chain[4][2] = {{-2147483647, 2147483647},
                                    {-2147483647, 2147483646},
                                    {2147483647, 2147483646},
                                    {-1073741824, -1073741824}};

}  // namespace

int main() {
  int a = 0;
  for (const auto& pair : first_chain) a = get_ans(a, pair[0], pair[1]);
  int b = 0;
  for (const auto& pair : second_chain) b = get_ans(b, pair[0], pair[1]);
  int c = 0;
  for (const auto& pair : first_chain) c = get_ans_se(c, pair[0], pair[1]);
  int d = 0;
  for (const auto& pair : second_chain) d = get_ans_se(d, pair[0], pair[1]);
  return a + b + c + d;
}
