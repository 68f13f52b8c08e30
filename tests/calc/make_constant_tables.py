#!/usr/bin/env python3
"""Writes calc/maths/constant_tables.h: e, ln 2, ln 10 and sqrt(2) to 1,100
decimals, and ln 2 and pi to 4,096 bits, mpmath's (Debian's python3-mpmath),
each checked against the same constant from its series in whole numbers.
Run from the repository's top folder: python3 tests/calc/make_constant_tables.py"""

import math
import sys

import mpmath

from whole_series import arctan_inverse

DECIMALS = 1100
BITS = 4096

sys.set_int_max_str_digits(0)
mpmath.mp.dps = DECIMALS + 400


def atanh_inverse(x, unity):
    """atanh(1/x) * unity, in whole numbers."""
    return arctan_inverse(x, unity, alternate=False)


def e_series(unity):
    total = term = unity
    k = 1
    while term:
        term //= k
        total += term
        k += 1
    return total


def floor_times(value, unity):
    """floor(value * unity) from mpmath, the working precision well above."""
    return int(mpmath.floor(value * unity))


# Whole numbers of 10^-DECIMALS and 2^-BITS, each from mpmath and checked
# against its series (40 guard digits or bits, so the floor is certain).
ten = 10 ** DECIMALS
guard = 10 ** 40
series = {
    "E": e_series(ten * guard) // guard,
    "Ln2": 2 * atanh_inverse(3, ten * guard) // guard,
    "Ln10": (6 * atanh_inverse(3, ten * guard) + 2 * atanh_inverse(9, ten * guard)) // guard,
    "Sqrt2": math.isqrt(2 * ten * ten),
}
decimal = {"E": mpmath.e, "Ln2": mpmath.ln2, "Ln10": mpmath.ln10, "Sqrt2": mpmath.sqrt(2)}
two = 2 ** BITS
binary = {"Ln2": mpmath.ln2, "Pi": mpmath.pi}
binary_series = {
    "Ln2": 2 * atanh_inverse(3, two << 40) >> 40,
    "Pi": 4 * (4 * arctan_inverse(5, two << 40) - arctan_inverse(239, two << 40)) >> 40,
}

tables = []
for name, value in decimal.items():
    digits = floor_times(value, ten)
    assert abs(digits - series[name]) <= 1, f"mpmath and the series disagree on {name}"
    text = str(digits)
    rows = "\n".join(f'    "{text[i:i + 90]}"' for i in range(0, len(text), 90))
    tables.append(f"inline constexpr std::string_view k{name}Digits =\n{rows};\n")
for name, value in binary.items():
    bits = floor_times(value, two)
    assert abs(bits - binary_series[name]) <= 8, f"mpmath and the series disagree on {name}"
    text = format(bits, "x")
    rows = "\n".join(f'    "{text[i:i + 90]}"' for i in range(0, len(text), 90))
    tables.append(f"inline constexpr std::string_view k{name}Hex =\n{rows};\n")

with open("calc/maths/constant_tables.h", "w") as out:
    out.write(f"""// The constants' leading digits, so that the usual evaluation reads them
// instead of summing a series each time: e, ln 2, ln 10 and sqrt(2) as
// floor(v * 10^{DECIMALS}) in decimal digits, and ln 2 and pi as floor(v * 2^{BITS}) in
// hex digits. Written by tests/calc/make_constant_tables.py.
#pragma once

#include <string_view>

namespace quill {{

inline constexpr int kTableDecimals = {DECIMALS};
inline constexpr int kTableBits = {BITS};

{chr(10).join(tables)}
}} // namespace quill
""")
