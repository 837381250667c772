#!/usr/bin/env python3
"""Measures the suite's speed goals side by side and prints one table.

Columns: what is measured, the baseline, ours, the ratio baseline/ours (how
many times faster), and the goal. Every row is measured in the same run, so a
noisy machine slows both sides alike; the goals are ratios for that reason,
except the two wall-clock limits (golden-case run, clean build).

Run through the build:  cmake --build <build> --target bench
Arguments this script does not know are passed on to the golden-case runner.
"""
import argparse
import json
import os
import shutil
import statistics
import subprocess
import sys
import tempfile
import time

import runner_rows

RUNTIME_GOAL = 4.0


def run_runtime_bench(path, min_time):
    """Google Benchmark pairs NAME/stdio and NAME/runtime: median CPU time per call."""
    out = subprocess.run(
        [path, "--benchmark_format=json", "--benchmark_repetitions=3",
         "--benchmark_report_aggregates_only=true", f"--benchmark_min_time={min_time}"],
        check=True, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True).stdout
    medians = {}
    for b in json.loads(out)["benchmarks"]:
        if b.get("aggregate_name") == "median":
            assert b["time_unit"] == "ns"
            medians[b["run_name"]] = b["cpu_time"]
    rows = []
    for name in medians:
        routine, _, side = name.rpartition("/")
        if side == "stdio" and routine + "/runtime" in medians:
            base, ours = medians[name], medians[routine + "/runtime"]
            rows.append((routine + " per call", f"{base:.1f} ns", f"{ours:.1f} ns", base / ours,
                         f">= {RUNTIME_GOAL:g}x"))
    return rows


def time_process(exe, input_path):
    """Wall time of one run, and its stdout."""
    stdin = open(input_path, "rb") if input_path else subprocess.DEVNULL
    try:
        # stdout goes to a file, read back once the clock has stopped: through a
        # pipe, the time would include this script reading it (about 17 ms for
        # the 3.7 MB of the rotated image).
        with tempfile.TemporaryFile() as out:
            start = time.perf_counter()
            subprocess.run([exe], stdin=stdin, stdout=out, stderr=subprocess.DEVNULL)
            elapsed = time.perf_counter() - start
            out.seek(0)
            return elapsed, out.read()
    finally:
        if input_path:
            stdin.close()


def program_rows(manifest, rounds):
    rows = []
    with open(manifest) as f:
        entries = [line.rstrip("\n").split("\t") for line in f if line.strip()]
    for name, baseline, ours, input_path in entries:
        # Short programs are run repeatedly so that one sample lasts ~0.1 s.
        once, _ = time_process(ours, input_path)
        repeat = max(1, min(200, int(0.1 / max(once, 1e-4))))
        samples = {baseline: [], ours: []}
        outputs = {}
        for _ in range(rounds):
            for exe in (baseline, ours):  # alternate, so drift hits both
                total = 0.0
                for _ in range(repeat):
                    elapsed, outputs[exe] = time_process(exe, input_path)
                    total += elapsed
                samples[exe].append(total / repeat)
        if outputs[baseline] != outputs[ours]:
            sys.exit(f"bench: {name}: the output differs from the baseline's")
        base, mine = min(samples[baseline]), min(samples[ours])
        rows.append((name + " (whole process)", fmt_seconds(base), fmt_seconds(mine), base / mine,
                     "same output"))
    return rows


def fmt_seconds(s):
    return f"{s * 1000:.2f} ms" if s < 1 else f"{s:.2f} s"


def best_wall(command, rounds, **kwargs):
    best = None
    for _ in range(rounds):
        start = time.perf_counter()
        result = subprocess.run(command, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                **kwargs)
        elapsed = time.perf_counter() - start
        if result.returncode != 0:
            sys.exit(f"bench: failed: {' '.join(command)}")
        best = elapsed if best is None else min(best, elapsed)
    return best


def golden_row(conformance, runner_args, rounds):
    jobs = os.cpu_count() or 1
    base = best_wall([conformance, *runner_args, "--jobs", "1"], rounds)
    ours = best_wall([conformance, *runner_args, "--jobs", str(jobs)], rounds)
    return ("all golden cases, one at a time vs " + f"{jobs} at once",
            fmt_seconds(base), fmt_seconds(ours), base / ours, "ours < 1 s")


def generated_row(conformance, runner_args, inputs=200):
    """The build compared against itself on generated valid inputs: every
    input runs twice, so 27 programs x 200 inputs are 10,800 processes."""
    bin_dir = runner_args[runner_args.index("--bin-dir") + 1]
    jobs = os.cpu_count() or 1
    limit = 60.0
    elapsed = best_wall([conformance, *runner_args, "--generate", str(inputs), "--against", bin_dir,
                         "--jobs", str(jobs)], 1)
    return (f"build against itself on {inputs} generated inputs per program, {jobs} at once",
            fmt_seconds(limit), fmt_seconds(elapsed), limit / elapsed, "ours < 60 s")


def build_rows(source_dir, scratch):
    """Configure and build the release configuration in an empty folder: the
    suite itself (runtime, runner, programs), then everything with the unit
    tests. The limit stands in the baseline column."""
    rows = []
    limit = 30.0
    for what, options, goal in (
            ("clean release build: runtime + runner + 130 programs", ["-DSUITE_BUILD_TESTS=OFF"],
             "ours < 30 s"),
            ("clean release build with the unit tests", [], "(no goal)")):
        folder = os.path.join(scratch, "clean-build")
        shutil.rmtree(folder, ignore_errors=True)
        start = time.perf_counter()
        subprocess.run(["cmake", "-S", source_dir, "-B", folder, "-G", "Ninja",
                        "-DCMAKE_BUILD_TYPE=Release", *options], check=True,
                       stdout=subprocess.DEVNULL)
        subprocess.run(["cmake", "--build", folder], check=True, stdout=subprocess.DEVNULL)
        elapsed = time.perf_counter() - start
        shutil.rmtree(folder, ignore_errors=True)
        rows.append((what, fmt_seconds(limit), fmt_seconds(elapsed), limit / elapsed, goal))
    return rows


def print_table(rows):
    header = ("what", "baseline", "ours", "ratio", "goal")
    cells = [header] + [(w, b, o, f"{r:.2f}x", g) for w, b, o, r, g in rows]
    widths = [max(len(row[i]) for row in cells) for i in range(len(header))]
    for k, row in enumerate(cells):
        print("| " + " | ".join(c.ljust(widths[i]) if i == 0 or i == 4 else c.rjust(widths[i])
                                for i, c in enumerate(row)) + " |")
        if k == 0:
            print("|" + "|".join("-" * (w + 2) for w in widths) + "|")


def main():
    parser = argparse.ArgumentParser(description=__doc__,
                                     formatter_class=argparse.RawDescriptionHelpFormatter)
    parser.add_argument("--programs", required=True, help="program rows (programs.tsv)")
    parser.add_argument("--runtime-bench", required=True, help="the runtime_bench executable")
    parser.add_argument("--conformance", required=True, help="the golden-case runner")
    parser.add_argument("--runner-fake", help="the runner tests' fake program (runner rows)")
    parser.add_argument("--runner-before", help="an earlier build of the runner to time against")
    parser.add_argument("--source-dir", required=True)
    parser.add_argument("--scratch", required=True, help="folder for the clean build")
    parser.add_argument("--rounds", type=int, default=5, help="samples per program row")
    parser.add_argument("--min-time", default="0.3", help="seconds per Google Benchmark run")
    parser.add_argument("--skip-build", action="store_true", help="leave out the clean build")
    args, runner_args = parser.parse_known_args()

    rows = run_runtime_bench(args.runtime_bench, args.min_time)
    rows += program_rows(args.programs, args.rounds)
    rows.append(golden_row(args.conformance, runner_args, 3))
    if args.runner_fake:
        rows += runner_rows.rows(args.conformance, args.runner_fake, args.scratch,
                                 before=args.runner_before)
    rows.append(generated_row(args.conformance, runner_args))
    if not args.skip_build:
        rows += build_rows(args.source_dir, args.scratch)
    load = os.getloadavg()[0]
    print_table(rows)
    print(f"\n{os.cpu_count()} processors, load average {load:.1f} at the end of the run "
          "(ratios are taken within one run; absolute times depend on the load)")


if __name__ == "__main__":
    main()
