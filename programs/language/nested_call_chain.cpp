// Calls nested as arguments of calls, seven small functions each reaching its
// result through at most one tail call. The result is only the exit status.
//
// Input: four integers a, b, c, d, then ten integers e0..e9.
// Rejected: input that ends (or stops being a number) before all fourteen
// integers were read.
#include "lang/arith.hpp"
#include "language/read_input.hpp"
#include "suite_runtime.h"

namespace {

int func1(int a, int b, int c) {
  if (c == 0) {
    return lang::mul(a, b);
  } else {
    return func1(a, lang::sub(b, c), 0);
  }
}

// b is never 0 when the remainder is taken; the most negative integer % -1 is 0.
int func2(int a, int b) {
  if (b != 0) {
    return func2(lang::rem(a, b), 0);
  } else {
    return a;
  }
}

int func3(int a, int b) {
  if (b == 0) {
    return lang::add(a, 1);
  } else {
    return func3(lang::add(a, b), 0);
  }
}

int func4(int a, int b, int c) {
  if (a != 0) {
    return b;
  } else {
    return c;
  }
}

int func5(int a) {
  return lang::sub(0, a);
}

int func6(int a, int b) {
  if (a != 0 && b != 0) {
    return 1;
  } else {
    return 0;
  }
}

int func7(int a) {
  if (a == 0) {
    return 1;
  } else {
    return 0;
  }
}

}  // namespace

// Every call is sequenced into a local, so arguments are evaluated left to
// right with each inner call complete before the next argument.
int main() {
  int a = language::read_int("nested_call_chain", 1, 14);
  int b = language::read_int("nested_call_chain", 2, 14);
  int c = language::read_int("nested_call_chain", 3, 14);
  int d = language::read_int("nested_call_chain", 4, 14);
  int array[10];
  int i = 0;
  while (i < 10) {
    array[i] = language::read_int("nested_call_chain", i + 5, 14);
    i = i + 1;
  }

  // t = func5(func3(func2(func6(func7(a), func5(b)), c), d))
  int t1 = func7(a);
  int t2 = func5(b);
  int t3 = func6(t1, t2);
  int t4 = func2(t3, c);
  int t5 = func3(t4, d);
  int t = func5(t5);

  // u = func1(func2(func3(func4(func5(e1), func6(e2, func7(e3)),
  //     func2(e4, func7(e5))), e6), e7), func3(e8, func7(e9)), a)
  int u1 = func5(array[1]);
  int u2 = func7(array[3]);
  int u3 = func6(array[2], u2);
  int u4 = func7(array[5]);
  int u5 = func2(array[4], u4);
  int u6 = func4(u1, u3, u5);
  int u7 = func3(u6, array[6]);
  int u8 = func2(u7, array[7]);
  int u9 = func7(array[9]);
  int u10 = func3(array[8], u9);
  int u = func1(u8, u10, a);

  int x = func4(t, array[0], u);
  int x1 = func7(c);
  int x2 = func3(x1, d);
  int x3 = func2(b, x2);
  x = func3(x, x3);
  x = func1(x, array[0], array[1]);
  x = func2(x, array[2]);

  // y = func3(func2(func1(func2(func3(e4, func5(e5)), func5(e6)), e7,
  //     func7(e8)), func5(e9)), a)
  int y1 = func5(array[5]);
  int y2 = func3(array[4], y1);
  int y3 = func5(array[6]);
  int y4 = func2(y2, y3);
  int y5 = func7(array[8]);
  int y6 = func1(y4, array[7], y5);
  int y7 = func5(array[9]);
  int y8 = func2(y6, y7);
  int y = func3(y8, a);

  int result = func1(x, array[3], y);
  return result;
}
