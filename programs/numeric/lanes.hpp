// Floats side by side, for routines written once over a float type F and
// instantiated both for plain floats and for lanes. Every lane does exactly
// what a plain float would, one rounding per operation, in the written order:
// the vector instructions used here (add, subtract, multiply, divide, compare,
// bitwise select, integer conversion) are exact on every lane, and nothing is
// fused or reordered (-ffp-contract=off holds for vectors too).
//
// The routines write their arithmetic as lanes::add, sub, mul and div: for
// plain floats those are lang's, which round each operation to single
// precision also where the float unit keeps excess precision (the x87, m68k);
// for lanes the vector operators.
//
// Branches become masks: a comparison gives a mask (a bool for plain floats),
// select(mask, a, b) takes a where the mask is set, any(mask) tells whether a
// loop still has work in some lane. A lane that is done keeps its values and
// goes on computing discarded results from them; the routines make sure that
// those values are finite, so nothing is trapped or undefined.
//
// Lanes exist only on x86 with SSE2 (every x86-64). Elsewhere, notably 32-bit
// ARM, whose vector unit flushes subnormals and has no division, the programs
// use the plain-float instantiation.
#pragma once

#include "lang/arith.hpp"
#include "lang/float.hpp"

#if defined(__SSE2__)
#define LANES_AVAILABLE 1
#include <emmintrin.h>
#else
#define LANES_AVAILABLE 0
#endif

namespace lanes {

// ---- Plain floats: the one-lane case ----------------------------------------

inline float select(bool mask, float a, float b) {
  return mask ? a : b;
}
inline bool any(bool mask) {
  return mask;
}

// The float of lang::to_int(q): truncated toward zero, saturated at the int
// range (2^31 above, -2^31 below), NaN to 0.
inline float truncated(float q) {
  return lang::to_float(lang::to_int(q));
}

// One rounding per operation (lang/single.hpp), and a - b with the
// reference platform's NaN (lang::fsub).
using lang::add;
using lang::div;
using lang::fsub;
using lang::mul;
using lang::sub;

// See the lane version: plain floats are right already.
template <class Plain>
float redo_nan_lanes(float r, float, Plain) {
  return r;
}

template <class F>
inline constexpr int count = 1;

inline float lane(float x, int) {
  return x;
}
inline void set_lane(float& x, int, float value) {
  x = value;
}

#if LANES_AVAILABLE

typedef float V4 __attribute__((vector_size(16)));
typedef int M4 __attribute__((vector_size(16)));

// A comparison's result in 4 * K lanes: all bits set where true.
template <int K>
struct Mask {
  M4 m[K];

  friend Mask operator&(Mask a, Mask b) {
    for (int k = 0; k < K; k++) a.m[k] &= b.m[k];
    return a;
  }
  friend Mask operator|(Mask a, Mask b) {
    for (int k = 0; k < K; k++) a.m[k] |= b.m[k];
    return a;
  }
  friend Mask operator!(Mask a) {
    for (int k = 0; k < K; k++) a.m[k] = ~a.m[k];
    return a;
  }
};

// 4 * K floats. Kept in K independent vectors so that a chain of divisions in
// one lane overlaps with the chains of the other vectors.
template <int K>
struct Floats {
  V4 v[K];

  Floats() = default;
  // Every lane the same value (an exact copy, not a sum with zero).
  Floats(float x) {  // NOLINT: plain floats mix with lanes like constants
    for (int k = 0; k < K; k++) v[k] = V4{x, x, x, x};
  }

#define LANES_ARITHMETIC(op)                               \
  friend Floats operator op(Floats a, Floats b) {          \
    for (int k = 0; k < K; k++) a.v[k] = a.v[k] op b.v[k]; \
    return a;                                              \
  }
  LANES_ARITHMETIC(+)
  LANES_ARITHMETIC(-)
  LANES_ARITHMETIC(*)
  LANES_ARITHMETIC(/)
#undef LANES_ARITHMETIC

#define LANES_COMPARISON(op)                               \
  friend Mask<K> operator op(Floats a, Floats b) {         \
    Mask<K> r;                                             \
    for (int k = 0; k < K; k++) r.m[k] = a.v[k] op b.v[k]; \
    return r;                                              \
  }
  LANES_COMPARISON(<)
  LANES_COMPARISON(>)
  LANES_COMPARISON(>=)
  LANES_COMPARISON(!=)
#undef LANES_COMPARISON
};

template <int K>
inline constexpr int count<Floats<K>> = 4 * K;

// The arithmetic of the routines, with a plain float on either side standing
// for that value in every lane.
#define LANES_NAMED(name, op)                                              \
  template <int K>                                                         \
  [[gnu::always_inline]] inline Floats<K> name(Floats<K> a, Floats<K> b) { \
    return a op b;                                                         \
  }                                                                        \
  template <int K>                                                         \
  [[gnu::always_inline]] inline Floats<K> name(float a, Floats<K> b) {     \
    return Floats<K>(a) op b;                                              \
  }                                                                        \
  template <int K>                                                         \
  [[gnu::always_inline]] inline Floats<K> name(Floats<K> a, float b) {     \
    return a op Floats<K>(b);                                              \
  }
LANES_NAMED(add, +)
LANES_NAMED(sub, -)
LANES_NAMED(mul, *)
LANES_NAMED(div, /)
#undef LANES_NAMED

template <int K>
Floats<K> select(Mask<K> mask, Floats<K> a, Floats<K> b) {
  Floats<K> r;
  for (int k = 0; k < K; k++) {
    M4 bits = ((M4)a.v[k] & mask.m[k]) | ((M4)b.v[k] & ~mask.m[k]);
    r.v[k] = (V4)bits;
  }
  return r;
}

template <int K>
bool any(Mask<K> mask) {
  M4 all = mask.m[0];
  for (int k = 1; k < K; k++) all |= mask.m[k];
  return _mm_movemask_ps((__m128)all) != 0;
}

// The lane version of truncated(float). Only lanes below 2^23 in magnitude
// (which may have a fraction) go through the integer conversion; the others
// are whole already or are saturated.
template <int K>
Floats<K> truncated(Floats<K> q) {
  const Floats<K> zero = 0.0f;
  Floats<K> magnitude = select(q < zero, zero - q, q);
  Mask<K> fractional = magnitude < Floats<K>(0x1p23f);
  Floats<K> small = select(fractional, q, zero);
  Floats<K> whole;
  for (int k = 0; k < K; k++)
    whole.v[k] = __builtin_convertvector(__builtin_convertvector(small.v[k], M4), V4);
  Floats<K> r = select(fractional, whole, q);
  r = select(q >= Floats<K>(0x1p31f), Floats<K>(0x1p31f), r);
  r = select(Floats<K>(-0x1p31f) > q, Floats<K>(-0x1p31f), r);
  return select(q != q, zero, r);
}

template <int K>
float lane(const Floats<K>& x, int i) {
  return x.v[i / 4][i % 4];
}
template <int K>
void set_lane(Floats<K>& x, int i, float value) {
  x.v[i / 4][i % 4] = value;
}

// The plain subtraction in every lane: a NaN that a lane makes may carry
// this processor's sign. Routines that can make one end with redo_nan_lanes.
template <int K>
Floats<K> fsub(Floats<K> a, Floats<K> b) {
  return a - b;
}

// The result r of a routine on x, with every lane whose result is a NaN
// computed again by `plain`, the plain-float routine, which gives the
// reference platform's NaN. One check per call, not per operation: lanes
// are for speed, and a NaN is rare.
template <int K, class Plain>
Floats<K> redo_nan_lanes(Floats<K> r, Floats<K> x, Plain plain) {
  if (!any(r != r)) return r;
  for (int i = 0; i < count<Floats<K>>; i++) {
    if (lane(r, i) != lane(r, i)) set_lane(r, i, plain(lane(x, i)));
  }
  return r;
}

#endif

}  // namespace lanes
