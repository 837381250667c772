// hostile: runs input-reading programs on inputs they were never meant for
// and checks that each run keeps the suite's contract: it ends in time and
// either exits normally (the timer report alone on stderr) or rejects the
// input (one line "PROGRAM: reason" on stderr, status 2). Written
// expectations pin down the outcome, and the reason or output, of particular
// inputs.
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "cases.hpp"
#include "contract.hpp"
#include "inputs.hpp"
#include "options.hpp"
#include "pool.hpp"
#include "process.hpp"
#include "supervise.hpp"

namespace fs = std::filesystem;
using toolkit::RunResult;

namespace {

struct Program {
  std::string name, group;
  std::vector<std::string> sources;
};

struct Options {
  std::string bin_dir, cases_dir, expect_dir, list, only;
  std::vector<std::string> replay;
  std::vector<std::string> wrapper;
  double timeout = 10.0;
  std::size_t memory = toolkit::default_memory_bytes;
  int jobs = 1;
  bool markdown = false;
  bool verbose = false;
};

std::vector<toolkit::Option> option_table(Options& o) {
  using namespace toolkit;
  return {
      {"--bin-dir", "DIR", "folder holding the programs (required)", store_text(o.bin_dir)},
      {"--cases", "DIR", "golden cases, the seeds of the generated inputs",
       store_text(o.cases_dir)},
      {"--expect-dir", "DIR", "written expectations, one PROGRAM.txt each",
       store_text(o.expect_dir)},
      {"--list", "FILE", "programs to try, one per line: NAME GROUP SOURCE... (required)",
       store_text(o.list)},
      {"--only", "NAME", "only this program of the list", store_text(o.only)},
      {"--replay", "DIR",
       "run every file below DIR as input (fuzzer findings) instead of the\n"
       "                    generated inputs; may be repeated",
       append_text(o.replay)},
      {"--wrapper", "'CMD'", "command placed before each program (shell-like quoting)",
       store_words(o.wrapper)},
      {"--timeout", "SECS", "seconds a run may take, or with s, m or h (default 10; at most 24h)",
       store_seconds(o.timeout)},
      {"--memory", "SIZE",
       "a run's processes together: MiB, or with M, MiB, G or GiB (default 1G;\n"
       "                    at most 64G)",
       store_mebibytes(o.memory, max_memory_bytes)},
      {"--jobs", "N", "runs at a time (default 1; 0 = one per processor; at most 256)",
       store_count(o.jobs, max_jobs)},
      {"--markdown", "", "end with one table row per program", store_true(o.markdown)},
      {"--verbose", "", "list every input and its outcome", store_true(o.verbose)},
  };
}

void check_options(Options& o) {
  if (o.bin_dir.empty()) throw toolkit::UsageError("--bin-dir is required");
  if (o.list.empty()) throw toolkit::UsageError("--list is required");
  std::error_code ec;
  if (!fs::is_directory(o.bin_dir, ec)) throw toolkit::UsageError("no program folder " + o.bin_dir);
  if (!o.wrapper.empty()) toolkit::check_command("--wrapper", o.wrapper[0]);
  if (o.jobs == 0) o.jobs = toolkit::processor_count();
}

// A mistake is one line naming the option, so that a CI log shows just that.
Options parse_command_line(int argc, char** argv) {
  Options o;
  bool help = false;
  auto table = option_table(o);
  table.push_back({"--help", "", "show this text", toolkit::store_true(help)});
  try {
    toolkit::parse_options(argc, argv, table);
    if (help) {
      std::printf("usage: hostile --bin-dir DIR --list FILE [options]\n%s",
                  toolkit::usage_lines(table).c_str());
      std::exit(0);
    }
    check_options(o);
  } catch (const toolkit::UsageError& e) {
    std::fprintf(stderr, "hostile: %s (see hostile --help)\n", e.what());
    std::exit(2);
  }
  return o;
}

std::vector<std::string> split_spaces(const std::string& s) {
  std::vector<std::string> parts;
  std::istringstream in(s);
  for (std::string word; in >> word;) parts.push_back(word);
  return parts;
}

std::vector<Program> read_list(const std::string& path, const std::string& only) {
  std::vector<Program> programs;
  std::string text;
  if (!toolkit::read_file(path, text)) return programs;
  std::istringstream in(text);
  std::string line;
  while (std::getline(in, line)) {
    auto words = split_spaces(line);
    if (words.size() < 2 || words[0][0] == '#') continue;
    if (!only.empty() && words[0] != only) continue;
    programs.push_back({words[0], words[1], {words.begin() + 2, words.end()}});
  }
  return programs;
}

struct Tally {
  std::size_t inputs = 0, accepted = 0, rejected = 0, crashes = 0, hangs = 0, sanitizer = 0,
              other = 0, written = 0, failures = 0;
  double slowest = 0.0;

  void count(hostile::Outcome outcome) {
    using hostile::Outcome;
    switch (outcome) {
      case Outcome::accepted:
        accepted++;
        break;
      case Outcome::rejected:
        rejected++;
        break;
      case Outcome::crash:
        crashes++;
        break;
      case Outcome::hang:
        hangs++;
        break;
      case Outcome::sanitizer:
        sanitizer++;
        break;
      default:
        other++;
        break;
    }
  }
  void add(const Tally& t) {
    inputs += t.inputs, accepted += t.accepted, rejected += t.rejected, crashes += t.crashes;
    hangs += t.hangs, sanitizer += t.sanitizer, other += t.other, written += t.written;
  }
};

std::string shorten(const std::string& s, std::size_t limit) {
  return s.size() <= limit ? s : s.substr(0, limit) + "...";
}

// Bounds of one run. Only a prefix of the output matters (written
// expectations are short), and a valid input may print for long: the rest is
// read and dropped, and the deadline alone ends a run.
toolkit::RunLimits run_limits(const Options& o) {
  toolkit::RunLimits limits;
  limits.timeout_seconds = o.timeout;
  limits.max_out = 1u << 20;
  limits.max_err = 1u << 20;
  limits.stop_at_bound = false;
  limits.max_memory = o.memory;
  return limits;
}

// Runs every input, `jobs` at a time, each from a file of its worker's own.
std::vector<RunResult> run_all(const Options& o, const Program& p,
                               const std::vector<hostile::Input>& inputs) {
  std::vector<RunResult> results(inputs.size());
  std::vector<std::string> argv = o.wrapper;
  argv.push_back((fs::path(o.bin_dir) / p.name).string());
  auto file_of = [](int worker) {
    return (fs::temp_directory_path() /
            ("hostile-" + std::to_string(getpid()) + "-" + std::to_string(worker)))
        .string();
  };
  toolkit::run_pool(inputs.size(), o.jobs, [&](std::size_t i, int worker) {
    const std::string file = file_of(worker);
    if (!toolkit::write_file(file, inputs[i].bytes))
      results[i].spawn_error = "cannot write " + file;
    else
      results[i] = toolkit::run_process(argv, file, run_limits(o));
  });
  for (int worker = 0; worker < o.jobs; worker++) {
    std::error_code ec;
    fs::remove(file_of(worker), ec);
  }
  return results;
}

void show_failure(const Program& p, const std::string& family, const std::string& input,
                  const RunResult& r, const std::string& why) {
  std::printf("FAIL %s [%s] input \"%s\": %s\n", p.name.c_str(), family.c_str(),
              hostile::c_escape(shorten(input, 160)).c_str(), why.c_str());
  std::printf("     status %d%s, stderr \"%s\"\n", r.status,
              r.signal ? (", signal " + std::to_string(r.signal)).c_str() : "",
              hostile::c_escape(shorten(r.err, 400)).c_str());
}

std::vector<hostile::Seed> load_seeds(const Options& o, const Program& p) {
  std::vector<hostile::Seed> seeds;
  for (const auto& c : toolkit::load_cases(o.cases_dir, "^" + p.name + "$").cases) {
    hostile::Seed seed;
    seed.name = c.name;
    if (c.has_input && !toolkit::read_file(c.base + ".in", seed.bytes)) continue;
    seed.accepted = c.err && *c.err == hostile::normal_stderr;
    seeds.push_back(std::move(seed));
  }
  return seeds;
}

// Every file below the folders, leaving out hidden ones and notes.
std::vector<hostile::Input> replay_inputs(const std::vector<std::string>& dirs) {
  std::vector<hostile::Input> inputs;
  std::error_code ec;
  std::vector<fs::path> files;
  for (const auto& dir : dirs)
    for (auto it = fs::recursive_directory_iterator(dir, ec); !ec && it != fs::end(it);
         it.increment(ec)) {
      const std::string name = it->path().filename().string();
      if (name.starts_with(".")) {
        if (it->is_directory(ec)) it.disable_recursion_pending();
        continue;
      }
      if (it->is_regular_file(ec) && name != "README.txt") files.push_back(it->path());
    }
  std::sort(files.begin(), files.end());
  for (const auto& f : files) {
    hostile::Input in;
    in.family = "replay " + f.parent_path().filename().string();
    if (toolkit::read_file(f.string(), in.bytes)) inputs.push_back(std::move(in));
  }
  return inputs;
}

// What one program is tried on: its generated inputs (or the replayed ones)
// and the inputs of its written expectations, which come last.
struct Plan {
  std::vector<hostile::Input> inputs;
  hostile::Expectations expect;
  std::vector<hostile::Seed> seeds;
};

// False when the written expectations cannot be read (a failure of its own).
bool make_plan(const Options& o, const Program& p, Plan& plan) {
  if (!o.replay.empty()) {
    plan.inputs = replay_inputs(o.replay);
    return true;
  }
  plan.seeds = load_seeds(o, p);
  std::string text;
  const std::string expect_path = (fs::path(o.expect_dir) / (p.name + ".txt")).string();
  if (toolkit::read_file(expect_path, text)) {
    std::string error;
    if (!hostile::parse_expectations(text, plan.expect, error)) {
      std::printf("FAIL %s: %s: %s\n", p.name.c_str(), expect_path.c_str(), error.c_str());
      return false;
    }
  } else {
    std::printf("note %s: no written expectations (%s)\n", p.name.c_str(), expect_path.c_str());
  }
  std::vector<std::string> values = plan.expect.values;
  for (const auto& src : p.sources) {
    std::string source;
    if (toolkit::read_file(src, source))
      for (auto& v : hostile::source_values(source)) values.push_back(v);
  }
  plan.inputs = hostile::generate(plan.seeds, values, hostile::Limits{});
  for (const auto& e : plan.expect.entries) plan.inputs.push_back({"written", e.input});
  return true;
}

using OutcomeOf = std::map<std::string, hostile::Outcome>;

// Every run against the contract; returns the outcome of each generated input.
OutcomeOf judge_runs(const Options& o, const Program& p, const Plan& plan,
                     const std::vector<RunResult>& results, Tally& tally) {
  OutcomeOf outcome_of;
  for (std::size_t i = 0; i < plan.inputs.size(); i++) {
    const auto& r = results[i];
    const auto& input = plan.inputs[i];
    const auto outcome = hostile::classify(p.name, r);
    if (input.family != "written") outcome_of.emplace(input.bytes, outcome);
    tally.slowest = std::max(tally.slowest, r.seconds);
    tally.count(outcome);
    if (o.verbose)
      std::printf("     %s [%s] \"%s\"\n", hostile::outcome_name(outcome), input.family.c_str(),
                  hostile::c_escape(shorten(input.bytes, 100)).c_str());
    if (!hostile::keeps_contract(outcome)) {
      tally.failures++;
      show_failure(p, input.family, input.bytes, r, hostile::outcome_name(outcome));
    }
  }
  tally.inputs = plan.inputs.size();
  return outcome_of;
}

// Why a written expectation is not met (empty: it is).
std::string unmet(const Program& p, const hostile::Expectation& e, const RunResult& r) {
  const auto outcome = hostile::classify(p.name, r);
  if (outcome != e.outcome)
    return std::string("expected ") + hostile::outcome_name(e.outcome) + ", got " +
           hostile::outcome_name(outcome);
  if (e.detail && outcome == hostile::Outcome::rejected &&
      hostile::reject_reason(p.name, r.err) != *e.detail)
    return "expected the reason \"" + hostile::c_escape(*e.detail) + "\"";
  if (e.detail && outcome == hostile::Outcome::accepted && r.out != *e.detail)
    return "expected the output \"" + hostile::c_escape(*e.detail) + "\", got \"" +
           hostile::c_escape(shorten(r.out, 200)) + "\"";
  return "";
}

// Written expectations: the outcome, and the reason or output when given. A
// run that breaks the contract was reported already.
void check_written(const Program& p, const Plan& plan, const std::vector<RunResult>& results,
                   Tally& tally) {
  const auto& entries = plan.expect.entries;
  const std::size_t first_written = plan.inputs.size() - entries.size();
  for (std::size_t k = 0; k < entries.size(); k++) {
    const auto& e = entries[k];
    const auto& r = results[first_written + k];
    tally.written++;
    const std::string why = unmet(p, e, r);
    if (why.empty() || !hostile::keeps_contract(hostile::classify(p.name, r))) continue;
    tally.failures++;
    show_failure(p,
                 "written, line " + std::to_string(e.line) + (e.note.empty() ? "" : ": ") + e.note,
                 e.input, r, why);
  }
}

// A program that needs all of its input rejects any valid input cut off
// before its last token instead of reporting a result.
void check_cuts(const Program& p, const Plan& plan, const OutcomeOf& outcome_of, Tally& tally) {
  if (!plan.expect.cuts_reject) return;
  const auto& except = plan.expect.cuts_except;
  for (const auto& seed : plan.seeds) {
    if (!seed.accepted || std::find(except.begin(), except.end(), seed.name) != except.end())
      continue;
    const std::size_t last = hostile::last_token_start(seed.bytes);
    for (std::size_t k = 0; k <= last && k < seed.bytes.size(); k++) {
      auto it = outcome_of.find(seed.bytes.substr(0, k));
      if (it == outcome_of.end() || it->second != hostile::Outcome::accepted) continue;
      tally.failures++;
      std::printf("FAIL %s [cut off, from %s] input \"%s\": accepted, expected reject\n",
                  p.name.c_str(), seed.name.c_str(),
                  hostile::c_escape(shorten(seed.bytes.substr(0, k), 160)).c_str());
    }
  }
}

Tally try_program(const Options& o, const Program& p) {
  Tally tally;
  Plan plan;
  if (!make_plan(o, p, plan)) {
    tally.failures++;
    return tally;
  }
  const auto results = run_all(o, p, plan.inputs);
  if (toolkit::interrupt_signal() != 0) return tally;
  const OutcomeOf outcome_of = judge_runs(o, p, plan, results, tally);
  check_written(p, plan, results, tally);
  check_cuts(p, plan, outcome_of, tally);
  std::printf(
      "%s %s: %zu inputs, %zu accepted, %zu rejected; %zu crashes, %zu hangs, %zu sanitizer "
      "reports, %zu other; %zu written expectations; slowest run %.2f s\n",
      tally.failures ? "FAIL" : "ok  ", p.name.c_str(), tally.inputs, tally.accepted,
      tally.rejected, tally.crashes, tally.hangs, tally.sanitizer, tally.other, tally.written,
      tally.slowest);
  std::fflush(stdout);
  return tally;
}

void print_markdown(const std::vector<std::pair<Program, Tally>>& rows) {
  std::printf(
      "\n| program | group | inputs tried | accepted | rejected | crashes | hangs | sanitizer "
      "reports | other contract breaks | written expectations |\n"
      "|---|---|---|---|---|---|---|---|---|---|\n");
  Tally sum;
  for (const auto& [p, t] : rows) {
    std::printf("| `%s` | %s | %zu | %zu | %zu | %zu | %zu | %zu | %zu | %zu |\n", p.name.c_str(),
                p.group.c_str(), t.inputs, t.accepted, t.rejected, t.crashes, t.hangs, t.sanitizer,
                t.other, t.written);
    sum.add(t);
  }
  std::printf("| **%zu programs** | | %zu | %zu | %zu | %zu | %zu | %zu | %zu | %zu |\n",
              rows.size(), sum.inputs, sum.accepted, sum.rejected, sum.crashes, sum.hangs,
              sum.sanitizer, sum.other, sum.written);
}

}  // namespace

int main(int argc, char** argv) {
  const Options o = parse_command_line(argc, argv);
  const auto programs = read_list(o.list, o.only);
  if (programs.empty()) {
    std::fprintf(stderr, "hostile: no programs to try in %s\n", o.list.c_str());
    return 2;
  }
  toolkit::supervise();
  std::size_t failures = 0;
  std::vector<std::pair<Program, Tally>> rows;
  for (const auto& p : programs) {
    if (toolkit::interrupt_signal() != 0) break;
    Tally t = try_program(o, p);
    failures += t.failures;
    rows.emplace_back(p, t);
  }
  toolkit::end_all_strays();
  if (const int signal = toolkit::interrupt_signal(); signal != 0) {
    std::printf("interrupted: %zu of %zu programs tried\n", rows.size(), programs.size());
    return 128 + signal;
  }
  if (o.markdown) print_markdown(rows);
  std::printf("%zu programs, %zu failures\n", programs.size(), failures);
  return failures == 0 ? 0 : 1;
}
