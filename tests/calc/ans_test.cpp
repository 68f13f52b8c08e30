// "ans", the last answer: the checker's rule for it, a chain of answers, and
// the value's text (what the history keeps) read back as the same ball.
#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "calc/answer.h"
#include "calc/checker.h"
#include "calc/format.h"
#include "calc/number/value_text.h"

namespace quill {
namespace {

TEST(Ans, TheCheckerTakesItAsAConstantOnceThereIsAnAnswer) {
    const struct {
        const char* text;
        bool hasAnswer;
        Fault fault;
        int start, end;
    } rows[] = {
        {"ans", false, Fault::NoAnswer, 0, 3},
        {"2+ans", false, Fault::NoAnswer, 2, 5},
        {" ans * 2", false, Fault::NoAnswer, 1, 5}, // to the next character, as a constant
        {"ans", true, Fault::None, 0, 0},
        {"sin(ans)+ans", true, Fault::None, 0, 0},
        {"2ans", false, Fault::PasteOperator, 1, 1}, // as 2pi
        {"ans(2)", true, Fault::UnknownFunction, 0, 3},
        {"ans2", true, Fault::UnknownConstant, 0, 4},
        {"ans.5", true, Fault::PasteOperator, 3, 3},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        const CheckResult r = CheckExpression(row.text, row.hasAnswer);
        EXPECT_EQ(r.fault, row.fault);
        if (row.fault == Fault::None) continue;
        EXPECT_EQ(r.message, FaultText(row.fault));
        EXPECT_EQ(r.start, row.start);
        EXPECT_EQ(r.end, row.end);
    }
}

// Lines answered one after another, each "ans" the answer before; a refused
// line or a division by zero leaves it.
TEST(Ans, EachLineTakesTheAnswerBefore) {
    const struct {
        Format format;
        const char* text;
        const char* shown;
    } rows[] = {
        {Format::Decimal, "ANS", "No answer yet"},
        {Format::Decimal, "21", "21"},
        {Format::Decimal, "ans*2", "42"},
        {Format::Decimal, "1/0", "Division to the zero!"},
        {Format::Decimal, "foo", "Unknown constant"},
        {Format::Decimal, "ans", "42"},
        {Format::Decimal, "1/3", "0.333333333333"},
        {Format::Decimal, "ans*3", "1"}, // every digit, not the text shown
        {Format::Hex, "255", "0xff"},
        {Format::Hex, "ans+1", "0x100"},
        {Format::Octal, "ans", "0400"},
        {Format::Exponent, "2/3", "6.666667e-01"},
        {Format::Exponent, "ans*3", "2.000000e+00"},
    };
    std::optional<Decimal> last;
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        EvalSettings settings;
        settings.format = row.format;
        settings.answer = last ? &*last : nullptr;
        Answer a = AnswerTo(row.text, settings);
        EXPECT_EQ(a.text, row.shown);
        if (a.fault == Fault::None) last = a.value;
    }
}

// The text of a value reads back as the same ball: written again it is the
// same text, and it shows the same in every format and rounding, also
// after more arithmetic.
TEST(Ans, AValueReadBackIsTheSameBall) {
    const char* const expressions[] = {
        "42",        "-0.125",    "1/3",       "2^3000",        "1/3*3-1",  "sin(10^60/3)",
        "pi*10^900", "1/10^9000", "0.1^10001", "log(0)",        "-1/0.0^1", "exp(1/10^60)",
        "10^53+1/3", "-7/3*1.5",  "0",         "1/(1/3*3-1)+1", "asin(2)",  "(0-8)^(1/3)",
    };
    for (const char* expression : expressions) {
        SCOPED_TRACE(expression);
        const Answer a = AnswerTo(expression, {});
        if (a.fault != Fault::None) continue;
        const std::string text = ValueText(a.value);
        const std::optional<Decimal> back = ValueFromText(text);
        ASSERT_TRUE(back) << text;
        EXPECT_EQ(ValueText(*back), text);
        for (const Format format :
             {Format::Decimal, Format::Octal, Format::Hex, Format::Exponent}) {
            for (int places = kAutoPlaces; places <= kMaxPlaces; places += 5) {
                const EvalSettings settings{places, format, false, nullptr};
                EXPECT_EQ(FormatResult(*back, settings), FormatResult(a.value, settings));
                EvalSettings with = settings;
                EvalSettings withBack = settings;
                with.answer = &a.value;
                withBack.answer = &*back;
                EXPECT_EQ(AnswerTo("ans*3-ans/7", withBack).text,
                          AnswerTo("ans*3-ans/7", with).text);
            }
        }
    }
}

TEST(Ans, TextsNeverWrittenAreNoValue) {
    for (const char* text : {"", "-", "x", "12e", "1~", "1~1234567890", "1@", "-0", "1e", "1 ",
                             "1~5e-3@", "+1", "1e99999999999999999999", "1e20000", "--1", "0x1f"}) {
        EXPECT_EQ(ValueFromText(text), std::nullopt) << text;
    }
}

} // namespace
} // namespace quill
