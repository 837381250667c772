#!/usr/bin/env python3
"""Runs the mutation tool on one program, four mutants from a fixed seed, and
checks its report: every mutant judged, at least one killed, none surviving,
and the sources in the working tree untouched."""

import hashlib
import json
import subprocess
import sys
import tempfile
from pathlib import Path

tool = Path(sys.argv[1]).resolve()
runner = sys.argv[2]
root = tool.parent.parent
source = root / "programs" / "text" / "swap_two.cpp"


def digest():
    return hashlib.sha256(source.read_bytes()).hexdigest()


before = digest()
with tempfile.TemporaryDirectory() as tmp:
    report = Path(tmp) / "report.json"
    run = subprocess.run([sys.executable, str(tool), "--filter", "^swap_two$", "--budget", "4",
                          "--seed", "7", "--quiet", "--runner", runner, "--json", str(report)],
                         capture_output=True, text=True)
    print(run.stdout, run.stderr)
    data = json.loads(report.read_text()) if report.exists() else None

failures = []
if run.returncode != 0:
    failures.append(f"the tool exited with {run.returncode}")
if data is None:
    failures.append("no report written")
else:
    statuses = [m["status"] for m in data["mutants"]]
    if len(statuses) != 4 or None in statuses:
        failures.append(f"expected 4 judged mutants, got {statuses}")
    if "killed" not in statuses:
        failures.append("no mutant killed")
    if "survived" in statuses or "build-failed" in statuses:
        failures.append(f"a mutant survived or did not build: {statuses}")
    if data["units"]["swap_two"]["baseline"] != "pass":
        failures.append("the unmutated program did not pass its cases")
    if not data["tree_unchanged"]:
        failures.append("the tool reports a changed source")
if digest() != before:
    failures.append("swap_two.cpp changed in the working tree")
for f in failures:
    print("FAIL:", f)
sys.exit(1 if failures else 0)
