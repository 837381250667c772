// Sum of the divisors of 1478 (1 + 2 + 739 + 1478 = 2220); the exit status
// is its low 8 bits, 172.
#include "lang/arith.hpp"

namespace {

int factor(int n) {
  int sum = 0;
  int i = 1;
  while (i < n + 1) {
    if (lang::rem(n, i) == 0) sum = sum + i;
    i = i + 1;
  }
  return sum;
}

}  // namespace

int main() {
  int n = 1478;
  return factor(n);
}
