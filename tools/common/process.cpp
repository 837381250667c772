#include "process.hpp"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/mman.h>
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

// The environment of this process plus the run id of the child.
std::vector<char*> child_environment(std::string& entry) {
  std::vector<char*> env;
  for (char** e = environ; *e != nullptr; e++)
    if (std::strncmp(*e, run_id_variable, std::strlen(run_id_variable)) != 0) env.push_back(*e);
  env.push_back(entry.data());
  env.push_back(nullptr);
  return env;
}

// Starts argv in a process group of its own (a timeout or a leftover then
// ends everything a wrapper started) with input, stdout and stderr in place.
int spawn_child(const std::vector<std::string>& argv, int in_fd, int out_fd, int err_fd,
                Child& child) {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in_fd, 0);
  posix_spawn_file_actions_adddup2(&actions, out_fd, 1);
  posix_spawn_file_actions_adddup2(&actions, err_fd, 2);
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attr, 0);
  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  std::string entry = std::string(run_id_variable) + "=" + child.run_id;
  std::vector<char*> env = child_environment(entry);
  int rc = 0;
  child.pid = spawn_registered([&] {
    pid_t pid = -1;
    rc = posix_spawnp(&pid, args[0], &actions, &attr, args.data(), env.data());
    return rc == 0 ? pid : -1;
  });
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attr);
  return rc;
}

bool start(const std::vector<std::string>& argv, const Fd& in, Child& child, RunResult& result) {
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
  if (const int rc = spawn_child(argv, in.fd, out[1], err[1], child); rc != 0) {
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
      : child_(child), limits_(limits), result_(result) {
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
  while (waitpid(child.pid, &wstatus, 0) < 0 && errno == EINTR) {
  }
  unregister(child.pid);
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
  Child child;
  if (result.spawn_error.empty() && start(argv, in, child, result)) {
    Watch watch(child, limits, result, started);
    watch.run();
    finish(child, watch.exited(), result);
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

}  // namespace common
