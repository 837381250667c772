// --generate: this build and the reference build on generated valid inputs
// instead of the golden cases, with the comparison's report.
#pragma once

#include <vector>

#include "generate.hpp"
#include "judge.hpp"
#include "options.hpp"

namespace conformance {

struct GeneratedSettings {
  generate::CompareOptions compare;
  std::string save_dir;  // where the cut-down inputs go ("" = nowhere)
};

// The comparison's rows of the runner's option table.
std::vector<common::Option> generated_option_rows(GeneratedSettings& g);

// Runs the comparison and prints it, ending with "N agreed, N differed";
// returns the runner's exit status.
int compare_generated(const Settings& s, GeneratedSettings g);

}  // namespace conformance
