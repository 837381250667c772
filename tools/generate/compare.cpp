// Two builds on the same generated inputs: every input runs on both, and
// standard output, standard error and the way the run ended must match.
#include <regex.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <thread>

#include "cases.hpp"
#include "escape.hpp"
#include "generate.hpp"
#include "process.hpp"

namespace fs = std::filesystem;
using toolkit::RunResult;

namespace generate {

namespace {

struct Pair {
  RunResult test, reference;
};

bool same(const RunResult& a, const RunResult& b) {
  return a.spawn_error.empty() && b.spawn_error.empty() && a.status == b.status &&
         a.signal == b.signal && a.timed_out == b.timed_out && a.overflow == b.overflow &&
         a.left_running == b.left_running && a.out == b.out && a.err == b.err;
}

// The reference refused the input: one "PROGRAM: reason" line and status 2.
bool refused(const std::string& program, const RunResult& r) {
  return r.status == 2 && r.err.starts_with(program + ": ");
}

constexpr std::size_t output_bound = 16u << 20;

class Runner {
 public:
  Runner(const CompareOptions& o, const std::string& program) : o_(o), program_(program) {
    test_ = o.wrapper;
    test_.push_back((fs::path(o.bin_dir) / program).string());
    reference_ = {(fs::path(o.against) / program).string()};
  }
  // Runs both builds on `input`, through the scratch file `file`.
  Pair run(const std::string& input, const std::string& file) const {
    Pair p;
    if (!toolkit::write_file(file, input)) {
      p.test.spawn_error = p.reference.spawn_error = "cannot write " + file;
      return p;
    }
    // Generated inputs are small: a build printing past the bound is broken
    // (or looping), and both sides are cut at the same place.
    const toolkit::RunLimits limits{o_.timeout, output_bound, output_bound, true};
    p.test = toolkit::run_process(test_, file, limits);
    p.reference = toolkit::run_process(reference_, file, limits);
    return p;
  }
  const std::string& program() const { return program_; }

 private:
  const CompareOptions& o_;
  std::string program_;
  std::vector<std::string> test_, reference_;
};

std::uint64_t name_hash(const std::string& s) {
  std::uint64_t h = 0xcbf29ce484222325ULL;
  for (unsigned char c : s) h = (h ^ c) * 0x100000001b3ULL;
  return h;
}

std::uint64_t input_seed(std::uint64_t seed, const std::string& program, int index) {
  return seed * 0x9e3779b97f4a7c15ULL ^ name_hash(program) ^ static_cast<std::uint64_t>(index) << 1;
}

std::string scratch_file(int worker) {
  return (fs::temp_directory_path() /
          ("generate-" + std::to_string(getpid()) + "-" + std::to_string(worker)))
      .string();
}

// Printable text, cut short.
std::string visible(const std::string& s, std::size_t limit = 400) {
  const std::string v = toolkit::c_escape(s.substr(0, limit));
  return s.size() > limit ? v + "..." : v;
}

std::string ending(const RunResult& r) {
  if (!r.spawn_error.empty()) return "did not run (" + r.spawn_error + ")";
  if (r.timed_out) return "timed out";
  if (r.overflow != 0)
    return std::string(r.overflow == 1 ? "stdout" : "stderr") + " too long: stopped";
  if (r.left_running) return "exit status " + std::to_string(r.status) + ", left a process running";
  if (r.signal != 0) return "killed by signal " + std::to_string(r.signal);
  return "exit status " + std::to_string(r.status);
}

void show_run(std::FILE* out, const char* which, const RunResult& r) {
  std::fprintf(out, "  %s: %s\n    stdout \"%s\"\n    stderr \"%s\"\n", which, ending(r).c_str(),
               visible(r.out).c_str(), visible(r.err).c_str());
}

std::vector<const Description*> selected(const CompareOptions& o, std::string& error) {
  std::vector<const Description*> chosen;
  regex_t re;
  if (int rc = regcomp(&re, o.filter.c_str(), REG_EXTENDED | REG_NOSUB); rc != 0) {
    char message[256];
    regerror(rc, &re, message, sizeof message);
    error = "bad --filter: " + std::string(message);
    return chosen;
  }
  for (const auto& d : descriptions(o.limits))
    if (regexec(&re, d.program.c_str(), 0, nullptr, 0) == 0) chosen.push_back(&d);
  regfree(&re);
  return chosen;
}

struct Target {
  const Description* description;
  Runner runner;
  std::size_t position;  // among the selected programs: places its inputs in the shards
};

bool in_shard(const CompareOptions& o, const Target& t, int index) {
  return (t.position * static_cast<std::size_t>(o.inputs) + static_cast<std::size_t>(index)) %
             o.shard_count ==
         o.shard_index;
}

std::string input_of(const CompareOptions& o, const Target& t, int index) {
  return generate_input(*t.description, input_seed(o.seed, t.description->program, index));
}

constexpr char differed_bit = 1, refused_bit = 2, other_shard_bit = 4;

// Every input of every target, `jobs` at a time: where the builds differ,
// and where the reference refused the input.
std::vector<char> run_all(const CompareOptions& o, const std::vector<Target>& targets) {
  const std::size_t per = static_cast<std::size_t>(o.inputs), total = targets.size() * per;
  std::vector<char> differs(total, 0);
  std::atomic<std::size_t> next{0};
  auto worker = [&](int id) {
    const std::string file = scratch_file(id);
    for (std::size_t k; (k = next++) < total;) {
      const Target& t = targets[k / per];
      if (!in_shard(o, t, static_cast<int>(k % per))) {
        differs[k] = other_shard_bit;
        continue;
      }
      const Pair p = t.runner.run(input_of(o, t, static_cast<int>(k % per)), file);
      differs[k] =
          static_cast<char>((same(p.test, p.reference) ? 0 : differed_bit) |
                            (refused(t.description->program, p.reference) ? refused_bit : 0));
    }
    std::error_code ec;
    fs::remove(file, ec);
  };
  std::vector<std::thread> pool;
  const int jobs =
      static_cast<int>(std::min<std::size_t>(std::max(1, o.jobs), std::max<std::size_t>(total, 1)));
  for (int j = 1; j < jobs; j++) pool.emplace_back(worker, j);
  worker(0);
  for (auto& t : pool) t.join();
  return differs;
}

bool save(const CompareOptions& o, const std::string& program, int index, const std::string& input,
          std::FILE* out, std::vector<std::string>& saved) {
  const fs::path dir = fs::path(o.save_dir) / program;
  const fs::path file =
      dir / ("generated_" + std::to_string(o.seed) + "_" + std::to_string(index) + ".in");
  std::error_code ec;
  fs::create_directories(dir, ec);
  if (ec || !toolkit::write_file(file.string(), input)) {
    std::fprintf(out, "  cannot write %s\n", file.string().c_str());
    return false;
  }
  std::fprintf(out, "  saved %s\n", file.string().c_str());
  saved.push_back(file.string());
  return true;
}

// One program's difference, cut down.
struct Finding {
  std::size_t target = 0;
  std::vector<int> differing;
  int ran = 0;    // inputs of this shard
  int index = 0;  // of the input that was cut down
  std::size_t original_size = 0;
  std::string reduced;
  Pair runs;  // of the reduced input
};

// A cut-down input that still differs; the reduction stops trying after a
// minute, so that a build that hangs cannot hold the report up for long.
void cut_down(const CompareOptions& o, const Target& t, Finding& f, int worker) {
  std::string smallest = input_of(o, t, f.differing.front());
  f.index = f.differing.front();
  for (int index : f.differing) {
    std::string input = input_of(o, t, index);
    if (input.size() < smallest.size()) smallest = std::move(input), f.index = index;
  }
  const std::string file = scratch_file(worker);
  const std::string& program = t.description->program;
  const bool was_refused = refused(program, t.runner.run(smallest, file).reference);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  // The same kind of input: one the reference accepted stays accepted.
  f.reduced = reduce(smallest, [&](const std::string& candidate) {
    if (std::chrono::steady_clock::now() > deadline) return false;
    const Pair p = t.runner.run(candidate, file);
    return p.reference.spawn_error.empty() && !same(p.test, p.reference) &&
           refused(program, p.reference) == was_refused;
  });
  f.original_size = smallest.size();
  f.runs = t.runner.run(f.reduced, file);
  std::error_code ec;
  fs::remove(file, ec);
}

// Every finding cut down, `jobs` programs at a time.
void cut_down_all(const CompareOptions& o, const std::vector<Target>& targets,
                  std::vector<Finding>& findings) {
  std::atomic<std::size_t> next{0};
  auto worker = [&](int id) {
    for (std::size_t k; (k = next++) < findings.size();)
      cut_down(o, targets[findings[k].target], findings[k], id);
  };
  std::vector<std::thread> pool;
  for (int j = 1; j < std::min<int>(o.jobs, static_cast<int>(findings.size())); j++)
    pool.emplace_back(worker, j);
  worker(0);
  for (auto& t : pool) t.join();
}

bool report(const CompareOptions& o, const std::string& program, const Finding& f, std::FILE* out,
            std::vector<std::string>& saved) {
  std::fprintf(out, "DIFFER %s: %zu of %d inputs\n  input %d cut from %zu to %zu bytes: \"%s\"\n",
               program.c_str(), f.differing.size(), f.ran, f.index, f.original_size,
               f.reduced.size(), visible(f.reduced).c_str());
  show_run(out, "this build", f.runs.test);
  show_run(out, "reference ", f.runs.reference);
  return o.save_dir.empty() || save(o, program, f.index, f.reduced, out, saved);
}

// The selected programs; those missing from the build under test are
// counted as differing on every input.
std::vector<Target> targets_of(const CompareOptions& o, Summary& summary, std::FILE* out) {
  std::string error;
  std::vector<Target> targets;
  std::size_t position = 0;
  for (const Description* d : selected(o, error)) {
    const std::size_t at = position++;
    std::error_code ec;
    if (!fs::is_regular_file(fs::path(o.against) / d->program, ec)) {
      std::fprintf(stderr, "conformance: no %s in %s (name the reference build with --against)\n",
                   d->program.c_str(), o.against.c_str());
      summary.setup_error = true;
    } else if (!fs::is_regular_file(fs::path(o.bin_dir) / d->program, ec)) {
      std::fprintf(out, "DIFFER %s: not in %s\n", d->program.c_str(), o.bin_dir.c_str());
      ProgramTally missing;
      missing.program = d->program;
      const Target absent{d, Runner(o, d->program), at};
      for (int i = 0; i < o.inputs; i++) missing.differed += in_shard(o, absent, i) ? 1 : 0;
      summary.differed += missing.differed;
      summary.programs.push_back(std::move(missing));
    } else {
      targets.push_back({d, Runner(o, d->program), at});
    }
  }
  if (!error.empty()) {
    std::fprintf(stderr, "conformance: %s\n", error.c_str());
    summary.setup_error = true;
  } else if (targets.empty() && summary.differed == 0) {
    std::fprintf(stderr, "conformance: no input-reading program matches '%s'\n", o.filter.c_str());
    summary.setup_error = true;
  }
  return targets;
}

}  // namespace

namespace {

std::uint64_t parse_number(const std::string& option, const std::string& text, std::uint64_t max) {
  char* end = nullptr;
  errno = 0;
  const unsigned long long n = std::strtoull(text.c_str(), &end, 10);
  if (text.empty() || text[0] < '0' || text[0] > '9' || *end != '\0' || errno != 0 || n > max)
    throw toolkit::UsageError(option + " needs a whole number from 0 to " + std::to_string(max));
  return n;
}

}  // namespace

std::vector<toolkit::Option> option_rows(CompareOptions& o) {
  using toolkit::UsageError;
  return {
      {"--generate", "N",
       "instead of the cases, run N generated valid inputs per program on this build\n"
       "                    (--bin-dir, --wrapper) and on the reference build; cut each\n"
       "                    difference down to a small input that still shows it",
       [&o](const std::string& name, const std::string& value) {
         o.inputs = static_cast<int>(parse_number(name, value, 1000000));
         if (o.inputs == 0) throw UsageError(name + " needs a count from 1 to 1000000");
       }},
      {"--against", "DIR", "the reference build (default: the programs beside the runner)",
       toolkit::store_text(o.against)},
      {"--seed", "S", "seed of the generated inputs (default 1)",
       [&o](const std::string& name, const std::string& value) {
         o.seed = parse_number(name, value, UINT64_MAX);
       }},
      {"--save-differences", "DIR", "write each cut-down input as DIR/PROGRAM/NAME.in",
       toolkit::store_text(o.save_dir)},
      {"--narrow", "", "leave out the inputs that older builds of the programs refused",
       [&o](const std::string&, const std::string&) { o.limits.wider = false; }},
  };
}

std::string own_folder() {
  std::error_code ec;
  const fs::path self = fs::read_symlink("/proc/self/exe", ec);
  return ec ? std::string(".") : self.parent_path().string();
}

}  // namespace generate

namespace generate {

Summary compare_builds(const CompareOptions& o, std::FILE* out) {
  Summary summary;
  const std::vector<Target> targets = targets_of(o, summary, out);
  if (summary.setup_error) return summary;
  std::fprintf(out, "comparing %s against %s: %zu programs, %d generated inputs each, seed %llu\n",
               o.bin_dir.c_str(), o.against.c_str(), targets.size(), o.inputs,
               static_cast<unsigned long long>(o.seed));
  if (o.shard_count > 1)
    std::fprintf(out, "shard %zu of %zu: every %zu-th input\n", o.shard_index + 1, o.shard_count,
                 o.shard_count);
  std::fflush(out);
  const std::vector<char> differs = run_all(o, targets);
  std::vector<Finding> findings;
  const std::size_t first_target = summary.programs.size();
  for (std::size_t t = 0; t < targets.size(); t++) {
    Finding f;
    f.target = t;
    ProgramTally tally;
    tally.program = targets[t].description->program;
    for (int i = 0; i < o.inputs; i++) {
      const char r = differs[t * static_cast<std::size_t>(o.inputs) + static_cast<std::size_t>(i)];
      if (r & other_shard_bit) continue;
      f.ran++;
      if (r & differed_bit) f.differing.push_back(i);
      tally.refused += r & refused_bit ? 1 : 0;
      tally.agreed += r & differed_bit ? 0 : 1;
    }
    tally.differed = static_cast<long>(f.differing.size());
    summary.agreed += tally.agreed, summary.differed += tally.differed;
    summary.refused += tally.refused;
    summary.programs.push_back(std::move(tally));
    if (!f.differing.empty()) findings.push_back(std::move(f));
  }
  cut_down_all(o, targets, findings);
  for (const auto& f : findings)
    if (!report(o, targets[f.target].description->program, f, out,
                summary.programs[first_target + f.target].saved))
      summary.setup_error = true;
  // Generated inputs are valid: a refusal means a description is wrong.
  if (summary.refused > 0)
    std::fprintf(out, "note: the reference refused %ld generated inputs\n", summary.refused);
  std::fprintf(out, "%ld agreed, %ld differed\n", summary.agreed, summary.differed);
  return summary;
}

}  // namespace generate
