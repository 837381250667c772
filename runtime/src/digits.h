// Characters and digits as the conversions see them: the character classes of
// the C locale, which the programs never leave, and decimal digits found and
// converted eight bytes at a time. Shared by the integer and float scanners.
#pragma once

#include <bit>
#include <cstdint>
#include <cstring>

namespace runtime_detail {

constexpr bool is_space(int c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}
constexpr bool is_digit(int c) {
  return c >= '0' && c <= '9';
}
constexpr bool is_hex_digit(int c) {
  return is_digit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
constexpr int to_lower(int c) {
  return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
}

// Eight bytes at a time: on a little-endian machine a number's digits can be
// found and converted a word at a time instead of byte by byte, which keeps
// the branches off each digit. A big-endian machine takes the byte loops.
inline constexpr bool word_at_a_time = std::endian::native == std::endian::little;

inline std::uint64_t load_word(const char* p) {
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  return word;
}

// How many of the word's bytes, from the first, are decimal digits.
inline int leading_digits(std::uint64_t word) {
  constexpr std::uint64_t ones = 0x0101010101010101;
  const std::uint64_t low7 = word & ones * 0x7f;
  // Bit 7 of each byte: above '9', below '0', or outside ASCII. No byte's
  // sum carries into the next one.
  const std::uint64_t above = low7 + ones * (0x80 - 0x3a);
  const std::uint64_t below = ~(low7 + ones * (0x80 - 0x30));
  const std::uint64_t other = (above | below | word) & ones * 0x80;
  return other == 0 ? 8 : std::countr_zero(other) / 8;
}

// The value of the word's first n digits, 1 <= n <= 8.
inline std::uint32_t digits_value(std::uint64_t word, int n) {
  // The digits move to the top bytes, so leading zero bytes pad the number
  // to eight digits d0..d7 with d0 in the lowest byte.
  std::uint64_t v = (word & 0x0f0f0f0f0f0f0f0f) << (8 * (8 - n));
  v = v * 10 + (v >> 8);  // even bytes: the pairs d0d1, d2d3, d4d5, d6d7
  // Both products put their sum of pairs times powers of 100 in the top
  // half; the bottom halves stay below 10000 and carry nothing up.
  constexpr std::uint64_t pair_mask = 0x000000ff000000ff;
  v = ((v & pair_mask) * (100 + (std::uint64_t{1000000} << 32)) +
       ((v >> 16) & pair_mask) * (1 + (std::uint64_t{10000} << 32))) >>
      32;
  return static_cast<std::uint32_t>(v);
}

inline constexpr std::uint64_t powers_of_ten[] = {1,      10,      100,      1000,     10000,
                                                  100000, 1000000, 10000000, 100000000};

// Reads the run of decimal digits at p, ending before `end`, and returns where
// it stops. `count` grows by the run's length; while it stays within 19 the
// digits are appended to `value` (which then cannot overflow).
inline const char* digit_run(const char* p, const char* end, std::uint64_t& value, int& count) {
  if (word_at_a_time) {
    while (end - p >= 8) {
      const std::uint64_t word = load_word(p);
      const int n = leading_digits(word);
      if (n == 0) return p;
      count += n;
      if (count <= 19) value = value * powers_of_ten[n] + digits_value(word, n);
      p += n;
      if (n < 8) return p;
    }
  }
  for (; p < end && is_digit(*p); p++) {
    if (++count <= 19) value = value * 10 + static_cast<unsigned>(*p - '0');
  }
  return p;
}

}  // namespace runtime_detail
