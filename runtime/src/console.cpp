// Console input and output: each routine is one fixed conversion of the C
// library's formatted I/O on stdin or stdout, carried out by the equivalent
// conversions in console_io.h.
#include <bit>
#include <charconv>
#include <climits>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <system_error>

#include "console_io.h"
#include "suite_runtime.h"

namespace runtime_detail {

namespace {

// The character classes of the C locale, which the programs never leave.
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

// The stream's buffer as the C library's own getc_unlocked and putc_unlocked
// see it. A conversion that starts and ends inside the unread bytes is parsed
// in place and consumed by moving the read pointer, exactly where reading
// byte by byte and giving back the terminator would leave it; one that runs
// into the end of the buffer is read byte by byte from where it starts.
#if defined(__GLIBC__)
constexpr bool buffer_access = true;
const char* unread_begin(std::FILE* in) {
  return in->_IO_read_ptr;
}
const char* unread_end(std::FILE* in) {
  return in->_IO_read_end;
}
void consume_to(std::FILE* in, const char* p) {
  in->_IO_read_ptr = const_cast<char*>(p);
}
bool room_for(std::FILE* out, std::size_t n) {
  return out->_IO_write_end - out->_IO_write_ptr >= static_cast<std::ptrdiff_t>(n);
}
char* write_position(std::FILE* out) {
  return out->_IO_write_ptr;
}
void advance_write(std::FILE* out, std::size_t n) {
  out->_IO_write_ptr += n;
}
void append(std::FILE* out, const char* text, std::size_t n) {
  std::memcpy(write_position(out), text, n);
  advance_write(out, n);
}
#else
constexpr bool buffer_access = false;
const char* unread_begin(std::FILE*) {
  return nullptr;
}
const char* unread_end(std::FILE*) {
  return nullptr;
}
void consume_to(std::FILE*, const char*) {}
bool room_for(std::FILE*, std::size_t) {
  return false;
}
char* write_position(std::FILE*) {
  return nullptr;
}
void advance_write(std::FILE*, std::size_t) {}
void append(std::FILE*, const char*, std::size_t) {}
#endif

// Skips the white space inside the buffer and returns where the rest starts.
const char* skip_buffered_space(std::FILE* in) {
  const char* p = unread_begin(in);
  const char* const end = unread_end(in);
  while (p < end && is_space(*p)) p++;
  consume_to(in, p);
  return p;
}

void write_text(std::FILE* out, const char* text, std::size_t n) {
  // A full buffer, or a line-buffered or unbuffered stream (which the C
  // library keeps at no room), takes the library's own path.
  if (buffer_access && room_for(out, n)) {
    append(out, text, n);
  } else {
    fwrite_unlocked(text, 1, n, out);
  }
}

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

// Eight bytes at a time: on a little-endian machine a number's digits can be
// found and converted a word at a time instead of byte by byte, which keeps
// the branches off each digit. A big-endian machine takes the byte loops.
constexpr bool word_at_a_time = std::endian::native == std::endian::little;

std::uint64_t load_word(const char* p) {
  std::uint64_t word;
  std::memcpy(&word, p, sizeof word);
  return word;
}

// How many of the word's bytes, from the first, are decimal digits.
int leading_digits(std::uint64_t word) {
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
std::uint32_t digits_value(std::uint64_t word, int n) {
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

constexpr std::uint64_t powers_of_ten[] = {1,      10,      100,      1000,     10000,
                                           100000, 1000000, 10000000, 100000000};

// Reads the run of decimal digits at p, ending before `end`, and returns where
// it stops. `count` grows by the run's length; while it stays within 19 the
// digits are appended to `value` (which then cannot overflow).
const char* digit_run(const char* p, const char* end, std::uint64_t& value, int& count) {
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

// A number that ends inside the buffer, parsed in place: the characters scanf
// collects for it are one run of digits (hex digits after 0x) with at most
// one point, then optionally e (p after 0x), a sign and decimal digits. False,
// with nothing but white space consumed, for anything else.
bool scan_buffered_number(std::FILE* in, float& value) {
  const char* p = skip_buffered_space(in);
  const char* const end = unread_end(in);
  const bool negative = p < end && *p == '-';
  p += p < end && (*p == '-' || *p == '+');  // no branch on a random sign
  // (A stream not yet read has no buffer: both pointers are null.)
  const bool hex = end - p > 1 && *p == '0' && to_lower(p[1]) == 'x';
  if (hex) p += 2;
  const char* const number = p;
  float magnitude = 0.0f;
  bool quick = false;
  if (hex) {
    // Up to 15 significant hex digits fit the mantissa; more go to from_chars.
    std::uint64_t mantissa = 0;
    int significant = 0;
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
    if (!got_digit) return false;
    int exponent;
    p = scan_exponent(p, end, 'p', exponent);
    if (p == end) return false;
    quick = significant <= 15 && quick_hex(mantissa, exponent - 4 * fraction_digits, magnitude);
    if (!quick &&
        std::from_chars(number, p, magnitude, std::chars_format::hex).ec != std::errc()) {
      return false;
    }
  } else {
    std::uint64_t digits = 0;
    int count = 0;
    p = digit_run(p, end, digits, count);
    int fraction_digits = 0;
    if (p < end && *p == '.') {
      const char* const fraction = ++p;
      p = digit_run(p, end, digits, count);
      fraction_digits = static_cast<int>(p - fraction);
    }
    if (count == 0) return false;
    int exponent;
    p = scan_exponent(p, end, 'e', exponent);
    if (p == end) return false;
    quick = quick_decimal(digits, count, exponent - fraction_digits, magnitude);
    if (!quick && std::from_chars(number, p, magnitude).ec != std::errc()) return false;
  }
  consume_to(in, p);
  value = negative ? -magnitude : magnitude;
  return true;
}

// Gives back the character that ended a conversion, as scanf does; the end of
// input is not a character and stays seen.
void push_back(int c, std::FILE* in) {
  if (c != EOF) std::ungetc(c, in);
}

// Skips white space and returns the first other character, consumed (EOF at
// the end of input): what scanf does before every conversion but "%c".
int skip_space(std::FILE* in) {
  int c;
  do c = getc_unlocked(in);
  while (is_space(c));
  return c;
}

// The characters of one float conversion, NUL-terminated. A number may have
// any count of digits, so a long one moves to the heap.
class Token {
 public:
  Token() = default;
  Token(const Token&) = delete;
  Token& operator=(const Token&) = delete;
  ~Token() {
    if (data_ != inline_) std::free(data_);
  }

  // False when memory ran out; the conversion then fails as scanf's does.
  bool push(char c) {
    if (size_ + 1 == capacity_ && !grow()) return false;
    data_[size_++] = c;
    data_[size_] = '\0';
    return true;
  }
  std::size_t size() const { return size_; }
  const char* data() const { return data_; }
  char back() const { return data_[size_ - 1]; }

 private:
  bool grow() {
    const std::size_t capacity = capacity_ * 2;
    char* data = static_cast<char*>(data_ == inline_ ? std::malloc(capacity)
                                                     : std::realloc(data_, capacity));
    if (data == nullptr) return false;
    if (data_ == inline_) std::memcpy(data, inline_, size_ + 1);
    data_ = data;
    capacity_ = capacity;
    return true;
  }

  char inline_[64] = {};
  char* data_ = inline_;
  std::size_t size_ = 0;
  std::size_t capacity_ = sizeof inline_;
};

// Reads the rest of a word whose first letter is already in the token; every
// letter read is consumed, matching or not.
bool match_word(std::FILE* in, Token& token, const char* rest) {
  for (; *rest != '\0'; rest++) {
    const int c = getc_unlocked(in);
    if (c == EOF || to_lower(c) != *rest || !token.push(static_cast<char>(c))) return false;
  }
  return true;
}

// The value of the characters scanf collected, as strtof gives it. Numbers
// take the shorter route of from_chars, which rounds as correctly as strtof
// and so is the same function for them; anything else (words, a result out
// of range, no digits at all) goes to strtof itself.
bool convert_float(const Token& token, float& value) {
  const char* first = token.data();
  const char* last = first + token.size();
  const char* digits = first;
  const bool negative = *digits == '-';
  if (negative || *digits == '+') digits++;
  const bool hex = digits[0] == '0' && to_lower(digits[1]) == 'x';
  if (hex || is_digit(*digits) || *digits == '.') {
    float magnitude = 0.0f;
    const auto [end, error] =
        hex ? std::from_chars(digits + 2, last, magnitude, std::chars_format::hex)
            : std::from_chars(digits, last, magnitude);
    if (error == std::errc()) {
      // Round to nearest is symmetric: the sign is applied exactly.
      value = negative ? -magnitude : magnitude;
      return true;
    }
  }
  char* end = nullptr;
  const float converted = std::strtof(first, &end);
  if (end == first) return false;
  value = converted;
  return true;
}

// Collects what scanf's float conversion collects, character for character,
// including what it consumes on the way to a failure.
bool scan_float_token(std::FILE* in, Token& token) {
  int c = skip_space(in);
  if (c == EOF) return false;

  bool got_sign = false;
  if (c == '-' || c == '+') {
    got_sign = true;
    token.push(static_cast<char>(c));
    c = getc_unlocked(in);
    if (c == EOF) return false;
  }

  // "nan" ends after its third letter; "inf" may go on to "infinity", and
  // once the fourth letter is an i the whole word must follow.
  if (to_lower(c) == 'n') {
    token.push(static_cast<char>(c));
    return match_word(in, token, "an");
  }
  if (to_lower(c) == 'i') {
    token.push(static_cast<char>(c));
    if (!match_word(in, token, "nf")) return false;
    c = getc_unlocked(in);
    if (to_lower(c) != 'i') {
      push_back(c, in);
      return true;
    }
    token.push(static_cast<char>(c));
    return match_word(in, token, "nity");
  }

  bool hex = false;
  bool got_digit = false;
  bool got_dot = false;
  bool got_exponent = false;
  char exponent_char = 'e';
  if (c == '0') {
    token.push('0');
    c = getc_unlocked(in);
    if (to_lower(c) == 'x') {
      token.push(static_cast<char>(c));
      hex = true;
      exponent_char = 'p';
      c = getc_unlocked(in);
    } else {
      got_digit = true;
    }
  }

  for (;; c = getc_unlocked(in)) {
    bool taken;
    if (is_digit(c) || (hex && !got_exponent && is_hex_digit(c))) {
      taken = token.push(static_cast<char>(c));
      got_digit = true;
    } else if (got_exponent && token.back() == exponent_char && (c == '-' || c == '+')) {
      taken = token.push(static_cast<char>(c));
    } else if (got_digit && !got_exponent && to_lower(c) == exponent_char) {
      taken = token.push(exponent_char);
      got_exponent = got_dot = true;
    } else if (!got_dot && c == '.') {
      taken = token.push('.');
      got_dot = true;
    } else {
      push_back(c, in);
      break;
    }
    if (!taken) return false;
  }

  // Nothing but a sign, or nothing but a sign and "0x", is no number.
  const std::size_t prefix = got_sign ? 1 : 0;
  return token.size() != prefix && !(hex && token.size() == prefix + 2);
}

}  // namespace

bool scan_int(std::FILE* in, int& value) {
  value = 0;
  if (buffer_access) {
    const char* p = skip_buffered_space(in);
    const char* const end = unread_end(in);
    const bool negative = p < end && *p == '-';
    p += p < end && (*p == '-' || *p == '+');
    const char* const digits = p;
    std::uint64_t magnitude = 0;
    int count = 0;
    p = digit_run(p, end, magnitude, count);
    if (p < end) {
      consume_to(in, p);
      if (p == digits) return false;
      if (count > 19) {  // leading zeros, or a limit whatever the rest says
        magnitude = 0;
        for (const char* q = digits; q < p; q++) add_digit(magnitude, *q);
      }
      value = clamped(negative, magnitude);
      return true;
    }
  }

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

bool scan_float(std::FILE* in, float& value) {
  value = 0.0f;
  if (buffer_access && scan_buffered_number(in, value)) return true;
  Token token;
  return scan_float_token(in, token) && convert_float(token, value);
}

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
  std::memcpy(p, "0x1", 3);
  p += 3;
  if (fraction != 0) {
    // 23 fraction bits fill six hex digits with one zero bit to spare;
    // trailing zero digits are not written.
    const int zeros = std::countr_zero(fraction << 1) / 4;
    std::uint32_t digits = fraction << 1 >> (4 * zeros);
    const int count = 6 - zeros;
    *p++ = '.';
    for (int i = count - 1; i >= 0; i--) p[i] = "0123456789abcdef"[digits & 0xf], digits >>= 4;
    p += count;
  }
  *p++ = 'p';
  *p++ = exponent < 0 ? '-' : '+';
  // At most 149: one to three digits.
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

namespace {

int failed_read = 0;

// The timer hooks live in another object of the archive. Referencing them
// here pulls that object, and with it the constructor and destructor, into
// every program that uses any console routine.
[[gnu::used]] void (*const keep_hooks[])(void) = {before_main, after_main};

int read_int() {
  int value;
  if (!runtime_detail::scan_int(stdin, value)) failed_read = 1;
  return value;
}

float read_float() {
  float value;
  if (!runtime_detail::scan_float(stdin, value)) failed_read = 1;
  return value;
}

}  // namespace

extern "C" {

int getint(void) {
  return read_int();
}

int getch(void) {
  int c;
  if (!runtime_detail::scan_char(stdin, c)) failed_read = 1;
  return c;
}

float getfloat(void) {
  return read_float();
}

int getarray(int a[]) {
  int n = read_int();
  for (int i = 0; i < n; i++) a[i] = read_int();
  return n;
}

int getfarray(float a[]) {
  int n = read_int();
  for (int i = 0; i < n; i++) a[i] = read_float();
  return n;
}

int input_failed(void) {
  return failed_read;
}

void putint(int a) {
  runtime_detail::print_int(stdout, a);
}

void putch(int a) {
  runtime_detail::print_char(stdout, a);
}

void putarray(int n, int a[]) {
  runtime_detail::print_int(stdout, n);
  putc_unlocked(':', stdout);
  for (int i = 0; i < n; i++) {
    putc_unlocked(' ', stdout);
    runtime_detail::print_int(stdout, a[i]);
  }
  putc_unlocked('\n', stdout);
}

void putfloat(float a) {
  runtime_detail::print_float(stdout, a);
}

void putfarray(int n, float a[]) {
  runtime_detail::print_int(stdout, n);
  putc_unlocked(':', stdout);
  for (int i = 0; i < n; i++) {
    putc_unlocked(' ', stdout);
    runtime_detail::print_float(stdout, a[i]);
  }
  putc_unlocked('\n', stdout);
}

void putf(const char* format, ...) {
  va_list args;
  va_start(args, format);
  std::vfprintf(stdout, format, args);
  va_end(args);
}

}  // extern "C"
