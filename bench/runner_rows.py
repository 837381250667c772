"""The runner's two rows of the bench table: its peak memory over programs
that print without end, and its time per case on a trivial program.

Both use the runner's test fake (tests/runner/fake_program.c), which acts by
the name it runs under: `endless_stdout` prints forever, any other name
prints "ok" and exits 0.
"""
import os
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


def rows(conformance, fake, scratch, rounds=3):
    scratch = os.path.join(scratch, "runner")
    shutil.rmtree(scratch, ignore_errors=True)
    bin_dir = make_cases(scratch, fake, "endless_stdout", 8, "ok\n")
    endless = [conformance, "--bin-dir", bin_dir, "--cases", os.path.join(scratch, "cases"),
               "--filter", "^endless_stdout$", "--jobs", "8", "--timeout", "10"]
    peak = max(peak_kib(endless) for _ in range(rounds))
    count = 400
    make_cases(scratch, fake, "ok", count, "ok\n")
    best = min(run_runner(conformance, bin_dir, scratch, "ok", 2) for _ in range(rounds))
    per_case_ms = best / count * 1000
    shutil.rmtree(scratch, ignore_errors=True)
    return [
        ("runner peak memory, --jobs 8 over 8 programs printing forever",
         f"{MEMORY_GOAL_MIB} MiB", f"{peak / 1024:.1f} MiB", MEMORY_GOAL_MIB * 1024 / peak,
         f"ours < {MEMORY_GOAL_MIB} MiB"),
        (f"runner time per case, trivial program, 2 jobs ({count} cases)",
         f"{PER_CASE_BEFORE_MS:.2f} ms", f"{per_case_ms:.2f} ms", PER_CASE_BEFORE_MS / per_case_ms,
         "keep ~0.7 ms"),
    ]
