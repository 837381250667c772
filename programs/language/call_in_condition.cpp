// A function that prints inside a condition: && and || call it only when their
// left operand does not decide the result. Prints 05040 (calls with 0, 50 and
// 40; never with 100 or 1).
#include "suite_runtime.h"

namespace {

int func(int a) {
  putint(a);
  if (a <= 50) {
    return 1;
  } else {
    return 0;
  }
}

}  // namespace

int main() {
  [[maybe_unused]] int flag;
  if (func(0) == 1 || (func(50) == 1 && func(100) == 0)) {
    flag = 0;
  } else {
    flag = 1;
  }
  if ((func(50) == 1 && func(40) == 1) || func(1) == 1) {
    flag = 0;
  } else {
    flag = 1;
  }
  return 0;
}
