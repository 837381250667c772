// && with a second test that runs only when the first holds: 1 when the two
// input integers are equal and not 3, else 0. Prints nothing.
//
// Input: a, b. Rejected: input that ends (or stops being a number) before b.
#include "language/read_input.hpp"

namespace {

int a = 0;
int b = 0;

}  // namespace

int main() {
  a = language::read_int("equal_not_three", 1, 2);
  b = language::read_int("equal_not_three", 2, 2);
  int flag;
  if (a == b && a != 3) {
    flag = 1;
  } else {
    flag = 0;
  }
  return flag;
}
