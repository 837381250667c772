// Tower of Hanoi: for each disk count read, prints on one line the moves that
// carry the disks from peg 1 to peg 3, each as "from to, ".
//
// Input: a count t, then t disk counts. Every count from 1 to 100000 is
// computed, however long it takes: n disks print 2^n - 1 moves of 5 bytes and
// a newline (20 disks 5242876 bytes, 21 disks 10485756), so counts above about
// 40 never finish printing.
// Rejected: a disk count of 0 or below (the recursion would never reach a
// single disk), one above 100000 (the recursion is n calls deep: the deepest
// build, clang's with 48-byte frames, overflows the default 8 MiB stack at
// about 174000 calls), input that ends before the count or within the disk
// counts.
#include "lang/reject.hpp"
#include "suite_runtime.h"

namespace {

// Recursion depth that fits any supported build's stack with room to spare.
constexpr int max_disks = 100000;

void move(int x, int y) {
  putint(x);
  putch(32);
  putint(y);
  putch(44);
  putch(32);
}

void hanoi(int n, int one, int two, int three) {
  if (n == 1) {
    move(one, three);
  } else {
    hanoi(n - 1, one, three, two);
    move(one, three);
    hanoi(n - 1, two, one, three);
  }
}

int read_disks(int line) {
  int n = getint();
  if (input_failed()) lang::reject("hanoi_moves", "input ended before disk count %d", line);
  if (n < 1) lang::reject("hanoi_moves", "disk count %d is not positive", n);
  if (n > max_disks) lang::reject("hanoi_moves", "disk count %d above %d", n, max_disks);
  return n;
}

}  // namespace

int main() {
  int t = getint();
  if (input_failed()) lang::reject("hanoi_moves", "input ended before the count");
  int line = 0;
  while (t > 0) {
    line = line + 1;
    hanoi(read_disks(line), 1, 2, 3);
    putch(10);
    t = t - 1;
  }
  return 0;
}
