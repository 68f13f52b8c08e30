#include "calc/maths/operators.h"

#include <algorithm>
#include <cstdint>
#include <optional>

#include "calc/maths/kernels.h"

namespace quill {

namespace {

// A whole power is computed exactly while the exact result has at most this
// many digits (a few microseconds of big-integer squaring).
constexpr std::int64_t kExactPowerDigits = 2000;
// e^2400 is beyond the range and e^-2400 below it.
// A whole exponent or degree from 10^18 up goes through the logarithm.
constexpr int kLargeWholeScale = 18;
// Below this many factors, squaring in binary loses fewer digits than the
// working precision has to spare.
constexpr std::int64_t kSquaringLimit = 1024;

Decimal One(bool negative = false) {
    return Decimal::Integer(negative ? -1 : 1);
}

bool IsOne(const Decimal& x) {
    return x.IsFinite() && Compare(x, One()) == 0;
}

// |x| = c * 10^q with c not ending in zero.
struct Stripped {
    BigInt c;
    std::int64_t q;
};

Stripped Strip(const Decimal& x) {
    Stripped s{BigInt(x.coefficient()), x.exponent()};
    s.q += StripZeros(s.c);
    return s;
}

// A finite whole |x| below 10^18.
std::int64_t SmallWhole(const Decimal& x) {
    const Decimal whole = Truncate(Abs(x));
    if (whole.IsZero()) return 0;
    return static_cast<std::int64_t>(
        LowLimb(BigInt(whole.coefficient()) * TenTo(whole.exponent())));
}

// e^t for a ball t, or the infinity or zero it is beyond the range: the
// kernel at t's midpoint, widened by what t's radius r moves it, at most
// e^t (e^r - 1) <= 2 r e^t for r up to 1/2.
Decimal ExpOf(const Decimal& t, bool negative, int digits) {
    const Decimal bound = Decimal::Integer(kExpBound);
    if (Compare(t, bound) > 0) return Decimal::Infinity(negative);
    if (Compare(t, -bound) < 0) return Decimal().Widened(Bound::Unit(kMinScale));
    const Decimal e = ExpKernel(t.Midpoint(), digits);
    const Bound& r = t.radius();
    if (Compare(r, Bound::Of(5, -1)) > 0) return e.Widened(Bound::Unbounded());
    const Decimal v = e.Widened(Bound::Of(2, 0) * r * Magnitude(e));
    return negative ? -v : v;
}

// |x|^y as e^(y log |x|), with the sign given: the logarithm to the digits
// asked and as many more as y log |x| has whole digits.
Decimal PowerThroughLog(const Decimal& x, const Decimal& y, bool negative, int digits) {
    const int spare = y.IsZero() ? 0 : std::max(0, y.Scale() + 6);
    const Decimal log = LogKernel(Abs(x), digits + 5 + spare);
    return ExpOf(Multiply(y, log, digits + 5 + spare), negative, digits);
}

// |x|^n for |x| = c * 10^q when it lies far beyond the range, above or
// below, told from c's bit length alone (2^(b-1) <= c < 2^b bounds
// log10 |x| within a third of a digit), as PowerThroughLog would find it
// with its logarithm. Nothing when it may not.
std::optional<Decimal> FarPower(const Stripped& s, std::int64_t n, bool negative) {
    const auto bits = static_cast<std::int64_t>(mp::msb(s.c)) + 1;
    // log10 |x| in units of 10^-5, from below and from above.
    const __int128 low =
        static_cast<__int128>(bits - 1) * 30102 + static_cast<__int128>(s.q) * 100000;
    const __int128 high = static_cast<__int128>(bits) * 30103 + static_cast<__int128>(s.q) * 100000;
    // n log|x| beyond kExpBound, with ln 10 taken as 2.302 (above) or 2.303.
    const __int128 limit = static_cast<__int128>(kExpBound + 2) * 100000 * 1000;
    if (low > 0 && n * low * 2302 > limit) return Decimal::Infinity(negative);
    if (high < 0 && n * high * 2303 < -limit) return Decimal().Widened(Bound::Unit(kMinScale));
    return std::nullopt;
}

// x^n for a finite nonzero x and a whole nonzero y.
Decimal WholePower(const Decimal& x, const Decimal& y, int digits) {
    const bool negative = x.IsNegative() && IsOddWhole(y);
    const bool inverse = y.IsNegative();
    if (IsOne(Abs(x))) return One(negative);
    if (inverse && Abs(y).Scale() < kLargeWholeScale) {
        // 1 / x^n: exact where the quotient ends, like any quotient.
        const Decimal power = WholePower(x, -y, digits);
        if (power.IsInfinite()) return Decimal().Widened(Bound::Unit(kMinScale));
        if (power.IsZero()) return Decimal::Infinity(negative);
        return Divide(One(), power, digits);
    }
    if (Abs(y).Scale() >= kLargeWholeScale) return PowerThroughLog(x, y, negative, digits);
    const std::int64_t n = SmallWhole(y);
    const Stripped s = Strip(x);
    if (s.c == 1U) {
        // A power of ten: only the exponent moves, and far beyond the
        // range once it has grown past 10^5 times.
        if (n > 100000) return (s.q > 0) != inverse ? Decimal::Infinity(negative) : Decimal();
        return Decimal::Make(negative, BigInt(1U), inverse ? -s.q * n : s.q * n);
    }
    if (n <= kExactPowerDigits / std::max(DigitCount(s.c), 1)) { // s.c is not zero
        return Decimal::Make(negative, mp::pow(s.c, static_cast<unsigned>(n)), s.q * n, false, {},
                             digits);
    }
    if (n > kSquaringLimit) {
        if (std::optional<Decimal> far = FarPower(s, n, negative)) return std::move(*far);
        return PowerThroughLog(x, y, negative, digits);
    }
    // Squaring balls: each product rounded to a few digits beyond those
    // asked, its bound carried on.
    const int d = digits + 10;
    Decimal power = Decimal::Integer(1);
    Decimal square = Abs(x);
    for (std::int64_t left = n; left > 0; left /= 2) {
        if (left % 2 == 1) power = Multiply(power, square, d);
        if (left > 1) square = Multiply(square, square, d);
    }
    return negative ? -power : power;
}

// floor(v^(1/m)) for m >= 2, by bisection.
std::uint64_t WholeRootOf(std::uint64_t v, std::int64_t m) {
    if (m >= 64) return v >= 1 ? 1 : 0;
    std::uint64_t low = 1;
    std::uint64_t high = std::uint64_t{1} << (64 / m + 1);
    // Whether r^m stays at or below v.
    auto fits = [&](std::uint64_t r) {
        unsigned __int128 p = 1;
        for (std::int64_t i = 0; i < m; ++i) {
            p *= r;
            if (p > v) return false;
        }
        return true;
    };
    while (low < high) {
        const std::uint64_t mid = low + (high - low + 1) / 2;
        if (fits(mid)) {
            low = mid;
        } else {
            high = mid - 1;
        }
    }
    return low;
}

// Whether candidate * 10^q is the m-th root of s's value.
bool IsRootOf(const Stripped& s, std::int64_t m, const BigInt& candidate, std::int64_t q) {
    if (candidate == 1U) return s.c == 1U && q * m == s.q;
    // 2^3322 > 10^1000: no whole number above 1 has a power of more factors
    // that is an exact coefficient.
    constexpr std::int64_t kMostFactors = 3322;
    if (m > kMostFactors || q * m != s.q) return false;
    return mp::pow(BigInt(candidate), static_cast<unsigned>(m)) == BigInt(s.c);
}

// The m-th root of s's value when it is a decimal of at most kPrecision
// digits, found from the approximate root: an exact root has at most
// kPrecision / m + 1 digits, so the approximation rounded to a few more is
// it.
bool RootNear(const Stripped& s, std::int64_t m, const Decimal& near, Decimal& root) {
    if (s.q % m != 0) return false;
    if (!near.IsFinite() || near.IsZero()) return false;
    const int keep = static_cast<int>(kPrecision / m) + 2;
    const int drop = near.digits() > keep ? near.digits() - keep : 0;
    BigInt candidate = DropDigits(BigInt(near.coefficient()), drop, false, Rounding::HalfEven);
    const std::int64_t q = near.exponent() + drop + StripZeros(candidate);
    if (!IsRootOf(s, m, candidate, q)) return false;
    root = Decimal::Make(false, candidate, q);
    return true;
}

// x^(1/m) for x > 0, x != 1 and a whole m >= 1 below 10^18.
Decimal WholeRoot(const Decimal& x, std::int64_t m, bool inverse, int digits) {
    if (m < 1) return Decimal::NotANumber(); // no 0th root; callers never ask
    if (m == 1) return inverse ? Divide(One(), x, digits) : x;
    const Stripped s = Strip(x);
    Decimal root;
    bool exact = false;
    if (FitsLimb(s.c)) {
        // A short coefficient: its whole root settles it, without the binary
        // approximation.
        const BigInt candidate(WholeRootOf(LowLimb(s.c), m));
        exact = s.q % m == 0 && IsRootOf(s, m, candidate, s.q / m);
        if (exact) root = Decimal::Make(false, candidate, s.q / m);
    }
    Decimal approximate;
    if (!exact) {
        approximate =
            m == 2 ? SqrtKernel(x, digits + 5)
                   : ExpOf(Divide(LogKernel(x, digits + 10), Decimal::Integer(m), digits + 10),
                           false, digits + 5);
        exact = !FitsLimb(s.c) && RootNear(s, m, approximate, root);
    }
    if (exact) return inverse ? Divide(One(), root, digits) : root;
    return inverse ? Divide(One(), approximate, digits) : approximate;
}

Decimal PowerOf(const Decimal& x, const Decimal& y, int digits) {
    if (y.IsZero() || IsOne(x)) return One();
    if (x.IsNaN() || y.IsNaN()) return Decimal::NotANumber();
    if (y.IsInfinite()) {
        if (IsOne(Abs(x))) return One();
        const bool grows = Compare(Abs(x), One()) > 0;
        return grows != y.IsNegative() ? Decimal::Infinity(false) : Decimal();
    }
    if (x.IsInfinite() || x.IsZero()) {
        // Infinity^y and 0^y: the infinity for one sign of y, zero for the
        // other; an odd whole y keeps a negative infinity's sign.
        const bool infinite = x.IsInfinite() != y.IsNegative();
        if (!infinite) return {};
        return Decimal::Infinity(x.IsNegative() && IsOddWhole(y));
    }
    if (IsWhole(y)) return WholePower(x, y, digits);
    if (x.IsNegative()) return Decimal::NotANumber();
    return PowerThroughLog(x, y, false, digits);
}

Decimal RootOf(const Decimal& x, const Decimal& y, int digits) {
    if (x.IsNaN() || y.IsNaN() || y.IsZero()) return Decimal::NotANumber();
    if (x.IsNegative()) {
        if (!y.IsFinite() || !IsOddWhole(y)) return Decimal::NotANumber();
        return -RootOf(-x, y, digits);
    }
    if (y.IsInfinite() || IsOne(x)) return One(); // x to the power 0
    if (x.IsZero() || x.IsInfinite()) {
        return x.IsZero() != y.IsNegative() ? Decimal() : Decimal::Infinity(false);
    }
    if (IsWhole(y) && Abs(y).Scale() < kLargeWholeScale)
        return WholeRoot(x, SmallWhole(y), y.IsNegative(), digits);
    const int spare = std::max(0, 6 - y.Scale());
    const Decimal log = LogKernel(x, digits + 5 + spare);
    return ExpOf(Divide(log, y, digits + 5 + spare), false, digits);
}

// How far x^y may lie from its midpoint's value `power` when x and y are
// balls: y log|x| moves by at most d = |y| rx / (|x| - rx) + ry |log|x||,
// and the power then by |power| (e^d - 1) <= |power| d e^d. A ball wholly
// below the range stays the bound it was. Worked out in balls of a few
// digits, each end taken the safe way.
Bound PowerSpread(const Decimal& x, const Decimal& y, const Decimal& power) {
    const Bound least = LeastReach(x);
    if (least.IsZero()) return Bound::Unbounded();
    Bound d = Reach(y) * x.radius() / least;
    // The logarithm only where y is a ball, or the power fell below the
    // range: the usual power of a rounded base needs neither.
    if (y.IsInexact() || power.IsZero()) {
        const Decimal logBase = LogKernel(Abs(x.Midpoint()), kSlopeDigits);
        if (y.IsInexact()) d = d + y.radius() * Reach(logBase);
        const Decimal exponent = Multiply(y.Midpoint(), logBase, kSlopeDigits);
        const Decimal top =
            Add(Add(exponent.Midpoint(), Decimal::Of(exponent.radius())), Decimal::Of(d));
        if (Compare(top, Decimal::Integer(-kExpBound)) < 0) return {};
    }
    if (Compare(d, Bound::Of(100, 0)) > 0) return Bound::Unbounded();
    // e^d <= 1 + 2d for d up to 1.25; beyond, the kernel's.
    const Bound growth = Compare(d, Bound::Unit(0)) <= 0
                             ? Bound::Unit(0) + Bound::Of(2, 0) * d
                             : Reach(ExpKernel(Decimal::Of(d), kSlopeDigits));
    return Reach(power) * d * growth;
}

// x op y for balls: computed at the midpoints, then widened by the spread.
// A narrow base about zero is zero.
Decimal OfBalls(Decimal (*op)(const Decimal&, const Decimal&, int), const Decimal& x,
                const Decimal& y, bool root, int digits) {
    const Decimal base = IsZeroBall(x) ? Decimal() : x;
    if (!base.IsInexact() && !y.IsInexact()) return op(base, y, digits);
    Decimal value = op(base.Midpoint(), y.Midpoint(), digits);
    if (!value.IsFinite() || !base.IsFinite() || !y.IsFinite()) return value;
    if (base.IsZero()) return value; // zero to a power: zero or infinite, however wide y is
    // A root is the power 1/y: its exponent's ball is y's, divided.
    const Decimal exponent = root ? Divide(One(), y, digits) : y;
    return value.Widened(PowerSpread(base, exponent, value));
}

} // namespace

// An exponent or a degree whose ball snaps to a whole number is that whole
// number, as the display shows it: (-8)^(1/3*3) is -8.
Decimal Power(const Decimal& x, const Decimal& y, int digits) {
    return OfBalls(PowerOf, x, SnapToWhole(y), false, digits);
}

Decimal Root(const Decimal& x, const Decimal& y, int digits) {
    return OfBalls(RootOf, x, SnapToWhole(y), true, digits);
}

} // namespace quill
