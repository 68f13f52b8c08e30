#!/usr/bin/env python3
"""Writes tests/calc/data/answer_table.tsv: a few thousand generated
expressions (every operator, function, constant, format, rounding and angle
unit), each with the answer the Linux build of quillpad-cli gives. The core
tests check every answer again on each build, so the Windows build, run under
Wine, must give the same digits.

Usage: make_answer_table.py QUILLPAD_CLI > tests/calc/data/answer_table.tsv
Run it again only when an answer is meant to change."""

import random
import subprocess
import sys

FUNCTIONS = ["sin", "asin", "sinh", "cos", "acos", "cosh", "tan", "atan", "tanh",
             "ceil", "floor", "exp", "abs", "log"]
CONSTANTS = ["fi", "fi1", "e", "log2e", "log10e", "ln2", "ln10", "pi", "pi2", "pi4",
             "pia", "pib", "sqrt2", "sqrt1"]
FORMATS = ["decimal", "octal", "hex", "exponent"]
ROUNDINGS = ["auto"] + [str(n) for n in range(10)]


def number(rnd):
    kind = rnd.random()
    if kind < 0.5:
        text = str(rnd.randint(0, 999))
    elif kind < 0.8:
        text = f"{rnd.randint(0, 9999)}.{rnd.randint(0, 999):03d}"
    elif kind < 0.9:
        text = "0." + "".join(rnd.choice("0123456789") for _ in range(rnd.randint(1, 30)))
    else:
        text = "".join(rnd.choice("123456789") for _ in range(rnd.randint(10, 60)))
    return text


def argument(rnd, name, depth):
    """An argument in the function's domain most of the time."""
    if name in ("asin", "acos") and rnd.random() < 0.9:
        return rnd.choice(["", "-"]) + "0." + str(rnd.randint(0, 99999))
    if name in ("sinh", "cosh", "exp") and rnd.random() < 0.8:
        return rnd.choice(["", "-"]) + f"{rnd.randint(0, 300)}.{rnd.randint(0, 99)}"
    if name == "log" and rnd.random() < 0.8:
        return rnd.choice([number(rnd), rnd.choice(CONSTANTS)])
    return expression(rnd, depth + 1)


def operand(rnd, depth):
    kind = rnd.random()
    if depth > 2 or kind < 0.45:
        return number(rnd)
    if kind < 0.55:
        return rnd.choice(CONSTANTS)
    if kind < 0.8:
        name = rnd.choice(FUNCTIONS)
        return f"{name}({argument(rnd, name, depth)})"
    return f"({expression(rnd, depth + 1)})"


def expression(rnd, depth=0):
    text = ("-" if rnd.random() < 0.1 else "") + operand(rnd, depth)
    for _ in range(rnd.randint(0, 3)):
        op = rnd.choice("+-*/%^#")
        right = operand(rnd, depth)
        if op in "^#":
            # A power or root of a plain number, by a small exponent or
            # degree, now and then a large or negative one.
            text = "(" + text + ")" if rnd.random() < 0.3 else number(rnd)
            right = rnd.choice([str(rnd.randint(1, 12)), "0.5", "(0-2)", "3.7", "100", right])
        text += op + right
    return text


def main():
    cli = sys.argv[1]
    rnd = random.Random(20261208)
    rows = []
    for n in range(3000):
        settings = (FORMATS[n % 4] if n % 3 == 0 else "decimal",
                    ROUNDINGS[(n // 3) % len(ROUNDINGS)],
                    "degrees" if n % 5 == 0 else "radians")
        rows.append((settings, expression(rnd)))
    groups = {}
    for settings, text in rows:
        groups.setdefault(settings, []).append(text)
    answers = {}
    for (fmt, rounding, angle), texts in groups.items():
        out = subprocess.run([cli, "--tsv", "--format", fmt, "--round", rounding, f"--{angle}"],
                             input="\n".join(texts) + "\n", capture_output=True, text=True).stdout
        for text, line in zip(texts, out.splitlines()):
            answers[((fmt, rounding, angle), text)] = line
    for settings, text in rows:
        print("\t".join(settings) + "\t" + text + "\t" + answers[(settings, text)])


if __name__ == "__main__":
    main()
