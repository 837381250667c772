// Whole files in and out, and where the running tool is installed.
#pragma once

#include <string>

namespace common {

bool read_file(const std::string& path, std::string& content);
bool write_file(const std::string& path, const std::string& content);

// The folder holding the running executable ("" when it cannot be told).
std::string executable_folder(const char* argv0 = nullptr);

}  // namespace common
