#include "cases.hpp"

#include <fcntl.h>
#include <regex.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <set>
#include <stdexcept>

namespace fs = std::filesystem;

namespace common {

namespace {

// Reads a file that may be missing: nullopt when it is, `problem` set when it
// exists but cannot be read.
std::optional<std::string> read_optional(const std::string& path, std::string& problem) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (errno != ENOENT) problem = "cannot read " + path + ": " + std::strerror(errno);
    return std::nullopt;
  }
  std::string text;
  char buffer[65536];
  ssize_t n;
  while ((n = read(fd, buffer, sizeof buffer)) > 0) text.append(buffer, static_cast<size_t>(n));
  if (n < 0) problem = "cannot read " + path + ": " + std::strerror(errno);
  close(fd);
  return text;
}

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
  std::error_code ec;
  c.has_input = fs::exists(c.base + ".in", ec);
  c.out = read_optional(c.base + ".out", c.problem);
  c.err = read_optional(c.base + ".err", c.problem);
  if (const auto text = read_optional(c.base + ".status", c.problem)) {
    c.status = parse_status(*text);
    if (!c.status && c.problem.empty()) c.problem = name + ".status is not a number from 0 to 255";
  }
  if (c.problem.empty()) c.problem = kind_problem(c);
  return c;
}

// The POSIX matcher compiles in a fraction of the time <regex> takes and
// covers what a filter needs.
std::string reason(const fs::path& path, const std::error_code& ec) {
  return path.string() + ": " + ec.message();
}

// The entries of a folder, sorted; a folder that cannot be read is a problem.
std::vector<fs::directory_entry> entries(const fs::path& dir, std::vector<std::string>& problems) {
  std::vector<fs::directory_entry> list;
  std::error_code ec;
  fs::directory_iterator it(dir, ec), end;
  for (; !ec && it != end; it.increment(ec)) list.push_back(*it);
  if (ec) problems.push_back("cannot read " + reason(dir, ec));
  std::sort(list.begin(), list.end());
  return list;
}

bool case_extension(const std::string& ext) {
  return ext == ".in" || ext == ".out" || ext == ".err" || ext == ".status";
}

// The case names of one program's folder; anything else there is a problem.
std::set<std::string> case_names(const fs::path& dir, std::vector<std::string>& problems) {
  std::set<std::string> names;
  for (const auto& entry : entries(dir, problems)) {
    std::error_code ec;
    const bool regular = entry.is_regular_file(ec);
    if (ec)
      problems.push_back(reason(entry.path(), ec));
    else if (!regular || !case_extension(entry.path().extension().string()))
      problems.push_back("stray entry " + entry.path().string() + " (not a case file)");
    else
      names.insert(entry.path().stem().string());
  }
  return names;
}

}  // namespace

NameFilter::NameFilter(const std::string& pattern) {
  if (const int error = regcomp(&compiled_, pattern.c_str(), REG_EXTENDED | REG_NOSUB); error) {
    char message[256];
    regerror(error, &compiled_, message, sizeof message);
    throw std::invalid_argument(message);
  }
}

NameFilter::~NameFilter() {
  regfree(&compiled_);
}

bool NameFilter::matches(const std::string& name) const {
  return regexec(&compiled_, name.c_str(), 0, nullptr, 0) == 0;
}

bool is_rejection(const std::string& program, int status, const std::string& err) {
  const std::string prefix = program + ": ";
  return status == 2 && err.size() > prefix.size() + 1 && err.starts_with(prefix) &&
         err.find('\n') == err.size() - 1;
}

std::string kind_problem(const Case& c) {
  if (!c.status || !c.err) return "";
  const std::string prefix = c.program + ": ";
  const bool rejects = is_rejection(c.program, *c.status, *c.err);
  if (c.rejection() && !rejects)
    return "malformed case: a reject_ case expects status 2 and one line \"" + prefix +
           "reason\" on stderr";
  if (!c.rejection() && rejects)
    return "malformed case: it expects a rejection, so its name must start with reject_";
  return "";
}

CaseSet load_cases(const std::string& root, const std::string& filter) {
  CaseSet set;
  const NameFilter pattern(filter);
  for (const auto& entry : entries(root, set.problems)) {
    std::error_code ec;
    const bool folder = entry.is_directory(ec);
    const std::string program = entry.path().filename().string();
    if (ec) {
      set.problems.push_back(reason(entry.path(), ec));
    } else if (!folder) {
      set.problems.push_back("stray entry " + entry.path().string() + " (not a program folder)");
    } else if (pattern.matches(program)) {
      for (const auto& name : case_names(entry.path(), set.problems))
        set.cases.push_back(load_case(program, name, entry.path()));
    }
  }
  return set;
}

}  // namespace common
