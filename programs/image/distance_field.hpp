// The renderer's scene, ray marcher and generator, kept apart from its output
// so that the generator's sequence and state can be checked on their own.
// Every float step is one single-precision operation in the written order
// (lanes::add etc., lang::add etc.).
#pragma once

#include "lang/arith.hpp"
#include "numeric/float_helpers.hpp"
#include "numeric/lanes.hpp"

namespace distance_field {

using float_helpers::two_pi;

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

// The routines below are written once over a float type F: plain float (one
// ray at a time, the program as written) or lanes::Floats (many rays side by
// side, each lane doing the plain float's operations), as are the shared
// helpers they use.
using float_helpers::Mask;
using float_helpers::my_cos;
using float_helpers::my_sin;

// Without the scaling step of the calculus program's square root.
template <class F>
F my_sqrt(F x) {
  return float_helpers::newton_sqrt(x);
}

template <class F>
F circle_sdf(F x, F y, float cx, float cy, float r) {
  F ux = lanes::sub(x, cx);
  F uy = lanes::sub(y, cy);
  return lanes::sub(my_sqrt(lanes::add(lanes::mul(ux, ux), lanes::mul(uy, uy))), r);
}

// res[0] is the distance to the nearer circle, res[1] its emission; a tie
// goes to the second circle.
template <class F>
void scene(F x, F y, F res[]) {
  F d1 = circle_sdf(x, y, 0x1.99999ap-2f, 0x1.99999ap-2f, 0x1.99999ap-4f);  // 0.4 0.4 0.1
  F d2 = circle_sdf(x, y, 0x1.333334p-1f, 0x1.333334p-1f, 0x1.99999ap-5f);  // 0.6 0.6 0.05
  Mask<F> first = d1 < d2;
  res[0] = lanes::select(first, d1, d2);
  res[1] = lanes::select(first, F(3.0f), F(0.0f));
}

// A ray stops marching when it hits (its emission is the result), leaves the
// scene or runs out of steps (0.0). Lanes that stopped keep their distance,
// which stays finite.
template <class F>
F trace(F ox, F oy, F dx, F dy) {
  F t = 0.0f;
  F light = 0.0f;
  Mask<F> marching = t < max_distance;
  int step = 0;
  F res[2];
  while (step < max_steps && lanes::any(marching)) {
    scene(lanes::add(ox, lanes::mul(dx, t)), lanes::add(oy, lanes::mul(dy, t)), res);
    Mask<F> hit = marching & (res[0] < hit_threshold);
    light = lanes::select(hit, res[1], light);
    marching = marching & !hit;
    t = lanes::select(marching, lanes::add(t, res[0]), t);
    step = step + 1;
    marching = marching & (t < max_distance);
  }
  return light;
}

// The 24 rays of a pixel, lanes::count<F> at a time. The generator is drawn
// once per ray in ray order, and the lights are summed in ray order.
template <class F>
float sample(float x, float y) {
  constexpr int width = lanes::count<F>;
  static_assert(rays % width == 0);
  float sum = 0.0f;
  int i = 0;
  while (i < rays) {
    F a = 0.0f;
    for (int lane = 0; lane < width; lane++) {
      float r = lang::to_float(rand());
      float q = lang::div(r, jitter_divisor);
      float s = lang::add(lang::to_float(i + lane), q);
      float m = lang::mul(float_helpers::two_pi, s);
      lanes::set_lane(a, lane, lang::div(m, 24.0f));
    }
    F c = my_cos(a);
    F s = my_sin(a);
    F light = trace(F(x), F(y), c, s);
    for (int lane = 0; lane < width; lane++) sum = lang::add(sum, lanes::lane(light, lane));
    i = i + width;
  }
  return lang::div(sum, 24.0f);
}

// The printed value of one pixel: the column gives x, the row gives y. The
// mean is never negative, so only the top needs a clamp.
template <class F>
int pixel_value(int column, int row) {
  float v =
      sample<F>(lang::div(lang::to_float(column), 192.0f), lang::div(lang::to_float(row), 192.0f));
  int value = lang::to_int(lang::mul(v, 255.0f));
  if (value > 255) value = 255;
  return value;
}

}  // namespace distance_field
