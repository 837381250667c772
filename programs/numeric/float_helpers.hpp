// Absolute value, sine, cosine and square root without library mathematics,
// shared by the programs that carry them. The sine divides its argument by 3
// until it is tiny, takes the tiny angle as its own sine, and climbs back up
// with sin 3y = 3 sin y - 4 sin^3 y. Every step is one single-precision
// operation in the written order (lanes::add etc.), so the bits match on
// every platform.
//
// Each routine is written once over a float type F: plain float, or
// lanes::Floats, many values side by side (the renderer's rays), each lane
// doing exactly the plain float's operations. Branches on values are masks
// (see lanes.hpp); for plain floats they are the plain branches.
#pragma once

#include "lang/arith.hpp"
#include "lang/float.hpp"
#include "numeric/lanes.hpp"

namespace float_helpers {

inline constexpr float sine_cutoff = 0x1.0c6f7ap-20f;  // 0.000001
inline constexpr float two_pi = 0x1.921fb6p+2f;        // 6.28318530718
inline constexpr float pi = 0x1.921fb6p+1f;            // 3.14159265359
inline constexpr float half_pi = 0x1.921fb6p+0f;       // 1.57079632679

// What a comparison of two F gives: bool for plain floats.
template <class F>
using Mask = decltype(F{} < F{});

// A subtraction, not a sign flip: both zeros give +0.0, and a NaN comes back
// with its sign, as the reference platform returns it (a plain float's
// 0.0f - x may be folded into clearing the sign bit, since compilers leave a
// NaN's sign open; the lanes' subtraction returns the NaN operand).
template <class F>
F my_fabs(F x) {
  return lanes::select(x > 0.0f, x, lanes::fsub(F(0.0f), x));
}

// Past the float range both terms are infinite, and their difference is the
// reference NaN for plain floats; my_sin_impl sets such lanes right.
template <class F>
F p(F x) {
  F a = lanes::mul(3.0f, x);
  F b = lanes::mul(lanes::mul(lanes::mul(4.0f, x), x), x);
  return lanes::fsub(a, b);
}

// The recursion "not above the cut-off: x, else p(my_sin_impl(x / 3))" as two
// loops: divide by 3 while above the cut-off, counting the divisions, then
// apply p as many times. Written as "not above" so that a NaN returns at once,
// as the unordered comparison does on the reference platform. An infinite
// argument never reaches the cut-off: callers keep infinities out.
template <class F>
F my_sin_impl(F x) {
  const F start = x;
  F depth = 0.0f;  // a small whole number, exact as a float
  Mask<F> deeper = my_fabs(x) > sine_cutoff;
  while (lanes::any(deeper)) {
    x = lanes::select(deeper, lanes::div(x, 3.0f), x);
    depth = lanes::select(deeper, lanes::add(depth, 1.0f), depth);
    deeper = deeper & (my_fabs(x) > sine_cutoff);
  }
  Mask<F> climbing = depth > 0.0f;
  while (lanes::any(climbing)) {
    x = lanes::select(climbing, p(x), x);
    depth = lanes::sub(depth, 1.0f);
    climbing = depth > 0.0f;
  }
  return lanes::redo_nan_lanes(x, start, my_sin_impl<float>);
}

// Whole turns come off through the saturating integer conversion
// (lanes::truncated is lang::to_int's value as a float).
template <class F>
F my_sin(F x) {
  // The bounds -6.0 and -3.0 are deliberately not -two pi and -pi.
  Mask<F> reduce = (x > two_pi) | (-6.0f > x);
  if (lanes::any(reduce))
    x = lanes::select(
        reduce, lanes::sub(x, lanes::mul(lanes::truncated(lanes::div(x, two_pi)), two_pi)), x);
  x = lanes::select(x > pi, lanes::sub(x, two_pi), x);
  x = lanes::select(-3.0f > x, lanes::add(x, two_pi), x);
  return my_sin_impl(x);
}

template <class F>
F my_cos(F x) {
  return my_sin(lanes::add(x, half_pi));
}

// Square root by ten Newton steps from a rational first guess, the core of the
// programs' my_sqrt routines (the calculus program scales large arguments
// first). For 0.0 it gives 0.5 halved ten times, 2^-11.
template <class F>
F newton_sqrt(F x) {
  F q1 = lanes::div(x, 8.0f);
  F s = lanes::add(q1, 0.5f);
  F q2 = lanes::div(lanes::mul(2.0f, x), lanes::add(4.0f, x));
  F t = lanes::add(s, q2);
  int c = 0;
  while (c < 10) {
    t = lanes::div(lanes::add(t, lanes::div(x, t)), 2.0f);
    c = c + 1;
  }
  return t;
}

}  // namespace float_helpers
