// The one-pass limb work and the square root against Boost's own arithmetic, on numbers whose
// limbs carry and borrow all the way (runs of all-ones limbs) and on
// pseudo-random ones of one to nine limbs.
#include "calc/number/coefficient.h"
#include "calc/number/long_division.h"

#include <array>
#include <random>
#include <vector>

#include <gtest/gtest.h>

namespace quill {
namespace {

std::vector<BigInt> Samples() {
    std::vector<BigInt> out = {BigInt(0U), BigInt(1U), BigInt(~std::uint64_t{0})};
    BigInt ones = 0U;
    for (unsigned limbs = 1; limbs <= 6; ++limbs) {
        ones = (ones << 64) | BigInt(~std::uint64_t{0}); // every bit of `limbs` limbs set
        out.push_back(ones);
        out.push_back(BigInt(1U) << (64 * limbs));
    }
    std::mt19937_64 random(20261209);
    for (int i = 0; i < 40; ++i) {
        BigInt x = 0U;
        for (int limbs = 1 + i % 9; limbs > 0; --limbs)
            x = (x << 64) | BigInt(random());
        out.push_back(x);
    }
    return out;
}

TEST(Coefficient, LimbWorkEqualsBoostArithmetic) {
    const std::vector<BigInt> samples = Samples();
    for (const BigInt& a : samples) {
        for (const BigInt& b : samples) {
            BigInt sum = a;
            AddInPlace(sum, b);
            EXPECT_EQ(sum, a + b) << a << " + " << b;
            const BigInt& big = a >= b ? a : b;
            const BigInt& small = a >= b ? b : a;
            BigInt difference = big;
            SubtractInPlace(difference, small);
            EXPECT_EQ(difference, big - small) << big << " - " << small;
        }
        for (const std::uint64_t d :
             {std::uint64_t{1}, std::uint64_t{10}, SmallTenTo(19), ~std::uint64_t{0}}) {
            BigInt quotient = a;
            const std::uint64_t remainder = DivideByLimb(quotient, d);
            EXPECT_EQ(quotient, a / d) << a << " / " << d;
            EXPECT_EQ(BigInt(remainder), a % d) << a << " % " << d;
        }
        // The root by halves and Newton's steps is Boost's bit-by-bit one,
        // also beside a perfect square.
        EXPECT_EQ(SquareRoot(a), mp::sqrt(a)) << a;
        const BigInt square = a * a;
        EXPECT_EQ(SquareRoot(square), a) << a;
        if (!a.is_zero()) {
            EXPECT_EQ(SquareRoot(BigInt(square - 1U)), BigInt(a - 1U)) << a;
        }
    }
}

// Long division equals Boost's: on every pair of numbers built of the limbs
// that make its estimates wrong (0, 1, 2^63 - 1, 2^63, 2^64 - 1), divisors
// of two and three limbs and dividends of up to five, and on the samples.
TEST(Coefficient, LongDivisionEqualsBoosts) {
    const std::array<std::uint64_t, 5> edges = {0, 1, (std::uint64_t{1} << 63) - 1,
                                                std::uint64_t{1} << 63, ~std::uint64_t{0}};
    std::vector<BigInt> built;
    for (int limbs = 1; limbs <= 5; ++limbs) {
        int count = 1;
        for (int i = 0; i < limbs; ++i)
            count *= 5;
        for (int code = 0; code < count; ++code) {
            BigInt x = 0U;
            for (int i = 0, c = code; i < limbs; ++i, c /= 5)
                x = (x << 64) | BigInt(edges[static_cast<std::size_t>(c % 5)]);
            built.push_back(x);
        }
    }
    const auto check = [](const BigInt& x, const BigInt& y) {
        BigInt q;
        BigInt r;
        DivideLong(x, y, q, r);
        EXPECT_EQ(q, x / y) << x << " / " << y;
        EXPECT_EQ(r, x % y) << x << " % " << y;
    };
    const BigInt twoLimbs = BigInt(1U) << 64;
    for (const BigInt& y : built) {
        if (y < twoLimbs || y >= (twoLimbs << 128)) continue;
        for (const BigInt& x : built)
            check(x, y);
    }
    for (const BigInt& y : Samples()) {
        if (y < twoLimbs) continue;
        for (const BigInt& x : Samples())
            check(x * x, y);
    }
}

// Each side of every power of ten, past the table's, of either sign:
// the count equals the length of Boost's own decimal text.
TEST(Coefficient, DigitCountIsTheTextsLength) {
    std::vector<BigInt> values = Samples();
    for (int k = 0; k <= kTableDigits + 20; ++k) {
        for (const BigInt& x : {TenTo(k) - 1, TenTo(k), TenTo(k) + 1})
            values.push_back(x);
    }
    for (const BigInt& x : values) {
        const int expected = x.is_zero() ? 0 : static_cast<int>(mp::abs(x).str().size());
        EXPECT_EQ(DigitCount(x), expected) << x;
        EXPECT_EQ(DigitCount(BigInt(-x)), expected) << -x;
    }
}

} // namespace
} // namespace quill
