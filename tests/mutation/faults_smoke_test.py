#!/usr/bin/env python3
"""Builds one realistic fault cheaply, flush-to-zero set at start-up (two
programs linked with -ffast-math), and checks that the golden cases of both
fail on it, that the runner's diagnosis names it first, and that the working
tree stays untouched."""

import json
import subprocess
import sys
import tempfile
from pathlib import Path

tool = Path(sys.argv[1]).resolve()
runner, against = sys.argv[2], sys.argv[3]
programs = ["float_calculus", "float_semantics_check"]

with tempfile.TemporaryDirectory() as tmp:
    report = Path(tmp) / "report.json"
    run = subprocess.run([sys.executable, str(tool), "--faults", "ftz-daz", "--filter",
                          "^(" + "|".join(programs) + ")$", "--generate", "0", "--runner", runner,
                          "--against", against, "--scratch", tmp, "--json", str(report)],
                         capture_output=True, text=True)
    print(run.stdout, run.stderr)
    column = json.loads(report.read_text())["faults"]["ftz-daz"] if report.exists() else {}

failures = []
if run.returncode != 0:
    failures.append(f"the tool exited with {run.returncode}")
if "cells" not in column:
    failures.append(f"the fault was not judged: {column}")
else:
    for name in programs:
        if column["cells"].get(name) != "caught":
            failures.append(f"{name}: no golden case fails on flush-to-zero")
    print("failing cases:", json.dumps(column["failed"], sort_keys=True))
    # The runner's diagnosis, from the signatures in the tree, names it first.
    if not column["diagnosis"] or not column["diagnosis"][0].startswith("likely cause: ftz-daz "):
        failures.append(f"the diagnosis does not name flush-to-zero first: {column['diagnosis']}")
for f in failures:
    print("FAIL:", f)
sys.exit(1 if failures else 0)
