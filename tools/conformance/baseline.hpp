// A baseline: the results file of an earlier run. A case that failed there
// and fails now is a known failure, not a failure of this run; one that
// passes now and failed there is fixed.
#pragma once

#include <string>
#include <unordered_map>
#include <vector>

#include "cases.hpp"
#include "judge.hpp"

namespace conformance {

class Baseline {
 public:
  // Reads the file; throws common::UsageError when it is not a results file.
  explicit Baseline(const std::string& path);
  // Marks the outcome as a known failure or as fixed.
  void judge(const common::Case& c, Verdict& o) const;

 private:
  std::unordered_map<std::string, bool> failed_;  // test name (unescaped) -> failed there
};

// The closing lines of a run against a baseline: new failures and fixed
// cases by name, the known failures counted.
void print_standing(const std::vector<common::Case>& cases, const std::vector<Verdict>& verdicts);

}  // namespace conformance
