#!/usr/bin/env python3
"""Writes tests/calc/data/proven_digits.tsv: random expressions with
cancellation, big and tiny magnitudes, tiny differences, values near a whole
number, a tie or zero, and functions of exact and rounded arguments, each
with its true value to 1,000 significant digits (mpmath at 2,400, the
constants their true values), and arguments of sin, cos and tan within
10^-600 to 10^-900 of a multiple of pi/2. ProvenDigits.EveryShownDigitIsTheTruths
checks that every digit the program shows for them is the true value's, and
that nothing more than 10^-800 from a zero, whole number or tie is taken
as it.

Usage: make_proven_digits.py > tests/calc/data/proven_digits.tsv"""

import random
import re

import mpmath

mp = mpmath.mp
FUNCTIONS = ["sin", "cos", "tan", "asin", "acos", "atan", "sinh", "cosh", "tanh",
             "exp", "log", "abs", "ceil", "floor"]
PLACES = ["auto"] + [str(n) for n in range(10)]


class Bad(Exception):
    pass


def constants():
    return {"fi": mpmath.mpf("1.618"), "fi1": mpmath.mpf("0.618"), "e": +mp.e,
            "log2e": 1 / mp.ln2, "log10e": 1 / mp.ln10, "ln2": +mp.ln2, "ln10": +mp.ln10,
            "pi": +mp.pi, "pi2": mp.pi / 2, "pi4": mp.pi / 4, "pia": 1 / mp.pi,
            "pib": 2 / mp.pi, "sqrt2": mpmath.sqrt(2), "sqrt1": 1 / mpmath.sqrt(2)}


def evaluate(text, degrees):
    """The true value of an expression, by the program's grammar."""
    named = constants()
    toks = re.findall(r"[a-z][a-z0-9]*|[0-9]*\.?[0-9]+|[-+*/%^#()]", text)
    pos = [0]

    def peek():
        return toks[pos[0]] if pos[0] < len(toks) else None

    def take():
        pos[0] += 1
        return toks[pos[0] - 1]

    def turn(x):
        return x * mp.pi / 180 if degrees else x

    def unturn(x):
        return x * 180 / mp.pi if degrees else x

    def inverse(f, x):
        if abs(x) > 1:
            raise Bad()
        return unturn(f(x))

    def log(x):
        if x <= 0:
            raise Bad()
        return mpmath.log(x)

    table = {"sin": lambda x: mpmath.sin(turn(x)), "cos": lambda x: mpmath.cos(turn(x)),
             "tan": lambda x: mpmath.tan(turn(x)), "asin": lambda x: inverse(mpmath.asin, x),
             "acos": lambda x: inverse(mpmath.acos, x), "atan": lambda x: unturn(mpmath.atan(x)),
             "sinh": mpmath.sinh, "cosh": mpmath.cosh, "tanh": mpmath.tanh, "exp": mpmath.exp,
             "log": log, "abs": abs, "ceil": mpmath.ceil, "floor": mpmath.floor}

    def primary():
        t = take()
        if t == "(":
            v = expr()
            take()
            return v
        if t == "-":
            return -chain()
        if t in table:
            take()
            v = expr()
            take()
            return table[t](v)
        if t in named:
            return named[t]
        return mpmath.mpf(t)

    def chain():
        v = primary()
        while peek() in ("^", "#", "%"):
            op = take()
            w = primary()
            if op == "%":
                v = v / 100 * w
            elif op == "^":
                if (v == 0 and w < 0) or (v < 0 and w != int(w)):
                    raise Bad()
                v = mpmath.power(v, w)
            else:
                if w == 0 or (v < 0 and (w != int(w) or int(w) % 2 == 0)):
                    raise Bad()
                v = -mpmath.root(-v, int(w)) if v < 0 else mpmath.power(v, 1 / w)
        return v

    def term():
        v = chain()
        while peek() in ("*", "/"):
            op = take()
            w = chain()
            if op == "/" and w == 0:
                raise ZeroDivisionError()
            v = v * w if op == "*" else v / w
        return v

    def expr():
        v = -term() if peek() == "-" and take() else term()
        while peek() in ("+", "-"):
            op = take()
            w = term()
            v = v + w if op == "+" else v - w
        return v

    return expr()


def decimal(rnd, digits=None):
    digits = digits or rnd.randint(1, 12)
    text = "".join(rnd.choice("0123456789") for _ in range(digits)).lstrip("0") or "7"
    point = rnd.randint(0, len(text))
    return (text[:point] or "0") + ("." + text[point:] if point < len(text) else "")


def rounded(rnd):
    """A value that went through a rounding."""
    return rnd.choice([f"{decimal(rnd)}/{rnd.choice([3, 7, 9, 11, 13])}",
                       f"{decimal(rnd)}#{rnd.choice([2, 3])}", rnd.choice(["pi", "e", "ln2", "sqrt2"]),
                       f"exp({decimal(rnd, 3)})"])


def near_point(rnd):
    """Values 10^-20 to 10^-780 away from a whole number, a tie or zero, with
    the format and places that must decide which side they lie on: none may
    be taken as the point. (cos(t) lies t^2/2 below 1.)"""
    k = rnd.randint(20, 780)
    t, c = f"1/10^{k}", f"1/10^{k // 2}"
    n = rnd.randint(1, 9)
    rows = [
        (f"floor(cos({c}))", "decimal", "auto"),
        (f"ceil(exp({t}))", "decimal", "auto"),
        (f"floor({n}/3*3-sin({t}))", "decimal", "auto"),
        (f"2.5*cos({c})", "decimal", "0"),
        (f"0.125*exp({t})", "decimal", "2"),
        (f"{n}.5-sin({t})", "decimal", "0"),
        (f"cos({c})", rnd.choice(["hex", "octal"]), "auto"),
        (f"(exp({t})-1)*10^{k}", "decimal", "auto"),
        (f"1/(exp({t})-1)", "exponent", "auto"),
        (f"sin(pi+{t})", "exponent", "auto"),
        (f"cos(pi/2-{t})", "exponent", "auto"),
        (f"10^{min(k, 400)}/3+{n}-10^{min(k, 400)}/3", "decimal", "auto"),
        (f"(0-8)^(exp({t}))", "decimal", "auto"),
        (f"(1-tanh({rnd.randint(20, 400)}))*10^{rnd.randint(10, 300)}", "exponent", "auto"),
    ]
    return rnd.choice(rows)


def expression(rnd):
    kind = rnd.randrange(6)
    if kind == 0:  # cancellation of a big exact value
        big = rnd.choice([f"10^{rnd.randint(20, 300)}", decimal(rnd, rnd.randint(30, 80))])
        small = rnd.choice([decimal(rnd), rounded(rnd)])
        return f"({big}+{small})-{big}"
    if kind == 1:  # big and tiny magnitudes
        k = rnd.randint(-400, 400)
        return f"{rnd.choice([decimal(rnd), rounded(rnd)])}*10^({k})/{decimal(rnd, 3)}"
    if kind == 2:  # functions of exact arguments, some of them huge
        arg = rnd.choice([decimal(rnd), decimal(rnd, 3), f"{decimal(rnd, 4)}^{rnd.randint(2, 60)}"])
        return f"{rnd.choice(FUNCTIONS)}({arg})"
    if kind == 3:  # functions of rounded arguments
        return f"{rnd.choice(FUNCTIONS)}({rounded(rnd)})"
    if kind == 4:  # roundings that cancel to a point
        a, b = decimal(rnd, 3), rnd.choice([3, 7, 9])
        return rnd.choice([f"{a}/{b}*{b}-{a}", f"{a}/{b}*{b}", f"sin({rnd.randint(1, 9)}*pi)",
                           f"({rounded(rnd)})^{rnd.randint(2, 9)}"])
    return f"{rounded(rnd)}{rnd.choice('+-*/')}{rounded(rnd)}{rnd.choice('+-*/')}{decimal(rnd)}"


def convergent(x, digits):
    """The first numerator and denominator of x's continued fraction whose
    numerator has at least this many digits."""
    y, p0, q0, p1, q1 = x, 0, 1, 1, 0
    while len(str(p1)) < digits:
        t = int(mpmath.floor(y))
        y = 1 / (y - t)
        p0, q0, p1, q1 = p1, q1, t * p1 + p0, t * q1 + q0
    return p1, q1


def near_quarter_turns():
    """Arguments within 10^-600 to 10^-900 of a multiple of pi/2: numerators
    of pi/2's convergents, and one far above 10^1000 (c * 10^9000), where
    the stored digits of pi and of 2/pi run out."""
    rows = []
    with mpmath.workdps(14000):
        for digits, functions in ((601, ["cos", "sin", "tan"]), (650, ["sin", "cos"])):
            p, _ = convergent(mp.pi / 2, digits)
            rows += [(f"{f}({p})", getattr(mpmath, f)(p)) for f in functions]
        c, _ = convergent(mp.pi / 2 / mpmath.mpf(10) ** 9000, 900)
        far_value = mpmath.mpf(c) * mpmath.mpf(10) ** 9000
        rows += [(f"{f}({c}*10^9000)", getattr(mpmath, f)(far_value)) for f in ("sin", "cos")]
        for text, value in rows:
            print(f"exponent\tauto\tradians\t{text}\t{mpmath.nstr(value, 1000, min_fixed=1, max_fixed=0)}")


def main():
    rnd = random.Random(23)
    mp.dps = 2400
    for row in range(420):
        text = expression(rnd)
        form = rnd.choice(["decimal"] * 6 + ["exponent"] * 2 + ["octal", "hex"])
        places = rnd.choice(PLACES)
        angle = rnd.choice(["radians", "radians", "degrees"])
        if row % 3 == 0:
            text, form, places = near_point(rnd)
            angle = "radians"
        try:
            truth = evaluate(text, angle == "degrees")
            if mpmath.isinf(truth) or abs(truth) > mpmath.mpf(10) ** 10100:
                value = "inf"  # beyond the range
            elif truth != 0 and abs(truth) < mpmath.mpf(10) ** -10100:
                value = "0"  # far below any digit shown
            else:
                value = mpmath.nstr(truth, 1000, min_fixed=1, max_fixed=0)
        except Bad:
            value = "nan"
        except ZeroDivisionError:
            value = "div"
        print(f"{form}\t{places}\t{angle}\t{text}\t{value}")
    near_quarter_turns()


if __name__ == "__main__":
    main()
