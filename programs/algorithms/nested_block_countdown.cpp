// Counts a global and a local down through nested blocks; prints -40 with no
// newline and returns 3390 (exit status 62).
#include "suite_runtime.h"

namespace {

int k;

}  // namespace

int main() {
  k = 3389;
  if (k < 10000) {
    k = k + 1;
    int n = 112;
    while (n > 10) {
      n = n - 88;
      if (n < 1000) {
        int p = 9;
        int q = 11;
        {
          p = 10;
          n = n - p;
          int r = 11;
          n = n + r + q;
        }
      }
    }
    putint(n);
  }
  return k;
}
