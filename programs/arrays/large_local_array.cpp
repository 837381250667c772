// One function whose frame holds three local arrays of 10000 ints, filled
// from one another with remainders and folded into a running answer. Prints
// thirty intermediate answers run together and returns the last answer
// (61656, exit status 216).
#include "suite_runtime.h"

namespace {

int long_array(int n) {
  // All three arrays stay in this frame (about 117 KiB of stack).
  int arr1[10000];
  int arr2[10000];
  int arr3[10000];
  int i;
  int ans;
  int j;
  int k;

  i = 0;
  while (i < 10000) {
    arr1[i] = (i * i) % 10;
    i = i + 1;
  }
  i = 0;
  while (i < 10000) {
    arr2[i] = (arr1[i] * arr1[i]) % 10;
    i = i + 1;
  }
  i = 0;
  while (i < 10000) {
    arr3[i] = (arr2[i] * arr2[i]) % 100 + arr1[i];
    i = i + 1;
  }

  ans = 0;
  i = 0;
  while (i < 10000) {
    if (i < 10) {
      ans = (ans + arr3[i]) % 1333;
      putint(ans);
    } else if (i < 20) {
      j = 5000;
      while (j < 10000) {
        ans = ans + arr3[i] - arr1[j];
        j = j + 1;
      }
      putint(ans);
    } else if (i < 30) {
      k = 5000;
      while (k < 10000) {
        ans = ans + arr2[i] - arr1[k];
        k = k + 1;
      }
      putint(ans);
    } else {
      ans = (ans + arr3[i] * n) % 99988;
    }
    i = i + 1;
  }
  return ans;
}

}  // namespace

int main() {
  return long_array(9);
}
