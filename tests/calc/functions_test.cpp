// Built-in functions, angle units and named constants.
#include "calc/maths/functions.h"

#include <gtest/gtest.h>

#include "calc/maths/constants.h"
#include "calc/number/number_text.h"
#include "tests/calc/show.h"

namespace quill {
namespace {

constexpr EvalSettings kRadians{kAutoPlaces, Format::Decimal, false};
constexpr EvalSettings kDegrees{kAutoPlaces, Format::Decimal, true};

struct Row {
    std::string input;
    std::string radians; // display with angles in radians
    std::string degrees; // display with angles in degrees
};

TEST(Functions, InBothAngleUnits) {
    const Row rows[] = {
        {"sin(0)", "0", "0"},
        {"cos(0)", "1", "1"},
        {"sin(pi/2)", "1", "0.027412133592"},
        {"sin(30)", "-0.988031624093", "0.5"},
        {"cos(60)", "-0.952412980415", "0.5"},
        {"sin(180)", "-0.801152635734", "0"},
        {"sin(270)", "-0.176045946471", "-1"},
        {"sin(0-90)", "-0.893996663601", "-1"},
        {"sin(720+90)", "-0.5063136521", "1"},
        {"cos(90)", "-0.448073616129", "0"},
        {"cos(180)", "-0.598460069058", "-1"},
        {"tan(180)", "1.338690210351", "0"},
        {"tan(90)", "-1.995200412208", "Not a number"},
        {"tan(0-270)", "0.178839063798", "Not a number"},
        {"asin(1)", "1.570796326795", "90"},
        {"acos(0)", "1.570796326795", "90"},
        {"acos(0-1)", "3.14159265359", "180"},
        {"atan(1)", "0.785398163397", "45"},
        {"asin(2)", "Not a number", "Not a number"},
        {"sinh(1)", "1.175201193644", "1.175201193644"},
        {"cosh(1)", "1.543080634815", "1.543080634815"},
        {"tanh(1)", "0.761594155956", "0.761594155956"},
        {"exp(1)", "2.718281828459", "2.718281828459"},
        {"log(1)", "0", "0"},
        {"log(0)", "-Infinity", "-Infinity"},
        {"log(0-1)", "Not a number", "Not a number"},
        {"abs(0-3)", "3", "3"},
        {"abs(0-180)", "180", "180"},
        {"ceil(1.2)", "2", "2"},
        {"floor(0-1.2)", "-2", "-2"},
        {"sin(1)+cos(2)", "0.425324148261", "1.016843233456"},
        {"sin(1)*(2+3)", "4.207354924039", "0.087262032186"},
        {"sin(cos(0))", "0.841470984808", "0.017452406437"},
        {"exp(log(2))", "2", "2"},
    };
    for (const Row& r : rows) {
        EXPECT_EQ(Show(r.input, kRadians), r.radians) << r.input << " in radians";
        EXPECT_EQ(Show(r.input, kDegrees), r.degrees) << r.input << " in degrees";
    }
}

TEST(Functions, ArgumentsDoNotPassThroughTheDisplay) {
    EXPECT_EQ(Show("exp(2.36)", {1, Format::Decimal, false}), "10.6");
    EXPECT_EQ(Show("exp(2.36)", kRadians), "10.590951452434");
    EXPECT_EQ(Show("abs(10)", {kAutoPlaces, Format::Octal, false}), "012");
    EXPECT_EQ(Show("abs(10)", {kAutoPlaces, Format::Hex, false}), "0xa");
    // Through the display, abs(1/3) would come back as 3.333333e-01; its
    // ball comes back as the ball of 0.
    EXPECT_EQ(Show("abs(1/3)*3-1", {kAutoPlaces, Format::Exponent, false}), "0.000000e+00");
}

TEST(Functions, LookupByExactName) {
    EXPECT_TRUE(FindFunction("sin"));
    EXPECT_FALSE(FindFunction("Sin"));
    EXPECT_FALSE(FindFunction("sqrt"));
    EXPECT_FALSE(FindFunction("sin "));
}

TEST(Constants, Table) {
    const std::pair<const char*, const char*> rows[] = {
        {"pi", "3.14159265359"},
        {"2*pi", "6.28318530718"},
        {"fi", "1.618"},
        {"fi1", "0.618"},
        {"fi-fi1", "1"},
        {"e", "2.718281828459"},
        {"pi2", "1.570796326795"},
        {"pi4", "0.785398163397"},
        {"pia", "0.318309886184"},
        {"pib", "0.636619772368"},
        {"sqrt2", "1.414213562373"},
        {"sqrt1", "0.707106781187"},
        {"log2e", "1.442695040889"},
        {"log10e", "0.434294481903"},
        {"ln2", "0.69314718056"},
        {"ln10", "2.302585092994"},
    };
    for (const auto& [input, display] : rows)
        EXPECT_EQ(Show(input, kRadians), display) << input;
    for (const char* name : {"PI", "Pi", "pie", "sqrt", "ln", "", "pi "}) {
        EXPECT_FALSE(IsConstant(name)) << name;
    }
    EXPECT_EQ(WriteFixed(*FindConstantValue("fi"), 3), "1.618");
    // The description's value texts are the first digits of ours, rounded
    // where they end; the value carries the precision's digits.
    const std::pair<const char*, const char*> described[] = {
        {"e", "2.71828182845904523536"},       {"log2e", "1.44269504088896340736"},
        {"log10e", "0.434294481903251827651"}, {"ln2", "0.693147180559945309417"},
        {"ln10", "2.30258509299404568402"},    {"pi", "3.14159265358979323846"},
        {"pi2", "1.57079632679489661923"},     {"pi4", "0.785398163397448309616"},
        {"pia", "0.318309886183790671538"},    {"pib", "0.636619772367581343076"},
        {"sqrt2", "1.41421356237309504880"},   {"sqrt1", "0.707106781186547524401"},
    };
    for (const auto& [name, text] : described) {
        ASSERT_TRUE(IsConstant(name)) << name;
        const int places = static_cast<int>(std::string_view(text).size()) - 2;
        // At the first try's digits and at the last's, the same leading ones.
        for (const int digits : {kRoundedDigits, kExactDigits}) {
            const std::optional<Decimal> value = FindConstantValue(name, digits);
            ASSERT_TRUE(value) << name;
            EXPECT_TRUE(value->IsInexact()) << name;
            EXPECT_EQ(WriteFixed(*value, places), text) << name;
        }
    }
    EXPECT_EQ(FindConstantValue("PI"), std::nullopt);
}

} // namespace
} // namespace quill
