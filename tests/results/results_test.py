#!/usr/bin/env python3
"""The runner's results files over time: usage results_test.py GROUP RUNNER BIN CASES.

Each group runs the runner on copies of a few of our programs, some replaced
by scripts that print something else, hang or change their answer."""
import json
import math
import os
import re
import shutil
import signal
import subprocess
import sys
import tempfile
import time
import unittest
import xml.etree.ElementTree as ET

RUNNER = BIN = CASES = ""
PROGRAMS = ["add_globals", "gcd_pairs", "integer_sqrt", "reverse_echo", "swap_two"]
FILTER = "^(" + "|".join(PROGRAMS) + ")$"
WRONG_OUTPUT = "#!/bin/sh\necho broken\n"


class RunnerTest(unittest.TestCase):
    def setUp(self):
        self.tmp = tempfile.mkdtemp(prefix="results-test-")

    def tearDown(self):
        shutil.rmtree(self.tmp)

    def path(self, name):
        return os.path.join(self.tmp, name)

    def build(self, name, replaced=None, programs=PROGRAMS):
        """A copy of the programs, with {program: script text} put in their place."""
        folder = self.path(name)
        os.makedirs(folder, exist_ok=True)
        for program in programs:
            target = os.path.join(folder, program)
            if os.path.exists(target):
                os.remove(target)
            if replaced and program in replaced:
                with open(target, "w") as f:
                    f.write(replaced[program])
                os.chmod(target, 0o755)
            else:
                shutil.copy(os.path.join(BIN, program), target)
        return folder

    def runner_command(self, bin_dir, *args, env=None, filter_=FILTER, cases=None):
        command = [RUNNER, "--bin-dir", bin_dir, "--cases", cases or CASES, "--filter", filter_,
                   *args]
        full_env = {k: v for k, v in os.environ.items() if not re.match(r"(TEST_|GTEST_|XML_)", k)}
        full_env.update(env or {})
        return command, full_env

    def run_runner(self, bin_dir, *args, **options):
        command, env = self.runner_command(bin_dir, *args, **options)
        # The report prints case names as they are: not always UTF-8.
        return subprocess.run(command, capture_output=True, text=True, errors="replace", env=env,
                              timeout=600)

    def cases(self, *args, cases=None):
        """Names as results files hold them."""
        listed = subprocess.run([RUNNER, "--bin-dir", BIN, "--cases", cases or CASES, "--filter",
                                 FILTER, "--list", *args], capture_output=True)
        self.assertEqual(listed.returncode, 0, listed.stderr)
        return [escape_name(b"conformance :: " + line) for line in listed.stdout.splitlines()]

    def load(self, name):
        with open(self.path(name)) as f:
            return json.load(f)

    def codes(self, name):
        return {t["name"]: t["code"] for t in self.load(name)["tests"]}

    def assert_usage_error(self, result):
        self.assertEqual(result.returncode, 2, result.stdout + result.stderr)
        self.assertEqual(len(result.stderr.splitlines()), 1, result.stderr)


def escape_name(raw):
    """A name as results files write it: bytes outside valid UTF-8 as \\xHH,
    backslashes doubled."""
    text = ""
    while raw:
        try:
            text += raw.decode().replace("\\", "\\\\")
            break
        except UnicodeDecodeError as e:
            text += raw[:e.start].decode().replace("\\", "\\\\") + "\\x%02x" % raw[e.start]
            raw = raw[e.start + 1:]
    return text


def unescape_name(text):
    return re.sub(rb"\\\\|\\x([0-9a-f]{2})",
                  lambda m: bytes([int(m.group(1), 16)]) if m.group(1) else b"\\",
                  text.encode())


def cases_of(names, program):
    return [n for n in names if n.startswith("conformance :: " + program + "/")]


def last_line(text):
    return text.rstrip("\n").split("\n")[-1]


class ResultsFile(RunnerTest):
    def test_a_clean_run_holds_every_case_with_its_metrics(self):
        run = self.run_runner(BIN, "--json", self.path("r.json"))
        self.assertEqual(run.returncode, 0, run.stdout)
        data = self.load("r.json")
        self.assertTrue(all(isinstance(n, int) for n in data["__version__"]))
        self.assertGreater(data["elapsed"], 0)
        self.assertEqual(data["not_run"], [])
        names = [t["name"] for t in data["tests"]]
        self.assertEqual(names, self.cases())
        for t in data["tests"]:
            self.assertEqual(t["code"], "PASS", t["name"])
            self.assertGreater(t["elapsed"], 0)
            m = t["metrics"]
            # Never 0, unlike the user time alone of a run shorter than a tick.
            self.assertGreater(m["exec_time"], 0, t["name"])
            self.assertTrue(0 <= m["user_time"] <= m["exec_time"], m)
            self.assertGreater(m["max_rss"], 4096, t["name"])
            kind = "rejection" if t["case"].startswith("reject_") else "valid"
            self.assertEqual(t["kind"], kind)
            self.assertEqual(t["shortname"], t["program"] + ":" + t["case"])

    def test_failures_and_timeouts_carry_their_codes_and_verdicts(self):
        broken = self.build("b", {"gcd_pairs": WRONG_OUTPUT,
                                  "integer_sqrt": "#!/bin/sh\nexec sleep 20\n"})
        run = self.run_runner(broken, "--json", self.path("r.json"), "--timeout", "2")
        self.assertEqual(run.returncode, 1)
        for t in self.load("r.json")["tests"]:
            program = t["program"]
            want = {"gcd_pairs": "FAIL", "integer_sqrt": "TIMEOUT"}.get(program, "PASS")
            self.assertEqual(t["code"], want, t["name"])
        outputs = {t["name"]: t["output"] for t in self.load("r.json")["tests"]}
        self.assertIn("stdout differs at byte 0", outputs["conformance :: gcd_pairs/stated_example"])
        self.assertIn("timed out", outputs["conformance :: integer_sqrt/root_of_400"])
        # A failed run's times are no measure of the program: no metrics,
        # while elapsed, which lit writes for every test, stays.
        for t in self.load("r.json")["tests"]:
            self.assertEqual("metrics" in t, t["code"] == "PASS", t["name"])
            self.assertGreater(t["elapsed"], 0, t["name"])

    def test_cases_that_never_ran_have_no_metrics(self):
        """A missing program fails without metrics; an interrupt leaves the
        cases it stopped out of tests, named in not_run."""
        started = self.path("started")
        broken = self.build("b", {"integer_sqrt": f"#!/bin/sh\ntouch {started}\nexec sleep 30\n"})
        os.remove(os.path.join(broken, "gcd_pairs"))
        command, env = self.runner_command(broken, "--json", self.path("r.json"))
        runner = subprocess.Popen(command, env=env, stdout=subprocess.PIPE,
                                  stderr=subprocess.PIPE)
        deadline = time.monotonic() + 60
        while not os.path.exists(started) and time.monotonic() < deadline:
            time.sleep(0.05)
        runner.send_signal(signal.SIGINT)
        runner.communicate(timeout=60)
        self.assertEqual(runner.returncode, 128 + signal.SIGINT)
        data = self.load("r.json")
        ran = [t["name"] for t in data["tests"]]
        everything = self.cases()
        self.assertEqual(sorted(ran + data["not_run"]), sorted(everything))
        self.assertEqual(data["not_run"], everything[len(ran):])
        self.assertIn("conformance :: integer_sqrt/root_of_400", data["not_run"])
        for t in data["tests"]:
            self.assertNotEqual(t["code"], "UNSUPPORTED")
            self.assertEqual("metrics" in t, t["code"] == "PASS", t["name"])
            if t["program"] == "gcd_pairs":
                self.assertEqual(t["code"], "FAIL")
                self.assertIn("did not run", t["output"])
        # Our own tools read not_run back: a later clean run changed them
        # from not run, and a baseline does not take them for failures.
        self.assertEqual(self.run_runner(BIN, "--json", self.path("clean.json")).returncode, 0)
        compared = subprocess.run([RUNNER, "compare", self.path("r.json"), self.path("clean.json")],
                                  capture_output=True, text=True)
        self.assertEqual(compared.returncode, 0, compared.stderr)
        became = re.findall(r"^  (.*): not run -> PASS$", compared.stdout, re.M)
        self.assertEqual(became, data["not_run"])
        merged = subprocess.run([RUNNER, "merge", self.path("r.json"), "-o", self.path("m.json")],
                                capture_output=True, text=True)
        self.assertEqual(merged.returncode, 0, merged.stderr)
        self.assertEqual(self.load("m.json")["not_run"], data["not_run"])
        twice = subprocess.run([RUNNER, "merge", self.path("r.json"), self.path("m.json"), "-o",
                                self.path("x.json")], capture_output=True, text=True)
        self.assert_usage_error(twice)
        again = self.run_runner(self.build("echo_broken", {"reverse_echo": WRONG_OUTPUT}),
                                "--baseline", self.path("r.json"))
        new = re.findall(r"^  new failure: (\S+)$", again.stdout, re.M)
        self.assertEqual(["conformance :: " + n for n in new],
                         cases_of(self.cases(), "reverse_echo"))

    def test_only_the_cases_run_are_in_the_file(self):
        run = self.run_runner(BIN, "--valid-only", "--json", self.path("r.json"))
        self.assertEqual(run.returncode, 0)
        names = list(self.codes("r.json"))
        self.assertEqual(names, self.cases("--valid-only"))
        self.assertFalse(any("/reject_" in n for n in names))

    def test_a_file_that_cannot_be_written_is_an_error(self):
        run = self.run_runner(BIN, "--json", self.path("missing/r.json"))
        self.assertEqual(run.returncode, 2)
        self.assertIn("cannot write the results file", run.stderr)


class Baseline(RunnerTest):
    def test_known_new_and_fixed_failures(self):
        names = self.cases()
        gcd, echo = cases_of(names, "gcd_pairs"), cases_of(names, "reverse_echo")
        one_broken = self.build("one", {"gcd_pairs": WRONG_OUTPUT})
        first = self.run_runner(one_broken, "--json", self.path("base.json"))
        self.assertEqual(first.returncode, 1)

        again = self.run_runner(one_broken, "--baseline", self.path("base.json"),
                                "--json", self.path("again.json"))
        self.assertEqual(again.returncode, 0, again.stdout)
        self.assertIn(f"0 new failures, {len(gcd)} known failures, 0 fixed", again.stdout)
        self.assertEqual(last_line(again.stdout), f"{len(names) - len(gcd)} passed, 0 failed")
        codes = self.codes("again.json")
        self.assertEqual([n for n in names if codes[n] == "XFAIL"], gcd)

        two_broken = self.build("two", {"gcd_pairs": WRONG_OUTPUT, "reverse_echo": WRONG_OUTPUT})
        second = self.run_runner(two_broken, "--baseline", self.path("base.json"))
        self.assertEqual(second.returncode, 1)
        new = re.findall(r"^  new failure: (\S+)$", second.stdout, re.M)
        self.assertEqual(["conformance :: " + n for n in new], echo)
        self.assertEqual(last_line(second.stdout),
                         f"{len(names) - len(gcd) - len(echo)} passed, {len(echo)} failed")

        fixed = self.run_runner(self.build("fixed"), "--baseline", self.path("base.json"))
        self.assertEqual(fixed.returncode, 0)
        named = re.findall(r"^  fixed: (\S+)$", fixed.stdout, re.M)
        self.assertEqual(["conformance :: " + n for n in named], gcd)

    def test_a_baseline_that_is_not_a_results_file_stops_the_run(self):
        with open(self.path("bad.json"), "w") as f:
            f.write('{"tests": [{"name": 1}]}')
        self.assert_usage_error(self.run_runner(BIN, "--baseline", self.path("bad.json")))
        self.assert_usage_error(self.run_runner(BIN, "--baseline", self.path("none.json")))


def geometric_mean_of(old, new, threshold):
    """Per program, the exec_time summed over the cases timed in both files."""
    def times(data):
        return {t["name"]: (t["program"], t["metrics"]["exec_time"]) for t in data["tests"]
                if "metrics" in t}
    o, n = times(old), times(new)
    sums = {}
    for name in o.keys() & n.keys():
        a, b = sums.get(o[name][0], (0.0, 0.0))
        sums[o[name][0]] = (a + o[name][1], b + n[name][1])
    ratios = [b / a for a, b in sums.values() if max(a, b) >= threshold and a > 0 and b > 0]
    return len(ratios), math.exp(sum(map(math.log, ratios)) / len(ratios))


class Compare(RunnerTest):
    def setUp(self):
        super().setUp()
        self.run_runner(self.build("broken", {"gcd_pairs": WRONG_OUTPUT}), "--json",
                        self.path("old.json"))
        for name in ("new.json", "new2.json"):
            self.assertEqual(self.run_runner(BIN, "--json", self.path(name)).returncode, 0)

    def compare(self, *args):
        return subprocess.run([RUNNER, "compare", *args], capture_output=True, text=True)

    def test_changed_cases_and_the_geometric_mean(self):
        result = self.compare(self.path("old.json"), self.path("new.json"), "--threshold", "0.001")
        self.assertEqual(result.returncode, 0, result.stderr)
        gcd = cases_of(self.cases(), "gcd_pairs")
        fixed = re.findall(r"^  (.*): FAIL -> PASS$", result.stdout, re.M)
        self.assertEqual(fixed, gcd)
        self.assertIn(f"fixed ({len(gcd)}):", result.stdout)
        self.assertNotIn("new failures", result.stdout)
        count, mean = geometric_mean_of(self.load("old.json"), self.load("new.json"), 1e-6)
        shown = re.search(r"geometric mean of (\d+) ratios \(new/old\): (\S+)", result.stdout)
        self.assertEqual(int(shown.group(1)), count)
        self.assertAlmostEqual(float(shown.group(2)), mean, places=5)

    def test_a_new_failure_fails_the_comparison(self):
        result = self.compare(self.path("new.json"), self.path("old.json"))
        self.assertEqual(result.returncode, 1)
        lines = result.stdout.splitlines()
        self.assertTrue(lines[0].startswith("new failures ("), lines[0])

    def test_several_runs_of_a_side_merge_by_their_minimum(self):
        merged = self.compare(self.path("new.json"), self.path("new2.json"), "vs",
                              self.path("new.json"), "--threshold", "0.001")
        self.assertEqual(merged.returncode, 0, merged.stderr)
        old = self.load("new.json")
        other = {t["name"]: t["metrics"]["exec_time"] for t in self.load("new2.json")["tests"]}
        for t in old["tests"]:
            t["metrics"]["exec_time"] = min(t["metrics"]["exec_time"], other[t["name"]])
        count, mean = geometric_mean_of(old, self.load("new.json"), 1e-6)
        shown = re.search(r"geometric mean of (\d+) ratios \(new/old\): (\S+)", merged.stdout)
        self.assertEqual(int(shown.group(1)), count)
        self.assertAlmostEqual(float(shown.group(2)), mean, places=5)

    def test_an_older_files_unsupported_cases_count_as_not_run(self):
        """Older runners wrote a case not run as an UNSUPPORTED test."""
        old = self.load("new.json")
        stopped = old["tests"][-1]
        stopped["code"] = "UNSUPPORTED"
        del stopped["metrics"], old["not_run"]
        with open(self.path("older.json"), "w") as f:
            json.dump(old, f)
        result = self.compare(self.path("older.json"), self.path("new.json"))
        self.assertEqual(result.returncode, 0, result.stderr)
        self.assertIn(f"  {stopped['name']}: not run -> PASS", result.stdout)
        # Within a side, a file that did not run a case yields to one that did.
        sides = self.compare(self.path("older.json"), self.path("new2.json"), "vs",
                             self.path("new.json"))
        self.assertEqual(sides.returncode, 0, sides.stderr)
        self.assertIn("no case changed its result", sides.stdout)
        merged = subprocess.run([RUNNER, "merge", self.path("older.json"), "-o",
                                 self.path("m.json")], capture_output=True, text=True)
        self.assertEqual(merged.returncode, 0, merged.stderr)
        self.assertEqual(self.load("m.json")["not_run"], [stopped["name"]])

    def test_results_that_disagree_within_a_side_are_an_error(self):
        disagree = self.compare(self.path("old.json"), self.path("new.json"), "vs",
                                self.path("new.json"))
        self.assert_usage_error(disagree)
        self.assert_usage_error(self.compare(self.path("old.json")))


class Shards(RunnerTest):
    def sharded(self, mode, index):
        env = {"TEST_SHARD_STATUS_FILE": self.path(f"{mode}{index}.status")}
        args = ["--json", self.path(f"{mode}{index}.json")]
        if mode == "option":
            args += ["--shard", f"{index + 1}/3"]
        elif mode == "bazel":
            env.update(TEST_TOTAL_SHARDS="3", TEST_SHARD_INDEX=str(index),
                       XML_OUTPUT_FILE=self.path(f"{mode}{index}.xml"))
        else:
            env.update(GTEST_TOTAL_SHARDS="3", GTEST_SHARD_INDEX=str(index))
        run = self.run_runner(BIN, *args, env=env)
        self.assertEqual(run.returncode, 0, run.stdout + run.stderr)
        self.assertTrue(os.path.exists(self.path(f"{mode}{index}.status")))
        return list(self.codes(f"{mode}{index}.json"))

    def test_three_shards_split_every_case_the_same_way(self):
        everything = self.cases()
        for mode in ("option", "bazel", "gtest"):
            shards = [self.sharded(mode, i) for i in range(3)]
            for i, shard in enumerate(shards):
                self.assertEqual(shard, everything[i::3], mode)
            self.assertEqual(sorted(sum(shards, [])), sorted(everything))
        for i in range(3):
            suite = ET.parse(self.path(f"bazel{i}.xml")).getroot()
            self.assertEqual(int(suite.get("tests")), len(everything[i::3]))

    def test_merged_shards_equal_the_unsharded_run(self):
        self.assertEqual(self.run_runner(BIN, "--json", self.path("all.json")).returncode, 0)
        shards = [self.path(f"s{i}.json") for i in range(3)]
        for i, path in enumerate(shards):
            self.run_runner(BIN, "--shard", f"{i + 1}/3", "--json", path)
        merge = subprocess.run([RUNNER, "merge", *shards, "-o", self.path("merged.json")],
                               capture_output=True, text=True)
        self.assertEqual(merge.returncode, 0, merge.stderr)
        self.assertEqual(self.codes("merged.json"), self.codes("all.json"))
        twice = subprocess.run([RUNNER, "merge", shards[0], shards[0], "-o", self.path("x.json")],
                               capture_output=True, text=True)
        self.assert_usage_error(twice)

    def test_out_of_range_or_half_given_shards_are_refused(self):
        for args in (["--shard", "4/3"], ["--shard", "0/3"], ["--shard", "2"],
                     ["--shard", "1/0"]):
            self.assert_usage_error(self.run_runner(BIN, *args))
        for env in ({"TEST_TOTAL_SHARDS": "3"}, {"GTEST_SHARD_INDEX": "0"},
                    {"TEST_TOTAL_SHARDS": "3", "TEST_SHARD_INDEX": "3"},
                    {"GTEST_TOTAL_SHARDS": "x", "GTEST_SHARD_INDEX": "0"}):
            self.assert_usage_error(self.run_runner(BIN, env=env))

    def test_the_refusal_gives_the_range_in_the_numbering_given(self):
        def said(*args, env=None):
            return self.run_runner(BIN, *args, env=env).stderr
        self.assertIn("--shard: shard 4 of 3 is out of range (1 to 3)", said("--shard", "4/3"))
        self.assertIn("--shard: shard 0 of 3 is out of range (1 to 3)", said("--shard", "0/3"))
        self.assertIn("--shard: 0 shards", said("--shard", "1/0"))
        bazel = {"TEST_TOTAL_SHARDS": "3", "TEST_SHARD_INDEX": "3"}
        self.assertIn("TEST_SHARD_INDEX/TEST_TOTAL_SHARDS: shard 3 of 3 is out of range (0 to 2)",
                      said(env=bazel))
        gtest = {"GTEST_TOTAL_SHARDS": "1", "GTEST_SHARD_INDEX": "1"}
        self.assertIn("shard 1 of 1 is out of range (0 to 0)", said(env=gtest))


# Differs from the real program on inputs with a negative number only.
SOMETIMES_WRONG = """#!/bin/sh
input=$(cat; echo x)
input="${{input%x}}"
printf '%s' "$input" | "{real}"
rc=$?
case "$input" in *-*) echo extra;; esac
exit $rc
"""


class GeneratedShards(RunnerTest):
    def test_shards_of_one_seed_compare_the_unsharded_inputs(self):
        real = os.path.join(BIN, "gcd_loop")
        broken = self.build("b", {"gcd_loop": SOMETIMES_WRONG.format(real=real)},
                            ["gcd_loop", "chained_locals_print"])
        args = ["--generate", "12", "--seed", "7", "--against", BIN]
        which = "^(gcd_loop|chained_locals_print)$"
        whole = self.run_runner(broken, *args, "--json", self.path("all.json"),
                                "--junit", self.path("all.xml"), filter_=which)
        self.assertEqual(whole.returncode, 1, whole.stderr)
        paths = [self.path(f"s{i}.json") for i in range(3)]
        for i, path in enumerate(paths):
            self.run_runner(broken, *args, "--shard", f"{i + 1}/3", "--json", path, filter_=which)
        counts = {t["name"]: t["metrics"] for t in self.load("all.json")["tests"]}
        # Every entry has the elapsed lit writes, and its JUnit test the time.
        elapsed = {t["program"]: t["elapsed"] for t in self.load("all.json")["tests"]}
        self.assertTrue(all(seconds > 0 for seconds in elapsed.values()), elapsed)
        times = {c.get("classname"): float(c.get("time"))
                 for c in ET.parse(self.path("all.xml")).getroot().iter("testcase")}
        self.assertEqual(times.keys(), elapsed.keys())
        for program, seconds in times.items():
            self.assertAlmostEqual(seconds, elapsed[program], places=5)
        echo = counts["conformance :: gcd_loop/generated"]
        self.assertTrue(echo["agreed"] > 0 and echo["differed"] > 0, echo)
        self.assertEqual(sum(m["agreed"] + m["differed"] for m in counts.values()), 24)
        # The JUnit file tells the same: the differing program failed with its counts.
        junit = {c.get("classname"): c.find("failure")
                 for c in ET.parse(self.path("all.xml")).getroot().iter("testcase")}
        self.assertEqual(sorted(junit), ["chained_locals_print", "gcd_loop"])
        self.assertIsNone(junit["chained_locals_print"])
        self.assertEqual(junit["gcd_loop"].get("message"),
                         "%d agreed, %d differed" % (echo["agreed"], echo["differed"]))
        summed = {}
        for path in paths:
            for t in json.load(open(path))["tests"]:
                a, d = summed.get(t["name"], (0, 0))
                summed[t["name"]] = (a + t["metrics"]["agreed"], d + t["metrics"]["differed"])
        self.assertEqual(summed, {n: (m["agreed"], m["differed"]) for n, m in counts.items()})
        merge = subprocess.run([RUNNER, "merge", *paths, "-o", self.path("merged.json")],
                               capture_output=True, text=True)
        self.assertEqual(merge.returncode, 0, merge.stderr)
        merged = {t["name"]: (t["code"], t["metrics"]) for t in self.load("merged.json")["tests"]}
        self.assertEqual(merged, {t["name"]: (t["code"], t["metrics"])
                                  for t in self.load("all.json")["tests"]})
        shard_seconds = {}
        for path in paths:
            for t in json.load(open(path))["tests"]:
                shard_seconds[t["name"]] = shard_seconds.get(t["name"], 0) + t["elapsed"]
        for t in self.load("merged.json")["tests"]:
            self.assertAlmostEqual(t["elapsed"], shard_seconds[t["name"]], places=6)


class Names(RunnerTest):
    """Case names that are not UTF-8: written reversibly, never merged into one."""
    ODD = [b"odd_\xff", b"odd_\xfe", b"odd_\\xff", b"odd_\xc3\xa9"]

    def setUp(self):
        super().setUp()
        self.folder = os.path.join(self.tmp, "cases")
        source = os.path.join(CASES, "reverse_echo")
        target = os.path.join(self.folder, "reverse_echo")
        shutil.copytree(source, target)
        for name in self.ODD:
            for ext in (b".in", b".out", b".err", b".status"):
                shutil.copy(os.path.join(os.fsencode(source), b"signed_values" + ext),
                            os.path.join(os.fsencode(target), name + ext))

    def run_on(self, bin_dir, *args):
        return self.run_runner(bin_dir, *args, cases=self.folder)

    def test_names_round_trip_through_the_file_merge_and_compare(self):
        names = self.cases(cases=self.folder)
        self.assertEqual(len(set(names)), len(names))
        run = self.run_on(BIN, "--json", self.path("all.json"))
        self.assertEqual(run.returncode, 0, run.stdout + run.stderr)
        tests = self.load("all.json")["tests"]
        self.assertEqual([t["name"] for t in tests], names)
        raw = {unescape_name(t["case"]) for t in tests}
        self.assertTrue(set(self.ODD) <= raw, raw)
        self.assertIn(r"conformance :: reverse_echo/odd_\\xff", names)  # a backslash, doubled
        for t in tests:
            self.assertEqual(unescape_name(t["name"]),
                             b"conformance :: reverse_echo/" + unescape_name(t["case"]))
        shards = [self.path(f"s{i}.json") for i in range(2)]
        for i, path in enumerate(shards):
            self.assertEqual(self.run_on(BIN, "--shard", f"{i + 1}/2", "--json", path).returncode, 0)
        merge = subprocess.run([RUNNER, "merge", *shards, "-o", self.path("merged.json")],
                               capture_output=True, text=True)
        self.assertEqual(merge.returncode, 0, merge.stderr)
        self.assertEqual(self.codes("merged.json"), self.codes("all.json"))
        compared = subprocess.run([RUNNER, "compare", self.path("all.json"),
                                   self.path("merged.json")], capture_output=True, text=True)
        self.assertEqual(compared.returncode, 0, compared.stderr)
        self.assertIn("no case changed its result", compared.stdout)
        # A baseline reads the names back to the cases they came from.
        broken = self.build("b", {"reverse_echo": WRONG_OUTPUT}, ["reverse_echo"])
        self.run_on(broken, "--json", self.path("base.json"))
        again = self.run_on(broken, "--baseline", self.path("base.json"))
        self.assertEqual(again.returncode, 0, again.stdout)
        self.assertIn(f"0 new failures, {len(names)} known failures", again.stdout)

    def test_a_name_twice_in_one_file_is_refused(self):
        self.run_on(BIN, "--json", self.path("r.json"))
        data = self.load("r.json")
        data["tests"].append(dict(data["tests"][0]))
        with open(self.path("twice.json"), "w") as f:
            json.dump(data, f)
        for command in (["compare", self.path("r.json"), self.path("twice.json")],
                        ["merge", self.path("twice.json"), "-o", self.path("x.json")]):
            refused = subprocess.run([RUNNER, *command], capture_output=True, text=True)
            self.assert_usage_error(refused)
            self.assertIn(data["tests"][0]["name"] + " is twice in", refused.stderr)


class JUnitReader(RunnerTest):
    """The JUnit files as a real reader (junitparser) takes them."""
    def test_every_test_case_has_its_time_and_verdict(self):
        from junitparser import JUnitXml, Failure, Skipped
        broken = self.build("b", {"gcd_pairs": WRONG_OUTPUT})
        self.run_runner(broken, "--junit", self.path("r.xml"), "--json", self.path("r.json"))
        cases = [(suite.name, case) for suite in JUnitXml.fromfile(self.path("r.xml"))
                 for case in suite]
        tests = self.load("r.json")["tests"]
        self.assertEqual(["conformance :: %s/%s" % (s, c.name) for s, c in cases],
                         [t["name"] for t in tests])
        elapsed = {t["name"]: t["elapsed"] for t in tests}
        for suite, case in cases:
            failed = any(isinstance(r, Failure) for r in case.result)
            self.assertEqual(failed, suite == "gcd_pairs", case.name)
            self.assertFalse(any(isinstance(r, Skipped) for r in case.result))
            self.assertAlmostEqual(case.time, elapsed[f"conformance :: {suite}/{case.name}"],
                                   places=5)
        # --generate: one test per program, with the time its entry has.
        real = os.path.join(BIN, "gcd_loop")
        both = self.build("g", {"gcd_loop": SOMETIMES_WRONG.format(real=real)},
                          ["gcd_loop", "chained_locals_print"])
        self.run_runner(both, "--generate", "8", "--against", BIN, "--junit", self.path("g.xml"),
                        "--json", self.path("g.json"), filter_="^(gcd_loop|chained_locals_print)$")
        entries = {t["program"]: t for t in self.load("g.json")["tests"]}
        for suite in JUnitXml.fromfile(self.path("g.xml")):
            for case in suite:
                entry = entries[case.classname]
                self.assertGreater(case.time, 0)
                self.assertAlmostEqual(case.time, entry["elapsed"], places=5)
                failed = any(isinstance(r, Failure) for r in case.result)
                self.assertEqual(failed, entry["code"] == "FAIL")


# Passes on its even-numbered runs, prints something else on the others.
ALTERNATING = """#!/bin/sh
n=$(cat "{counter}" 2>/dev/null || echo 0)
echo $((n + 1)) > "{counter}"
[ $((n % 2)) -eq 0 ] && exec "{real}"
echo flaky
"""


class Repeat(RunnerTest):
    def test_a_changing_verdict_is_flaky_and_times_are_min_and_median(self):
        script = ALTERNATING.format(counter=self.path("counter"),
                                    real=os.path.join(BIN, "integer_sqrt"))
        broken = self.build("b", {"integer_sqrt": script})
        run = self.run_runner(broken, "--repeat", "3", "--json", self.path("r.json"),
                              filter_="^(integer_sqrt|swap_two)$")
        self.assertEqual(run.returncode, 1)
        tests = {t["program"]: t for t in self.load("r.json")["tests"]}
        flaky, steady = tests["integer_sqrt"], tests["swap_two"]
        self.assertEqual((flaky["code"], flaky.get("flaky")), ("FAIL", True))
        self.assertIn("flaky", flaky["output"])
        self.assertEqual(steady["code"], "PASS")
        m = steady["metrics"]
        self.assertEqual(m["repeats"], 3)
        self.assertLessEqual(m["exec_time"], m["exec_time_median"])
        self.assertLessEqual(m["user_time"], m["user_time_median"])
        self.assertLessEqual(steady["elapsed"], m["elapsed_median"])
        self.assert_usage_error(self.run_runner(BIN, "--repeat", "0"))


if __name__ == "__main__":
    group, RUNNER, BIN, CASES = sys.argv[1:5]
    unittest.main(argv=[sys.argv[0], group])
