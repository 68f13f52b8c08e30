// One expression's road to its answer, for every caller (the window, the
// command-line calculator, the tests): the letters taken in lower case, the
// checker, the evaluator, and out of memory, decided here once.
//
// Portable; never throws (running out of memory is the OutOfMemory fault).
#pragma once

#include <string>
#include <string_view>

#include "calc/eval_settings.h"
#include "calc/faults.h"
#include "calc/number/decimal.h"

namespace quill {

struct Answer {
    Fault fault = Fault::None;
    // No fault: the display string. A fault: its message (FaultMessage).
    std::string text;
    // No fault: the value as the engine holds it, every digit (the next
    // line's "ans").
    Decimal value;
    // The checker's faults with a place: [start, end) in the text as handed
    // in, start == end a caret. No place for the others.
    bool marked = false;
    int start = 0;
    int end = 0;
    // Whether the checker passed the text (it went on to the evaluator).
    bool checked = false;
    // A checker's refusal: the text as the checker read it, letters in lower
    // case, for showing the place. Empty otherwise.
    std::string read;
};

// The answer to `text` under `settings` ("ans" is settings.answer).
Answer AnswerTo(std::string_view text, const EvalSettings& settings);

} // namespace quill
