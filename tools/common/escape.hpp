// Bytes as a C string literal's contents, so that output and inputs with
// control bytes or invalid UTF-8 can be shown on one line and read back.
#pragma once

#include <optional>
#include <string>

namespace common {

// \n \t \r \\ \" and \xHH for every other byte outside printable ASCII.
std::string c_escape(const std::string& bytes);

// The inverse, also reading \v \f and \0; nullopt with `error` set on a
// malformed escape.
std::optional<std::string> c_unescape(const std::string& text, std::string& error);

}  // namespace common
