#include "cases.hpp"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <stdexcept>

#include <regex.h>

namespace fs = std::filesystem;

namespace conformance {

bool read_file(const std::string& path, std::string& content) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return false;
  std::ostringstream buffer;
  buffer << in.rdbuf();
  content = buffer.str();
  return true;
}

bool write_file(const std::string& path, const std::string& content) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out << content;
  return static_cast<bool>(out);
}

namespace {

std::optional<int> parse_status(const std::string& text) {
  std::string trimmed = text;
  while (!trimmed.empty() && (trimmed.back() == '\n' || trimmed.back() == ' ')) trimmed.pop_back();
  if (trimmed.empty() || trimmed.size() > 3) return std::nullopt;
  int value = 0;
  for (char c : trimmed) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  if (value > 255) return std::nullopt;
  return value;
}

Case load_case(const std::string& program, const std::string& name, const fs::path& dir) {
  Case c;
  c.program = program;
  c.name = name;
  c.base = (dir / name).string();
  c.has_input = fs::exists(c.base + ".in");
  std::string text;
  if (read_file(c.base + ".out", text)) c.out = text;
  if (read_file(c.base + ".err", text)) c.err = text;
  if (read_file(c.base + ".status", text)) {
    c.status = parse_status(text);
    if (!c.status) c.problem = name + ".status is not a number from 0 to 255";
  }
  return c;
}

}  // namespace

std::vector<Case> load_cases(const std::string& root, const std::string& filter) {
  std::vector<Case> cases;
  // POSIX extended expressions: the C library's matcher compiles in a
  // fraction of the time <regex> takes, and covers what a filter needs.
  regex_t pattern;
  if (const int error = regcomp(&pattern, filter.c_str(), REG_EXTENDED | REG_NOSUB); error != 0) {
    char message[256];
    regerror(error, &pattern, message, sizeof message);
    throw std::invalid_argument(message);
  }
  // Compiled, so freed however the walk below ends (the file system may throw).
  struct Release {
    regex_t* compiled;
    ~Release() { regfree(compiled); }
  } release{&pattern};
  std::vector<fs::path> programs;
  for (const auto& entry : fs::directory_iterator(root))
    if (entry.is_directory()) programs.push_back(entry.path());
  std::sort(programs.begin(), programs.end());
  for (const auto& dir : programs) {
    std::string program = dir.filename().string();
    if (regexec(&pattern, program.c_str(), 0, nullptr, 0) != 0) continue;
    std::map<std::string, bool> names;
    for (const auto& entry : fs::directory_iterator(dir)) {
      const auto ext = entry.path().extension().string();
      if (ext == ".in" || ext == ".out" || ext == ".err" || ext == ".status")
        names[entry.path().stem().string()] = true;
    }
    for (const auto& [name, unused] : names) cases.push_back(load_case(program, name, dir));
  }
  return cases;
}

}  // namespace conformance
