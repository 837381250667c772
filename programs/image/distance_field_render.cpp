// Renders two circles, one of them a light, by sphere tracing a signed
// distance field: for each pixel, 24 rays in jittered, evenly spaced
// directions march through the field, and the pixel is the mean light they
// hit. Prints a 192 x 192 plain-text greymap (P2).
//
// Reads no input. The generator is consumed 24 times per pixel in printing
// order, so the image depends on that order and on nothing being skipped.
//
// All coordinates stay within a few units of the scene, so no infinity or
// NaN can arise here (the shared sine guards its own subtraction).
#include "image/distance_field.hpp"
#include "image/pgm.hpp"
#include "suite_runtime.h"

namespace {

using distance_field::image_size;
using distance_field::pixel_value;

void write_pgm() {
  pgm::put_header(image_size, image_size);
  int row = 0;
  while (row < image_size) {
    int column = 0;
    while (column < image_size) {
      putint(pixel_value(column, row));
      putch(32);
      column = column + 1;
    }
    putch(10);
    row = row + 1;
  }
}

}  // namespace

int main() {
  write_pgm();
  return 0;
}
