// Reads numbers one character at a time and prints them back digit by digit:
// a count, then that many numbers, each echoed on its own line. Every
// character other than a digit separates numbers (a minus sign too, so -5
// reads as 5); 0 prints as an empty line.
//
// Rejected: input that ends while a number's first digit is still awaited.
#include "lang/arith.hpp"
#include "lang/reject.hpp"
#include "suite_runtime.h"

namespace {

int my_getint() {
  int c = getch() - 48;
  while (c < 0 || c > 9) {
    if (c == -1 - 48) lang::reject("char_digit_io", "input ended while looking for a digit");
    c = getch() - 48;
  }
  int sum = c;
  // The character that ends the number (end of input too) is consumed.
  c = getch() - 48;
  while (c >= 0 && c <= 9) {
    sum = lang::add(lang::mul(sum, 10), c);
    c = getch() - 48;
  }
  return sum;
}

void my_putint(int a) {
  int b[16];
  int i = 0;
  while (a > 0) {
    b[i] = a % 10 + 48;
    a = a / 10;
    i = i + 1;
  }
  while (i > 0) {
    i = i - 1;
    putch(b[i]);
  }
}

}  // namespace

int main() {
  int n = my_getint();
  while (n > 0) {
    int m = my_getint();
    my_putint(m);
    putch(10);
    n = n - 1;
  }
  return 0;
}
