// Two builds on the same generated inputs: every input runs on both, and
// standard output, standard error and the way the run ended must match.
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <stdexcept>

#include "cases.hpp"
#include "generate.hpp"
#include "pool.hpp"
#include "process.hpp"
#include "supervise.hpp"

namespace fs = std::filesystem;
using common::RunResult;

namespace generate {

namespace {

bool same(const RunResult& a, const RunResult& b) {
  return a.spawn_error.empty() && b.spawn_error.empty() && a.status == b.status &&
         a.signal == b.signal && a.timed_out == b.timed_out && a.overflow == b.overflow &&
         a.left_running == b.left_running && (a.memory_used != 0) == (b.memory_used != 0) &&
         a.stop_signal == b.stop_signal && a.file_too_big == b.file_too_big && a.out == b.out &&
         a.err == b.err;
}

bool refused(const std::string& program, const RunResult& r) {
  return common::is_rejection(program, r.status, r.err);
}

constexpr std::size_t output_bound = 16u << 20;

class Runner {
 public:
  Runner(const CompareOptions& o, const std::string& program) : o_(o) {
    test_ = o.wrapper;
    test_.push_back((fs::path(o.bin_dir) / program).string());
    reference_ = {(fs::path(o.against) / program).string()};
  }
  RunPair run(const std::string& input) const {
    const common::RunLimits limits = run_limits(o_);
    RunPair p;
    p.test = common::run_with_input(test_, input, limits);
    p.reference = common::run_with_input(reference_, input, limits);
    return p;
  }

 private:
  const CompareOptions& o_;
  std::vector<std::string> test_, reference_;
};

bool interrupted(const RunPair& p) {
  return p.test.interrupted || p.reference.interrupted;
}

std::uint64_t name_hash(const std::string& s) {
  std::uint64_t h = 0xcbf29ce484222325ULL;
  for (unsigned char c : s) h = (h ^ c) * 0x100000001b3ULL;
  return h;
}

std::uint64_t input_seed(std::uint64_t seed, const std::string& program, int index) {
  return seed * 0x9e3779b97f4a7c15ULL ^ name_hash(program) ^ static_cast<std::uint64_t>(index) << 1;
}

struct Target {
  const Description* description;
  Runner runner;
};

std::string input_of(const CompareOptions& o, const Target& t, int index) {
  return generate_input(*t.description, input_seed(o.seed, t.description->program, index));
}

// What became of one input: nothing (not run), or ran with these bits, or
// left to another shard.
constexpr char ran_bit = 1, differed_bit = 2, refused_bit = 4, other_shard_bit = 8;

double seconds_of(const RunPair& p) {
  return p.test.seconds + p.reference.seconds;
}

// Marks each input, and adds up the seconds its runs took.
std::vector<char> run_all(const CompareOptions& o, const std::vector<Target>& targets,
                          std::vector<double>& seconds) {
  const std::size_t per = static_cast<std::size_t>(o.inputs);
  std::vector<char> marks(targets.size() * per, 0);
  seconds.assign(marks.size(), 0.0);
  common::run_pool(marks.size(), o.jobs, [&](std::size_t k, int) {
    const Target& t = targets[k / per];
    if (!in_shard(o, t.description->program, static_cast<int>(k % per))) {
      marks[k] = other_shard_bit;
      return;
    }
    const RunPair p = t.runner.run(input_of(o, t, static_cast<int>(k % per)));
    seconds[k] = seconds_of(p);
    if (interrupted(p)) return;
    marks[k] = static_cast<char>(ran_bit | (same(p.test, p.reference) ? 0 : differed_bit) |
                                 (refused(t.description->program, p.reference) ? refused_bit : 0));
  });
  return marks;
}

// The smallest differing input of a program, before it is cut down.
void pick_smallest(const CompareOptions& o, const Target& t, const std::vector<int>& differing,
                   Finding& f) {
  f.program = t.description->program;
  f.differing = differing.size();
  for (int index : differing) {
    std::string input = input_of(o, t, index);
    if (index == differing.front() || input.size() < f.input.size())
      f.input = std::move(input), f.index = index;
  }
  f.original_size = f.input.size();
}

// Cuts a finding down; the reduction stops trying after a minute, so that a
// build that hangs cannot hold the report up for long, and at an interrupt.
void cut_down(const Target& t, Finding& f) {
  const std::string& program = t.description->program;
  const RunPair first = t.runner.run(f.input);
  if (interrupted(first)) return;
  const bool was_refused = refused(program, first.reference);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  // The same kind of input: one the reference accepted stays accepted.
  std::string reduced = reduce(f.input, [&](const std::string& candidate) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    const RunPair p = t.runner.run(candidate);
    return !interrupted(p) && p.reference.spawn_error.empty() && !same(p.test, p.reference) &&
           refused(program, p.reference) == was_refused;
  });
  RunPair runs = t.runner.run(reduced);
  if (interrupted(runs)) return;
  f.input = std::move(reduced);
  f.runs = std::move(runs);
  f.cut = true;
}

}  // namespace

// Generated inputs are small: a build printing past the bound is broken (or
// looping), and both sides are cut at the same place.
common::RunLimits run_limits(const CompareOptions& o) {
  return {o.timeout, output_bound, output_bound, true, o.memory};
}

ComparePlan plan_comparison(const CompareOptions& o) {
  ComparePlan plan;
  std::optional<common::NameFilter> filter;
  try {
    filter.emplace(o.filter);
  } catch (const std::invalid_argument& e) {
    plan.problems.push_back("bad --filter: " + std::string(e.what()));
    return plan;
  }
  for (const auto& d : descriptions(o.coverage)) {
    if (!filter->matches(d.program)) continue;
    std::error_code ec;
    if (!fs::is_regular_file(fs::path(o.against) / d.program, ec))
      plan.problems.push_back("no " + d.program + " in " + o.against +
                              " (name the reference build with --against)");
    else if (!fs::is_regular_file(fs::path(o.bin_dir) / d.program, ec))
      plan.missing.push_back(d.program);
    else
      plan.programs.push_back(&d);
  }
  return plan;
}

bool in_shard(const CompareOptions& o, const std::string& program, int index) {
  const std::size_t offset = name_hash(program) % o.shard_count;
  return (offset + static_cast<std::size_t>(index)) % o.shard_count == o.shard_index;
}

namespace {

// The inputs of one program: counted, and those that differed.
std::vector<int> tally(const CompareOptions& o, const char* marks, const double* seconds,
                       ProgramTally& t, long& not_run) {
  std::vector<int> differing;
  for (int i = 0; i < o.inputs; i++) {
    t.seconds += seconds[i];
    const char m = marks[i];
    if (m & other_shard_bit) continue;
    if (!(m & ran_bit))
      not_run++;
    else if (m & differed_bit)
      differing.push_back(i);
    else
      t.agreed++;
    if (m & refused_bit) t.refused++;
  }
  t.differed = static_cast<long>(differing.size());
  return differing;
}

}  // namespace

Summary compare_builds(const CompareOptions& o, const ComparePlan& plan) {
  Summary summary;
  for (const auto& program : plan.missing) {
    ProgramTally t;
    t.program = program;
    for (int i = 0; i < o.inputs; i++) t.differed += in_shard(o, program, i) ? 1 : 0;
    summary.differed += t.differed;
    summary.programs.push_back(std::move(t));
  }
  std::vector<Target> targets;
  for (const Description* d : plan.programs) targets.push_back({d, Runner(o, d->program)});
  std::vector<double> seconds;
  const std::vector<char> marks = run_all(o, targets, seconds);
  std::vector<std::size_t> finding_target;
  for (std::size_t t = 0; t < targets.size(); t++) {
    ProgramTally counts;
    counts.program = targets[t].description->program;
    const std::size_t first = t * static_cast<std::size_t>(o.inputs);
    const std::vector<int> differing =
        tally(o, &marks[first], &seconds[first], counts, summary.not_run);
    summary.agreed += counts.agreed, summary.differed += counts.differed;
    summary.refused += counts.refused;
    const std::size_t ran = static_cast<std::size_t>(counts.agreed + counts.differed);
    summary.programs.push_back(std::move(counts));
    if (differing.empty()) continue;
    summary.findings.emplace_back();
    pick_smallest(o, targets[t], differing, summary.findings.back());
    summary.findings.back().ran = ran;
    finding_target.push_back(t);
  }
  auto& findings = summary.findings;
  std::vector<double> cut_seconds(findings.size());
  common::run_pool(findings.size(), o.jobs, [&](std::size_t k, int) {
    const auto started = std::chrono::steady_clock::now();
    cut_down(targets[finding_target[k]], findings[k]);
    cut_seconds[k] =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  });
  // The tallies follow the missing programs, in the targets' order.
  for (std::size_t k = 0; k < findings.size(); k++)
    summary.programs[plan.missing.size() + finding_target[k]].seconds += cut_seconds[k];
  return summary;
}

}  // namespace generate
