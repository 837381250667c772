// Keeping every process a run starts under control. This process becomes the
// reaper of the orphans its runs leave (Linux child subreaper), so that a
// descendant that outlives its program, even one in a session of its own,
// stays findable as a child of ours and can be ended with its case.
#pragma once

#include <sys/types.h>

#include <functional>
#include <string>
#include <vector>

namespace common {

// Call once, before any thread starts: makes this process a child subreaper
// and catches SIGINT, SIGTERM and SIGHUP (they stop the run; see below).
void supervise();

// The interrupt that arrived (SIGINT, SIGTERM or SIGHUP), or 0.
int interrupt_signal();

// "SIGINT", "SIGTERM", "SIGHUP" (the interrupts), else "a signal".
const char* signal_name(int signal);

// A descriptor that turns readable, for good, once an interrupt arrived; -1
// before supervise(). Runs poll it so that they end at once.
int interrupt_fd();

// The environment variable that marks every process of one run; it survives
// setsid and lets a leftover be told apart from another case's.
inline constexpr const char* run_id_variable = "SUITE_RUN_ID";

// A new value for run_id_variable, unique within this process.
std::string new_run_id();

// Calls `spawn` (which starts a process and returns its id, or -1) holding the
// registry lock and records the process as a case's own. Without the lock
// another thread looking for leftovers could reap it as an orphan.
pid_t spawn_registered(const std::function<pid_t()>& spawn);

// Forgets a case's process once it has been reaped.
void unregister(pid_t pid);

// Ends every process left by a run whose own process has exited: members of
// its process group and children of ours carrying its run id, with their own
// descendants as they come to us. Zombies of unknown origin are reaped on the
// way. Returns true when one of them was still alive.
bool end_leftovers(pid_t group, const std::string& run_id);

// Children of ours that a run's processes left behind (in its process group
// or carrying its run id) and that are still alive: its orphans.
std::vector<pid_t> run_orphans(pid_t group, const std::string& run_id);

// Ends every child of ours that is not a registered case process: the last
// step of a run, interrupted or not, so that nothing it started outlives it.
void end_all_strays();

}  // namespace common
