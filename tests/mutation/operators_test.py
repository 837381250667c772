#!/usr/bin/env python3
"""The mutation operators: what they edit, what they leave alone, and ids that
survive edits elsewhere in the file."""

import sys
import unittest
from pathlib import Path

sys.dont_write_bytecode = True  # no __pycache__ in the source tree
sys.path.insert(0, str(Path(__file__).resolve().parents[2] / "scripts"))
import mutate_ops  # noqa: E402

SOURCE = """// a < b in a comment, 3 + 4
#include "x.hpp"
int f(int a, int b) {
  const char* s = "a < b && 5";
  if (a < b && !g(b)) return lang::add(a, 10);
  while (a != 0) a = a - 1;
  return static_cast<int>(-b) * 2;
}
"""


def edits(src=SOURCE):
    return [(m.op, m.original, m.replacement, m.line) for m in mutate_ops.mutants_of("f.cpp", src)]


class Operators(unittest.TestCase):
    def test_comments_strings_and_directives_are_left_alone(self):
        self.assertFalse([e for e in edits() if e[3] in (1, 2, 4)])

    def test_each_operator_on_line_five(self):
        line5 = {(op, o, r) for op, o, r, line in edits() if line == 5}
        self.assertEqual(line5, {
            ("negate", "a < b && !g(b)", "!(a < b && !g(b))"),
            ("relational", "<", "<="),
            ("logical", "&&", "||"),
            ("not-removal", "!", ""),
            ("call", "add", "sub"),
            ("constant", "10", "11"),
            ("constant", "10", "9"),
        })

    def test_unary_minus_template_brackets_and_pointer_are_not_binary(self):
        line7 = {(op, o) for op, o, _, line in edits() if line == 7}
        self.assertEqual(line7, {("arithmetic", "*"), ("constant", "2")})
        line4 = [e for e in edits() if e[3] == 4]
        self.assertEqual(line4, [])

    def test_float_literals_are_never_edited(self):
        src = "float f() { return 0x1.4p-4f + 1e+5f * 2.5e-3f; }\n"
        self.assertEqual({(op, o) for op, o, _, _ in edits(src)},
                         {("arithmetic", "+"), ("arithmetic", "*")})

    def test_zero_only_grows(self):
        zeros = [(o, r) for op, o, r, line in edits() if line == 6 and op == "constant"]
        self.assertEqual(zeros, [("0", "1"), ("1", "2"), ("1", "0")])

    def test_apply_edits_only_the_mutated_text(self):
        m = next(m for m in mutate_ops.mutants_of("f.cpp", SOURCE) if m.op == "logical")
        self.assertIn("if (a < b || !g(b))", m.apply(SOURCE))
        self.assertEqual(m.apply(SOURCE).replace("||", "&&", 1), SOURCE)

    def test_ids_survive_edits_on_other_lines_and_are_unique(self):
        ids = [m.id for m in mutate_ops.mutants_of("f.cpp", SOURCE)]
        shifted = "// one more line\n" + SOURCE.replace("a - 1", "a - 2")
        moved = [m.id for m in mutate_ops.mutants_of("f.cpp", shifted)]
        self.assertEqual(len(set(ids)), len(ids))
        changed = set(ids) - set(moved)
        # Only the mutants of the edited line get new ids.
        line6 = {m.id for m in mutate_ops.mutants_of("f.cpp", SOURCE) if m.line == 6}
        self.assertTrue(changed and changed <= line6)

    def test_identical_lines_get_distinct_ids(self):
        src = "int x = 1;\nint x = 1;\n"
        ids = [m.id for m in mutate_ops.mutants_of("f.cpp", src)]
        self.assertEqual(len(ids), 4)
        self.assertEqual(len(set(ids)), 4)


if __name__ == "__main__":
    unittest.main()
