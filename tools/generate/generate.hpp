// Generated valid inputs for the input-reading programs, a comparison of two
// builds on them, and the cut-down input that still shows a difference.
#pragma once

#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "containment.hpp"
#include "options.hpp"

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

// Wider limits: every input the programs define, including the ranges that
// builds of the programs from before they computed them still refuse (NaN
// pairs, negative sizes, node 0, a zero beside a negative value). On by
// default; --narrow turns them off to compare against such an older build.
struct Limits {
  bool wider = true;
};

const std::vector<Description>& descriptions(const Limits& limits = {});
const Description* find_description(const std::string& program, const Limits& limits = {});

// One input, the same for the same description and seed on every machine.
std::string generate_input(const Description& d, std::uint64_t seed);

// The edges of each integer field: the limits and one past them, as text.
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
  std::string save_dir;              // where the reduced inputs go ("" = nowhere)
  int inputs = 0;                    // per program
  std::uint64_t seed = 1;
  int jobs = 1;
  double timeout = 10.0;
  std::size_t memory = toolkit::default_memory_bytes;  // per run, both builds
  Limits limits;
};

struct Summary {
  long agreed = 0, differed = 0;
  long refused = 0;          // inputs the reference refused (a description at fault)
  bool setup_error = false;  // a bad filter or a build that could not be run
};

// Runs every generated input on both builds, reports each program with a
// difference with its reduced input, and ends with "N agreed, N differed".
Summary compare_builds(const CompareOptions& o, std::FILE* report);

// The comparison's rows of the runner's option table.
std::vector<toolkit::Option> option_rows(CompareOptions& o);

// The folder of the running executable (the reference build when installed).
std::string own_folder();

}  // namespace generate
