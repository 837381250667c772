// The float conversion character by character: the characters scanf's "%a"
// collects, converted by strtof as scanf itself converts them (correctly
// rounded; the programs run in the C locale).
#include "float_token.h"

#include <cstdlib>
#include <cstring>

#include "digits.h"
#include "stream_buffer.h"

namespace runtime_detail {

namespace {

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
  bool push(int c) {
    if (size_ + 1 == capacity_ && !grow()) return false;
    data_[size_++] = static_cast<char>(c);
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
    if (c == EOF || to_lower(c) != *rest || !token.push(c)) return false;
  }
  return true;
}

// "nan" ends after its third letter; "inf" may go on to "infinity", and once
// the fourth letter is an i the whole word must follow. `c` is the first
// letter, n or i.
bool collect_word(std::FILE* in, Token& token, int c) {
  token.push(c);
  if (to_lower(c) == 'n') return match_word(in, token, "an");
  if (!match_word(in, token, "nf")) return false;
  c = getc_unlocked(in);
  if (to_lower(c) != 'i') {
    push_back(c, in);
    return true;
  }
  token.push(c);
  return match_word(in, token, "nity");
}

// What a number may go on with, given what it has so far.
struct NumberState {
  bool hex = false;
  bool got_digit = false;
  bool got_dot = false;
  bool got_exponent = false;
  bool ended = false;  // by a character that is not part of it
  char exponent_char = 'e';
};

// Takes c into the token if the number goes on with it: a digit (hex digits
// before the exponent of a hex number), the exponent's sign right after its
// letter, the exponent letter after a digit, or the one point. Otherwise c is
// given back and the number has ended. False when it ended or memory ran out.
bool take(Token& token, NumberState& s, int c, std::FILE* in) {
  if (is_digit(c) || (s.hex && !s.got_exponent && is_hex_digit(c))) {
    s.got_digit = true;
    return token.push(c);
  }
  if (s.got_exponent && token.back() == s.exponent_char && (c == '-' || c == '+')) {
    return token.push(c);
  }
  if (s.got_digit && !s.got_exponent && to_lower(c) == s.exponent_char) {
    s.got_exponent = s.got_dot = true;
    return token.push(s.exponent_char);
  }
  if (!s.got_dot && c == '.') {
    s.got_dot = true;
    return token.push('.');
  }
  push_back(c, in);
  s.ended = true;
  return false;
}

// A number starting with c (after any sign, which is `prefix` characters of
// the token). False when it is no number: nothing but a sign, or nothing but
// a sign and "0x".
bool collect_number(std::FILE* in, Token& token, int c, std::size_t prefix) {
  NumberState s;
  if (c == '0') {
    token.push('0');
    c = getc_unlocked(in);
    if (to_lower(c) == 'x') {
      token.push(c);
      s.hex = true;
      s.exponent_char = 'p';
      c = getc_unlocked(in);
    } else {
      s.got_digit = true;
    }
  }
  while (take(token, s, c, in)) c = getc_unlocked(in);
  if (!s.ended) return false;
  return token.size() != prefix && !(s.hex && token.size() == prefix + 2);
}

// Collects what scanf's float conversion collects, character for character,
// including what it consumes on the way to a failure.
bool collect(std::FILE* in, Token& token) {
  int c = skip_space(in);
  if (c == EOF) return false;
  std::size_t prefix = 0;
  if (c == '-' || c == '+') {
    token.push(c);
    prefix = 1;
    c = getc_unlocked(in);
    if (c == EOF) return false;
  }
  if (to_lower(c) == 'n' || to_lower(c) == 'i') return collect_word(in, token, c);
  return collect_number(in, token, c, prefix);
}

}  // namespace

bool scan_float_token(std::FILE* in, float& value) {
  Token token;
  if (!collect(in, token)) return false;
  char* end = nullptr;
  const float converted = std::strtof(token.data(), &end);
  if (end == token.data()) return false;
  value = converted;
  return true;
}

}  // namespace runtime_detail
