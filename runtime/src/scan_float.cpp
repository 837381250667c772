// scanf("%a") into a float. Numbers that end inside the stream's buffer and
// convert exactly by a shortcut are parsed in place; everything else goes the
// general way (float_token.cpp).
#include <cstdint>
#include <cstring>

#include "console_io.h"
#include "digits.h"
#include "float_token.h"
#include "stream_buffer.h"

namespace runtime_detail {

namespace {

// The float nearest digits x 10^scale, for at most 19 digits and a power of
// ten within 22: the digits and the power are exact doubles, so their product
// or quotient is rounded once, and rounding that double to float gives the
// nearest float unless the double fell exactly on the midpoint of two floats
// (then false: the caller converts the text). The result lies far inside the
// normal floats, so the midpoint is always the same bit.
bool quick_decimal(std::uint64_t digits, int count, int scale, float& value) {
  static constexpr double powers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                      1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                      1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
  if (count > 19) return false;
  if (digits == 0) {
    value = 0.0f;
    return true;
  }
  if (digits >= std::uint64_t{1} << 53 || scale < -22 || scale > 22) return false;
  const double exact = static_cast<double>(digits);
  const double rounded = scale < 0 ? exact / powers[-scale] : exact * powers[scale];
  std::uint64_t bits;
  std::memcpy(&bits, &rounded, sizeof bits);
  if ((bits & 0x1fffffff) == 0x10000000) return false;
  value = static_cast<float>(rounded);
  return true;
}

// The float nearest mantissa x 2^exponent when it is a normal float: the
// mantissa (below 2^60) is rounded to float once, and the power of two only
// moves the exponent. False when the result would be subnormal or overflow,
// where rounding must happen at another bit.
bool quick_hex(std::uint64_t mantissa, int exponent, float& value) {
  if (mantissa == 0) {
    value = 0.0f;
    return true;
  }
  const float rounded = static_cast<float>(static_cast<std::int64_t>(mantissa));
  std::uint32_t bits;
  std::memcpy(&bits, &rounded, sizeof bits);
  const int biased = static_cast<int>(bits >> 23) + exponent;
  if (biased < 1 || biased > 254) return false;
  bits += static_cast<std::uint32_t>(exponent) << 23;
  std::memcpy(&value, &bits, sizeof value);
  return true;
}

// Each byte's value as a hex digit, 16 for any other byte: one lookup instead
// of a branch between digits and letters, which random digits mispredict.
struct HexDigits {
  unsigned char value[256];
  constexpr HexDigits() : value() {
    for (int c = 0; c < 256; c++) {
      value[c] = static_cast<unsigned char>(is_digit(c)            ? c - '0'
                                            : c >= 'a' && c <= 'f' ? c - 'a' + 10
                                            : c >= 'A' && c <= 'F' ? c - 'A' + 10
                                                                   : 16);
    }
  }
};
constexpr HexDigits hex_digits;

unsigned hex_value(char c) {
  return hex_digits.value[static_cast<unsigned char>(c)];
}

// The optional exponent at p: e (p after 0x), a sign and decimal digits, any
// of which may be missing. Returns where it ends; `exponent` saturates far
// beyond any float so that it cannot overflow.
inline const char* scan_exponent(const char* p, const char* end, char letter, int& exponent) {
  exponent = 0;
  if (p == end || to_lower(*p) != letter) return p;
  p++;
  const int negative = p < end && *p == '-';
  p += p < end && (*p == '-' || *p == '+');
  for (; p < end && is_digit(*p); p++) {
    if (exponent < 100000) exponent = exponent * 10 + (*p - '0');
  }
  exponent = (exponent ^ -negative) + negative;  // negated without a branch
  return p;
}

// The hex digits after 0x, with at most one point, then the exponent. Returns
// where the number ends, or null when it has no digit, does not end inside
// the buffer or needs more than the quick conversion.
const char* hex_in_place(const char* p, const char* end, float& magnitude) {
  std::uint64_t mantissa = 0;
  int significant = 0;  // 15 hex digits fit the mantissa
  int fraction_digits = 0;
  bool got_digit = false;
  bool got_dot = false;
  for (; p < end; p++) {
    const unsigned digit = hex_value(*p);
    if (digit < 16) {
      got_digit = true;
      fraction_digits += got_dot;
      significant += (mantissa | digit) != 0;  // leading zeros are not
      if (significant <= 15) mantissa = mantissa << 4 | digit;
    } else if (*p == '.' && !got_dot) {
      got_dot = true;
    } else {
      break;
    }
  }
  if (!got_digit) return nullptr;
  int exponent;
  p = scan_exponent(p, end, 'p', exponent);
  if (p == end || significant > 15) return nullptr;
  return quick_hex(mantissa, exponent - 4 * fraction_digits, magnitude) ? p : nullptr;
}

// Decimal digits with at most one point, then the exponent; the same results
// as hex_in_place.
const char* decimal_in_place(const char* p, const char* end, float& magnitude) {
  std::uint64_t digits = 0;
  int count = 0;
  p = digit_run(p, end, digits, count);
  int fraction_digits = 0;
  if (p < end && *p == '.') {
    const char* const fraction = ++p;
    p = digit_run(p, end, digits, count);
    fraction_digits = static_cast<int>(p - fraction);
  }
  if (count == 0) return nullptr;
  int exponent;
  p = scan_exponent(p, end, 'e', exponent);
  if (p == end) return nullptr;
  return quick_decimal(digits, count, exponent - fraction_digits, magnitude) ? p : nullptr;
}

// A number that ends inside the buffer, parsed in place: the characters scanf
// collects for it are one run of digits (hex digits after 0x) with at most
// one point, then optionally e (p after 0x), a sign and decimal digits. False,
// with nothing but white space consumed, for anything else.
bool scan_buffered_number(std::FILE* in, float& value) {
  const char* p = skip_buffered_space(in);
  const char* const end = unread_end(in);
  const bool negative = p < end && *p == '-';
  p += p < end && (*p == '-' || *p == '+');  // no branch on a random sign
  const bool hex = end - p > 1 && *p == '0' && to_lower(p[1]) == 'x';
  float magnitude = 0.0f;
  p = hex ? hex_in_place(p + 2, end, magnitude) : decimal_in_place(p, end, magnitude);
  if (p == nullptr) return false;
  consume_to(in, p);
  // Round to nearest is symmetric: the sign is applied exactly.
  value = negative ? -magnitude : magnitude;
  return true;
}

}  // namespace

bool scan_float(std::FILE* in, float& value) {
  value = 0.0f;
  if (buffer_access && scan_buffered_number(in, value)) return true;
  return scan_float_token(in, value);
}

}  // namespace runtime_detail
