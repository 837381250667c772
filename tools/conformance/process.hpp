// Running one program in a fresh process with a given standard input,
// capturing its standard output and standard error.
#pragma once

#include <string>
#include <vector>

namespace conformance {

struct RunResult {
  std::string out;
  std::string err;
  // Exit status 0..255 when the process exited; otherwise -1 and `signal` or
  // `timed_out` say why, or `spawn_error` holds the reason it never ran.
  int status = -1;
  int signal = 0;
  bool timed_out = false;
  std::string spawn_error;
  double seconds = 0.0;
};

// argv[0] is the executable (a path, or a name looked up in PATH). An empty
// input_path runs the program with an empty standard input.
RunResult run_process(const std::vector<std::string>& argv, const std::string& input_path,
                      double timeout_seconds);

}  // namespace conformance
