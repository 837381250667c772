#include "reproduce.hpp"

#include <cstdio>
#include <filesystem>

#include "containment.hpp"

namespace fs = std::filesystem;

namespace conformance {

std::string shell_quote(const std::string& word) {
  static const std::string plain =
      "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789_@%+=:,./-";
  if (!word.empty() && word.find_first_not_of(plain) == std::string::npos) return word;
  std::string quoted = "'";
  for (char ch : word) quoted += ch == '\'' ? std::string("'\\''") : std::string(1, ch);
  return quoted + "'";
}

std::string shell_command(const std::vector<std::string>& words) {
  std::string line;
  for (const auto& word : words) line += (line.empty() ? "" : " ") + shell_quote(word);
  return line;
}

namespace {

std::string absolute(const std::string& path) {
  std::error_code ec;
  const fs::path full = fs::absolute(path, ec);
  return ec ? path : full.lexically_normal().string();
}

}  // namespace

std::string reproduce_command(const common::Case& c, const Settings& s, bool timed_out) {
  std::vector<std::string> argv = s.wrapper;
  argv.push_back(absolute((fs::path(s.bin_dir) / c.program).string()));
  // The wrapper as the runner starts it: found in PATH, relative paths made
  // absolute; a wrapper that cannot be found stays as given.
  std::vector<std::string> anchored = common::anchored_command(argv);
  if (anchored.empty() || anchored[0].empty()) anchored = argv;
  for (std::size_t i = 0; i < anchored.size(); i++)
    if (anchored[i] != argv[i]) anchored[i] = fs::path(anchored[i]).lexically_normal().string();
  std::string run;
  if (timed_out) {
    char limit[32];
    std::snprintf(limit, sizeof limit, "%g", s.timeout);
    run = "timeout " + std::string(limit) + " ";
  }
  const std::string base = shell_quote(absolute(c.base));
  const std::string input = c.has_input ? base + ".in" : "/dev/null";
  return "cd \"$(mktemp -d)\" && " + run + shell_command(anchored) + " < " + input +
         " > out 2> err; echo $? > status; d=0; for f in out err status; do diff -au " + base +
         ".$f $f || d=1; done; [ $d = 0 ]";
}

}  // namespace conformance
