// The hostile inputs tried on one program, derived from its golden inputs and
// from the integer literals of its source (array sizes, bounds, sentinels).
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace hostile {

struct Seed {
  std::string name;
  std::string bytes;
  bool accepted = false;  // the golden case exits normally
};

struct Input {
  std::string family;  // what kind of hostility, for the report
  std::string bytes;
};

struct Budget {
  std::size_t cuts = 200;          // cut-off golden inputs, all offsets when they fit
  std::size_t substitutions = 80;  // golden inputs with one token replaced
};

// Integer literals of a source, each with its neighbours: 10 gives 9, 10, 11.
std::vector<std::string> source_values(const std::string& source);

// Every offset at which `bytes` is cut when the limit is `per_seed` offsets.
std::vector<std::size_t> cut_offsets(std::size_t length, std::size_t per_seed);

// Offset where the last white-space separated token starts (0 without tokens).
std::size_t last_token_start(const std::string& bytes);

// Distinct inputs, the first family that produced an input keeping it.
// `values` entries "slow:LOW..HIGH" name valid sizes that run for longer than
// any time bound: no input whose integer reads meet one of them is made.
std::vector<Input> make_inputs(const std::vector<Seed>& seeds,
                               const std::vector<std::string>& values, const Budget& budget);

}  // namespace hostile
