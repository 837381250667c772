// Renders two circles, one of them a light, by sphere tracing a signed
// distance field: for each pixel, 24 rays in jittered, evenly spaced
// directions march through the field, and the pixel is the mean light they
// hit. Prints a 192 x 192 plain-text greymap (P2).
//
// Reads no input. The generator is consumed 24 times per pixel in printing
// order, so the image depends on that order and on nothing being skipped.
//
// All coordinates stay within a few units of the scene, so no infinity or
// NaN can arise here.
//
// The 24 rays of a pixel are independent: where the processor has exact
// vector lanes they are traced side by side, each lane doing the operations
// of its own ray. Built with DISTANCE_FIELD_SCALAR, the program traces one ray
// at a time through the same routines (the benchmark's baseline).
#include "image/distance_field.hpp"
#include "image/pgm.hpp"
#include "suite_runtime.h"

namespace {

using distance_field::image_size;

#if LANES_AVAILABLE && !defined(DISTANCE_FIELD_SCALAR)
using Rays = lanes::Floats<6>;  // 24 lanes
#else
using Rays = float;
#endif

void write_pgm() {
  pgm::put_header(image_size, image_size);
  int row = 0;
  while (row < image_size) {
    int column = 0;
    while (column < image_size) {
      putint(distance_field::pixel_value<Rays>(column, row));
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
