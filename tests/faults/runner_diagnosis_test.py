"""The runner's diagnosis end to end, on a tiny fake build: three cases of
one program, fake programs that pass or fail some of them, and signature
files beside the cases or named by --signatures.

usage: runner_diagnosis_test.py RUNNER SCRATCH
"""

import json
import shutil
import subprocess
import sys
from pathlib import Path

RUNNER, SCRATCH = sys.argv[1], Path(sys.argv[2])
FAILURES = []


def check(what, condition, output=""):
    if not condition:
        FAILURES.append(what)
        print(f"FAILED: {what}\n{output}")


def fake_build(name, body):
    """A build of the one program `calc`: a shell script."""
    bin_dir = SCRATCH / name
    bin_dir.mkdir()
    program = bin_dir / "calc"
    program.write_text("#!/bin/sh\n" + body)
    program.chmod(0o755)
    return bin_dir


def run(bin_dir, *options):
    p = subprocess.run([RUNNER, "--bin-dir", bin_dir, "--cases", SCRATCH / "tests" / "cases",
                        *options], capture_output=True, text=True, timeout=120)
    return p.returncode, p.stdout + p.stderr


def causes(output):
    return [line for line in output.splitlines() if line.startswith("likely cause: ")]


shutil.rmtree(SCRATCH, ignore_errors=True)
cases = SCRATCH / "tests" / "cases" / "calc"
cases.mkdir(parents=True)
# calc prints its input back: the sound build is `cat`.
for name, text in [("half", "0x1p-1\n"), ("tiny", "0x1p-149\n"), ("count", "12\n")]:
    (cases / f"{name}.in").write_text(text)
    (cases / f"{name}.out").write_text(text)
    (cases / f"{name}.err").write_text("")
    (cases / f"{name}.status").write_text("0\n")
signatures = {
    "cases": ["calc/count", "calc/half", "calc/tiny"],
    "faults": [
        {"name": "flush", "what": "subnormals flushed", "fails": {"calc/tiny": "ulps"}},
        {"name": "wide", "what": "integers read wrong", "fails": {"calc/count": "bytes"}},
    ]}
faults_dir = SCRATCH / "tests" / "faults"
faults_dir.mkdir()
(faults_dir / "signatures.json").write_text(json.dumps(signatures))

sound = fake_build("sound", "exec cat\n")
flush = fake_build("flush", 'read x; [ "$x" = 0x1p-149 ] && echo 0x0p+0 || echo "$x"\n')
both = fake_build("both", 'read x; case $x in 0x1p-149) echo 0x0p+0;; 12) echo 13;; '
                  '*) echo "$x";; esac\n')

rc, out = run(sound)
check("a sound build passes with no diagnosis", rc == 0 and not causes(out), out)

# The signatures beside the case folder are found without an option, and the
# diagnosis comes just before the closing line and goes into the files.
rc, out = run(flush, "--json", SCRATCH / "flush.json", "--junit", SCRATCH / "flush.xml",
              "--html", SCRATCH / "flush.html")
lines = out.strip().splitlines()
check("flush-to-zero is named with its evidence",
      causes(out) == ["likely cause: flush (subnormals flushed): 1 of the 1 case it fails fail "
                      "here, and 0 of the 2 it passes; explains 1 of the 1 failure (thin "
                      "evidence: 1 case)"], out)
# After the totals, before the closing line (only the names of the files
# written may come between).
at = [i for i, line in enumerate(lines) if line.startswith("likely cause: ")]
totals = [i for i, line in enumerate(lines) if line.startswith("valid-input cases: ")]
check("the diagnosis comes after the totals, before the closing line",
      at and totals and totals[-1] < at[0] and lines[-1].endswith(" failed")
      and all(line.startswith("wrote ") for line in lines[at[-1] + 1:-1]), out)
results = json.loads((SCRATCH / "flush.json").read_text())
check("the results file holds the diagnosis", results.get("diagnosis") == causes(out),
      json.dumps(results.get("diagnosis")))
check("the JUnit file holds the diagnosis",
      "likely cause: flush" in (SCRATCH / "flush.xml").read_text())
check("the HTML report holds the diagnosis",
      "likely cause: flush" in (SCRATCH / "flush.html").read_text())

rc, out = run(both)
found = causes(out)
check("two faults at once are both named",
      len(found) == 3 and found[0].startswith("likely cause: flush (")
      and found[1].startswith("likely cause: wide (")
      and found[2] == "likely cause: flush and wide together: they explain 2 of the 2 failures",
      out)

# The flush fault's signature taken out of a copy of the file.
without = dict(signatures, faults=[f for f in signatures["faults"] if f["name"] != "flush"])
(SCRATCH / "without.json").write_text(json.dumps(without))
rc, out = run(flush, "--signatures", SCRATCH / "without.json")
check("a fault without a signature is no known fault",
      causes(out) == ["likely cause: none of the known faults (1 failing case unexplained)"], out)

# A shard that ran only calc/count: the flush fault's case did not run, so
# it is neither named nor counted against.
rc, out = run(both, "--shard", "1/3")
found = causes(out)
check("a shard judges only the cases it ran",
      len(found) == 1 and found[0].startswith("likely cause: wide (") and "flush" not in out, out)

# An unreadable file named by --signatures: one line, no diagnosis, the run
# itself judged as usual.
(SCRATCH / "broken.json").write_text("{")
rc, out = run(flush, "--signatures", SCRATCH / "broken.json")
check("a broken signatures file gives one line and no diagnosis",
      rc == 1 and not causes(out) and out.count("no diagnosis:") == 1, out)

# No signatures beside the cases: no diagnosis, nothing said.
(faults_dir / "signatures.json").unlink()
rc, out = run(flush)
check("without signatures there is no diagnosis", rc == 1 and not causes(out)
      and "no diagnosis:" not in out, out)

print(f"{len(FAILURES)} of the checks failed" if FAILURES else "all checks passed")
sys.exit(1 if FAILURES else 0)
