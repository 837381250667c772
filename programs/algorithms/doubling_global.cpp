// Doubles a global ten times from 1; prints 1024 with no newline and returns
// it (exit status 0).
#include "suite_runtime.h"

namespace {

int k;

}  // namespace

int main() {
  int i = 0;
  k = 1;
  while (i <= 9) {
    i = i + 1;
    k = k + k;
  }
  putint(k);
  return k;
}
