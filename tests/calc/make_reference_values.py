#!/usr/bin/env python3
"""Writes the reference rows of tests/calc/reference_test.cpp: each
expression's true value to 60 significant digits, computed with mpmath
(Debian's python3-mpmath) at 1,300 digits (enough to reduce sin(10^900);
arguments near the range's top at 10,400),
from the very decimals the expression holds: every argument below is a
literal, or exact in decimal.

Usage: make_reference_values.py > rows.inc, then paste the rows."""

import mpmath

mpmath.mp.dps = 1300
M = mpmath.mpf
D = lambda text: M(text)  # noqa: E731  a decimal literal, exactly at this precision
PI50 = "3.1415926535897932384626433832795028841971693993751"
HALF_PI50 = "1.5707963267948966192313216916397514420985846996876"
TO_RAD = mpmath.pi / 180


def far(function, text):
    """function(text) for an argument of up to 10,000 digits."""
    with mpmath.workdps(10400):
        return +function(mpmath.mpf(text))

# (typed, degrees, value, correctly rounded) -- correctly rounded: a power
# with a whole exponent, which must equal the true value rounded to 50 digits.
ROWS = [
    ("sin(1)", False, mpmath.sin(1), False),
    ("sin(0.5)", False, mpmath.sin(D("0.5")), False),
    ("sin(0.000000000000000000000000000001)", False, mpmath.sin(D("1e-30")), False),
    ("sin(" + PI50 + ")", False, mpmath.sin(D(PI50)), False),
    ("sin(10000000000000000000000)", False, mpmath.sin(D("1e22")), False),
    ("sin(123456789.123456789)", False, mpmath.sin(D("123456789.123456789")), False),
    ("sin(0-2.5)", False, mpmath.sin(D("-2.5")), False),
    ("sin(10^300)", False, mpmath.sin(D("1e300")), False),
    ("sin(10^900)", False, mpmath.sin(D("1e900")), False),
    ("sin(10^1001)", False, far(mpmath.sin, "1e1001"), False),
    ("sin(1.2345*10^9990)", False, far(mpmath.sin, "1.2345e9990"), False),
    ("cos(7*10^5000)", False, far(mpmath.cos, "7e5000"), False),
    ("tan(123456789*10^2000)", False, far(mpmath.tan, "123456789e2000"), False),
    ("cos(1)", False, mpmath.cos(1), False),
    ("cos(" + HALF_PI50 + ")", False, mpmath.cos(D(HALF_PI50)), False),
    ("cos(100)", False, mpmath.cos(100), False),
    ("cos(0-7.25)", False, mpmath.cos(D("-7.25")), False),
    ("tan(1)", False, mpmath.tan(1), False),
    ("tan(" + HALF_PI50 + ")", False, mpmath.tan(D(HALF_PI50)), False),
    ("tan(0-3.3)", False, mpmath.tan(D("-3.3")), False),
    ("tan(100000000000000000000)", False, mpmath.tan(D("1e20")), False),
    ("asin(0.5)", False, mpmath.asin(D("0.5")), False),
    ("asin(0.9999999999)", False, mpmath.asin(D("0.9999999999")), False),
    ("asin(0.0000001)", False, mpmath.asin(D("1e-7")), False),
    ("asin(0-0.75)", False, mpmath.asin(D("-0.75")), False),
    ("acos(0.5)", False, mpmath.acos(D("0.5")), False),
    ("acos(0.9999999999999999999999999999)", False, mpmath.acos(D("0.9999999999999999999999999999")), False),
    ("acos(0-0.9999999999)", False, mpmath.acos(D("-0.9999999999")), False),
    ("acos(0.1)", False, mpmath.acos(D("0.1")), False),
    ("atan(1)", False, mpmath.atan(1), False),
    ("atan(0.1)", False, mpmath.atan(D("0.1")), False),
    ("atan(10)", False, mpmath.atan(10), False),
    ("atan(0.000000000000000000000000000001)", False, mpmath.atan(D("1e-30")), False),
    ("atan(10^900)", False, mpmath.atan(D("1e900")), False),
    ("atan(0-2.5)", False, mpmath.atan(D("-2.5")), False),
    ("sinh(1)", False, mpmath.sinh(1), False),
    ("sinh(0.00000000000000000001)", False, mpmath.sinh(D("1e-20")), False),
    ("sinh(2300)", False, mpmath.sinh(2300), False),
    ("sinh(0-0.5)", False, mpmath.sinh(D("-0.5")), False),
    ("cosh(1)", False, mpmath.cosh(1), False),
    ("cosh(0.000001)", False, mpmath.cosh(D("1e-6")), False),
    ("cosh(0-30)", False, mpmath.cosh(-30), False),
    ("tanh(0.5)", False, mpmath.tanh(D("0.5")), False),
    ("tanh(0.0000000000000000000000001)", False, mpmath.tanh(D("1e-25")), False),
    ("tanh(20)", False, mpmath.tanh(20), False),
    ("exp(1)", False, mpmath.exp(1), False),
    ("exp(0-1)", False, mpmath.exp(-1), False),
    ("exp(0.000000001)", False, mpmath.exp(D("1e-9")), False),
    ("exp(100)", False, mpmath.exp(100), False),
    ("exp(2302)", False, mpmath.exp(2302), False),
    ("exp(0-2302)", False, mpmath.exp(-2302), False),
    ("log(2)", False, mpmath.log(2), False),
    ("log(10)", False, mpmath.log(10), False),
    ("log(1.0000000000000000000000000001)", False, mpmath.log(D("1.0000000000000000000000000001")), False),
    ("log(0.9999999999)", False, mpmath.log(D("0.9999999999")), False),
    ("log(10^900)", False, mpmath.log(D("1e900")), False),
    ("log(0.000001)", False, mpmath.log(D("1e-6")), False),
    ("log(123456.789)", False, mpmath.log(D("123456.789")), False),
    ("sin(1)", True, mpmath.sin(TO_RAD), False),
    ("sin(45)", True, mpmath.sin(45 * TO_RAD), False),
    ("cos(89.9999)", True, mpmath.cos(D("89.9999") * TO_RAD), False),
    ("tan(44.5)", True, mpmath.tan(D("44.5") * TO_RAD), False),
    ("sin(100000000000000000000.5)", True, mpmath.sin(D("0.5") * TO_RAD + (D("1e20") % 360) * TO_RAD), False),
    ("sin(180.000000000000000000000000000001)", True, mpmath.sin(D("180.000000000000000000000000000001") * TO_RAD), False),
    ("acos(0.1)", True, mpmath.acos(D("0.1")) / TO_RAD, False),
    ("atan(7)", True, mpmath.atan(7) / TO_RAD, False),
    ("2#2", False, mpmath.sqrt(2), False),
    ("2#3", False, mpmath.cbrt(2), False),
    ("10#7", False, mpmath.root(10, 7), False),
    ("123.456#5", False, mpmath.root(D("123.456"), 5), False),
    ("0.5#2", False, mpmath.sqrt(D("0.5")), False),
    ("3#(0-2)", False, 1 / mpmath.sqrt(3), False),
    ("1000#1.5", False, mpmath.power(1000, 1 / D("1.5")), False),
    ("2#1000000000", False, mpmath.power(2, D("1e-9")), False),
    ("2^0.5", False, mpmath.sqrt(2), False),
    ("10^0.3", False, mpmath.power(10, D("0.3")), False),
    ("1.5^2.5", False, mpmath.power(D("1.5"), D("2.5")), False),
    ("2.718281828^3.14159", False, mpmath.power(D("2.718281828"), D("3.14159")), False),
    ("7^(0-0.5)", False, 1 / mpmath.sqrt(7), False),
    ("1.0000001^1000000.5", False, mpmath.power(D("1.0000001"), D("1000000.5")), False),
    ("10^(0-999.5)", False, mpmath.power(10, D("-999.5")), False),
    ("1.1^500", False, mpmath.power(D("1.1"), 500), True),
    ("3^(0-100)", False, mpmath.power(3, -100), True),
    ("7^(0-1000)", False, mpmath.power(7, -1000), True),
    ("1.2345678901234567890123456789^987", False, mpmath.power(D("1.2345678901234567890123456789"), 987), True),
    ("2^999", False, mpmath.power(2, 999), True),
    ("42.9396362^7", False, mpmath.power(D("42.9396362"), 7), True),
    ("1.0000001^99999999", False, mpmath.power(D("1.0000001"), 99999999), False),
    ("0.999^1000000", False, mpmath.power(D("0.999"), 1000000), False),
    ("pi", False, mpmath.pi, True),
    ("e", False, mpmath.e, True),
    ("log2e", False, 1 / mpmath.ln2, True),
    ("log10e", False, 1 / mpmath.ln10, True),
    ("ln2", False, mpmath.ln2, True),
    ("ln10", False, mpmath.ln10, True),
    ("pi2", False, mpmath.pi / 2, True),
    ("pi4", False, mpmath.pi / 4, True),
    ("pia", False, 1 / mpmath.pi, True),
    ("pib", False, 2 / mpmath.pi, True),
    ("sqrt2", False, mpmath.sqrt(2), True),
    ("sqrt1", False, 1 / mpmath.sqrt(2), True),
]


def sixty_digits(value):
    """'d.ddd...e<exponent>' with 60 significant digits."""
    sign = "-" if value < 0 else ""
    value = abs(value)
    exponent = int(mpmath.floor(mpmath.log10(value)))
    digits = int(mpmath.nint(value * mpmath.power(10, 59 - exponent)))
    if digits >= 10**60:  # the rounding carried into a new digit
        exponent += 1
        digits = int(mpmath.nint(value * mpmath.power(10, 59 - exponent)))
    text = str(digits)
    return f"{sign}{text[0]}.{text[1:]}e{exponent}"


for typed, degrees, value, rounded in ROWS:
    text = sixty_digits(value)
    print(f'    {{"{typed}", "{text}", {"true" if degrees else "false"}, {"true" if rounded else "false"}}},')
