// The header of a plain-text greymap as both image programs print it: the
// line P2, then width, height and the maximum value 255.
#pragma once

#include "suite_runtime.h"

namespace pgm {

inline void put_header(int width, int height) {
  putch(80);
  putch(50);
  putch(10);
  putint(width);
  putch(32);
  putint(height);
  putch(32);
  putint(255);
  putch(10);
}

}  // namespace pgm
