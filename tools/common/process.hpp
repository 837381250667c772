// Running one program in a fresh process with a given standard input,
// capturing its standard output and standard error within bounds, and ending
// every process it started with it.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "containment.hpp"

namespace common {

struct RunLimits {
  double timeout_seconds = 10.0;
  // Bytes kept of each stream. A stream that passes its bound ends the run at
  // once: a program printing without end then costs neither memory nor time.
  std::size_t max_out = 64u << 20;
  std::size_t max_err = 64u << 20;
  // false: a stream past its bound is read on and dropped, and the run goes
  // on to its end or its deadline (for callers that judge only a prefix).
  bool stop_at_bound = true;
  // Resident memory of all the run's processes together, and the size of any
  // file one of them writes (see containment.hpp).
  std::size_t max_memory = default_memory_bytes;
  std::size_t max_file = default_file_bytes;
};

struct RunResult {
  std::string out;
  std::string err;
  // Exit status 0..255 when the process exited; otherwise -1 and `signal`,
  // `timed_out`, `overflow` or `interrupted` say why, or `spawn_error` holds
  // the reason it never ran.
  int status = -1;
  int signal = 0;
  bool timed_out = false;
  std::string spawn_error;
  double seconds = 0.0;
  // CPU time (user plus system, and user alone) and the peak resident size
  // in bytes of the program and of the descendants it waited for; 0 when it
  // never ran.
  double cpu_seconds = 0.0;
  double user_seconds = 0.0;
  long long max_rss_bytes = 0;
  // 1 (stdout) or 2 (stderr) when that stream passed its bound after
  // `overflow_bytes` bytes and the run was stopped.
  int overflow = 0;
  std::size_t overflow_bytes = 0;
  // A process the program started was still alive after the program exited
  // (it was ended; `status` is the program's own).
  bool left_running = false;
  // An interrupt ended the run before it finished.
  bool interrupted = false;
  // The run held more than its memory bound (this much when it was ended).
  std::size_t memory_used = 0;
  // The program stopped itself with this signal (SIGSTOP ...) and was ended.
  int stop_signal = 0;
  // A write passed the file-size bound (the program got SIGXFSZ, or a file
  // in its folder reached the bound).
  bool file_too_big = false;
};

// What a run that the bounds above ended did, in a few words ("used more
// than 1024 MiB: stopped"), or "" when no bound ended it.
std::string bound_verdict(const RunResult& result, const RunLimits& limits);

// argv[0] is the executable (a path, or a name looked up in PATH). An empty
// input_path runs the program with an empty standard input. The run starts in
// a folder of its own, emptied when it ends: relative paths among the words
// are made absolute first.
RunResult run_process(const std::vector<std::string>& argv, const std::string& input_path,
                      const RunLimits& limits);

// The same with `input` as the program's standard input.
RunResult run_with_input(const std::vector<std::string>& argv, const std::string& input,
                         const RunLimits& limits);

}  // namespace common
