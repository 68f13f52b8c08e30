// The decimal type's contract: exact where arithmetic is exact, correctly
// rounded elsewhere, its range, its non-finite values, and the short path
// for one-limb operands against the general one.
#include "calc/number/decimal.h"

#include <functional>
#include <random>
#include <string>

#include <gtest/gtest.h>

#include "calc/maths/operators.h"
#include "calc/number/number_text.h"
#include "tests/calc/exact_display.h"

namespace quill {
namespace {

// Every digit of a value, its kind and sign: equal texts, equal values.
std::string Text(const Decimal& d) {
    if (d.IsNaN()) return "nan";
    if (d.IsInfinite()) return d.IsNegative() ? "-inf" : "inf";
    if (d.IsZero()) return "0";
    return WriteSignificant(d);
}

Decimal Read(const std::string& text) {
    return text[0] == '-' ? -ReadDecimal(text.substr(1)) : ReadDecimal(text);
}

using Operation = std::function<Decimal(const Decimal&, const Decimal&)>;

struct Row {
    std::string a;
    std::string b;
    std::string result; // as Text writes it
    char op;
    bool inexact;
};

Row R(std::string a, char op, std::string b, std::string result, bool inexact) {
    return {std::move(a), std::move(b), std::move(result), op, inexact};
}

Operation OperationOf(char op) {
    return [op](const Decimal& a, const Decimal& b) { return ApplyOperator(op, a, b); };
}

TEST(Decimal, ExactWhereArithmeticIsExact) {
    const std::string fifty(50, '9');
    const Row rows[] = {
        R("0.1", '+', "0.2", "3e-01", false),
        R("1000000.1", '-', "1000000", "1e-01", false),
        R("12345.67", '*', "1.19", "1.46913473e+04", false),
        R("1", '/', "8", "1.25e-01", false),
        R("355", '/', "113", "3.1415929203539823008849557522123893805309734513274e+00", true),
        R("2", '/', "3", "6.6666666666666666666666666666666666666666666666667e-01", true),
        R("10", '%', "50", "5e+00", false),
        R("0.5", '%', "0.5", "2.5e-03", false),
        // Exact up to 1,000 digits (Text shows 50, halves away); beyond, a
        // rounding and its bound.
        R(fifty, '+', "2", "1e+50", false),
        R("1" + std::string(49, '0'), '+', "0.5", "1." + std::string(48, '0') + "1e+49", false),
        R("1", '-', "0." + std::string(60, '0') + "1", "1e+00", false),
        R("1" + std::string(100, '0'), '-', "1", "1e+100", false),
        R(std::string(1000, '9'), '+', "1", "1e+1000", false),
        R(std::string(1000, '9'), '+', "2", "1e+1000", true),
        R("1" + std::string(999, '0'), '+', "0.1", "1e+999", true),
        // Far apart: the smaller one only decides the rounding.
        R("1", '+', "0." + std::string(1100, '0') + "1", "1e+00", true),
        R("1", '-', "0." + std::string(1100, '0') + "1", "1e+00", true),
        // Cancelling to nothing: zero has no sign.
        R("2.5", '-', "2.5", "0", false),
        R("-2.5", '+', "2.5", "0", false),
        R("-3", '*', "0", "0", false),
    };
    for (const Row& r : rows) {
        const Decimal result = OperationOf(r.op)(Read(r.a), Read(r.b));
        const std::string where = r.a.substr(0, 20) + " " + r.op + " " + r.b.substr(0, 20);
        EXPECT_EQ(Text(result), r.result) << where;
        EXPECT_EQ(result.IsInexact(), r.inexact) << where;
    }
}

// A quotient that ends is exact however far down it ends: a over every
// divisor 2^i 5^j of one limb (up to 63 twos, 27 fives), for a of one to
// twenty digits, gives back a when multiplied by the divisor.
TEST(Decimal, EndingQuotientsAreExact) {
    const std::uint64_t numerators[] = {1, 7, 12345678901, 18446744073709551557ULL};
    for (int twos = 0; twos <= 63; ++twos) {
        for (int fives = 0; fives <= 27; ++fives) {
            const BigInt divisor = mp::pow(BigInt(2), twos) * mp::pow(BigInt(5), fives);
            if (!FitsLimb(divisor)) break;
            const Decimal b = Decimal::MakeExact(false, LowLimb(divisor), 0);
            for (const std::uint64_t n : numerators) {
                const Decimal a = Decimal::MakeExact(false, n, 0);
                const Decimal q = Divide(a, b);
                EXPECT_FALSE(q.IsInexact()) << n << " / 2^" << twos << " 5^" << fives;
                EXPECT_EQ(Compare(Multiply(q, b), a), 0) << n << " / 2^" << twos << " 5^" << fives;
            }
        }
    }
}

TEST(Decimal, RangeAndNonFiniteValues) {
    const std::string top = std::to_string(kMaxScale);
    const std::string bottom = std::to_string(kMinScale);
    const Decimal big = ReadDecimal("9" + std::string(kMaxScale, '0'));
    const Decimal inf = Decimal::Infinity(false);
    const Decimal nan = Decimal::NotANumber();
    const Decimal tiny = ReadDecimal("0." + std::string(-kMinScale - 1, '0') + "1");
    const struct {
        Decimal value;
        std::string text;
    } rows[] = {
        {big, "9e+" + top},
        {Multiply(big, ReadDecimal("1.2")), "inf"},
        {Multiply(-big, ReadDecimal("2")), "-inf"},
        {tiny, "1e" + bottom},
        {Divide(tiny, ReadDecimal("10")), "0"},
        {Multiply(tiny, tiny), "0"},
        {Subtract(inf, inf), "nan"},
        {Add(inf, -inf), "nan"},
        {Add(inf, inf), "inf"},
        {Multiply(inf, Decimal()), "nan"},
        {Multiply(-inf, ReadDecimal("2")), "-inf"},
        {Divide(ReadDecimal("1"), inf), "0"},
        {Divide(inf, inf), "nan"},
        {Divide(ReadDecimal("1"), Decimal()), "inf"},
        {Divide(Decimal(), Decimal()), "nan"},
        {Add(nan, ReadDecimal("1")), "nan"},
        {Percent(inf, Decimal()), "nan"},
        {-Decimal(), "0"},
        {Floor(ReadDecimal("2.5")), "2e+00"},
        {Floor(-ReadDecimal("2.5")), "-3e+00"},
        {Ceil(ReadDecimal("2.5")), "3e+00"},
        {Ceil(-ReadDecimal("0.5")), "0"},
        {Truncate(-ReadDecimal("7.9")), "-7e+00"},
        {Floor(inf), "inf"},
    };
    for (const auto& r : rows)
        EXPECT_EQ(Text(r.value), r.text);
    EXPECT_FALSE(big.IsInexact());
    EXPECT_TRUE(Divide(tiny, ReadDecimal("10")).IsInexact());
}

TEST(Decimal, CompareAndWholeNumbers) {
    EXPECT_EQ(Compare(ReadDecimal("2.50"), ReadDecimal("2.5")), 0);
    EXPECT_EQ(Compare(ReadDecimal("2.5"), ReadDecimal("25")), -1);
    EXPECT_EQ(Compare(-ReadDecimal("2.5"), -ReadDecimal("25")), 1);
    EXPECT_EQ(Compare(Decimal(), -ReadDecimal("0.1")), 1);
    EXPECT_TRUE(IsWhole(ReadDecimal("1200")));
    EXPECT_TRUE(IsWhole(ReadDecimal("12.000")));
    EXPECT_FALSE(IsWhole(ReadDecimal("12.001")));
    EXPECT_TRUE(IsOddWhole(ReadDecimal("13.0")));
    EXPECT_FALSE(IsOddWhole(ReadDecimal("130")));
    EXPECT_FALSE(IsOddWhole(ReadDecimal("13.5")));
    // A ball within 10^-900 of a whole number is that number; one of the
    // first try's 55 digits decides nothing.
    const Decimal third = Divide(ReadDecimal("1"), ReadDecimal("3"), kExactDigits);
    EXPECT_EQ(Text(Floor(Multiply(third, ReadDecimal("3"), kExactDigits))), "1e+00");
    const Decimal rough = Divide(ReadDecimal("1"), ReadDecimal("3"));
    EXPECT_EQ(Text(Floor(Multiply(rough, ReadDecimal("3")))), "");
    EXPECT_EQ(Text(Floor(ReadDecimal("0." + std::string(50, '9')))), "0");
}

// A one-limb value written with a longer coefficient (the same value), so
// that the arithmetic takes its general path.
Decimal Widened(const Decimal& d, int extra) {
    return Decimal::Make(d.IsNegative(), BigInt(d.coefficient()) * TenTo(extra),
                         d.exponent() - extra);
}

TEST(Decimal, ShortPathEqualsGeneralPath) {
    std::mt19937_64 rng(20261208);
    auto randomDecimal = [&rng]() {
        const std::uint64_t limit[] = {10, 1000, 1000000, 10000000000ULL, 1ULL << 62};
        std::string text = std::to_string(rng() % limit[rng() % 5]);
        const std::size_t places = rng() % (text.size() + 1);
        if (places < text.size()) text.insert(text.size() - places, ".");
        const Decimal d = ReadDecimal(text);
        return rng() % 2 ? -d : d;
    };
    for (int n = 0; n < 50000; ++n) {
        const Decimal a = randomDecimal();
        const Decimal b = randomDecimal();
        ASSERT_TRUE(FitsLimb(a.coefficient()) && FitsLimb(b.coefficient()));
        const Decimal wa = Widened(a, 50 - std::max(a.digits(), 1));
        const Decimal wb = Widened(b, 50 - std::max(b.digits(), 1));
        for (const char op : {'+', '-', '*', '/', '%'}) {
            if (op == '/' && b.IsZero()) continue;
            const Decimal quick = OperationOf(op)(a, b);
            const Decimal general = OperationOf(op)(wa, wb);
            ASSERT_EQ(Text(quick), Text(general)) << Text(a) << " " << op << " " << Text(b);
            ASSERT_EQ(quick.IsInexact(), general.IsInexact()) << Text(a) << op << Text(b);
        }
    }
}

// Reading: the one-limb path and the long one (past 19 digits of leading
// zeros) read the same value; the long one rounds ties to even.
TEST(Decimal, ShortAndLongLiteralsReadAlike) {
    std::mt19937_64 rng(7);
    for (int n = 0; n < 20000; ++n) {
        std::string text = std::to_string(rng() % 10000000000000000000ULL);
        const std::size_t places = rng() % (text.size() + 1);
        if (places < text.size()) text.insert(text.size() - places, ".");
        const std::string padded = std::string(25, '0') + text;
        ASSERT_EQ(Text(ReadDecimal(text)), Text(ReadDecimal(padded))) << text;
        ASSERT_EQ(test::ExactDisplay(test::RationalOf(text), {9, Format::Decimal, false}),
                  WriteFixed(ReadDecimal(padded), 9))
            << text;
    }
}

} // namespace
} // namespace quill
