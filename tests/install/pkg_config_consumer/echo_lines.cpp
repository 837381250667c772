// Copies its input through getch and putch, then counts the lines and bytes
// with putf: an outside C++ program linked with the flags pkg-config gives.
#include <suite_runtime.h>

int main() {
  int bytes = 0;
  int lines = 0;
  for (int c = getch(); c != -1; c = getch()) {
    putch(c);
    bytes++;
    if (c == '\n') lines++;
  }
  putf("%d lines, %d bytes\n", lines, bytes);
  return input_failed() ? 0 : 1;
}
