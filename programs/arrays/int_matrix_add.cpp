// The sum of two 3x3 int matrices whose rows are nine separate arrays,
// all passed to one function that writes the result rows in place.
// Prints the result row by row (no separator inside a row) and returns 0.
#include "arrays/matrix_elementwise.hpp"

int main() {
  return matrix_add_main<int>();
}
