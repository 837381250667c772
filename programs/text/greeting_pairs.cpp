// Prints a welcome line and greetings between pairs of six names, visiting
// all 32 values of i -> (i * 17 + 23) % 32 once; the name pairs come from
// i / 6 and i % 6, and equal pairs are skipped. Strings are int arrays of
// character codes ended by 0.
#include "suite_runtime.h"

namespace {

int __HELLO[100] = {'W', 'e', 'l', 'c', 'o', 'm', 'e', ' ', 't', 'o', ' ', 't', 'h', 'e',
                    ' ', 'J', 'a', 'p', 'a', 'r', 'i', ' ', 'P', 'a', 'r', 'k', '!', '\n'};

int N4__mE___[6][50] = {
    {'S', 'a', 'a', 'b', 'a', 'r', 'u'},
    {'K', 'a', 'b', 'a', 'n'},
    {'H', 'a', 's', 'h', 'i', 'b', 'i', 'r', 'o', 'k', 'o', 'u'},
    {'A', 'r', 'a', 'i', 'g', 'u', 'm', 'a'},
    {'H', 'u', 'n', 'b', 'o', 'r', 'u', 't', 'o', ' ', 'P', 'e', 'n', 'g', 'i', 'n'},
    {'T', 'a', 'i', 'r', 'i', 'k', 'u', ' ', 'O', 'o', 'k', 'a', 'm', 'i'}};

int saY_HeI10_To[40] = {' ', 's', 'a', 'y', 's', ' ', 'h', 'e', 'l', 'l', 'o', ' ', 't', 'o', ' '};

int RET[5] = {10};

int putstr(const int* str) {
  int i = 0;
  while (str[i] != 0) {
    putch(str[i]);
    i = i + 1;
  }
  return i;
}

}  // namespace

int main() {
  putstr(__HELLO);
  int i = 0;
  while (true) {
    int a = i / 6;
    int b = i % 6;
    if (a != b) {
      putstr(N4__mE___[a]);
      putstr(saY_HeI10_To);
      putstr(N4__mE___[b]);
      putstr(RET);
    }
    i = (i * 17 + 23) % 32;
    if (i == 0) break;
  }
  return 0;
}
