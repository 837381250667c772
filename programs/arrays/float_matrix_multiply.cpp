// The product of two 3x3 float matrices whose rows are nine separate arrays,
// all passed to one function that writes the product rows in place.
// Prints the product row by row (no separator inside a row) and returns 0.
#include "arrays/matrix_multiply.hpp"

int main() {
  return matrix_multiply_main<float>();
}
