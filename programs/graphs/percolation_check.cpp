// Opens the cells of a 4 by 4 grid in the order read and reports the step
// at which an open path first joins the top row to the bottom row, or -1.
// Connectivity is a disjoint-set forest (path compression, no ranks) over
// the cells 1 to 16, node 0 above the top row and node 17 below the bottom.
//
// Input: 10 pairs row column; all ten are read even after the answer is
// found, and then go unused. A row or column outside 1 to 4 is computed as
// the node n * (row - 1) + column it names (wrapping), wherever that lands.
// Rejected: a pair whose node, or a neighbour node it reads, falls outside the
// array's 110 nodes (0 to 109) while the answer is still open; input that
// ends before 20 numbers.
#include "lang/arith.hpp"
#include "lang/reject.hpp"
#include "suite_runtime.h"

namespace {

int n;
// array[x]: the parent of node x, -1 for a closed cell.
int array[110];

// array[x], for an x that may come from a row or column outside the grid.
int& at(int x) {
  if (x < 0 || x >= static_cast<int>(sizeof array / sizeof array[0]))
    lang::reject("percolation_check", "node %d outside the array (0 to 109)", x);
  return array[x];
}

void init(int n) {
  int i = 1;
  while (i <= n * n + 1) {
    array[i] = -1;
    i = i + 1;
  }
}

int findfa(int x) {
  if (at(x) == x) return x;
  at(x) = findfa(at(x));
  return at(x);
}

// The root of the first argument's set is hung under the second's.
void mmerge(int x, int y) {
  int a = findfa(x);
  int b = findfa(y);
  if (a != b) at(a) = b;
}

void check_input(int step) {
  if (input_failed()) lang::reject("percolation_check", "input ended within step %d", step);
}

}  // namespace

int main() {
  int t = 1;
  while (t) {
    t = t - 1;
    n = 4;
    int steps = 10;
    int i = 0;
    int found = 0;
    init(n);
    int bottom = n * n + 1;
    while (i < steps) {
      int a = getint();
      int b = getint();
      check_input(i + 1);
      if (found == 0) {
        int loc = lang::add(lang::mul(n, lang::sub(a, 1)), b);
        // Opening an open cell again makes it its own root again.
        at(loc) = loc;
        if (a == 1) {
          array[0] = 0;
          mmerge(loc, 0);
        }
        if (a == n) {
          array[bottom] = bottom;
          mmerge(loc, bottom);
        }
        if (b < n && at(loc + 1) != -1) mmerge(loc, loc + 1);
        if (b > 1 && at(loc - 1) != -1) mmerge(loc, loc - 1);
        if (a < n && at(loc + n) != -1) mmerge(loc, loc + n);
        if (a > 1 && at(loc - n) != -1) mmerge(loc, loc - n);
        if (array[0] != -1 && array[bottom] != -1) {
          int top_root = findfa(0);
          int bottom_root = findfa(bottom);
          if (top_root == bottom_root) {
            found = 1;
            putint(i + 1);
            putch(10);
          }
        }
      }
      i = i + 1;
    }
    if (found == 0) {
      putint(-1);
      putch(10);
    }
  }
  return 0;
}
