// Every kernel's ball holds the true value, at the first try's digits and at
// more, and is as narrow as the digits asked: the rows of
// tests/calc/data/kernel_values.tsv, from mpmath.
#include "calc/maths/kernels.h"

#include <fstream>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "calc/number/number_text.h"
#include "tests/calc/exact_display.h"

namespace quill {
namespace {

using test::Rational;

// "1.5e-60" and the like, exactly.
Decimal Argument(const std::string& text) {
    const std::size_t e = text.find('e');
    const bool negative = text[0] == '-';
    Decimal x = ReadDecimal(text.substr(negative ? 1 : 0, e - (negative ? 1 : 0)));
    if (e != std::string::npos)
        x = Multiply(x, Decimal::Make(false, BigInt(1), std::stol(text.substr(e + 1))));
    return negative ? -x : x;
}

Rational Exactly(const BigInt& c, std::int64_t e) {
    return Rational(test::Integer(c)) * test::TenTo(static_cast<long>(e));
}

Decimal Kernel(const std::string& name, const Decimal& x, int digits) {
    if (name == "exp") return ExpKernel(x, digits);
    if (name == "log") return LogKernel(x, digits);
    if (name == "sin") return SinKernel(x, digits);
    if (name == "cos") return CosKernel(x, digits);
    if (name == "atan") return AtanKernel(x, digits);
    return SqrtKernel(x, digits);
}

TEST(Kernels, EveryBallHoldsTheTruth) {
    std::ifstream file(QUILL_SOURCE_DIR "/tests/calc/data/kernel_values.tsv");
    ASSERT_TRUE(file) << "tests/calc/data/kernel_values.tsv";
    int rows = 0;
    for (std::string line; std::getline(file, line); ++rows) {
        std::istringstream fields(line);
        std::string name, argument, truth;
        std::getline(fields, name, '\t');
        std::getline(fields, argument, '\t');
        std::getline(fields, truth, '\t');
        const std::size_t e = truth.find('e');
        const long power = e == std::string::npos ? 0 : std::stol(truth.substr(e + 1));
        const Rational exact = test::RationalOf(truth.substr(0, e)) * test::TenTo(power);
        for (const int digits : {kRoundedDigits, 250, kExactDigits}) {
            const Decimal ball = Kernel(name, Argument(argument), digits);
            ASSERT_TRUE(ball.IsFinite()) << name << "(" << argument << ")";
            Rational mid = Exactly(ball.coefficient(), ball.exponent());
            if (ball.IsNegative()) mid = -mid;
            const Rational radius =
                Exactly(BigInt(ball.radius().mantissa()), ball.radius().exponent());
            // The truth's own 1,100 digits are off by far less than any radius.
            EXPECT_LE(boost::multiprecision::abs(mid - exact), radius)
                << name << "(" << argument << ") at " << digits;
            // Narrow: the radius within a few units of the digits asked.
            EXPECT_LE(radius, boost::multiprecision::abs(exact) * test::TenTo(3 - digits))
                << name << "(" << argument << ") at " << digits << " is too wide";
        }
    }
    EXPECT_GT(rows, 50);
}

} // namespace
} // namespace quill
