// Generated valid inputs for the input-reading programs, a comparison of two
// builds on them, and the cut-down input that still shows a difference.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "process.hpp"

namespace generate {

class Writer;

enum class Kind { integer, floating };

// One kind of value of a program's input and the values that are valid for it.
struct Field {
  std::string name;
  Kind kind = Kind::integer;
  double lo = 0, hi = 0;          // inclusive range
  std::vector<long long> except;  // integers inside the range that are refused
  double min_magnitude = 0;       // floats: non-zero values below this are refused
  bool nan = false, inf = false;  // floats: also NaN, also either infinity
  std::string time_bound;         // set when run time, not the program, caps the range
  std::string shape_bound;        // set when the input's shape, not a refusal, narrows it
};

// What a valid input of one program is: its shape (in `write`, which builds
// one input from the fields) and the range of each value.
struct Description {
  std::string program;
  std::string shape;
  std::vector<Field> fields;
  std::function<void(Writer&)> write;
  const Field& field(const std::string& name) const;
};

// Wider coverage: every input the programs define, including the ranges that
// builds of the programs from before they computed them still refuse (NaN
// pairs, negative sizes, node 0, a zero beside a negative value). On by
// default; --narrow turns them off to compare against such an older build.
struct Coverage {
  bool wider = true;
};

const std::vector<Description>& descriptions(const Coverage& coverage = {});
const Description* find_description(const std::string& program, const Coverage& coverage = {});

// One input, the same for the same description and seed on every machine.
std::string generate_input(const Description& d, std::uint64_t seed);

// The edges of each integer field: the bounds and one past them, as text.
std::vector<std::string> edge_values(const Description& d);

// Cuts `input` down while `still_differs` holds: drops lines, tokens and
// characters, and simplifies numbers and text. At most `budget` tries.
std::string reduce(const std::string& input,
                   const std::function<bool(const std::string&)>& still_differs, int budget = 600);

struct CompareOptions {
  std::string bin_dir;               // the build under test
  std::string against;               // the reference build
  std::vector<std::string> wrapper;  // placed before each program of bin_dir
  std::string filter;                // POSIX extended regex searched in the name
  int inputs = 0;                    // per program
  std::uint64_t seed = 1;
  int jobs = 1;
  double timeout = 10.0;
  std::size_t memory = common::default_memory_bytes;  // per run, both builds
  Coverage coverage;
  // One shard of the (program, input index) pairs: the same pairs on every
  // machine, whatever the programs of its builds (see in_shard).
  std::size_t shard_index = 0, shard_count = 1;
};

// Whether input `index` of `program` belongs to the options' shard: the
// inputs of a program go round the shards from an offset its name gives.
bool in_shard(const CompareOptions& o, const std::string& program, int index);

// The bounds of each run of either build.
common::RunLimits run_limits(const CompareOptions& o);

// The programs a comparison covers, found before anything runs.
struct ComparePlan {
  std::vector<const Description*> programs;  // in both builds
  std::vector<std::string> missing;          // not in the build under test
  std::vector<std::string> problems;         // a bad filter, a program the reference lacks
};

ComparePlan plan_comparison(const CompareOptions& o);

// Both builds on one input.
struct RunPair {
  common::RunResult test, reference;
};

// How a run ended, in a few words that stay the same from run to run
// ("exit status 0", "timed out after 10 s", "did not run (...)").
std::string ending(const common::RunResult& r, const CompareOptions& o);

// An input that differed, with the runs in which it did.
struct DifferingRun {
  int index = 0;
  RunPair runs;
};

// One program's difference, cut down.
struct Finding {
  std::string program;
  std::size_t differing = 0;  // inputs that differed
  int index = 0;              // of the input that was cut down
  std::size_t original_size = 0;
  std::string input;    // the cut-down input (uncut when it was not cut down)
  bool cut = false;     // false: interrupted first, flaky or `broken`
  RunPair runs;         // of `input`, when cut: runs that differed
  std::size_t ran = 0;  // inputs of the program that ran (this shard's)
  // The comparison's runs of input `index` (before anything ran again),
  // whose difference the report shows when nothing was cut down.
  DifferingRun first;
  // Inputs that differed once and agreed when run again (tried smallest
  // first, a few at most); `flaky` when none tried showed its difference again.
  std::vector<DifferingRun> agreed_again;
  bool flaky = false;
  // Differing inputs on which each build ran out of time.
  std::size_t test_timeouts = 0, reference_timeouts = 0;
  // Set when every run of the build under test ended this way before any
  // output: the input plays no part, and nothing is cut down.
  std::string broken;
  double seconds = 0;  // spent running it again and cutting it down
};

// One program's share of the comparison.
struct ProgramTally {
  std::string program;
  long agreed = 0, differed = 0, refused = 0;
  std::vector<std::string> saved;  // the cut-down inputs written
  std::string told;                // the report's lines on its difference
  // Wall-clock time of its runs on both builds and of cutting its
  // difference down, summed (runs overlap when jobs > 1).
  double seconds = 0;
};

struct Summary {
  // A missing program differs on every input; an input that did not run on
  // both builds (an interrupt came first) is not run, never agreed.
  long agreed = 0, differed = 0, not_run = 0;
  long refused = 0;  // inputs the reference refused (a description at fault)
  std::vector<Finding> findings;
  std::vector<ProgramTally> programs;  // those missing first, then in the plan's order
};

// What a long comparison tells as it goes, for progress lines. Called from
// any worker thread, at the same time from several.
class CompareEvents {
 public:
  virtual ~CompareEvents() = default;
  virtual void input_done(bool /*differed*/) {}
  // Every input of the program has run (this shard's).
  virtual void program_done(const ProgramTally& /*t*/) {}
  // Every input has run; this many differences are to be cut down.
  virtual void compared(std::size_t /*to_cut*/) {}
  virtual void cutting(const Finding& /*f*/) {}
  virtual void cut_done(const Finding& /*f*/) {}
};

// Runs every generated input of the planned programs on both builds, `jobs`
// at a time, and cuts each program's difference down to a small input.
Summary compare_builds(const CompareOptions& o, const ComparePlan& plan,
                       CompareEvents* events = nullptr);

}  // namespace generate
