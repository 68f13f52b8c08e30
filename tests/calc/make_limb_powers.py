#!/usr/bin/env python3
"""Writes calc/number/limb_powers.h: 2^(64 k) for k = 0 to 127 as nine-digit bounds
from above and from below, so that the bound of a long coefficient is read
from its top bits without counting out thousands of digits at start-up.
The tests count the same bounds out again. Run from the repository's top
folder: python3 tests/calc/make_limb_powers.py"""

import sys

LIMBS = 128
DIGITS = 9  # kBoundDigits

sys.set_int_max_str_digits(0)


def bound(power, up):
    """power as m * 10^e, m of at most DIGITS digits, rounded up or down."""
    drop = max(len(str(power)) - DIGITS, 0)
    m = power // 10 ** drop
    if up and m * 10 ** drop != power:
        m += 1
    if m == 10 ** DIGITS:  # rounded up into a tenth digit
        m, drop = m // 10, drop + 1
    return m, drop


def rows(up):
    return "\n".join(f"    {{{m}U, {e}}}," for m, e in (bound(2 ** (64 * k), up) for k in range(LIMBS)))


with open("calc/number/limb_powers.h", "w") as out:
    out.write(f"""// 2^(64 k) for k = 0 to {LIMBS - 1} as nine-digit bounds (m, e: m * 10^e),
// from above and from below, so that the bound of a long coefficient is read
// from its top bits. Written by tests/calc/make_limb_powers.py; the tests
// count the same bounds out again.
#pragma once

#include <array>
#include <cstdint>

namespace quill::limb_powers {{

struct Digits {{
    std::uint64_t mantissa;
    std::int64_t exponent;
}};

inline constexpr std::size_t kLimbs = {LIMBS};

inline constexpr std::array<Digits, kLimbs> kAbove{{{{
{rows(True)}
}}}};

inline constexpr std::array<Digits, kLimbs> kBelow{{{{
{rows(False)}
}}}};

}} // namespace quill::limb_powers
""")
