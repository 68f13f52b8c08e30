// The display string under every format and rounding.
#include "calc/format.h"

#include <cmath>
#include <limits>

#include <gtest/gtest.h>

namespace quill {
namespace {

struct Row {
    double value;
    int format;
    int round;
    std::string display;
};

TEST(Format, Displays) {
    const double two40 = std::ldexp(1.0, 40);
    const double two31 = std::ldexp(1.0, 31);
    const double two63 = std::ldexp(1.0, 63);
    const Row rows[] = {
        {5, kDecimal, kRoundAuto, "5"},
        {2.5, kDecimal, kRoundAuto, "2.5"},
        {100, kDecimal, kRoundAuto, "100"},
        {1e20, kDecimal, kRoundAuto, "100000000000000000000"},
        {1.0 / 3, kDecimal, kRoundAuto, "0.333333333333"},
        {2.0 / 3, kDecimal, kRoundAuto, "0.666666666667"},
        {0.1 + 0.2, kDecimal, kRoundAuto, "0.3"},
        {-1e-13, kDecimal, kRoundAuto, "0"},
        {-0.0, kDecimal, kRoundAuto, "0"},
        {-1e-13, kDecimal, 2, "0.00"},
        {-0.004, kDecimal, 2, "0.00"},
        {-0.4, kDecimal, 0, "0"},
        {-0.6, kDecimal, 0, "-1"},
        {5, kDecimal, 2, "5.00"},
        {2.0 / 3, kDecimal, 2, "0.67"},
        {7.4, kDecimal, 0, "7"},
        {0.123456789, kDecimal, 9, "0.123456789"},
        {1e-12, kDecimal, kRoundAuto, "0.000000000001"},
        {-2.5, kDecimal, kRoundAuto, "-2.5"},
        {8, kOctal, 3, "010"},
        {9.99, kOctal, kRoundAuto, "011"},
        {0, kOctal, kRoundAuto, "0"},
        {-1, kOctal, kRoundAuto, "037777777777"},
        {-9.99, kOctal, kRoundAuto, "037777777767"},
        {two40, kOctal, kRoundAuto, "020000000000000"},
        {255, kHex, 5, "0xff"},
        {0.5, kHex, kRoundAuto, "0"},
        {-0.5, kHex, kRoundAuto, "0"},
        {-1, kHex, kRoundAuto, "0xffffffff"},
        {-two31, kHex, kRoundAuto, "0x80000000"},
        {two31 - 1, kHex, kRoundAuto, "0x7fffffff"},
        {-two31 - 1, kHex, kRoundAuto, "0xffffffff7fffffff"},
        {two40, kHex, kRoundAuto, "0x10000000000"},
        {-two40, kHex, kRoundAuto, "0xffffff0000000000"},
        {-two63, kHex, kRoundAuto, "0x8000000000000000"},
        {two63, kHex, kRoundAuto, "Overflow"},
        {1e300, kOctal, kRoundAuto, "Overflow"},
        {1234, kExponent, 2, "1.234000e+03"},
        {0, kExponent, kRoundAuto, "0.000000e+00"},
        {-0.0, kExponent, kRoundAuto, "0.000000e+00"},
        {-1.5e-300, kExponent, kRoundAuto, "-1.500000e-300"},
        {9.9999996, kExponent, kRoundAuto, "1.000000e+01"},
        {-7.9, 7, kRoundAuto, "-7"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(FormatResult(r.value, {r.round, r.format, false}), r.display)
            << r.value << " format " << r.format << " round " << r.round;
    }
}

TEST(Format, NonFiniteWordsInEveryFormat) {
    const double inf = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    for (int format : {0, 1, 2, 3, 9}) {
        for (int round : {kRoundAuto, 0, 9}) {
            const EvalSettings s{round, format, false};
            EXPECT_EQ(FormatResult(inf, s), "Infinity");
            EXPECT_EQ(FormatResult(-inf, s), "-Infinity");
            EXPECT_EQ(FormatResult(nan, s), "Not a number");
        }
    }
}

TEST(Format, DecimalKeepsEveryIntegerDigit) {
    EXPECT_EQ(FormatDecimal(1.7976931348623157e308, kRoundAuto).size(), 309U);
    EXPECT_EQ(FormatDecimal(-1.7976931348623157e308, 9).size(), 320U);
    // A rounding beyond what any version writes still prints, it just has zeros.
    EXPECT_EQ(FormatDecimal(0.5, 20), "0.50000000000000000000");
}

} // namespace
} // namespace quill
