// The small language's integer and conversion rules, as plain C++ without
// undefined behaviour on any input.
//
// Integers are 32-bit two's complement and wrap on overflow; division
// truncates toward zero and the remainder takes the sign of the dividend.
// A float converted to an integer truncates toward zero and saturates at the
// 32-bit limits, NaN giving 0, as the reference platform's VFP does.
#pragma once

#include <cstdint>
#include <limits>

#include "lang/single.hpp"

namespace lang {

inline constexpr std::int32_t int_min = std::numeric_limits<std::int32_t>::min();
inline constexpr std::int32_t int_max = std::numeric_limits<std::int32_t>::max();

// Wrapping arithmetic: computed in unsigned, where overflow is defined, and
// converted back (modular since C++20).
constexpr std::int32_t add(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) + static_cast<std::uint32_t>(b));
}
constexpr std::int32_t sub(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) - static_cast<std::uint32_t>(b));
}
constexpr std::int32_t mul(std::int32_t a, std::int32_t b) {
  return static_cast<std::int32_t>(static_cast<std::uint32_t>(a) * static_cast<std::uint32_t>(b));
}
constexpr std::int32_t neg(std::int32_t a) {
  return sub(0, a);
}

// Truncating division. The caller guarantees b != 0 (programs reject such
// input before dividing). The most negative integer divided by -1 wraps to
// itself instead of trapping.
constexpr std::int32_t div(std::int32_t a, std::int32_t b) {
  return b == -1 ? neg(a) : a / b;
}

// Remainder a - (a / b) * b, with the sign of the dividend; x % -1 is 0 for
// every x, the most negative integer included. The caller guarantees b != 0.
constexpr std::int32_t rem(std::int32_t a, std::int32_t b) {
  return b == -1 ? 0 : a % b;
}

// Float to integer: truncation toward zero, saturating, NaN to 0.
constexpr std::int32_t to_int(float f) {
  if (f != f) return 0;
  if (f >= 2147483648.0f) return int_max;
  if (f <= -2147483648.0f) return int_min;
  return static_cast<std::int32_t>(f);
}

// Integer to float, rounding to nearest (100000006 becomes 100000008.0), also
// where the float unit would keep all 31 bits (lang/single.hpp).
constexpr float to_float(std::int32_t i) {
  return int_to_single(i);
}

}  // namespace lang
