#include "calc/circle_digits.h"

#include <string>

#include "calc/pi_digits.h"

namespace quill {

namespace {

// Guard digits for the series: each of its terms truncates once or twice, and
// there are fewer than 10^9 of them.
constexpr std::int64_t kGuard = 12;

// atan(1/x) * 10^n, from below by at most two units per term: the terms
// 10^n / x^(2j+1) / (2j+1), each power truncated from the one before.
BigInt AtanOfInverse(std::uint64_t x, std::int64_t n) {
    const std::uint64_t square = x * x;
    BigInt power = TenTo(n);
    DivideByLimb(power, x);
    BigInt sum = power;
    for (std::uint64_t k = 1; !power.is_zero(); ++k) {
        DivideByLimb(power, square);
        BigInt term = power;
        DivideByLimb(term, 2 * k + 1);
        if (k % 2 == 1) {
            sum -= term;
        } else {
            sum += term;
        }
    }
    return sum;
}

// pi * 10^n by Machin's formula, 16 atan(1/5) - 4 atan(1/239): n + kGuard
// digits, each series off by at most two units a term, then cut to n.
BigInt MachinPi(std::int64_t n) {
    const std::int64_t digits = n + kGuard;
    BigInt pi = 16 * AtanOfInverse(5, digits) - 4 * AtanOfInverse(239, digits);
    return pi / TenTo(kGuard);
}

} // namespace

BigInt PiTimesTenTo(std::int64_t n) {
    if (n <= kPiDecimals) {
        return BigInt(std::string(kPiDigits.substr(0, static_cast<std::size_t>(n) + 1)));
    }
    return MachinPi(n);
}

BigInt TwoOverPiTimesTenTo(std::int64_t n) {
    // 2 * 10^(2n + g) / (pi * 10^(n + g)): the divisor's error of two units
    // in 10^(n + g) moves the quotient by far less than a unit.
    const BigInt pi = PiTimesTenTo(n + kGuard);
    return 2 * TenTo(2 * n + kGuard) / pi;
}

} // namespace quill
