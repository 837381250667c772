// The length of the last run of non-zero elements of a fixed array, zero
// standing for a space; the answer (5) is the exit status.
#include "algorithms/puzzle_data.hpp"

namespace {

int lengthOfLastWord(const int* a, int n) {
  if (n == 0) return 0;
  int c = n - 1;
  while (c > -1 && a[c] == 0) c = c - 1;
  if (c == -1) return 0;
  int i = c;
  while (i > -1) {
    if (a[i] == 0) return n - i - 1 - (n - 1 - c);
    i = i - 1;
  }
  return c - i;
}

}  // namespace

int main() {
  int res = 10;
  int a[10];
  puzzle::fill_signed(a);
  res = lengthOfLastWord(a, res);
  return res;
}
