"""Mutation operators for the suite's C++ sources.

A mutant is one small edit of one source: an operator swapped, a condition
negated, an integer constant moved by one. Mutants are found on tokens, so
comments, string and character literals and preprocessor lines are never
touched. Each mutant has an id built from the text of its line (not the line
number), so a reviewed list of equivalent mutants survives unrelated edits.
"""

import hashlib
import re

PUNCTUATORS = sorted(
    """<<= >>= <=> -> ++ -- << >> <= >= == != && || += -= *= /= %= &= |= ^= ::
    { } [ ] ( ) ; : , . ? ~ ! + - * / % ^ & | = < >""".split(),
    key=len, reverse=True)

TYPE_WORDS = {
    "int", "float", "char", "void", "bool", "auto", "const", "unsigned", "long",
    "short", "double", "constexpr", "static", "return", "std", "size_t",
    "int32_t", "uint32_t", "int64_t", "uint64_t", "FILE", "va_list", "case",
}
TEMPLATE_WORDS = {"static_cast", "reinterpret_cast", "const_cast", "bit_cast",
                  "template", "numeric_limits", "array", "vector", "span",
                  "unique_ptr", "is_same_v", "atomic"}

# operator name -> {original text: [replacements]}
TOKEN_SWAPS = {
    "relational": {"<": ["<="], "<=": ["<"], ">": [">="], ">=": [">"],
                   "==": ["!="], "!=": ["=="]},
    "arithmetic": {"+": ["-"], "-": ["+"], "*": ["/"], "/": ["*"], "%": ["/"],
                   "+=": ["-="], "-=": ["+="], "*=": ["/="], "/=": ["*="],
                   "++": ["--"], "--": ["++"]},
    "logical": {"&&": ["||"], "||": ["&&"]},
    "bitwise": {"&": ["|"], "|": ["&"], "^": ["|"], "<<": [">>"], ">>": ["<<"],
                "&=": ["|="], "|=": ["&="]},
}
# The language's wrapping arithmetic is called, not written as an operator.
CALL_SWAPS = {"add": "sub", "sub": "add", "mul": "div", "div": "mul",
              "rem": "div", "fadd": "fsub", "fsub": "fadd", "fmul": "fdiv",
              "fdiv": "fmul"}
BINARY_ONLY = {"+", "-", "*", "/", "%", "&", "|", "^", "<<", ">>", "<", ">"}
OPERATORS = ["relational", "arithmetic", "logical", "bitwise", "call",
             "negate", "not-removal", "constant"]


class Token:
    __slots__ = ("kind", "text", "start", "end")

    def __init__(self, kind, text, start):
        self.kind, self.text, self.start, self.end = kind, text, start, start + len(text)


def tokenize(src):
    """Tokens of `src`, skipping comments, literals and preprocessor lines."""
    tokens, i, n = [], 0, len(src)
    line_start = True
    while i < n:
        c = src[i]
        if c == "\n":
            line_start, i = True, i + 1
            continue
        if c in " \t\r\f\v":
            i += 1
            continue
        if line_start and c == "#":
            while i < n and src[i] != "\n":
                i += 2 if src[i] == "\\" else 1
            continue
        line_start = False
        if src.startswith("//", i):
            i = src.find("\n", i)
            i = n if i < 0 else i
        elif src.startswith("/*", i):
            j = src.find("*/", i + 2)
            i = n if j < 0 else j + 2
        elif c in "\"'":
            j = i + 1
            while j < n and src[j] != c:
                j += 2 if src[j] == "\\" else 1
            tokens.append(Token("literal", src[i:j + 1], i))
            i = j + 1
        elif c.isdigit() or (c == "." and i + 1 < n and src[i + 1].isdigit()):
            m = re.compile(r"(?:[eEpP][+-]|[0-9a-zA-Z_.'])+").match(src, i)
            tokens.append(Token("number", m.group(0), i))
            i = m.end()
        elif c.isalpha() or c == "_":
            m = re.compile(r"[A-Za-z_0-9]+").match(src, i)
            tokens.append(Token("ident", m.group(0), i))
            i = m.end()
        else:
            p = next((p for p in PUNCTUATORS if src.startswith(p, i)), c)
            tokens.append(Token("punct", p, i))
            i += len(p)
    return tokens


def _template_brackets(tokens):
    """Indices of `<` and `>` that are template brackets, not comparisons."""
    skip = set()
    for k, t in enumerate(tokens):
        if t.text == "<" and k > 0 and tokens[k - 1].text in TEMPLATE_WORDS:
            depth = 0
            for j in range(k, len(tokens)):
                if tokens[j].text == "<":
                    depth += 1
                elif tokens[j].text in (">", ">>"):
                    depth -= len(tokens[j].text)
                elif tokens[j].text in (";", "{"):
                    break
                if depth <= 0:
                    skip.update((k, j))
                    break
    return skip


def _is_binary(tokens, k):
    if k == 0:
        return False
    prev = tokens[k - 1]
    if tokens[k].text in ("&", "*"):
        # `const Type& name`, `Type& operator=`, `(Type*)`: a declarator.
        after = tokens[k + 1].text if k + 1 < len(tokens) else ""
        if after in (")", ",", ">", "operator") or (k >= 2 and tokens[k - 2].text == "const"):
            return False
    if prev.kind == "number" or prev.text in (")", "]"):
        return True
    return prev.kind == "ident" and prev.text not in TYPE_WORDS


def _integer_value(text):
    m = re.fullmatch(r"(0[xX][0-9a-fA-F]+|[0-9]+)([uUlL]*)", text)
    if not m or (len(m.group(1)) > 1 and m.group(1)[0] == "0" and m.group(1)[1] not in "xX"):
        return None
    return int(m.group(1), 0), m.group(2)


def _matching_paren(tokens, k):
    depth = 0
    for j in range(k, len(tokens)):
        if tokens[j].text == "(":
            depth += 1
        elif tokens[j].text == ")":
            depth -= 1
            if depth == 0:
                return j
    return None


def _edits(tokens):
    """(operator, start, end, replacement) for every mutation of the tokens."""
    skip = _template_brackets(tokens)
    for k, t in enumerate(tokens):
        if t.kind == "punct" and k not in skip:
            for op, table in TOKEN_SWAPS.items():
                if t.text not in table:
                    continue
                if t.text in BINARY_ONLY and not _is_binary(tokens, k):
                    continue
                if t.text in ("++", "--") and k > 0 and tokens[k - 1].text == "operator":
                    continue
                for repl in table[t.text]:
                    yield op, t.start, t.end, repl
            if t.text == "!" and k + 1 < len(tokens):
                yield "not-removal", t.start, t.end, ""
        elif t.kind == "ident":
            if (t.text in CALL_SWAPS and k >= 2 and tokens[k - 1].text == "::"
                    and tokens[k - 2].text == "lang"):
                yield "call", t.start, t.end, CALL_SWAPS[t.text]
            if t.text in ("if", "while") and k + 1 < len(tokens) and tokens[k + 1].text == "(":
                close = _matching_paren(tokens, k + 1)
                if close is not None:
                    open_, end = tokens[k + 1], tokens[close]
                    yield ("negate", open_.end, end.start,
                           ("!(", ")"))  # wraps the condition
        elif t.kind == "number":
            parsed = _integer_value(t.text)
            if parsed is None:
                continue
            value, suffix = parsed
            yield "constant", t.start, t.end, str(value + 1) + suffix
            if value > 0:
                yield "constant", t.start, t.end, str(value - 1) + suffix


class Mutant:
    def __init__(self, path, src, op, start, end, repl, line_index):
        self.path, self.op = path, op
        self.start, self.end = start, end
        self.original = src[start:end]
        if isinstance(repl, tuple):
            self.replacement = repl[0] + self.original + repl[1]
        else:
            self.replacement = repl
        line_no = src.count("\n", 0, start) + 1
        self.line = line_no
        line_begin = src.rfind("\n", 0, start) + 1
        self.column = start - line_begin + 1
        self.line_text = src[line_begin:src.find("\n", start) if "\n" in src[start:] else len(src)]
        self.id = None
        self._line_key = (line_index[line_no], line_begin)

    def apply(self, src):
        return src[:self.start] + self.replacement + src[self.end:]

    def describe(self):
        orig = self.original if len(self.original) <= 40 else self.original[:37] + "..."
        repl = self.replacement if len(self.replacement) <= 40 else self.replacement[:37] + "..."
        return f"{self.path}:{self.line}:{self.column} {self.op} '{orig}' -> '{repl}'"

    def entry(self, reason="REASON"):
        """One line of the equivalents file for this mutant."""
        return f"{self.id} {self.describe()} | {reason}"


def mutants_of(path, src, operators=None):
    """Every mutant of the source text `src` (file `path`), in source order.

    The id hashes the file, the stripped text of the line, how many identical
    lines come before it, the column-free position of the edit within the
    line (the n-th same edit on that line), the operator and the replacement.
    """
    lines = src.split("\n")
    seen, line_index = {}, {}
    for no, text in enumerate(lines, 1):
        key = text.strip()
        line_index[no] = (key, seen.get(key, 0))
        seen[key] = seen.get(key, 0) + 1
    result, counts = [], {}
    for op, start, end, repl in _edits(tokenize(src)):
        if operators and op not in operators:
            continue
        m = Mutant(path, src, op, start, end, repl, line_index)
        (text, dup), _ = m._line_key
        base = (path, text, dup, op, m.original, m.replacement)
        nth = counts.get(base, 0)
        counts[base] = nth + 1
        digest = hashlib.sha1("\x1f".join(map(str, base + (nth,))).encode()).hexdigest()
        m.id = digest[:10]
        result.append(m)
    return result
