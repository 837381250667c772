// Floats by their bit patterns: results are compared bit for bit, so that a
// NaN's sign or a zero's sign cannot hide behind ==.
#pragma once

#include <bit>
#include <cstdint>
#include <limits>

namespace float_bits {

inline std::uint32_t bits(float x) {
  return std::bit_cast<std::uint32_t>(x);
}
inline float from_bits(std::uint32_t b) {
  return std::bit_cast<float>(b);
}
inline constexpr float inf = std::numeric_limits<float>::infinity();

}  // namespace float_bits
