#include "result_names.hpp"

#include <cstdio>

namespace conformance {

namespace {

// Length of the valid UTF-8 sequence at s[i], or 0.
std::size_t utf8_length(const std::string& s, std::size_t i) {
  const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
  const unsigned char lead = byte(i);
  if (lead < 0x80) return 1;
  const std::size_t length = lead >= 0xf0 ? 4 : lead >= 0xe0 ? 3 : lead >= 0xc2 ? 2 : 0;
  if (length == 0 || lead > 0xf4 || i + length > s.size()) return 0;
  char32_t code = lead & (0x7f >> length);
  for (std::size_t k = 1; k < length; k++) {
    if ((byte(i + k) & 0xc0) != 0x80) return 0;
    code = (code << 6) | (byte(i + k) & 0x3f);
  }
  const char32_t least[] = {0, 0, 0x80, 0x800, 0x10000};
  if (code < least[length] || code > 0x10ffff || (code >= 0xd800 && code <= 0xdfff)) return 0;
  return length;
}

int hex_digit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

}  // namespace

std::string escape_name(const std::string& bytes) {
  std::string text;
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t length = utf8_length(bytes, i);
    if (length == 0) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02x", static_cast<unsigned char>(bytes[i]));
      text += hex;
      i++;
    } else {
      if (bytes[i] == '\\') text += '\\';
      text.append(bytes, i, length);
      i += length;
    }
  }
  return text;
}

std::string unescape_name(const std::string& text) {
  std::string bytes;
  for (std::size_t i = 0; i < text.size(); i++) {
    if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == '\\') {
      bytes += '\\';
      i++;
    } else if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x' &&
               hex_digit(text[i + 2]) >= 0 && hex_digit(text[i + 3]) >= 0) {
      bytes += static_cast<char>(hex_digit(text[i + 2]) * 16 + hex_digit(text[i + 3]));
      i += 3;
    } else {
      bytes += text[i];
    }
  }
  return bytes;
}

}  // namespace conformance
