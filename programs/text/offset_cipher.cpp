// Applies an offset "encoding" and "decoding" to 400 and prints the result,
// 401: the two functions are not inverse to each other.
#include "suite_runtime.h"

namespace {

int enc(int a) {
  if (a > 25)
    a = a + 60;
  else
    a = a - 15;
  return a;
}

int dec(int a) {
  if (a > 85)
    a = a - 59;
  else
    a = a + 14;
  return a;
}

}  // namespace

int main() {
  int a = 400;
  int res = enc(a);
  res = dec(res);
  putint(res);
  putch(10);
  return 0;
}
