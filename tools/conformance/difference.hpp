// How a failed run differs from its case, in one word: what a fault's
// signature records per case and what the diagnosis compares.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "cases.hpp"
#include "process.hpp"

namespace conformance {

// The weightiest difference of a run wins: a timeout over a crash over an
// exit status over the output.
enum class Difference {
  none,
  ulps,         // only float values differ (none of them a NaN)
  nan_sign,     // only the sign of printed NaNs differs
  timeout,      // stopped after the time limit
  crash,        // ended by a signal, a bound, or never ran
  exit_status,  // exited with another status
  bytes,        // any other difference of the output
};

// The word used in signature files and diagnosis lines ("nan-sign" ...).
const char* difference_name(Difference d);
std::optional<Difference> difference_from_name(std::string_view name);

// The kind of difference between a finished run and its case.
Difference classify_run(const common::Case& c, const common::RunResult& r);

// The kind of difference between two outputs of a run that exited as expected.
Difference classify_output(const std::string& want, const std::string& got);

}  // namespace conformance
