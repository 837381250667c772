// Bytes as a C string literal's contents, so that output and inputs with
// control bytes or invalid UTF-8 can be shown on one line and read back.
#pragma once

#include <string>

namespace toolkit {

// \n \t \r \\ \" and \xHH for every other byte outside printable ASCII.
std::string c_escape(const std::string& bytes);

}  // namespace toolkit
