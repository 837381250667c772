// scanf("%d") with the reference platform's saturation: white space, an
// optional sign and decimal digits, the value clamped to the 32-bit range.
#include <climits>
#include <cstdint>

#include "console_io.h"
#include "digits.h"
#include "stream_buffer.h"

namespace runtime_detail {

namespace {

// Past 2^31 the result is a limit whatever further digits say; stopping the
// sum there keeps it in range however long the number is.
constexpr std::uint64_t saturated = std::uint64_t{1} << 32;

void add_digit(std::uint64_t& magnitude, int c) {
  if (magnitude < saturated) magnitude = magnitude * 10 + static_cast<unsigned>(c - '0');
}

// Without branches on the sign, which random input mispredicts half the time.
int clamped(bool negative, std::uint64_t magnitude) {
  const std::uint64_t limit = std::uint64_t{INT_MAX} + negative;
  const auto bounded = static_cast<std::uint32_t>(magnitude < limit ? magnitude : limit);
  const std::uint32_t flip = 0u - static_cast<std::uint32_t>(negative);
  return static_cast<int>((bounded ^ flip) - flip);  // negated when negative
}

// The number parsed in place when it ends inside the buffer. False, with
// nothing but white space consumed, when it runs into the buffer's end.
bool scan_buffered_int(std::FILE* in, bool& converted, int& value) {
  const char* p = skip_buffered_space(in);
  const char* const end = unread_end(in);
  const bool negative = p < end && *p == '-';
  p += p < end && (*p == '-' || *p == '+');  // no branch on a random sign
  const char* const digits = p;
  std::uint64_t magnitude = 0;
  int count = 0;
  p = digit_run(p, end, magnitude, count);
  if (p == end) return false;
  consume_to(in, p);
  converted = p != digits;
  if (count > 19) {  // leading zeros, or a limit whatever the rest says
    magnitude = 0;
    for (const char* q = digits; q < p; q++) add_digit(magnitude, *q);
  }
  if (converted) value = clamped(negative, magnitude);
  return true;
}

// The number read byte by byte, with one character of pushback.
bool scan_int_bytes(std::FILE* in, int& value) {
  int c = skip_space(in);
  if (c == EOF) return false;
  const bool negative = c == '-';
  if (c == '-' || c == '+') c = getc_unlocked(in);
  std::uint64_t magnitude = 0;
  bool got_digit = false;
  for (; is_digit(c); c = getc_unlocked(in)) {
    got_digit = true;
    add_digit(magnitude, c);
  }
  push_back(c, in);
  if (!got_digit) return false;
  value = clamped(negative, magnitude);
  return true;
}

}  // namespace

bool scan_int(std::FILE* in, int& value) {
  value = 0;
  bool converted = false;
  if (buffer_access && scan_buffered_int(in, converted, value)) return converted;
  return scan_int_bytes(in, value);
}

}  // namespace runtime_detail
