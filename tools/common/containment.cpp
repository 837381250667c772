#include "containment.hpp"

#include <dirent.h>
#include <fcntl.h>
#include <pthread.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <mutex>

#include "supervise.hpp"

namespace fs = std::filesystem;

namespace common {

namespace {

// Hands every folder below `dir` back to its owner: a case may have taken
// the rights off its own folders, and they must still go.
void open_up(const fs::path& dir, int depth) {
  std::error_code ec;
  fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ec);
  if (depth > 64) return;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
    if (it->is_directory(ec) && !it->is_symlink(ec)) open_up(it->path(), depth + 1);
}

// A small /proc file into `buffer` (NUL-terminated); false when it is gone.
bool read_small(const std::string& path, char* buffer, std::size_t size) {
  const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  std::size_t used = 0;
  for (ssize_t n; used + 1 < size && (n = read(fd, buffer + used, size - 1 - used)) > 0;)
    used += static_cast<std::size_t>(n);
  close(fd);
  buffer[used] = '\0';
  return true;
}

// The children of every thread of `pid`, appended to `out`.
void children_of(pid_t pid, std::vector<pid_t>& out) {
  const std::string tasks = "/proc/" + std::to_string(pid) + "/task";
  DIR* dir = opendir(tasks.c_str());
  if (dir == nullptr) return;
  char list[4096];
  while (const dirent* task = readdir(dir)) {
    if (task->d_name[0] == '.') continue;
    if (!read_small(tasks + "/" + task->d_name + "/children", list, sizeof list)) continue;
    char* p = list;
    for (char* end; *p != '\0'; p = end) {
      const long child = std::strtol(p, &end, 10);
      if (end == p) break;
      out.push_back(static_cast<pid_t>(child));
    }
  }
  closedir(dir);
}

std::size_t resident_bytes(pid_t pid) {
  static const long page = sysconf(_SC_PAGESIZE);
  char statm[256];
  if (!read_small("/proc/" + std::to_string(pid) + "/statm", statm, sizeof statm)) return 0;
  unsigned long size = 0, resident = 0;
  if (std::sscanf(statm, "%lu %lu", &size, &resident) != 2) return 0;
  return resident * static_cast<std::size_t>(page);
}

// Looked for in the directories of PATH, as execvp would, but before the
// fork: a relative entry must mean the runner's folder, not the case's.
std::string find_in_path(const std::string& name) {
  const char* path = std::getenv("PATH");
  const std::string dirs = path ? path : "/usr/bin:/bin";
  for (std::size_t at = 0; at <= dirs.size();) {
    std::size_t end = dirs.find(':', at);
    if (end == std::string::npos) end = dirs.size();
    const fs::path candidate = fs::path(end == at ? "." : dirs.substr(at, end - at)) / name;
    std::error_code ec;
    if (access(candidate.c_str(), X_OK) == 0 && !fs::is_directory(candidate, ec))
      return fs::absolute(candidate, ec).string();
    at = end + 1;
  }
  return "";
}

// Between vfork and exec only async-signal-safe calls that change nothing
// the runner shares: another thread may hold a lock (malloc's), and the
// memory is the runner's.
[[noreturn]] void become_run(const ChildPlan& p, const sigset_t& mask, int report) {
  struct sigaction dfl = {};
  dfl.sa_handler = SIG_DFL;
  // The runner's interrupt handlers would write to its own pipe.
  for (int s : {SIGINT, SIGTERM, SIGHUP}) sigaction(s, &dfl, nullptr);
  // Hard as well as soft: the program cannot raise either bound again.
  const rlimit no_core = {0, 0};
  const rlimit file = {p.file_bytes, p.file_bytes};
  const bool ready = setpgid(0, 0) == 0 && dup2(p.in, 0) == 0 && dup2(p.out, 1) == 1 &&
                     dup2(p.err, 2) == 2 && chdir(p.folder) == 0 &&
                     setrlimit(RLIMIT_CORE, &no_core) == 0 && setrlimit(RLIMIT_FSIZE, &file) == 0 &&
                     sigprocmask(SIG_SETMASK, &mask, nullptr) == 0;
  if (ready) execve(p.path, p.argv, p.envp);
  const int error = errno;
  [[maybe_unused]] const ssize_t n = write(report, &error, sizeof error);
  _exit(127);
}

// Empties `dir` of everything a run left there; false when it is no longer
// a folder of ours that is empty now.
bool empty_out(const fs::path& dir) {
  std::error_code ec;
  if (!fs::is_directory(fs::symlink_status(dir, ec))) return false;
  fs::permissions(dir, fs::perms::owner_all, fs::perm_options::replace, ec);
  std::vector<fs::path> entries;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec))
    entries.push_back(it->path());
  for (const auto& entry : entries) {
    std::error_code gone;
    if (fs::remove_all(entry, gone) != static_cast<std::uintmax_t>(-1) && !gone) continue;
    open_up(entry, 0);
    fs::remove_all(entry, gone);
  }
  return !ec && fs::is_empty(dir, ec) && !ec;
}

// Emptied folders of finished runs, handed to the next run. Removing a folder
// costs about 3 ms on ext4 mounted with discard (the freed block is trimmed),
// four times a trivial run; emptying one that was left empty costs a listing.
// The last of them go when the process ends.
class SpareFolders {
 public:
  ~SpareFolders() {
    for (const auto& dir : spare_) rmdir(dir.c_str());
  }
  std::string take() {
    std::lock_guard<std::mutex> hold(lock_);
    if (spare_.empty()) return "";
    std::string dir = std::move(spare_.back());
    spare_.pop_back();
    return dir;
  }
  void give(std::string dir) {
    std::lock_guard<std::mutex> hold(lock_);
    spare_.push_back(std::move(dir));
  }

 private:
  std::mutex lock_;
  std::vector<std::string> spare_;
};

SpareFolders spare_folders;

}  // namespace

std::string size_text(std::size_t bytes) {
  const std::size_t mib = bytes >> 20;
  if (mib >= 1024 && mib % 1024 == 0) return std::to_string(mib / 1024) + " GiB";
  return std::to_string(mib) + " MiB";
}

RunFolder::RunFolder() {
  path_ = spare_folders.take();
  if (!path_.empty()) return;
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/suite-run-XXXXXX";
  if (mkdtemp(pattern.data()) == nullptr)
    error_ = "cannot make a folder for the run in " + fs::path(pattern).parent_path().string() +
             ": " + std::strerror(errno);
  else
    path_ = pattern;
}

RunFolder::~RunFolder() {
  if (path_.empty()) return;
  if (empty_out(path_)) {
    spare_folders.give(std::move(path_));
    return;
  }
  // No longer a folder of ours (the run replaced it) or it would not empty.
  std::error_code ec;
  open_up(path_, 0);
  fs::remove_all(path_, ec);
}

bool RunFolder::holds_file_of(std::size_t bytes) const {
  std::error_code ec;
  if (path_.empty()) return false;
  for (fs::recursive_directory_iterator it(path_, ec), end; !ec && it != end; it.increment(ec))
    if (it->is_regular_file(ec) && it->file_size(ec) >= bytes && !ec) return true;
  return false;
}

std::vector<std::string> anchored_command(const std::vector<std::string>& argv) {
  std::vector<std::string> words = argv;
  if (words.empty()) return words;
  std::error_code ec;
  if (words[0].find('/') == std::string::npos)
    words[0] = find_in_path(words[0]);
  else
    words[0] = fs::absolute(words[0], ec).string();
  for (std::size_t i = 1; i < words.size(); i++) {
    const fs::path word = words[i];
    if (words[i].find('/') != std::string::npos && word.is_relative() && fs::exists(word, ec))
      words[i] = fs::absolute(word, ec).string();
  }
  return words;
}

pid_t spawn_contained(const ChildPlan& plan, int& error) {
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) {
    error = errno;
    return -1;
  }
  // Signals wait until the child has put the runner's handlers away.
  sigset_t all, old;
  sigfillset(&all);
  pthread_sigmask(SIG_SETMASK, &all, &old);
  // vfork, as posix_spawn does: the child borrows the runner's memory until
  // it executes, so starting it costs no copy of the runner's page tables.
  // It only makes system calls and never returns from here.
  const pid_t pid = vfork();
  if (pid == 0) become_run(plan, old, report[1]);
  error = pid < 0 ? errno : 0;
  pthread_sigmask(SIG_SETMASK, &old, nullptr);
  close(report[1]);
  // The report pipe closes at the exec; before that, a failed step writes
  // its errno.
  int child_error = 0;
  ssize_t n;
  while ((n = read(report[0], &child_error, sizeof child_error)) < 0 && errno == EINTR) {
  }
  close(report[0]);
  if (pid < 0 || n <= 0) return pid;
  error = child_error;
  while (waitpid(pid, nullptr, 0) < 0 && errno == EINTR) {
  }
  return -1;
}

std::size_t run_resident_bytes(pid_t program, const std::string& run_id) {
  std::vector<pid_t> pending = run_orphans(program, run_id);
  pending.push_back(program);
  std::size_t total = 0;
  // A fork storm could make this list long; bounded, the rest waits for the
  // next look.
  for (std::size_t i = 0; i < pending.size() && i < 4096; i++) {
    total += resident_bytes(pending[i]);
    children_of(pending[i], pending);
  }
  return total;
}

RunMonitor::RunMonitor(std::size_t memory_bytes, Clock::time_point started)
    : limit_(memory_bytes), next_(started + std::chrono::milliseconds(10)) {}

long long RunMonitor::wait_ms(Clock::time_point now) const {
  const auto ms = std::chrono::ceil<std::chrono::milliseconds>(next_ - now).count();
  return ms < 0 ? 0 : ms;
}

bool RunMonitor::look(pid_t program, const std::string& run_id, Clock::time_point now) {
  if (now < next_) return false;
  siginfo_t info = {};
  if (waitid(P_PID, static_cast<id_t>(program), &info, WSTOPPED | WNOHANG | WNOWAIT) == 0 &&
      info.si_pid == program && info.si_code == CLD_STOPPED) {
    stop_signal = info.si_status;
    return true;
  }
  const std::size_t used = run_resident_bytes(program, run_id);
  if (used > limit_) {
    memory_used = used;
    return true;
  }
  // Resident memory is sampled, not enforced by the kernel: an address-space
  // limit would fail every emulated run (qemu reserves gigabytes it never
  // touches), and control groups are often not delegated to CI machines or
  // containers. The next look comes before a program faulting pages in at
  // 8 GiB/s (faster than machines do) could cover half the room left, so
  // looks are rare far from the bound (a runner under an emulator pays for
  // each) and close together near it.
  const long long ms = static_cast<long long>((limit_ - used) / (std::size_t{16} << 20));
  next_ = now + std::chrono::milliseconds(std::clamp(ms, 2LL, 100LL));
  return false;
}

}  // namespace common
