// Float operations whose NaN results are the reference platform's on every
// processor.
//
// Finite results never differ between processors: every operation rounds once
// to single precision (lang/single.hpp makes sure of it where the float unit
// keeps excess precision). NaNs do. The reference VFP (default-NaN mode off)
// gives the positive quiet NaN 0x7fc00000 when an operation is invalid
// (0 / 0, inf - inf, 0 * inf), and when an operand is a NaN it returns the
// first signalling NaN operand, else the first quiet one, quieted. x86-64's
// SSE gives a negative NaN for invalid operations and may return either
// operand's NaN, since the compiler is free to swap the operands of + and *.
// The sign is what shows: NaN prints as nan or -nan.
//
// Programs route through these helpers every operation that can meet or make
// a NaN from what they read, or from an overflow to infinity.
#pragma once

#include <bit>
#include <cstdint>

#include "lang/single.hpp"

namespace lang {

inline constexpr std::uint32_t default_nan_bits = 0x7fc00000u;
inline constexpr float default_nan = std::bit_cast<float>(default_nan_bits);

constexpr bool is_nan(float x) {
  return x != x;
}
constexpr bool is_finite(float x) {
  return x - x == 0.0f;
}  // false for inf and NaN

constexpr bool is_signalling(float x) {
  return is_nan(x) && (std::bit_cast<std::uint32_t>(x) & 0x00400000u) == 0;
}

constexpr float quieted(float x) {
  return std::bit_cast<float>(std::bit_cast<std::uint32_t>(x) | 0x00400000u);
}

// The result of `a op b` as the reference platform gives it, where `result`
// is what this processor computed.
constexpr float reference_nan(float result, float a, float b) {
  if (!is_nan(result)) return result;
  if (is_signalling(a)) return quieted(a);
  if (is_signalling(b)) return quieted(b);
  if (is_nan(a)) return a;
  if (is_nan(b)) return b;
  return default_nan;
}

constexpr float fadd(float a, float b) {
  return reference_nan(add(a, b), a, b);
}
constexpr float fsub(float a, float b) {
  return reference_nan(sub(a, b), a, b);
}
constexpr float fmul(float a, float b) {
  return reference_nan(mul(a, b), a, b);
}
constexpr float fdiv(float a, float b) {
  return reference_nan(div(a, b), a, b);
}

}  // namespace lang
