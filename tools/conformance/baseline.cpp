#include "baseline.hpp"

#include <cstdio>

#include "options.hpp"
#include "result_names.hpp"
#include "results.hpp"

namespace conformance {

Baseline::Baseline(const std::string& path) {
  std::string error;
  const auto file = read_results(path, error);
  if (!file) throw common::UsageError("--baseline: " + error);
  // A case the baseline did not run is not in tests: it did not fail there.
  for (const auto& t : (*file)["tests"])
    failed_[unescape_name(t["name"])] = failing_code(t["code"].get<std::string>());
}

void Baseline::judge(const common::Case& c, Verdict& o) const {
  if (!o.finished) return;
  const auto found = failed_.find(test_name(c.program, c.name));
  const bool failed_there = found != failed_.end() && found->second;
  o.known_failure = !o.passed && failed_there;
  o.fixed = o.passed && failed_there;
}

namespace {

void print_names(const char* label, const std::vector<std::string>& names) {
  for (const auto& name : names) std::printf("  %s %s\n", label, name.c_str());
}

}  // namespace

void print_standing(const std::vector<common::Case>& cases, const std::vector<Verdict>& verdicts) {
  std::vector<std::string> fresh, fixed;
  std::size_t known = 0;
  for (std::size_t i = 0; i < cases.size(); i++) {
    const Verdict& o = verdicts[i];
    const std::string name = cases[i].program + "/" + cases[i].name;
    if (o.known_failure)
      known++;
    else if (o.fixed)
      fixed.push_back(name);
    else if (o.finished && !o.passed)
      fresh.push_back(name);
  }
  std::printf("against the baseline: %zu new failures, %zu known failures, %zu fixed\n",
              fresh.size(), known, fixed.size());
  print_names("new failure:", fresh);
  print_names("fixed:", fixed);
}

}  // namespace conformance
