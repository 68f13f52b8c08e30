// The quotient and remainder of whole numbers by a divisor of two limbs or
// more: Knuth's Algorithm D (The Art of Computer Programming, vol. 2,
// 4.3.1) on the limbs themselves, for the lengths a rounded quotient takes
// (Boost's general division builds temporaries at every step, and costs
// several times as much there). Longer numbers go to Boost's.
#pragma once

#include "calc/number/coefficient.h"

namespace quill {

// q = x / y and r = x % y for x >= 0 and y >= 2^64 (two limbs or more).
void DivideLong(const BigInt& x, const BigInt& y, BigInt& q, BigInt& r);

} // namespace quill
