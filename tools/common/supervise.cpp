#include "supervise.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <signal.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <mutex>
#include <set>
#include <utility>
#include <vector>

namespace common {

namespace {

std::atomic<int> caught_signal{0};
int interrupt_pipe[2] = {-1, -1};
std::atomic<unsigned long> run_serial{0};
std::mutex registry_lock;
std::set<pid_t> registered;
// Leftovers one thread has killed and is about to reap: no other thread reaps
// them, or the id could be reused before that thread's wait.
std::set<pid_t> claimed;

// Async-signal-safe: an atomic store and a write to a non-blocking pipe that
// nobody drains, so every poll on its read end wakes up from now on.
void on_interrupt(int signal) {
  int none = 0;
  caught_signal.compare_exchange_strong(none, signal);
  const char byte = 1;
  [[maybe_unused]] const ssize_t written = write(interrupt_pipe[1], &byte, 1);
}

// The whole contents of a small /proc file (at most `limit` bytes).
std::string read_proc(const std::string& path, std::size_t limit) {
  std::string text;
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return text;
  char buffer[4096];
  for (ssize_t n; text.size() < limit && (n = read(fd, buffer, sizeof buffer)) > 0;)
    text.append(buffer, static_cast<std::size_t>(n));
  close(fd);
  return text;
}

// Children of this process: each thread has its own list, as an orphan is
// handed to one of the threads. (A kernel built without these lists shows
// none: leftovers in the case's process group still die with the group, and
// the others at the end of the run.)
std::vector<pid_t> our_children() {
  std::vector<pid_t> children;
  DIR* tasks = opendir("/proc/self/task");
  if (tasks == nullptr) return children;
  while (const dirent* task = readdir(tasks)) {
    if (task->d_name[0] == '.') continue;
    const std::string list =
        read_proc(std::string("/proc/self/task/") + task->d_name + "/children", 1 << 20);
    const char* p = list.c_str();
    for (char* end; *p != '\0'; p = end) {
      const long pid = std::strtol(p, &end, 10);
      if (end == p) break;
      children.push_back(static_cast<pid_t>(pid));
    }
  }
  closedir(tasks);
  return children;
}

struct ProcInfo {
  bool found = false;
  char state = '?';
  pid_t group = 0;
};

// State and process group from /proc/PID/stat; the name field may hold
// spaces and parentheses, so the fields are read after its last ')'.
ProcInfo proc_info(pid_t pid) {
  ProcInfo info;
  const std::string stat = read_proc("/proc/" + std::to_string(pid) + "/stat", 4096);
  const std::size_t close_paren = stat.rfind(')');
  if (close_paren == std::string::npos) return info;
  int parent = 0, group = 0;
  char state = '?';
  if (std::sscanf(stat.c_str() + close_paren + 1, " %c %d %d", &state, &parent, &group) != 3)
    return info;
  info = {true, state, static_cast<pid_t>(group)};
  return info;
}

bool carries_run_id(pid_t pid, const std::string& run_id) {
  const std::string environ = read_proc("/proc/" + std::to_string(pid) + "/environ", 1 << 20);
  const std::string entry = std::string(run_id_variable) + "=" + run_id;
  for (std::size_t at = 0; at < environ.size(); at = environ.find('\0', at) + 1) {
    if (environ.compare(at, entry.size() + 1, entry.c_str(), entry.size() + 1) == 0) return true;
    if (environ.find('\0', at) == std::string::npos) break;
  }
  return false;
}

// Whether a child of ours belongs to the run (any run when run_id is empty).
bool of_run(pid_t child, const ProcInfo& info, pid_t group, const std::string& run_id) {
  return info.group == group || run_id.empty() || carries_run_id(child, run_id);
}

// Our children that are no case's own process and that no thread is about
// to reap, with their state. The caller holds registry_lock.
std::vector<std::pair<pid_t, ProcInfo>> unclaimed_children() {
  std::vector<std::pair<pid_t, ProcInfo>> found;
  for (pid_t child : our_children()) {
    if (registered.count(child) || claimed.count(child)) continue;
    const ProcInfo info = proc_info(child);
    if (info.found) found.emplace_back(child, info);
  }
  return found;
}

// One pass over our children: kills those of the run (returned) and reaps
// zombies nobody else waits for.
std::vector<pid_t> kill_run_children(pid_t group, const std::string& run_id) {
  std::vector<pid_t> killed;
  std::lock_guard<std::mutex> hold(registry_lock);
  for (const auto& [child, info] : unclaimed_children()) {
    if (info.state == 'Z') {
      waitpid(child, nullptr, WNOHANG);
    } else if (of_run(child, info, group, run_id)) {
      kill(child, SIGKILL);
      claimed.insert(child);
      killed.push_back(child);
    }
  }
  return killed;
}

void reap_claimed(const std::vector<pid_t>& killed) {
  for (pid_t pid : killed) waitpid(pid, nullptr, 0);
  std::lock_guard<std::mutex> hold(registry_lock);
  for (pid_t pid : killed) claimed.erase(pid);
}

}  // namespace

void supervise() {
  prctl(PR_SET_CHILD_SUBREAPER, 1);
  if (pipe2(interrupt_pipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
  struct sigaction action = {};
  action.sa_handler = on_interrupt;
  action.sa_flags = SA_RESTART;
  sigemptyset(&action.sa_mask);
  for (int signal : {SIGINT, SIGTERM, SIGHUP}) sigaction(signal, &action, nullptr);
}

int interrupt_signal() {
  return caught_signal.load();
}

int interrupt_fd() {
  return interrupt_pipe[0];
}

std::string new_run_id() {
  return std::to_string(getpid()) + "." + std::to_string(run_serial++);
}

pid_t spawn_registered(const std::function<pid_t()>& spawn) {
  std::lock_guard<std::mutex> hold(registry_lock);
  const pid_t pid = spawn();
  if (pid > 0) registered.insert(pid);
  return pid;
}

void unregister(pid_t pid) {
  std::lock_guard<std::mutex> hold(registry_lock);
  registered.erase(pid);
}

bool end_leftovers(pid_t group, const std::string& run_id) {
  bool alive = false;
  // Each pass kills what has come to us; their children come to us as they
  // die, so repeat until a pass finds nothing (bounded, against a fork storm).
  // The children are looked at before the group is killed: one killed first
  // could already be a zombie when looked at, and pass for one that had ended.
  for (int pass = 0; pass < 1000; pass++) {
    const std::vector<pid_t> killed = kill_run_children(group, run_id);
    kill(-group, SIGKILL);
    if (killed.empty()) break;
    alive = true;
    reap_claimed(killed);
  }
  return alive;
}

std::vector<pid_t> run_orphans(pid_t group, const std::string& run_id) {
  std::vector<pid_t> found;
  std::lock_guard<std::mutex> hold(registry_lock);
  for (const auto& [child, info] : unclaimed_children())
    if (info.state != 'Z' && of_run(child, info, group, run_id)) found.push_back(child);
  return found;
}

void end_all_strays() {
  for (int pass = 0; pass < 1000; pass++) {
    const std::vector<pid_t> killed = kill_run_children(0, "");
    if (killed.empty()) break;
    reap_claimed(killed);
  }
}

const char* signal_name(int signal) {
  switch (signal) {
    case SIGINT:
      return "SIGINT";
    case SIGTERM:
      return "SIGTERM";
    case SIGHUP:
      return "SIGHUP";
  }
  return "a signal";
}

}  // namespace common
