#include "calc/operators.h"

#include <cstdint>

#include "calc/work.h"

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
    Wide c;
    std::int64_t q;
};

Stripped Strip(const Decimal& x) {
    Stripped s{Wide(x.coefficient()), x.exponent()};
    s.q += StripZeros(s.c);
    return s;
}

// A finite whole |x| below 10^18.
std::int64_t SmallWhole(const Decimal& x) {
    const Decimal whole = Truncate(Abs(x));
    if (whole.IsZero()) return 0;
    return static_cast<std::int64_t>(LowLimb(Wide(whole.coefficient()) * TenTo(whole.exponent())));
}

// e^t, or the infinity or zero it is beyond the range.
Decimal ExpOf(const Work& t, bool negative) {
    if (t > kExpBound) return Decimal::Infinity(negative);
    if (t < -kExpBound) return {};
    const Work e = mp::exp(t);
    return FromWork(negative ? Work(-e) : e);
}

// |x|^y as e^(y log |x|), with the sign given.
Decimal PowerThroughLog(const Decimal& x, const Work& y, bool negative) {
    return ExpOf(y * LogOf(Abs(x)), negative);
}

// 1 / (p * 10^e), correctly rounded.
Decimal Reciprocal(const BigInt& p, std::int64_t e, bool negative) {
    const int shift = kPrecision + 1 + DigitCount(p);
    BigInt quotient;
    BigInt rest;
    mp::divide_qr(mp::pow(BigInt(10), static_cast<unsigned>(shift)), p, quotient, rest);
    return Decimal::Make(negative, quotient, -e - shift, !rest.is_zero());
}

// x^n for a finite nonzero x and a whole nonzero y.
Decimal WholePower(const Decimal& x, const Decimal& y) {
    const bool negative = x.IsNegative() && IsOddWhole(y);
    const bool inverse = y.IsNegative();
    if (IsOne(Abs(x))) return One(negative);
    if (Abs(y).Scale() >= kLargeWholeScale) return PowerThroughLog(x, ToWork(y), negative);
    const std::int64_t n = SmallWhole(y);
    const Stripped s = Strip(x);
    if (s.c == 1U) {
        // A power of ten: only the exponent moves, and far beyond the
        // range once it has grown past 10^5 times.
        if (n > 100000) return (s.q > 0) != inverse ? Decimal::Infinity(negative) : Decimal();
        return Decimal::Make(negative, Wide(1U), inverse ? -s.q * n : s.q * n);
    }
    if (n <= kExactPowerDigits / DigitCount(s.c)) {
        const BigInt power = mp::pow(BigInt(s.c), static_cast<unsigned>(n));
        if (inverse) return Reciprocal(power, s.q * n, negative);
        return Decimal::Make(negative, power, s.q * n);
    }
    if (n > kSquaringLimit) return PowerThroughLog(x, ToWork(y), negative);
    Work w = mp::pow(ToWork(Abs(x)), static_cast<long long>(n));
    if (inverse) w = 1 / w;
    return FromWork(negative ? Work(-w) : w);
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
bool IsRootOf(const Stripped& s, std::int64_t m, const Wide& candidate, std::int64_t q) {
    if (candidate == 1U) return s.c == 1U && q * m == s.q;
    // 2^167 > 10^50: no whole number above 1 has a power of more factors
    // that is a coefficient.
    constexpr std::int64_t kMostFactors = 167;
    if (m > kMostFactors || q * m != s.q) return false;
    return mp::pow(BigInt(candidate), static_cast<unsigned>(m)) == BigInt(s.c);
}

// The m-th root of s's value when it is a decimal of at most kPrecision
// digits, found from the approximate root: an exact root has at most
// kPrecision / m + 1 digits, so the approximation rounded to a few more is
// it.
bool RootNear(const Stripped& s, std::int64_t m, const Work& approximate, Decimal& root) {
    if (s.q % m != 0) return false;
    const Decimal near = FromWork(approximate);
    if (!near.IsFinite() || near.IsZero()) return false;
    const int keep = static_cast<int>(kPrecision / m) + 2;
    const int drop = near.digits() > keep ? near.digits() - keep : 0;
    Wide candidate = DropDigits(Wide(near.coefficient()), drop, false, Rounding::HalfEven);
    const std::int64_t q = near.exponent() + drop + StripZeros(candidate);
    if (!IsRootOf(s, m, candidate, q)) return false;
    root = Decimal::Make(false, candidate, q);
    return true;
}

// x^(1/m) for x > 0, x != 1 and a whole m >= 1 below 10^18.
Decimal WholeRoot(const Decimal& x, std::int64_t m, bool inverse) {
    if (m < 1) return Decimal::NotANumber(); // no 0th root; callers never ask
    if (m == 1) return inverse ? Divide(One(), x) : x;
    const Stripped s = Strip(x);
    Decimal root;
    bool exact = false;
    if (FitsLimb(s.c)) {
        // A short coefficient: its whole root settles it, without the binary
        // approximation.
        const Wide candidate(WholeRootOf(LowLimb(s.c), m));
        exact = s.q % m == 0 && IsRootOf(s, m, candidate, s.q / m);
        if (exact) root = Decimal::Make(false, candidate, s.q / m);
    }
    Work approximate;
    if (!exact) {
        approximate = m == 2 ? mp::sqrt(ToWork(x)) : mp::exp(LogOf(x) / m);
        exact = !FitsLimb(s.c) && RootNear(s, m, approximate, root);
    }
    if (exact) return inverse ? Divide(One(), root) : root;
    return FromWork(inverse ? Work(1 / approximate) : approximate);
}

Decimal PowerOf(const Decimal& x, const Decimal& y) {
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
    if (IsWhole(y)) return WholePower(x, y);
    if (x.IsNegative()) return Decimal::NotANumber();
    return PowerThroughLog(x, ToWork(y), false);
}

Decimal RootOf(const Decimal& x, const Decimal& y) {
    if (x.IsNaN() || y.IsNaN() || y.IsZero()) return Decimal::NotANumber();
    if (x.IsNegative()) {
        if (!y.IsFinite() || !IsOddWhole(y)) return Decimal::NotANumber();
        return -RootOf(-x, y);
    }
    if (y.IsInfinite() || IsOne(x)) return One(); // x to the power 0
    if (x.IsZero() || x.IsInfinite()) {
        return x.IsZero() != y.IsNegative() ? Decimal() : Decimal::Infinity(false);
    }
    if (IsWhole(y) && Abs(y).Scale() < kLargeWholeScale)
        return WholeRoot(x, SmallWhole(y), y.IsNegative());
    return ExpOf(LogOf(x) / ToWork(y), false);
}

} // namespace

// An exponent or a degree that a rounding left a hair off a whole number is
// that whole number, as the display shows it: (-8)^(1/3*3) is -8.
Decimal Power(const Decimal& x, const Decimal& y) {
    Decimal power = PowerOf(x, SnapToWhole(y));
    power.MarkInexact(x.IsInexact() || y.IsInexact());
    return power;
}

Decimal Root(const Decimal& x, const Decimal& y) {
    Decimal root = RootOf(x, SnapToWhole(y));
    root.MarkInexact(x.IsInexact() || y.IsInexact());
    return root;
}

} // namespace quill
