// Every rule of the checker, with the caret or selection it leaves.
#include "calc/checker.h"

#include <gtest/gtest.h>

#include "calc/evaluator.h"
#include "calc/plain_line.h"

namespace quill {
namespace {

struct Row {
    std::string input;
    std::string message; // empty: the text passes
    int start = 0;
    int end = 0;
    bool select = true;
};

// The place reaches to the end of the text.
constexpr int kToEnd = -1;

std::string Together(char a, char b) {
    return FaultMessage(Fault::Together, std::string{a, b});
}
std::string Symbol(char c) {
    return FaultMessage(Fault::UnknownSymbol, std::string_view(&c, 1));
}

void ExpectRow(const Row& row) {
    const CheckResult r = CheckExpression(row.input);
    SCOPED_TRACE("input: '" + row.input + "'");
    if (row.message.empty()) {
        EXPECT_TRUE(r.passed) << r.message;
        // What the checker passes always evaluates.
        EXPECT_NE(Evaluate(row.input, {}).fault, Fault::InvalidArgument);
        return;
    }
    EXPECT_FALSE(r.passed);
    EXPECT_EQ(r.message, row.message);
    EXPECT_EQ(r.select, row.select);
    if (row.select) {
        EXPECT_EQ(r.start, row.start);
        EXPECT_EQ(r.end, row.end == kToEnd ? static_cast<int>(row.input.size()) : row.end);
    }
}

Row Pass(std::string input) {
    return {std::move(input), "", 0, 0, true};
}
Row At(std::string input, std::string message, int caret) {
    return {std::move(input), std::move(message), caret, caret, true};
}
Row Sel(std::string input, std::string message, int start, int end) {
    return {std::move(input), std::move(message), start, end, true};
}
Row NoSel(std::string input, std::string message) {
    return {std::move(input), std::move(message), 0, 0, false};
}

TEST(Checker, EmptyAndLoneOperator) {
    for (const Row& row : {
             Sel("", FaultText(Fault::EnterExpression), 0, kToEnd),
             Sel("    ", FaultText(Fault::EnterExpression), 0, kToEnd),
             Sel("-", FaultText(Fault::EnterExpression), 0, kToEnd),
             Sel(" ( ", FaultText(Fault::EnterExpression), 0, kToEnd),
             Sel(")", FaultText(Fault::EnterExpression), 0, kToEnd),
             Sel("\r\n", FaultText(Fault::EnterExpression), 0, kToEnd),
             Pass("-5"),
             Pass("+5"),
         }) {
        ExpectRow(row);
    }
}

TEST(Checker, BadStartAndEnd) {
    for (const Row& row : {
             At("  *5", FaultText(Fault::PasteNumber), 2),
             At("/5", FaultText(Fault::PasteNumber), 0),
             At("^5", FaultText(Fault::PasteNumber), 0),
             At("#5", FaultText(Fault::PasteNumber), 0),
             At("%5", FaultText(Fault::PasteNumber), 0),
             At("5+ ", FaultText(Fault::PasteNumber), 2),
             At("sin(", FaultText(Fault::PasteNumber), 4),
             At("((", FaultText(Fault::PasteNumber), 2),
             At("5 *  ", FaultText(Fault::PasteNumber), 3),
         }) {
        ExpectRow(row);
    }
}

TEST(Checker, BracketNeighbours) {
    for (const Row& row : {
             At("2(3)", FaultText(Fault::PasteOperator), 1),
             At("2 (3)", FaultText(Fault::PasteOperator), 2),
             At("(2)3", FaultText(Fault::PasteOperator), 3),
             At("(2) 3", FaultText(Fault::PasteOperator), 3),
             At(")2", FaultText(Fault::PasteOperator), 1),
             At("(1)(2)", FaultText(Fault::PasteOperator), 3),
             At("(1) (2)", FaultText(Fault::PasteOperator), 4),
             At("2pi", FaultText(Fault::PasteOperator), 1),
             At("2(x)", FaultText(Fault::PasteOperator), 1),
             At("2e5", FaultText(Fault::PasteOperator), 1),
             At("log10(2)", FaultText(Fault::PasteOperator), 5),
             At("5x+3(4", FaultText(Fault::PasteOperator), 4),
             // An operand after a closing bracket or a constant name.
             At("(2)pi", FaultText(Fault::PasteOperator), 3),
             At("sin(1)cos(2)", FaultText(Fault::PasteOperator), 6),
             At("pi.5", FaultText(Fault::PasteOperator), 2),
             At("2*pi .5", FaultText(Fault::PasteOperator), 4),
             At("e.", FaultText(Fault::PasteOperator), 1),
         }) {
        ExpectRow(row);
    }
}

TEST(Checker, OperatorPairs) {
    for (const Row& row : {
             Sel("5*-2", Together('*', '-'), 1, 3),
             Sel("5 * - 2", Together('*', '-'), 2, 5),
             Sel("2--3", Together('-', '-'), 1, 3),
             Sel("(2+)", Together('+', ')'), 2, 4),
             Sel("()", Together('(', ')'), 0, 2),
             Sel("(%5)", Together('(', '%'), 0, 2),
             Sel("+-5", Together('+', '-'), 0, 2),
             // The bracket after a function name is checked like any other.
             Sel("sin()", Together('(', ')'), 3, 5),
             Sel("sin(*2)", Together('(', '*'), 3, 5),
             Sel("cos( /2)", Together('(', '/'), 3, 6),
             Pass("5*(-2)"),
             Pass("(-2)"),
             Pass("(+2)"),
             Pass("2^(-1)"),
             Pass("sin(-1)"),
             Pass("sin(+1)"),
             Pass("((2))-(3)"),
             Pass("(2)*(3)"),
         }) {
        ExpectRow(row);
    }
}

TEST(Checker, Names) {
    for (const Row& row : {
             Sel("sin 30", FaultText(Fault::UnknownConstant), 0, kToEnd),
             Sel("foo(2)", FaultText(Fault::UnknownFunction), 0, 3),
             Sel("foo (2)", FaultText(Fault::UnknownFunction), 0, 4),
             Sel("pi(2)", FaultText(Fault::UnknownFunction), 0, 2),
             Sel("log10(x)", FaultText(Fault::UnknownFunction), 0, 5),
             Sel("Sin(1)", FaultText(Fault::UnknownFunction), 0, 3),
             Sel("x+1", FaultText(Fault::UnknownConstant), 0, 1),
             Sel("1+x2y", FaultText(Fault::UnknownConstant), 2, kToEnd),
             Sel("2*PI", FaultText(Fault::UnknownConstant), 2, kToEnd),
             Sel("pie*2", FaultText(Fault::UnknownConstant), 0, 3),
             Sel("sin(pie)", FaultText(Fault::UnknownConstant), 4, 7),
             Pass("pi2*2"),
             Pass("sqrt2+sqrt1+log10e+log2e+ln2+ln10+pi4+pia+pib+fi+fi1+e"),
             Pass("sin(1)+asin(0)+sinh(1)+cos(1)+acos(0)+cosh(1)+tan(1)+atan(1)+tanh(1)"),
             Pass("ceil(1)+floor(1)+exp(1)+abs(1)+log(1)"),
             Pass("sin(cos(tan(1)))"),
             Pass("log(0)"),
         }) {
        ExpectRow(row);
    }
}

TEST(Checker, NumbersAndSymbols) {
    for (const Row& row : {
             Pass("2,5*2"),
             Pass(".5+5."),
             Sel("1.2.3", Symbol('.'), 3, 4),
             Sel("1..2", Symbol('.'), 2, 3),
             Sel("4 . 5 . 6", Symbol('.'), 6, 7),
             Sel("1,2,3", Symbol('.'), 3, 4),
             Sel(".", FaultText(Fault::PasteNumber), 0, 1),
             Sel("5+.", FaultText(Fault::PasteNumber), 2, 3),
             Sel("(.)", FaultText(Fault::PasteNumber), 1, 2),
             Sel("..+1", FaultText(Fault::PasteNumber), 0, 2),
             Sel("2=3", Symbol('='), 1, 2),
             Sel("2\t+3", Symbol('\t'), 1, 2),
             Sel("2+3!", Symbol('!'), 3, 4),
             Sel("a_b", FaultText(Fault::UnknownConstant), 0, 1),
             Sel("1_", Symbol('_'), 1, 2),
             Sel("2\xe9", Symbol('\xe9'), 1, 2),
             Sel(std::string("2\0"
                             "3",
                             3),
                 Symbol('\0'), 1, 2),
             Sel("2\r+3", Symbol('\r'), 1, 2),
             Sel("2\n+3", Symbol('\n'), 1, 2),
             Pass("2\r\n+3"),
             Pass("2\r\r\n\n+3"),
             Sel("2 \r \n=", Symbol('='), 5, 6),
         }) {
        ExpectRow(row);
    }
}

TEST(Checker, MissingBrackets) {
    for (const Row& row : {
             NoSel("(2+3", FaultText(Fault::MissingClose)),
             NoSel("((2)", FaultText(Fault::MissingClose)),
             NoSel("sin(2", FaultText(Fault::MissingClose)),
             NoSel("2+3)", FaultText(Fault::MissingOpen)),
             NoSel("(2))", FaultText(Fault::MissingOpen)),
             NoSel("2)+(3", FaultText(Fault::MissingBoth)),
             NoSel("2)+((3)", FaultText(Fault::MissingBoth)),
             Pass("((((1))))"),
         }) {
        ExpectRow(row);
    }
}

TEST(Checker, FirstFaultInRuleOrderWins) {
    for (const Row& row : {
             // A bad end is found before the unknown symbol earlier on.
             At("2=3+", FaultText(Fault::PasteNumber), 4),
             // Bracket neighbours are checked before the main scan.
             At("x+2(3)", FaultText(Fault::PasteOperator), 3),
             // Within the main scan the leftmost fault wins.
             Sel("x+y", FaultText(Fault::UnknownConstant), 0, 1),
             Sel("2=3!", Symbol('='), 1, 2),
             // The scan faults come before missing brackets.
             Sel("(2=3", Symbol('='), 2, 3),
         }) {
        ExpectRow(row);
    }
}

TEST(Checker, MessagesKeepTheirPadding) {
    EXPECT_EQ(std::string(FaultText(Fault::EnterExpression)).size(), 20U);
    EXPECT_EQ(std::string(FaultText(Fault::PasteNumber)).size(), 20U);
    EXPECT_EQ(std::string(FaultText(Fault::PasteOperator)).size(), 20U);
    EXPECT_EQ(Together('*', '-'), " Together '*-'  ");
    EXPECT_EQ(Symbol('='), "Unknown symbol '='");
}

// Every line of up to `longest` characters from `alphabet`, each against
// the rules; returns how many the rules pass.
int CompareShortcutWithRules(const std::string& alphabet, std::size_t longest) {
    int passed = 0;
    std::string line;
    for (std::size_t length = 0; length <= longest; ++length) {
        std::size_t count = 1;
        for (std::size_t i = 0; i < length; ++i)
            count *= alphabet.size();
        for (std::size_t n = 0; n < count; ++n) {
            line.clear();
            for (std::size_t rest = n, i = 0; i < length; ++i, rest /= alphabet.size())
                line += alphabet[rest % alphabet.size()];
            const bool rules = CheckByRules(line).passed;
            EXPECT_EQ(IsPlainWellFormed(line), rules) << line;
            passed += rules ? 1 : 0;
        }
    }
    return passed;
}

// The shortcut passes exactly the lines the rules pass: every line of up to
// seven characters of one of each class (and a second point and bracket),
// and of up to four of every operator.
TEST(Checker, PlainLineShortcutAgreesWithTheRules) {
    EXPECT_GT(CompareShortcutWithRules("1.()+*", 7), 900);
    EXPECT_GT(CompareShortcutWithRules("0.()-/^#%", 4), 50);
    // Outside the alphabet the rules decide, whatever the line.
    for (const char* other : {"2 +3", "pi+1", "1,5*2", "ans", "2\t+3", "2=2"})
        EXPECT_FALSE(IsPlainWellFormed(other)) << other;
}

} // namespace
} // namespace quill
