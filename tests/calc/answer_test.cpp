// The one road of an answer: letters in lower case, the checker's faults with
// their places, the evaluator's faults and values.
#include "calc/answer.h"

#include <gtest/gtest.h>

namespace quill {
namespace {

TEST(Answer, EveryRoadEndsInOneAnswer) {
    const struct {
        const char* text;
        Fault fault;
        const char* shown;
        bool checked, marked;
        int start, end;
    } rows[] = {
        {"2+3*4", Fault::None, "14", true, false, 0, 0},
        {"2*PI/Pi", Fault::None, "2", true, false, 0, 0}, // capitals read as small
        {"SIN 30", Fault::UnknownConstant, "Unknown constant", false, true, 0, 6},
        {"", Fault::EnterExpression, "Enter expression    ", false, true, 0, 0},
        {"5+ ", Fault::PasteNumber, "Paste number here   ", false, true, 2, 2},
        {"2X", Fault::PasteOperator, "Paste operator here ", false, true, 1, 1},
        {"5*-2", Fault::Together, " Together '*-'  ", false, true, 1, 3},
        {"2=3", Fault::UnknownSymbol, "Unknown symbol '='", false, true, 1, 2},
        {"(2", Fault::MissingClose, "Missing ')'", false, false, 0, 0},
        {"1/(2-2)", Fault::DivisionByZero, "Division to the zero!", true, false, 0, 0},
        {"log(0)", Fault::None, "-Infinity", true, false, 0, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.text);
        const Answer a = AnswerTo(row.text, {});
        EXPECT_EQ(a.fault, row.fault);
        EXPECT_EQ(a.text, row.shown);
        EXPECT_EQ(a.checked, row.checked);
        EXPECT_EQ(a.marked, row.marked);
        EXPECT_EQ(a.start, row.start);
        EXPECT_EQ(a.end, row.end);
        // The text of a fault is the table's.
        if (a.fault != Fault::None && a.fault != Fault::Together &&
            a.fault != Fault::UnknownSymbol) {
            EXPECT_EQ(a.text, FaultText(a.fault));
        }
    }
}

} // namespace
} // namespace quill
