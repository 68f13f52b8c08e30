// Every digit shown is right: the engine's displays against exact arithmetic
// (rationals, tests/calc/exact_display.h), in every format and rounding.
#include <random>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "calc/evaluator.h"
#include "calc/format.h"
#include "tests/calc/exact_display.h"

namespace quill {
namespace {

using test::ExactDisplay;
using test::Rational;
using test::RationalOf;

// Auto, 0 to 9 places, Octal, Hex, Exponent.
std::vector<EvalSettings> EverySetting() {
    std::vector<EvalSettings> all = {{kAutoPlaces, Format::Decimal, false}};
    for (int places = 0; places <= kMaxPlaces; ++places)
        all.push_back({places, Format::Decimal, false});
    for (const Format format : {Format::Octal, Format::Hex, Format::Exponent})
        all.push_back({kAutoPlaces, format, false});
    return all;
}

std::string Describe(const EvalSettings& s) {
    return "format " + std::to_string(static_cast<int>(s.format)) + " round " +
           std::to_string(s.places);
}

struct Row {
    std::string typed;
    std::string exact; // the exact value, or enough of its digits to show it
    std::string shown; // the "Auto" display
};

// What people type and what they must see; the exact values are exact
// arithmetic's (by hand, or mpmath to 60 digits for the sine).
TEST(Exactness, EverydaySumsInEveryFormat) {
    const Row rows[] = {
        {"12345.67*1.19", "14691.3473", "14691.3473"},
        {"100000*1.1", "110000", "110000"},
        {"99999999.99*1.2", "119999999.988", "119999999.988"},
        {"987654321.123*3", "2962962963.369", "2962962963.369"},
        {"1000000.1-1000000", "0.1", "0.1"},
        {"123456789012345678+1", "123456789012345679", "123456789012345679"},
        {"3^40", "12157665459056928801", "12157665459056928801"},
        {"2^63-1", "9223372036854775807", "9223372036854775807"},
        {"0-2^63", "-9223372036854775808", "-9223372036854775808"},
        {"2.675", "2.675", "2.675"},
        {"0.125", "0.125", "0.125"},
        {"1.005", "1.005", "1.005"},
        {"2.5", "2.5", "2.5"},
        {"0.0000000000005", "0.0000000000005", "0.000000000001"},
        {"42.9396362^7", "269158763381.7546192135557549035706239181501474110882171860608",
         "269158763381.754619213556"},
        {"sin(10000000000000000000000)",
         "-0.852200849767188801772705893753029368261762150410043656256509", "-0.852200849767"},
        {"10^20", "100000000000000000000", "100000000000000000000"},
        {"2^128", "340282366920938463463374607431768211456",
         "340282366920938463463374607431768211456"},
        {"1/8", "0.125", "0.125"},
        {"355/113*113", "355", "355"},
        {"2^(0-2)", "0.25", "0.25"},
        {"27#3", "3", "3"},
        {"0.001#3", "0.1", "0.1"},
        {"1000000#2", "1000", "1000"},
        {"1/3*3", "1", "1"},
        {"7/3*1.5", "3.5", "3.5"},
        {"12345.67*1.19-250/3+19.99*3",
         "14667.98396666666666666666666666666666666666666666666666666667", "14667.983966666667"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.typed);
        const Rational exact = RationalOf(row.exact);
        EXPECT_EQ(Evaluate(row.typed, {}).text, row.shown);
        for (const EvalSettings& s : EverySetting()) {
            EXPECT_EQ(Evaluate(row.typed, s).text, ExactDisplay(exact, s)) << Describe(s);
        }
    }
}

// The issue's own roundings: halves away from zero, as people round by hand.
// Each operation carries its operands' rounding on: the last step of each
// row is exact by itself, so only the mark its operand brought makes the
// display trust 40 digits and show the whole number. A row that shows 0 (or
// 2) has lost the mark in the operation named.
TEST(Exactness, EveryOperationCarriesItsOperandsRounding) {
    const EvalSettings hex{kAutoPlaces, Format::Hex, false};
    const struct {
        const char* operation;
        const char* typed;
        EvalSettings settings;
        const char* shown;
    } rows[] = {
        {"+", "1/3+1/3+1/3", hex, "0x1"},
        {"-", "(1/3-1/4)*12", hex, "0x1"},
        {"*", "(1/3)*3", hex, "0x1"},
        {"/", "(1/3)/1*3", hex, "0x1"},
        {"%", "(1/3)%300", hex, "0x1"},
        {"^", "(1/3)^1*3", hex, "0x1"},
        // Exact values are taken as they are.
        {"exact", "0.3333333333*3", hex, "0"},
        {"exact", "ceil(0.3333333334*3)", {}, "2"},
        // A whole exponent or degree a rounding left a hair off is whole.
        {"^ whole", "(0-8)^(1/3*3)", {}, "-8"},
        {"# whole", "(0-8)#(1/3*3)", {}, "-8"},
        {"# whole", "(0-27)#(1/3*9)", {}, "-3"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Evaluate(row.typed, row.settings).text, row.shown)
            << row.operation << ": " << row.typed;
    }
}

TEST(Exactness, HalvesAwayFromZero) {
    const struct {
        std::string typed;
        int places;
        std::string shown;
    } rows[] = {
        {"2.5", 0, "3"},
        {"0-2.5", 0, "-3"},
        {"0.125", 2, "0.13"},
        {"2.675", 2, "2.68"},
        {"1.005", 2, "1.01"},
        {"7/3*1.5", 0, "4"},
        {"0-7/3*1.5", 0, "-4"},
        {"0.5", 0, "1"},
        {"0.49", 0, "0"},
        {"1/3*0.375", 2, "0.13"},
        {"0.0000000005", 9, "0.000000001"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(Evaluate(row.typed, {row.places, Format::Decimal, false}).text, row.shown)
            << row.typed;
    }
    // A value exact to all its digits is shown as it is, however close to a tie.
    const std::string nearTie = "3.4999999999999999999999999999999999999999999999999";
    EXPECT_EQ(Evaluate(nearTie, {0, Format::Decimal, false}).text, "3");
    EXPECT_EQ(Evaluate("0.99999999999999999999999999999999999999999999999999",
                       {kAutoPlaces, Format::Hex, false})
                  .text,
              "0");
}

// A whole part longer than the precision shows its significant digits.
TEST(Exactness, HugeValuesShowTheirDigits) {
    const std::pair<const char*, const char*> rows[] = {
        {"10^400", "1e+400"},
        {"2^200", "1.6069380442589902755419620923411626025222029937828e+60"},
        {"0-10^10000", "-1e+10000"},
        {"9.99*10^9999", "9.99e+9999"},
        {"10^10000*9.999999999999999999999999999999999999999999999999",
         "9.999999999999999999999999999999999999999999999999e+10000"},
        {"10^10000*10", "Infinity"},
        {"0.1^10000", "0"},
        {"0.1^10001", "0"},
        {"1/10^10000", "0"},
        // Nothing typed that is nonzero is a zero near the old edge of 10^1000.
        {"1/10^(0-1001)", "1e+1001"},
        {"5/(0.1^1001)", "5e+1001"},
        {"10^1001*0", "0"},
        {"10^1001/10^1001", "1"},
        {"log(10^(0-1001))", "-2304.88767808704"},
    };
    for (const auto& [typed, shown] : rows)
        EXPECT_EQ(Evaluate(typed, {}).text, shown) << typed;
    EXPECT_EQ(Evaluate("0.1^10000", {kAutoPlaces, Format::Exponent, false}).text,
              "1.000000e-10000");
    // Below the range a value is only a bound: no digit of it is proven, and
    // it is no zero to divide by.
    EXPECT_EQ(Evaluate("0.1^10001", {kAutoPlaces, Format::Exponent, false}).text,
              "Not enough digits");
    EXPECT_EQ(Evaluate("1/0.1^10001", {}).text, "Not enough digits");
}

// A random expression of + - * / % and brackets over short decimals, built
// as text and, beside it, as its exact rational value.
struct Generated {
    std::string text;
    Rational value;
    bool divisionByZero = false;
};

class ExpressionMaker {
  public:
    explicit ExpressionMaker(unsigned seed) : rng_(seed) {}

    Generated Make(int depth = 0) {
        if (depth >= 3 || Pick(100) < 30) return Number();
        const char op = "+-*/%"[Pick(5)];
        const Generated a = Operand(Make(depth + 1));
        const Generated b = Operand(Make(depth + 1));
        Generated out;
        out.text = a.text + op + b.text;
        out.divisionByZero = a.divisionByZero || b.divisionByZero;
        if (out.divisionByZero) return out;
        switch (op) {
        case '+':
            out.value = a.value + b.value;
            break;
        case '-':
            out.value = a.value - b.value;
            break;
        case '*':
            out.value = a.value * b.value;
            break;
        case '%':
            out.value = a.value / 100 * b.value;
            break;
        default:
            out.divisionByZero = b.value == 0;
            if (!out.divisionByZero) out.value = a.value / b.value;
        }
        return out;
    }

  private:
    unsigned Pick(unsigned n) { return static_cast<unsigned>(rng_() % n); }

    // Up to six digits with up to three after the point, zero now and then.
    Generated Number() {
        std::string digits = std::to_string(Pick(10) == 0 ? 0 : Pick(1000000));
        const unsigned places = Pick(4);
        if (places > 0) {
            if (digits.size() <= places) digits.insert(0, places + 1 - digits.size(), '0');
            digits.insert(digits.size() - places, ".");
        }
        return {digits, RationalOf(digits)};
    }

    // A compound operand goes in brackets, now and then negated by a leading
    // sign inside them.
    Generated Operand(Generated g) {
        if (g.text.find_first_of("+-*/%") == std::string::npos) return g;
        if (Pick(4) == 0) {
            g.text = "(-(" + g.text + "))";
            g.value = -g.value;
        } else {
            g.text = "(" + g.text + ")";
        }
        return g;
    }

    std::mt19937 rng_;
};

// The display of a value must be exact arithmetic's, in every format and
// rounding, whatever roundings the 50 digits went through on the way.
TEST(Exactness, RandomArithmeticEqualsExactArithmetic) {
    ExpressionMaker maker(20261208);
    const std::vector<EvalSettings> settings = EverySetting();
    const Rational limit(test::Integer(10) *
                         test::Integer("1000000000000000000000000000000000000"));
    int compared = 0;
    for (int n = 0; n < 20000; ++n) {
        const Generated g = maker.Make();
        const std::string& typed = g.text;
        // The last try's value, which every display that the first tries
        // cannot prove comes from.
        const EvalResult r = EvaluateValue(typed, {}, kTries.back());
        if (g.divisionByZero) {
            EXPECT_EQ(r.fault, Fault::DivisionByZero) << typed;
            continue;
        }
        ASSERT_EQ(r.fault, Fault::None) << typed;
        const Rational& value = g.value;
        // Beyond 37 whole digits 12 decimals are more than the precision.
        if (boost::multiprecision::abs(value) >= limit) continue;
        ++compared;
        for (const EvalSettings& s : settings) {
            ASSERT_EQ(FormatResult(r.value, s), ExactDisplay(value, s))
                << typed << " " << Describe(s);
        }
        // And the answer itself, from whichever try, under one of them.
        const EvalSettings& one = settings[static_cast<std::size_t>(n) % settings.size()];
        ASSERT_EQ(Evaluate(typed, one).text, ExactDisplay(value, one))
            << typed << " " << Describe(one);
    }
    EXPECT_GT(compared, 15000);
}

} // namespace
} // namespace quill
