#include "calc/maths/angles.h"

#include <algorithm>
#include <string>
#include <string_view>

#include "calc/maths/constant_digits.h"
#include "calc/maths/kernels.h"
#include "calc/maths/two_over_pi_digits.h"

namespace quill {

namespace {

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

// The decimals of 2/pi at places first + 1 to last, as one whole number:
// from the stored text while it lasts, else computed (within kDigitsError
// units of its last digit).
BigInt TwoOverPiWindow(std::int64_t first, std::int64_t last) {
    const auto have = static_cast<std::int64_t>(kTwoOverPiDecimals.size());
    if (last > have) return TwoOverPiTimesTenTo(last) % TenToBig(last - first);
    return FromDigits(kTwoOverPiDecimals.substr(static_cast<std::size_t>(first),
                                                static_cast<std::size_t>(last - first)));
}

// Whether the digits read so far may go on: a remainder that stays too
// close to a quarter turn for the digits of a long argument's own size
// three times over is given up (the value then proves nothing).
bool MayReadMore(std::int64_t digitsRead, std::int64_t argumentDigits, int digits) {
    return digitsRead <= 3 * argumentDigits + std::int64_t{2} * digits + 1000;
}

// rest * 10^-n * unit as a ball, rest off by `error` units of 10^-n: the
// remainder a reduction leaves, in radians.
Decimal Remainder(const BigInt& rest, std::int64_t n, const Decimal& unit, const BigInt& error,
                  int digits) {
    const Decimal r = Decimal::Make(rest < 0, BigInt(mp::abs(rest)), -n, false,
                                    Bound::Of(error, -n), digits + 10);
    return Multiply(r, unit, digits + 10);
}

// |x| = c * 10^q with q >= 0 and a scale above kFarScale, as quarter turns:
// 2|x|/pi = c * 10^q * (2/pi). Of 10^q * (2/pi) only the digits from place
// q - 1 to q + L count modulo 4 (L of them after the point); those beyond
// add less than c * 10^-L to the result, and a computed window's error at
// most kDigitsError times that. Reads more digits while the remainder is
// too close to a quarter turn to keep `digits` of its own.
ReducedAngle ReduceFar(const BigInt& c, std::int64_t q, bool negative, int digits) {
    const auto size = static_cast<std::int64_t>(DigitCount(c));
    for (std::int64_t spare = digits + 30;; spare *= 2) {
        const std::int64_t l = size + spare;
        // The places q - 1 to q + l of 2/pi (place 1 is the first decimal).
        const BigInt window = TwoOverPiWindow(q >= 2 ? q - 2 : 0, q + l);
        const BigInt unit = TenToBig(l);
        BigInt turns = (c * window) % (4 * unit); // quarter turns, times 10^l
        const BigInt k = (turns + unit / 2) / unit;
        turns -= k * unit; // what is left beyond the nearest quarter turn
        const bool enough = mp::abs(turns) >= (kDigitsError + 1) * TenToBig(size + digits + 15);
        if (enough || !MayReadMore(q + l, size + q, digits)) {
            ReducedAngle angle;
            angle.proven = enough;
            angle.quarter = static_cast<int>(k & 3U);
            // A quarter turn is pi/2 radians.
            const Decimal quarter =
                Multiply(PiBall(digits + 10), Decimal::MakeExact(false, 5, -1), digits + 10);
            angle.radians = Remainder(turns, l, quarter, (kDigitsError + 1) * c, digits);
            return WithSign(angle, negative);
        }
    }
}

} // namespace

ReducedAngle ReduceRadians(const Decimal& x, int digits) {
    ReducedAngle angle;
    if (x.IsZero()) {
        angle.exact = true;
        return angle;
    }
    const Decimal magnitude = Abs(x);
    if (Compare(magnitude, EighthTurnBound()) < 0) {
        angle.radians = x;
        return angle;
    }
    const std::int64_t q = x.exponent();
    const BigInt& c = x.coefficient();
    if (magnitude.Scale() > kFarScale) return ReduceFar(c, q, x.IsNegative(), digits);
    // Decimals of pi: the argument's own, and the digits asked beyond its
    // whole part. The remainder is off by at most k * kDigitsError units of
    // 10^-n (pi's last digit, k times); when it is so small that this
    // matters, twice the digits are taken, as far as MayReadMore allows.
    const std::int64_t decimals = q < 0 ? -q : 0;
    std::int64_t n = decimals + magnitude.Scale() + digits + 20;
    for (;; n *= 2) {
        const BigInt pi = PiTimesTenTo(n);
        BigInt rest;
        const BigInt k = NearestMultiple(2 * c * TenToBig(q + n), pi, rest);
        // 2|x| - k pi, scaled by 10^n: the remainder of twice the angle.
        const bool enough = mp::abs(rest) >= k * (kDigitsError + 1) * TenToBig(digits + 15);
        if (enough || !MayReadMore(n, decimals + magnitude.Scale() + 1, digits)) {
            angle.proven = enough;
            angle.quarter = static_cast<int>(k & 3U);
            // rest is twice the remainder; pi's error counts k times.
            angle.radians =
                Remainder(rest, n, Decimal::MakeExact(false, 5, -1), k * kDigitsError, digits);
            return WithSign(angle, x.IsNegative());
        }
    }
}

ReducedAngle ReduceDegrees(const Decimal& x, int digits) {
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
        angle.radians = Divide(Multiply(degrees, PiBall(digits + 10), digits + 10),
                               Decimal::Integer(180), digits + 10);
    }
    return WithSign(angle, x.IsNegative());
}

} // namespace quill
