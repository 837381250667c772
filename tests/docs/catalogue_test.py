#!/usr/bin/env python3
"""scripts/catalogue must catch a limit that drifts between a program's header
comment, its catalogue row and its hostile expectations. Each case edits a
scratch copy of the tree and expects --check to fail (or, after --write, to
pass again)."""
import importlib.machinery
import importlib.util
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


class Check(unittest.TestCase):
    def setUp(self):
        self.tmp = pathlib.Path(tempfile.mkdtemp())
        shutil.copytree(ROOT / "programs", self.tmp / "programs")
        shutil.copytree(ROOT / "tests" / "hostile" / "expect", self.tmp / "tests/hostile/expect")
        (self.tmp / "docs").mkdir()
        shutil.copy(ROOT / "docs" / "catalogue.md", self.tmp / "docs")

    def tearDown(self):
        shutil.rmtree(self.tmp)

    def run_script(self, *args):
        return subprocess.run([sys.executable, str(SCRIPT), "--root", str(self.tmp), *args],
                              capture_output=True, text=True, check=False)

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
                          'merge_sort_list.txt: "above 100" is no limit')

    def test_a_catalogue_cell_edited_by_hand(self):
        self.edit("docs/catalogue.md", "m above 8 when n is above 0", "m above 9 when n is above 0")
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


if __name__ == "__main__":
    unittest.main()
