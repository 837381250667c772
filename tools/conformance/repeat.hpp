// --repeat: each case run several times, for times that noise does not
// decide and for verdicts that change from run to run.
#pragma once

#include "cases.hpp"
#include "judge.hpp"

namespace conformance {

// Runs the case s.repeat times. The times are the minimum (seconds,
// cpu_seconds, user_seconds) and the median; a case whose verdicts differ is
// flaky and fails.
Verdict repeat_case(const common::Case& c, const Settings& s);

}  // namespace conformance
