#include "process.hpp"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/mman.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <string>
#include <utility>

#include "supervise.hpp"

extern char** environ;

namespace common {

namespace {

using Clock = std::chrono::steady_clock;

// After the program exits, a process it left may still hold its pipes; what
// the program wrote is already in them, so a short wait drains it.
constexpr auto drain_grace = std::chrono::milliseconds(200);

struct Fd {
  int fd = -1;
  Fd() = default;
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() { reset(); }
  void reset() {
    if (fd >= 0) close(fd);
    fd = -1;
  }
};

struct Child {
  pid_t pid = -1;
  std::string run_id;
  Fd out, err, exit_watch;  // exit_watch: a pidfd, readable once the process exits
};

// The environment of this process with `entries` (NAME=value) in place of
// its own values of those names.
std::vector<char*> child_environment(std::vector<std::string>& entries) {
  std::vector<char*> env;
  for (char** e = environ; *e != nullptr; e++) {
    bool replaced = false;
    for (const auto& entry : entries)
      replaced |= std::strncmp(*e, entry.c_str(), entry.find('=') + 1) == 0;
    if (!replaced) env.push_back(*e);
  }
  for (auto& entry : entries) env.push_back(entry.data());
  env.push_back(nullptr);
  return env;
}

// Starts argv in its folder and a process group of its own (a timeout or a
// leftover then ends everything a wrapper started) with input, stdout and
// stderr in place.
int spawn_child(const std::vector<std::string>& argv, int in_fd, int out_fd, int err_fd,
                const RunFolder& folder, const RunLimits& limits, Child& child) {
  std::vector<std::string> words = anchored_command(argv);
  if (words[0].empty()) return ENOENT;
  std::vector<char*> args;
  for (auto& a : words) args.push_back(a.data());
  args.push_back(nullptr);
  std::vector<std::string> entries = {std::string(run_id_variable) + "=" + child.run_id,
                                      "PWD=" + folder.path()};
  std::vector<char*> env = child_environment(entries);
  const ChildPlan plan = {args[0], args.data(),           env.data(),     in_fd, out_fd,
                          err_fd,  folder.path().c_str(), limits.max_file};
  int error = 0;
  child.pid = spawn_registered([&] { return spawn_contained(plan, error); });
  return error;
}

bool start(const std::vector<std::string>& argv, const Fd& in, const RunFolder& folder,
           const RunLimits& limits, Child& child, RunResult& result) {
  if (!folder.error().empty()) {
    result.spawn_error = folder.error();
    return false;
  }
  int out[2], err[2];
  if (pipe2(out, O_CLOEXEC) != 0) {
    result.spawn_error = std::string("pipe: ") + std::strerror(errno);
    return false;
  }
  child.out.fd = out[0];
  Fd out_write;
  out_write.fd = out[1];
  if (pipe2(err, O_CLOEXEC) != 0) {
    result.spawn_error = std::string("pipe: ") + std::strerror(errno);
    return false;
  }
  child.err.fd = err[0];
  Fd err_write;
  err_write.fd = err[1];
  child.run_id = new_run_id();
  if (const int rc = spawn_child(argv, in.fd, out[1], err[1], folder, limits, child); rc != 0) {
    result.spawn_error = "cannot run " + argv[0] + ": " + std::strerror(rc);
    return false;
  }
  child.exit_watch.fd = static_cast<int>(syscall(SYS_pidfd_open, child.pid, 0));
  return true;
}

bool has_exited(pid_t pid) {
  siginfo_t info = {};
  return waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
         info.si_pid == pid;
}

// Reads what the program writes until it exits and its pipes close, its
// time is up, a stream passes its bound, or an interrupt arrives.
class Watch {
 public:
  Watch(Child& child, const RunLimits& limits, RunResult& result, Clock::time_point started)
      : child_(child), limits_(limits), result_(result), monitor_(limits.max_memory, started) {
    deadline_ = started + std::chrono::duration_cast<Clock::duration>(
                              std::chrono::duration<double>(limits.timeout_seconds));
  }

  void run() {
    while (!done()) {
      const int wait_ms = next_wait_ms();
      if (wait_ms < 0) {
        result_.timed_out = true;
        return;
      }
      pollfd fds[4] = {{child_.out.fd, POLLIN, 0},
                       {child_.err.fd, POLLIN, 0},
                       {exited_ ? -1 : child_.exit_watch.fd, POLLIN, 0},
                       {interrupt_fd(), POLLIN, 0}};
      if (poll(fds, 4, wait_ms) < 0) {
        if (errno == EINTR) continue;  // an interrupt shows on its descriptor next time
        return;
      }
      if (fds[3].revents != 0) {
        result_.interrupted = true;
        return;
      }
      for (int i = 0; i < 2; i++)
        if (fds[i].revents != 0 && !drain(i)) return;
      note_exit();
      if (!exited_ && monitor_.look(child_.pid, child_.run_id, Clock::now())) {
        result_.memory_used = monitor_.memory_used;
        result_.stop_signal = monitor_.stop_signal;
        return;
      }
    }
  }

  bool exited() const { return exited_; }

 private:
  bool done() const {
    const bool pipes_closed = child_.out.fd < 0 && child_.err.fd < 0;
    return exited_ && (pipes_closed || Clock::now() >= exit_time_ + drain_grace);
  }

  // Milliseconds poll may sleep; -1 once the deadline has passed. Without a
  // pidfd (older kernels) the exit is noticed by looking every 5 ms.
  int next_wait_ms() {
    const auto now = Clock::now();
    if (!exited_ && now >= deadline_) return -1;
    auto until = exited_ ? exit_time_ + drain_grace : deadline_;
    auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(until - now).count() + 1;
    if (child_.exit_watch.fd < 0 && !exited_) ms = std::min<long long>(ms, 5);
    if (!exited_) ms = std::min<long long>(ms, monitor_.wait_ms(now));
    return static_cast<int>(std::max<long long>(ms, 0));
  }

  void note_exit() {
    if (exited_ || !has_exited(child_.pid)) return;
    exited_ = true;
    exit_time_ = Clock::now();
  }

  // One read from stream i; false when it passed its bound.
  bool drain(int i) {
    Fd& fd = i == 0 ? child_.out : child_.err;
    std::string& sink = i == 0 ? result_.out : result_.err;
    const std::size_t bound = i == 0 ? limits_.max_out : limits_.max_err;
    const ssize_t n = read(fd.fd, buffer_, sizeof buffer_);
    if (n < 0 && errno == EINTR) return true;
    if (n <= 0) {
      fd.reset();
      return true;
    }
    total_[i] += static_cast<std::size_t>(n);
    sink.append(buffer_,
                std::min(static_cast<std::size_t>(n), bound - std::min(bound, sink.size())));
    if (total_[i] <= bound || !limits_.stop_at_bound) return true;
    result_.overflow = i + 1;
    result_.overflow_bytes = total_[i];
    return false;
  }

  Child& child_;
  const RunLimits& limits_;
  RunResult& result_;
  Clock::time_point deadline_, exit_time_;
  bool exited_ = false;
  std::size_t total_[2] = {0, 0};
  RunMonitor monitor_;
  char buffer_[65536];
};

// Ends what is left of the run and takes the program's own status.
void finish(Child& child, bool exited, RunResult& result) {
  siginfo_t info = {};
  if (!exited) {
    kill(-child.pid, SIGKILL);
    // Waited for without reaping: until reaped, its id (the group's) cannot
    // be taken by a new process, so the group kills below hit only the run.
    waitid(P_PID, static_cast<id_t>(child.pid), &info, WEXITED | WNOWAIT);
  }
  const bool left = end_leftovers(child.pid, child.run_id);
  int wstatus = 0;
  struct rusage usage = {};
  while (wait4(child.pid, &wstatus, 0, &usage) < 0 && errno == EINTR) {
  }
  unregister(child.pid);
  result.cpu_seconds = static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) +
                       static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
  result.user_seconds = static_cast<double>(usage.ru_utime.tv_sec) +
                        static_cast<double>(usage.ru_utime.tv_usec) / 1e6;
  result.max_rss_bytes = static_cast<long long>(usage.ru_maxrss) * 1024;  // kilobytes on Linux
  if (!exited) return;
  result.left_running = left;
  if (WIFEXITED(wstatus))
    result.status = WEXITSTATUS(wstatus);
  else if (WIFSIGNALED(wstatus))
    result.signal = WTERMSIG(wstatus);
}

RunResult run_from(const std::vector<std::string>& argv, const Fd& in, const RunLimits& limits,
                   RunResult result) {
  const auto started = Clock::now();
  const RunFolder folder;
  Child child;
  if (result.spawn_error.empty() && start(argv, in, folder, limits, child, result)) {
    Watch watch(child, limits, result, started);
    watch.run();
    finish(child, watch.exited(), result);
    result.file_too_big = result.signal == SIGXFSZ || folder.holds_file_of(limits.max_file);
  }
  result.seconds = std::chrono::duration<double>(Clock::now() - started).count();
  return result;
}

// An anonymous file in memory holding `bytes`, read from its start: input
// that needs no scratch file on disk, and none left behind.
void memory_file(const std::string& bytes, Fd& in, RunResult& result) {
  in.fd = memfd_create("input", MFD_CLOEXEC);
  std::size_t done = 0;
  while (in.fd >= 0 && done < bytes.size()) {
    const ssize_t n = write(in.fd, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    done += static_cast<std::size_t>(n);
  }
  if (in.fd < 0 || done < bytes.size() || lseek(in.fd, 0, SEEK_SET) != 0)
    result.spawn_error = std::string("cannot hold the input: ") + std::strerror(errno);
}

}  // namespace

RunResult run_process(const std::vector<std::string>& argv, const std::string& input_path,
                      const RunLimits& limits) {
  RunResult result;
  const char* stdin_path = input_path.empty() ? "/dev/null" : input_path.c_str();
  Fd in;
  in.fd = open(stdin_path, O_RDONLY | O_CLOEXEC);
  if (in.fd < 0)
    result.spawn_error = std::string("cannot open ") + stdin_path + ": " + std::strerror(errno);
  return run_from(argv, in, limits, std::move(result));
}

RunResult run_with_input(const std::vector<std::string>& argv, const std::string& input,
                         const RunLimits& limits) {
  RunResult result;
  Fd in;
  memory_file(input, in, result);
  return run_from(argv, in, limits, std::move(result));
}

std::string bound_verdict(const RunResult& r, const RunLimits& limits) {
  if (r.memory_used != 0) return "used more than " + size_text(limits.max_memory) + ": stopped";
  if (r.stop_signal != 0)
    return "stopped itself with signal " + std::to_string(r.stop_signal) + " (" +
           strsignal(r.stop_signal) + "): ended";
  if (r.file_too_big) return "wrote a file past the " + size_text(limits.max_file) + " limit";
  return "";
}

}  // namespace common
