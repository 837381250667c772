// Absolute value, sine, cosine and square root without library mathematics,
// shared by the programs that carry them. The sine divides its argument by 3
// until it is tiny, takes the tiny angle as its own sine, and climbs back up with
// sin 3y = 3 sin y - 4 sin^3 y. Every step is one single-precision operation
// in the written order, so the bits match on every platform.
#pragma once

#include "lang/arith.hpp"
#include "lang/float.hpp"

namespace float_helpers {

inline constexpr float sine_cutoff = 0x1.0c6f7ap-20f;  // 0.000001
inline constexpr float two_pi = 0x1.921fb6p+2f;        // 6.28318530718
inline constexpr float pi = 0x1.921fb6p+1f;            // 3.14159265359
inline constexpr float half_pi = 0x1.921fb6p+0f;       // 1.57079632679

// A subtraction, not a sign flip: both zeros give +0.0, and a NaN comes
// through with its sign, as the reference platform's subtraction passes it.
// Through lang::fsub, because clang may turn the plain form into a fabs that
// clears the NaN's sign.
inline float my_fabs(float x) {
  if (x > 0.0f) return x;
  return lang::fsub(0.0f, x);
}

inline float p(float x) {
  float a = 3.0f * x;
  float b = ((4.0f * x) * x) * x;
  // Past the float range both terms are infinite.
  return lang::fsub(a, b);
}

// Written as "not above" so that a NaN returns at once, as the unordered
// comparison does on the reference platform. An infinite argument never
// reaches the cut-off: callers keep infinities out.
inline float my_sin_impl(float x) {
  if (!(my_fabs(x) > sine_cutoff)) return x;
  return p(my_sin_impl(x / 3.0f));
}

inline float my_sin(float x) {
  // The bounds -6.0 and -3.0 are deliberately not -two pi and -pi.
  if (x > two_pi || x < -6.0f) {
    int k = lang::to_int(x / two_pi);
    x = x - lang::to_float(k) * two_pi;
  }
  if (x > pi) x = x - two_pi;
  if (x < -3.0f) x = x + two_pi;
  return my_sin_impl(x);
}

inline float my_cos(float x) {
  return my_sin(x + half_pi);
}

// Square root by ten Newton steps from a rational first guess, the core of the
// programs' my_sqrt routines (the calculus program scales large arguments
// first). For 0.0 it gives 0.5 halved ten times, 2^-11. F is float, or the
// renderer's lanes of floats.
template <class F>
F newton_sqrt(F x) {
  F q1 = x / 8.0f;
  F s = q1 + 0.5f;
  F q2 = (2.0f * x) / (4.0f + x);
  F t = s + q2;
  int c = 0;
  while (c < 10) {
    t = (t + x / t) / 2.0f;
    c = c + 1;
  }
  return t;
}

}  // namespace float_helpers
