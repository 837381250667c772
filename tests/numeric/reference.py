#!/usr/bin/env python3
"""Independent model of the float programs, for deriving golden outputs.

Usage: reference.py PROGRAM < input > expected-stdout
PROGRAM is float_calculus, dct_round_trip, float_semantics_check or
image_rotate. Only well-formed input is modelled (no rejections).

Single precision is emulated with Python doubles rounded through struct after
every operation: one +, -, * or / of two floats computed in double and rounded
once to float is exactly the float operation. NaNs follow the reference
platform: an invalid operation gives +NaN, otherwise the first NaN operand
comes through. Output mimics C's "%a" of the float widened to double.
"""
import math
import re
import struct
import sys

NAN = float("nan")  # positive quiet NaN


def f32(x):
    if math.isnan(x):
        return x
    try:
        return struct.unpack("f", struct.pack("f", x))[0]
    except OverflowError:  # rounds to infinity
        return math.copysign(math.inf, x)


def bits(b):
    return struct.unpack("<f", struct.pack("<I", b))[0]


def _op(a, b, fn):
    if math.isnan(a):
        return a
    if math.isnan(b):
        return b
    r = fn(a, b)
    return NAN if math.isnan(r) else f32(r)


def _div(a, b):
    if b == 0.0:
        if a == 0.0:
            return NAN
        neg = (math.copysign(1, a) < 0) != (math.copysign(1, b) < 0)
        return -math.inf if neg else math.inf
    return a / b


def add(a, b): return _op(a, b, lambda x, y: x + y)
def sub(a, b): return _op(a, b, lambda x, y: x - y)
def mul(a, b): return _op(a, b, lambda x, y: x * y)
def div(a, b): return _op(a, b, _div)


def to_int(x):
    if math.isnan(x):
        return 0
    if x >= 2147483648.0:
        return 2147483647
    if x <= -2147483648.0:
        return -2147483648
    return int(x)


def wrap(i):
    return (i + 2**31) % 2**32 - 2**31


def fmt(x):
    if math.isnan(x):
        return "-nan" if math.copysign(1, x) < 0 else "nan"
    if math.isinf(x):
        return "-inf" if x < 0 else "inf"
    if x == 0.0:
        return "-0x0p+0" if math.copysign(1, x) < 0 else "0x0p+0"
    mant, exp = x.hex().split("p")
    return mant.rstrip("0").rstrip(".") + "p" + exp


# ---- the five helpers ----
CUTOFF = bits(0x358637BD)
TWO_PI = bits(0x40C90FDB)
PI = bits(0x40490FDB)
HALF_PI = bits(0x3FC90FDB)


def my_fabs(x):
    return x if x > 0.0 else sub(0.0, x)


def p(x):
    a = mul(3.0, x)
    b = mul(mul(mul(4.0, x), x), x)
    return sub(a, b)


def my_sin_impl(x):
    # The recursion unrolled: divide down (a NaN stops at once), then climb.
    depth = 0
    while my_fabs(x) > CUTOFF:
        x = div(x, 3.0)
        depth += 1
    for _ in range(depth):
        x = p(x)
    return x


def my_sin(x):
    if x > TWO_PI or x < -6.0:
        k = to_int(div(x, TWO_PI))
        x = sub(x, mul(f32(float(k)), TWO_PI))
    if x > PI:
        x = sub(x, TWO_PI)
    if x < -3.0:
        x = add(x, TWO_PI)
    return my_sin_impl(x)


def my_cos(x):
    return my_sin(add(x, HALF_PI))


# ---- input ----
class Input:
    def __init__(self, text):
        self.text = text
        self.pos = 0

    def _token(self):
        m = re.compile(r"\s*(\S+)").match(self.text, self.pos)
        if not m:
            return None
        self.pos = m.end()
        return m.group(1)

    def int(self):
        t = self._token()
        return 0 if t is None else max(-2**31, min(2**31 - 1, int(t)))

    def float(self):
        t = self._token()
        return f32(float.fromhex(t) if "0x" in t.lower() else float(t))

    def ch(self):
        c = self.text[self.pos]
        self.pos += 1
        return c


# ---- programs ----
E = bits(0x402DF854)
SERIES = bits(0x3A83126F)
LN_TOL = bits(0x322BCC77)


def my_pow(a, n):
    res = 1.0
    while n != 0:
        if n % 2 != 0:
            res = mul(res, a)
        a = mul(a, a)
        n = int(n / 2)
    return res


def calc_sqrt(x):
    if x > 100.0:
        return mul(10.0, calc_sqrt(div(x, 100.0)))
    return newton(x)


def newton(x):
    t = add(add(div(x, 8.0), 0.5), div(mul(2.0, x), add(4.0, x)))
    for _ in range(10):
        t = div(add(t, div(x, t)), 2.0)
    return t


def simpson(a, b):
    c = add(a, div(sub(b, a), 2.0))
    fa, fc, fb = div(1.0, a), div(1.0, c), div(1.0, b)
    return div(mul(add(add(fa, mul(4.0, fc)), fb), sub(b, a)), 6.0)


def asr5(a, b, eps, whole):
    c = add(a, div(sub(b, a), 2.0))
    left, right = simpson(a, c), simpson(c, b)
    both = add(left, right)
    diff = sub(both, whole)
    if not (my_fabs(diff) > mul(15.0, eps)):
        return add(both, div(diff, 15.0))
    return add(asr5(a, c, div(eps, 2.0), left), asr5(c, b, div(eps, 2.0), right))


def my_ln(x):
    return asr5(1.0, x, LN_TOL, simpson(1.0, x))


def eee(x):
    if x > SERIES:
        t = eee(div(x, 2.0))
        return mul(t, t)
    s = add(add(1.0, x), div(mul(x, x), 2.0))
    s = add(s, div(my_pow(x, 3), 6.0))
    s = add(s, div(my_pow(x, 4), 24.0))
    return add(s, div(my_pow(x, 5), 120.0))


def my_exp(x):
    # An infinity never ends (the program rejects it); a NaN reaches the series.
    assert not math.isinf(x)
    if x < 0.0:
        return div(1.0, my_exp(sub(0.0, x)))
    n = to_int(x)
    x = sub(x, f32(float(n)))
    return mul(my_pow(E, n), eee(x))


def float_calculus(inp):
    out = []
    count = inp.int()
    while count != 0:
        x, y = inp.float(), inp.float()
        f = [fmt(my_fabs(x)), fmt(my_pow(x, 2)), fmt(calc_sqrt(x)), fmt(my_exp(x))]
        f.append(fmt(my_ln(x)) if x > 0.0 else "-")
        f.append(fmt(div(my_ln(y), my_ln(x))) if x > 0.0 and y > 0.0 else "-")
        f.append(fmt(my_exp(mul(y, my_ln(x)))) if x > 0.0 else "-")
        out.append(" ".join(f) + "\n")
        count = wrap(count - 1)
    return "".join(out)


def dct_round_trip(inp):
    n, m = inp.int(), inp.int()
    block = [[inp.float() for _ in range(m)] for _ in range(n)]

    def cosine(size, k, f):
        return my_cos(mul(mul(div(PI, f32(size)), add(f32(k), 0.5)), f32(f)))

    dct = [[0.0] * max(m, 1) for _ in range(max(n, 1))]
    for u in range(n):
        for v in range(m):
            acc = 0.0
            for i in range(n):
                for j in range(m):
                    t = mul(block[i][j], cosine(n, i, u))
                    acc = add(acc, mul(t, cosine(m, j, v)))
            dct[u][v] = acc
    inv = [[0.0] * max(m, 1) for _ in range(max(n, 1))]
    for u in range(n):
        for v in range(m):
            acc = mul(0.25, dct[0][0])
            for i in range(1, n):
                acc = add(acc, mul(0.5, dct[i][0]))
            for j in range(1, m):
                acc = add(acc, mul(0.5, dct[0][j]))
            for i in range(1, n):
                for j in range(1, m):
                    t = mul(dct[i][j], cosine(n, u, i))
                    acc = add(acc, mul(t, cosine(m, v, j)))
            inv[u][v] = div(mul(div(mul(acc, 2.0), f32(n)), 2.0), f32(m))

    def write(mat):
        lines = [" ".join(fmt(mat[i][j]) for j in range(max(m, 1))) + "\n" for i in range(n)]
        return "".join(lines) + "\n"

    return write(dct) + write(inv)


def circle_area(r):
    first = mul(mul(PI, f32(r)), f32(r))
    second = mul(f32(wrap(r * r)), PI)
    return div(add(first, second), 2.0)


def float_semantics_check(inp):
    out = ["ok\n"] * 8
    array = [1.0, 2.0] + [0.0] * 8
    n = inp.int()
    for i in range(n):
        array[i] = inp.float()
    for i in range(9):
        x = inp.float()
        area = mul(mul(PI, x), x)
        iarea = circle_area(to_int(x))
        array[i] = add(array[i], x)
        out.append(f"{fmt(area)} {to_int(iarea)}\n")
    out.append(f"{n}:" + "".join(" " + fmt(array[i]) for i in range(n)) + "\n")
    return "".join(out)


def image_rotate(inp):
    angle = inp.float()
    inp.ch()
    assert inp.ch() == "P" and inp.ch() == "2"
    w, h = inp.int(), inp.int()
    assert w <= 1024 and h <= 1024 and inp.int() == 255
    img = [inp.int() for _ in range(max(w, 0) * max(h, 0))] if w > 0 and h > 0 else []
    if img:
        s, c = my_sin(angle), my_cos(angle)
    out = [f"P2\n{w} {h} 255\n"]
    for y in range(max(h, 0)):
        row = []
        for x in range(max(w, 0)):
            dx, dy = x - int(w / 2), y - int(h / 2)
            sx = to_int(add(sub(mul(f32(dx), c), mul(f32(dy), s)), f32(int(w / 2))))
            sy = to_int(add(add(mul(f32(dx), s), mul(f32(dy), c)), f32(int(h / 2))))
            inside = 0 <= sx < w and 0 <= sy < h
            row.append(f"{img[sy * w + sx] if inside else 0} ")
        out.append("".join(row) + "\n")
    return "".join(out)


if __name__ == "__main__":
    sys.setrecursionlimit(10000)
    program = globals()[sys.argv[1]]
    sys.stdout.write(program(Input(sys.stdin.read())))
