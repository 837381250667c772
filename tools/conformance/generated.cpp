#include "generated.hpp"

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <sstream>

#include "escape.hpp"
#include "files.hpp"
#include "manifest.hpp"
#include "report.hpp"
#include "results.hpp"
#include "supervise.hpp"

namespace fs = std::filesystem;
using common::RunResult;

namespace conformance {

namespace {

// Printable form of the first `limit` bytes, "..." when there were more.
std::string escaped_head(const std::string& s, std::size_t limit = 400) {
  const std::string v = common::c_escape(s.substr(0, limit));
  return s.size() > limit ? v + "..." : v;
}

std::string ending(const RunResult& r, const generate::CompareOptions& o) {
  if (!r.spawn_error.empty()) return "did not run (" + r.spawn_error + ")";
  if (r.timed_out) return "timed out";
  const std::string bound = common::bound_verdict(r, generate::run_limits(o));
  if (!bound.empty()) return bound;
  if (r.overflow != 0)
    return std::string(r.overflow == 1 ? "stdout" : "stderr") + " too long: stopped";
  if (r.left_running) return "exit status " + std::to_string(r.status) + ", left a process running";
  if (r.signal != 0) return "killed by signal " + std::to_string(r.signal);
  return "exit status " + std::to_string(r.status);
}

void show_run(const char* which, const RunResult& r, const generate::CompareOptions& o) {
  std::printf("  %s: %s\n    stdout \"%s\"\n    stderr \"%s\"\n", which, ending(r, o).c_str(),
              escaped_head(r.out).c_str(), escaped_head(r.err).c_str());
}

bool save(const GeneratedSettings& g, const generate::Finding& f, std::vector<std::string>& saved) {
  const fs::path dir = fs::path(g.save_dir) / f.program;
  const fs::path file =
      dir / ("generated_" + std::to_string(g.compare.seed) + "_" + std::to_string(f.index) + ".in");
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (ec || !common::write_file(file.string(), f.input)) {
    std::printf("  cannot write %s\n", file.string().c_str());
    return false;
  }
  std::printf("  saved %s\n", file.string().c_str());
  saved.push_back(file.string());
  return true;
}

// One program's difference; false when its input could not be saved.
bool report(const GeneratedSettings& g, const generate::Finding& f,
            std::vector<std::string>& saved) {
  std::printf("DIFFER %s: %zu of %zu inputs\n", f.program.c_str(), f.differing, f.ran);
  if (f.cut) {
    std::printf("  input %d cut from %zu to %zu bytes: \"%s\"\n", f.index, f.original_size,
                f.input.size(), escaped_head(f.input).c_str());
    show_run("this build", f.runs.test, g.compare);
    show_run("reference ", f.runs.reference, g.compare);
  } else {
    std::printf("  input %d, %zu bytes, not cut down (interrupted): \"%s\"\n", f.index,
                f.input.size(), escaped_head(f.input).c_str());
  }
  return g.save_dir.empty() || save(g, f, saved);
}

// The programs to compare; false after a problem that stops the comparison.
bool plan(const generate::CompareOptions& o, generate::ComparePlan& p) {
  p = generate::plan_comparison(o);
  for (const auto& problem : p.problems) std::fprintf(stderr, "conformance: %s\n", problem.c_str());
  for (const auto& program : p.missing)
    std::printf("DIFFER %s: not in %s\n", program.c_str(), o.bin_dir.c_str());
  if (p.problems.empty() && p.programs.empty() && p.missing.empty())
    std::fprintf(stderr, "conformance: no input-reading program matches '%s'\n", o.filter.c_str());
  else if (p.problems.empty())
    return true;
  return false;
}

// Where a program's saved inputs are listed in the results file.
std::vector<std::string>& saved_list(generate::Summary& summary, const std::string& program) {
  for (auto& t : summary.programs)
    if (t.program == program) return t.saved;
  summary.programs.emplace_back().program = program;
  return summary.programs.back().saved;
}

std::string shard_text(const generate::CompareOptions& o) {
  return std::to_string(o.shard_index + 1) + "/" + std::to_string(o.shard_count);
}

// The comparison as JUnit: one test per program, failed when an input differed
// (a missing program differs on every input), with the cut-down inputs saved.
bool write_generated_junit(const std::string& path, const generate::Summary& summary,
                           double seconds) {
  long failures = 0;
  for (const auto& p : summary.programs) failures += p.differed > 0 ? 1 : 0;
  std::ostringstream x;
  x << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
  x << "<testsuites name=\"conformance --generate\" tests=\"" << summary.programs.size()
    << "\" failures=\"" << failures << "\" time=\"" << seconds << "\">\n";
  x << "  <testsuite name=\"generated\" tests=\"" << summary.programs.size() << "\" failures=\""
    << failures << "\" time=\"" << seconds << "\">\n";
  for (const auto& p : summary.programs) {
    x << "    <testcase classname=\"" << xml_escape(p.program) << "\" name=\"generated\"";
    if (p.differed == 0) {
      x << "/>\n";
      continue;
    }
    std::string details;
    for (const auto& file : p.saved) details += "saved " + file + "\n";
    x << ">\n      <failure message=\"" << p.agreed << " agreed, " << p.differed << " differed\">"
      << xml_escape(details) << "</failure>\n    </testcase>\n";
  }
  x << "  </testsuite>\n</testsuites>\n";
  return common::write_file(path, x.str());
}

}  // namespace

std::vector<common::Option> generated_option_rows(GeneratedSettings& g) {
  using common::UsageError;
  auto& o = g.compare;
  return {
      {"--generate", "N",
       "instead of the cases, run N generated valid inputs per program on this build\n"
       "                    (--bin-dir, --wrapper) and on the reference build; cut each\n"
       "                    difference down to a small input that still shows it",
       [&o](const std::string& name, const std::string& value) {
         o.inputs = static_cast<int>(common::parse_number(name, value, 1000000));
         if (o.inputs == 0) throw UsageError(name + " needs a count from 1 to 1000000");
       }},
      {"--against", "DIR", "the reference build (default: the programs beside the runner)",
       common::store_text(o.against)},
      {"--seed", "S", "seed of the generated inputs (default 1)",
       [&o](const std::string& name, const std::string& value) {
         o.seed = common::parse_number(name, value, UINT64_MAX);
       }},
      {"--save-differences", "DIR", "write each cut-down input as DIR/PROGRAM/NAME.in",
       common::store_text(g.save_dir)},
      {"--narrow", "", "leave out the inputs that older builds of the programs refused",
       [&o](const std::string&, const std::string&) { o.coverage.wider = false; }},
  };
}

int compare_generated(const Settings& s, GeneratedSettings g) {
  auto& o = g.compare;
  o.bin_dir = s.bin_dir, o.wrapper = s.wrapper, o.filter = s.filter;
  o.jobs = s.jobs, o.timeout = s.timeout, o.memory = s.memory;
  if (o.against.empty()) o.against = common::executable_folder();
  if (o.against.empty()) o.against = ".";
  common::supervise();
  generate::ComparePlan p;
  if (!plan(o, p)) return 2;
  std::printf("comparing %s against %s: %zu programs, %d generated inputs each, seed %llu\n",
              o.bin_dir.c_str(), o.against.c_str(), p.programs.size(), o.inputs,
              static_cast<unsigned long long>(o.seed));
  std::printf("build: %s\nreference: %s\n", build_summary(o.bin_dir).c_str(),
              build_summary(o.against).c_str());
  if (o.shard_count > 1)
    std::printf("shard %s: the inputs that fall to it\n", shard_text(o).c_str());
  std::fflush(stdout);
  const auto started = std::chrono::steady_clock::now();
  generate::Summary summary = generate::compare_builds(o, p);
  common::end_all_strays();
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - started;
  bool saved = true;
  for (const auto& f : summary.findings)
    saved = report(g, f, saved_list(summary, f.program)) && saved;
  // Generated inputs are valid: a refusal means a description is wrong.
  if (summary.refused > 0)
    std::printf("note: the reference refused %ld generated inputs\n", summary.refused);
  std::printf("%ld agreed, %ld differed", summary.agreed, summary.differed);
  if (const int signal = common::interrupt_signal(); signal != 0) {
    std::printf(", %ld not run (interrupted by %s)\n", summary.not_run,
                common::signal_name(signal));
    return 128 + signal;
  }
  std::printf("\n");
  bool written = true;
  if (!s.json.empty() &&
      !write_generated_results(s.json, elapsed.count(), summary, shard_text(o))) {
    std::fprintf(stderr, "conformance: cannot write the results file %s\n", s.json.c_str());
    written = false;
  }
  if (!s.junit.empty() && !write_generated_junit(s.junit, summary, elapsed.count())) {
    std::fprintf(stderr, "conformance: cannot write the JUnit file %s\n", s.junit.c_str());
    written = false;
  }
  if (!written) return 2;
  return !saved ? 2 : summary.differed > 0 ? 1 : 0;
}

}  // namespace conformance
