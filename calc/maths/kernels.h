// The elementary functions on our own integers, to any number of digits,
// each with an error bound that follows from its algorithm.
//
// Each takes an exact argument (a ball's midpoint: the caller carries the
// argument's own radius through the function's slope) and gives a ball of
// `digits` digits that holds the true value. The work is done in binary
// fixed point: a number is m * 2^-b for a whole m. Every truncation of a
// product or quotient there is off by less than one unit of 2^-b (an
// "ulp"); each function counts the ulps its steps may lose, generously, and
// works with enough bits that the count stays far below its last digit:
//
//   exp   x = k ln2 + r, r / 2^s by its series, squared s times, times 2^k
//   log   x = 2^k m, m's 2^j-th root by atanh's series, times 2^j, + k ln2
//   sin   its series, cos its series (|r| <= 1, reduced by the caller)
//   atan  1/x above 1, halved h times by a / (1 + sqrt(1 + a^2)), series
//   sqrt  the integer root of x * 10^(2n)
//
// Portable; nothing throws but an allocation.
#pragma once

#include <cstdint>

#include "calc/number/decimal.h"

namespace quill {

// Beyond this |t|, e^t lies outside the range: ln 10 is below 2.303, and
// 10 powers of ten to spare.
inline constexpr std::int64_t kExpBound = (kMaxScale + 10) * 2303 / 1000;

// The digits a slope is worked out to where a ball's radius is carried
// through a function: a bound needs few.
inline constexpr int kSlopeDigits = 20;

// e^x for an exact x: beyond kExpBound Infinity, below -kExpBound zero
// with a radius of 10^kMinScale.
Decimal ExpKernel(const Decimal& x, int digits);

// ln x for an exact x > 0.
Decimal LogKernel(const Decimal& x, int digits);

// sin x and cos x for an exact x with |x| <= 1.
Decimal SinKernel(const Decimal& x, int digits);
Decimal CosKernel(const Decimal& x, int digits);

// atan x for an exact x, in radians.
Decimal AtanKernel(const Decimal& x, int digits);

// The square root of an exact x >= 0.
Decimal SqrtKernel(const Decimal& x, int digits);

// pi as a ball of `digits` digits.
Decimal PiBall(int digits);

} // namespace quill
