#!/usr/bin/env python3
"""Writes COUNT random expressions, one a line, to standard output: decimal
numbers with +, -, * and / and brackets, which Quillpad and bc both read the
same way. The same seed always gives the same file."""

import argparse
import random
import sys


def main():
    parser = argparse.ArgumentParser(description=__doc__)
    parser.add_argument("--count", type=int, default=100_000)
    parser.add_argument("--seed", type=int, default=20261208)
    args = parser.parse_args()
    rnd = random.Random(args.seed)

    def number():
        # No zero, so no division by zero unless a bracket happens to make one.
        whole = rnd.randint(1, 999)
        return f"{whole}.{rnd.randint(1, 99)}" if rnd.random() < 0.5 else str(whole)

    def expression(depth):
        parts = [term(depth)]
        for _ in range(rnd.randint(1, 4)):
            parts.append(rnd.choice("+-*/"))
            parts.append(term(depth))
        return "".join(parts)

    def term(depth):
        if depth < 2 and rnd.random() < 0.25:
            return "(" + expression(depth + 1) + ")"
        return number()

    lines = [expression(0) for _ in range(args.count)]
    sys.stdout.write("\n".join(lines) + "\n")


if __name__ == "__main__":
    main()
