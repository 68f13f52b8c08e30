// The evaluator: an expression text to its value and display string.
//
// It never recurses: brackets and function calls nested to any depth are
// kept on heap stacks, sized once from the text (8 bytes a bracket). The one
// exception it lets out is std::bad_alloc, when those stacks do not fit in
// memory; the caller loses that one expression. A text that the checker passes always
// evaluates to a value or to a division by zero; any other text may also end
// as Invalid.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "calc/eval_settings.h"
#include "calc/faults.h"
#include "calc/number/decimal.h"

namespace quill {

struct EvalResult {
    // None: value holds the value, text its display string (Evaluate).
    // DivisionByZero: a right operand of "/" was 0. InvalidArgument: the text
    // is no expression. A fault's text is its FaultText.
    Fault fault = Fault::InvalidArgument;
    Decimal value;
    std::string text;
};

// The digits an evaluation keeps, try by try: the first serves most lines;
// where its value cannot show every digit the format asks for, or leaves a
// decision open (a zero, a whole number or a tie it cannot tell from a
// value beside it), the line is evaluated again with more. Only the last
// takes a ball that snaps (decimal.h) as the point it holds.
inline constexpr std::array<int, 3> kTries{kRoundedDigits, 250, kExactDigits};

// The value of `text`, rounded results keeping `digits` digits; with no
// fault, `text` of the result is empty.
EvalResult EvaluateValue(std::string_view text, const EvalSettings& settings,
                         int digits = kRoundedDigits);

// The value and its display string under `settings`, from the first try
// that shows every digit asked, or the last.
EvalResult Evaluate(std::string_view text, const EvalSettings& settings);

// Evaluate for a text that needs no normalising (no space, comma or CR, as
// in every line the checker's shortcut passes), without looking for one.
EvalResult EvaluateNormal(std::string_view text, const EvalSettings& settings);

} // namespace quill
