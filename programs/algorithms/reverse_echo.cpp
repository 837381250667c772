// Reads 200 integers and prints them in reverse order with no separators,
// through a recursion 200 levels deep: each level reads its value before
// recursing and prints it after.
//
// Rejected: input that ends before the 200th integer (nothing is printed,
// since every read precedes every print).
#include "lang/reject.hpp"
#include "suite_runtime.h"

namespace {

constexpr int total = 200;

int read_value(int n) {
  int v = getint();
  if (input_failed())
    lang::reject("reverse_echo", "input ended after %d of %d integers", total - n, total);
  return v;
}

void reverse(int n) {
  int v;
  if (n <= 1) {
    v = read_value(n);
    putint(v);
  } else {
    v = read_value(n);
    reverse(n - 1);
    putint(v);
  }
}

}  // namespace

int main() {
  reverse(total);
  return 0;
}
