// An upper bound on a distance: how far a rounded value may lie from the
// truth. m * 10^e with m of at most kBoundDigits digits, or no bound at all.
//
// Every operation rounds up, in 64-bit integers only, so a bound is never
// too small and every build computes the same one. Nine digits are plenty: a
// bound decides only which of a value's digits are shown.
#pragma once

#include <cstdint>

#include "calc/number/coefficient.h"

namespace quill {

inline constexpr int kBoundDigits = 9;

class Bound {
  public:
    Bound() = default; // zero: an exact value

    // At least m * 10^e.
    static Bound Of(std::uint64_t m, std::int64_t e);
    // At least |c| * 10^e.
    static Bound Of(const BigInt& c, std::int64_t e);
    // Half a unit of the place 10^e: one rounding to nearest there.
    static Bound HalfUnit(std::int64_t e) { return Of(5, e - 1); }
    // 10^e.
    static Bound Unit(std::int64_t e) { return Of(1, e); }
    // No bound: nothing is known of the value.
    static Bound Unbounded();

    bool IsZero() const { return mantissa_ == 0; }
    bool IsUnbounded() const { return exponent_ == kUnbounded; }
    std::uint64_t mantissa() const { return mantissa_; }
    std::int64_t exponent() const { return exponent_; }
    // The power of ten of the leading digit of a nonzero bound (above every
    // other for no bound).
    std::int64_t Scale() const;

    // At most |c| * 10^e (a bound from below, for a divisor).
    static Bound Below(const BigInt& c, std::int64_t e);
    // |c| * 10^e rounded up or down to kBoundDigits digits, by counting
    // them out (the two above read the top bits where they can).
    static Bound OfExact(const BigInt& c, std::int64_t e, bool up);

  private:
    static constexpr std::int64_t kUnbounded = INT64_MAX;
    std::uint64_t mantissa_ = 0;
    std::int64_t exponent_ = 0;
};

Bound operator+(const Bound& a, const Bound& b);
Bound operator*(const Bound& a, const Bound& b);
// a / b rounded up; no bound when b is zero.
Bound operator/(const Bound& a, const Bound& b);
// -1, 0 or 1 as a lies below, on or above b (no bound above all).
int Compare(const Bound& a, const Bound& b);
// a - b rounded down for a > b (zero otherwise): the least a divisor's ball
// can be, |b| less its radius.
Bound DifferenceBelow(const Bound& a, const Bound& b);

} // namespace quill
