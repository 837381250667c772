#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <map>

#include "driver.hpp"
#include "pool.hpp"
#include "process.hpp"
#include "supervise.hpp"

namespace fs = std::filesystem;
using common::RunResult;

namespace hostile {

namespace {

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
  limits.max_memory = o.memory;
  return limits;
}

// Runs every input, `jobs` at a time; `ran` marks the runs an interrupt did
// not cut short or leave out.
std::vector<RunResult> run_all(const Options& o, const Program& p, const std::vector<Input>& inputs,
                               std::vector<char>& ran) {
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
              c_escape(shorten(input, 160)).c_str(), why.c_str());
  std::printf("     status %d%s, stderr \"%s\"\n", r.status,
              r.signal ? (", signal " + std::to_string(r.signal)).c_str() : "",
              c_escape(shorten(r.err, 400)).c_str());
}

using EndingOf = std::map<std::string, Ending>;

// Every run against the contract; returns the ending of each generated input.
EndingOf judge_runs(const Options& o, const Program& p, const Plan& plan,
                    const std::vector<RunResult>& results, Tally& tally) {
  EndingOf ending_of;
  for (std::size_t i = 0; i < plan.inputs.size(); i++) {
    const auto& r = results[i];
    const auto& input = plan.inputs[i];
    const auto ending = classify(p.name, r);
    if (input.family != "written") ending_of.emplace(input.bytes, ending);
    tally.slowest = std::max(tally.slowest, r.seconds);
    tally.count(ending);
    if (o.verbose)
      std::printf("     %s [%s] \"%s\"\n", ending_name(ending), input.family.c_str(),
                  c_escape(shorten(input.bytes, 100)).c_str());
    if (!keeps_contract(ending)) {
      tally.failures++;
      show_failure(p, input.family, input.bytes, r, ending_name(ending));
    }
  }
  tally.inputs = plan.inputs.size();
  return ending_of;
}

// Why a written expectation is not met (empty: it is).
std::string unmet(const Program& p, const Expectation& e, const RunResult& r) {
  const auto ending = classify(p.name, r);
  if (ending != e.ending)
    return std::string("expected ") + ending_name(e.ending) + ", got " + ending_name(ending);
  if (e.detail && ending == Ending::rejected && reject_reason(p.name, r.err) != *e.detail)
    return "expected the reason \"" + c_escape(*e.detail) + "\"";
  if (e.detail && ending == Ending::accepted && r.out != *e.detail)
    return "expected the output \"" + c_escape(*e.detail) + "\", got \"" +
           c_escape(shorten(r.out, 200)) + "\"";
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
    if (why.empty() || !keeps_contract(classify(p.name, r))) continue;
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
    const std::size_t last = last_token_start(seed.bytes);
    for (std::size_t k = 0; k <= last && k < seed.bytes.size(); k++) {
      auto it = ending_of.find(seed.bytes.substr(0, k));
      if (it == ending_of.end() || it->second != Ending::accepted) continue;
      tally.failures++;
      std::printf("FAIL %s [cut off, from %s] input \"%s\": accepted, expected reject\n",
                  p.name.c_str(), seed.name.c_str(),
                  c_escape(shorten(seed.bytes.substr(0, k), 160)).c_str());
    }
  }
}

}  // namespace

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

}  // namespace hostile
