// Float operations rounded to single precision, once each, on every
// processor: lang::add, sub, mul and div on floats, and the rounding that
// lang::to_float and the lang::f* operations use.
//
// Most float units round every single-precision operation to a float by
// themselves (FLT_EVAL_METHOD 0: SSE2, ARM, POWER, ...). There these are the
// plain operators, selected at compile time: nothing of the rounding is
// compiled, and the programs' float operations are the same instructions as
// without these functions (the x86-64 renderer and rotation run as fast).
//
// Two keep excess precision: the x87 (32-bit x86 maths without SSE2) and the
// 68881 of m68k compute in an extended format, 64-bit significand and 15-bit
// exponent, and g++ keeps intermediates there across operations, calls,
// returns and often assignments. No g++ 12 flag makes C++ round each
// operation: -fexcess-precision=standard is C only (and rounds only at
// assignments and casts), -ffloat-store only named variables. So each
// operation here is done on extended operands and its result stored into a
// volatile float, which rounds it to single precision and to the float range:
// an overflow becomes inf, a tiny result the right subnormal, and nothing of
// the extended value is left.
//
// The result is rounded twice, to 64 bits and then by the store, and is still
// the correctly rounded float, with the float unit at its default extended
// precision (as Linux leaves the x87 precision control and the 68881's FPCR):
// - Normal results: 64 >= 2 * 24 + 2 bits, enough for + - * / (a known
//   result on double rounding: the first rounding cannot reach a midpoint
//   between two floats that the exact result does not lie on).
// - Results below 2^-126, where the float has fewer bits than 24 but the
//   extended format does not:
//   a + b, a - b: both are multiples of 2^-149, so such a sum is a float
//   itself; nothing is rounded.
//   a * b: the exact product has at most 48 bits and lies far inside the
//   extended range: the first rounding is exact.
//   a / b, with a = A 2^x, b = B 2^y (0 < A, B < 2^24): a midpoint m between
//   two such floats is an odd multiple of 2^-150, so a / b - m = (A 2^x -
//   m B 2^y) / (B 2^y) is 0 or at least 2^(min(x, y - 150) - y - 24) in
//   magnitude: at least 2^-174, or 2^(x - y - 24) when x < y - 150. The first
//   rounding moves the quotient by at most 2^-64 of it, less than 2^-190 or
//   2^(x - y - 40) (a / b < 2^24 2^(x - y)): it never reaches a midpoint.
//   A quotient on a midpoint (25 bits) survives it exactly.
// - An int (31 bits) converts exactly to extended; the store rounds once.
//
// Where it would go wrong, and does not here: the 68881's fsglmul and fsgldiv,
// which g++ uses for float * and /, round to 24 bits but keep the extended
// exponent, so in the subnormal range the store rounds a second time, to
// fewer bits: 0x1.cp-78f * 0x1.6db6dcp-71f is 5 2^-150 + 2^-173, fsglmul
// makes it the midpoint 5 2^-150, and the store's tie gives 2^-148 instead of
// 3 2^-149. (The x87 with its precision control at single would do the
// same.) g++ narrows (float)((long double)a * b) back to fsglmul, so on m68k
// the widened operand is hidden from it first (wide()), which keeps the
// extended fmul and fdiv.
//
// The cost there: a store and a load per operation, and fmul instead of the
// faster fsglmul on m68k.
#pragma once

#include <cfloat>
#include <cstdint>
#include <type_traits>

// -m68040 makes g++ report FLT_EVAL_METHOD 0 for its fsadd/fsmul/fsdiv, which
// round to 24 bits but still to the extended exponent range: any 68881-style
// float unit takes the rounding path.
// -DLANG_EXCESS_PRECISION=0 turns the rounding off, for tests that show what
// goes wrong without it.
#ifndef LANG_EXCESS_PRECISION
#if FLT_EVAL_METHOD != 0 || defined(__HAVE_68881__)
#define LANG_EXCESS_PRECISION 1
#else
#define LANG_EXCESS_PRECISION 0
#endif
#endif

namespace lang {

#if LANG_EXCESS_PRECISION
namespace excess {

// x in the float unit's format, opaque to the compiler so that an operation on
// it stays an extended one (not fsglmul/fsgldiv). On the x87 every float
// operation is the extended one anyway.
inline long double wide(float x) {
  long double w = x;
#if defined(__m68k__)
  __asm__("" : "+f"(w));
#endif
  return w;
}

// x rounded to single precision and range by storing it as a float.
inline float stored(long double x) {
  volatile float f = static_cast<float>(x);
  return f;
}

}  // namespace excess
#endif

// a op b, rounded once to single precision. A NaN result is this processor's
// (lang::fadd etc. give the reference platform's).
constexpr float add(float a, float b) {
#if LANG_EXCESS_PRECISION
  if (!std::is_constant_evaluated()) return excess::stored(excess::wide(a) + excess::wide(b));
#endif
  return a + b;
}
constexpr float sub(float a, float b) {
#if LANG_EXCESS_PRECISION
  if (!std::is_constant_evaluated()) return excess::stored(excess::wide(a) - excess::wide(b));
#endif
  return a - b;
}
constexpr float mul(float a, float b) {
#if LANG_EXCESS_PRECISION
  if (!std::is_constant_evaluated()) return excess::stored(excess::wide(a) * excess::wide(b));
#endif
  return a * b;
}
constexpr float div(float a, float b) {
#if LANG_EXCESS_PRECISION
  if (!std::is_constant_evaluated()) return excess::stored(excess::wide(a) / excess::wide(b));
#endif
  return a / b;
}

// The nearest float to i.
constexpr float int_to_single(std::int32_t i) {
#if LANG_EXCESS_PRECISION
  if (!std::is_constant_evaluated()) return excess::stored(static_cast<long double>(i));
#endif
  return static_cast<float>(i);
}

}  // namespace lang
