// Knuth-Morris-Pratt search: reads a pattern line and a text line and prints
// the position just past the first occurrence of the pattern in the text
// (the number of text characters consumed when the match completed), or -1.
//
// Input: a pattern line, then a text line, each of at most 4095 characters.
// A text line cut short by the end of input ends there (files often lack the
// last newline).
// Rejected: a line longer than 4095 characters, input that ends within the
// pattern line or before any text character (there is no text to search).
#include "lang/reject.hpp"
#include "suite_runtime.h"

namespace {

constexpr int line_size = 4096;

// Set by read_str when the end of input took the place of the newline.
int reached_end = 0;

int read_str(int* buf) {
  int i = 0;
  while (true) {
    buf[i] = getch();
    if (buf[i] == 10) break;
    if (buf[i] == -1) {
      reached_end = 1;
      break;
    }
    i = i + 1;
    if (i == line_size) lang::reject("kmp_search", "line longer than %d characters", line_size - 1);
  }
  buf[i] = 0;
  return i;
}

void get_next(const int* str, int* next) {
  next[0] = -1;
  int i = 0;
  int j = -1;
  while (str[i] != 0) {
    if (j == -1 || str[i] == str[j]) {
      j = j + 1;
      i = i + 1;
      next[i] = j;
    } else {
      j = next[j];
    }
  }
}

int KMP(const int* dst, const int* src) {
  int next[line_size];
  get_next(dst, next);
  int i = 0;
  int j = 0;
  while (src[j] != 0) {
    if (dst[i] == src[j]) {
      i = i + 1;
      j = j + 1;
      if (dst[i] == 0) return j;
    } else {
      i = next[i];
      if (i == -1) {
        i = i + 1;
        j = j + 1;
      }
    }
  }
  return -1;
}

}  // namespace

int main() {
  int dst[line_size];
  int src[line_size];
  read_str(dst);
  if (reached_end) lang::reject("kmp_search", "input ended within the pattern line");
  int length = read_str(src);
  if (reached_end && length == 0) lang::reject("kmp_search", "input ended before the text line");
  putint(KMP(dst, src));
  putch(10);
  return 0;
}
