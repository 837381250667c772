#include "result_names.hpp"

#include <cstdio>

#include "escape.hpp"

namespace conformance {

std::string escape_name(const std::string& bytes) {
  std::string text;
  for (std::size_t i = 0; i < bytes.size();) {
    const std::size_t length = common::utf8_char(bytes, i).length;
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
               common::hex_digit(text[i + 2]) >= 0 && common::hex_digit(text[i + 3]) >= 0) {
      bytes +=
          static_cast<char>(common::hex_digit(text[i + 2]) * 16 + common::hex_digit(text[i + 3]));
      i += 3;
    } else {
      bytes += text[i];
    }
  }
  return bytes;
}

}  // namespace conformance
