#!/usr/bin/env python3
"""The HTML report as a person sees it, and the runner's text beside it.

  browser_check.py render RUNNER PROGRAM CASES CHROMIUM WORKDIR [--screenshot PNG]
  browser_check.py passing RUNNER BIN CASES WORKDIR

render: runs the runner over a build of every program in which
distance_field_render is broken (a block of pixels brighter, one pixel
flipped) and float_calculus flushes tiny values to zero, then opens the HTML
report in headless Chromium at 1280 x 800 and reads back what the page shows:
the first failure (and the likely causes, when the run names them) on the
first screen above every passing program, a link from the summary to every
failing case, the three pictures of the image case decoded at their sizes,
and the difference map marking exactly the pixels the broken build changed.
With --screenshot it takes a picture of the report instead
(docs/report-image-case.png is made so).

passing: a run with no failure gives the same terminal report with and
without --html, and its HTML holds the summary only.
"""
import difflib
import json
import os
import re
import shutil
import stat
import subprocess
import sys

# The interpreter running this check, by its own path: a version manager's
# shim in front of python3 costs a shell start-up per run.
BROKEN = r'''#!%s
import subprocess, sys
run = subprocess.run([%r], capture_output=True)
lines = run.stdout.decode().split("\n")
for y in range(30, 42):
    row = [int(v) for v in lines[2 + y].split()]
    for x in range(100, 124):
        row[x] = min(255, row[x] + 40)
    lines[2 + y] = " ".join(map(str, row)) + " "
row = [int(v) for v in lines[2 + 170].split()]
row[150] = 0 if row[150] else 255
lines[2 + 170] = " ".join(map(str, row)) + " "
sys.stdout.write("\n".join(lines))
sys.stderr.buffer.write(run.stderr)
sys.exit(run.returncode)
'''

# Underflow to zero, as a build with flush-to-zero arithmetic prints it.
FLUSHED = r'''#!%s
import re, subprocess, sys
run = subprocess.run([%r], capture_output=True)
out = re.sub(rb"-?0x1(\.[0-9a-f]+)?p-(1[0-9][0-9]|[6-9][0-9])\b", b"0x0p+0", run.stdout)
sys.stdout.buffer.write(out)
sys.stderr.buffer.write(run.stderr)
sys.exit(run.returncode)
'''

CHECK = '''<script>
window.addEventListener("load", () => {
  const seen = {};
  // The layout on the first screen: where the first failure, the likely
  // causes and every passing row that is shown at all sit.
  const box = (e) => e && e.getBoundingClientRect();
  const firstFail = box(document.querySelector("tr.fail"));
  const diagnosis = box(document.getElementById("diagnosis"));
  const passing = [...document.querySelectorAll("tr.pass")].map(box)
                      .filter((r) => r.height > 0).map((r) => r.top);
  const links = [];
  for (const a of document.querySelectorAll("a[href^='#']")) {
    if (a.closest("section.case")) continue;
    const target = document.getElementById(decodeURIComponent(a.getAttribute("href").slice(1)));
    links.push(target ? target.id : null);
  }
  seen.layout = {viewport: [window.innerWidth, window.innerHeight],
                 firstFail: firstFail && [firstFail.top, firstFail.bottom],
                 diagnosis: diagnosis && [diagnosis.top, diagnosis.bottom],
                 passingTop: passing.length ? Math.min(...passing) : null,
                 links: links,
                 sections: [...document.querySelectorAll("section.case")].map((e) => e.id)};
  for (const img of document.querySelectorAll("section.case img")) {
    const canvas = document.createElement("canvas");
    canvas.width = img.naturalWidth;
    canvas.height = img.naturalHeight;
    const context = canvas.getContext("2d");
    context.drawImage(img, 0, 0);
    const data = context.getImageData(0, 0, canvas.width, canvas.height).data;
    const rgb = [];
    for (let i = 0; i < data.length; i += 4) rgb.push(data[i], data[i + 1], data[i + 2]);
    seen[img.dataset.role] = {natural: [img.naturalWidth, img.naturalHeight],
                              shown: [img.clientWidth, img.clientHeight], rgb: rgb};
  }
  const out = document.createElement("pre");
  out.id = "check";
  out.textContent = JSON.stringify(seen);
  document.body.appendChild(out);
});
</script>
'''


def pixels(text):
    """The pixel values of a plain-text greyscale image, after its header."""
    return [int(v) for v in text.split()[4:]]


def fail(message):
    print("FAIL: " + message)
    sys.exit(1)


def chromium(binary, workdir, args, page):
    command = [binary, "--headless", "--no-sandbox", "--disable-gpu", "--hide-scrollbars",
               "--user-data-dir=" + os.path.join(workdir, "profile")] + args
    command.append("file://" + os.path.abspath(page))
    run = subprocess.run(command, capture_output=True, timeout=240)
    if run.returncode != 0:
        fail("chromium exited with %d: %s" % (run.returncode, run.stderr.decode()[-2000:]))
    return run.stdout.decode()


def script(path, text):
    with open(path, "w") as f:
        f.write(text)
    os.chmod(path, os.stat(path).st_mode | stat.S_IXUSR)


def broken_run(runner, program, cases, workdir):
    """The runner over the broken build; the expected and the broken pixels."""
    shutil.rmtree(workdir, ignore_errors=True)
    bindir = os.path.join(workdir, "bin")
    os.makedirs(bindir)
    # Every program of ours beside the broken ones: the report's passing rows.
    ours = os.path.dirname(os.path.abspath(program))
    for name in os.listdir(cases):
        if os.path.exists(os.path.join(ours, name)):
            os.symlink(os.path.join(ours, name), os.path.join(bindir, name))
    fake = os.path.join(bindir, "distance_field_render")
    os.remove(fake)
    script(fake, BROKEN % (sys.executable, os.path.abspath(program)))
    flushed = os.path.join(bindir, "float_calculus")
    os.remove(flushed)
    script(flushed, FLUSHED % (sys.executable, os.path.join(ours, "float_calculus")))
    report = os.path.join(workdir, "report.html")
    # The case's usual 10 s is for the program alone; this build adds an
    # interpreter around it, and CI runs other tests beside this one.
    run = subprocess.run([runner, "--bin-dir", bindir, "--cases", cases, "--jobs", "2",
                          "--html", report, "--junit", os.path.join(workdir, "junit.xml"),
                          "--timeout", "300"],
                         capture_output=True, timeout=600)
    if run.returncode != 1:
        fail("runner exited with %d:\n%s" % (run.returncode, run.stdout.decode()))
    with open(os.path.join(cases, "distance_field_render", "image.out")) as f:
        want = pixels(f.read())
    got = pixels(subprocess.run([fake], capture_output=True, timeout=300).stdout.decode())
    return run.stdout.decode(), report, want, got


def check_verdict_line(terminal, junit, want, got):
    """The one image line, computed here from the two pixel lists."""
    changed = [i for i in range(len(want)) if want[i] != got[i]]
    largest = max(abs(want[i] - got[i]) for i in changed)
    at = next(i for i in changed if abs(want[i] - got[i]) == largest)
    line = "image differs in {:,} of {:,} pixels; largest difference {} at ({}, {})".format(
        len(changed), len(want), largest, at % 192, at // 192)
    if line not in terminal:
        fail("terminal report lacks %r:\n%s" % (line, terminal))
    if line not in junit:
        fail("JUnit lacks %r" % line)
    return set(changed)


def check_layout(layout, junit):
    """The first screen shows the first failure above every passing row,
    and the summary links to every failing case."""
    # Only the width shapes the page; headless windows lose some height to
    # the browser's frame, so the first screen is the first 800 pixels.
    if layout["viewport"][0] != 1280:
        fail("the page was not laid out 1280 pixels wide: %s" % layout["viewport"])
    first = layout["firstFail"]
    if not first or first[1] > 800:
        fail("the first failure is not on the first screen: %s" % first)
    if layout["diagnosis"] and layout["diagnosis"][1] > 800:
        fail("the likely causes are not on the first screen: %s" % layout["diagnosis"])
    if layout["passingTop"] is not None and layout["passingTop"] < first[1]:
        fail("a passing row (top %s) comes before the first failure %s" % (
            layout["passingTop"], first))
    failing = set("%s/%s" % m for m in re.findall(
        r'<testcase classname="([^"]*)" name="([^"]*)"[^>]*>\s*<failure', junit))
    if None in layout["links"]:
        fail("a link of the summary leads nowhere")
    if set(layout["sections"]) != failing or set(layout["links"]) != failing:
        fail("failing cases %s, sections %s, linked from the summary %s" % (
            sorted(failing), sorted(layout["sections"]), sorted(set(layout["links"]))))
    print("first failure at %s of an 800-pixel screen, no passing row above it; "
          "%d failing cases, each linked from the summary" % (first, len(failing)))


def check_page(seen, want, got, changed):
    for role in ("expected", "actual", "difference"):
        if role not in seen:
            fail("no %s picture on the page (found %s)" % (role, sorted(seen)))
        if seen[role]["natural"] != [192, 192] or seen[role]["shown"] != [384, 384]:
            fail("%s picture is %s, shown %s" % (role, seen[role]["natural"], seen[role]["shown"]))
    for role, values in (("expected", want), ("actual", got)):
        if seen[role]["rgb"] != [v for v in values for _ in range(3)]:
            fail("the %s picture does not show the %s pixels" % (role, role))
    rgb = seen["difference"]["rgb"]
    marked = {i for i in range(192 * 192) if rgb[3 * i] != rgb[3 * i + 2]}
    if marked != changed:
        fail("difference map marks %d pixels, %d changed; first wrong: %s" % (
            len(marked), len(changed), sorted(marked ^ changed)[:5]))
    print("page shows three 192 x 192 pictures at 384 x 384; the map marks the %d changed pixels"
          % len(changed))


def render(runner, program, cases, browser, workdir, screenshot=None):
    terminal, report, want, got = broken_run(runner, program, cases, workdir)
    with open(os.path.join(workdir, "junit.xml")) as f:
        junit = f.read()
    changed = check_verdict_line(terminal, junit, want, got)
    if screenshot:
        chromium(browser, workdir, ["--window-size=1300,1200",
                                    "--screenshot=" + os.path.abspath(screenshot)], report)
        return
    with open(report) as f:
        page = f.read()
    check = os.path.join(workdir, "check.html")
    with open(check, "w") as f:
        f.write(page.replace("</body>", CHECK + "</body>"))
    dom = chromium(browser, workdir, ["--dump-dom", "--virtual-time-budget=10000",
                                      "--window-size=1280,800"], check)
    found = re.search(r'<pre id="check">(.*?)</pre>', dom, re.S)
    if not found:
        fail("the page's check did not run:\n" + dom[-2000:])
    seen = json.loads(found.group(1))
    check_layout(seen.pop("layout"), junit)
    check_page(seen, want, got, changed)


def passing(runner, bindir, cases, workdir):
    shutil.rmtree(workdir, ignore_errors=True)
    os.makedirs(workdir)
    html = os.path.join(workdir, "pass.html")
    base = [runner, "--bin-dir", bindir, "--cases", cases, "--filter", "^(add_globals|image_rotate)$"]
    runs = [subprocess.run(base + extra, capture_output=True, timeout=600)
            for extra in ([], ["--html", html])]
    # Times differ from run to run, and the report names the file it wrote;
    # everything else must not differ.
    untimed = [re.sub(rb" +[0-9]+\.[0-9]\n", b" T\n", r.stdout) for r in runs]
    written = b"wrote the HTML report " + os.path.abspath(html).encode() + b"\n"
    if written not in untimed[1]:
        fail("the report does not name the HTML file it wrote:\n" + untimed[1].decode())
    untimed[1] = untimed[1].replace(written, b"")
    if any(r.returncode != 0 for r in runs) or untimed[0] != untimed[1] or runs[1].stderr:
        fail("terminal report changed by --html (status %s, stderr %r):\n%s" % (
            [r.returncode for r in runs], runs[1].stderr.decode(), "".join(difflib.unified_diff(
                untimed[0].decode().splitlines(True), untimed[1].decode().splitlines(True)))))
    with open(html) as f:
        page = f.read()
    if "<section" in page or not re.search(r"\b\d+ passed, 0 failed</b>", page):
        fail("a passing run's report is not the summary alone:\n" + page)
    # A --record run has no differences to show.
    refused = subprocess.run(base + ["--record", "--html", html], capture_output=True)
    if refused.returncode != 2 or b"--html" not in refused.stderr:
        fail("--html with --record was not refused: %r" % refused.stderr)
    print("terminal report unchanged by --html; the HTML holds the summary only")


if __name__ == "__main__":
    a = sys.argv[1:]
    if a[:1] == ["render"] and len(a) in (6, 8):
        render(*a[1:6], screenshot=a[7] if len(a) == 8 and a[6] == "--screenshot" else None)
    elif a[:1] == ["passing"] and len(a) == 5:
        passing(*a[1:])
    else:
        sys.exit(__doc__)
