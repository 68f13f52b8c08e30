// Binary floating point of kWorkDigits decimal digits (Boost's
// cpp_bin_float), for the bounds only: how far a function or a power moves
// over its argument's ball, worked out at the ball's ends and rounded up to
// nine digits (BoundOf), so that the few units a computation here loses in
// its last digits never reach them. No value is computed here: the values
// come from our own kernels (kernels.h).
//
// Only Boost's own arithmetic runs here, no C runtime maths, so every build
// computes the same bits. Callers hand in finite values; nothing throws.
#pragma once

#include <cstdint>

#include <boost/multiprecision/cpp_bin_float.hpp>

#include "calc/decimal.h"

namespace quill {

inline constexpr int kWorkDigits = 60;

// Beyond this |t|, e^t lies outside the range: ln 10 is below 2.303, and
// 10 powers of ten to spare.
inline constexpr std::int64_t kExpBound = (kMaxScale + 10) * 2303 / 1000;

using Work = mp::number<mp::cpp_bin_float<kWorkDigits>, mp::et_off>;

// A finite decimal as a binary float (rounded once or twice).
Work ToWork(const Decimal& x);

// A bound as a binary float, and a bound at least |w| (no bound for a
// non-finite w).
Work ToWork(const Bound& b);
Bound BoundOf(const Work& w);

// 10^n.
Work TenToWork(std::int64_t n);

// pi to the working precision.
const Work& WorkPi();

// The natural logarithm of a positive finite x. Near 1 it starts from x - 1,
// taken exactly in decimal, so a tiny logarithm keeps every digit.
Work LogOf(const Decimal& x);

} // namespace quill
