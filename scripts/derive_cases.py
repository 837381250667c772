#!/usr/bin/env python3
"""Independent models of the sorting, text and algorithms programs, from which
their golden cases under tests/cases/ were derived. Each model follows the
program's documented behaviour, not its C++ source, and the documented
examples are asserted against the models.

Usage: derive_cases.py TESTS_CASES_DIR (rewrites those programs' cases)."""
import os, random, sys

ROOT = sys.argv[1]
TOTAL = "TOTAL: 0H-0M-0S-0us\n"
INT_MIN, INT_MAX = -2**31, 2**31 - 1

def w(x):  # 32-bit wrap
    return (x + 2**31) % 2**32 - 2**31

def tdiv(a, b):
    q = abs(a) // abs(b)
    return w(q if (a >= 0) == (b >= 0) else -q)

def trem(a, b):
    return w(a - w(tdiv(a, b) * b))

def sat(v):  # the runtime's integer reading
    return max(INT_MIN, min(INT_MAX, v))

written = {}
def case(prog, name, inp, out, status=0, err=None, runtime=True):
    d = os.path.join(ROOT, prog)
    os.makedirs(d, exist_ok=True)
    if err is None:
        err = TOTAL if runtime else ""
    files = {".out": out, ".err": err, ".status": "%d\n" % (status % 256)}
    if inp is not None:
        files[".in"] = inp
    for ext, text in files.items():
        with open(os.path.join(d, name + ext), "w", newline="") as f:
            f.write(text)
    written.setdefault(prog, []).append(name)

def reject(prog, name, inp, out, reason):
    case(prog, name, inp, out, 2, "%s: %s\n" % (prog, reason))

# ---------------------------------------------------------------- sorting
TEN = [4, 3, 9, 2, 0, 1, 6, 5, 7, 8]
for prog in ["quick_sort_list", "heap_sort_list", "bubble_sort_list", "counting_sort_list",
             "insertion_sort_list", "selection_sort_list"]:
    case(prog, "ten_values", None, "".join("%d\n" % v for v in sorted(TEN)))

def merge_out(vals):
    return "%d:" % len(vals) + "".join(" %d" % v for v in sorted(vals)) + "\n"
assert merge_out([3, 1, 4, 1, 5]) == "5: 1 1 3 4 5\n"
case("merge_sort_list", "stated_example", "5 3 1 4 1 5\n", merge_out([3, 1, 4, 1, 5]))
case("merge_sort_list", "count_zero", "0\n", "0:\n")
case("merge_sort_list", "single_value", "1 42\n", "1: 42\n")
case("merge_sort_list", "descending", "10 9 8 7 6 5 4 3 2 1 0\n", merge_out(list(range(10))))
ext = [INT_MAX, -1, INT_MIN, 0, 7, 7, -7, INT_MIN, INT_MAX]
case("merge_sort_list", "extremes_and_repeats",
     "%d\n%s\n" % (len(ext), " ".join(map(str, ext))), merge_out(ext))
rng = random.Random(5)
hundred = [rng.randint(-1000, 1000) for _ in range(100)]
case("merge_sort_list", "full_hundred", "100\n" + " ".join(map(str, hundred)) + "\n",
     merge_out(hundred))
case("merge_sort_list", "negative_count", "-3 1 2 3\n", "-3:\n")
reject("merge_sort_list", "reject_count_above_hundred",
       "101\n" + " ".join(map(str, range(101))) + "\n", "", "count 101 above 100")
reject("merge_sort_list", "reject_input_ends_within_values", "4 1 2\n", "",
       "input ended after 2 of 4 values")
reject("merge_sort_list", "reject_empty_input", "", "", "input ended before the count")

def ordered_insert(x):
    a = [1, 3, 4, 7, 8, 11, 13, 18, 56, 78, 0]
    N = 10
    p = 0
    while x > a[p] and p < N:
        p += 1
    i = N
    while i > p:
        a[i] = a[i - 1]
        a[p] = x
        i -= 1
    return "".join("%d\n" % v for v in a[:N])
L = lambda *v: "".join("%d\n" % x for x in v)
assert ordered_insert(60) == L(1, 3, 4, 7, 8, 11, 13, 18, 56, 60)
assert ordered_insert(78) == ordered_insert(100) == L(1, 3, 4, 7, 8, 11, 13, 18, 56, 78)
assert ordered_insert(5) == L(1, 3, 4, 5, 5, 8, 11, 13, 18, 56)
assert ordered_insert(0) == L(0, 0, 3, 4, 7, 8, 11, 13, 18, 56)
assert ordered_insert(2) == L(1, 2, 2, 4, 7, 8, 11, 13, 18, 56)
for name, x in [("after_56_into_last_place", 60), ("equal_to_last", 78), ("above_all", 100),
                ("loses_7", 5), ("before_first", 0), ("loses_3", 2), ("equal_to_first", 1),
                ("equal_to_56", 56), ("most_negative", INT_MIN), ("most_positive", INT_MAX)]:
    case("ordered_insert", name, "%d\n" % x, ordered_insert(x))
reject("ordered_insert", "reject_empty_input", "", "", "input ended before the value")

def binary_search(x):
    arr = list(range(1, 11))
    high, low = 9, 0
    mid = (high + low) // 2
    while arr[mid] != x and low < high:
        mid = (high + low) // 2
        if x < arr[mid]:
            high = mid - 1
        else:
            low = mid + 1
    return "%d\n" % (x if x == arr[mid] else 0)
for v in [2, 3, 5, 6, 8, 9]:
    assert binary_search(v) == "%d\n" % v
for v in [1, 4, 7, 10, 0, 11, -3]:
    assert binary_search(v) == "0\n"
for name, x in [("found_2", 2), ("found_5", 5), ("found_9", 9), ("missed_1", 1),
                ("missed_4", 4), ("missed_7_stale_mid", 7), ("missed_10", 10),
                ("below_range", 0), ("above_range", 11), ("most_negative", INT_MIN)]:
    case("binary_search_ten", name, "%d\n" % x, binary_search(x))
reject("binary_search_ten", "reject_empty_input", "", "", "input ended before the value")

def linear_search(x):
    return "%d\n" % (x - 1 if 1 <= x <= 10 else 0)
assert linear_search(4) == "3\n" and linear_search(10) == "9\n" and linear_search(1) == "0\n"
for name, x in [("value_4_at_3", 4), ("value_10_at_9", 10), ("value_1_at_0", 1),
                ("absent_11", 11), ("absent_0", 0), ("absent_negative", -4)]:
    case("linear_search_ten", name, "%d\n" % x, linear_search(x))
reject("linear_search_ten", "reject_empty_input", "", "", "input ended before the value")

# ---------------------------------------------------------------- text
def kmp(pattern, text):
    # First occurrence by plain search; an empty pattern never matches.
    if pattern == "":
        return -1
    k = text.find(pattern)
    return -1 if k < 0 else k + len(pattern)
assert kmp("ab", "xxabab") == 4 and kmp("aab", "aaab") == 4
kcases = [("stated_example", "ab", "xxabab"), ("whole_text", "hello", "hello"),
          ("pattern_longer", "abcdef", "abc"), ("not_contained", "xyz", "abcabcab"),
          ("empty_pattern", "", "abc"), ("empty_text", "abc", ""),
          ("fallback_aab", "aab", "aaab"), ("match_at_start", "ab", "abxxab"),
          ("overlapping_prefix", "abab", "abaabababab"),
          ("spaces_count", "o w", "hello world"), ("single_char", "z", "abcz")]
for name, p, t in kcases:
    case("kmp_search", name, p + "\n" + t + "\n", "%d\n" % kmp(p, t))
case("kmp_search", "text_without_newline", "cd\nabcd", "%d\n" % kmp("cd", "abcd"))
long_t = "a" * 4094 + "b"
case("kmp_search", "longest_lines", "a" * 4094 + "b\n" + long_t + "\n", "4095\n")
case("kmp_search", "extra_lines_ignored", "b\nab\nb\n", "2\n")
reject("kmp_search", "reject_pattern_4096_chars", "a" * 4096 + "\nabc\n", "",
       "line longer than 4095 characters")
reject("kmp_search", "reject_text_4096_chars", "ab\n" + "x" * 4096 + "\n", "",
       "line longer than 4095 characters")
reject("kmp_search", "reject_pattern_without_newline", "ab", "",
       "input ended within the pattern line")
reject("kmp_search", "reject_no_text_line", "ab\n", "", "input ended before the text line")
reject("kmp_search", "reject_empty_input", "", "", "input ended within the pattern line")

def char_digit_io(data):
    pos = [0]
    def getch():
        if pos[0] >= len(data):
            return -1
        c = data[pos[0]]; pos[0] += 1
        return ord(c)
    def my_getint():
        c = getch() - 48
        while not 0 <= c <= 9:
            if c == -49:
                return None
            c = getch() - 48
        s = c
        c = getch() - 48
        while 0 <= c <= 9:
            s = w(w(s * 10) + c)
            c = getch() - 48
        return s
    out = []
    n = my_getint()
    if n is None:
        return "".join(out), False
    while n > 0:
        m = my_getint()
        if m is None:
            return "".join(out), False
        out.append(str(m) if m > 0 else "")
        out.append("\n")
        n -= 1
    return "".join(out), True
assert char_digit_io("3\n12\n0\n345\n") == ("12\n\n345\n", True)
for name, data in [("stated_example", "3\n12\n0\n345\n"), ("count_zero", "0\n5\n"),
                   ("minus_sign_skipped", "1\n-5\n"),
                   ("mixed_separators", "3 a7b,,x9-0042z\n"),
                   ("wraps_past_32_bits", "3\n2147483647\n2147483648\n4294967297\n"),
                   ("last_number_at_end", "2\n10\n42"), ("count_ends_at_digit", "1x77\n")]:
    out, ok = char_digit_io(data)
    assert ok
    case("char_digit_io", name, data, out)
for name, data in [("reject_empty_input", ""), ("reject_no_digit_left", "3\n1\n2\n  -\n"),
                   ("reject_count_without_digit", "abc\n")]:
    out, ok = char_digit_io(data)
    assert not ok
    reject("char_digit_io", name, data, out, "input ended while looking for a digit")

for name, a, b in [("stated_example", 3, 7), ("negatives", -1, -200), ("equal", 5, 5),
                   ("extremes", INT_MIN, INT_MAX)]:
    case("swap_two", name, "%d %d\n" % (a, b), "%d\n%d\n" % (b, a))
case("swap_two", "saturated_input", "4294967297\n-9999999999\n",
     "%d\n%d\n" % (INT_MIN, INT_MAX))
reject("swap_two", "reject_one_integer", "3\n", "", "input ended before two integers were read")
reject("swap_two", "reject_empty_input", "", "", "input ended before two integers were read")

case("array_concat", "fixed_arrays", None, "012012\n")
def dec2bin(a):
    r, k, t = 0, 1, a
    while t != 0:
        r = w(w(k * trem(t, 2)) + r); k = w(k * 10); t = tdiv(t, 2)
    return r
assert dec2bin(400) == 110010000 and dec2bin(-2) == -10
case("base_two_digits", "fixed_400", None, "%d\n" % dec2bin(400))
case("digit_split", "fixed_1478", None, "1\n4\n7\n8\n")
case("offset_cipher", "fixed_400", None, "401\n")
case("palindrome_number", "fixed_1221", None, "1221\n")
names = ["Saabaru", "Kaban", "Hashibirokou", "Araiguma", "Hunboruto Pengin", "Tairiku Ookami"]
g = ["Welcome to the Japari Park!\n"]
i = 0
seen = []
while True:
    seen.append(i)
    a, b = i // 6, i % 6
    if a != b:
        g.append(names[a] + " says hello to " + names[b] + "\n")
    i = (i * 17 + 23) % 32
    if i == 0:
        break
assert sorted(seen) == list(range(32)) and len(g) == 28
case("greeting_pairs", "fixed_names", None, "".join(g))

# ---------------------------------------------------------------- algorithms
for prog, st in [("jump_game", 1), ("container_area", 56), ("last_word_length", 5),
                 ("max_subarray_sum", 25), ("remove_value", 8), ("grid_paths", 6),
                 ("stair_ways", 8), ("divisor_sum", 2220), ("equality_bit_chain", 230)]:
    case(prog, "fixed_result", None, "", st, runtime=False)
assert sum(d for d in range(1, 1479) if 1478 % d == 0) == 2220
case("modular_inverse", "seven_mod_fifteen", None, "13")
case("integer_sqrt", "root_of_400", None, "20\n")

def hanoi(n, a, b, c, out):
    if n == 1:
        out.append("%d %d, " % (a, c))
    else:
        hanoi(n - 1, a, c, b, out); out.append("%d %d, " % (a, c)); hanoi(n - 1, b, a, c, out)
def hanoi_line(n):
    out = []; hanoi(n, 1, 2, 3, out); return "".join(out) + "\n"
assert hanoi_line(1) + hanoi_line(2) == "1 3, \n1 2, 1 3, 2 3, \n"
case("hanoi_moves", "stated_example", "2 1 2\n", hanoi_line(1) + hanoi_line(2))
case("hanoi_moves", "three_disks", "1\n3\n", hanoi_line(3))
case("hanoi_moves", "ten_disks", "1\n10\n", hanoi_line(10))
assert hanoi_line(10).count(",") == 1023
case("hanoi_moves", "count_zero", "0\n", "")
case("hanoi_moves", "negative_count", "-2 5 5\n", "")
reject("hanoi_moves", "reject_zero_disks", "2 1 0\n", hanoi_line(1), "disk count 0 is not positive")
reject("hanoi_moves", "reject_negative_disks", "1 -3\n", "", "disk count -3 is not positive")
reject("hanoi_moves", "reject_most_negative_disks", "1 -2147483648\n", "",
       "disk count -2147483648 is not positive")
reject("hanoi_moves", "reject_21_disks", "1 21\n", "", "disk count 21 above 20")
reject("hanoi_moves", "reject_input_ends", "3 2 1\n", hanoi_line(2) + hanoi_line(1),
       "input ended before disk count 3")
reject("hanoi_moves", "reject_empty_input", "", "", "input ended before the count")

def gcd_rec(m, n):
    return m if n == 0 else gcd_rec(n, trem(m, n))
assert gcd_rec(12, 18) == 6 and gcd_rec(7, 5) == 1
case("gcd_pairs", "stated_example", "2 12 18 7 5\n", "6\n1\n")
prs = [(0, 5), (5, 0), (0, 0), (-12, 18), (12, -18), (INT_MIN, -1), (INT_MIN, INT_MIN),
       (INT_MAX, INT_MIN), (1071, 462)]
case("gcd_pairs", "zeros_signs_extremes",
     "%d\n" % len(prs) + "".join("%d %d\n" % p for p in prs),
     "".join("%d\n" % gcd_rec(*p) for p in prs))
fib = [(1134903170, 1836311903)]  # consecutive Fibonacci numbers: the deepest recursion
case("gcd_pairs", "fibonacci_neighbours", "1 1134903170 1836311903\n",
     "%d\n" % gcd_rec(*fib[0]))
case("gcd_pairs", "count_zero", "0 4 6\n", "")
reject("gcd_pairs", "reject_input_ends_within_pair", "2 4 6 9\n", "2\n",
       "input ended within pair 2")
reject("gcd_pairs", "reject_empty_input", "", "", "input ended before the count")

def fun(m, n):
    while n > 0:
        m, n = n, trem(m, n)
    return m
assert fun(12, 18) == 6 and fun(9, 0) == 9 and fun(9, -4) == 9
for name, m, n in [("stated_example", 12, 18), ("larger_first", 18, 12), ("second_zero", 7, 0),
                   ("second_negative", 7, -3), ("first_zero", 0, 5), ("coprime", 35, 64),
                   ("most_negative_with_minus_one", INT_MIN, -1),
                   ("most_negative_first", INT_MIN, 3)]:
    case("gcd_loop", name, "%d %d\n" % (m, n), "%d" % fun(m, n))
reject("gcd_loop", "reject_one_integer", "12\n", "", "input ended before two integers were read")

def lcm(m, n):
    a, b = m, n
    if m < n:
        m, n = n, m
    r = trem(m, n)
    while r != 0:
        m, n = n, r
        r = trem(m, n)
    return tdiv(w(a * b), n)
assert lcm(4, 6) == 12 and lcm(6, 4) == 12
for name, a, b in [("stated_example", 4, 6), ("larger_first", 6, 4), ("coprime", 7, 5),
                   ("above_255", 300, 7), ("negative", -4, 6), ("equal", 9, 9),
                   ("most_negative_with_minus_one", INT_MIN, -1),
                   ("product_wraps", 65536, 65537)]:
    case("lcm_status", name, "%d %d\n" % (a, b), "", lcm(a, b))
for name, a, b in [("reject_zero_first", 0, 5), ("reject_zero_second", 5, 0),
                   ("reject_both_zero", 0, 0)]:
    reject("lcm_status", name, "%d %d\n" % (a, b), "", "zero in %d %d would be a divisor" % (a, b))
reject("lcm_status", "reject_one_integer", "4\n", "", "input ended before two integers were read")

def rev(vals):
    return "".join(str(v) for v in reversed(vals[:200]))
seq = list(range(1, 201))
assert rev(seq).startswith("200199198") and rev(seq).endswith("4321")
case("reverse_echo", "stated_example", " ".join(map(str, seq)) + "\n", rev(seq))
rng = random.Random(8)
mixed = [rng.choice([INT_MIN, INT_MAX, 0, -1]) if k % 17 == 0 else rng.randint(-999, 999)
         for k in range(200)]
case("reverse_echo", "signed_values", "\n".join(map(str, mixed)) + "\n", rev(mixed))
case("reverse_echo", "extra_input_ignored", " ".join(map(str, seq + [7, 8])) + "\n", rev(seq))
reject("reverse_echo", "reject_199_integers", " ".join(map(str, range(199))) + "\n", "",
       "input ended after 199 of 200 integers")
reject("reverse_echo", "reject_empty_input", "", "", "input ended after 0 of 200 integers")

case("hundred_items_search", "single_line", None, "01000\n")
case("nested_block_countdown", "fixed", None, "-40", 3390)
case("doubling_global", "fixed", None, "1024", 1024)
case("zero_product_loop", "fixed", None, "0")
case("sum_to_twenty", "fixed", None, "%d" % sum(range(21)))

def pair_sum(vals):
    s = 0
    for v in reversed(vals):
        s = w(s + v)
    return trem(s, 79)
assert pair_sum([5, 7]) == 12 and pair_sum([100]) == 21 and pair_sum([-5]) % 256 == 251
for name, vals in [("stated_example", [5, 7]), ("one_hundred", [100]), ("negative_sum", [-5]),
                   ("sum_wraps", [INT_MAX, 1, 78])]:
    case("pair_input_sum_mod", name, "".join("1 %d " % v for v in vals) + "0\n", "",
         pair_sum(vals))
case("pair_input_sum_mod", "no_pairs", "0\n", "", 0)
case("pair_input_sum_mod", "any_nonzero_marker", "-3 40 7 41 0\n", "", pair_sum([40, 41]))
rng = random.Random(100)
full = [rng.randint(-10**6, 10**6) for _ in range(100)]
case("pair_input_sum_mod", "full_hundred_pairs", " ".join("1 %d" % v for v in full) + " 0\n",
     "", pair_sum(full))
reject("pair_input_sum_mod", "reject_101_pairs", "1 1 " * 101 + "0\n", "", "more than 100 pairs")
reject("pair_input_sum_mod", "reject_no_closing_zero", "1 5 1 7\n", "",
       "input ended before the closing 0")
reject("pair_input_sum_mod", "reject_input_ends_within_pair", "1 5 1\n", "",
       "input ended within pair 2")
reject("pair_input_sum_mod", "reject_empty_input", "", "", "input ended before the closing 0")

for prog, names_ in sorted(written.items()):
    print(prog, len(names_))
