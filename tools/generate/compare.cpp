// Two builds on the same generated inputs: every input runs on both, and
// standard output, standard error and the way the run ended must match.
#include <algorithm>
#include <chrono>
#include <cstdint>
#include <filesystem>
#include <mutex>
#include <optional>
#include <sstream>
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

// The differing inputs kept with their runs, smallest first: the ones run
// again when the first does not show its difference a second time.
constexpr std::size_t kept_inputs = 3;
// Bytes kept of each stream of a kept run (the report shows fewer).
constexpr std::size_t kept_bytes = 4096;

// How a run of the build under test that printed nothing failed, or "" when
// it printed or exited with status 0.
std::string failed_before_output(const RunResult& r, const CompareOptions& o) {
  return r.out.empty() && r.status != 0 ? ending(r, o) : "";
}

// What one program's inputs showed as they ran, shared by the workers.
struct Observed {
  std::mutex lock;
  std::size_t left = 0;  // inputs of this shard not yet run
  ProgramTally counts;   // for the progress line; the summary counts the marks
  std::vector<std::pair<std::size_t, DifferingRun>> smallest;  // (input size, input)
  std::size_t test_timeouts = 0, reference_timeouts = 0;
  // How every run of the build under test ended, when each differed and
  // failed before any output the same way ("" once one did not).
  std::string one_way;
  bool all_one_way = true;
};

RunResult kept_copy(const RunResult& r) {
  RunResult k = r;
  k.out.resize(std::min(k.out.size(), kept_bytes));
  k.err.resize(std::min(k.err.size(), kept_bytes));
  return k;
}

void observe(const CompareOptions& o, Observed& seen, int index, std::size_t size, const RunPair& p,
             bool differs) {
  const std::string way = differs ? failed_before_output(p.test, o) : "";
  if (way.empty() || (!seen.one_way.empty() && way != seen.one_way)) seen.all_one_way = false;
  if (seen.all_one_way) seen.one_way = way;
  if (!differs) return;
  seen.test_timeouts += p.test.timed_out ? 1 : 0;
  seen.reference_timeouts += p.reference.timed_out ? 1 : 0;
  auto& kept = seen.smallest;
  const auto at = std::find_if(kept.begin(), kept.end(), [&](const auto& k) {
    return size < k.first || (size == k.first && index < k.second.index);
  });
  if (at == kept.end() && kept.size() >= kept_inputs) return;
  kept.insert(at, {size, {index, {kept_copy(p.test), kept_copy(p.reference)}}});
  if (kept.size() > kept_inputs) kept.pop_back();
}

std::vector<char> run_all(const CompareOptions& o, const std::vector<Target>& targets,
                          std::vector<Observed>& observed, CompareEvents* events) {
  const std::size_t per = static_cast<std::size_t>(o.inputs);
  std::vector<char> marks(targets.size() * per, 0);
  for (std::size_t t = 0; t < targets.size(); t++) {
    observed[t].counts.program = targets[t].description->program;
    for (int i = 0; i < o.inputs; i++)
      observed[t].left += in_shard(o, targets[t].description->program, i) ? 1 : 0;
  }
  common::run_pool(marks.size(), o.jobs, [&](std::size_t k, int) {
    const Target& t = targets[k / per];
    const int index = static_cast<int>(k % per);
    if (!in_shard(o, t.description->program, index)) {
      marks[k] = other_shard_bit;
      return;
    }
    const std::string input = input_of(o, t, index);
    const RunPair p = t.runner.run(input);
    if (interrupted(p)) return;
    const bool differs = !same(p.test, p.reference);
    const bool refusal = refused(t.description->program, p.reference);
    marks[k] =
        static_cast<char>(ran_bit | (differs ? differed_bit : 0) | (refusal ? refused_bit : 0));
    Observed& seen = observed[k / per];
    std::optional<ProgramTally> finished;
    {
      std::lock_guard<std::mutex> hold(seen.lock);
      seen.counts.seconds += p.test.seconds + p.reference.seconds;
      (differs ? seen.counts.differed : seen.counts.agreed)++;
      seen.counts.refused += refusal ? 1 : 0;
      observe(o, seen, index, input.size(), p, differs);
      if (--seen.left == 0) finished = seen.counts;
    }
    if (events) events->input_done(differs);
    if (events && finished) events->program_done(*finished);
  });
  return marks;
}

// Cuts a finding down, starting from the smallest kept input whose
// difference shows again when it runs again; the reduction stops trying
// after a minute, so that a build that hangs cannot hold the report up for
// long, and at an interrupt.
void cut_down(const CompareOptions& o, const Target& t, const std::vector<DifferingRun>& kept,
              Finding& f) {
  const std::string& program = t.description->program;
  std::optional<RunPair> again;
  for (const auto& k : kept) {
    const std::string input = input_of(o, t, k.index);
    RunPair p = t.runner.run(input);
    if (interrupted(p)) return;
    if (!same(p.test, p.reference)) {
      f.first = k, f.index = k.index, f.input = input, f.original_size = input.size();
      again = std::move(p);
      break;
    }
    f.agreed_again.push_back(k);
  }
  if (!again) {
    f.flaky = true;
    return;
  }
  const bool was_refused = refused(program, again->reference);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  // The runs shown are those in which the cut-down input last differed.
  RunPair shown = std::move(*again);
  bool stopped = false;
  // The same kind of input: one the reference accepted stays accepted.
  std::string reduced = reduce(f.input, [&](const std::string& candidate) {
    if (stopped || std::chrono::steady_clock::now() > deadline) return false;
    RunPair p = t.runner.run(candidate);
    if (interrupted(p)) stopped = true;
    if (stopped || !p.reference.spawn_error.empty() || same(p.test, p.reference) ||
        refused(program, p.reference) != was_refused)
      return false;
    shown = std::move(p);
    return true;
  });
  if (stopped) return;
  f.input = std::move(reduced);
  f.runs = std::move(shown);
  f.cut = true;
}

}  // namespace

// Generated inputs are small: a build printing past the bound is broken (or
// looping), and both sides are cut at the same place.
common::RunLimits run_limits(const CompareOptions& o) {
  return {o.timeout, output_bound, output_bound, true, o.memory};
}

std::string ending(const RunResult& r, const CompareOptions& o) {
  if (!r.spawn_error.empty()) return "did not run (" + r.spawn_error + ")";
  if (r.timed_out) {
    std::ostringstream limit;
    limit << o.timeout;
    return "timed out after " + limit.str() + " s";
  }
  const std::string bound = common::bound_verdict(r, run_limits(o));
  if (!bound.empty()) return bound;
  if (r.overflow != 0)
    return std::string(r.overflow == 1 ? "stdout" : "stderr") + " too long: stopped";
  if (r.left_running) return "exit status " + std::to_string(r.status) + ", left a process running";
  if (r.signal != 0) return "killed by signal " + std::to_string(r.signal);
  return "exit status " + std::to_string(r.status);
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
  std::vector<std::string> not_in_reference;
  std::size_t matched = 0;
  for (const auto& d : descriptions(o.coverage)) {
    if (!filter->matches(d.program)) continue;
    matched++;
    std::error_code ec;
    if (!fs::is_regular_file(fs::path(o.against) / d.program, ec))
      not_in_reference.push_back(d.program);
    else if (!fs::is_regular_file(fs::path(o.bin_dir) / d.program, ec))
      plan.missing.push_back(d.program);
    else
      plan.programs.push_back(&d);
  }
  // One line however many programs it lacks: a runner in a build folder,
  // run without --against, finds none of them beside it.
  if (!not_in_reference.empty() && not_in_reference.size() == matched) {
    plan.problems.push_back("no reference build: " + o.against +
                            " holds none of the programs (name the reference build with "
                            "--against DIR)");
  } else if (!not_in_reference.empty()) {
    std::string names;
    const std::size_t shown = std::min<std::size_t>(not_in_reference.size(), 3);
    for (std::size_t i = 0; i < shown; i++) names += (i == 0 ? "" : ", ") + not_in_reference[i];
    if (not_in_reference.size() > shown)
      names += " and " + std::to_string(not_in_reference.size() - shown) + " more";
    plan.problems.push_back("the reference build " + o.against + " lacks " + names +
                            " (name the reference build with --against DIR)");
  }
  return plan;
}

bool in_shard(const CompareOptions& o, const std::string& program, int index) {
  const std::size_t offset = name_hash(program) % o.shard_count;
  return (offset + static_cast<std::size_t>(index)) % o.shard_count == o.shard_index;
}

namespace {

// The inputs of one program: counted, and those that differed.
std::vector<int> tally(const CompareOptions& o, const char* marks, ProgramTally& t, long& not_run) {
  std::vector<int> differing;
  for (int i = 0; i < o.inputs; i++) {
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

Summary compare_builds(const CompareOptions& o, const ComparePlan& plan, CompareEvents* events) {
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
  std::vector<Observed> observed(targets.size());
  const std::vector<char> marks = run_all(o, targets, observed, events);
  std::vector<std::size_t> finding_target;
  std::vector<std::vector<DifferingRun>> kept;
  for (std::size_t t = 0; t < targets.size(); t++) {
    Observed& seen = observed[t];
    ProgramTally counts;
    counts.program = targets[t].description->program;
    counts.seconds = seen.counts.seconds;
    const std::vector<int> differing =
        tally(o, &marks[t * static_cast<std::size_t>(o.inputs)], counts, summary.not_run);
    summary.agreed += counts.agreed, summary.differed += counts.differed;
    summary.refused += counts.refused;
    const std::size_t ran = static_cast<std::size_t>(counts.agreed + counts.differed);
    summary.programs.push_back(std::move(counts));
    if (differing.empty() || seen.smallest.empty()) continue;
    Finding& f = summary.findings.emplace_back();
    f.program = targets[t].description->program;
    f.differing = differing.size(), f.ran = ran;
    f.test_timeouts = seen.test_timeouts, f.reference_timeouts = seen.reference_timeouts;
    f.first = seen.smallest.front().second;
    f.index = f.first.index;
    f.input = input_of(o, targets[t], f.index);
    f.original_size = f.input.size();
    // One run says little about a build that fails the same way on every input.
    if (seen.all_one_way && ran >= 2) f.broken = seen.one_way;
    finding_target.push_back(t);
    auto& tries = kept.emplace_back();
    for (auto& k : seen.smallest) tries.push_back(std::move(k.second));
  }
  auto& findings = summary.findings;
  if (events) {
    std::size_t to_cut = 0;
    for (const auto& f : findings) to_cut += f.broken.empty() ? 1 : 0;
    events->compared(to_cut);
  }
  common::run_pool(findings.size(), o.jobs, [&](std::size_t k, int) {
    Finding& f = findings[k];
    if (!f.broken.empty()) return;
    if (events) events->cutting(f);
    const auto started = std::chrono::steady_clock::now();
    cut_down(o, targets[finding_target[k]], kept[k], f);
    f.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    if (events) events->cut_done(f);
  });
  for (std::size_t k = 0; k < findings.size(); k++)
    summary.programs[plan.missing.size() + finding_target[k]].seconds += findings[k].seconds;
  return summary;
}

}  // namespace generate
