"""The signatures file against the tree: every case it names is still a
golden case, and every fault it names is still one scripts/faults defines
(and every fault defined has a signature). Cheap: builds nothing.

usage: check_signatures.py [SIGNATURES [CASES [FAULTS_SCRIPT]]]
"""

import json
import subprocess
import sys
from pathlib import Path

ROOT = Path(__file__).resolve().parent.parent.parent
path = Path(sys.argv[1]) if len(sys.argv) > 1 else ROOT / "tests" / "faults" / "signatures.json"
cases_dir = Path(sys.argv[2]) if len(sys.argv) > 2 else ROOT / "tests" / "cases"
script = Path(sys.argv[3]) if len(sys.argv) > 3 else ROOT / "scripts" / "faults"
KINDS = {"ulps", "nan-sign", "timeout", "crash", "exit-status", "bytes"}

doc = json.loads(path.read_text())
listed = subprocess.run([sys.executable, script, "--list"], capture_output=True, text=True,
                        check=True).stdout
defined = [line.split()[0] for line in listed.splitlines() if line.strip()]
problems = []


def case_exists(name):
    program, _, case = name.partition("/")
    return bool(case) and (cases_dir / program / (case + ".out")).is_file()


named = set(doc.get("cases", []))
seen = set()
for fault in doc["faults"]:
    seen.add(fault["name"])
    if fault["name"] not in defined:
        problems.append(f"{fault['name']}: no longer a fault of {script.name}")
    named.update(fault.get("cases", []))
    for case, kind in fault["fails"].items():
        named.add(case)
        if kind not in KINDS:
            problems.append(f"{fault['name']}: {case}: unknown kind {kind!r}")
problems += [f"{case}: no such golden case" for case in sorted(named) if not case_exists(case)]
problems += [f"{name}: defined, but has no signature" for name in defined if name not in seen]
for p in problems:
    print(p)
print(f"{len(doc['faults'])} signatures, {len(named)} cases named: "
      + (f"{len(problems)} problems (regenerate: scripts/faults --generate 0 --signatures)"
         if problems else "all current"))
sys.exit(1 if problems else 0)
