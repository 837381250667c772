#!/usr/bin/env python3
"""scripts/catalogue must catch a limit that drifts between a program's header
comment, its catalogue row, its hostile expectations and its valid-input
description, and a count in the docs that is not the tree's. Each case edits a
scratch copy of the tree (or of the descriptions, as describe_inputs prints
them) and expects --check to fail (or, after --write, to pass again).

Usage: catalogue_test.py PATH/TO/describe_inputs [unittest arguments]"""
import importlib.machinery
import importlib.util
import json
import pathlib
import shutil
import subprocess
import sys
import tempfile
import unittest

ROOT = pathlib.Path(__file__).resolve().parents[2]
SCRIPT = ROOT / "scripts" / "catalogue"


def load_script():
    loader = importlib.machinery.SourceFileLoader("catalogue", str(SCRIPT))
    found = importlib.util.spec_from_loader("catalogue", loader)
    module = importlib.util.module_from_spec(found)
    loader.exec_module(module)
    return module


catalogue = load_script()
DESCRIBE = pathlib.Path(sys.argv.pop(1)) if len(sys.argv) > 1 else None


class Limits(unittest.TestCase):
    def test_bound_phrases_become_the_values_they_allow(self):
        self.assertEqual(catalogue.limits("a count above 100")[0], {100})
        self.assertEqual(catalogue.limits("a disk count of 0 or below")[0], {1})
        self.assertEqual(catalogue.limits("disk counts from 1 to 20.")[0], {1, 20})
        self.assertEqual(catalogue.limits("n below 0, more than 10 pairs")[0], {0, 10})
        self.assertEqual(catalogue.limits("a node outside 1 to n"), (set(), {1}))

    def test_other_numbers_are_no_limits(self):
        self.assertEqual(catalogue.limits("by 1.5707964 gives rows 3 6 8"), (set(), set()))
        self.assertEqual(catalogue.limits("input ended at pixel 3 of 4"), (set(), set()))

    def test_rejected_takes_the_paragraph_after_the_tag(self):
        header = ["What it does.", "", "Input: one integer. Rejected: empty", "input.",
                  "", "Arithmetic wraps."]
        self.assertEqual(catalogue.rejected(header), "empty input")
        self.assertEqual(catalogue.rejected(["Reads nothing."]), "none")

    def test_values_refused_on_their_own(self):
        self.assertEqual(catalogue.Stated("c = 0, a sink of 1, n = -2147483648").excluded,
                         {0, 1, -2147483648})
        self.assertEqual(catalogue.Stated("a disk count of 0 or below").excluded, set())
        self.assertEqual(catalogue.Stated("a disk count of 0 or below").lower, {1})

    def test_the_time_bound_table_reads_signs_and_powers(self):
        tmp = pathlib.Path(tempfile.mkdtemp())
        (tmp / "docs").mkdir()
        (tmp / "docs/generate.md").write_text(
            "| program | bound | why |\n|---|---|---|\n"
            "| `a`, `b` | x within ±10^4, -2 to 9, 1,000 | slow |\n\nAfter.\n")
        try:
            self.assertEqual(catalogue.time_bound_table(tmp),
                             {"a": {10000, -10000, -2, 9, 1000}, "b": {10000, -10000, -2, 9, 1000}})
        finally:
            shutil.rmtree(tmp)


class Check(unittest.TestCase):
    def setUp(self):
        self.tmp = pathlib.Path(tempfile.mkdtemp())
        shutil.copytree(ROOT / "programs", self.tmp / "programs")
        shutil.copytree(ROOT / "tests" / "hostile" / "expect", self.tmp / "tests/hostile/expect")
        # Only the names of the cases count: each program's folder is linked.
        (self.tmp / "tests/cases").mkdir()
        for folder in (ROOT / "tests" / "cases").iterdir():
            (self.tmp / "tests/cases" / folder.name).symlink_to(folder)
        shutil.copytree(ROOT / "docs", self.tmp / "docs")
        shutil.copy(ROOT / "README.md", self.tmp)
        self.descriptions = self.tmp / "descriptions.json"
        shutil.copy(self.described, self.descriptions)

    @classmethod
    def setUpClass(cls):
        if DESCRIBE is None:
            raise unittest.SkipTest("no describe_inputs given")
        cls.saved = pathlib.Path(tempfile.mkdtemp())
        cls.described = cls.saved / "descriptions.json"
        cls.described.write_text(subprocess.run([str(DESCRIBE)], capture_output=True, text=True,
                                                check=True).stdout)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.saved)

    def tearDown(self):
        shutil.rmtree(self.tmp)

    def run_script(self, *args):
        return subprocess.run([sys.executable, str(SCRIPT), "--root", str(self.tmp),
                               "--descriptions", str(self.descriptions), *args],
                              capture_output=True, text=True, check=False)

    def edit_field(self, program, name, **changes):
        """Changes one field of the wider description of `program`."""
        data = json.loads(self.descriptions.read_text())
        fields = [f for d in data["wider"] if d["program"] == program for f in d["fields"]
                  if f["name"] == name]
        self.assertEqual(len(fields), 1, f"{program} has no field {name}: update this test")
        fields[0].update(changes)
        self.descriptions.write_text(json.dumps(data))

    def edit(self, relative, old, new):
        path = self.tmp / relative
        text = path.read_text()
        self.assertIn(old, text, f"{relative} no longer holds {old!r}: update this test")
        path.write_text(text.replace(old, new, 1))

    def assert_fails(self, *mentions):
        result = self.run_script("--check")
        self.assertEqual(result.returncode, 1, result.stdout + result.stderr)
        for mention in mentions:
            self.assertIn(mention, result.stderr)

    def test_the_tree_as_committed_agrees(self):
        result = self.run_script("--check")
        self.assertEqual(result.returncode, 0, result.stderr)

    def test_a_header_limit_changed_alone(self):
        self.edit("programs/sorting/merge_sort_list.cpp", "a count above 100", "a count above 90")
        self.assert_fails("merge_sort_list: the catalogue's rejected-input column",
                          'merge_sort_list.txt: "at most 100" is no limit',
                          'merge_sort_list.txt: "above 100" is no limit',
                          'merge_sort_list: the description\'s integer field "count" runs from '
                          '-2147483648 to 100; 100 is no limit',
                          "merge_sort_list: the header refuses above 90, and no field")

    def test_a_catalogue_cell_edited_by_hand(self):
        self.edit("docs/catalogue.md", "m above 8 when n is positive", "m above 9 when n is positive")
        self.assert_fails("dct_round_trip: the catalogue's rejected-input column")

    def test_a_limit_in_the_reads_column(self):
        self.edit("docs/catalogue.md", "an array count (at most 10)", "an array count (at most 12)")
        self.assert_fails('float_semantics_check: the catalogue\'s reads column says "at most 12"')

    def test_a_hostile_expectation_with_another_limit(self):
        self.edit("tests/hostile/expect/flow_network.txt", "Nodes are 0 to 9", "Nodes are 0 to 10")
        self.assert_fails('flow_network.txt: "0 to 10" is no limit')

    def test_a_stated_limit_that_the_hostile_expectations_never_try(self):
        path = self.tmp / "tests/hostile/expect/float_semantics_check.txt"
        kept = [line for line in path.read_text().splitlines() if "10" not in line]
        path.write_text("\n".join(kept) + "\n")
        self.assert_fails("the header of float_semantics_check rejects beyond 10")

    def test_a_limited_program_without_hostile_expectations(self):
        (self.tmp / "tests/hostile/expect/merge_sort_list.txt").unlink()
        self.assert_fails("tests/hostile/expect/merge_sort_list.txt, which would try it, is missing")

    def test_a_program_without_a_row(self):
        path = self.tmp / "docs/catalogue.md"
        path.write_text("".join(line for line in path.read_text().splitlines(keepends=True)
                                if not line.startswith("| `swap_two` |")))
        self.assert_fails("swap_two: no row in docs/catalogue.md")

    def test_write_takes_the_column_from_the_header(self):
        self.edit("programs/text/swap_two.cpp", "Rejected: input that ends before the second",
                  "Rejected: input that stops before the second")
        self.assert_fails("swap_two: the catalogue's rejected-input column")
        self.assertEqual(self.run_script("--write").returncode, 0)
        self.assertIn("| input that stops before the second integer |",
                      (self.tmp / "docs/catalogue.md").read_text())

    def test_a_description_that_generates_refused_input(self):
        self.edit_field("merge_sort_list", "count", hi=101)
        self.assert_fails('merge_sort_list: the description\'s integer field "count" runs from '
                          '-2147483648 to 101; 101 is no limit',
                          "merge_sort_list: the header refuses above 100, and no field")

    def test_a_refused_value_the_description_lets_through(self):
        self.edit_field("global_expr_conditions", "c", **{"except": []})
        self.edit_field("shortest_paths", "nodes", lo=-2147483648)
        self.assert_fails("global_expr_conditions: the header refuses 0, and no field",
                          "shortest_paths: the header refuses -2147483648, and no field")

    def test_a_description_that_leaves_out_valid_input(self):
        self.edit_field("float_semantics_check", "count", lo=0)
        self.edit_field("dct_round_trip", "value", nan=False)
        self.assert_fails('float_semantics_check: the description\'s integer field "count" runs '
                          'from 0 to 10; 0 is no limit',
                          'dct_round_trip: the description\'s floating field "value" leaves out '
                          'NaN')

    def test_infinities_follow_the_header(self):
        self.edit_field("float_calculus", "x", inf=True)
        self.edit_field("float_calculus", "y", inf=True)
        self.edit_field("dct_round_trip", "value", inf=False)
        self.assert_fails("float_calculus: the header refuses an infinity, and no field",
                          'dct_round_trip: the description\'s floating field "value" leaves out '
                          'infinities')

    def test_a_run_time_bound_the_docs_do_not_give(self):
        self.edit_field("hanoi_moves", "disks", hi=17)
        self.assert_fails('hanoi_moves: the description\'s integer field "disks" ends at 17 for '
                          'run time',
                          "docs/generate.md: the run-time bound 16 of hanoi_moves is no end")

    def test_a_narrowed_range_must_say_why(self):
        self.edit_field("queens_solutions", "size", time_bound="")
        self.edit_field("queens_solutions", "count", time_bound="")
        self.edit_field("percolation_check", "cell", shape_bound="")
        self.assert_fails('queens_solutions: the description\'s integer field "size" runs from '
                          '-2147483648 to 10; 10 is no limit',
                          "docs/generate.md: the table of run-time bounds lists queens_solutions,",
                          'percolation_check: the description\'s integer field "cell" runs from '
                          '1 to 4; 1 is no limit')

    def test_a_program_that_reads_input_without_a_description(self):
        data = json.loads(self.descriptions.read_text())
        for key in data:
            data[key] = [d for d in data[key] if d["program"] != "swap_two"]
        self.descriptions.write_text(json.dumps(data))
        self.assert_fails("swap_two: reads input, and tools/generate has no description of it")

    def test_descriptions_in_an_unknown_form(self):
        data = json.loads(self.descriptions.read_text())
        data["wider"][0]["fields"][0]["step"] = 2
        self.descriptions.write_text(json.dumps(data))
        self.assert_fails("cannot read the descriptions", "not ['except'")

    def test_counts_in_the_docs(self):
        rejections = len(list((self.tmp / "tests/cases").glob("*/reject_*.status")))
        folder = self.tmp / "tests/cases/swap_two"
        folder.unlink()
        shutil.copytree(ROOT / "tests/cases/swap_two", folder)
        (folder / "reject_extra.status").write_text("2\n")
        self.assert_fails(f"docs/using.md: says {rejections} rejection cases where there are "
                          f"{rejections + 1}")
        self.assertEqual(self.run_script("--write").returncode, 0)
        self.assertIn(f"rejection cases: {rejections + 1} skipped",
                      (self.tmp / "docs/using.md").read_text())

    def test_recorded_counts_and_vanished_quotes(self):
        self.edit("docs/performance.md", "The golden-case run: ", "The golden-case run: 9")
        self.edit("docs/catalogue.md", "All ", "Every one of the ")
        self.assert_fails("docs/performance.md: records 9", "more than the",
                          "docs/catalogue.md: no longer says")


if __name__ == "__main__":
    unittest.main()
