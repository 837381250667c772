// Keeping a run inside its case: a fresh folder of its own as its working
// folder, no core dumps, a bound on the size of any file it writes and on the
// memory its processes hold together. The process core (process.cpp) calls
// these around its own start, watch and finish of a run.
#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <string>
#include <vector>

namespace common {

// Defaults and the largest value --memory takes (docs/using.md). The largest
// program needs a few MiB; an emulator adds some tens.
inline constexpr std::size_t default_memory_bytes = std::size_t{1024} << 20;
inline constexpr std::size_t max_memory_bytes = std::size_t{64} << 30;
inline constexpr std::size_t default_file_bytes = std::size_t{64} << 20;

// "1024 MiB", or "2 GiB" when whole gibibytes.
std::string size_text(std::size_t bytes);

// An empty folder for one run under $TMPDIR (or /tmp), emptied of everything
// the run left there when this object ends. Emptied folders serve the next
// runs of this process and are removed when it ends (see containment.cpp).
class RunFolder {
 public:
  RunFolder();
  ~RunFolder();
  RunFolder(const RunFolder&) = delete;
  RunFolder& operator=(const RunFolder&) = delete;
  // Empty when the folder could not be made; `error` says why.
  const std::string& path() const { return path_; }
  const std::string& error() const { return error_; }
  // True when a regular file below the folder has reached `bytes`: a write
  // past the file-size bound was refused (the program may have ignored
  // SIGXFSZ and gone on).
  bool holds_file_of(std::size_t bytes) const;

 private:
  std::string path_, error_;
};

// The command as it must be given once the run starts in another folder:
// argv[0] found in PATH or made absolute, and every other word that names an
// existing file by a relative path (such as the program after a wrapper's
// words) made absolute. Empty argv[0] when the command is not found.
std::vector<std::string> anchored_command(const std::vector<std::string>& argv);

// What the new process sets up between fork and exec.
struct ChildPlan {
  const char* path;  // absolute: PATH is not searched after the fork
  char* const* argv;
  char* const* envp;
  int in, out, err;  // become 0, 1 and 2
  const char* folder;
  std::size_t file_bytes;
};

// Starts the plan in a process group of its own; returns its id, or -1 with
// `error` set to the errno of the step that failed (exec included).
pid_t spawn_contained(const ChildPlan& plan, int& error);

// Resident memory of every process of a run: the program and its
// descendants, and the orphans it left to us (same group or run id).
std::size_t run_resident_bytes(pid_t program, const std::string& run_id);

// Looks at a running program now and then: the memory of its processes, and
// whether it stopped itself (SIGSTOP and the like).
class RunMonitor {
 public:
  using Clock = std::chrono::steady_clock;
  RunMonitor(std::size_t memory_bytes, Clock::time_point started);
  // Milliseconds until the next look (0 when due).
  long long wait_ms(Clock::time_point now) const;
  // Looks if due; true when the run must end: then memory_used or
  // stop_signal says why.
  bool look(pid_t program, const std::string& run_id, Clock::time_point now);
  std::size_t memory_used = 0;
  int stop_signal = 0;

 private:
  std::size_t limit_;
  Clock::time_point next_;
};

}  // namespace common
