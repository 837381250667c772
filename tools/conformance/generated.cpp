#include "generated.hpp"

#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <sstream>

#include "escape.hpp"
#include "files.hpp"
#include "generated_progress.hpp"
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

std::string printed(const char* format, ...) __attribute__((format(printf, 1, 2)));
std::string printed(const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  char* text = nullptr;
  const int n = vasprintf(&text, format, args);
  va_end(args);
  std::string s = n < 0 ? "" : std::string(text, static_cast<std::size_t>(n));
  std::free(text);
  return s;
}

// A run's ending; a timeout also says how much of the processor it had,
// which tells a slow build from a loaded machine.
std::string run_words(const RunResult& r, const generate::CompareOptions& o) {
  std::string words = generate::ending(r, o);
  if (!r.timed_out) return words;
  words += printed(" of wall-clock time, with %.2f s of processor time", r.cpu_seconds);
  if (r.cpu_seconds < o.timeout / 2)
    words += " (it mostly waited: a loaded or emulated machine may need a longer --timeout)";
  return words;
}

std::string show_run(const char* which, const RunResult& r, const generate::CompareOptions& o) {
  return printed("  %s: %s\n    stdout \"%s\"\n    stderr \"%s\"\n", which, run_words(r, o).c_str(),
                 escaped_head(r.out).c_str(), escaped_head(r.err).c_str());
}

std::string show_runs(const generate::RunPair& p, const generate::CompareOptions& o) {
  return show_run("this build", p.test, o) + show_run("reference ", p.reference, o);
}

std::string index_list(const std::vector<generate::DifferingRun>& runs) {
  std::string list;
  for (std::size_t i = 0; i < runs.size(); i++)
    list += (i == 0 ? "" : i + 1 == runs.size() ? " and " : ", ") + std::to_string(runs[i].index);
  return (runs.size() == 1 ? "input " : "inputs ") + list;
}

// A word of the wrapper as a shell reads it back.
std::string shell_word(const std::string& w) {
  if (!w.empty() && w.find_first_not_of("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ"
                                        "0123456789_-+=/.,:@%") == std::string::npos)
    return w;
  std::string quoted = "'";
  for (char c : w) quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
  return quoted + "'";
}

// "DIR", or "DIR run under 'WRAPPER'" for a build under a wrapper, so that
// an emulated build never reads as a build compared with itself.
std::string build_words(const std::string& dir, const std::vector<std::string>& wrapper) {
  if (wrapper.empty()) return dir;
  std::string words;
  for (const auto& w : wrapper) words += (words.empty() ? "" : " ") + shell_word(w);
  return dir + " run under " + words;
}

std::string header(const generate::CompareOptions& o) {
  return "comparing " + build_words(o.bin_dir, o.wrapper) + " against " + o.against;
}

// What made one program's inputs differ: the lines after its DIFFER line.
std::string describe(const generate::Finding& f, const generate::CompareOptions& o) {
  std::string d;
  if (f.test_timeouts > 0) d += printed("  this build timed out on %zu of them\n", f.test_timeouts);
  if (f.reference_timeouts > 0)
    d += printed("  the reference timed out on %zu of them\n", f.reference_timeouts);
  if (!f.agreed_again.empty())
    d += "  flaky: " + index_list(f.agreed_again) + " agreed when run again\n";
  if (f.cut) {
    d += printed("  input %d cut from %zu to %zu bytes: \"%s\"\n", f.index, f.original_size,
                 f.input.size(), escaped_head(f.input).c_str());
    d += show_runs(f.runs, o);
    // A first run that ended otherwise than the runs shown is named too.
    const auto endings = [&](const generate::RunPair& p) {
      return generate::ending(p.test, o) + ", reference " + generate::ending(p.reference, o);
    };
    if (endings(f.first.runs) != endings(f.runs))
      d += printed("  when input %d first ran: this build %s\n", f.index,
                   endings(f.first.runs).c_str());
    return d;
  }
  d += printed("  input %d, %zu bytes, not cut down (%s): \"%s\"\n", f.index, f.input.size(),
               f.flaky ? "flaky" : "interrupted", escaped_head(f.input).c_str());
  return d + show_runs(f.first.runs, o);
}

bool save(const GeneratedSettings& g, const generate::Finding& f, const std::string& text,
          std::vector<std::string>& saved) {
  const fs::path dir = fs::path(g.save_dir) / f.program;
  const std::string name =
      "generated_" + std::to_string(g.compare.seed) + "_" + std::to_string(f.index);
  const fs::path file = dir / (name + ".in");
  // Beside the input, how the builds differed on it (the input alone does
  // not say that one of them timed out, or that the difference was flaky).
  const fs::path why = dir / (name + ".txt");
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (ec || !common::write_file(file.string(), f.input) ||
      !common::write_file(why.string(), header(g.compare) + ", seed " +
                                            std::to_string(g.compare.seed) + "\n" + text)) {
    std::printf("  cannot write %s\n", file.string().c_str());
    return false;
  }
  std::printf("  saved %s\n", file.string().c_str());
  saved.push_back(file.string());
  return true;
}

// One program's difference; false when its input could not be saved.
bool report(const GeneratedSettings& g, const generate::Finding& f, generate::ProgramTally& t) {
  t.told = printed("DIFFER %s: %zu of %zu inputs\n", f.program.c_str(), f.differing, f.ran) +
           describe(f, g.compare);
  std::fputs(t.told.c_str(), stdout);
  return g.save_dir.empty() || save(g, f, t.told, t.saved);
}

// Programs whose every run of this build failed the same way before any
// output, told once for all of them: the input played no part, so nothing
// was cut down or saved. Returns what it told.
std::string report_broken(const GeneratedSettings& g,
                          const std::vector<const generate::Finding*>& same) {
  const generate::Finding& example = *same.front();
  std::string text = same.size() == 1 ? example.program : std::to_string(same.size()) + " programs";
  text +=
      ": every run of this build failed before any output, the same way: " + example.broken + "\n";
  if (example.broken == "exit status 126" || example.broken == "exit status 127")
    text += "  a shell's status for a command it could not run: check --wrapper and --bin-dir\n";
  text +=
      printed("  not cut down%s: the input plays no part\n", g.save_dir.empty() ? "" : " or saved");
  text += printed("  for example %s input %d, %zu bytes: \"%s\"\n", example.program.c_str(),
                  example.index, example.input.size(), escaped_head(example.input).c_str());
  text += show_runs(example.first.runs, g.compare);
  std::fputs(text.c_str(), stdout);
  for (const generate::Finding* f : same)
    std::printf("DIFFER %s: %zu of %zu inputs\n", f->program.c_str(), f->differing, f->ran);
  return text;
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

// A program's share, where what was told and saved of it is kept.
generate::ProgramTally& tally_of(generate::Summary& summary, const std::string& program) {
  for (auto& t : summary.programs)
    if (t.program == program) return t;
  summary.programs.emplace_back().program = program;
  return summary.programs.back();
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
    char time[32];  // fixed notation: XSLT 1.0 readers take no exponent
    std::snprintf(time, sizeof time, "%.6f", p.seconds);
    x << "    <testcase classname=\"" << xml_escape(p.program) << "\" name=\"generated\" time=\""
      << time << "\"";
    if (p.differed == 0) {
      x << "/>\n";
      continue;
    }
    std::string details = p.told;
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
  std::printf("%s: %zu programs, %d generated inputs each, seed %llu\n", header(o).c_str(),
              p.programs.size(), o.inputs, static_cast<unsigned long long>(o.seed));
  // Each build's manifest, once the runner reads them, goes below this line.
  if (o.shard_count > 1)
    std::printf("shard %s: the inputs that fall to it\n", shard_text(o).c_str());
  std::fflush(stdout);
  const auto started = std::chrono::steady_clock::now();
  std::size_t inputs = 0;
  for (const auto* d : p.programs)
    for (int i = 0; i < o.inputs; i++) inputs += generate::in_shard(o, d->program, i) ? 1 : 0;
  GeneratedProgress progress(stdout, isatty(STDOUT_FILENO) == 1, inputs);
  generate::Summary summary = generate::compare_builds(o, p, &progress);
  progress.finish();
  common::end_all_strays();
  const std::chrono::duration<double> elapsed = std::chrono::steady_clock::now() - started;
  bool saved = true;
  std::vector<std::string> broken_ways;
  for (const auto& f : summary.findings) {
    if (f.broken.empty())
      saved = report(g, f, tally_of(summary, f.program)) && saved;
    else if (std::find(broken_ways.begin(), broken_ways.end(), f.broken) == broken_ways.end())
      broken_ways.push_back(f.broken);
  }
  for (const auto& way : broken_ways) {
    std::vector<const generate::Finding*> same;
    for (const auto& f : summary.findings)
      if (f.broken == way) same.push_back(&f);
    const std::string told = report_broken(g, same);
    for (const auto* f : same) tally_of(summary, f->program).told = told;
  }
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
