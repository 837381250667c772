// Rotates a plain-text greymap (P2) about its centre: each output pixel takes
// the input pixel found by rotating its coordinates and truncating them toward
// zero, or 0 when that falls outside the image. The output has the same size.
//
// Input: an angle, one separator character, then the image: P2, width,
// height, 255, and width * height values, row after row.
// Status 255 with nothing printed: a header not starting with P2 right after
// the separator, a width or height above 1024, a maximum other than 255.
// Rejected: input that ends before every pixel was read; an infinite angle
// when there are pixels to rotate (the sine's reduction would never end).
//
// A NaN or huge angle is accepted: the turn count saturates.
#include "image/pgm.hpp"
#include "lang/arith.hpp"
#include "lang/float.hpp"
#include "lang/reject.hpp"
#include "numeric/float_helpers.hpp"
#include "suite_runtime.h"

namespace {

using float_helpers::my_cos;
using float_helpers::my_sin;

constexpr int max_side = 1024;

int width;
int height;
int image[max_side * max_side];

int read_image() {
  if (getch() != 80) return -1;
  if (getch() != 50) return -1;
  width = getint();
  height = getint();
  if (width > max_side) return -1;
  if (height > max_side) return -1;
  if (getint() != 255) return -1;
  int y = 0;
  while (y < height) {
    int x = 0;
    while (x < width) {
      image[y * width + x] = getint();
      if (input_failed())
        lang::reject("image_rotate", "input ended at pixel %d of %d", y * width + x,
                     width * height);
      x = x + 1;
    }
    y = y + 1;
  }
  return 0;
}

// A huge angle can give an infinite or NaN sine or cosine; the products and
// sums then go through lang::f*, and the conversion saturates (NaN to 0).
// s and c are the angle's sine and cosine.
int rotate(int x, int y, float s, float c) {
  int cx = width / 2;
  int cy = height / 2;
  int dx = x - cx;
  int dy = y - cy;
  float ax = lang::fmul(lang::to_float(dx), c);
  float bx = lang::fmul(lang::to_float(dy), s);
  int src_x = lang::to_int(lang::fadd(lang::fsub(ax, bx), lang::to_float(cx)));
  float ay = lang::fmul(lang::to_float(dx), s);
  float by = lang::fmul(lang::to_float(dy), c);
  int src_y = lang::to_int(lang::fadd(lang::fadd(ay, by), lang::to_float(cy)));
  if (src_x < 0 || src_x >= width || src_y < 0 || src_y >= height) return 0;
  return image[src_y * width + src_x];
}

// The sine and cosine are the same for every pixel, so they are computed once,
// before the first pixel: an image without pixels never needs them (and its
// angle may be infinite). Built with IMAGE_ROTATE_PER_PIXEL, for the
// benchmark's baseline, they are computed again for every pixel, the way the
// program was first written.
void write_pgm(float angle) {
  float s = 0.0f;
  float c = 0.0f;
  if (width > 0 && height > 0) {
    s = my_sin(angle);
    c = my_cos(angle);
  }
  pgm::put_header(width, height);
  int y = 0;
  while (y < height) {
    // A row is rotated first and printed after: without output calls in
    // between, what is the same for the whole row is computed once.
    int row[max_side];
    int x = 0;
    while (x < width) {
#ifdef IMAGE_ROTATE_PER_PIXEL
      s = my_sin(angle);
      c = my_cos(angle);
#endif
      row[x] = rotate(x, y, s, c);
      x = x + 1;
    }
    x = 0;
    while (x < width) {
      putint(row[x]);
      putch(32);
      x = x + 1;
    }
    putch(10);
    y = y + 1;
  }
}

}  // namespace

int main() {
  float angle = getfloat();
  getch();
  if (read_image() < 0) return -1;
  bool has_pixels = width > 0 && height > 0;
  if (has_pixels && !lang::is_finite(angle) && !lang::is_nan(angle))
    lang::reject("image_rotate", "angle %a is infinite", static_cast<double>(angle));
  write_pgm(angle);
  return 0;
}
