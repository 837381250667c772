// Every placement of n non-attacking queens on an n by n board, found by
// backtracking over flag arrays for columns and both diagonals, for each
// board size read. Prints one placement per line (the queens' columns, row 1
// first) and returns the number of placements over all sizes.
//
// Input: a count t, then t board sizes; a size of 0 or below prints nothing.
// Every size up to 24 is computed, however long it takes: 14 prints 365596
// placements (12064668 bytes), and each size above takes several times longer.
// Rejected: a board size above 24 (the diagonal flags line1[step + i] reach
// index 2 * n, past the end of line1), input that ends before the count or
// before t sizes.
#include "lang/arith.hpp"
#include "lang/reject.hpp"
#include "suite_runtime.h"

namespace {

int n;
int sum;
int ans[50];
int row[50];
int line1[50];
int line2[100];

// The largest n whose diagonal index 2 * n stays inside line1.
constexpr int largest_board = (sizeof line1 / sizeof line1[0] - 1) / 2;

void printans() {
  sum = lang::add(sum, 1);
  int i = 1;
  while (i <= n) {
    putint(ans[i]);
    if (i == n) {
      putch(10);
      return;
    }
    putch(32);
    i = i + 1;
  }
}

// A placement is printed while its last queen is placed; the call for row
// n + 1 then finds every column taken.
void f(int step) {
  int i = 1;
  while (i <= n) {
    if (row[i] != 1 && line1[step + i] == 0 && line2[n + step - i] == 0) {
      ans[step] = i;
      if (step == n) printans();
      row[i] = 1;
      line1[step + i] = 1;
      line2[n + step - i] = 1;
      f(step + 1);
      row[i] = 0;
      line1[step + i] = 0;
      line2[n + step - i] = 0;
    }
    i = i + 1;
  }
}

}  // namespace

int main() {
  int t = getint();
  if (input_failed()) lang::reject("queens_solutions", "input ended before the board count");
  int board = 0;
  while (t > 0) {
    n = getint();
    board = board + 1;
    if (input_failed()) lang::reject("queens_solutions", "input ended before board size %d", board);
    if (n > largest_board)
      lang::reject("queens_solutions", "board size %d above %d", n, largest_board);
    f(1);
    t = t - 1;
  }
  return sum;
}
