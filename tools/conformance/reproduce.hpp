// The one shell command that runs a failing case by hand: the program (under
// its wrapper) on the case's input in a fresh folder, then its output,
// error output and exit status compared with the expected files.
#pragma once

#include <string>
#include <vector>

#include "cases.hpp"
#include "settings.hpp"

namespace conformance {

// A word as a POSIX shell reads it back unchanged: bare when it holds only
// characters no shell treats specially, otherwise in single quotes.
std::string shell_quote(const std::string& word);

// The words joined, each quoted.
std::string shell_command(const std::vector<std::string>& words);

// "cd \"$(mktemp -d)\" && PROGRAM < INPUT > out 2> err; ...": every path
// absolute, so that it runs from any folder; it prints the differences
// (diff -u) and exits non-zero when any of the three differs. A case that
// timed out gets the runner's time limit (timeout(1)), so the command ends.
std::string reproduce_command(const common::Case& c, const Settings& s, bool timed_out);

}  // namespace conformance
