#include "files.hpp"

#include <cstring>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace common {

bool read_file(const std::string& path, std::string& content) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  content.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return !in.bad();
}

bool write_file(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
  out.close();
  return static_cast<bool>(out);
}

std::string executable_folder(const char* argv0) {
  std::error_code ec;
  fs::path self = fs::read_symlink("/proc/self/exe", ec);
  if (ec) {
    if (argv0 == nullptr || std::strchr(argv0, '/') == nullptr) return "";
    self = fs::absolute(argv0, ec);
    if (ec) return "";
  }
  return self.parent_path().string();
}

}  // namespace common
