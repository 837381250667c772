// && and || over input values: the right operand, a call that adds to a global
// and prints the running total, runs only when the left operand does not
// decide. The output is the totals of the calls that ran, with no separators.
//
// Input: four integers.
// Rejected: input that ends (or stops being a number) before the fourth
// integer; the totals printed up to then stay.
#include "lang/arith.hpp"
#include "language/read_input.hpp"
#include "suite_runtime.h"

namespace {

int g = 0;

int func(int n) {
  g = lang::add(g, n);
  putint(g);
  return g;
}

}  // namespace

int main() {
  int i;
  i = language::read_int("short_circuit_input", 1, 4);
  if (i > 10 && func(i) != 0)
    i = 1;
  else
    i = 0;
  i = language::read_int("short_circuit_input", 2, 4);
  if (i > 11 && func(i) != 0)
    i = 1;
  else
    i = 0;
  i = language::read_int("short_circuit_input", 3, 4);
  if (i <= 99 || func(i) != 0)
    i = 1;
  else
    i = 0;
  i = language::read_int("short_circuit_input", 4, 4);
  if (i <= 100 || func(i) != 0)
    i = 1;
  else
    i = 0;
  if (func(99) == 0 && func(100) != 0)
    i = 1;
  else
    i = 0;
  return 0;
}
