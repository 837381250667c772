// Bytes as a C string literal's contents, so that output and inputs with
// control bytes or invalid UTF-8 can be shown on one line and read back.
#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace common {

// The valid UTF-8 sequence at s[i]: its length and the character it holds,
// or length 0 (an overlong form, a surrogate, past U+10FFFF, cut short).
struct Utf8Char {
  std::size_t length = 0;
  char32_t code = 0;
};
Utf8Char utf8_char(const std::string& s, std::size_t i);

// The value of a hexadecimal digit, or -1.
int hex_digit(char c);

// \n \t \r \\ \" and \xHH for every other byte outside printable ASCII.
std::string c_escape(const std::string& bytes);

// The inverse, also reading \v \f and \0; nullopt with `error` set on a
// malformed escape.
std::optional<std::string> c_unescape(const std::string& text, std::string& error);

}  // namespace common
