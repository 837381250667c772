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
         a.left_running == b.left_running && (a.memory_used != 0) == (b.memory_used != 0) &&
         a.stop_signal == b.stop_signal && a.file_too_big == b.file_too_big && a.out == b.out &&
         a.err == b.err;
}

// The reference refused the input: one "PROGRAM: reason" line and status 2.
bool refused(const std::string& program, const RunResult& r) {
  return r.status == 2 && r.err.starts_with(program + ": ");
}

constexpr std::size_t output_bound = 16u << 20;

// Generated inputs are small: a build printing past the bound is broken (or
// looping), and both sides are cut at the same place.
toolkit::RunLimits run_limits(const CompareOptions& o) {
  return {o.timeout, output_bound, output_bound, true, o.memory};
}

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
    const toolkit::RunLimits limits = run_limits(o_);
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

std::string ending(const RunResult& r, const CompareOptions& o) {
  if (!r.spawn_error.empty()) return "did not run (" + r.spawn_error + ")";
  if (r.timed_out) return "timed out";
  const std::string bound = toolkit::bound_verdict(r, run_limits(o));
  if (!bound.empty()) return bound;
  if (r.overflow != 0)
    return std::string(r.overflow == 1 ? "stdout" : "stderr") + " too long: stopped";
  if (r.left_running) return "exit status " + std::to_string(r.status) + ", left a process running";
  if (r.signal != 0) return "killed by signal " + std::to_string(r.signal);
  return "exit status " + std::to_string(r.status);
}

void show_run(std::FILE* out, const char* which, const RunResult& r, const CompareOptions& o) {
  std::fprintf(out, "  %s: %s\n    stdout \"%s\"\n    stderr \"%s\"\n", which, ending(r, o).c_str(),
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
};

std::string input_of(const CompareOptions& o, const Target& t, int index) {
  return generate_input(*t.description, input_seed(o.seed, t.description->program, index));
}

constexpr char differed_bit = 1, refused_bit = 2;

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
          std::FILE* out) {
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
  return true;
}

// One program's difference, cut down.
struct Finding {
  std::size_t target = 0;
  std::vector<int> differing;
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

bool report(const CompareOptions& o, const std::string& program, const Finding& f, std::FILE* out) {
  std::fprintf(out, "DIFFER %s: %zu of %d inputs\n  input %d cut from %zu to %zu bytes: \"%s\"\n",
               program.c_str(), f.differing.size(), o.inputs, f.index, f.original_size,
               f.reduced.size(), visible(f.reduced).c_str());
  show_run(out, "this build", f.runs.test, o);
  show_run(out, "reference ", f.runs.reference, o);
  return o.save_dir.empty() || save(o, program, f.index, f.reduced, out);
}

// The selected programs; those missing from the build under test are
// counted as differing on every input.
std::vector<Target> targets_of(const CompareOptions& o, Summary& summary, std::FILE* out) {
  std::string error;
  std::vector<Target> targets;
  for (const Description* d : selected(o, error)) {
    std::error_code ec;
    if (!fs::is_regular_file(fs::path(o.against) / d->program, ec)) {
      std::fprintf(stderr, "conformance: no %s in %s (name the reference build with --against)\n",
                   d->program.c_str(), o.against.c_str());
      summary.setup_error = true;
    } else if (!fs::is_regular_file(fs::path(o.bin_dir) / d->program, ec)) {
      std::fprintf(out, "DIFFER %s: not in %s\n", d->program.c_str(), o.bin_dir.c_str());
      summary.differed += o.inputs;
    } else {
      targets.push_back({d, Runner(o, d->program)});
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
  std::fflush(out);
  const std::vector<char> differs = run_all(o, targets);
  std::vector<Finding> findings;
  for (std::size_t t = 0; t < targets.size(); t++) {
    Finding f;
    f.target = t;
    for (int i = 0; i < o.inputs; i++) {
      const char r = differs[t * static_cast<std::size_t>(o.inputs) + static_cast<std::size_t>(i)];
      if (r & differed_bit) f.differing.push_back(i);
      if (r & refused_bit) summary.refused++;
    }
    summary.agreed += o.inputs - static_cast<long>(f.differing.size());
    summary.differed += static_cast<long>(f.differing.size());
    if (!f.differing.empty()) findings.push_back(std::move(f));
  }
  cut_down_all(o, targets, findings);
  for (const auto& f : findings)
    if (!report(o, targets[f.target].description->program, f, out)) summary.setup_error = true;
  // Generated inputs are valid: a refusal means a description is wrong.
  if (summary.refused > 0)
    std::fprintf(out, "note: the reference refused %ld generated inputs\n", summary.refused);
  std::fprintf(out, "%ld agreed, %ld differed\n", summary.agreed, summary.differed);
  return summary;
}

}  // namespace generate
