// The expression checker: finds the first fault of an expression and says
// what to type, with the caret or selection that marks its place.
//
// A pure function of the text: it never changes anything, never throws, and
// scans in linear time without recursion. Every text it passes evaluates to a
// value or to a division by zero.
#pragma once

#include <string>
#include <string_view>

#include "calc/faults.h"

namespace quill {

struct CheckResult {
    bool passed = true;
    Fault fault = Fault::None;
    std::string message; // FaultMessage of the fault, for the result line
    // Whether the fault has a place in the text (the expression line gets a
    // new caret or selection); false for a pass and the "Missing" faults.
    bool select = false;
    // The place, as [start, end) in the text as handed in: start == end is a
    // caret between two characters.
    int start = 0;
    int end = 0;
};

// `hasAnswer`: the name "ans" stands for a value; without one it is refused
// ("No answer yet", the name marked as an unknown constant would be).
CheckResult CheckExpression(std::string_view text, bool hasAnswer = false);

// The same by the rules alone, without the shortcut for plain lines
// (plain_line.h) that CheckExpression tries first: the shortcut's test
// holds the two together.
CheckResult CheckByRules(std::string_view text, bool hasAnswer = false);

} // namespace quill
