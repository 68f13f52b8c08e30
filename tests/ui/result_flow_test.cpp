// The Result command's decisions: what the window shows for passed, refused
// and divided expressions.
#include "ui/result_flow.h"

#include <gtest/gtest.h>

#include <new>

#include "calc/checker.h"
#include "calc/evaluator.h"

namespace quill::ui {
namespace {

CalcSettings Settings(int round = kAutoPlaces, Format format = Format::Decimal,
                      bool degrees = false) {
    CalcSettings s;
    s.nRound = round;
    s.nFormat = static_cast<std::int32_t>(format);
    s.bDegrees = degrees;
    return s;
}

TEST(ResultFlow, PassedRefusedAndDivided) {
    struct Row {
        const char* expression;
        CalcSettings settings;
        const char* result;
        bool select;
        int start, end;
        bool beep, attention, focus;
    };
    const Row rows[] = {
        {"2+3*4", Settings(), "14", false, 0, 0, false, false, true},
        {"2/3", Settings(2), "0.67", false, 0, 0, false, false, true},
        {"255", Settings(kAutoPlaces, Format::Hex), "0xff", false, 0, 0, false, false, true},
        {"sin(30)", Settings(kAutoPlaces, Format::Decimal, true), "0.5", false, 0, 0, false, false,
         true},
        {"1/0+5", Settings(), FaultText(Fault::DivisionByZero), false, 0, 0, false, true, true},
        {"", Settings(), FaultText(Fault::EnterExpression), true, 0, 0, true, false, false},
        {"2=3", Settings(), "Unknown symbol '='", true, 1, 2, true, false, false},
        {"5+ ", Settings(), FaultText(Fault::PasteNumber), true, 2, 2, true, false, false},
        {"sin 30", Settings(), FaultText(Fault::UnknownConstant), true, 0, 6, true, false, false},
        {"5*-2", Settings(), " Together '*-'  ", true, 1, 3, true, false, false},
        {"(2+3", Settings(), FaultText(Fault::MissingClose), false, 0, 0, true, false, false},
        {"2+3)", Settings(), FaultText(Fault::MissingOpen), false, 0, 0, true, false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.expression);
        const ResultView view = ResultOf(row.expression, row.settings);
        EXPECT_EQ(view.result, row.result);
        EXPECT_EQ(view.select, row.select);
        if (row.select) {
            EXPECT_EQ(view.start, row.start);
            EXPECT_EQ(view.end, row.end);
        }
        EXPECT_EQ(view.beep, row.beep);
        EXPECT_EQ(view.attention, row.attention);
        EXPECT_EQ(view.focusExpression, row.focus);
        // A refused line never evaluates; a passed one never beeps, is kept
        // for recall, and is a value unless it divided by zero.
        EXPECT_NE(view.beep, view.focusExpression);
        EXPECT_EQ(view.evaluated, view.focusExpression);
        EXPECT_EQ(view.value, view.focusExpression && !view.attention);
    }
}

// Places come in the line's own characters: with a double-byte code page,
// two bytes before the fault make one character.
int PairsOfHighBytes(std::string_view bytes) {
    int n = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        if (static_cast<unsigned char>(bytes[i]) >= 0x80 && i + 1 < bytes.size()) ++i;
        ++n;
    }
    return n;
}

TEST(ResultFlow, PlacesInTheLinesOwnCharacters) {
    const std::string text = "2+\x82\xA0+3"; // one double-byte character, an unknown symbol
    const ResultView bytes = ResultOf(text, Settings());
    ASSERT_TRUE(bytes.select);
    EXPECT_EQ(bytes.start, 2);
    EXPECT_EQ(bytes.end, 3);
    const ResultView chars = ResultOf("1+2+\x82\xA0", Settings(), PairsOfHighBytes);
    ASSERT_TRUE(chars.select);
    EXPECT_EQ(chars.start, 4); // the four bytes before it are four characters
    // The caret after the last character: three bytes, two characters.
    const ResultView after = ResultOf("\x82\xA0+", Settings(), PairsOfHighBytes);
    EXPECT_EQ(after.result, FaultText(Fault::PasteNumber));
    EXPECT_EQ(after.start, 2);
    EXPECT_EQ(after.end, 2);
}

// The flow follows the settings handed in at each call: the same line gives
// what a recomputation after a menu command shows.
TEST(ResultFlow, FollowsTheSettingsOfEachCall) {
    const char* line = "2/3";
    EXPECT_EQ(ResultOf(line, Settings(0)).result, "1");
    EXPECT_EQ(ResultOf(line, Settings(kAutoPlaces)).result, "0.666666666667");
    EXPECT_EQ(ResultOf("1234", Settings(kAutoPlaces, Format::Exponent)).result, "1.234000e+03");
    EXPECT_EQ(ResultOf("255", Settings(kAutoPlaces, Format::Octal)).result, "0377");
}

// Memory that runs out on the way loses that one line, with a message.
int OutOfMemory(std::string_view) {
    throw std::bad_alloc();
}

TEST(ResultFlow, OutOfMemoryIsAMessage) {
    const ResultView view = ResultOf("2=3", Settings(), OutOfMemory);
    EXPECT_EQ(view.result, FaultText(Fault::OutOfMemory));
    EXPECT_TRUE(view.beep);
    EXPECT_FALSE(view.value || view.evaluated || view.select || view.attention);
}

} // namespace
} // namespace quill::ui
