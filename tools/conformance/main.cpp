// conformance: runs the suite's programs over their golden cases and compares
// standard output, standard error and exit status byte for byte. It is built
// to judge broken builds: see docs/using.md for what it guarantees then.
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <vector>

#include "cases.hpp"
#include "files.hpp"
#include "generated.hpp"
#include "html_report.hpp"
#include "judge.hpp"
#include "options.hpp"
#include "pool.hpp"
#include "report.hpp"
#include "supervise.hpp"

namespace fs = std::filesystem;
using namespace conformance;
using common::Case;
using common::Option;
using common::UsageError;

namespace {

#ifndef SUITE_CASES_DIR
#define SUITE_CASES_DIR "tests/cases"
#endif
// The installed cases, relative to the folder holding the installed runner.
#ifndef SUITE_INSTALLED_CASES
#define SUITE_INSTALLED_CASES "../share/conformance_suite/cases"
#endif

// An installed runner (one with the installed cases beside it) checks the
// programs installed next to it against those cases; a runner in a build
// tree uses the source tree's cases.
Settings defaults(const char* argv0) {
  Settings d;
  d.bin_dir = ".";
  d.cases_dir = SUITE_CASES_DIR;
  const std::string folder = common::executable_folder(argv0);
  if (folder.empty()) return d;
  const fs::path here = folder;
  const fs::path cases = (here / SUITE_INSTALLED_CASES).lexically_normal();
  std::error_code ec;
  if (fs::is_directory(cases, ec)) {
    d.bin_dir = here.string();
    d.cases_dir = cases.string();
  }
  return d;
}

std::string usage_text(const Settings& d, const std::vector<Option>& table) {
  return "usage: conformance [options]\n" + common::usage_lines(table) + "defaults: --bin-dir " +
         d.bin_dir + " --cases " + d.cases_dir + "\n";
}

// One line, so that a CI log shows the mistake and nothing else.
[[noreturn]] void usage_error(const std::string& message) {
  std::fprintf(stderr, "conformance: %s (see conformance --help)\n", message.c_str());
  std::exit(2);
}

// The options, one row each. Limits are documented in docs/using.md.
std::vector<Option> option_table(Settings& s, GeneratedSettings& g, bool& help) {
  using namespace common;
  std::vector<Option> table = {
      {"--bin-dir", "DIR", "folder holding the programs", store_text(s.bin_dir)},
      {"--cases", "DIR", "folder of golden cases, one subfolder per program",
       store_text(s.cases_dir)},
      {"--wrapper", "'CMD'",
       "run each program as CMD PROGRAM (shell-like quoting), e.g.\n"
       "                    'qemu-arm -L /usr/arm-linux-gnueabihf'",
       store_words(s.wrapper)},
      {"--filter", "REGEX", "only programs whose name matches REGEX (POSIX extended)",
       store_text(s.filter)},
      {"--valid-only", "", "only valid-input cases (leave out the reject_ cases)",
       store_true(s.valid_only)},
      {"--jobs", "N", "run N cases at once (default 1; 0 = one per processor; at most 256)",
       store_count(s.jobs, max_jobs)},
      {"--timeout", "SECS", "per case: seconds, or with s, m or h (default 10; at most 24h)",
       store_seconds(s.timeout)},
      {"--junit", "FILE", "also write the results as JUnit XML", store_text(s.junit)},
      {"--html", "FILE", "also write the report as one self-contained HTML file",
       store_text(s.html)},
      {"--record", "", "write expected files that are missing from a trusted build's output",
       store_true(s.record)},
      {"--overwrite", "", "with --record, also replace expected files that differ",
       store_true(s.overwrite)},
      {"--list", "", "list the cases and exit", store_true(s.list)},
      {"--verbose", "", "also name every case that passed", store_true(s.verbose)},
      {"--help", "", "show this text", store_true(help)},
  };
  for (auto& row : generated_option_rows(g)) table.push_back(std::move(row));
  return table;
}

void check_settings(Settings& s, const GeneratedSettings& g) {
  if (s.overwrite && !s.record) throw UsageError("--overwrite goes with --record");
  if (g.compare.inputs == 0 && !(g.compare.against.empty() && g.save_dir.empty()))
    throw UsageError("--against and --save-differences go with --generate");
  if (!s.html.empty() && (s.record || g.compare.inputs > 0))
    throw UsageError("--html reports a check of the golden cases, not --record or --generate");
  if (s.jobs == 0) s.jobs = common::processor_count();
  std::error_code ec;
  if (!fs::is_directory(s.cases_dir, ec)) throw UsageError("no case folder " + s.cases_dir);
  if (!fs::is_directory(s.bin_dir, ec)) throw UsageError("no program folder " + s.bin_dir);
  if (!s.wrapper.empty()) common::check_command("--wrapper", s.wrapper[0]);
}

Settings parse_command_line(int argc, char** argv, GeneratedSettings& g) {
  const Settings d = defaults(argc > 0 ? argv[0] : "");
  Settings s = d;
  bool help = false;
  const auto table = option_table(s, g, help);
  try {
    common::parse_options(argc, argv, table);
    if (help) {
      std::fputs(usage_text(d, table).c_str(), stdout);
      std::exit(0);
    }
    check_settings(s, g);
  } catch (const UsageError& e) {
    usage_error(e.what());
  }
  return s;
}

// The selected cases; the folder problems are printed as they are found.
std::vector<Case> select_cases(const Settings& s, RunTotals& totals) {
  common::CaseSet set;
  try {
    set = common::load_cases(s.cases_dir, s.filter);
  } catch (const std::invalid_argument& e) {
    std::fprintf(stderr, "conformance: bad --filter: %s\n", e.what());
    std::exit(2);
  }
  for (const auto& problem : set.problems)
    std::fprintf(stderr, "conformance: %s\n", problem.c_str());
  totals.folder_problems = set.problems.size();
  std::vector<Case> cases;
  for (auto& c : set.cases) {
    if (s.valid_only && c.rejection())
      totals.skipped_rejections++;
    else
      cases.push_back(std::move(c));
  }
  return cases;
}

std::vector<Verdict> run_cases(const std::vector<Case>& cases, const Settings& s) {
  std::vector<Verdict> verdicts(cases.size());
  Progress progress(cases, isatty(STDOUT_FILENO) == 1);
  common::run_pool(cases.size(), s.jobs, [&](std::size_t i, int) {
    verdicts[i] = check_case(cases[i], s);
    if (verdicts[i].finished) progress.finished(i, verdicts[i]);
  });
  progress.clear();
  return verdicts;
}

int exit_status(const std::vector<Verdict>& verdicts, const RunTotals& totals, bool files_ok) {
  if (totals.interrupt != 0) return 128 + totals.interrupt;
  if (!files_ok) return 2;
  for (const auto& o : verdicts)
    if (!o.passed) return 1;
  return totals.folder_problems == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  GeneratedSettings generated;
  const Settings s = parse_command_line(argc, argv, generated);
  if (generated.compare.inputs > 0) return compare_generated(s, generated);
  RunTotals totals;
  const std::vector<Case> cases = select_cases(s, totals);
  if (cases.empty()) {
    std::fprintf(stderr, "conformance: no cases match the filter '%s' in %s\n", s.filter.c_str(),
                 s.cases_dir.c_str());
    return 1;
  }
  if (s.list) {
    for (const auto& c : cases) std::printf("%s/%s\n", c.program.c_str(), c.name.c_str());
    return 0;
  }
  // Before the first thread: the signal handlers and the subreaper hold for all.
  common::supervise();
  const std::vector<Verdict> verdicts = run_cases(cases, s);
  common::end_all_strays();
  totals.interrupt = common::interrupt_signal();
  print_report(cases, verdicts, s, totals);
  bool files_ok = true;
  if (!s.junit.empty() && !(files_ok = write_junit(s.junit, cases, verdicts)))
    std::fprintf(stderr, "conformance: cannot write the JUnit file %s\n", s.junit.c_str());
  if (!s.html.empty() && !write_html(s.html, cases, verdicts, totals)) {
    std::fprintf(stderr, "conformance: cannot write the HTML report %s\n", s.html.c_str());
    files_ok = false;
  }
  return exit_status(verdicts, totals, files_ok);
}
