// Running one of the suite's programs as a process for a test: the input goes
// to its standard input, and its output, error stream and exit status come
// back. In a cross build the program runs under the emulator.
#pragma once

#include <cstddef>
#include <string>

namespace test_support {

struct Outcome {
  std::string out;
  std::string err;
  // The exit status; -1 when the program did not exit by itself (a signal,
  // its time running out, or it never started).
  int status = -1;
};

// A program still running after `seconds`, or one whose output passes
// `max_output` bytes, is stopped, with everything it started, and counts as
// not having exited.
Outcome run_program(const std::string& program, const std::string& input, double seconds = 20,
                    std::size_t max_output = 64u << 20);

}  // namespace test_support
