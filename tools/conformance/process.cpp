#include "process.hpp"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <cstring>

extern char** environ;

namespace conformance {

namespace {

// Output beyond this is a runaway program; keep reading so it cannot block,
// but stop storing.
constexpr std::size_t capture_limit = 256u << 20;

struct Pipe {
  int fds[2] = {-1, -1};
  bool open() { return pipe2(fds, O_CLOEXEC) == 0; }
  void close_both() {
    for (int& fd : fds)
      if (fd >= 0) {
        close(fd);
        fd = -1;
      }
  }
};

}  // namespace

RunResult run_process(const std::vector<std::string>& argv, const std::string& input_path,
                      double timeout_seconds) {
  RunResult result;
  const auto started = std::chrono::steady_clock::now();

  const char* stdin_path = input_path.empty() ? "/dev/null" : input_path.c_str();
  int in_fd = open(stdin_path, O_RDONLY | O_CLOEXEC);
  if (in_fd < 0) {
    result.spawn_error = std::string("cannot open ") + stdin_path + ": " + std::strerror(errno);
    return result;
  }
  Pipe out_pipe, err_pipe;
  if (!out_pipe.open() || !err_pipe.open()) {
    result.spawn_error = std::string("pipe: ") + std::strerror(errno);
    close(in_fd);
    out_pipe.close_both();
    err_pipe.close_both();
    return result;
  }

  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_adddup2(&actions, in_fd, 0);
  posix_spawn_file_actions_adddup2(&actions, out_pipe.fds[1], 1);
  posix_spawn_file_actions_adddup2(&actions, err_pipe.fds[1], 2);
  posix_spawnattr_t attr;
  posix_spawnattr_init(&attr);
  // A process group of its own, so a timeout also ends whatever a wrapper started.
  posix_spawnattr_setflags(&attr, POSIX_SPAWN_SETPGROUP);
  posix_spawnattr_setpgroup(&attr, 0);

  std::vector<char*> args;
  for (const auto& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);

  pid_t pid = -1;
  int rc = posix_spawnp(&pid, args[0], &actions, &attr, args.data(), environ);
  posix_spawn_file_actions_destroy(&actions);
  posix_spawnattr_destroy(&attr);
  close(in_fd);
  close(out_pipe.fds[1]);
  out_pipe.fds[1] = -1;
  close(err_pipe.fds[1]);
  err_pipe.fds[1] = -1;
  if (rc != 0) {
    result.spawn_error = "cannot run " + argv[0] + ": " + std::strerror(rc);
    out_pipe.close_both();
    err_pipe.close_both();
    return result;
  }

  const auto deadline = started + std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                                      std::chrono::duration<double>(timeout_seconds));
  pollfd fds[2] = {{out_pipe.fds[0], POLLIN, 0}, {err_pipe.fds[0], POLLIN, 0}};
  std::string* sinks[2] = {&result.out, &result.err};
  int open_streams = 2;
  char buffer[65536];
  while (open_streams > 0) {
    auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                    deadline - std::chrono::steady_clock::now())
                    .count();
    if (left <= 0) {
      result.timed_out = true;
      kill(-pid, SIGKILL);
      break;
    }
    int ready = poll(fds, 2, static_cast<int>(left));
    if (ready < 0) {
      if (errno == EINTR) continue;
      break;
    }
    for (int i = 0; i < 2; i++) {
      if (fds[i].fd < 0 || fds[i].revents == 0) continue;
      ssize_t n = read(fds[i].fd, buffer, sizeof buffer);
      if (n > 0) {
        if (sinks[i]->size() < capture_limit) sinks[i]->append(buffer, static_cast<std::size_t>(n));
      } else if (n == 0 || errno != EINTR) {
        fds[i].fd = -1;
        open_streams--;
      }
    }
  }
  out_pipe.close_both();
  err_pipe.close_both();

  // The streams can close before the process ends; the deadline still holds.
  int wstatus = 0;
  while (true) {
    pid_t done = waitpid(pid, &wstatus, result.timed_out ? 0 : WNOHANG);
    if (done == pid) break;
    if (done < 0 && errno != EINTR) break;
    if (std::chrono::steady_clock::now() >= deadline) {
      result.timed_out = true;
      kill(-pid, SIGKILL);
      continue;
    }
    usleep(1000);
  }
  if (!result.timed_out) {
    if (WIFEXITED(wstatus))
      result.status = WEXITSTATUS(wstatus);
    else if (WIFSIGNALED(wstatus))
      result.signal = WTERMSIG(wstatus);
  }
  result.seconds =
      std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
  return result;
}

}  // namespace conformance
