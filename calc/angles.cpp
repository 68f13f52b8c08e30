#include "calc/angles.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "calc/pi_digits.h"
#include "calc/two_over_pi_digits.h"

namespace quill {

namespace {

// floor(pi * 10^n), for n up to kPiDecimals.
BigInt PiTimesTenTo(int n) {
    // Read once: the text of 1,200 digits costs more to read than a division.
    static const BigInt kPi = BigInt(std::string(kPiDigits));
    return kPi / mp::pow(BigInt(10), static_cast<unsigned>(kPiDecimals - n));
}

BigInt TenToBig(std::int64_t n) {
    return mp::pow(BigInt(10), static_cast<unsigned>(n));
}

// k = the nearest whole number to x / unit, and x - k * unit, for x >= 0.
BigInt NearestMultiple(const BigInt& x, const BigInt& unit, BigInt& rest) {
    BigInt k;
    mp::divide_qr(x, unit, k, rest);
    if (2 * rest > unit) {
        ++k;
        rest -= unit;
    }
    return k;
}

// The reduction of |x| turned into that of x.
ReducedAngle WithSign(ReducedAngle angle, bool negative) {
    if (negative) {
        angle.quarter = (4 - angle.quarter) % 4;
        angle.radians = -angle.radians;
    }
    return angle;
}

// Below this, an angle in radians is its own remainder (pi/4 is 0.785...).
Decimal EighthTurnBound() {
    return Decimal::Make(false, BigInt(78U), -2);
}

// Above this scale an argument is reduced through the digits of 2/pi: only
// those near its own place are needed, where the division by pi would want
// all of pi's and a number of twice the argument's size.
constexpr int kFarScale = 1000;

// |x| = c * 10^q with q >= 0 and a scale above kFarScale, as quarter turns:
// 2|x|/pi = c * 10^q * (2/pi). Of 10^q * (2/pi) only the digits from place
// q - 1 to q + L count modulo 4 (L of them after the point); those beyond
// add less than c * 10^-L to the result. Reads more digits while the
// remainder is too close to a quarter turn to keep its own.
ReducedAngle ReduceFar(const BigInt& c, std::int64_t q, bool negative) {
    const auto size = static_cast<std::int64_t>(DigitCount(c));
    for (std::int64_t spare = kWorkDigits + 20;; spare += kWorkDigits + 10) {
        std::int64_t l = size + spare;
        const std::int64_t have = static_cast<std::int64_t>(kTwoOverPiDecimals.size());
        const bool last = q + l > have;
        if (last) l = have - q;
        // The places q - 1 to q + l of 2/pi (place 1 is the first decimal).
        const std::int64_t first = q >= 2 ? q - 2 : 0;
        std::string_view digits = kTwoOverPiDecimals.substr(
            static_cast<std::size_t>(first), static_cast<std::size_t>(q + l - first));
        // No leading zero: the text would be read as octal.
        digits.remove_prefix(std::min(digits.find_first_not_of('0'), digits.size()));
        const BigInt window = digits.empty() ? BigInt(0) : BigInt(std::string(digits));
        const BigInt unit = TenToBig(l);
        BigInt turns = (c * window) % (4 * unit); // quarter turns, times 10^l
        const BigInt k = (turns + unit / 2) / unit;
        turns -= k * unit; // what is left beyond the nearest quarter turn
        if (last || mp::abs(turns) >= TenToBig(size + kWorkDigits + 5)) {
            ReducedAngle angle;
            angle.quarter = static_cast<int>(k & 3U);
            angle.radians = Work(turns) / TenToWork(l) * WorkPi() / 2;
            return WithSign(angle, negative);
        }
    }
}

} // namespace

ReducedAngle ReduceRadians(const Decimal& x) {
    ReducedAngle angle;
    if (x.IsZero()) {
        angle.exact = true;
        return angle;
    }
    const Decimal magnitude = Abs(x);
    if (Compare(magnitude, EighthTurnBound()) < 0) {
        angle.radians = ToWork(x);
        return angle;
    }
    const std::int64_t q = x.exponent();
    const BigInt& c = x.coefficient();
    if (magnitude.Scale() > kFarScale) return ReduceFar(c, q, x.IsNegative());
    // Decimals of pi: the argument's own, and the working digits beyond its
    // whole part. The remainder is off by at most k units of 10^-n (pi's
    // last digit, k times); when it is so small that this matters, more
    // digits are taken.
    std::int64_t n = (q < 0 ? -q : 0) + magnitude.Scale() + kWorkDigits + 10;
    for (;;) {
        if (n > kPiDecimals) n = kPiDecimals;
        const BigInt pi = PiTimesTenTo(static_cast<int>(n));
        BigInt rest;
        const BigInt k = NearestMultiple(2 * c * TenToBig(q + n), pi, rest);
        // 2|x| - k pi, scaled by 10^n: the remainder of twice the angle.
        const bool enough = mp::abs(rest) >= k * TenToBig(kWorkDigits + 5);
        if (enough || n == kPiDecimals) {
            angle.quarter = static_cast<int>(k & 3U);
            angle.radians = Work(rest) / (2 * TenToWork(n));
            return WithSign(angle, x.IsNegative());
        }
        n += kWorkDigits + 10;
    }
}

ReducedAngle ReduceDegrees(const Decimal& x) {
    ReducedAngle angle;
    if (x.IsZero()) {
        angle.exact = true;
        return angle;
    }
    // |x| = c * 10^q, counted in units of 10^min(q, 0): exact whole numbers.
    const std::int64_t q = x.exponent();
    const BigInt& c = x.coefficient();
    const BigInt whole = q >= 0 ? BigInt(c * TenToBig(q)) : c;
    const BigInt quarterTurn = q >= 0 ? BigInt(90) : BigInt(90 * TenToBig(-q));
    BigInt rest;
    const BigInt k = NearestMultiple(whole, quarterTurn, rest);
    angle.quarter = static_cast<int>(k & 3U);
    angle.exact = rest.is_zero();
    if (!angle.exact) {
        const Decimal degrees = Decimal::Make(rest < 0, BigInt(mp::abs(rest)), q < 0 ? q : 0);
        angle.radians = ToWork(degrees) * WorkPi() / 180;
    }
    return WithSign(angle, x.IsNegative());
}

} // namespace quill
