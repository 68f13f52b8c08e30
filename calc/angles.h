// Where an angle lies on the circle: a whole number of quarter turns and what
// is left, between minus and plus an eighth of a turn.
//
// Radians are reduced with up to 1,200 decimals of pi in whole-number
// arithmetic, as many as the argument needs, so sin(10^900) and sin(pi)
// (pi to 50 digits, a value near 0) keep their digits. Degrees are reduced
// exactly, so a whole multiple of 90 leaves exactly nothing.
#pragma once

#include "calc/decimal.h"
#include "calc/work.h"

namespace quill {

struct ReducedAngle {
    int quarter = 0;    // 0 to 3: the quarter turns, counted around from zero
    Work radians;       // what is left, in radians
    bool exact = false; // nothing is left: the angle is a whole number of quarter turns
};

// x in radians; x finite.
ReducedAngle ReduceRadians(const Decimal& x);

// x in degrees; x finite.
ReducedAngle ReduceDegrees(const Decimal& x);

} // namespace quill
