// The largest area between two walls of a fixed height array, found by the
// two-pointer scan; the answer (56) is the exit status.
#include "algorithms/puzzle_data.hpp"

namespace {

int maxArea(const int* height, int n) {
  int i = 0;
  int j = n - 1;
  int ret = -1;
  while (i < j) {
    int area;
    if (height[i] < height[j])
      area = (j - i) * height[i];
    else
      area = (j - i) * height[j];
    if (area > ret) ret = area;
    // On equal heights the left index moves.
    if (height[i] > height[j])
      j = j - 1;
    else
      i = i + 1;
  }
  return ret;
}

}  // namespace

int main() {
  int res = 10;
  int a[10];
  puzzle::fill_non_negative(a);
  res = maxArea(a, res);
  return res;
}
