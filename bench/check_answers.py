#!/usr/bin/env python3
"""Checks quillpad-cli's answers (--tsv) to a file of expressions against
exact arithmetic: each expression is evaluated with Python's fractions and
shown as the "Decimal" display with "Auto" rounding shows it (12 decimals,
halves away from zero, trailing zeros and a bare point stripped, no negative
zero). Every answer must equal that text, digit for digit; a division by
zero must be answered with the division message.

Usage: check_answers.py EXPRESSIONS QUILLPAD_TSV
Exit status 1 when an answer differs."""

import re
import sys
from fractions import Fraction

DIVISION = "Division to the zero!"


def exact(text):
    """The exact value of an expression of decimals, + - * / and brackets;
    None for a division by zero."""
    if not re.fullmatch(r"[0-9.+\-*/()]+", text):
        raise ValueError(f"not an expression of the benchmark: {text!r}")
    try:
        return eval(re.sub(r"[0-9.]+", lambda m: f'F("{m.group()}")', text), {"F": Fraction})  # noqa: S307
    except ZeroDivisionError:
        return None


def display(value, places=12):
    """The value rounded to `places` decimals, halves away from zero."""
    scaled = abs(value) * 10**places
    whole = int(scaled)
    if scaled - whole >= Fraction(1, 2):
        whole += 1
    digits = str(whole).rjust(places + 1, "0")
    text = digits[:-places] + "." + digits[-places:]
    text = text.rstrip("0").rstrip(".")
    return ("-" if value < 0 and whole else "") + text


def main():
    texts, answers = (open(name).read().splitlines() for name in sys.argv[1:3])
    if len(texts) != len(answers):
        sys.exit(f"answers: {len(texts)} expressions, {len(answers)} answers")
    wrong = 0
    for text, answer in zip(texts, answers):
        value = exact(text)
        want = f"error\t{DIVISION}\t\t" if value is None else f"ok\t{display(value)}"
        if answer != want:
            wrong += 1
            if wrong <= 20:
                print(f"wrong: {text}: {answer!r}, exact arithmetic shows {want!r}")
    print(f"answers: {len(texts) - wrong} of {len(texts)} equal exact arithmetic's display, digit for digit")
    sys.exit(1 if wrong else 0)


if __name__ == "__main__":
    main()
