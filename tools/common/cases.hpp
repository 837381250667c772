// Golden cases on disk: CASES/<program>/<case>.{in,out,err,status}.
// .in is the standard input (absent: empty input); .out and .err are the exact
// expected standard output and standard error; .status holds the exit status
// as a decimal number 0..255.
//
// Two kinds of case. A case whose name starts with "reject_" is a rejection
// case: our programs' answer to input outside their contract (status 2 and one
// line "PROGRAM: reason" on stderr), which only builds of our own sources are
// expected to give. Every other case has valid input, whose output any
// correct build must give.
#pragma once

#include <regex.h>

#include <optional>
#include <string>
#include <vector>

namespace common {

struct Case {
  std::string program;
  std::string name;
  std::string base;  // path without extension
  bool has_input = false;
  std::optional<std::string> out, err;
  std::optional<int> status;
  std::string problem;  // set when the case files are unusable

  bool rejection() const { return name.starts_with("reject_"); }
};

struct CaseSet {
  std::vector<Case> cases;
  // Entries of the case folders that are not cases, one line each: folders
  // that cannot be read, symbolic link loops, stray files.
  std::vector<std::string> problems;
};

// Every case below `root` whose program name matches `filter` (a POSIX
// extended regular expression searched in the name; empty matches all),
// sorted by program and case name. A malformed filter throws
// std::invalid_argument with the matcher's message; nothing on disk throws.
CaseSet load_cases(const std::string& root, const std::string& filter);

// Program names matching a POSIX extended regular expression searched in the
// name (empty matches all). A malformed one throws std::invalid_argument with
// the matcher's message.
class NameFilter {
 public:
  explicit NameFilter(const std::string& pattern);
  NameFilter(const NameFilter&) = delete;
  NameFilter& operator=(const NameFilter&) = delete;
  ~NameFilter();
  bool matches(const std::string& name) const;

 private:
  regex_t compiled_;
};

// A run of `program` that refused its input: status 2 and exactly one line
// "PROGRAM: reason" on stderr.
bool is_rejection(const std::string& program, int status, const std::string& err);

// Whether a complete case breaks the kind convention, and how (empty: no).
std::string kind_problem(const Case& c);

}  // namespace common
