#!/usr/bin/env python3
"""Writes calc/maths/two_over_pi_digits.h: 10,400 decimals of 2/pi, mpmath's
(Debian's python3-mpmath), checked against 2/pi from Machin's formula in
whole numbers. Run from the repository's top folder:
python3 tests/calc/make_two_over_pi_digits.py"""

import sys

import mpmath

from whole_series import arctan_inverse

DECIMALS = 10400

sys.set_int_max_str_digits(0)
mpmath.mp.dps = DECIMALS + 100
digits = mpmath.nstr(2 / mpmath.pi, DECIMALS + 50, strip_zeros=False)[2:2 + DECIMALS]


unity = 10 ** (DECIMALS + 40)
pi = 4 * (4 * arctan_inverse(5, unity) - arctan_inverse(239, unity))  # pi * unity
assert str(2 * unity * unity // pi)[:DECIMALS] == digits, "mpmath and Machin disagree"

rows = "\n".join(f'    "{digits[i:i + 90]}"' for i in range(0, DECIMALS, 90))
with open("calc/maths/two_over_pi_digits.h", "w") as out:
    out.write(f"""// The decimals of 2/pi, for reducing huge angles: the digits after the point.
//
// An argument at the range's top, 10^10000, wants them from its own place on
// and some hundred more. Written by tests/calc/make_two_over_pi_digits.py.
#pragma once

#include <string_view>

namespace quill {{

inline constexpr std::string_view kTwoOverPiDecimals =
{rows};

}} // namespace quill
""")
