#!/usr/bin/env python3
"""Random calls of every function of the engine's table, for comparing two programs' results.

  random_calls.py generate FUNCTION_LIBRARY_CPP SEED COUNT > calls.txt
  random_calls.py hardest > calls.txt
  random_calls.py compare CALLS LINUX_OUTPUT WINDOWS_OUTPUT [KNOWN [SHOWN]]

`generate` writes one call a line, e.g. `sin(1.5707963267948966)`, for `pemtrix --eval -`. The
names and arities are read from the table in FunctionLibrary.cpp, so that a function added
there is called here too or the generator stops with an error. The arguments mix every
magnitude from 1e-300 to 1e300 of either sign, special values (zeros, infinities, NaN of either
sign, the smallest and largest doubles), integers and near-integers, and what is hard for each
function: doubles near multiples of pi/2 for the trigonometric functions, the ends of the
domain for asin, acos and the logarithms, the overflow and underflow thresholds of exp. The
same seed gives the same calls.

`hardest` writes sin, cos and tan of the doubles closest to a multiple of pi/2 that exist, one
for each binary exponent up to 1e300, where the result is all in the bits of the reduced
argument far below the argument's own. Linux's C library is off by up to 1e5 ulps on half of
them, so these are for looking at by hand, not for comparing.

`compare` counts, per function and arity, the lines whose outputs differ, prints the first
SHOWN of them (default 25) and exits 1 when any differ, except the calls that the file KNOWN
lists (a call, a tab and the output that is right, per line; `-` for none): there the Windows
output must be the listed one, whatever Linux prints.
"""
import collections
import math
import random
import re
import sys
from decimal import Decimal, getcontext
from fractions import Fraction

getcontext().prec = 80

# --- pi in integers (Machin's formula), for the multiples of pi/2 -------------------------------

PI_BITS = 1500


def _arctan_inverse(n, bits):
    """atan(1/n) * 2**bits, truncated, for integer n > 1."""
    guard = 16
    one = 1 << (bits + guard)
    power = one // n
    total = power
    k = 1
    while power:
        power //= n * n
        term = power // (2 * k + 1)
        total = total - term if k % 2 else total + term
        k += 1
    return total >> guard


PI_FIXED = 16 * _arctan_inverse(5, PI_BITS) - 4 * _arctan_inverse(239, PI_BITS)  # pi * 2**PI_BITS
TWO_OVER_PI = Fraction(2 << PI_BITS, PI_FIXED)
HALF_PI_DECIMAL = Decimal(PI_FIXED) / Decimal(2 << PI_BITS)


def nearest_double(value):
    """The double nearest to a Fraction or Decimal (both convert with one rounding)."""
    if isinstance(value, Fraction):
        return value.numerator / value.denominator  # true division of integers rounds once
    return float(value)


def near_multiple_of_half_pi(k):
    return nearest_double(HALF_PI_DECIMAL * k)


_hard_cache = {}


def hardest_for_reduction(exponent):
    """A double m * 2**exponent (2**52 <= m < 2**53) close to a multiple of pi/2: m from the
    continued fraction of the fractional part of 2**exponent * 2/pi."""
    if exponent in _hard_cache:
        return _hard_cache[exponent]
    alpha = TWO_OVER_PI * Fraction(2) ** exponent
    alpha -= math.floor(alpha)
    best, best_distance = None, None
    q_previous, q = 0, 1
    rest = alpha
    while True:
        if rest == 0:
            break
        rest = 1 / rest
        a = math.floor(rest)
        rest -= a
        q_previous, q = q, a * q + q_previous
        if q >= 1 << 53:
            break
        m = -(-(1 << 52) // q) * q  # the first multiple of q in [2**52, 2**53)
        if m >= 1 << 53:
            continue
        product = alpha * m
        distance = abs(product - round(product))
        if best is None or distance < best_distance:
            best, best_distance = m, distance
    value = math.ldexp(best, exponent) if best else math.ldexp(1.0, exponent + 52)
    _hard_cache[exponent] = value
    return value


# --- argument classes --------------------------------------------------------------------------

# 0/0 is the NaN with the sign bit set (and so is its negation: a product keeps its NaN's
# sign), asin(2) the one without.
SPECIAL = ["0", "-0", "1e400", "-1e400", "(0/0)", "asin(2)", "4.9e-324", "-4.9e-324",
           "2.2250738585072014e-308", "1.7976931348623157e308", "-1.7976931348623157e308", "1", "-1"]


def text(x):
    """An argument as the engine reads it; special values as expressions that give them."""
    if math.isnan(x):
        return "(0/0)"
    if math.isinf(x):
        return "1e400" if x > 0 else "-1e400"
    return repr(x)


def ulps_away(x, count):
    for _ in range(abs(count)):
        x = math.nextafter(x, math.inf if count > 0 else -math.inf)
    return x


def signed(r, x):
    return -x if r.random() < 0.5 else x


def wide(r):
    """Any magnitude from 1e-300 to 1e300, either sign."""
    return signed(r, r.uniform(1, 10) * 10.0 ** r.randint(-300, 300))


def moderate(r):
    return signed(r, r.uniform(0, 10.0 ** r.choice([0, 1, 2, 3])))


def near_integer(r):
    n = float(r.randint(-200, 200))
    choice = r.random()
    if choice < 0.4:
        return n
    if choice < 0.7:
        return ulps_away(n, r.randint(-3, 3))
    if choice < 0.85:
        return n + signed(r, 1e-9)
    return n + 0.5


def common(r):
    """The part of every function's arguments that is the same for all: wide, moderate,
    integers, special values."""
    choice = r.random()
    if choice < 0.45:
        return text(wide(r))
    if choice < 0.7:
        return text(moderate(r))
    if choice < 0.9:
        return text(near_integer(r))
    return r.choice(SPECIAL)


def trigonometric(r):
    choice = r.random()
    if choice < 0.3:
        k = r.randint(-64, 64) if r.random() < 0.5 else r.randint(-(1 << 30), 1 << 30)
        return text(ulps_away(near_multiple_of_half_pi(k), r.randint(-2, 2)))
    if choice < 0.6:  # large arguments, where the reduction matters most
        return text(signed(r, r.uniform(1, 10) * 10.0 ** r.randint(4, 300)))
    return common(r)


def inverse_trigonometric(r):
    choice = r.random()
    if choice < 0.35:
        return text(r.uniform(-1, 1))
    if choice < 0.55:
        return text(signed(r, 1 - 2.0 ** -r.randint(1, 53)))
    if choice < 0.65:
        return text(signed(r, ulps_away(1.0, r.randint(-4, 4))))
    if choice < 0.75:
        return text(signed(r, r.uniform(0.4, 0.6)))
    return common(r)


def exponential(r):
    choice = r.random()
    if choice < 0.3:
        return text(r.uniform(-750, 750))
    if choice < 0.45:  # the ends of the double range
        edge = r.choice([709.782712893384, -708.3964185322641, -745.1332191019411, -744.44007192138])
        return text(ulps_away(edge, r.randint(-40, 40)))
    if choice < 0.55:
        return text(signed(r, 2.0 ** -r.randint(1, 60) * r.uniform(1, 2)))
    return common(r)


def logarithmic(r):
    choice = r.random()
    if choice < 0.35:
        return text(r.uniform(1, 10) * 10.0 ** r.randint(-300, 300))
    if choice < 0.5:
        return text(1 + signed(r, 2.0 ** -r.randint(1, 52) * r.uniform(1, 2)))
    if choice < 0.55:
        return text(ulps_away(1.0, r.randint(-4, 4)))
    if choice < 0.6:
        return text(r.uniform(1, 2) * 2.0 ** r.randint(-1074, -1023))  # subnormal
    if choice < 0.7:
        return text(float(r.randint(1, 1 << 20)))
    return common(r)


def integral(r):
    choice = r.random()
    if choice < 0.5:
        return text(float(r.randint(-3, 30)) + (0.9 if r.random() < 0.2 else 0.0))
    if choice < 0.7:
        return text(float(r.randint(-(1 << 31), 1 << 31)))
    return common(r)


def power_arguments(r):
    choice = r.random()
    if choice < 0.3:
        return [text(r.uniform(0, 10)), text(r.uniform(-20, 20))]
    if choice < 0.5:
        return [text(1 + signed(r, r.uniform(0, 1e-6))), text(signed(r, 10.0 ** r.randint(3, 9)))]
    if choice < 0.7:
        return [text(float(r.randint(0, 20))), text(float(r.randint(-30, 30)))]
    return [common(r), common(r)]


def angle_arguments(r):
    choice = r.random()
    if choice < 0.4:
        return [text(moderate(r)), text(moderate(r))]
    if choice < 0.6:
        return [r.choice(SPECIAL), r.choice(SPECIAL)]
    return [common(r), common(r)]


ONE_ARGUMENT = {
    "sin": trigonometric, "cos": trigonometric, "tan": trigonometric,
    "asin": inverse_trigonometric, "acos": inverse_trigonometric, "atan": common,
    "hypsin": exponential, "hypcos": exponential, "hyptan": exponential, "exp": exponential,
    "log": logarithmic, "ln": logarithmic, "cubert": logarithmic,
    "deg": common, "sq": common, "sqrt": logarithmic, "cube": common,
    "fact": integral, "int": integral, "rand": common,
}
TWO_ARGUMENTS = {
    "pow": power_arguments, "atan": angle_arguments,
    "perm": lambda r: [integral(r), integral(r)], "comb": lambda r: [integral(r), integral(r)],
    "gcd": lambda r: [integral(r), integral(r)], "lcm": lambda r: [integral(r), integral(r)],
}
LIST = ["avg", "stdevp", "stdev", "sqsum"]


def table_of(function_library):
    """(name, arity) pairs of the table in FunctionLibrary.cpp."""
    with open(function_library, encoding="utf-8") as source:
        return set(re.findall(r'\{"(\w+)", Arity::(\w+)', source.read()))


def check_covered(function_library):
    covered = {("rand", "None")}
    covered |= {(name, "One") for name in ONE_ARGUMENT}
    covered |= {(name, "Two") for name in TWO_ARGUMENTS}
    covered |= {(name, "TwoOrMore") for name in LIST}
    table = table_of(function_library)
    if table != covered:
        sys.exit(f"the generator's functions differ from the table: missing {sorted(table - covered)}, "
                 f"unknown {sorted(covered - table)}")


def generate(r):
    kind = r.random()
    if kind < 0.005:
        return "rand()"
    if kind < 0.75:
        name = r.choice(sorted(ONE_ARGUMENT))
        return f"{name}({ONE_ARGUMENT[name](r)})"
    if kind < 0.9:
        name = r.choice(sorted(TWO_ARGUMENTS))
        return f"{name}({','.join(TWO_ARGUMENTS[name](r))})"
    name = r.choice(LIST)
    values = [common(r) if r.random() < 0.3 else text(moderate(r)) for _ in range(r.randint(2, 6))]
    return f"{name}({','.join(values)})"


def function_of(call):
    """'atan/2' for atan(1,2): the name and the number of arguments."""
    name, _, arguments = call.partition("(")
    depth, count = 0, 0 if arguments == ")" else 1
    for c in arguments:
        depth += c == "("
        depth -= c == ")"
        count += c == "," and depth == 0
    return f"{name}/{count}"


def read_known(path):
    """{call: right output} from lines `call<TAB>output`; blank lines and # comments skipped."""
    known = {}
    if path == "-":
        return known
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\n")
            if line and not line.startswith("#"):
                call, output = line.split("\t")
                known[call] = output
    return known


def compare(calls_path, linux_path, windows_path, known, shown):
    with open(calls_path, encoding="utf-8") as f:
        calls = f.read().splitlines()
    with open(linux_path, encoding="utf-8") as f:
        linux = f.read().splitlines()
    with open(windows_path, encoding="utf-8") as f:
        windows = f.read().splitlines()
    if not len(calls) == len(linux) == len(windows):
        print(f"line counts differ: {len(calls)} calls, {len(linux)} Linux lines, {len(windows)} Windows lines")
        return 1
    total, differing, accepted = collections.Counter(), collections.Counter(), collections.Counter()
    listed = 0
    for call, a, b in zip(calls, linux, windows):
        function = function_of(call)
        total[function] += 1
        if call in known and b == known[call]:
            accepted[function] += a != b
            continue
        if a != b or call in known:
            differing[function] += 1
            if listed < shown:
                right = f" (right: {known[call]})" if call in known else ""
                print(f"DIFF {call}: Linux {a}, Windows {b}{right}")
                listed += 1
    print(f"{'function':<10} {'calls':>7} {'differ':>7} {'known':>7}")
    for function in sorted(total):
        print(f"{function:<10} {total[function]:>7} {differing[function]:>7} {accepted[function]:>7}")
    print(f"{sum(total.values())} calls, {sum(differing.values())} differ, "
          f"{sum(accepted.values())} differ where Linux's C library is known not to round correctly")
    return 1 if differing else 0


def main(argv):
    if len(argv) == 5 and argv[1] == "generate":
        check_covered(argv[2])
        r = random.Random(int(argv[3]))
        out = sys.stdout
        for _ in range(int(argv[4])):
            out.write(generate(r) + "\n")
        return 0
    if len(argv) == 2 and argv[1] == "hardest":
        for exponent in range(-20, 945):
            x = text(hardest_for_reduction(exponent))
            for name in ("sin", "cos", "tan"):
                sys.stdout.write(f"{name}({x})\n")
        return 0
    if 5 <= len(argv) <= 7 and argv[1] == "compare":
        known = read_known(argv[5]) if len(argv) >= 6 else {}
        return compare(argv[2], argv[3], argv[4], known, int(argv[6]) if len(argv) == 7 else 25)
    print(__doc__, file=sys.stderr)
    return 2


if __name__ == "__main__":
    sys.exit(main(sys.argv))
