# Single-precision model of float_semantics_check, independent of the program:
# input read exactly (decimal through fractions, rounded once to float, the
# subnormals included), each operation in double and rounded to float (exact
# for one + or * of floats), NaNs as the reference gives them.
# Run without arguments it checks itself against the existing cases; with a
# file it prints the program's output for that input.
import glob, math, os, struct, sys
from fractions import Fraction

PI = float.fromhex('0x1.921fb6p+1')


def f32_of(q):
    """The float nearest the exact rational q, ties to even."""
    if q == 0:
        return 0.0
    sign, q = (-1.0, -q) if q < 0 else (1.0, q)
    e = q.numerator.bit_length() - q.denominator.bit_length()
    while Fraction(2) ** e > q:
        e -= 1
    while Fraction(2) ** (e + 1) <= q:
        e += 1
    quantum = Fraction(2) ** (max(e, -126) - 23)
    n = q / quantum
    whole = math.floor(n)
    if n - whole > Fraction(1, 2) or (n - whole == Fraction(1, 2) and whole % 2):
        whole += 1
    value = whole * quantum
    return sign * (math.inf if value >= Fraction(2) ** 128 else float(value))


def read(token):
    t = token.lower().lstrip('+')
    neg = t.startswith('-')
    t = t.lstrip('-')
    if t in ('inf', 'infinity'):
        v = math.inf
    elif t == 'nan':
        v = math.nan
    elif t.startswith('0x'):
        v = f32_of(Fraction(float.fromhex(t)))  # hex floats here are exact doubles
    else:
        v = f32_of(Fraction(t))
    return -v if neg else v  # -nan keeps its sign bit through negation


def r(x):
    return struct.unpack('<f', struct.pack('<f', x))[0] if math.isfinite(x) else x


def reference(op, a, b):
    if math.isnan(a):
        return a
    if math.isnan(b):
        return b
    v = op(a, b)
    if math.isnan(v):
        return math.nan  # positive default NaN
    return r(v) if abs(v) < 2.0 ** 128 else math.copysign(math.inf, v)


def fmul(a, b):
    return reference(lambda x, y: x * y, a, b)


def fadd(a, b):
    return reference(lambda x, y: x + y, a, b)


def to_int(x):
    if math.isnan(x):
        return 0
    if math.isinf(x):
        return 2 ** 31 - 1 if x > 0 else -2 ** 31
    return max(-2 ** 31, min(2 ** 31 - 1, int(x)))


def wrap(i):
    return (i + 2 ** 31) % 2 ** 32 - 2 ** 31


def circle_area(radius):
    first = fmul(fmul(PI, float(radius)), float(radius))
    second = fmul(r(float(wrap(radius * radius))), PI)
    return r(fadd(first, second) / 2.0)


def fmt(v):
    if math.isnan(v):
        return '-nan' if math.copysign(1, v) < 0 else 'nan'
    if math.isinf(v):
        return 'inf' if v > 0 else '-inf'
    if v == 0:
        return '-0x0p+0' if math.copysign(1, v) < 0 else '0x0p+0'
    sign = '-' if v < 0 else ''
    mant, exp = abs(v).hex()[2:].split('p')
    whole, _, frac = mant.partition('.')
    frac = frac.rstrip('0')
    exp = int(exp)  # a subnormal float is a normal double: 0x1.xp-E
    return f"{sign}0x1{'.' + frac if frac else ''}p{'+' if exp >= 0 else ''}{exp}"


def run(text):
    tokens = text.split()
    n = max(-2 ** 31, min(2 ** 31 - 1, int(tokens[0])))  # %d saturates
    array = [1.0, 2.0] + [0.0] * 8
    values = [read(t) for t in tokens[1:]]
    k = max(n, 0)  # a count below 1 reads no element
    array[:k] = values[:k]
    out = ['ok'] * 8
    for i, x in enumerate(values[k:k + 9]):
        area = fmul(fmul(PI, x), x)
        out.append(f'{fmt(area)} {to_int(circle_area(to_int(x)))}')
        array[i] = fadd(array[i], x)
    out.append(f'{n}:' + ''.join(' ' + fmt(v) for v in array[:k]))
    return '\n'.join(out) + '\n'


if __name__ == '__main__':
    if len(sys.argv) > 1:
        sys.stdout.write(run(open(sys.argv[1]).read()))
        sys.exit(0)
    cases = os.path.dirname(os.path.abspath(__file__)) + '/../../cases/float_semantics_check/'
    for name in sorted(glob.glob(cases + '[!r]*.in')):
        print(os.path.basename(name), run(open(name).read()) == open(name[:-3] + '.out').read())
