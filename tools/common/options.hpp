// The command-line scaffold both drivers share: a table of options, strict
// value parsing, and shell-like splitting of a command given as one word.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

namespace common {

// A command-line mistake. The driver prints "DRIVER: message" and exits with
// status 2 before it runs anything.
struct UsageError : std::runtime_error {
  using std::runtime_error::runtime_error;
};

// Stores an option's value (flags get ""), throwing UsageError when the value
// is not acceptable; `name` is the option, for the message.
using Apply = std::function<void(const std::string& name, const std::string& value)>;

// One row of a driver's option table. A row whose `value` is empty is a flag;
// the others take one value, given as "--name VALUE" or "--name=VALUE".
struct Option {
  const char* name;
  const char* value;
  const char* help;
  Apply apply;
};

// Applies argv[1..] to the table. An unknown option, a missing value or a
// value given to a flag throws UsageError naming the option.
void parse_options(int argc, char** argv, const std::vector<Option>& table);

// The table as usage lines, one per option.
std::string usage_lines(const std::vector<Option>& table);

// Limits that keep every value meaning a real bound: no option means "never
// stop" or "unbounded".
inline constexpr double max_timeout_seconds = 86400.0;
inline constexpr int max_jobs = 256;

// A finite positive number of seconds up to max_timeout_seconds, optionally
// followed by one unit letter: s, m (minutes) or h (hours).
double parse_seconds(const std::string& option, const std::string& text);

// A decimal integer from 0 to `max`, digits only.
std::uint64_t parse_number(const std::string& option, const std::string& text, std::uint64_t max);
int parse_count(const std::string& option, const std::string& text, int max);

// A size in MiB above 0 and up to `max` bytes, as bytes: whole digits,
// optionally followed by M or MiB (the default unit), or G or GiB.
std::size_t parse_mebibytes(const std::string& option, const std::string& text, std::size_t max);

// Words as a POSIX shell splits them, without expansions: blanks separate,
// single quotes keep everything, double quotes keep everything but \" and \\,
// a backslash outside quotes keeps the next character. An unclosed quote or a
// trailing backslash throws UsageError naming the option.
std::vector<std::string> split_words(const std::string& option, const std::string& text);

// Throws UsageError naming `option` unless `command` (a path, or a name
// looked up in PATH) is an executable: a wrapper that is missing must stop
// the driver before it runs anything, not fail every run alike.
void check_command(const std::string& option, const std::string& command);

// What a row stores, so that a row of the table is one line: the text as
// given, true, a count up to `max`, seconds, or the words of a command.
Apply store_text(std::string& field);
Apply store_true(bool& field);
Apply store_count(int& field, int max);
Apply store_seconds(double& field);
Apply store_mebibytes(std::size_t& field, std::size_t max);
Apply store_words(std::vector<std::string>& field);
Apply append_text(std::vector<std::string>& field);

}  // namespace common
