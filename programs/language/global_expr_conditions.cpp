// Comparisons of arithmetic over five input globals joined by ||: the first
// true comparison ends the test. Prints nothing; returns 1 or 0.
//
// Input: a, b, c, d, e.
// Rejected: c = 0 (both the first and the second comparison divide by c),
// input that ends (or stops being a number) before e.
//
// Arithmetic wraps at 32 bits; the most negative integer / -1 is itself.
#include "lang/arith.hpp"
#include "lang/reject.hpp"
#include "language/read_input.hpp"

namespace {

int a = 0;
int b = 0;
int c = 0;
int d = 0;
int e = 0;

}  // namespace

int main() {
  a = language::read_int("global_expr_conditions", 1, 5);
  b = language::read_int("global_expr_conditions", 2, 5);
  c = language::read_int("global_expr_conditions", 3, 5);
  d = language::read_int("global_expr_conditions", 4, 5);
  e = language::read_int("global_expr_conditions", 5, 5);
  if (c == 0) lang::reject("global_expr_conditions", "divisor c is 0");
  int flag = 0;
  if (lang::sub(a, lang::mul(b, c)) != lang::sub(d, lang::div(a, c)) ||
      lang::div(lang::mul(a, b), c) == lang::add(e, d) ||
      lang::add(lang::add(a, b), c) == lang::add(d, e)) {
    flag = 1;
  }
  return flag;
}
