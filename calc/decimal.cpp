#include "calc/decimal.h"

#include <utility>

namespace quill {

namespace {

constexpr Rounding kArithmetic = Rounding::HalfEven;

// One operand as the arithmetic sees it: its sign may be turned for a
// subtraction.
struct Operand {
    const Decimal& value;
    bool negative;

    std::int64_t q() const { return value.exponent(); }
    int digits() const { return value.digits(); }
    bool small() const { return FitsLimb(value.coefficient()); }
    std::uint64_t limb() const { return LowLimb(value.coefficient()); }
};

// |big| ± |small| with the sign of the larger magnitude: the sum of two
// signed magnitudes.
template <typename Integer>
std::pair<Integer, bool> SignedSum(const Integer& x, bool xNegative, const Integer& y,
                                   bool yNegative) {
    if (xNegative == yNegative) return {x + y, xNegative};
    if (x >= y) return {x - y, xNegative};
    return {y - x, yNegative};
}

Decimal AddSigned(const Decimal& a, const Decimal& b, bool bNegative) {
    if (!a.IsFinite() || !b.IsFinite()) {
        if (a.IsNaN() || b.IsNaN()) return Decimal::NotANumber();
        if (a.IsInfinite() && b.IsInfinite() && a.IsNegative() != bNegative)
            return Decimal::NotANumber();
        return a.IsInfinite() ? a : Decimal::Infinity(bNegative);
    }
    if (b.IsZero()) return a;
    if (a.IsZero()) return bNegative == b.IsNegative() ? b : -b;

    // x has the larger exponent, so only x is shifted to line the two up.
    const bool aFirst = a.exponent() >= b.exponent();
    const Operand x = aFirst ? Operand{a, a.IsNegative()} : Operand{b, bNegative};
    const Operand y = aFirst ? Operand{b, bNegative} : Operand{a, a.IsNegative()};
    const std::int64_t shift = x.q() - y.q();

    if (x.small() && y.small() && shift <= kLimbDigits) {
        // Below 2^64 * 10^19 + 2^64 < 2^128: exact, and at most 39 digits.
        const unsigned __int128 xs =
            static_cast<unsigned __int128>(x.limb()) * SmallTenTo(static_cast<int>(shift));
        const auto [sum, negative] =
            SignedSum<unsigned __int128>(xs, x.negative, y.limb(), y.negative);
        return Decimal::MakeExact(negative, sum, y.q());
    }

    const std::int64_t xScale = x.q() + x.digits() - 1;
    const std::int64_t yScale = y.q() + y.digits() - 1;
    if (yScale < xScale - (kPrecision + 2)) {
        // y lies wholly below the digits that decide x's rounding: less
        // than one unit of x widened to kPrecision + 3 digits. The exact sum
        // lies strictly between that and the next unit up or down, which is
        // all that rounding needs to know.
        const int widen = kPrecision + 3 - x.digits();
        Wide c = Scaled(x.value.coefficient(), widen);
        if (x.negative != y.negative) --c;
        return Decimal::Make(x.negative, c, x.q() - widen, true);
    }
    // Now shift <= kPrecision + 2 + y's digits - x's digits: the sum fits.
    const auto [sum, negative] =
        SignedSum<Wide>(Scaled(x.value.coefficient(), static_cast<int>(shift)), x.negative,
                        Wide(y.value.coefficient()), y.negative);
    return Decimal::Make(negative, sum, y.q());
}

// The product's value for non-finite or zero operands, or nothing.
bool SpecialProduct(const Decimal& a, const Decimal& b, Decimal& out) {
    const bool negative = a.IsNegative() != b.IsNegative();
    if (a.IsNaN() || b.IsNaN()) {
        out = Decimal::NotANumber();
    } else if (a.IsInfinite() || b.IsInfinite()) {
        out = a.IsZero() || b.IsZero() ? Decimal::NotANumber() : Decimal::Infinity(negative);
    } else if (a.IsZero() || b.IsZero()) {
        out = Decimal();
    } else {
        return false;
    }
    return true;
}

Decimal ScaledProduct(const Decimal& a, const Decimal& b, std::int64_t extraExponent) {
    Decimal special;
    if (SpecialProduct(a, b, special)) return special;
    const bool negative = a.IsNegative() != b.IsNegative();
    const std::int64_t q = std::int64_t{a.exponent()} + b.exponent() + extraExponent;
    if (FitsLimb(a.coefficient()) && FitsLimb(b.coefficient())) {
        const unsigned __int128 product =
            static_cast<unsigned __int128>(LowLimb(a.coefficient())) * LowLimb(b.coefficient());
        return Decimal::MakeExact(negative, product, q);
    }
    Wide product(a.coefficient());
    if (FitsLimb(b.coefficient())) {
        product *= LowLimb(b.coefficient());
    } else {
        product *= Wide(b.coefficient());
    }
    return Decimal::Make(negative, product, q);
}

// Magnitudes of two nonzero finite values: -1, 0 or 1.
int CompareMagnitudes(const Decimal& a, const Decimal& b) {
    if (a.Scale() != b.Scale()) return a.Scale() < b.Scale() ? -1 : 1;
    // The same leading place: line the coefficients up (they differ by
    // fewer than kPrecision digits).
    Wide x(a.coefficient());
    Wide y(b.coefficient());
    if (a.exponent() > b.exponent()) {
        x *= TenTo(a.exponent() - b.exponent());
    } else {
        y *= TenTo(b.exponent() - a.exponent());
    }
    return x < y ? -1 : (x > y ? 1 : 0);
}

// How many of x's last digits lie beyond its trusted ones, when that part is
// small against the `drop` digits taken off; -1 when x is exact or nothing
// is to be gained.
int TrustSlack(const Decimal& x, int drop) {
    if (!x.IsInexact()) return -1;
    const int slack = x.digits() - 1 - kTrustedDigits;
    return slack >= 0 && slack < drop - 1 ? slack : -1;
}

// a / b for finite or non-finite a and b, its roundings its own.
Decimal QuotientOf(const Decimal& a, const Decimal& b) {
    const bool negative = a.IsNegative() != b.IsNegative();
    if (a.IsNaN() || b.IsNaN()) return Decimal::NotANumber();
    if (a.IsInfinite()) return b.IsInfinite() ? Decimal::NotANumber() : Decimal::Infinity(negative);
    if (b.IsInfinite()) return {};
    if (b.IsZero()) return a.IsZero() ? Decimal::NotANumber() : Decimal::Infinity(negative);
    if (a.IsZero()) return {};

    const std::int64_t q = std::int64_t{a.exponent()} - b.exponent();
    const bool smallDivisor = FitsLimb(b.coefficient());
    if (smallDivisor && FitsLimb(a.coefficient()) &&
        LowLimb(a.coefficient()) % LowLimb(b.coefficient()) == 0) {
        return Decimal::MakeExact(negative, LowLimb(a.coefficient()) / LowLimb(b.coefficient()), q);
    }
    // A quotient of exactly kPrecision digits, rounded by its remainder: a's
    // coefficient scaled to kPrecision - 1 more digits than b's, or one more
    // when its leading digits lie below b's.
    int shift = kPrecision - 1 - a.digits() + b.digits();
    Wide dividend = Scaled(a.coefficient(), shift);
    if (dividend < Scaled(b.coefficient(), kPrecision - 1)) {
        dividend *= 10U;
        ++shift;
    }
    const Wide divisor = smallDivisor ? Wide(LowLimb(b.coefficient())) : Wide(b.coefficient());
    Wide quotient;
    Wide remainder;
    mp::divide_qr(dividend, divisor, quotient, remainder);
    Rest rest = Rest::Zero;
    if (!remainder.is_zero()) {
        remainder <<= 1;
        rest =
            remainder < divisor ? Rest::Below : (remainder == divisor ? Rest::Half : Rest::Above);
    }
    return Decimal::Rounded(negative, quotient, q - shift, rest);
}

} // namespace

Decimal SnapToWhole(const Decimal& x) {
    if (!x.IsFinite() || x.exponent() >= 0) return x;
    const int drop = -x.exponent();
    const int slack = TrustSlack(x, drop);
    if (slack < 0 || drop > kWideDigits) return x;
    const Wide c(x.coefficient());
    const Wide nearest = DropDigits(c, drop, false, Rounding::HalfAway);
    const Wide target = nearest * TenTo(drop);
    const Wide distance = c > target ? c - target : target - c;
    if (distance > TenTo(slack)) return x;
    return Decimal::Make(x.IsNegative(), nearest, 0).MarkInexact(true);
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

Decimal Decimal::MakeExact(bool negative, unsigned __int128 c, std::int64_t q) {
    Decimal d;
    const int digits = DigitCount(c);
    if (digits == 0) return d;
    const std::int64_t scale = q + digits - 1;
    if (scale > kMaxScale) return Infinity(negative);
    if (scale < kMinScale) {
        d.inexact_ = true;
        return d;
    }
    d.coefficient_ = Coefficient(c);
    d.exponent_ = static_cast<std::int32_t>(q);
    d.digits_ = static_cast<std::int16_t>(digits);
    d.negative_ = negative;
    return d;
}

Decimal Decimal::Rounded(bool negative, Wide c, std::int64_t q, Rest rest) {
    const bool rounded = rest != Rest::Zero;
    if (RoundsUp(rest, mp::bit_test(c, 0), kArithmetic)) ++c;
    int digits = DigitCount(c);
    Decimal d;
    d.inexact_ = rounded;
    if (digits == 0) return d;
    if (digits > kPrecision) {
        // Rounding carried into a new digit: 99...9 became 10^kPrecision.
        c = TenTo(kPrecision - 1);
        ++q;
        digits = kPrecision;
    }
    const std::int64_t scale = q + digits - 1;
    if (scale > kMaxScale) return Infinity(negative);
    if (scale < kMinScale) {
        d.inexact_ = true;
        return d;
    }
    d.coefficient_ = Coefficient(c);
    d.exponent_ = static_cast<std::int32_t>(q);
    d.digits_ = static_cast<std::int16_t>(digits);
    d.negative_ = negative;
    return d;
}

Decimal Decimal::Make(bool negative, const Wide& c, std::int64_t q, bool sticky) {
    const int digits = DigitCount(c);
    if (digits == 0 && !sticky) return {};
    if (digits <= kPrecision && !sticky) return Rounded(negative, c, q, Rest::Zero);
    Wide kept = c;
    int drop = digits - kPrecision;
    if (drop <= 0) {
        // Widen, so that what lies beyond is below a digit to be dropped.
        kept *= TenTo(1 - drop);
        q -= 1 - drop;
        drop = 1;
    }
    const Wide whole = DropDigits(kept, drop, false, Rounding::Down);
    const Wide part = kept - whole * TenTo(drop);
    Rest rest = Rest::Zero;
    if (!part.is_zero() || sticky) {
        const Wide half = TenTo(drop - 1) * 5U;
        rest = part < half ? Rest::Below : (part == half && !sticky ? Rest::Half : Rest::Above);
    }
    return Rounded(negative, whole, q + drop, rest);
}

Decimal Decimal::Make(bool negative, const BigInt& c, std::int64_t q, bool sticky) {
    const int digits = DigitCount(c);
    if (digits <= kWideDigits) return Make(negative, Wide(c), q, sticky);
    // Drop all but a few digits more than the precision toward zero; what
    // went is carried as sticky.
    const int drop = digits - (kPrecision + 3);
    BigInt kept;
    BigInt rest;
    mp::divide_qr(c, mp::pow(BigInt(10), static_cast<unsigned>(drop)), kept, rest);
    return Make(negative, Wide(kept), q + drop, sticky || !rest.is_zero());
}

Decimal Decimal::operator-() const {
    Decimal d = *this;
    if (!IsZero() && !IsNaN()) d.negative_ = !negative_;
    return d;
}

Decimal Add(const Decimal& a, const Decimal& b) {
    Decimal sum = AddSigned(a, b, b.IsNegative());
    sum.MarkInexact(a.IsInexact() || b.IsInexact());
    return sum;
}

Decimal Subtract(const Decimal& a, const Decimal& b) {
    Decimal difference = AddSigned(a, b, !b.IsNegative() && !b.IsZero());
    difference.MarkInexact(a.IsInexact() || b.IsInexact());
    return difference;
}

Decimal Multiply(const Decimal& a, const Decimal& b) {
    Decimal product = ScaledProduct(a, b, 0);
    product.MarkInexact(a.IsInexact() || b.IsInexact());
    return product;
}

Decimal Percent(const Decimal& a, const Decimal& b) {
    Decimal product = ScaledProduct(a, b, -2);
    product.MarkInexact(a.IsInexact() || b.IsInexact());
    return product;
}

Decimal Divide(const Decimal& a, const Decimal& b) {
    Decimal quotient = QuotientOf(a, b);
    quotient.MarkInexact(a.IsInexact() || b.IsInexact());
    return quotient;
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
    return EndsInZeros(Wide(x.coefficient()), -x.exponent());
}

bool IsOddWhole(const Decimal& x) {
    if (!IsWhole(x) || x.IsZero() || x.exponent() > 0) return false;
    const Wide whole = DropDigits(Wide(x.coefficient()), -x.exponent(), false, Rounding::Down);
    return mp::bit_test(whole, 0);
}

Decimal Truncate(const Decimal& x) {
    Decimal y = SnapToWhole(x);
    if (!y.IsFinite() || y.exponent() >= 0) return y;
    Decimal whole;
    if (-y.exponent() < y.digits()) {
        whole = Decimal::Make(
            y.IsNegative(), DropDigits(Wide(y.coefficient()), -y.exponent(), false, Rounding::Down),
            0);
    }
    whole.MarkInexact(y.IsInexact());
    return whole;
}

Decimal Floor(const Decimal& x) {
    const Decimal y = SnapToWhole(x);
    Decimal whole = Truncate(y);
    if (!y.IsFinite() || Compare(whole, y) <= 0) return whole;
    return Subtract(whole, Decimal::Integer(1));
}

Decimal Ceil(const Decimal& x) {
    const Decimal y = SnapToWhole(x);
    Decimal whole = Truncate(y);
    if (!y.IsFinite() || Compare(whole, y) >= 0) return whole;
    return Add(whole, Decimal::Integer(1));
}

Decimal Abs(const Decimal& x) {
    return x.IsNegative() ? -x : x;
}

Wide DropDisplayDigits(const Decimal& x, int drop, Rounding rule) {
    Wide c(x.coefficient());
    if (drop <= 0) return c;
    if (drop > kWideDigits) return Wide(0U);
    const int slack = TrustSlack(x, drop);
    if (slack < 0) return DropDigits(c, drop, false, rule);
    const Wide whole = DropDigits(c, drop, false, Rounding::Down);
    const Wide part = c - whole * TenTo(drop);
    const Wide& tolerance = TenTo(slack);
    // Rounding down: a part within the tolerance of a whole unit is one.
    Wide boundary = TenTo(drop);
    if (rule != Rounding::Down) {
        // To nearest: a part within the tolerance of a tie is the tie.
        boundary = TenTo(drop - 1) * 5U;
    }
    const Wide distance = part > boundary ? part - boundary : boundary - part;
    if (distance <= tolerance) return whole + 1U;
    return DropDigits(c, drop, false, rule);
}

} // namespace quill
