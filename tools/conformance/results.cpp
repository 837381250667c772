#include "results.hpp"

#include <algorithm>
#include <fstream>
#include <sstream>

#include "files.hpp"
#include "result_names.hpp"

namespace conformance {

namespace {

#ifndef SUITE_VERSION
#define SUITE_VERSION "0.0.0"
#endif

// "1.2.3" as [1, 2, 3], the shape lit gives its own version.
Json version_numbers() {
  Json numbers = Json::array();
  std::istringstream parts(SUITE_VERSION);
  for (std::string part; std::getline(parts, part, '.');) numbers.push_back(std::stoi(part));
  return numbers;
}

// The verdict as the report prints it: the headline, then the details.
std::string output_of(const Verdict& o) {
  std::string text = o.passed ? "passed\n" : o.known_failure ? "known failure: " : "";
  if (!o.passed) text += o.message + "\n";
  return text + o.details;
}

// "PROGRAM:CASE", which compare.py shows instead of the name: its
// --minimal-names keeps what follows the last slash, and this has none.
std::string short_name(const std::string& program, const std::string& name) {
  return escape_name(program + ":" + name);
}

// Times of a run that passed. exec_time is user plus system time, not the
// user time alone as in the LLVM test-suite: the kernel splits a run's time
// between the two by clock-tick samples, so a run shorter than a tick often
// has no user time at all, and a 0 makes compare.py's geometric mean -100%.
Json metrics_of(const Verdict& o) {
  Json metrics = {
      {"exec_time", o.cpu_seconds}, {"user_time", o.user_seconds}, {"max_rss", o.max_rss_bytes}};
  if (o.repeats > 1) {
    metrics["exec_time_median"] = o.median_cpu_seconds;
    metrics["user_time_median"] = o.median_user_seconds;
    metrics["elapsed_median"] = o.median_seconds;
    metrics["repeats"] = o.repeats;
  }
  return metrics;
}

}  // namespace

std::string test_name(const std::string& program, const std::string& name) {
  return "conformance :: " + program + "/" + name;
}

const char* code_of(const Verdict& o) {
  if (o.passed) return "PASS";
  if (o.known_failure) return "XFAIL";
  return o.timed_out && !o.flaky ? "TIMEOUT" : "FAIL";
}

bool failing_code(const std::string& code) {
  return code != "PASS" && code != not_run_code;
}

Json case_entry(const common::Case& c, const Verdict& o) {
  Json entry = {{"name", escape_name(test_name(c.program, c.name))},
                {"shortname", short_name(c.program, c.name)},
                {"code", code_of(o)},
                {"elapsed", o.seconds},
                {"output", output_of(o)},
                {"program", escape_name(c.program)},
                {"case", escape_name(c.name)},
                {"kind", c.rejection() ? "rejection" : "valid"}};
  if (o.passed) entry["metrics"] = metrics_of(o);
  if (o.flaky) entry["flaky"] = true;
  if (o.fixed) entry["fixed"] = true;
  return entry;
}

bool write_results(const std::string& path, double elapsed, Json tests, Json extra) {
  Json file = {
      {"__version__", version_numbers()}, {"elapsed", elapsed}, {"tests", std::move(tests)}};
  for (auto& [key, value] : extra.items()) file[key] = std::move(value);
  // Names are escaped; prose (a verdict quoting a file name) may still hold
  // bytes that are not UTF-8, which become U+FFFD rather than stop the write.
  return common::write_file(path, file.dump(2, ' ', false, Json::error_handler_t::replace) + "\n");
}

std::optional<Json> read_results(const std::string& path, std::string& error) {
  std::string text;
  if (!common::read_file(path, text)) {
    error = "cannot read " + path;
    return std::nullopt;
  }
  Json file = Json::parse(text, nullptr, false);
  if (file.is_discarded()) {
    error = path + " is not JSON";
    return std::nullopt;
  }
  if (!file.is_object() || !file.contains("tests") || !file["tests"].is_array()) {
    error = path + " is not a results file (no tests list)";
    return std::nullopt;
  }
  for (const auto& t : file["tests"])
    if (!t.is_object() || !t.contains("name") || !t["name"].is_string() || !t.contains("code") ||
        !t["code"].is_string()) {
      error = path + ": a test without a name or code";
      return std::nullopt;
    }
  Json not_run = file.contains("not_run") ? file["not_run"] : Json::array();
  if (!not_run.is_array() ||
      !std::all_of(not_run.begin(), not_run.end(), [](const Json& n) { return n.is_string(); })) {
    error = path + ": not_run is not a list of names";
    return std::nullopt;
  }
  // Older files held a case not run as an UNSUPPORTED test.
  Json tests = Json::array();
  for (auto& t : file["tests"]) {
    if (t["code"] == "UNSUPPORTED")
      not_run.push_back(t["name"]);
    else
      tests.push_back(std::move(t));
  }
  file["tests"] = std::move(tests);
  file["not_run"] = std::move(not_run);
  return file;
}

Json run_keys(const RunTotals& totals) {
  Json keys = Json::object();
  if (!totals.build.empty()) {
    Json build = Json::object();
    for (const auto& [field, value] : totals.build) build[field] = value;
    keys["build"] = std::move(build);
  } else if (!totals.build_note.empty()) {
    keys["build"] = totals.build_note;
  }
  if (!totals.diagnosis.empty()) keys["diagnosis"] = totals.diagnosis;
  return keys;
}

bool write_run_results(const std::string& path, double elapsed,
                       const std::vector<common::Case>& cases, const std::vector<Verdict>& verdicts,
                       const RunTotals& totals) {
  Json tests = Json::array(), not_run = Json::array();
  for (std::size_t i = 0; i < cases.size(); i++) {
    if (verdicts[i].finished)
      tests.push_back(case_entry(cases[i], verdicts[i]));
    else
      not_run.push_back(escape_name(test_name(cases[i].program, cases[i].name)));
  }
  Json keys = run_keys(totals);
  keys["not_run"] = std::move(not_run);
  return write_results(path, elapsed, std::move(tests), std::move(keys));
}

bool write_generated_results(const std::string& path, double elapsed,
                             const generate::Summary& summary, const std::string& shard) {
  Json tests = Json::array();
  for (const auto& p : summary.programs) {
    const std::string counts =
        std::to_string(p.agreed) + " agreed, " + std::to_string(p.differed) + " differed\n";
    tests.push_back({{"name", escape_name(test_name(p.program, "generated"))},
                     {"shortname", short_name(p.program, "generated")},
                     {"code", p.differed == 0 ? "PASS" : "FAIL"},
                     {"elapsed", p.seconds},
                     {"output", counts},
                     {"metrics", {{"agreed", p.agreed}, {"differed", p.differed}}},
                     {"program", escape_name(p.program)},
                     {"kind", "generated"},
                     {"shard", shard},
                     {"refused", p.refused},
                     {"saved", p.saved}});
  }
  return write_results(path, elapsed, std::move(tests));
}

}  // namespace conformance
