// hostile: runs input-reading programs on inputs they were never meant for
// and checks that each run keeps the suite's contract: it ends in time and
// either exits normally (the timer report alone on stderr) or rejects the
// input (one line "PROGRAM: reason" on stderr, status 2). Written
// expectations pin down the ending, and the reason or output, of particular
// inputs.

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
#include "files.hpp"
#include "inputs.hpp"
#include "options.hpp"
#include "pool.hpp"
#include "process.hpp"
#include "supervise.hpp"

namespace fs = std::filesystem;
using common::RunResult;

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
  int jobs = 1;
  bool markdown = false;
  bool verbose = false;
};

std::vector<common::Option> option_table(Options& o) {
  using namespace common;
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
      {"--jobs", "N", "runs at a time (default 1; 0 = one per processor; at most 256)",
       store_count(o.jobs, max_jobs)},
      {"--markdown", "", "end with one table row per program", store_true(o.markdown)},
      {"--verbose", "", "list every input and how its run ended", store_true(o.verbose)},
  };
}

void check_options(Options& o) {
  if (o.bin_dir.empty()) throw common::UsageError("--bin-dir is required");
  if (o.list.empty()) throw common::UsageError("--list is required");
  std::error_code ec;
  if (!fs::is_directory(o.bin_dir, ec)) throw common::UsageError("no program folder " + o.bin_dir);
  if (!o.wrapper.empty()) common::check_command("--wrapper", o.wrapper[0]);
  if (o.jobs == 0) o.jobs = common::processor_count();
}

// A mistake is one line naming the option, so that a CI log shows just that.
Options parse_command_line(int argc, char** argv) {
  Options o;
  bool help = false;
  auto table = option_table(o);
  table.push_back({"--help", "", "show this text", common::store_true(help)});
  try {
    common::parse_options(argc, argv, table);
    if (help) {
      std::printf("usage: hostile --bin-dir DIR --list FILE [options]\n%s",
                  common::usage_lines(table).c_str());
      std::exit(0);
    }
    check_options(o);
  } catch (const common::UsageError& e) {
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
  if (!common::read_file(path, text)) return programs;
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
              other = 0, written = 0, failures = 0, not_run = 0;
  double slowest = 0.0;

  void count(hostile::Ending ending) {
    using hostile::Ending;
    switch (ending) {
      case Ending::accepted:
        accepted++;
        break;
      case Ending::rejected:
        rejected++;
        break;
      case Ending::crash:
        crashes++;
        break;
      case Ending::hang:
        hangs++;
        break;
      case Ending::sanitizer:
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
common::RunLimits run_limits(const Options& o) {
  common::RunLimits limits;
  limits.timeout_seconds = o.timeout;
  limits.max_out = 1u << 20;
  limits.max_err = 1u << 20;
  limits.stop_at_bound = false;
  return limits;
}

// Runs every input, `jobs` at a time; `ran` marks the runs an interrupt did
// not cut short or leave out.
std::vector<RunResult> run_all(const Options& o, const Program& p,
                               const std::vector<hostile::Input>& inputs, std::vector<char>& ran) {
  std::vector<RunResult> results(inputs.size());
  ran.assign(inputs.size(), 0);
  std::vector<std::string> argv = o.wrapper;
  argv.push_back((fs::path(o.bin_dir) / p.name).string());
  common::run_pool(inputs.size(), o.jobs, [&](std::size_t i, int) {
    results[i] = common::run_with_input(argv, inputs[i].bytes, run_limits(o));
    ran[i] = !results[i].interrupted;
  });
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
  for (const auto& c : common::load_cases(o.cases_dir, "^" + p.name + "$").cases) {
    hostile::Seed seed;
    seed.name = c.name;
    if (c.has_input && !common::read_file(c.base + ".in", seed.bytes)) continue;
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
    if (common::read_file(f.string(), in.bytes)) inputs.push_back(std::move(in));
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
  if (common::read_file(expect_path, text)) {
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
    if (common::read_file(src, source))
      for (auto& v : hostile::source_values(source)) values.push_back(v);
  }
  plan.inputs = hostile::make_inputs(plan.seeds, values, hostile::Budget{});
  for (const auto& e : plan.expect.entries) plan.inputs.push_back({"written", e.input});
  return true;
}

using EndingOf = std::map<std::string, hostile::Ending>;

// Every run against the contract; returns the ending of each generated input.
EndingOf judge_runs(const Options& o, const Program& p, const Plan& plan,
                    const std::vector<RunResult>& results, Tally& tally) {
  EndingOf ending_of;
  for (std::size_t i = 0; i < plan.inputs.size(); i++) {
    const auto& r = results[i];
    const auto& input = plan.inputs[i];
    const auto ending = hostile::classify(p.name, r);
    if (input.family != "written") ending_of.emplace(input.bytes, ending);
    tally.slowest = std::max(tally.slowest, r.seconds);
    tally.count(ending);
    if (o.verbose)
      std::printf("     %s [%s] \"%s\"\n", hostile::ending_name(ending), input.family.c_str(),
                  hostile::c_escape(shorten(input.bytes, 100)).c_str());
    if (!hostile::keeps_contract(ending)) {
      tally.failures++;
      show_failure(p, input.family, input.bytes, r, hostile::ending_name(ending));
    }
  }
  tally.inputs = plan.inputs.size();
  return ending_of;
}

// Why a written expectation is not met (empty: it is).
std::string unmet(const Program& p, const hostile::Expectation& e, const RunResult& r) {
  const auto ending = hostile::classify(p.name, r);
  if (ending != e.ending)
    return std::string("expected ") + hostile::ending_name(e.ending) + ", got " +
           hostile::ending_name(ending);
  if (e.detail && ending == hostile::Ending::rejected &&
      hostile::reject_reason(p.name, r.err) != *e.detail)
    return "expected the reason \"" + hostile::c_escape(*e.detail) + "\"";
  if (e.detail && ending == hostile::Ending::accepted && r.out != *e.detail)
    return "expected the output \"" + hostile::c_escape(*e.detail) + "\", got \"" +
           hostile::c_escape(shorten(r.out, 200)) + "\"";
  return "";
}

// Written expectations: the ending, and the reason or output when given. A
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
void check_cuts(const Program& p, const Plan& plan, const EndingOf& ending_of, Tally& tally) {
  if (!plan.expect.cuts_reject) return;
  const auto& except = plan.expect.cuts_except;
  for (const auto& seed : plan.seeds) {
    if (!seed.accepted || std::find(except.begin(), except.end(), seed.name) != except.end())
      continue;
    const std::size_t last = hostile::last_token_start(seed.bytes);
    for (std::size_t k = 0; k <= last && k < seed.bytes.size(); k++) {
      auto it = ending_of.find(seed.bytes.substr(0, k));
      if (it == ending_of.end() || it->second != hostile::Ending::accepted) continue;
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
  std::vector<char> ran;
  const auto results = run_all(o, p, plan.inputs, ran);
  if (const int signal = common::interrupt_signal(); signal != 0) {
    // Runs cut short are not judged: none of them counts as kept or broken.
    tally.not_run = static_cast<std::size_t>(std::count(ran.begin(), ran.end(), 0));
    std::printf("%s: %zu of %zu inputs not run (interrupted by %s)\n", p.name.c_str(),
                tally.not_run, plan.inputs.size(), common::signal_name(signal));
    return tally;
  }
  const EndingOf ending_of = judge_runs(o, p, plan, results, tally);
  check_written(p, plan, results, tally);
  check_cuts(p, plan, ending_of, tally);
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
  common::supervise();
  std::size_t failures = 0;
  std::vector<std::pair<Program, Tally>> rows;
  for (const auto& p : programs) {
    if (common::interrupt_signal() != 0) break;
    Tally t = try_program(o, p);
    failures += t.failures;
    rows.emplace_back(p, t);
  }
  common::end_all_strays();
  if (const int signal = common::interrupt_signal(); signal != 0) {
    std::printf("interrupted: %zu of %zu programs tried\n", rows.size(), programs.size());
    return 128 + signal;
  }
  if (o.markdown) print_markdown(rows);
  std::printf("%zu programs, %zu failures\n", programs.size(), failures);
  return failures == 0 ? 0 : 1;
}
