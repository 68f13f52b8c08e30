#include "calc/maths/constant_digits.h"

#include <string>

#include "calc/maths/constant_tables.h"
#include "calc/maths/pi_digits.h"

namespace quill {

namespace {

// Guard digits for the series: each of its terms truncates once or twice, and
// there are fewer than 10^9 of them.
constexpr std::int64_t kGuard = 12;

// atan(1/x) * one (or atanh's, `alternate` false), off by at most two units
// per term: the terms one / x^(2j+1) / (2j+1), each power truncated from the
// one before.
BigInt AtanOfInverse(std::uint64_t x, const BigInt& one, bool alternate = true) {
    const std::uint64_t square = x * x;
    BigInt power = one;
    DivideByLimb(power, x);
    BigInt sum = power;
    for (std::uint64_t k = 1; !power.is_zero(); ++k) {
        DivideByLimb(power, square);
        BigInt term = power;
        DivideByLimb(term, 2 * k + 1);
        if (alternate && k % 2 == 1) {
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
    const BigInt one = TenTo(digits);
    BigInt pi = 16 * AtanOfInverse(5, one) - 4 * AtanOfInverse(239, one);
    return pi / TenTo(kGuard);
}

// The sum of 10^n / k! for k = 0, 1, ...: each term truncated from the one
// before, at most one unit off a term.
BigInt ExpSeriesOfOne(std::int64_t n) {
    BigInt term = TenTo(n);
    BigInt sum = term;
    for (std::uint64_t k = 1; !term.is_zero(); ++k) {
        DivideByLimb(term, k);
        sum += term;
    }
    return sum;
}

// v * 10^n for a stored v (`digits`, floor(v * 10^kTableDecimals)): its
// leading digits, for n <= kTableDecimals.
BigInt FromTable(std::string_view digits, std::int64_t n) {
    return FromDigits(
        digits.substr(0, digits.size() - static_cast<std::size_t>(kTableDecimals - n)));
}

// v * 2^bits for a stored v (`hex`, floor(v * 2^kTableBits)), for bits <=
// kTableBits: whole hex digits dropped, then the bits left over.
BigInt FromBinaryTable(std::string_view hex, std::int64_t bits) {
    const std::int64_t drop = kTableBits - bits;
    BigInt x = FromHexDigits(hex.substr(0, hex.size() - static_cast<std::size_t>(drop / 4)));
    return x >> static_cast<unsigned>(drop % 4);
}

} // namespace

BigInt PiTimesTenTo(std::int64_t n) {
    if (n <= kPiDecimals) return FromDigits(kPiDigits.substr(0, static_cast<std::size_t>(n) + 1));
    return MachinPi(n);
}

BigInt TwoOverPiTimesTenTo(std::int64_t n) {
    // 2 * 10^(2n + g) / (pi * 10^(n + g)): the divisor's error of two units
    // in 10^(n + g) moves the quotient by far less than a unit.
    const BigInt pi = PiTimesTenTo(n + kGuard);
    return 2 * TenTo(2 * n + kGuard) / pi;
}

BigInt ETimesTenTo(std::int64_t n) {
    if (n <= kTableDecimals) return FromTable(kEDigits, n);
    return ExpSeriesOfOne(n + kGuard) / TenTo(kGuard);
}

// ln 2 = 2 atanh(1/3), and ln 10 = 3 ln 2 + ln(5/4) = 3 ln 2 + 2 atanh(1/9).
BigInt Ln2TimesTenTo(std::int64_t n) {
    if (n <= kTableDecimals) return FromTable(kLn2Digits, n);
    return 2 * AtanOfInverse(3, TenTo(n + kGuard), false) / TenTo(kGuard);
}

BigInt Ln10TimesTenTo(std::int64_t n) {
    if (n <= kTableDecimals) return FromTable(kLn10Digits, n);
    const BigInt one = TenTo(n + kGuard);
    const BigInt ln2 = 2 * AtanOfInverse(3, one, false);
    return (3 * ln2 + 2 * AtanOfInverse(9, one, false)) / TenTo(kGuard);
}

BigInt Sqrt2TimesTenTo(std::int64_t n) {
    if (n <= kTableDecimals) return FromTable(kSqrt2Digits, n);
    return SquareRoot(BigInt(2 * TenTo(2 * n)));
}

// The binary forms: the guard digits become 40 guard bits.
BigInt PiTimesTwoTo(std::int64_t bits) {
    if (bits <= kTableBits) return FromBinaryTable(kPiHex, bits);
    const BigInt one = BigInt(1) << (bits + 40);
    const BigInt pi = 16 * AtanOfInverse(5, one) - 4 * AtanOfInverse(239, one);
    return pi >> 40;
}

BigInt Ln2TimesTwoTo(std::int64_t bits) {
    if (bits <= kTableBits) return FromBinaryTable(kLn2Hex, bits);
    return (2 * AtanOfInverse(3, BigInt(1) << (bits + 40), false)) >> 40;
}

} // namespace quill
