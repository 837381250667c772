// conformance: runs the suite's programs over their golden cases and compares
// standard output, standard error and exit status byte for byte. It is built
// to judge broken builds: see docs/using.md for what it guarantees then.
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "baseline.hpp"
#include "cases.hpp"
#include "compare_runs.hpp"
#include "diagnosis.hpp"
#include "files.hpp"
#include "generated.hpp"
#include "html_report.hpp"
#include "judge.hpp"
#include "manifest.hpp"
#include "options.hpp"
#include "pool.hpp"
#include "repeat.hpp"
#include "report.hpp"
#include "results.hpp"
#include "shards.hpp"
#include "start_failure.hpp"
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

// The installed cases beside an installed runner, or "" for a runner in a
// build tree.
std::string installed_cases(const char* argv0) {
  const std::string folder = common::executable_folder(argv0);
  if (folder.empty()) return "";
  const fs::path cases = (fs::path(folder) / SUITE_INSTALLED_CASES).lexically_normal();
  std::error_code ec;
  return fs::is_directory(cases, ec) ? cases.string() : "";
}

// An installed runner (one with the installed cases beside it) checks the
// programs installed next to it against those cases; a runner in a build
// tree uses the source tree's cases.
Settings defaults(const char* argv0) {
  Settings d;
  d.bin_dir = ".";
  d.cases_dir = SUITE_CASES_DIR;
  if (const std::string cases = installed_cases(argv0); !cases.empty()) {
    d.bin_dir = common::executable_folder(argv0);
    d.cases_dir = cases;
  }
  return d;
}

std::string usage_text(const Settings& d, const std::vector<Option>& table) {
  return "usage: conformance [options]\n"
         "       conformance compare OLD.json... [vs] NEW.json... [--threshold MS]\n"
         "       conformance merge A.json B.json... -o ALL.json\n" +
         common::usage_lines(table) + "defaults: --bin-dir " + d.bin_dir + " --cases " +
         d.cases_dir + "\n";
}

// One line, so that a CI log shows the mistake and nothing else.
[[noreturn]] void usage_error(const std::string& message) {
  std::fprintf(stderr, "conformance: %s (see conformance --help)\n", message.c_str());
  std::exit(2);
}

// Beyond this many runs of each case the median no longer moves.
constexpr int max_repeats = 1000;

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
      {"--memory", "SIZE",
       "per case, all its processes: MiB, or with M, MiB, G or GiB (default 1G;\n"
       "                    at most 64G)",
       store_mebibytes(s.memory, common::max_memory_bytes)},
      {"--junit", "FILE",
       "also write the results as JUnit XML (default: $XML_OUTPUT_FILE when set)",
       store_text(s.junit)},
      {"--json", "FILE", "also write the results file (lit's results format)", store_text(s.json)},
      {"--baseline", "FILE",
       "a results file of an earlier run: cases that failed there are known\n"
       "                    failures, and only new failures fail the run",
       store_text(s.baseline)},
      {"--repeat", "N",
       "run each case N times (default 1): minimum and median time; a case\n"
       "                    whose verdict changes is flaky and fails",
       store_count(s.repeat, max_repeats)},
      {"--shard", "INDEX/COUNT",
       "only shard INDEX (1-based) of COUNT: every COUNT-th case, or input with\n"
       "                    --generate (default: $TEST_SHARD_INDEX/$TEST_TOTAL_SHARDS,\n"
       "                    then $GTEST_SHARD_INDEX/$GTEST_TOTAL_SHARDS, 0-based)",
       store_text(s.shard)},
      {"--html", "FILE", "also write the report as one self-contained HTML file",
       store_text(s.html)},
      {"--signatures", "FILE",
       "the known faults' signatures, for the diagnosis of a failing run\n"
       "                    (default: faults/signatures.json beside the case folder)",
       store_text(s.signatures)},
      {"--observed", "FILE",
       "also write the cases run and how each failed (what scripts/faults reads)",
       store_text(s.observed)},
      {"--record", "", "write expected files that are missing from a trusted build's output",
       store_true(s.record)},
      {"--overwrite", "", "with --record, also replace expected files that differ",
       store_true(s.overwrite)},
      {"--list", "", "list the cases and exit", store_true(s.list)},
      {"--verbose", "", "also name every case that passed", store_true(s.verbose)},
      {"--failures-only", "", "report only what did not pass (the table's failing rows)",
       store_true(s.failures_only)},
      {"--help", "", "show this text", store_true(help)},
  };
  for (auto& row : generated_option_rows(g)) table.push_back(std::move(row));
  return table;
}

void check_settings(Settings& s, const GeneratedSettings& g, bool installed) {
  if (s.overwrite && !s.record) throw UsageError("--overwrite goes with --record");
  if (s.repeat == 0)
    throw UsageError("--repeat needs a count from 1 to " + std::to_string(max_repeats));
  if (g.compare.inputs > 0 && (!s.baseline.empty() || s.repeat > 1))
    throw UsageError("--baseline and --repeat go with the golden cases, not --generate");
  if (g.compare.inputs == 0 && !(g.compare.against.empty() && g.save_dir.empty()))
    throw UsageError("--against and --save-differences go with --generate");
  // Only an installed runner has a reference build beside it.
  if (g.compare.inputs > 0 && g.compare.against.empty() && !installed)
    throw UsageError(
        "--generate needs --against DIR, the reference build (e.g. build/release/bin): this "
        "runner has none beside it");
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
    check_settings(s, g, !installed_cases(argc > 0 ? argv[0] : "").empty());
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

// The shard, the baseline and the status file Bazel asks for: each stops
// the runner with one line when it cannot be had.
struct RunSetup {
  Shard shard;
  std::optional<Baseline> baseline;
};

RunSetup prepare(Settings& s) {
  RunSetup setup;
  try {
    setup.shard = choose_shard(s.shard);
    if (!s.baseline.empty()) setup.baseline.emplace(s.baseline);
  } catch (const UsageError& e) {
    usage_error(e.what());
  }
  if (!touch_shard_status_file()) {
    std::fprintf(stderr, "conformance: cannot touch TEST_SHARD_STATUS_FILE %s\n",
                 std::getenv("TEST_SHARD_STATUS_FILE"));
    std::exit(2);
  }
  if (s.junit.empty()) s.junit = xml_output_file();
  return setup;
}

std::vector<Case> shard_of(std::vector<Case> cases, const Shard& shard) {
  std::vector<Case> taken;
  for (std::size_t i = 0; i < cases.size(); i++)
    if (shard.takes(i)) taken.push_back(std::move(cases[i]));
  return taken;
}

std::vector<Verdict> run_cases(const std::vector<Case>& cases, const Settings& s,
                               const std::optional<Baseline>& baseline) {
  std::vector<Verdict> verdicts(cases.size());
  Progress progress(cases, isatty(STDOUT_FILENO) == 1);
  common::run_pool(cases.size(), s.jobs, [&](std::size_t i, int) {
    verdicts[i] = s.repeat > 1 ? repeat_case(cases[i], s) : check_case(cases[i], s);
    if (baseline) baseline->judge(cases[i], verdicts[i]);
    if (verdicts[i].finished) progress.finished(i, verdicts[i]);
  });
  progress.clear();
  return verdicts;
}

// Only new failures fail the run: known ones are in the baseline.
int exit_status(const std::vector<Verdict>& verdicts, const RunTotals& totals, bool files_ok) {
  if (totals.interrupt != 0) return 128 + totals.interrupt;
  if (!files_ok) return 2;
  for (const auto& v : verdicts)
    if (!v.passed && !v.known_failure) return 1;
  return totals.folder_problems == 0 ? 0 : 1;
}

// The JUnit file, the HTML report and the results file; false when one
// cannot be written. Each file's line goes into the report.
bool write_files(const Settings& s, const std::vector<Case>& cases,
                 const std::vector<Verdict>& verdicts, RunTotals& totals, double elapsed) {
  bool ok = true;
  const auto note = [&](bool written, const char* what, const std::string& path) {
    std::error_code ec;
    const std::string full = fs::absolute(path, ec).lexically_normal().string();
    if (written) {
      totals.written.push_back(std::string("wrote the ") + what + " " + full);
      return;
    }
    std::fprintf(stderr, "conformance: cannot write the %s %s\n", what, path.c_str());
    totals.written.push_back(std::string("could not write the ") + what + " " + full);
    ok = false;
  };
  if (!s.html.empty()) note(write_html(s.html, cases, verdicts, s, totals), "HTML report", s.html);
  if (!s.junit.empty()) note(write_junit(s.junit, cases, verdicts, totals), "JUnit file", s.junit);
  if (!s.json.empty())
    note(write_run_results(s.json, elapsed, cases, verdicts, totals), "results file", s.json);
  if (!s.observed.empty())
    note(write_observed(s.observed, cases, verdicts), "observed cases", s.observed);
  return ok;
}

// A program folder holding none of the programs is a mistake (often the
// build folder instead of its bin/), not a run of "did not run" failures.
void check_programs_present(const Settings& s, const std::vector<Case>& cases) {
  std::vector<std::string> programs;
  for (const auto& c : cases)
    if (programs.empty() || programs.back() != c.program) programs.push_back(c.program);
  const auto holds_any = [&](const fs::path& folder) {
    std::error_code ec;
    for (const auto& p : programs)
      if (fs::exists(folder / p, ec) && !fs::is_directory(folder / p, ec)) return true;
    return false;
  };
  if (holds_any(s.bin_dir)) return;
  std::string line = programs.size() == 1 ? s.bin_dir + " does not hold " + programs[0]
                                          : s.bin_dir + " holds none of the " +
                                                std::to_string(programs.size()) + " programs";
  if (const fs::path below = fs::path(s.bin_dir) / "bin"; holds_any(below))
    line += "; did you mean " + below.string() + "?";
  std::fprintf(stderr, "conformance: %s\n", line.c_str());
  std::exit(2);
}

int run_golden(Settings& s, const RunSetup& setup) {
  RunTotals totals;
  const std::vector<Case> cases = shard_of(select_cases(s, totals), setup.shard);
  if (cases.empty()) {
    std::fprintf(stderr, "conformance: no cases match the filter '%s' in %s\n", s.filter.c_str(),
                 s.cases_dir.c_str());
    return 1;
  }
  if (s.list) {
    for (const auto& c : cases) std::printf("%s/%s\n", c.program.c_str(), c.name.c_str());
    return 0;
  }
  check_programs_present(s, cases);
  // Before the first thread: the signal handlers and the subreaper hold for all.
  common::supervise();
  const auto started = std::chrono::steady_clock::now();
  const std::vector<Verdict> verdicts = run_cases(cases, s, setup.baseline);
  common::end_all_strays();
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - started;
  totals.interrupt = common::interrupt_signal();
  read_build(s.bin_dir, totals);
  if (!s.record) totals.diagnosis = diagnose_run(s, cases, verdicts);
  if (std::string cause = start_failure(cases, verdicts, s); !cause.empty())
    totals.diagnosis.insert(totals.diagnosis.begin(), std::move(cause));
  // The files first: the report ends by naming them.
  const bool files_ok = write_files(s, cases, verdicts, totals, elapsed.count());
  print_report(cases, verdicts, s, totals);
  return exit_status(verdicts, totals, files_ok);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc > 1 && std::strcmp(argv[1], "compare") == 0) return compare_command(argc - 1, argv + 1);
  if (argc > 1 && std::strcmp(argv[1], "merge") == 0) return merge_command(argc - 1, argv + 1);
  GeneratedSettings generated;
  Settings s = parse_command_line(argc, argv, generated);
  const RunSetup setup = prepare(s);
  generated.compare.shard_index = setup.shard.index;
  generated.compare.shard_count = setup.shard.count;
  if (generated.compare.inputs > 0) return compare_generated(s, generated);
  return run_golden(s, setup);
}
