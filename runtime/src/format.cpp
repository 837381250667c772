// printf's "%d" and the "%a" of a float widened to double, formatted from the
// value's bits into the stream's buffer or a small local one.
#include <bit>
#include <cstdint>
#include <cstring>

#include "console_io.h"
#include "stream_buffer.h"

namespace runtime_detail {

namespace {

// "p", the exponent's sign and its one to three digits (at most 149).
char* format_exponent(int exponent, char* p) {
  *p++ = 'p';
  *p++ = exponent < 0 ? '-' : '+';
  unsigned magnitude = static_cast<unsigned>(exponent < 0 ? -exponent : exponent);
  if (magnitude >= 100) {
    *p++ = '1';
    magnitude -= 100;
    *p++ = static_cast<char>('0' + magnitude / 10);
  } else if (magnitude >= 10) {
    *p++ = static_cast<char>('0' + magnitude / 10);
  }
  *p++ = static_cast<char>('0' + magnitude % 10);
  return p;
}

// "0x1", then the point and the fraction's hex digits unless they are all
// zero: 23 fraction bits fill six hex digits with one zero bit to spare, and
// trailing zero digits are not written.
char* format_mantissa(std::uint32_t fraction, char* p) {
  std::memcpy(p, "0x1", 3);
  p += 3;
  if (fraction == 0) return p;
  const int zeros = std::countr_zero(fraction << 1) / 4;
  std::uint32_t digits = fraction << 1 >> (4 * zeros);
  const int count = 6 - zeros;
  *p++ = '.';
  for (int i = count - 1; i >= 0; i--) p[i] = "0123456789abcdef"[digits & 0xf], digits >>= 4;
  return p + count;
}

}  // namespace

char* format_int(int value, char* end) {
  // Unsigned, so that the magnitude of INT_MIN is representable.
  std::uint32_t magnitude =
      value < 0 ? 0u - static_cast<std::uint32_t>(value) : static_cast<std::uint32_t>(value);
  char* p = end;
  do {
    *--p = static_cast<char>('0' + magnitude % 10);
    magnitude /= 10;
  } while (magnitude != 0);
  if (value < 0) *--p = '-';
  return p;
}

char* format_float(float value, char* out) {
  std::uint32_t bits;
  std::memcpy(&bits, &value, sizeof bits);
  const std::uint32_t biased = (bits >> 23) & 0xff;
  std::uint32_t fraction = bits & 0x7fffff;
  char* p = out;
  if (bits >> 31) *p++ = '-';
  if (biased == 0xff) {
    std::memcpy(p, fraction != 0 ? "nan" : "inf", 3);
    return p + 3;
  }
  if (biased == 0 && fraction == 0) {
    std::memcpy(p, "0x0p+0", 6);
    return p + 6;
  }
  int exponent = static_cast<int>(biased) - 127;
  if (biased == 0) {
    // A subnormal float is a normal double: move its leading 1 out of the
    // fraction and lower the exponent accordingly.
    const int top = 31 - __builtin_clz(fraction);
    exponent = top - 149;
    fraction = (fraction << (23 - top)) & 0x7fffff;
  }
  return format_exponent(exponent, format_mantissa(fraction, p));
}

void print_int(std::FILE* out, int value) {
  char text[int_text_max];
  char* const end = text + sizeof text;
  char* const start = format_int(value, end);
  write_text(out, start, static_cast<std::size_t>(end - start));
}

void print_float(std::FILE* out, float value) {
  if (buffer_access && room_for(out, float_text_max)) {
    // Straight into the stream's buffer, where write_text would copy it.
    char* const start = write_position(out);
    advance_write(out, static_cast<std::size_t>(format_float(value, start) - start));
    return;
  }
  char text[float_text_max];
  write_text(out, text, static_cast<std::size_t>(format_float(value, text) - text));
}

}  // namespace runtime_detail
