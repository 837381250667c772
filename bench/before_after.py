#!/usr/bin/env python3
"""The renderer and the rotation, two builds of each side by side.

Runs distance_field_render and image_rotate (on the benchmark's 1024 x 1024
image) from two program folders in turn, ROUNDS times each, alternating which
goes first, and prints the processor time (user + system, which a loaded
machine disturbs less than the wall clock) and the wall time of each, min and
median. Both builds must print the same bytes.

  python3 bench/before_after.py --before OLD/bin --after build/release/bin \\
      --rotate-input build/release/bench/rotate_1024.in
"""
import argparse
import os
import resource
import statistics
import subprocess
import sys
import time


def run(path, stdin_path):
    stdin = open(stdin_path, "rb") if stdin_path else subprocess.DEVNULL
    before = resource.getrusage(resource.RUSAGE_CHILDREN)
    start = time.perf_counter()
    done = subprocess.run([path], stdin=stdin, stdout=subprocess.PIPE, stderr=subprocess.DEVNULL)
    wall = time.perf_counter() - start
    after = resource.getrusage(resource.RUSAGE_CHILDREN)
    cpu = after.ru_utime - before.ru_utime + after.ru_stime - before.ru_stime
    return cpu, wall, done.stdout


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--before", required=True)
    parser.add_argument("--after", required=True)
    parser.add_argument("--rotate-input", required=True)
    parser.add_argument("--rounds", type=int, default=15)
    args = parser.parse_args()
    same = True
    print("| program | build | processor min | median | wall min | median |")
    print("|---|---|---:|---:|---:|---:|")
    for name, stdin in (("distance_field_render", None), ("image_rotate", args.rotate_input)):
        times = {"before": [], "after": []}
        outputs = {}
        for r in range(args.rounds):
            order = ("before", "after") if r % 2 == 0 else ("after", "before")
            for side in order:
                cpu, wall, out = run(os.path.join(getattr(args, side), name), stdin)
                times[side].append((cpu * 1000, wall * 1000))
                outputs.setdefault(side, out)
        same = same and outputs["before"] == outputs["after"]
        for side in ("before", "after"):
            cpu = [t[0] for t in times[side]]
            wall = [t[1] for t in times[side]]
            print(f"| {name} | {side} | {min(cpu):.1f} ms | {statistics.median(cpu):.1f} ms "
                  f"| {min(wall):.1f} ms | {statistics.median(wall):.1f} ms |")
    print("outputs identical" if same else "OUTPUTS DIFFER")
    return 0 if same else 1


if __name__ == "__main__":
    sys.exit(main())
