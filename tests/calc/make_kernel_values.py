#!/usr/bin/env python3
"""Writes tests/calc/data/kernel_values.tsv: arguments of the function kernels
(calc/maths/kernels.h), small, large, near their edges, and each true value to
1,100 significant digits (mpmath at 1,400, or 12,000 for the huge ones).
Kernels.EveryBallHoldsTheTruth checks that every ball of 55, 250 and 1,000
digits the kernels give holds it and is that narrow.

Usage: make_kernel_values.py > tests/calc/data/kernel_values.tsv"""

import mpmath

ARGUMENTS = {
    "exp": ["1", "-1", "0.5", "1e-60", "-1e-300", "0.693147", "100", "-100", "2302.5",
            "-2302.5", "23000.25", "-23000.25", "1234.56789012345678901234567890123"],
    "log": ["2", "10", "0.5", "1.0000000000000000000000000000000000000000000000001",
            "0.99999999", "1.24", "0.76", "1e-300", "3.7e9000", "123456789.123456789",
            "1e-9999"],
    "sin": ["1", "-1", "0.5", "1e-30", "-1e-400", "0.785398163397448309615660845819875721",
            "0.9999999999"],
    "cos": ["1", "-1", "0.5", "1e-30", "1e-400", "0.785398163397448309615660845819875721"],
    "atan": ["1", "-1", "0.5", "2", "1e-200", "-1e200", "0.9999999999", "1.0000000001",
             "123456.789"],
    "sqrt": ["2", "3", "0.5", "1e-301", "1e300", "2.25", "123456789012345678901234567890"],
}


def main():
    for name, arguments in ARGUMENTS.items():
        for text in arguments:
            huge = "e9" in text
            with mpmath.workdps(12000 if huge else 1400):
                value = getattr(mpmath, name)(mpmath.mpf(text))
                print(f"{name}\t{text}\t{mpmath.nstr(value, 1100, min_fixed=1, max_fixed=0)}")


if __name__ == "__main__":
    main()
