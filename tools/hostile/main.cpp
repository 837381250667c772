// hostile: runs input-reading programs on inputs they were never meant for
// and checks that each run keeps the suite's contract: it ends in time and
// either exits normally (the timer report alone on stderr) or rejects the
// input (one line "PROGRAM: reason" on stderr, status 2). Written
// expectations pin down the outcome, and the reason or output, of particular
// inputs.
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <mutex>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "../conformance/cases.hpp"
#include "../conformance/process.hpp"
#include "contract.hpp"
#include "inputs.hpp"

namespace fs = std::filesystem;
using conformance::RunResult;

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

const char* usage =
    "usage: hostile --bin-dir DIR --cases DIR --expect-dir DIR --list FILE [options]\n"
    "  --list FILE        programs to try, one per line: NAME GROUP SOURCE...\n"
    "  --only NAME        only this program of the list\n"
    "  --replay DIR       run every file below DIR as input (fuzzer findings)\n"
    "                     instead of the generated inputs; may be repeated\n"
    "  --wrapper CMD      command placed before each program (split at spaces)\n"
    "  --timeout S        seconds a run may take (default 10)\n"
    "  --jobs N           runs at a time (default 1)\n"
    "  --markdown         end with one table row per program\n"
    "  --verbose          list every input and its outcome\n";

std::vector<std::string> split_spaces(const std::string& s) {
  std::vector<std::string> parts;
  std::istringstream in(s);
  std::string word;
  while (in >> word) parts.push_back(word);
  return parts;
}

bool parse_options(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; i++) {
    std::string a = argv[i];
    auto value = [&](std::string& target) {
      if (i + 1 >= argc) return false;
      target = argv[++i];
      return true;
    };
    std::string v;
    if (a == "--bin-dir") {
      if (!value(o.bin_dir)) return false;
    } else if (a == "--cases") {
      if (!value(o.cases_dir)) return false;
    } else if (a == "--expect-dir") {
      if (!value(o.expect_dir)) return false;
    } else if (a == "--list") {
      if (!value(o.list)) return false;
    } else if (a == "--only") {
      if (!value(o.only)) return false;
    } else if (a == "--replay") {
      if (!value(v)) return false;
      o.replay.push_back(v);
    } else if (a == "--wrapper") {
      if (!value(v)) return false;
      o.wrapper = split_spaces(v);
    } else if (a == "--timeout") {
      if (!value(v)) return false;
      o.timeout = std::atof(v.c_str());
    } else if (a == "--jobs") {
      if (!value(v)) return false;
      o.jobs = std::max(1, std::atoi(v.c_str()));
    } else if (a == "--markdown") {
      o.markdown = true;
    } else if (a == "--verbose") {
      o.verbose = true;
    } else {
      return false;
    }
  }
  return !o.bin_dir.empty() && !o.list.empty() && o.timeout > 0;
}

std::vector<Program> read_list(const std::string& path, const std::string& only) {
  std::vector<Program> programs;
  std::string text;
  if (!conformance::read_file(path, text)) return programs;
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
};

std::string shorten(const std::string& s, std::size_t limit) {
  return s.size() <= limit ? s : s.substr(0, limit) + "...";
}

// Runs every input, `jobs` at a time, each from a file of its own thread.
std::vector<RunResult> run_all(const Options& o, const Program& p,
                               const std::vector<hostile::Input>& inputs) {
  std::vector<RunResult> results(inputs.size());
  std::atomic<std::size_t> next{0};
  std::vector<std::string> argv = o.wrapper;
  argv.push_back((fs::path(o.bin_dir) / p.name).string());
  auto worker = [&](int id) {
    const fs::path file = fs::temp_directory_path() /
                          ("hostile-" + std::to_string(getpid()) + "-" + std::to_string(id));
    for (std::size_t i = next++; i < inputs.size(); i = next++) {
      if (!conformance::write_file(file.string(), inputs[i].bytes)) {
        results[i].spawn_error = "cannot write " + file.string();
        continue;
      }
      results[i] = conformance::run_process(argv, file.string(), o.timeout);
    }
    std::error_code ec;
    fs::remove(file, ec);
  };
  std::vector<std::thread> threads;
  for (int j = 0; j < o.jobs; j++) threads.emplace_back(worker, j);
  for (auto& t : threads) t.join();
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
  for (const auto& c : conformance::load_cases(o.cases_dir, "^" + p.name + "$")) {
    hostile::Seed seed;
    seed.name = c.name;
    if (c.has_input && !conformance::read_file(c.base + ".in", seed.bytes)) continue;
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
        if (it->is_directory()) it.disable_recursion_pending();
        continue;
      }
      if (it->is_regular_file() && name != "README.txt") files.push_back(it->path());
    }
  std::sort(files.begin(), files.end());
  for (const auto& f : files) {
    hostile::Input in;
    in.family = "replay " + f.parent_path().filename().string();
    if (conformance::read_file(f.string(), in.bytes)) inputs.push_back(std::move(in));
  }
  return inputs;
}

Tally try_program(const Options& o, const Program& p) {
  Tally tally;
  std::vector<hostile::Input> inputs;
  hostile::Expectations expect;
  std::vector<hostile::Seed> seeds;
  if (!o.replay.empty()) {
    inputs = replay_inputs(o.replay);
  } else {
    seeds = load_seeds(o, p);
    std::string text;
    const std::string expect_path = (fs::path(o.expect_dir) / (p.name + ".txt")).string();
    if (conformance::read_file(expect_path, text)) {
      std::string error;
      if (!hostile::parse_expectations(text, expect, error)) {
        std::printf("FAIL %s: %s: %s\n", p.name.c_str(), expect_path.c_str(), error.c_str());
        tally.failures++;
        return tally;
      }
    } else {
      std::printf("note %s: no written expectations (%s)\n", p.name.c_str(), expect_path.c_str());
    }
    std::vector<std::string> values = expect.values;
    for (const auto& src : p.sources) {
      std::string source;
      if (conformance::read_file(src, source))
        for (auto& v : hostile::source_values(source)) values.push_back(v);
    }
    inputs = hostile::generate(seeds, values, hostile::Limits{});
    for (const auto& e : expect.entries) inputs.push_back({"written", e.input});
  }

  const auto results = run_all(o, p, inputs);
  std::map<std::string, hostile::Outcome> outcome_of;
  for (std::size_t i = 0; i < inputs.size(); i++) {
    const auto& r = results[i];
    const auto outcome = hostile::classify(p.name, r);
    if (inputs[i].family != "written") outcome_of.emplace(inputs[i].bytes, outcome);
    tally.slowest = std::max(tally.slowest, r.seconds);
    switch (outcome) {
      case hostile::Outcome::accepted:
        tally.accepted++;
        break;
      case hostile::Outcome::rejected:
        tally.rejected++;
        break;
      case hostile::Outcome::crash:
        tally.crashes++;
        break;
      case hostile::Outcome::hang:
        tally.hangs++;
        break;
      case hostile::Outcome::sanitizer:
        tally.sanitizer++;
        break;
      default:
        tally.other++;
        break;
    }
    if (o.verbose)
      std::printf("     %s [%s] \"%s\"\n", hostile::outcome_name(outcome), inputs[i].family.c_str(),
                  hostile::c_escape(shorten(inputs[i].bytes, 100)).c_str());
    if (!hostile::keeps_contract(outcome)) {
      tally.failures++;
      show_failure(p, inputs[i].family, inputs[i].bytes, r, hostile::outcome_name(outcome));
    }
  }
  tally.inputs = inputs.size();

  // Written expectations: the outcome, and the reason or output when given.
  std::size_t first_written = inputs.size() - expect.entries.size();
  for (std::size_t k = 0; k < expect.entries.size(); k++) {
    const auto& e = expect.entries[k];
    const auto& r = results[first_written + k];
    const auto outcome = hostile::classify(p.name, r);
    tally.written++;
    std::string why;
    if (outcome != e.outcome) {
      why = std::string("expected ") + hostile::outcome_name(e.outcome) + ", got " +
            hostile::outcome_name(outcome);
    } else if (e.detail && outcome == hostile::Outcome::rejected &&
               hostile::reject_reason(p.name, r.err) != *e.detail) {
      why = "expected the reason \"" + hostile::c_escape(*e.detail) + "\"";
    } else if (e.detail && outcome == hostile::Outcome::accepted && r.out != *e.detail) {
      why = "expected the output \"" + hostile::c_escape(*e.detail) + "\", got \"" +
            hostile::c_escape(shorten(r.out, 200)) + "\"";
    }
    if (!why.empty() && hostile::keeps_contract(outcome)) {
      tally.failures++;
      show_failure(
          p, "written, line " + std::to_string(e.line) + (e.note.empty() ? "" : ": ") + e.note,
          e.input, r, why);
    }
  }

  // A program that needs all of its input rejects any valid input cut off
  // before its last token instead of reporting a result.
  if (expect.cuts_reject) {
    for (const auto& seed : seeds) {
      if (!seed.accepted || std::find(expect.cuts_except.begin(), expect.cuts_except.end(),
                                      seed.name) != expect.cuts_except.end())
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

  std::printf(
      "%s %s: %zu inputs, %zu accepted, %zu rejected; %zu crashes, %zu hangs, %zu sanitizer "
      "reports, %zu other; %zu written expectations; slowest run %.2f s\n",
      tally.failures ? "FAIL" : "ok  ", p.name.c_str(), tally.inputs, tally.accepted,
      tally.rejected, tally.crashes, tally.hangs, tally.sanitizer, tally.other, tally.written,
      tally.slowest);
  std::fflush(stdout);
  return tally;
}

}  // namespace

int main(int argc, char** argv) {
  Options o;
  if (!parse_options(argc, argv, o)) {
    std::fputs(usage, stderr);
    return 2;
  }
  const auto programs = read_list(o.list, o.only);
  if (programs.empty()) {
    std::fprintf(stderr, "hostile: no programs to try in %s\n", o.list.c_str());
    return 2;
  }
  std::size_t failures = 0;
  std::vector<std::pair<Program, Tally>> rows;
  for (const auto& p : programs) {
    Tally t = try_program(o, p);
    failures += t.failures;
    rows.emplace_back(p, t);
  }
  if (o.markdown) {
    std::printf(
        "\n| program | group | inputs tried | accepted | rejected | crashes | hangs | sanitizer "
        "reports | other contract breaks | written expectations |\n"
        "|---|---|---|---|---|---|---|---|---|---|\n");
    Tally sum;
    for (const auto& [p, t] : rows) {
      std::printf("| `%s` | %s | %zu | %zu | %zu | %zu | %zu | %zu | %zu | %zu |\n", p.name.c_str(),
                  p.group.c_str(), t.inputs, t.accepted, t.rejected, t.crashes, t.hangs,
                  t.sanitizer, t.other, t.written);
      sum.inputs += t.inputs, sum.accepted += t.accepted, sum.rejected += t.rejected;
      sum.crashes += t.crashes, sum.hangs += t.hangs, sum.sanitizer += t.sanitizer;
      sum.other += t.other, sum.written += t.written;
    }
    std::printf("| **%zu programs** | | %zu | %zu | %zu | %zu | %zu | %zu | %zu | %zu |\n",
                rows.size(), sum.inputs, sum.accepted, sum.rejected, sum.crashes, sum.hangs,
                sum.sanitizer, sum.other, sum.written);
  }
  std::printf("%zu programs, %zu failures\n", programs.size(), failures);
  return failures == 0 ? 0 : 1;
}
