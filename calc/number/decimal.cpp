#include "calc/number/decimal.h"

#include <algorithm>
#include <bit>
#include <optional>
#include <utility>

#include "calc/number/long_division.h"

namespace quill {

namespace {

constexpr Rounding kArithmetic = Rounding::HalfEven;

// A term this many places above a sum's rounded operands is far bigger:
// the sum keeps their digits whole.
constexpr int kFarDigits = 10;

// One operand as the arithmetic sees it: its sign may be turned for a
// subtraction.
struct Operand {
    const Decimal& value;
    bool negative;

    std::int64_t q() const { return value.exponent(); }
    int digits() const { return value.digits(); }
    std::int64_t scale() const { return value.Scale(); }
    bool small() const { return FitsLimb(value.coefficient()); }
    std::uint64_t limb() const { return LowLimb(value.coefficient()); }
};

// |x| ± |y| with the sign of the larger magnitude: the sum of two signed
// magnitudes of at most 39 digits.
std::pair<unsigned __int128, bool> SignedSum(unsigned __int128 x, bool xNegative,
                                             unsigned __int128 y, bool yNegative) {
    if (xNegative == yNegative) return {x + y, xNegative};
    if (x >= y) return {x - y, xNegative};
    return {y - x, yNegative};
}

// Digits worth keeping, within what a rounded value keeps.
int Kept(std::int64_t digits) {
    return static_cast<int>(std::clamp<std::int64_t>(digits, kRoundedDigits, kExactDigits));
}

// The digits a product or quotient keeps: as many as its rounded operands
// have, and at least those the evaluation asks.
int KeptFor(const Decimal& a, const Decimal& b, int digits) {
    const int da = a.IsInexact() ? a.digits() : 0;
    const int db = b.IsInexact() ? b.digits() : 0;
    return Kept(std::max({da, db, digits}));
}

// The sum of two finite nonzero midpoints, `carried` its own.
Decimal FiniteSum(const Operand& x, const Operand& y, const Bound& carried) {
    const std::int64_t shift = x.q() - y.q();
    if (x.small() && y.small() && shift <= kLimbDigits) {
        // Below 2^64 * 10^19 + 2^64 < 2^128: exact, and at most 39 digits.
        const unsigned __int128 xs =
            static_cast<unsigned __int128>(x.limb()) * SmallTenTo(static_cast<int>(shift));
        const auto [sum, negative] = SignedSum(xs, x.negative, y.limb(), y.negative);
        return Decimal::MakeExact(negative, sum, y.q(), carried);
    }
    // An exact sum is kept to kExactDigits digits. A rounded one keeps its
    // rounded operands' digits; where a term far bigger than they are is
    // added, down to their last digit, so that if it cancels again their
    // digits are left, not the sum's rounding.
    std::int64_t floor = INT64_MAX;
    std::int64_t roundedScale = INT64_MIN;
    int roundedDigits = 0;
    for (const Operand* o : {&x, &y}) {
        if (!o->value.IsInexact()) continue;
        floor = std::min(floor, o->q());
        roundedScale = std::max(roundedScale, o->scale());
        roundedDigits = std::max(roundedDigits, o->digits());
    }
    const std::int64_t top = std::max(x.scale(), y.scale());
    const bool farBigger = roundedDigits > 0 && top - roundedScale > kFarDigits;
    const int kept =
        carried.IsZero() ? kExactDigits : Kept(farBigger ? top - floor + 1 : roundedDigits);
    const int widen = kept + 3 - x.digits();
    if (y.scale() < x.scale() - (kept + 2) && widen >= 0) {
        // y lies wholly below the digits that decide the rounding: less than
        // one unit of x widened to a few digits more than are kept. The sum
        // lies strictly between that and the next unit up or down, which is
        // all that rounding needs to know; it must be rounded to those kept
        // digits, not more, or the digits past the widened unit would be
        // claimed as known.
        BigInt c = Scaled(x.value.coefficient(), widen);
        if (x.negative != y.negative) --c;
        return Decimal::Make(x.negative, std::move(c), x.q() - widen, true, carried, kept);
    }
    // Now shift is at most kept + 2 + y's digits: the sum is a few thousand
    // digits at most.
    BigInt sum = Scaled(x.value.coefficient(), shift);
    bool negative = x.negative;
    const BigInt& other = y.value.coefficient();
    if (x.negative == y.negative) {
        AddInPlace(sum, other);
    } else if (sum >= other) {
        SubtractInPlace(sum, other);
    } else {
        BigInt larger = other;
        SubtractInPlace(larger, sum);
        sum = std::move(larger);
        negative = y.negative;
    }
    return Decimal::Make(negative, std::move(sum), y.q(), false, carried, kept);
}

Decimal AddSigned(const Decimal& a, const Decimal& b, bool bNegative) {
    if (!a.IsFinite() || !b.IsFinite()) {
        if (a.IsNaN() || b.IsNaN()) return Decimal::NotANumber();
        if (a.IsInfinite() && b.IsInfinite() && a.IsNegative() != bNegative)
            return Decimal::NotANumber();
        return a.IsInfinite() ? a : Decimal::Infinity(bNegative);
    }
    if (b.IsZero()) return a.Widened(b.radius());
    if (a.IsZero()) {
        const Decimal turned = bNegative == b.IsNegative() ? b : -b;
        return turned.Widened(a.radius());
    }
    const Bound carried = a.radius() + b.radius();
    // x has the larger exponent, so only x is shifted to line the two up.
    const bool aFirst = a.exponent() >= b.exponent();
    const Operand x = aFirst ? Operand{a, a.IsNegative()} : Operand{b, bNegative};
    const Operand y = aFirst ? Operand{b, bNegative} : Operand{a, a.IsNegative()};
    return FiniteSum(x, y, carried);
}

// The product's value for non-finite operands or an exact zero, or nothing.
std::optional<Decimal> SpecialProduct(const Decimal& a, const Decimal& b) {
    const bool negative = a.IsNegative() != b.IsNegative();
    if (a.IsNaN() || b.IsNaN()) return Decimal::NotANumber();
    if (a.IsInfinite() || b.IsInfinite())
        return a.IsZero() || b.IsZero() ? Decimal::NotANumber() : Decimal::Infinity(negative);
    if ((a.IsZero() && !a.IsInexact()) || (b.IsZero() && !b.IsInexact())) return Decimal();
    return std::nullopt;
}

// Shifts a bound by a power of ten.
Bound ScaledBound(const Bound& b, std::int64_t places) {
    if (b.IsZero() || b.IsUnbounded()) return b;
    return Bound::Of(b.mantissa(), b.exponent() + places);
}

// The bound a product carries from its operands' radii: |a| rb + |b| ra +
// ra rb, each term only where its radius is not zero.
Bound ProductBound(const Decimal& a, const Decimal& b) {
    const bool aRounded = a.IsInexact();
    const bool bRounded = b.IsInexact();
    if (!aRounded && !bRounded) return {};
    if (!aRounded) return Magnitude(a) * b.radius();
    if (!bRounded) return Magnitude(b) * a.radius();
    return Magnitude(a) * b.radius() + Magnitude(b) * a.radius() + a.radius() * b.radius();
}

Decimal ScaledProduct(const Decimal& a, const Decimal& b, std::int64_t extraExponent, int digits) {
    if (std::optional<Decimal> special = SpecialProduct(a, b)) return std::move(*special);
    const Bound carried = ScaledBound(ProductBound(a, b), extraExponent);
    const bool negative = a.IsNegative() != b.IsNegative();
    const std::int64_t q = std::int64_t{a.exponent()} + b.exponent() + extraExponent;
    if (FitsLimb(a.coefficient()) && FitsLimb(b.coefficient())) {
        const unsigned __int128 product =
            static_cast<unsigned __int128>(LowLimb(a.coefficient())) * LowLimb(b.coefficient());
        return Decimal::MakeExact(negative, product, q, carried);
    }
    return Decimal::Make(negative, a.coefficient() * b.coefficient(), q, false, carried,
                         KeptFor(a, b, digits));
}

// Magnitudes of two nonzero finite values: -1, 0 or 1.
int CompareMagnitudes(const Decimal& a, const Decimal& b) {
    if (a.Scale() != b.Scale()) return a.Scale() < b.Scale() ? -1 : 1;
    // The same leading place: line the coefficients up.
    if (a.exponent() > b.exponent()) {
        const BigInt x = Scaled(a.coefficient(), a.exponent() - b.exponent());
        return x < b.coefficient() ? -1 : (x > b.coefficient() ? 1 : 0);
    }
    const BigInt y = Scaled(b.coefficient(), b.exponent() - a.exponent());
    return a.coefficient() < y ? -1 : (a.coefficient() > y ? 1 : 0);
}

// Removes x's factors p (p^each at a time first); returns how many went.
template <typename Integer>
int RemoveFactors(Integer& x, std::uint64_t p, std::uint64_t power, int each) {
    int count = 0;
    for (const auto& [divisor, step] :
         {std::pair<std::uint64_t, int>{power, each}, std::pair<std::uint64_t, int>{p, 1}}) {
        while (x % divisor == 0) {
            x /= divisor;
            count += step;
        }
    }
    return count;
}

// The factors 2 and 5 of b's coefficient: b = rest * 2^twos * 5^fives.
struct TenFactors {
    BigInt rest;
    int twos = 0;
    int fives = 0;
};

TenFactors FactorsOfTen(const BigInt& b) {
    TenFactors f;
    if (FitsLimb(b)) {
        // The usual divisor: one limb, stripped without big-number work.
        std::uint64_t rest = LowLimb(b);
        f.twos = std::countr_zero(rest);
        rest >>= f.twos;
        f.fives = RemoveFactors(rest, 5, 7450580596923828125ULL, 27); // 5^27
        f.rest = rest;
        return f;
    }
    f.rest = b;
    f.twos = static_cast<int>(mp::lsb(f.rest));
    f.rest >>= f.twos;
    f.fives = RemoveFactors(f.rest, 5, 7450580596923828125ULL, 27);
    return f;
}

// a / b for exact a and b whose quotient ends: c * 10^q with c of at most
// kExactDigits digits. Nothing when it does not end within them: a quotient
// ends when what b has beyond the factors 2 and 5 divides a.
std::optional<Decimal> EndingQuotient(const Decimal& a, const Decimal& b) {
    const TenFactors f = FactorsOfTen(b.coefficient());
    BigInt whole;
    if (FitsLimb(f.rest)) {
        const std::uint64_t rest = LowLimb(f.rest);
        const std::uint64_t left =
            FitsLimb(a.coefficient())
                ? LowLimb(a.coefficient()) % rest
                : static_cast<std::uint64_t>(mp::integer_modulus(a.coefficient(), rest));
        if (left != 0) return std::nullopt;
        whole = a.coefficient() / LowLimb(f.rest);
    } else {
        BigInt remainder;
        mp::divide_qr(a.coefficient(), f.rest, whole, remainder);
        if (!remainder.is_zero()) return std::nullopt;
    }
    // whole / (2^twos 5^fives) = whole * 2^(k - twos) * 5^(k - fives) / 10^k.
    const int k = std::max(f.twos, f.fives);
    if (k > kExactDigits * 4) return std::nullopt;
    const BigInt c = whole * mp::pow(BigInt(2), static_cast<unsigned>(k - f.twos)) *
                     mp::pow(BigInt(5), static_cast<unsigned>(k - f.fives));
    if (DigitCount(c) > kExactDigits) return std::nullopt;
    return Decimal::Make(a.IsNegative() != b.IsNegative(), c,
                         std::int64_t{a.exponent()} - b.exponent() - k);
}

// The bound a quotient carries from its operands' radii.
Bound QuotientBound(const Decimal& a, const Decimal& b) {
    if (!a.IsInexact() && !b.IsInexact()) return {};
    const Bound least = LeastMagnitude(b);
    // An exact divisor carries a's radius alone: ra / |b|.
    if (!b.IsInexact()) return a.radius() / least;
    if (Compare(least, b.radius()) <= 0) return Bound::Unbounded();
    const Bound ratio = Magnitude(a) / least;
    return (a.radius() + ratio * b.radius()) / DifferenceBelow(least, b.radius());
}

// Whether a number of `kept` digits rounded up carried into a new digit:
// 99...9 became 10^kept. An equality with the table's power where it has
// one, which is cheaper than counting the digits.
bool CarriedOver(const BigInt& rounded, int kept) {
    return kept <= kTableDigits ? rounded == coefficient_detail::TableTenTo(kept)
                                : DigitCount(rounded) > kept;
}

// Whether x, of dx digits, lined up with y, of dy digits, is at least y:
// then x / y leads with a digit more than dx - dy. (Both below 2^64, so the
// one scaled stays below 2^128.)
bool LinedUpAtLeast(std::uint64_t x, int dx, std::uint64_t y, int dy) {
    if (dx <= dy) return static_cast<unsigned __int128>(x) * SmallTenTo(dy - dx) >= y;
    return x >= static_cast<unsigned __int128>(y) * SmallTenTo(dx - dy);
}

// A quotient of kept or kept + 1 digits, rounded ties to even to kept
// digits; `rest` says where its nonzero remainder lies against half the
// divisor.
Decimal RoundedQuotient(bool negative, BigInt&& quotient, Rest rest, std::int64_t q,
                        const Bound& carried, int kept) {
    if (DigitCount(quotient) > kept) {
        // The last digit goes into the rest; the remainder makes it more.
        const std::uint64_t last = DivideByLimb(quotient, 10);
        ++q;
        rest = last < 5 ? Rest::Below : Rest::Above;
    }
    const Bound radius = carried + Bound::HalfUnit(q);
    if (RoundsUp(rest, mp::bit_test(quotient, 0), kArithmetic)) {
        ++quotient;
        if (CarriedOver(quotient, kept)) {
            // Carried into a new digit: 99...9 became 10^kept.
            DivideByLimb(quotient, 10);
            ++q;
        }
    }
    return Decimal::Rounded(negative, std::move(quotient), q, kept, radius);
}

// a / b for finite nonzero midpoints.
Decimal FiniteQuotient(const Decimal& a, const Decimal& b, int digits) {
    const bool negative = a.IsNegative() != b.IsNegative();
    const Bound carried = QuotientBound(a, b);
    const std::int64_t q = std::int64_t{a.exponent()} - b.exponent();
    if (FitsLimb(b.coefficient()) && FitsLimb(a.coefficient()) &&
        LowLimb(a.coefficient()) % LowLimb(b.coefficient()) == 0) {
        return Decimal::MakeExact(negative, LowLimb(a.coefficient()) / LowLimb(b.coefficient()), q,
                                  carried);
    }
    // A quotient of kept or kept + 1 digits, rounded by its remainder: a's
    // coefficient scaled to kept more digits than b's. Of one limb each, the
    // two are lined up first, so that the quotient has kept digits exactly
    // and is not divided again by ten.
    const int kept = KeptFor(a, b, digits);
    std::int64_t shift = kept - a.digits() + b.digits();
    if (FitsLimb(a.coefficient()) && FitsLimb(b.coefficient()) &&
        LinedUpAtLeast(LowLimb(a.coefficient()), a.digits(), LowLimb(b.coefficient()),
                       b.digits())) {
        --shift;
    }
    BigInt dividend = shift >= 0 ? Scaled(a.coefficient(), shift) : a.coefficient();
    BigInt scaledDivisor;
    if (shift < 0) scaledDivisor = Scaled(b.coefficient(), -shift);
    const BigInt& divisor = shift >= 0 ? b.coefficient() : scaledDivisor;
    BigInt quotient;
    Rest rest = Rest::Zero;
    bool mayEnd = true; // a remainder leaves the quotient perhaps ending further down
    if (FitsLimb(divisor)) {
        // The usual divisor: one limb, its remainder compared in place.
        const std::uint64_t d = LowLimb(divisor);
        quotient = std::move(dividend);
        const std::uint64_t r = DivideByLimb(quotient, d);
        if (r != 0) rest = r < d - r ? Rest::Below : (r == d - r ? Rest::Half : Rest::Above);
        // An ending quotient is a's multiple of b's factors other than 2 and
        // 5, so b divides a * 10^shift once shift covers b's twos (fewer than
        // its bits) and fives (fewer than half its bits): a remainder here
        // says the quotient never ends.
        mayEnd = shift < 0 || shift < std::countr_zero(d) ||
                 2 * shift < static_cast<std::int64_t>(std::bit_width(d));
    } else {
        BigInt remainder;
        DivideLong(dividend, divisor, quotient, remainder);
        remainder <<= 1;
        if (!remainder.is_zero()) {
            rest = remainder < divisor ? Rest::Below
                                       : (remainder == divisor ? Rest::Half : Rest::Above);
        }
    }
    if (rest == Rest::Zero)
        return Decimal::Make(negative, std::move(quotient), q - shift, false, carried, kept);
    if (carried.IsZero() && mayEnd) {
        if (std::optional<Decimal> ending = EndingQuotient(a, b)) return std::move(*ending);
    }
    return RoundedQuotient(negative, std::move(quotient), rest, q - shift, carried, kept);
}

// a / b for finite or non-finite a and b.
Decimal QuotientOf(const Decimal& a, const Decimal& b, int digits) {
    const bool negative = a.IsNegative() != b.IsNegative();
    if (a.IsNaN() || b.IsNaN()) return Decimal::NotANumber();
    if (a.IsInfinite()) return b.IsInfinite() ? Decimal::NotANumber() : Decimal::Infinity(negative);
    if (b.IsInfinite()) return {};
    if (b.IsZero()) {
        // A ball about zero that is no narrow zero: nothing is known.
        if (b.IsInexact()) return Decimal().Widened(Bound::Unbounded());
        return a.IsZero() ? Decimal::NotANumber() : Decimal::Infinity(negative);
    }
    if (a.IsZero()) return Decimal().Widened(QuotientBound(a, b));
    return FiniteQuotient(a, b, digits);
}

// The whole part of an exact x toward zero, then one step down or up where
// `step` is -1 or 1 and x is not whole.
Decimal ExactWhole(const Decimal& x, int step) {
    if (!x.IsFinite() || x.exponent() >= 0) return x;
    Decimal whole;
    if (-x.exponent() < x.digits()) {
        whole = Decimal::Make(x.IsNegative(),
                              DropDigits(x.coefficient(), -x.exponent(), false, Rounding::Down), 0);
    }
    if (step == 0 || IsWhole(x) || (step < 0) != x.IsNegative()) return whole;
    return Add(whole, Decimal::Integer(step));
}

// The whole part of a ball by `step` (0 toward zero, -1 down, 1 up).
Decimal WholeOf(const Decimal& x, int step) {
    const Decimal y = SnapToWhole(x);
    if (!y.IsFinite() || !y.IsInexact()) return ExactWhole(y, step);
    if (y.radius().IsUnbounded()) return Decimal().Widened(Bound::Unbounded());
    const Decimal mid = y.Midpoint();
    const Decimal r = Decimal::Of(y.radius());
    Decimal low = ExactWhole(Subtract(mid, r).Midpoint(), step);
    const Decimal high = ExactWhole(Add(mid, r).Midpoint(), step);
    if (Compare(low, high) == 0) return low;
    // A ball of whole parts: their middle, and half their span.
    const Decimal half = Decimal::MakeExact(false, 5, -1);
    const Decimal middle = Multiply(Add(low, high), half);
    return middle.Widened(Magnitude(Multiply(Subtract(high, low), half)));
}

// |v| rounded at `drop` digits by `rule`, the sign kept.
BigInt SignedDrop(const BigInt& v, std::int64_t drop, Rounding rule) {
    const BigInt magnitude = DropDigits(mp::abs(v), drop, false, rule);
    return v < 0 ? BigInt(-magnitude) : magnitude;
}

} // namespace

Bound Magnitude(const Decimal& x) {
    return x.IsZero() ? Bound() : Bound::Of(x.coefficient(), x.exponent());
}

Bound LeastMagnitude(const Decimal& x) {
    return x.IsZero() ? Bound() : Bound::Below(x.coefficient(), x.exponent());
}

Bound Reach(const Decimal& x) {
    return Magnitude(x) + x.radius();
}

Bound LeastReach(const Decimal& x) {
    return DifferenceBelow(LeastMagnitude(x), x.radius());
}

bool Decimal::Snaps() const {
    // A radius down at the range's edge bounds a value that fell below it:
    // it never snaps, so nothing typed that is nonzero is taken as zero.
    return !radius_.IsZero() && radius_.Scale() < -kSnapDigits && radius_.Scale() > kMinScale;
}

Decimal Decimal::Widened(const Bound& extra) const& {
    return Decimal(*this).Widened(extra);
}

Decimal&& Decimal::Widened(const Bound& extra) && {
    if (IsFinite()) radius_ = radius_ + extra;
    return std::move(*this);
}

Decimal Decimal::Midpoint() const {
    Decimal d = *this;
    d.radius_ = Bound();
    return d;
}

Decimal Decimal::Infinity(bool negative) {
    Decimal d;
    d.kind_ = Kind::Infinite;
    d.negative_ = negative;
    return d;
}

Decimal Decimal::NotANumber() {
    Decimal d;
    d.kind_ = Kind::NotANumber;
    return d;
}

Decimal Decimal::Integer(std::int64_t n) {
    // The magnitude of the most negative value too.
    const std::uint64_t magnitude =
        n < 0 ? ~static_cast<std::uint64_t>(n) + 1 : static_cast<std::uint64_t>(n);
    return MakeExact(n < 0, magnitude, 0);
}

Decimal Decimal::Of(const Bound& b) {
    Decimal d;
    if (b.IsZero() || b.IsUnbounded()) return d;
    d.coefficient_ = b.mantissa();
    d.exponent_ = static_cast<std::int32_t>(b.exponent());
    d.digits_ = static_cast<std::int16_t>(DigitCount(b.mantissa()));
    return d;
}

Decimal::Decimal(BigInt&& c, std::int64_t q, int digits, bool negative, const Bound& radius)
    : coefficient_(std::move(c)), radius_(radius), exponent_(static_cast<std::int32_t>(q)),
      digits_(static_cast<std::int16_t>(digits)), negative_(negative) {}

// Beyond the range: Infinity above it, and below it zero with a radius that
// holds the value. (A default Decimal zeroes every limb it keeps, so the
// usual values are built by the constructors above, field by field.)
Decimal Decimal::OutOfRange(bool negative, std::int64_t scale, const Bound& radius) {
    if (scale > kMaxScale) return Infinity(negative);
    Decimal d;
    d.radius_ = radius + Bound::Unit(kMinScale);
    return d;
}

Decimal Decimal::Rounded(bool negative, BigInt&& c, std::int64_t q, int digits,
                         const Bound& radius) {
    const std::int64_t scale = q + digits - 1;
    if (scale > kMaxScale || scale < kMinScale) return OutOfRange(negative, scale, radius);
    return {std::move(c), q, digits, negative, radius};
}

// MakeExact's other cases: zero, two limbs, or beyond the range.
Decimal Decimal::MakeExactElse(bool negative, unsigned __int128 c, std::int64_t q,
                               const Bound& radius) {
    const bool oneLimb = static_cast<std::uint64_t>(c) == c;
    const int digits = oneLimb ? DigitCount(static_cast<std::uint64_t>(c)) : DigitCount(c);
    if (digits == 0) return Decimal().Widened(radius);
    const std::int64_t scale = q + digits - 1;
    if (scale > kMaxScale || scale < kMinScale) return OutOfRange(negative, scale, radius);
    if (oneLimb) return {static_cast<std::uint64_t>(c), q, digits, negative, radius};
    return {BigInt(c), q, digits, negative, radius};
}

Decimal Decimal::Make(bool negative, BigInt c, std::int64_t q, bool sticky, const Bound& carried,
                      int kept) {
    int digits = DigitCount(c);
    if (digits == 0) return Decimal().Widened(carried);
    if (!sticky && carried.IsZero() && digits > kExactDigits) {
        // Long only by its trailing zeros, perhaps: 10^1000 is exact.
        q += StripZeros(c);
        digits = DigitCount(c);
    }
    const bool exact = !sticky && carried.IsZero() && digits <= kExactDigits;
    const int precision = exact ? kExactDigits : std::clamp(kept, kRoundedDigits, kExactDigits);
    Bound radius = carried;
    if (sticky || digits > precision) {
        std::int64_t drop = digits - precision;
        if (drop <= 0) {
            // Widen, so that what lies beyond is below a digit to be dropped.
            c = Scaled(c, 1 - drop);
            q -= 1 - drop;
            drop = 1;
        }
        DropDigitsInPlace(c, drop, sticky, kArithmetic);
        q += drop;
        radius = carried + Bound::HalfUnit(q);
        // `precision` digits are left, or one more where the rounding
        // carried into a new digit.
        digits = precision;
        if (CarriedOver(c, precision)) {
            DivideByLimb(c, 10);
            ++q;
        }
    }
    return Rounded(negative, std::move(c), q, digits, radius);
}

Decimal Decimal::operator-() const {
    Decimal d = *this;
    if (!IsZero() && !IsNaN()) d.negative_ = !negative_;
    return d;
}

Decimal Add(const Decimal& a, const Decimal& b) {
    return AddSigned(a, b, b.IsNegative());
}

Decimal Subtract(const Decimal& a, const Decimal& b) {
    return AddSigned(a, b, !b.IsNegative() && !b.IsZero());
}

Decimal Multiply(const Decimal& a, const Decimal& b, int digits) {
    return ScaledProduct(a, b, 0, digits);
}

Decimal Percent(const Decimal& a, const Decimal& b, int digits) {
    return ScaledProduct(a, b, -2, digits);
}

Decimal Divide(const Decimal& a, const Decimal& b, int digits) {
    return QuotientOf(a, b, digits);
}

int Compare(const Decimal& a, const Decimal& b) {
    const int signA = a.IsZero() ? 0 : (a.IsNegative() ? -1 : 1);
    const int signB = b.IsZero() ? 0 : (b.IsNegative() ? -1 : 1);
    if (signA != signB) return signA < signB ? -1 : 1;
    if (signA == 0) return 0;
    const int magnitude = CompareMagnitudes(a, b);
    return signA > 0 ? magnitude : -magnitude;
}

bool IsWhole(const Decimal& x) {
    if (x.IsZero() || x.exponent() >= 0) return true;
    if (-x.exponent() >= x.digits()) return false;
    return EndsInZeros(x.coefficient(), -x.exponent());
}

bool IsOddWhole(const Decimal& x) {
    if (!IsWhole(x) || x.IsZero() || x.exponent() > 0) return false;
    const BigInt whole = DropDigits(x.coefficient(), -x.exponent(), false, Rounding::Down);
    return mp::bit_test(whole, 0);
}

bool decimal_detail::HoldsOnlyZero(const Decimal& x) {
    if (!x.IsFinite()) return false;
    if (!x.IsInexact()) return x.IsZero();
    // A wider ball proves nothing of zero, however far below the values it
    // came from its radius lies: 10^1100 - 1 - 10^1100 rounded is 0 ± 10^99.
    if (!x.Snaps()) return false;
    // |x| >= 10^Scale: a radius of a lower scale cannot reach zero.
    if (x.IsZero()) return true;
    if (x.radius().Scale() < x.Scale()) return false;
    return Compare(LeastMagnitude(x), x.radius()) <= 0;
}

Decimal SnapToWhole(const Decimal& x) {
    if (!x.IsFinite() || !x.Snaps()) return x;
    if (IsZeroBall(x)) return {};
    if (x.exponent() >= 0) return x.Midpoint();
    // The midpoint's distance to the nearest whole number, in units of its
    // last digit.
    const std::int64_t drop = -std::int64_t{x.exponent()};
    if (drop > x.digits()) return x; // below 1: only zero was near
    BigInt whole = DropDigits(x.coefficient(), drop, false, Rounding::Down);
    const BigInt unit = TenTo(drop);
    const BigInt part = x.coefficient() - whole * unit;
    const bool up = part * 2U >= unit;
    const BigInt distance = up ? BigInt(unit - part) : part;
    if (Compare(Bound::Below(distance, x.exponent()), x.radius()) > 0) return x;
    if (up) ++whole;
    return Decimal::Make(x.IsNegative(), std::move(whole), 0);
}

Decimal Truncate(const Decimal& x) {
    return WholeOf(x, 0);
}

Decimal Floor(const Decimal& x) {
    return WholeOf(x, -1);
}

Decimal Ceil(const Decimal& x) {
    return WholeOf(x, 1);
}

Decimal Abs(const Decimal& x) {
    return x.IsNegative() ? -x : x;
}

namespace {

// The rounding of a ball narrower than half a unit of the place, from the
// midpoint's digits there (`kept`, of |c|) and what lies below them (`part`
// of `one`): only the ends' parts can move it. False when the ball crosses a
// boundary it may not be taken as.
bool RoundNarrow(const BigInt& part, const BigInt& one, const BigInt& radius, Rounding rule,
                 bool point, BigInt& kept) {
    if (rule == Rounding::Down) {
        const bool below = part < radius && !kept.is_zero(); // the low end falls a unit
        const bool above = part + radius >= one;             // the high end climbs one
        if (below && above) return false;
        if ((below || above) && !point) return false;
        // The boundary a narrow ball holds is that whole unit.
        if (above) ++kept;
        return true;
    }
    const BigInt half = one / 2U;
    const bool lowUp = part >= half + radius;
    const bool highUp = part + radius >= half;
    if (lowUp != highUp && !point) return false;
    // A tie a narrow ball holds rounds away from zero.
    if (highUp) ++kept;
    return true;
}

// The usual case, quickly: a ball far narrower than a unit of the place
// whose midpoint lies clear of the boundaries there, so that every point
// rounds as the midpoint does. False when it is not that case.
bool ClearRounding(const Decimal& x, std::int64_t place, Rounding rule, BigInt& digits) {
    const Bound& r = x.radius();
    if (x.IsZero() || r.IsUnbounded()) return false;
    const std::int64_t drop = place - x.exponent();
    bool up = false;
    BigInt kept;
    if (drop <= 0) {
        // No digit of the midpoint below the place: only a rule that rounds
        // to nearest stays clear of the unit just below.
        if (rule == Rounding::Down || r.Scale() >= place - 1) return false;
        kept = Scaled(x.coefficient(), -drop);
    } else {
        if (drop > kTableDigits) return false;
        std::uint64_t top = 0;
        int topDigits = 0;
        kept = CutDigits(x.coefficient(), drop, top, topDigits);
        // The part below the place lies in [top, top + 1) units, the ball's
        // ends less than one unit further.
        if (r.Scale() >= place - topDigits) return false;
        if (rule == Rounding::Down) {
            if (top < 1 || top + 2 > SmallTenTo(topDigits)) return false;
        } else {
            const std::uint64_t half = 5 * SmallTenTo(topDigits - 1);
            if (top + 2 > half && top < half + 1) return false;
            up = top > half;
        }
    }
    if (up) ++kept;
    digits = x.IsNegative() ? BigInt(-kept) : std::move(kept);
    return true;
}

} // namespace

bool ProvenDigits(const Decimal& x, std::int64_t place, Rounding rule, BigInt& digits) {
    if (x.IsInexact() && ClearRounding(x, place, rule, digits)) return true;
    const BigInt signedC = x.IsNegative() ? BigInt(-x.coefficient()) : x.coefficient();
    if (!x.IsInexact()) {
        digits = x.exponent() >= place ? Scaled(signedC, x.exponent() - place)
                                       : SignedDrop(signedC, place - x.exponent(), rule);
        return true;
    }
    const Bound& r = x.radius();
    if (r.IsUnbounded()) return false;
    // Units of 10^unit: below the place, the midpoint's last digit and the
    // radius's. A radius far below both is taken a little larger.
    std::int64_t unit = std::min<std::int64_t>(place - 1, x.IsZero() ? place - 1 : x.exponent());
    const std::int64_t floor = unit - 3;
    std::uint64_t m = r.mantissa();
    std::int64_t e = r.exponent();
    if (r.Scale() < floor) {
        m = 1;
        e = floor;
    }
    unit = std::min(unit, e);
    const std::int64_t drop = place - unit;
    const BigInt c = x.IsZero() ? BigInt(0) : Scaled(x.coefficient(), x.exponent() - unit);
    const BigInt radius = Scaled(BigInt(m), e - unit);
    // A ball that snaps is taken as the boundary it holds, far above its
    // radius.
    const bool point = x.Snaps() && r.Scale() < place - kPointDigits;
    const BigInt one = TenTo(drop);
    if (radius * 2U < one) {
        BigInt kept = DropDigits(c, drop, false, Rounding::Down);
        const BigInt part = c - Scaled(kept, drop);
        if (!RoundNarrow(part, one, radius, rule, point, kept)) return false;
        digits = x.IsNegative() ? BigInt(-kept) : kept;
        return true;
    }
    // A wide ball: both ends rounded, and one boundary between them at most.
    const BigInt mid = x.IsNegative() ? BigInt(-c) : c;
    const BigInt low = SignedDrop(mid - radius, drop, rule);
    const BigInt high = SignedDrop(mid + radius, drop, rule);
    if (low == high) {
        digits = low;
        return true;
    }
    if (!point || high - low != 1) return false;
    digits = mp::abs(low) > mp::abs(high) ? low : high;
    return true;
}

} // namespace quill
