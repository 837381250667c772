// Tower of Hanoi: for each disk count read, prints on one line the moves that
// carry the disks from peg 1 to peg 3, each as "from to, ".
//
// Input: a count t, then t disk counts.
// Rejected: a disk count of 0 or below (the recursion would never reach a
// single disk), one above 20 (the moves double with each disk: 20 disks
// already print a line of about 6 MB, 31 would print 12 GB, and the recursion
// depth grows with the count), input that ends before the count or within
// the disk counts.
#include "lang/reject.hpp"
#include "suite_runtime.h"

namespace {

constexpr int max_disks = 20;

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
