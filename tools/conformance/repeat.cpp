#include "repeat.hpp"

#include <algorithm>

namespace conformance {

namespace {

double median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  const std::size_t n = v.size();
  return n % 2 == 1 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2.0;
}

bool same_verdict(const Verdict& a, const Verdict& b) {
  return a.passed == b.passed && a.message == b.message;
}

std::string verdict_line(const Verdict& o) {
  return "  run: " + (o.passed ? std::string("passed") : o.message) + "\n";
}

}  // namespace

Verdict repeat_case(const common::Case& c, const Settings& s) {
  std::vector<Verdict> runs;
  for (int k = 0; k < s.repeat; k++) {
    runs.push_back(check_case(c, s));
    if (!runs.back().finished) return Verdict{};
  }
  std::vector<double> wall, cpu, user;
  for (const auto& r : runs) {
    wall.push_back(r.seconds);
    cpu.push_back(r.cpu_seconds);
    user.push_back(r.user_seconds);
  }
  // The first differing verdict is shown; a failing run's details otherwise.
  auto shown = std::find_if(runs.begin(), runs.end(), [](const Verdict& o) { return !o.passed; });
  Verdict out = shown == runs.end() ? runs.front() : *shown;
  out.repeats = s.repeat;
  out.seconds = *std::min_element(wall.begin(), wall.end());
  out.cpu_seconds = *std::min_element(cpu.begin(), cpu.end());
  out.median_seconds = median(wall);
  out.median_cpu_seconds = median(cpu);
  out.user_seconds = *std::min_element(user.begin(), user.end());
  out.median_user_seconds = median(user);
  for (const auto& r : runs) out.max_rss_bytes = std::max(out.max_rss_bytes, r.max_rss_bytes);
  const bool steady = std::all_of(runs.begin(), runs.end(),
                                  [&](const Verdict& o) { return same_verdict(o, runs.front()); });
  if (steady) return out;
  out.flaky = true;
  out.passed = false;
  out.message = "flaky: the verdict changed between " + std::to_string(s.repeat) + " runs";
  std::string lines = "  " + out.message + "\n";
  for (const auto& r : runs) lines += verdict_line(r);
  out.details = lines + out.details;
  return out;
}

}  // namespace conformance
