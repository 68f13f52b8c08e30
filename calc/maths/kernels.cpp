#include "calc/maths/kernels.h"

#include <algorithm>
#include <cstdint>
#include <utility>

#include "calc/maths/constant_digits.h"

namespace quill {

namespace {

// Bits that hold `digits` decimal digits (log2 10 < 3.3220).
std::int64_t BitsFor(std::int64_t digits) {
    return digits * 3322 / 1000 + 1;
}

std::int64_t BitLength(const BigInt& m) {
    return m.is_zero() ? 0 : static_cast<std::int64_t>(mp::msb(mp::abs(m))) + 1;
}

// Halvings or roots that balance a series' terms against the steps that
// shorten its argument: about the square root of the bits, halved.
std::int64_t Steps(std::int64_t bits) {
    std::int64_t s = 1;
    while (4 * s * s < bits)
        ++s;
    return std::clamp<std::int64_t>(s / 2, 2, 40);
}

// m = |m| * 2^shift toward zero, with m's sign, in place: a shift that
// never rounds a negative number the other way.
void ShiftInPlace(BigInt& m, std::int64_t shift) {
    const bool negative = m.sign() < 0;
    if (negative) m.backend().negate();
    if (shift >= 0) {
        m <<= static_cast<unsigned>(shift);
    } else {
        m >>= static_cast<unsigned>(-shift);
    }
    if (negative && !m.is_zero()) m.backend().negate();
}

BigInt Shifted(BigInt m, std::int64_t shift) {
    ShiftInPlace(m, shift);
    return m;
}

// a * b * 2^-bits, off by less than one ulp.
BigInt Times(const BigInt& a, const BigInt& b, std::int64_t bits) {
    return Shifted(a * b, -bits);
}

// The same in place: the series' step, without the copies a moved BigInt
// makes of its limbs.
void MultiplyShifted(BigInt& a, const BigInt& b, std::int64_t bits) {
    a *= b;
    ShiftInPlace(a, -bits);
}

// a * 2^bits / b, off by less than one ulp (b > 0).
BigInt Over(const BigInt& a, const BigInt& b, std::int64_t bits) {
    return Shifted(a, bits) / b;
}

// x * 2^bits toward zero, with x's sign, for an exact x: off by less than
// one ulp.
BigInt Fixed(const Decimal& x, std::int64_t bits) {
    if (x.IsZero()) return 0;
    const std::int64_t q = x.exponent();
    BigInt numerator = q >= 0 ? Scaled(x.coefficient(), q) : x.coefficient();
    BigInt denominator = q >= 0 ? BigInt(1) : TenTo(-q);
    if (bits >= 0) {
        numerator <<= static_cast<unsigned>(bits);
    } else {
        denominator <<= static_cast<unsigned>(-bits);
    }
    BigInt m = numerator / denominator;
    return x.IsNegative() ? BigInt(-m) : m;
}

// The bits below the units that keep `want` bits of a value of x's size: a
// small x wants as many more as its leading zeros.
std::int64_t BitsBelow(const Decimal& x, std::int64_t want) {
    const std::int64_t zeros = x.IsZero() || x.Scale() >= 0 ? 0 : BitsFor(-x.Scale());
    return want + zeros;
}

// At least 2^e.
Bound TwoTo(std::int64_t e) {
    const Bound step = e >= 0 ? Bound::Of(4294967296ULL, 0) : Bound::Of(232830644, -18);
    const Bound one = e >= 0 ? Bound::Of(2, 0) : Bound::Of(5, -1);
    Bound b = Bound::Unit(0);
    std::int64_t left = e >= 0 ? e : -e;
    for (; left >= 32; left -= 32)
        b = b * step;
    for (; left > 0; --left)
        b = b * one;
    return b;
}

// m * 2^e, give or take `ulps` units of 2^e, as a ball of `digits` digits.
Decimal FromBinary(const BigInt& m, std::int64_t e, std::uint64_t ulps, int digits) {
    const Bound error = Bound::Of(ulps, 0) * TwoTo(e);
    if (m.is_zero()) return Decimal().Widened(error);
    const bool negative = m < 0;
    const BigInt magnitude = mp::abs(m);
    if (e >= 0) {
        return Decimal::Make(negative, magnitude << static_cast<unsigned>(e), 0, false, error,
                             digits);
    }
    // The value's power of ten within one; `decimals` of it keep a few more
    // digits than asked, the last one truncated.
    const std::int64_t scale = (BitLength(magnitude) + e) * 30103 / 100000;
    const std::int64_t decimals = digits + 4 - scale;
    BigInt c = decimals >= 0 ? BigInt(Shifted(magnitude * TenTo(decimals), e))
                             : BigInt(Shifted(magnitude, e) / TenTo(-decimals));
    return Decimal::Make(negative, std::move(c), -decimals, false, error + Bound::Unit(-decimals),
                         digits);
}

// The sum of term_n, term_0 = first and term_n = term_{n-1} * factor / (a_n)
// (with the sign alternating when asked), until a term is zero; each term
// off by at most two more ulps than its factor's error carries.
template <typename Divisor>
BigInt Series(BigInt term, const BigInt& factor, std::int64_t bits, bool alternate, Divisor divisor,
              std::uint64_t& terms) {
    BigInt sum = term;
    terms = 1;
    for (std::uint64_t n = 1; !term.is_zero(); ++n, ++terms) {
        MultiplyShifted(term, factor, bits);
        DivideByLimb(term, divisor(n));
        if (alternate && n % 2 == 1) {
            sum -= term;
        } else {
            sum += term;
        }
    }
    return sum;
}

// The sum of u^(2n+1) / (2n+1) (atanh's series), or with the signs
// alternating (atan's), until a power is zero: each power one ulp off the
// one before, each term one more. `count` takes the number of terms.
BigInt OddPowerSeries(const BigInt& u, std::int64_t bits, bool alternate, std::uint64_t& count) {
    const BigInt u2 = Times(u, u, bits);
    BigInt power = u;
    BigInt total = u;
    count = 1;
    BigInt term;
    for (std::uint64_t n = 1; !power.is_zero(); ++n, ++count) {
        MultiplyShifted(power, u2, bits);
        term = power;
        DivideByLimb(term, 2 * n + 1);
        if (alternate && n % 2 == 1) {
            total -= term;
        } else {
            total += term;
        }
    }
    return total;
}

} // namespace

Decimal ExpKernel(const Decimal& x, int digits) {
    if (x.IsZero()) return Decimal::Integer(1);
    // Beyond the range, as the callers would have it.
    const Decimal bound = Decimal::Integer(kExpBound);
    if (Compare(x, bound) > 0) return Decimal::Infinity(false);
    if (Compare(x, -bound) < 0) return Decimal().Widened(Bound::Unit(kMinScale));
    const std::int64_t want = BitsFor(digits + 3);
    const std::int64_t s = Steps(want);
    const std::int64_t b = want + s + 24;
    const BigInt xb = Fixed(x, b);
    // k, the nearest whole number to x / ln 2, and r = x - k ln 2, |r| <= 0.35.
    const BigInt ln2 = Ln2TimesTwoTo(b);
    const BigInt k = (xb + (xb < 0 ? BigInt(-ln2 / 2) : BigInt(ln2 / 2))) / ln2;
    const std::int64_t kBits = BitLength(k) + 8;
    const BigInt r = xb - Shifted(k * Ln2TimesTwoTo(b + kBits), -kBits);
    // e^(r / 2^s) by its series: a term off by three ulps at most, and the
    // first error of r (two ulps) moves the sum by less than three more.
    std::uint64_t terms = 0;
    BigInt y = Series(
        BigInt(1) << static_cast<unsigned>(b), Shifted(r, -s), b, false,
        [](std::uint64_t n) { return n; }, terms);
    // Each squaring doubles the relative error and adds an ulp.
    for (std::int64_t i = 0; i < s; ++i)
        y = Times(y, y, b);
    const std::uint64_t ulps = (3 * terms + 8) << (s + 1);
    // |k| is below 2^16: e^x is within the range.
    const std::int64_t twos = static_cast<std::int64_t>(LowLimb(k)) * (k < 0 ? -1 : 1);
    return FromBinary(y, twos - b, ulps, digits);
}

namespace {

// ln(1 + t) = 2 atanh(t / (2 + t)) for an exact t with |t| < 1/4, with bits
// below the units enough for a small t to keep `want` of its own.
Decimal LogNearOne(const Decimal& t, std::int64_t want, int digits) {
    const std::int64_t b = BitsBelow(t, want) + 24;
    const BigInt one = BigInt(1) << static_cast<unsigned>(b);
    const BigInt u = Over(Fixed(t, b), 2 * one + Fixed(t, b), b); // t / (2 + t), two ulps
    std::uint64_t count = 0;
    const BigInt total = OddPowerSeries(u, b, false, count);
    return FromBinary(2 * total, -b, 2 * (3 * count + 6), digits);
}

// atanh's series for ln m, m = z * 2^-b in [1, 2^(2^-j)] after j roots.
BigInt LogOfRoot(const BigInt& z, std::int64_t b, std::uint64_t& count) {
    const BigInt one = BigInt(1) << static_cast<unsigned>(b);
    const BigInt t = Over(z - one, z + one, b);
    return 2 * OddPowerSeries(t, b, false, count);
}

} // namespace

Decimal LogKernel(const Decimal& x, int digits) {
    const std::int64_t want = BitsFor(digits + 3);
    const Decimal t = Subtract(x, Decimal::Integer(1));
    if (t.IsZero()) return {};
    if (!t.IsInexact() && Compare(Abs(t), Decimal::MakeExact(false, 25, -2)) < 0)
        return LogNearOne(t, want, digits);
    const std::int64_t j = Steps(want);
    const std::int64_t b = want + j + 30;
    // x = 2^k m with m in [1, 2): k from x's size, then put right.
    std::int64_t k = x.Scale() * 33219 / 10000;
    BigInt m = Fixed(x, b - k);
    const BigInt one = BigInt(1) << static_cast<unsigned>(b);
    while (m >= 2 * one || m < one) {
        k += m >= 2 * one ? 1 : -1;
        m = Fixed(x, b - k);
    }
    // The 2^j-th root: each integer root off by an ulp, errors halving.
    for (std::int64_t i = 0; i < j; ++i)
        m = SquareRoot(BigInt(m << static_cast<unsigned>(b)));
    std::uint64_t count = 0;
    const BigInt logM = Shifted(LogOfRoot(m, b, count), j);
    const std::int64_t kBits = BitLength(BigInt(k)) + 8;
    const BigInt logTwos = Shifted(BigInt(k) * Ln2TimesTwoTo(b + kBits), -kBits);
    const std::uint64_t ulps = (2 * (3 * count + 10) << j) + 4;
    return FromBinary(logTwos + logM, -b, ulps, digits);
}

Decimal SinKernel(const Decimal& x, int digits) {
    if (x.IsZero()) return {};
    const std::int64_t b = BitsBelow(x, BitsFor(digits + 3)) + 16;
    const BigInt r = Fixed(x, b);
    std::uint64_t terms = 0;
    const BigInt sum = Series(
        r, Times(r, r, b), b, true, [](std::uint64_t n) { return (2 * n) * (2 * n + 1); }, terms);
    return FromBinary(sum, -b, 3 * terms + 6, digits);
}

Decimal CosKernel(const Decimal& x, int digits) {
    const std::int64_t b = BitsFor(digits + 3) + 16;
    const BigInt r = Fixed(x, b);
    std::uint64_t terms = 0;
    const BigInt sum = Series(
        BigInt(1) << static_cast<unsigned>(b), Times(r, r, b), b, true,
        [](std::uint64_t n) { return (2 * n - 1) * (2 * n); }, terms);
    return FromBinary(sum, -b, 3 * terms + 6, digits);
}

Decimal AtanKernel(const Decimal& x, int digits) {
    if (x.IsZero()) return {};
    const Decimal a = Abs(x);
    const bool inverted = Compare(a, Decimal::Integer(1)) > 0;
    const std::int64_t want = BitsFor(digits + 3);
    const std::int64_t h = Steps(want);
    const std::int64_t b = (inverted ? want : BitsBelow(a, want)) + h + 24;
    const BigInt one = BigInt(1) << static_cast<unsigned>(b);
    // 1/a for a above 1 (two ulps), then h halvings of the angle, each off by
    // a few ulps that the doubling back multiplies.
    BigInt u = inverted ? Over(one, Fixed(a, b), b) : Fixed(a, b);
    for (std::int64_t i = 0; i < h; ++i) {
        const BigInt root = SquareRoot(BigInt((one << static_cast<unsigned>(b)) + u * u));
        u = Over(u, one + root, b);
    }
    std::uint64_t count = 0;
    BigInt angle = Shifted(OddPowerSeries(u, b, true, count), h);
    std::uint64_t ulps = (3 * count + 8 * static_cast<std::uint64_t>(h) + 8) << h;
    if (inverted) {
        angle = Shifted(PiTimesTwoTo(b), -1) - angle;
        ulps += 2;
    }
    return FromBinary(x.IsNegative() ? BigInt(-angle) : angle, -b, ulps, digits);
}

Decimal SqrtKernel(const Decimal& x, int digits) {
    if (x.IsZero()) return {};
    // x = c * 10^q with q even (c taken ten times where it is odd), and
    // sqrt(c * 10^(2n)) * 10^(q/2 - n), the root of a whole number truncated:
    // n enough for the digits asked beyond the root's own.
    BigInt c = x.coefficient();
    std::int64_t q = x.exponent();
    if (q % 2 != 0) {
        c *= 10U;
        --q;
    }
    const std::int64_t n = std::max<std::int64_t>(0, digits + 4 - DigitCount(c) / 2);
    const BigInt root = SquareRoot(BigInt(Scaled(c, 2 * n)));
    const std::int64_t e = q / 2 - n;
    return Decimal::Make(false, root, e, false, Bound::Unit(e), digits);
}

Decimal PiBall(int digits) {
    const std::int64_t n = digits + 5;
    return Decimal::Make(false, PiTimesTenTo(n), -n, false, Bound::Of(kDigitsError, -n), digits);
}

} // namespace quill
