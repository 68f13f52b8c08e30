#!/usr/bin/env python3
"""Checks quillpad-cli's answers (--tsv) to a file of expressions against
bc's. Where the two differ, exact rational arithmetic on the same text says
which is right: bc -l cuts every quotient to 20 decimals, so a tiny quotient
loses its digits, while quillpad-cli carries a double's 16 significant ones.

Usage: check_answers.py EXPRESSIONS QUILLPAD_TSV BC_OUTPUT
Exit status 1 when an answer of quillpad-cli is wrong."""

import re
import sys
from fractions import Fraction


def close(x, y, tolerance):
    return abs(x - y) <= tolerance * max(1.0, abs(x), abs(y))


def exact(text):
    """The exact value of an expression of decimals, + - * / and brackets."""
    if not re.fullmatch(r"[0-9.+\-*/()]+", text):
        raise ValueError(f"not an expression of the benchmark: {text!r}")
    return eval(re.sub(r"[0-9.]+", lambda m: f'F("{m.group()}")', text), {"F": Fraction})  # noqa: S307


def main():
    texts, ours, theirs = (open(name).read().splitlines() for name in sys.argv[1:4])
    if not len(texts) == len(ours) == len(theirs):
        sys.exit(f"answers: {len(texts)} expressions, {len(ours)} answers from quillpad-cli, {len(theirs)} from bc")
    agree = ours_right = wrong = 0
    for text, a, b in zip(texts, ours, theirs):
        kind, _, value = a.partition("\t")
        if kind != "ok":
            by_zero = "divide by zero" in b.lower()
            agree += by_zero
            if not by_zero:
                wrong += 1
                print(f"wrong: {text}: {a!r} (bc: {b})")
        elif close(float(value), float(b), 1e-9):
            agree += 1
        elif close(float(value), float(exact(text)), 1e-12):
            ours_right += 1
        else:
            wrong += 1
            print(f"wrong: {text} = {value} (bc: {b})")
    print(f"answers: {agree} of {len(texts)} agree with bc; in {ours_right} more quillpad-cli matches exact"
          f" arithmetic and bc -l does not")
    sys.exit(1 if wrong else 0)


if __name__ == "__main__":
    main()
