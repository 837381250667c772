// The renderer's scene, ray marcher and generator, kept apart from its output
// so that the generator's sequence and state can be checked on their own.
// Every float step is one single-precision operation in the written order.
#pragma once

#include "lang/arith.hpp"
#include "numeric/float_helpers.hpp"

namespace distance_field {

inline constexpr int image_size = 192;
inline constexpr int rays = 24;
inline constexpr int max_steps = 10;
inline constexpr float max_distance = 2.0f;
inline constexpr float hit_threshold = 0x1.0c6f7ap-20f;  // 0.000001
inline constexpr float jitter_divisor = 100000008.0f;    // 100000006 as a float

// State of rand; zero at start.
inline int seed = 0;

// The product and the sum wrap at 32 bits; the remainder takes the sign of
// the dividend and is brought back into range once.
inline int rand() {
  seed = lang::add(lang::mul(seed, 19980130), 23333) % 100000007;
  if (seed < 0) seed = seed + 100000007;
  return seed;
}

// Without the scaling step of the calculus program's square root.
inline float my_sqrt(float x) {
  return float_helpers::newton_sqrt(x);
}

inline float circle_sdf(float x, float y, float cx, float cy, float r) {
  float ux = x - cx;
  float uy = y - cy;
  return my_sqrt(ux * ux + uy * uy) - r;
}

// res[0] is the distance to the nearer circle, res[1] its emission; a tie
// goes to the second circle.
inline void scene(float x, float y, float res[]) {
  float d1 = circle_sdf(x, y, 0x1.99999ap-2f, 0x1.99999ap-2f, 0x1.99999ap-4f);  // 0.4 0.4 0.1
  float d2 = circle_sdf(x, y, 0x1.333334p-1f, 0x1.333334p-1f, 0x1.99999ap-5f);  // 0.6 0.6 0.05
  if (d1 < d2) {
    res[0] = d1;
    res[1] = 3.0f;
  } else {
    res[0] = d2;
    res[1] = 0.0f;
  }
}

inline float trace(float ox, float oy, float dx, float dy) {
  float t = 0.0f;
  int step = 0;
  float res[2];
  while (step < max_steps && t < max_distance) {
    scene(ox + dx * t, oy + dy * t, res);
    if (res[0] < hit_threshold) return res[1];
    t = t + res[0];
    step = step + 1;
  }
  return 0.0f;
}

inline float sample(float x, float y) {
  float sum = 0.0f;
  int i = 0;
  while (i < rays) {
    float r = lang::to_float(rand());
    float q = r / jitter_divisor;
    float s = lang::to_float(i) + q;
    float m = float_helpers::two_pi * s;
    float a = m / 24.0f;
    float c = float_helpers::my_cos(a);
    s = float_helpers::my_sin(a);
    sum = sum + trace(x, y, c, s);
    i = i + 1;
  }
  return sum / 24.0f;
}

// The printed value of one pixel: the column gives x, the row gives y. The
// mean is never negative, so only the top needs a clamp.
inline int pixel_value(int column, int row) {
  float v = sample(lang::to_float(column) / 192.0f, lang::to_float(row) / 192.0f);
  int value = lang::to_int(v * 255.0f);
  if (value > 255) value = 255;
  return value;
}

}  // namespace distance_field
