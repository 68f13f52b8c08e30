// Operators, priorities, signs and brackets, through checker and evaluator.
#include "calc/evaluator.h"

#include <gtest/gtest.h>

#include "tests/calc/show.h"

namespace quill {
namespace {

struct Row {
    std::string input;
    std::string display;
    EvalSettings settings{};
};

void ExpectRows(std::initializer_list<Row> rows) {
    for (const Row& row : rows) {
        EXPECT_EQ(Show(row.input, row.settings), row.display) << "input: " << row.input;
    }
}

TEST(Evaluator, OperatorsAndPriorities) {
    ExpectRows({
        {"5", "5"},
        {"(((5)))", "5"},
        {"2+3", "5"},
        {"2-3", "-1"},
        {"2*3", "6"},
        {"7/2", "3.5"},
        {"10%50", "5"},
        {"100+10%50", "105"},
        {"2+3*4", "14"},
        {"2*(3+4)", "14"},
        {"(1+2)*(3+4)", "21"},
        {"2^3^2", "64"},
        {"8/2/2", "2"},
        {"8-2-2", "4"},
        {"2^3%50", "4"},
        {"2*3^2", "18"},
        {"2#2*2#2", "2"},
        {"1+2*3-4*5", "-13"},
        {"((2+3)*(4-1))^2", "225"},
    });
}

TEST(Evaluator, Signs) {
    ExpectRows({
        {"-2^2", "-4"},
        {"(-3)^2", "9"},
        {"+7", "7"},
        {"-5", "-5"},
        {"-(2+3)", "-5"},
        {"5*(-2)", "-10"},
        {"2^(-1)", "0.5"},
        {"(+2)", "2"},
        {"-(-(-5))", "-5"},
        {"sin(-0)+abs(-3)", "3"},
    });
}

TEST(Evaluator, RealPowersAndRoots) {
    const EvalSettings hex{kAutoPlaces, Format::Hex, false};
    ExpectRows({
        {"2^0.5", "1.414213562373"},
        {"2^(0-1)", "0.5"},
        {"2^2.9", "7.464263932294"},
        {"2^1000000000", "Infinity"},
        // Far beyond the range both ways, told from the base's size alone,
        // and on either side of where that tells nothing.
        {"(0-2)^999999999", "-Infinity"},
        {"0.5^999999999", "0"},
        {"2^33300", "Infinity"},
        {"2^33200", "1.5698423615949392083076736687660645777487424862321e+9994"},
        {"10^400", "1e+400"},
        {"10^10001", "Infinity"},
        {"(0-8)^0.5", "Not a number"},
        {"2#2", "1.414213562373"},
        {"10#2", "3.162277660168"},
        {"2#3", "1.259921049895"},
        {"(-8)#3", "-2"},
        {"(-32)#5", "-2"},
        {"(-8)#2", "Not a number"},
        {"(-8)#1.5", "Not a number"},
        {"4#0.5", "16"},
        {"8#0", "Not a number"},
        {"0#3", "0"},
        {"27#3", "0x3", hex},
        {"64#3", "0x4", hex},
        {"1000000#2", "0x3e8", hex},
        {"125#3", "0x5", hex},
        {"1024#10", "0x2", hex},
        {"(2*10^12)#2", "1414213.562373095049"},
    });
}

TEST(Evaluator, FullPrecisionBetweenSteps) {
    ExpectRows({
        {"0.00000001*0.00000001*100000000", "0.00000001"},
        {"0.1+0.2", "0.3"},
        {"1/3*3", "1"},
        {"10^20", "100000000000000000000"},
    });
}

TEST(Evaluator, DivisionByZeroStops) {
    for (const char* text :
         {"7/0", "1/0+5", "1/(1-1)", "sin(1/0)", "5/(0*1)", "2^(1/0)", "1/(0-0)"}) {
        const EvalResult r = Evaluate(text, {});
        EXPECT_EQ(r.fault, Fault::DivisionByZero) << text;
        EXPECT_EQ(r.text, FaultText(Fault::DivisionByZero)) << text;
    }
    // A not-a-number divisor is no zero.
    EXPECT_EQ(Show("1/((0-1)#2)"), "Not a number");
}

TEST(Evaluator, NonFiniteNeverShowsAsANumber) {
    const std::string big = "1" + std::string(kMaxScale + 1, '0');
    const std::string tiny = "0." + std::string(1000, '0') + "1";
    for (Format format : {Format::Decimal, Format::Octal, Format::Hex, Format::Exponent}) {
        const EvalSettings s{2, format, false};
        EXPECT_EQ(Show(big, s), "Infinity");
        EXPECT_EQ(Show("0-10^10001", s), "-Infinity");
        EXPECT_EQ(Show("log(0)", s), "-Infinity");
        EXPECT_EQ(Show("asin(2)", s), "Not a number");
    }
    EXPECT_EQ(Show(tiny), "0");
    EXPECT_EQ(Show("tan(90)", {kAutoPlaces, Format::Decimal, true}), "Not a number");
}

TEST(Evaluator, InvalidTextsFailCleanly) {
    // Texts the checker refuses; the evaluator must still answer.
    for (const char* text :
         {"",      "+",    "-",      "(", ")",  "2+", "*2",    "()",  "sin()", "sin(*2)",
          "(2)pi", "2(3)", "foo(1)", "x", "(2", "2)", "sin(2", "2=3", "pi.5",  "2pi"}) {
        const EvalResult r = Evaluate(text, {});
        EXPECT_EQ(r.fault, Fault::InvalidArgument) << text;
        EXPECT_EQ(r.text, FaultText(Fault::InvalidArgument)) << text;
    }
}

} // namespace
} // namespace quill
