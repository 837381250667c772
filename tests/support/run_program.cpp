#include "run_program.hpp"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
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

// The input as a file of its own, removed when the run is over.
struct InputFile {
  std::string path;
  explicit InputFile(const std::string& text) {
    char name[] = "/tmp/run_program_XXXXXX";
    const int fd = mkstemp(name);
    if (fd < 0) return;
    path = name;
    for (std::size_t done = 0; done < text.size();) {
      const ssize_t n = write(fd, text.data() + done, text.size() - done);
      if (n <= 0) break;
      done += static_cast<std::size_t>(n);
    }
    close(fd);
  }
  ~InputFile() {
    if (!path.empty()) std::remove(path.c_str());
  }
};

}  // namespace

Outcome run_program(const std::string& program, const std::string& input, double seconds,
                    std::size_t max_output) {
  const InputFile in(input);
  Outcome outcome;
  if (in.path.empty()) return outcome;
  toolkit::RunLimits limits;
  limits.timeout_seconds = seconds;
  limits.max_out = limits.max_err = max_output;
  const toolkit::RunResult result = toolkit::run_process(command_for(program), in.path, limits);
  outcome.out = result.out;
  outcome.err = result.err;
  // A run stopped at a stream's bound has no status of its own: it stays -1.
  outcome.status = result.status;
  return outcome;
}

}  // namespace test_support
