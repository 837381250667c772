// Console input and output: each routine is one fixed conversion of the C
// library's formatted I/O on stdin or stdout, carried out by the equivalent
// conversions in console_io.h.
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
bool is_space(int c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}
bool is_digit(int c) {
  return c >= '0' && c <= '9';
}
bool is_hex_digit(int c) {
  return is_digit(c) || (c >= 'a' && c <= 'f') || (c >= 'A' && c <= 'F');
}
int to_lower(int c) {
  return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c;
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

// The value of the characters scanf collected, as strtof gives it. Plain
// decimal numbers take the shorter route of from_chars, which rounds as
// correctly as strtof and is the same function for them; anything else (hex,
// words, a result out of range) goes to strtof itself.
bool convert_float(const Token& token, float& value) {
  const char* first = token.data();
  const char* last = first + token.size();
  const char* digits = first;
  const bool negative = *digits == '-';
  if (negative || *digits == '+') digits++;
  const bool hex = digits[0] == '0' && to_lower(digits[1]) == 'x';
  if (!hex && (is_digit(*digits) || *digits == '.')) {
    float magnitude = 0.0f;
    const auto [end, error] = std::from_chars(digits, last, magnitude);
    if (error == std::errc() && end != digits) {
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
  int c = skip_space(in);
  if (c == EOF) return false;
  const bool negative = c == '-';
  if (c == '-' || c == '+') c = getc_unlocked(in);
  // Past 2^31 the result is a limit whatever further digits say; stopping
  // the sum there keeps it in range however long the number is.
  constexpr std::uint64_t saturated = std::uint64_t{1} << 32;
  std::uint64_t magnitude = 0;
  bool got_digit = false;
  for (; is_digit(c); c = getc_unlocked(in)) {
    got_digit = true;
    if (magnitude < saturated) magnitude = magnitude * 10 + static_cast<unsigned>(c - '0');
  }
  push_back(c, in);
  if (!got_digit) return false;
  if (negative) {
    value = magnitude >= std::uint64_t{1} << 31 ? INT_MIN : -static_cast<int>(magnitude);
  } else {
    value = magnitude > INT_MAX ? INT_MAX : static_cast<int>(magnitude);
  }
  return true;
}

bool scan_float(std::FILE* in, float& value) {
  value = 0.0f;
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
    std::uint32_t digits = fraction << 1;
    int count = 6;
    while ((digits & 0xf) == 0) {
      digits >>= 4;
      count--;
    }
    *p++ = '.';
    for (int i = count - 1; i >= 0; i--) p[i] = "0123456789abcdef"[digits & 0xf], digits >>= 4;
    p += count;
  }
  *p++ = 'p';
  *p++ = exponent < 0 ? '-' : '+';
  char text[int_text_max];
  char* const end = text + sizeof text;
  char* const start = format_int(exponent < 0 ? -exponent : exponent, end);
  std::memcpy(p, start, static_cast<std::size_t>(end - start));
  return p + (end - start);
}

void print_int(std::FILE* out, int value) {
  char text[int_text_max];
  char* const end = text + sizeof text;
  char* const start = format_int(value, end);
  fwrite_unlocked(start, 1, static_cast<std::size_t>(end - start), out);
}

void print_float(std::FILE* out, float value) {
  char text[float_text_max];
  fwrite_unlocked(text, 1, static_cast<std::size_t>(format_float(value, text) - text), out);
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
