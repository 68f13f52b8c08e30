// The one road of an answer: letters in lower case, the checker's faults with
// their places, the evaluator's faults and values.
#include "calc/answer.h"

#include <gtest/gtest.h>

namespace quill {
namespace {

TEST(Answer, EveryRoadEndsInOneAnswer) {
    const struct {
        const char* text;
        const char* shown;
        Fault fault;
        int start, end;
        bool checked, marked;
        const char* read; // a refusal's text as the checker read it
    } rows[] = {
        {"2+3*4", "14", Fault::None, 0, 0, true, false, ""},
        {"2*PI/Pi", "2", Fault::None, 0, 0, true, false, ""}, // capitals read as small
        {"SIN 30", "Unknown constant", Fault::UnknownConstant, 0, 6, false, true, "sin 30"},
        {"", "Enter expression    ", Fault::EnterExpression, 0, 0, false, true, ""},
        {"5+ ", "Paste number here   ", Fault::PasteNumber, 2, 2, false, true, "5+ "},
        {"2X", "Paste operator here ", Fault::PasteOperator, 1, 1, false, true, "2x"},
        {"5*-2", " Together '*-'  ", Fault::Together, 1, 3, false, true, "5*-2"},
        {"2=3", "Unknown symbol '='", Fault::UnknownSymbol, 1, 2, false, true, "2=3"},
        {"(2", "Missing ')'", Fault::MissingClose, 0, 0, false, false, "(2"},
        {"1/(2-2)", "Division to the zero!", Fault::DivisionByZero, 0, 0, true, false, ""},
        {"log(0)", "-Infinity", Fault::None, 0, 0, true, false, ""},
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
        EXPECT_EQ(a.read, row.read);
        EXPECT_EQ(IsCheckerFault(a.fault), !a.checked); // no row runs out of memory
        // The text of a fault is the table's.
        if (a.fault != Fault::None && a.fault != Fault::Together &&
            a.fault != Fault::UnknownSymbol) {
            EXPECT_EQ(a.text, FaultText(a.fault));
        }
    }
}

} // namespace
} // namespace quill
