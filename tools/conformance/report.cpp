#include "report.hpp"

#include <algorithm>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <sstream>

#include "baseline.hpp"
#include "escape.hpp"
#include "files.hpp"
#include "options.hpp"
#include "supervise.hpp"

using common::Case;

namespace conformance {

std::vector<ProgramSummary> summarize(const std::vector<Case>& cases,
                                      const std::vector<Verdict>& verdicts) {
  std::vector<ProgramSummary> programs;
  for (std::size_t i = 0; i < cases.size(); i++) {
    if (programs.empty() || programs.back().name != cases[i].program)
      programs.push_back({cases[i].program});
    ProgramSummary& p = programs.back();
    p.cases++;
    p.seconds += verdicts[i].seconds;
    if (!verdicts[i].finished)
      p.not_run++;
    else if (verdicts[i].known_failure)
      p.known++;
    else if (!verdicts[i].passed)
      p.failed++;
  }
  return programs;
}

int name_width(const std::vector<Case>& cases) {
  std::size_t width = 7;
  for (const auto& c : cases) width = std::max(width, c.program.size());
  return static_cast<int>(width);
}

void print_row(const ProgramSummary& p, int width) {
  std::string result = "pass";
  if (p.failed != 0)
    result = "FAIL " + std::to_string(p.failed) + " of " + std::to_string(p.cases);
  else if (p.known != 0)
    result = "XFAIL " + std::to_string(p.known) + " of " + std::to_string(p.cases);
  else if (p.not_run == p.cases)
    result = "not run";
  else if (p.not_run != 0)
    result = "pass, " + std::to_string(p.not_run) + " not run";
  std::printf("%-*s %6d  %-16s %9.1f\n", width, p.name.c_str(), p.cases, result.c_str(),
              p.seconds * 1000.0);
}

Progress::Progress(const std::vector<Case>& cases, bool terminal)
    : cases_(cases), terminal_(terminal), last_line_(std::chrono::steady_clock::now()) {}

void Progress::finished(std::size_t /*index*/, const Verdict& verdict) {
  std::lock_guard<std::mutex> hold(lock_);
  done_++;
  if (verdict.finished && !verdict.passed && !verdict.known_failure) failed_++;
  if (terminal_) {
    std::printf("\r[%zu/%zu] %d failed", done_, cases_.size(), failed_);
    std::fflush(stdout);
    return;
  }
  // Off a terminal (a CI log): a line at each tenth of the run and at least
  // every half minute, so that the log shows the run advancing without
  // burying the report under a line per program.
  const auto now = std::chrono::steady_clock::now();
  const std::size_t tenth = done_ * 10 / cases_.size();
  if (tenth == last_tenth_ && now - last_line_ < std::chrono::seconds(30)) return;
  last_tenth_ = tenth;
  last_line_ = now;
  std::printf("[%zu/%zu] %d failed\n", done_, cases_.size(), failed_);
  std::fflush(stdout);
}

void Progress::clear() {
  if (terminal_) std::printf("\r\033[K");
  std::fflush(stdout);
}

namespace {

// Before the table: what --verbose and --record say of cases that passed.
void print_passes(const std::vector<Case>& cases, const std::vector<Verdict>& verdicts,
                  const Settings& s) {
  if (s.failures_only) return;
  for (std::size_t i = 0; i < cases.size(); i++) {
    const Verdict& o = verdicts[i];
    if (!o.finished || !o.passed) continue;
    const char* program = cases[i].program.c_str();
    const char* name = cases[i].name.c_str();
    if (s.record && !o.details.empty())
      std::printf("%s/%s\n%s", program, name, o.details.c_str());
    else if (s.verbose)
      std::printf("pass %s/%s\n", program, name);
  }
}

// After the table, so that the end of a log shows them: each failure with
// the command that reproduces it.
void print_failures(const std::vector<Case>& cases, const std::vector<Verdict>& verdicts) {
  bool first = true;
  for (std::size_t i = 0; i < cases.size(); i++) {
    const Verdict& o = verdicts[i];
    if (!o.finished || o.passed) continue;
    if (first) std::printf("\n");
    first = false;
    const char* program = cases[i].program.c_str();
    const char* name = cases[i].name.c_str();
    if (o.known_failure) {
      std::printf("known failure %s/%s: %s\n", program, name, o.message.c_str());
      continue;
    }
    std::printf("FAIL %s/%s\n%s", program, name, o.details.c_str());
    if (!o.reproduce.empty()) std::printf("reproduce: %s\n", o.reproduce.c_str());
  }
}

// The table, sorted by program; with --failures-only only the programs that
// did not simply pass.
void print_table(const std::vector<ProgramSummary>& programs, int width, const Settings& s) {
  std::size_t shown = 0;
  for (const auto& p : programs) {
    const bool plain_pass = p.failed == 0 && p.known == 0 && p.not_run == 0;
    if (s.failures_only && plain_pass) continue;
    if (shown++ == 0)
      std::printf("\n%-*s %6s  %-16s %9s\n", width, "program", "cases", "result", "time (ms)");
    print_row(p, width);
  }
  if (s.failures_only && shown < programs.size())
    std::printf("%s%zu program%s passed (not listed: --failures-only)\n", shown == 0 ? "\n" : "",
                programs.size() - shown, programs.size() - shown == 1 ? "" : "s");
}

struct KindCount {
  int passed = 0, failed = 0, not_run = 0;
};

void print_kinds(const std::vector<Case>& cases, const std::vector<Verdict>& verdicts,
                 const RunTotals& totals) {
  KindCount kinds[2];
  for (std::size_t i = 0; i < cases.size(); i++) {
    KindCount& k = kinds[cases[i].rejection() ? 1 : 0];
    if (!verdicts[i].finished)
      k.not_run++;
    else if (!verdicts[i].known_failure)
      (verdicts[i].passed ? k.passed : k.failed)++;
  }
  std::printf("valid-input cases: %d passed, %d failed; ", kinds[0].passed, kinds[0].failed);
  if (totals.skipped_rejections != 0 && kinds[1].passed + kinds[1].failed + kinds[1].not_run == 0)
    std::printf("rejection cases: %zu skipped (--valid-only)\n", totals.skipped_rejections);
  else
    std::printf("rejection cases: %d passed, %d failed\n", kinds[1].passed, kinds[1].failed);
}

}  // namespace

std::vector<std::string> build_lines(const RunTotals& totals) {
  std::vector<std::string> lines;
  for (const auto& [field, value] : totals.build) lines.push_back("build: " + field + " " + value);
  if (totals.build.empty() && !totals.build_note.empty())
    lines.push_back("build: " + totals.build_note);
  return lines;
}

void print_report(const std::vector<Case>& cases, const std::vector<Verdict>& verdicts,
                  const Settings& s, const RunTotals& totals) {
  for (const auto& line : build_lines(totals)) std::printf("%s\n", line.c_str());
  print_passes(cases, verdicts, s);
  const auto programs = summarize(cases, verdicts);
  print_table(programs, name_width(cases), s);
  print_failures(cases, verdicts);
  int failed_programs = 0, passed = 0, failed = 0, not_run = 0;
  for (const auto& p : programs) failed_programs += p.failed ? 1 : 0;
  for (const auto& o : verdicts)
    if (!o.known_failure) (!o.finished ? not_run : o.passed ? passed : failed)++;
  std::printf("\n%zu programs, %zu cases; %d of the programs failed\n", programs.size(),
              cases.size(), failed_programs);
  print_kinds(cases, verdicts, totals);
  if (totals.folder_problems != 0)
    std::printf("%zu entries of the case folders are not cases (listed at the start)\n",
                totals.folder_problems);
  if (totals.interrupt != 0)
    std::printf("interrupted by %s: %d cases not run\n", common::signal_name(totals.interrupt),
                not_run);
  if (!s.baseline.empty()) print_standing(cases, verdicts);
  for (const auto& line : totals.diagnosis) std::printf("%s\n", line.c_str());
  for (const auto& line : totals.written) std::printf("%s\n", line.c_str());
  std::printf("%d passed, %d failed\n", passed, failed);
  std::fflush(stdout);
}

namespace {

// Length of the valid UTF-8 sequence at s[i] holding a character XML 1.0
// allows, or 0.
std::size_t xml_char_length(const std::string& s, std::size_t i) {
  const common::Utf8Char c = common::utf8_char(s, i);
  if (c.code < 0x20 && c.code != '\n' && c.code != '\t' && c.code != '\r') return 0;
  return c.code == 0xfffe || c.code == 0xffff ? 0 : c.length;
}

}  // namespace

std::string xml_escape(const std::string& s) {
  std::string e;
  for (std::size_t i = 0; i < s.size();) {
    const std::size_t length = xml_char_length(s, i);
    if (length == 0) {
      char hex[8];
      std::snprintf(hex, sizeof hex, "\\x%02x", static_cast<unsigned char>(s[i]));
      e += hex;
      i++;
      continue;
    }
    switch (s[i]) {
      case '<':
        e += "&lt;";
        break;
      case '>':
        e += "&gt;";
        break;
      case '&':
        e += "&amp;";
        break;
      case '"':
        e += "&quot;";
        break;
      case '\r':
        e += "&#13;";
        break;
      default:
        e.append(s, i, length);
    }
    i += length;
  }
  return e;
}

namespace {

void junit_case(std::ostringstream& x, const Case& c, const Verdict& o) {
  x << "    <testcase classname=\"" << xml_escape(c.program) << "\" name=\"" << xml_escape(c.name)
    << "\" time=\"" << o.seconds << "\"";
  if (!o.finished)
    x << ">\n      <skipped message=\"not run: the run was interrupted\"/>\n    </testcase>\n";
  else if (o.passed)
    x << "/>\n";
  else if (o.known_failure)
    x << ">\n      <skipped message=\"known failure: " << xml_escape(o.message)
      << "\"/>\n    </testcase>\n";
  else
    x << ">\n      <failure message=\"" << xml_escape(o.message) << "\">" << xml_escape(o.details)
      << (o.reproduce.empty() ? "" : xml_escape("reproduce: " + o.reproduce + "\n"))
      << "</failure>\n    </testcase>\n";
}

}  // namespace

bool write_junit(const std::string& path, const std::vector<Case>& cases,
                 const std::vector<Verdict>& verdicts, const RunTotals& totals) {
  std::ostringstream x;
  int failures = 0;
  for (const auto& o : verdicts) failures += o.finished && !o.passed && !o.known_failure ? 1 : 0;
  x << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  x << "<testsuites name=\"conformance\" tests=\"" << cases.size() << "\" failures=\"" << failures
    << "\">\n";
  // Readers take properties from each test suite, not from the whole file,
  // so every suite carries the build and the diagnosis.
  std::ostringstream properties;
  properties << "    <properties>\n";
  for (const auto& [field, value] : totals.build)
    properties << "      <property name=\"build." << xml_escape(field) << "\" value=\""
               << xml_escape(value) << "\"/>\n";
  if (totals.build.empty() && !totals.build_note.empty())
    properties << "      <property name=\"build\" value=\"" << xml_escape(totals.build_note)
               << "\"/>\n";
  for (const auto& line : totals.diagnosis)
    properties << "      <property name=\"diagnosis\" value=\"" << xml_escape(line) << "\"/>\n";
  properties << "    </properties>\n";
  std::size_t i = 0;
  for (const auto& p : summarize(cases, verdicts)) {
    x << "  <testsuite name=\"" << xml_escape(p.name) << "\" tests=\"" << p.cases
      << "\" failures=\"" << p.failed << "\" skipped=\"" << p.not_run + p.known << "\" time=\""
      << p.seconds << "\">\n"
      << properties.str();
    for (; i < cases.size() && cases[i].program == p.name; i++)
      junit_case(x, cases[i], verdicts[i]);
    x << "  </testsuite>\n";
  }
  x << "</testsuites>\n";
  return common::write_file(path, x.str());
}

}  // namespace conformance
