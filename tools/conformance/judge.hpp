// Running one golden case and judging the run: the verdict lines of the
// report, or the files --record writes.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "cases.hpp"
#include "difference.hpp"
#include "settings.hpp"

namespace conformance {

// Output kept beyond the expected size. A stream that passes expected size
// plus this margin cannot match, so the case is stopped there; the margin
// leaves the report enough of the output to show where it went wrong.
inline constexpr std::size_t output_margin = 64u << 10;
// What --record keeps of a stream with no expected file to size it by.
inline constexpr std::size_t record_limit = 64u << 20;

struct Verdict {
  bool finished = false;  // false: an interrupt came first; the case counts as not run
  bool passed = false;
  Difference difference = Difference::none;  // how a failed run differs, in one word
  std::string message;  // what happened, in a few words (JUnit's failure message)
  std::string details;  // indented lines for the report
  double seconds = 0.0;
  std::string out, err;  // what a failed run wrote, for the HTML report
  bool timed_out = false;
  double cpu_seconds = 0.0;   // user plus system, the program and what it waited for
  double user_seconds = 0.0;  // user alone
  long long max_rss_bytes = 0;
  // With --repeat: runs made, and the median of their times (the times above
  // then hold the minimum); verdicts that differed make it flaky.
  int repeats = 1;
  double median_seconds = 0.0, median_cpu_seconds = 0.0, median_user_seconds = 0.0;
  bool flaky = false;
  // With --baseline: it failed there too (counted apart, not as failed), or
  // it passes now and failed there.
  bool known_failure = false;
  bool fixed = false;
  // For a failed run: the shell command that runs the case by hand and shows
  // the difference (see reproduce.hpp).
  std::string reproduce;
};

Verdict check_case(const common::Case& c, const Settings& s);

// The line under a timeout: the processor time the run had within the
// wall-clock limit and, when it mostly waited, that a longer --timeout may
// let it finish.
std::string timeout_words(double limit_seconds, double cpu_seconds);

// "65,602": byte counts a person reads at a glance.
std::string with_commas(std::size_t n);

}  // namespace conformance
