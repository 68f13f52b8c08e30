// The evaluator: an expression text to its value and display string.
//
// It never recurses: brackets and function calls nested to any depth are
// kept on heap stacks, sized once from the text (8 bytes a bracket). The one
// exception it lets out is std::bad_alloc, when those stacks do not fit in
// memory; the caller loses that one expression. A text that the checker passes always
// evaluates to a value or to a division by zero; any other text may also end
// as Invalid.
#pragma once

#include <string>
#include <string_view>

#include "calc/decimal.h"
#include "calc/eval_settings.h"
#include "calc/faults.h"

namespace quill {

struct EvalResult {
    // None: value holds the value, text its display string (Evaluate).
    // DivisionByZero: a right operand of "/" was 0. InvalidArgument: the text
    // is no expression. A fault's text is its FaultText.
    Fault fault = Fault::InvalidArgument;
    Decimal value;
    std::string text;
};

// The value of `text` at full precision; with no fault, `text` of the result
// is empty.
EvalResult EvaluateValue(std::string_view text, const EvalSettings& settings);

// The value and its display string under `settings`.
EvalResult Evaluate(std::string_view text, const EvalSettings& settings);

} // namespace quill
