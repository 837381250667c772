// The transpose of a 3x3 int matrix whose rows are nine separate arrays (A, B, C),
// all passed to one function that writes the result rows in place.
// Prints the result row by row (no separator inside a row) and returns 0.
#include "arrays/matrix_elementwise.hpp"

int main() {
  return matrix_transpose_main<int>();
}
