#include "run_program.hpp"

#include <sstream>
#include <vector>

#include "process.hpp"

namespace test_support {

namespace {

// The emulator's command line (empty outside a cross build), then the program.
std::vector<std::string> command_for(const std::string& program) {
  std::vector<std::string> argv;
  std::istringstream emulator(SUITE_EMULATOR);
  for (std::string word; emulator >> word;) argv.push_back(word);
  argv.push_back(program);
  return argv;
}

}  // namespace

Outcome run_program(const std::string& program, const std::string& input, double seconds,
                    std::size_t max_output) {
  Outcome outcome;
  common::RunLimits limits;
  limits.timeout_seconds = seconds;
  limits.max_out = limits.max_err = max_output;
  const common::RunResult result = common::run_with_input(command_for(program), input, limits);
  outcome.out = result.out;
  outcome.err = result.err;
  // A run stopped at a stream's bound has no status of its own: it stays -1.
  outcome.status = result.status;
  return outcome;
}

}  // namespace test_support
