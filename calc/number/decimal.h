// The engine's one number: a decimal ball. A finite Decimal is a midpoint
// ±c·10^q with a whole coefficient c, and a bound (radius) on its distance
// from the true value: zero for an exact value. Infinities and NotANumber
// are values too.
//
// - Exact while it can be: +, -, *, Percent and whole powers of exact values
//   are exact while the result has at most kExactDigits (1,000) digits, /
//   when the quotient ends within them. Beyond, the result is rounded (to
//   nearest, a tie to the even neighbour) to at least kRoundedDigits (55)
//   digits: as many as its rounded operands have, a sum down to their last
//   digit, so that a big exact term that cancels leaves the small rounded
//   one's digits, not the sum's rounding.
// - Every rounded value carries its bound, and every operation carries it
//   on; each rounding adds its own half unit. Bounds are never too small
//   (see bound.h). For balls a +- ra and b +- rb:
//
//     a + b    midpoints added     ra + rb
//     a * b    midpoints times     |a| rb + |b| ra + ra rb
//     a / b    midpoints divided   (ra + |a/b| rb) / (|b| - rb), none
//                                  where b's ball holds zero
//     f(a)     f at the midpoint   ra times the most |f'| over the ball,
//              (kernels.h)         plus the kernel's own count
// - A ball whose radius lies below 10^-kSnapDigits is taken as the zero,
//   whole number or tie it holds, so 1/3*3 is 1 and sin(pi) is 0 once the
//   evaluation has gone to 1,000 digits (evaluator.h); a wider ball decides
//   nothing.
// - Products and quotients of exact values that do not stay exact keep
//   `digits` digits (kRoundedDigits unless an evaluation asks for more).
// - Range: a nonzero finite midpoint lies between 10^kMinScale and
//   10^(kMaxScale + 1). A result beyond it is ±Infinity; one below it is 0
//   with a radius that bounds it. Zero has no sign.
// - Non-finite values follow IEEE 754's rules: Infinity - Infinity,
//   0 * Infinity and anything with NotANumber give NotANumber.
//
// Operations are pure and never throw (an allocation aside).
#pragma once

#include <cstdint>

#include "calc/number/bound.h"
#include "calc/number/coefficient.h"

namespace quill {

// The largest and smallest power of ten of a leading digit.
inline constexpr int kMaxScale = 10000;
inline constexpr int kMinScale = -10000;

// A ball is taken as a zero, whole number or tie it holds only when its
// radius lies below 10^-kSnapDigits, and a tie or whole unit of a place only
// at kPointDigits below that place too: a true value that close to such a
// point by chance is that rare.
inline constexpr int kSnapDigits = 900;
inline constexpr int kPointDigits = 10;

class Decimal {
  public:
    enum class Kind : std::uint8_t { Finite, Infinite, NotANumber };

    Decimal() = default; // zero
    Decimal(const Decimal&) = default;
    Decimal& operator=(const Decimal&) = default;
    // A coefficient of one limb, the usual one, is moved as that limb: a
    // moved BigInt copies its limbs through a call to memcpy, and a line
    // moves a value at every number and every operator.
    Decimal(Decimal&& o) noexcept
        : coefficient_(FitsLimb(o.coefficient_) ? OneLimb(o.coefficient_)
                                                : std::move(o.coefficient_)),
          radius_(o.radius_), exponent_(o.exponent_), digits_(o.digits_), negative_(o.negative_),
          kind_(o.kind_) {}
    Decimal& operator=(Decimal&& o) noexcept {
        if (FitsLimb(o.coefficient_)) {
            coefficient_ = OneLimb(o.coefficient_);
        } else {
            coefficient_ = std::move(o.coefficient_);
        }
        radius_ = o.radius_;
        exponent_ = o.exponent_;
        digits_ = o.digits_;
        negative_ = o.negative_;
        kind_ = o.kind_;
        return *this;
    }

    static Decimal Infinity(bool negative);
    static Decimal NotANumber();
    static Decimal Integer(std::int64_t n);

    // ±c·10^q plus the bound `carried` brought from the operands: exact when
    // nothing is carried, nothing dropped and c has at most kExactDigits
    // digits; else rounded ties to even to `kept` digits (kRoundedDigits to
    // kExactDigits), and the rounding's half unit added. `sticky` says the
    // true magnitude lies a little above c·10^q (something nonzero below c's
    // last digit).
    static Decimal Make(bool negative, BigInt c, std::int64_t q, bool sticky = false,
                        const Bound& carried = {}, int kept = kRoundedDigits);
    // ±c·10^q whose c has at most 38 digits, exact but for `radius` (the
    // bound its operands carried): checked against the range only. Inline
    // for a nonzero c of one limb within the range, where every number read
    // and most exact results come.
    static Decimal MakeExact(bool negative, unsigned __int128 c, std::int64_t q,
                             const Bound& radius = {}) {
        const auto limb = static_cast<std::uint64_t>(c);
        const int digits = DigitCount(limb);
        const std::int64_t scale = q + digits - 1;
        if (limb == c && digits != 0 && scale <= kMaxScale && scale >= kMinScale)
            return {limb, q, digits, negative, radius};
        return MakeExactElse(negative, c, q, radius);
    }
    // The exact value of a bound.
    static Decimal Of(const Bound& b);
    // A value already rounded: ±c·10^q where c has exactly `digits` digits,
    // and `radius` its whole bound; checked against the range only.
    static Decimal Rounded(bool negative, BigInt&& c, std::int64_t q, int digits,
                           const Bound& radius);

    Kind kind() const { return kind_; }
    bool IsFinite() const { return kind_ == Kind::Finite; }
    bool IsInfinite() const { return kind_ == Kind::Infinite; }
    bool IsNaN() const { return kind_ == Kind::NotANumber; }
    // The midpoint is zero (its ball may hold more).
    bool IsZero() const { return IsFinite() && digits_ == 0; }
    // Below zero (a negative finite value or -Infinity).
    bool IsNegative() const { return negative_; }
    // Whether a rounding went into this value: it has a radius.
    bool IsInexact() const { return !radius_.IsZero(); }

    const BigInt& coefficient() const { return coefficient_; }
    std::int32_t exponent() const { return exponent_; }
    // The coefficient's digits (0 for zero).
    int digits() const { return digits_; }
    // The power of ten of the leading digit of a nonzero finite value.
    int Scale() const { return exponent_ + digits_ - 1; }

    const Bound& radius() const { return radius_; }
    // Whether the ball is narrow enough to be taken as a point it holds.
    bool Snaps() const;

    // The same ball with `extra` more radius. A temporary is changed in
    // place and handed on, so that a chain of these moves it once.
    Decimal Widened(const Bound& extra) const&;
    Decimal&& Widened(const Bound& extra) &&;
    // The midpoint alone, exact.
    Decimal Midpoint() const;

    Decimal operator-() const;

  private:
    // c of one limb, rebuilt in line.
    static BigInt OneLimb(const BigInt& c) {
        BigInt limb(LowLimb(c));
        if (c.sign() < 0) limb.backend().negate();
        return limb;
    }
    Decimal(BigInt&& c, std::int64_t q, int digits, bool negative, const Bound& radius);
    Decimal(std::uint64_t c, std::int64_t q, int digits, bool negative, const Bound& radius)
        : coefficient_(c), radius_(radius), exponent_(static_cast<std::int32_t>(q)),
          digits_(static_cast<std::int16_t>(digits)), negative_(negative) {}
    static Decimal OutOfRange(bool negative, std::int64_t scale, const Bound& radius);
    static Decimal MakeExactElse(bool negative, unsigned __int128 c, std::int64_t q,
                                 const Bound& radius);

    BigInt coefficient_{};
    Bound radius_{};
    std::int32_t exponent_ = 0;
    std::int16_t digits_ = 0;
    bool negative_ = false;
    Kind kind_ = Kind::Finite;
};

// |x| as a bound from above, and from below.
Bound Magnitude(const Decimal& x);
Bound LeastMagnitude(const Decimal& x);
// The most and the least |v| for v in x's ball (zero where it holds zero).
Bound Reach(const Decimal& x);
Bound LeastReach(const Decimal& x);

Decimal Add(const Decimal& a, const Decimal& b);
Decimal Subtract(const Decimal& a, const Decimal& b);
Decimal Multiply(const Decimal& a, const Decimal& b, int digits = kRoundedDigits);
// a / b; a nonzero a over zero is ±Infinity, 0/0 NotANumber (the evaluator
// stops at a divisor that is zero before it comes here). A divisor's ball
// that holds zero gives no bound.
Decimal Divide(const Decimal& a, const Decimal& b, int digits = kRoundedDigits);
// a per cent of b: a / 100 * b, rounded once.
Decimal Percent(const Decimal& a, const Decimal& b, int digits = kRoundedDigits);

// -1, 0 or 1 as a's midpoint is below, equal to or above b's; both finite.
int Compare(const Decimal& a, const Decimal& b);

// Finite values only: whether the midpoint is a whole number, an odd one.
bool IsWhole(const Decimal& x);
bool IsOddWhole(const Decimal& x);

namespace decimal_detail {
bool HoldsOnlyZero(const Decimal& x);
} // namespace decimal_detail

// Whether x is zero: an exact zero, or a ball that snaps and holds zero.
// Only a zero midpoint or a radius below 10^-kSnapDigits can be one, so the
// usual value is told at once, inline (every divisor is asked).
inline bool IsZeroBall(const Decimal& x) {
    return (x.IsZero() || x.radius().exponent() < -kSnapDigits) && decimal_detail::HoldsOnlyZero(x);
}

// x itself, or the whole number its ball holds when it snaps, exact
// (0.999...9 ± 10^-1000 from 1/3*3 is 1).
Decimal SnapToWhole(const Decimal& x);

// The whole part toward zero, below and above; non-finite values stay. A
// ball whose ends share the whole part gives it exactly; one that snaps to
// a whole number gives that; a wider one gives a ball of whole parts.
Decimal Truncate(const Decimal& x);
Decimal Floor(const Decimal& x);
Decimal Ceil(const Decimal& x);
Decimal Abs(const Decimal& x);

// The digits of x at the place 10^place, rounded by `rule` (HalfAway or
// Down), with its sign: the one number every point of the ball rounds to,
// or the one a tie or whole unit rounds to when the ball snaps to it. False
// when the ball's points round to different numbers there.
bool ProvenDigits(const Decimal& x, std::int64_t place, Rounding rule, BigInt& digits);

} // namespace quill
