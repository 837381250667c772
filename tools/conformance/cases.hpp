// Golden cases on disk: tests/cases/<program>/<case>.{in,out,err,status}.
// .in is the standard input (absent: empty input); .out and .err are the exact
// expected standard output and standard error; .status holds the exit status
// as a decimal number 0..255.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace conformance {

struct Case {
  std::string program;
  std::string name;
  std::string base;  // path without extension
  bool has_input = false;
  std::optional<std::string> out, err;
  std::optional<int> status;
  std::string problem;  // set when the case files are unusable
};

// Every case below `root` whose program name matches `filter` (a POSIX
// extended regular expression searched in the name; empty matches all),
// sorted by program and case name. A malformed filter throws
// std::invalid_argument with the matcher's message.
std::vector<Case> load_cases(const std::string& root, const std::string& filter);

bool read_file(const std::string& path, std::string& content);
bool write_file(const std::string& path, const std::string& content);

}  // namespace conformance
