// Binary floating point of kWorkDigits decimal digits (Boost's
// cpp_bin_float), for what decimal arithmetic cannot do exactly: powers with a
// fractional exponent, roots and the built-in functions. A computation here
// loses a few units of its last digits; its result is trusted to
// kWorkTrustedDigits digits, and that is the bound it carries.
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

// What a computation here is trusted to: its result's first this many
// digits, of kWorkDigits.
inline constexpr int kWorkTrustedDigits = 55;

// w as a ball: rounded to a few digits more than kRoundedDigits, its radius what
// the computation may have lost beyond kWorkTrustedDigits digits and the
// rounding; non-finite values stay.
Decimal FromWork(const Work& w);

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

// The arctangent of a finite x, in radians.
Work Atan(const Work& x);

} // namespace quill
