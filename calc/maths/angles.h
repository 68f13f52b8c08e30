// Where an angle lies on the circle: a whole number of quarter turns and what
// is left, between minus and plus an eighth of a turn.
//
// Radians are reduced with as many decimals of pi (or, for huge arguments,
// of 2/pi) as the argument needs, in whole-number arithmetic and checked:
// more are taken while the remainder is too small to keep its digits, so
// sin(10^900), sin(pi) (pi to 50 digits, a value near 0) and an argument
// of 600 digits within 10^-600 of a multiple of pi/2 keep theirs. Degrees
// are reduced exactly, so a whole multiple of 90 leaves exactly nothing.
#pragma once

#include "calc/number/decimal.h"

namespace quill {

struct ReducedAngle {
    int quarter = 0;    // 0 to 3: the quarter turns, counted around from zero
    Decimal radians;    // what is left, in radians: a ball of a few digits more than asked
    bool exact = false; // nothing is left: the angle is a whole number of quarter turns
    // The remainder keeps its working digits; false when the digits of pi
    // an argument that close to a quarter turn would need were given up.
    bool proven = true;
};

// x in radians, exact; what is left keeps `digits` digits.
ReducedAngle ReduceRadians(const Decimal& x, int digits);

// x in degrees, exact.
ReducedAngle ReduceDegrees(const Decimal& x, int digits);

} // namespace quill
