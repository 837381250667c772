#!/usr/bin/env python3
"""A mutant whose only effect is the text of a rejection message must be
killed by the case that sees the message: reverse_echo's `total - n` to
`total + n` changes nothing but "input ended after 199 of 200 integers",
which only reject_199_integers compares (stdout and status stay the same).
If the mutation tool judged rejection cases by their status alone, or left
them out, this mutant would survive."""

import json
import subprocess
import sys
import tempfile
from pathlib import Path

tool = Path(sys.argv[1]).resolve()
runner = sys.argv[2]
MUTANT = "7450059fdb"  # reverse_echo.cpp: the message's `total - n` to `total + n`

with tempfile.TemporaryDirectory() as tmp:
    report = Path(tmp) / "report.json"
    run = subprocess.run([sys.executable, str(tool), "--filter", "^reverse_echo$", "--ids", MUTANT,
                          "--quiet", "--runner", runner, "--json", str(report)],
                         capture_output=True, text=True)
    print(run.stdout, run.stderr)
    data = json.loads(report.read_text()) if report.exists() else None

failures = []
if data is None:
    failures.append(f"no report written (exit status {run.returncode})")
else:
    found = [m for m in data["mutants"] if m["id"] == MUTANT]
    if len(found) != 1:
        failures.append(f"mutant {MUTANT} not found: the message line of reverse_echo changed")
    elif found[0]["status"] != "killed":
        failures.append(f"a changed rejection message was judged {found[0]['status']}, not killed")
for f in failures:
    print("FAIL:", f)
sys.exit(1 if failures else 0)
