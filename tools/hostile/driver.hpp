// The hostile-input driver's parts: the programs it tries and its options,
// what one program is tried on (plan.cpp), and the runs and their checks
// (checks.cpp); main.cpp holds the command line and the report.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "contract.hpp"
#include "inputs.hpp"

namespace hostile {

struct Program {
  std::string name, group;
  std::vector<std::string> sources;
};

struct Options {
  std::string bin_dir, cases_dir, expect_dir, list, only;
  std::vector<std::string> replay;
  std::vector<std::string> wrapper;
  double timeout = 10.0;
  std::size_t memory = common::default_memory_bytes;
  int jobs = 1;
  bool markdown = false;
  bool verbose = false;
};

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

// The programs of a list file (NAME GROUP SOURCE... per line), or just `only`.
std::vector<Program> read_list(const std::string& path, const std::string& only);

// What one program is tried on: its generated inputs (or the replayed ones)
// and the inputs of its written expectations, which come last.
struct Plan {
  std::vector<Input> inputs;
  Expectations expect;
  std::vector<Seed> seeds;
};

// False when the written expectations cannot be read (a failure of its own).
bool make_plan(const Options& o, const Program& p, Plan& plan);

// Runs and checks every input of one program, printing its line.
Tally try_program(const Options& o, const Program& p);

}  // namespace hostile
