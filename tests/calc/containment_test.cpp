// Every operation's ball holds every exact result: random balls (coefficients
// at limb edges and near 2^64, scales far apart, exact and rounded), points
// taken at their ends and inside, each result compared as a rational with
// the ball the engine gave. The bound's own arithmetic is checked the same
// way.
#include <cstdint>
#include <random>
#include <vector>

#include <gtest/gtest.h>

#include "calc/maths/functions.h"
#include "calc/number/decimal.h"
#include "calc/number/number_text.h"
#include "tests/calc/exact_display.h"

namespace quill {
namespace {

using test::Integer;
using test::Rational;

Rational Exactly(const BigInt& c, std::int64_t e) {
    return Rational(Integer(c)) * test::TenTo(static_cast<long>(e));
}

Rational Exactly(const Bound& b) {
    return Exactly(BigInt(b.mantissa()), b.exponent());
}

Rational MidpointOf(const Decimal& x) {
    const Rational m = Exactly(x.coefficient(), x.exponent());
    return x.IsNegative() ? Rational(-m) : m;
}

// Coefficients where the limb work and the bounds turn: around 2^64, 10^19,
// 2^128, long ones, and plain small ones.
BigInt Coefficient(std::mt19937_64& random) {
    const BigInt two64 = BigInt(1) << 64;
    const std::int64_t near = static_cast<std::int64_t>(random() % 2000) - 1000;
    switch (random() % 6) {
    case 0:
        return two64 - 1 - (near < 0 ? -near : near);
    case 1:
        return two64 + (near < 0 ? -near : near);
    case 2:
        return TenTo(19) + near + 1000;
    case 3:
        return (BigInt(1) << 128) - 1 - (near < 0 ? -near : near);
    case 4: {
        BigInt c = random() | 1U;
        for (std::uint64_t limbs = random() % 12; limbs > 0; --limbs)
            c = (c << 64) + random();
        return c;
    }
    default:
        return random() % 100000 + 1;
    }
}

// A ball: exact, or with a radius from a hair to most of its size.
Decimal RandomBall(std::mt19937_64& random) {
    const BigInt c = Coefficient(random);
    const std::int64_t q = static_cast<std::int64_t>(random() % 2400) - 1200;
    const bool far = random() % 4 == 0; // scales far apart
    Decimal exact = Decimal::Make(random() % 2 == 0, c, far ? q : q % 30);
    if (random() % 3 == 0 || !exact.IsFinite() || exact.IsZero()) return exact;
    const std::int64_t below = static_cast<std::int64_t>(random() % 80);
    const std::uint64_t m = random() % 999999999 + 1;
    return exact.Widened(Bound::Of(m, exact.Scale() - 9 - below));
}

// Points of the ball: its ends, its midpoint and two inside.
std::vector<Rational> PointsOf(const Decimal& x) {
    const Rational mid = MidpointOf(x);
    if (!x.IsInexact()) return {mid};
    const Rational r = Exactly(x.radius());
    return {mid - r, mid - r / 3, mid, mid + r / 7, mid + r};
}

using Operation = Decimal (*)(const Decimal&, const Decimal&, int digits);
using Truth = Rational (*)(const Rational&, const Rational&);

struct Row {
    const char* name;
    Operation operation;
    Truth truth;
};

const Row kRows[] = {
    {"+", [](const Decimal& a, const Decimal& b, int) { return Add(a, b); },
     [](const Rational& a, const Rational& b) { return Rational(a + b); }},
    {"-", [](const Decimal& a, const Decimal& b, int) { return Subtract(a, b); },
     [](const Rational& a, const Rational& b) { return Rational(a - b); }},
    {"*", Multiply, [](const Rational& a, const Rational& b) { return Rational(a * b); }},
    {"/", Divide, [](const Rational& a, const Rational& b) { return Rational(a / b); }},
    {"%", Percent, [](const Rational& a, const Rational& b) { return Rational(a / 100 * b); }},
};

TEST(Containment, EveryResultBallHoldsEveryExactResult) {
    std::mt19937_64 random(20261209);
    int checked = 0;
    for (int trial = 0; trial < 1000; ++trial) {
        const Decimal a = RandomBall(random);
        const Decimal b = RandomBall(random);
        for (const Row& row : kRows) {
            // At the digits every evaluation starts with, and at more.
            const int digits = trial % 3 == 0 ? kRoundedDigits : (trial % 3 == 1 ? 250 : 1000);
            const Decimal result = row.operation(a, b, digits);
            if (!result.IsFinite() || result.radius().IsUnbounded()) continue;
            // Below the range a result is zero with a radius of 10^kMinScale.
            const Rational mid = MidpointOf(result);
            const Rational radius = Exactly(result.radius());
            for (const Rational& x : PointsOf(a)) {
                for (const Rational& y : PointsOf(b)) {
                    if (row.name[0] == '/' && y == 0) continue;
                    const Rational distance = boost::multiprecision::abs(row.truth(x, y) - mid);
                    ASSERT_LE(distance, radius)
                        << row.name << " trial " << trial << ": " << MidpointOf(a) << " ± "
                        << Exactly(a.radius()) << " and " << MidpointOf(b) << " ± "
                        << Exactly(b.radius());
                    ++checked;
                }
            }
        }
    }
    EXPECT_GT(checked, 20000);
}

// The bounds' own arithmetic: a sum and a product from above, a difference
// from below, for mantissas up to 2^64 - 1 (which once wrapped to zero).
TEST(Containment, BoundArithmeticRoundsTheRightWay) {
    std::mt19937_64 random(7);
    for (int trial = 0; trial < 20000; ++trial) {
        const std::uint64_t m = trial % 2 == 0 ? ~std::uint64_t{0} - random() % 100000 : random();
        const std::int64_t e = static_cast<std::int64_t>(random() % 40) - 20;
        const Bound a = Bound::Of(m, e);
        const Bound b =
            Bound::Of(random() % 1000000000 + 1, e + static_cast<int>(random() % 30) - 15);
        ASSERT_GE(Exactly(a), Exactly(BigInt(m), e)) << m;
        ASSERT_GE(Exactly(a + b), Exactly(a) + Exactly(b)) << trial;
        ASSERT_GE(Exactly(a * b), Exactly(a) * Exactly(b)) << trial;
        const Rational gap = Exactly(a) - Exactly(b);
        const Rational below = Exactly(DifferenceBelow(a, b));
        ASSERT_LE(below, gap > 0 ? gap : Rational(0)) << trial;
    }
}

// Every function of a ball holds the function at the ball's ends and inside,
// each computed at the last try's digits: a second path through the same
// kernels, at a precision where they are far narrower than the ball.
TEST(Containment, FunctionsOfBallsHoldTheirPoints) {
    std::mt19937_64 random(31);
    const Function functions[] = {Function::Sin,  Function::Cos,  Function::Tan,  Function::Asin,
                                  Function::Acos, Function::Atan, Function::Sinh, Function::Cosh,
                                  Function::Tanh, Function::Exp,  Function::Log};
    int checked = 0;
    for (int trial = 0; trial < 400; ++trial) {
        const Function f = functions[trial % std::size(functions)];
        const bool degrees = trial % 7 == 0;
        // Midpoints of a few digits about zero to about 60, radii from a hair
        // to a tenth of their size.
        const auto m = static_cast<std::int64_t>(random() % 2000000) - 1000000;
        const Decimal mid = Decimal::Make(m < 0, BigInt(m < 0 ? -m : m),
                                          -static_cast<std::int64_t>(random() % 6) - 4);
        const Decimal ball = mid.Widened(
            Bound::Of(random() % 999 + 1, -static_cast<std::int64_t>(random() % 30) - 5));
        const Decimal result = ApplyFunction(f, ball, degrees, kRoundedDigits);
        if (!result.IsFinite() || result.radius().IsUnbounded()) continue;
        const Rational r = Exactly(ball.radius());
        for (const Rational& offset : {Rational(-r), Rational(r / 3), r}) {
            // The point as an exact decimal: the midpoint moved by the offset.
            const Decimal shift = Decimal::Make(
                offset < 0,
                BigInt(test::Integer(boost::multiprecision::abs(offset) * test::TenTo(60)).str()),
                -60);
            const Decimal point = Add(mid, shift);
            const Decimal truth = ApplyFunction(f, point, degrees, kExactDigits);
            if (!truth.IsFinite()) continue;
            const Rational gap = boost::multiprecision::abs(MidpointOf(truth) - MidpointOf(result));
            ASSERT_LE(gap, Exactly(result.radius()) + Exactly(truth.radius()))
                << "function " << static_cast<int>(f) << " of " << MidpointOf(mid) << " ± " << r;
            ++checked;
        }
    }
    EXPECT_GT(checked, 600);
}

} // namespace
} // namespace quill
