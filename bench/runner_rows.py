"""The runner's two rows of the bench table: its peak memory over programs
that print without end, and its time per case on a trivial program.

Both use the runner's test fake (tests/runner/fake_program.c), which acts by
the name it runs under: `endless_stdout` prints forever, any other name
prints "ok" and exits 0.

Given another build of the runner (--before, e.g. one built from the commit
before a change), the time row compares the two on the same cases, run
alternately so that the load of a shared machine falls on both alike:

    python3 bench/runner_rows.py --conformance NEW --before OLD --runner-fake FAKE
"""
import argparse
import os
import statistics
import tempfile
import shutil
import subprocess
import time

MEMORY_GOAL_MIB = 64
# Time per trivial case with 2 jobs before the runner was made to judge broken
# builds safely: the figure the second row must keep.
PER_CASE_BEFORE_MS = 0.70


def make_cases(scratch, fake, program, count, expected):
    """A case folder of `count` cases of `program`, each expecting `expected`."""
    bin_dir = os.path.join(scratch, "bin")
    cases = os.path.join(scratch, "cases", program)
    os.makedirs(bin_dir, exist_ok=True)
    os.makedirs(cases, exist_ok=True)
    link = os.path.join(bin_dir, program)
    if not os.path.exists(link):
        os.symlink(fake, link)
    for k in range(count):
        base = os.path.join(cases, f"case{k:04d}")
        for ext, text in ((".out", expected), (".err", ""), (".status", "0\n")):
            with open(base + ext, "w") as f:
                f.write(text)
    return bin_dir


def run_runner(conformance, bin_dir, scratch, program, jobs):
    """Wall time of one runner run."""
    command = [conformance, "--bin-dir", bin_dir, "--cases", os.path.join(scratch, "cases"),
               "--filter", f"^{program}$", "--jobs", str(jobs), "--timeout", "10"]
    start = time.perf_counter()
    child = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    child.wait()
    return time.perf_counter() - start


def peak_kib(command):
    """The peak resident memory of `command` alone. A process started from this
    script counts this script's memory as its own until it executes (Linux
    keeps the larger figure), so GNU time, itself small, measures it."""
    if os.path.exists("/usr/bin/time"):
        out = subprocess.run(["/usr/bin/time", "-f", "%M", *command], stdout=subprocess.DEVNULL,
                             stderr=subprocess.PIPE, text=True).stderr
        return int(out.strip().splitlines()[-1])
    child = subprocess.Popen(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    return os.wait4(child.pid, 0)[2].ru_maxrss  # an upper bound


def per_case_ms(runners, bin_dir, scratch, count, rounds):
    """Best and median milliseconds per case of each runner, the runners taking
    turns round by round."""
    times = [[] for _ in runners]
    for _ in range(rounds):
        for k, runner in enumerate(runners):
            times[k].append(run_runner(runner, bin_dir, scratch, "ok", 2) / count * 1000)
    return [(min(t), statistics.median(t)) for t in times]


def rows(conformance, fake, scratch, rounds=3, before=None):
    scratch = os.path.join(scratch, "runner")
    shutil.rmtree(scratch, ignore_errors=True)
    bin_dir = make_cases(scratch, fake, "endless_stdout", 8, "ok\n")
    endless = [conformance, "--bin-dir", bin_dir, "--cases", os.path.join(scratch, "cases"),
               "--filter", "^endless_stdout$", "--jobs", "8", "--timeout", "10"]
    peak = max(peak_kib(endless) for _ in range(rounds))
    count = 400
    make_cases(scratch, fake, "ok", count, "ok\n")
    runners = [conformance] + ([before] if before else [])
    measured = per_case_ms(runners, bin_dir, scratch, count, rounds if not before else 3 * rounds)
    ours = measured[0][0]
    baseline, goal = PER_CASE_BEFORE_MS, "keep ~0.7 ms"
    if before:
        baseline, goal = measured[1][0], "within 10% of before"
        print(f"per case, best and median of {3 * rounds} alternate runs: this runner "
              f"{measured[0][0]:.3f} / {measured[0][1]:.3f} ms, before "
              f"{measured[1][0]:.3f} / {measured[1][1]:.3f} ms")
    shutil.rmtree(scratch, ignore_errors=True)
    return [
        ("runner peak memory, --jobs 8 over 8 programs printing forever",
         f"{MEMORY_GOAL_MIB} MiB", f"{peak / 1024:.1f} MiB", MEMORY_GOAL_MIB * 1024 / peak,
         f"ours < {MEMORY_GOAL_MIB} MiB"),
        (f"runner time per case, trivial program, 2 jobs ({count} cases)",
         f"{baseline:.2f} ms", f"{ours:.2f} ms", baseline / ours, goal),
    ]


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--conformance", required=True, help="the runner measured")
    parser.add_argument("--before", help="another build of the runner to compare with")
    parser.add_argument("--runner-fake", required=True, help="the runner tests' fake program")
    parser.add_argument("--rounds", type=int, default=3)
    args = parser.parse_args()
    with tempfile.TemporaryDirectory() as scratch:
        for name, baseline, ours, ratio, goal in rows(args.conformance, args.runner_fake, scratch,
                                                      args.rounds, args.before):
            print(f"{name}: {ours} (baseline {baseline}, {ratio:.2f}x; {goal})")


if __name__ == "__main__":
    main()
