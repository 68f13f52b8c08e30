// The window's road for the calculation tests: check, then evaluate what passed.
#pragma once

#include <string>

#include "calc/checker.h"
#include "calc/evaluator.h"

namespace quill {

// The result line's text: the checker's message after "refused: ", or the
// evaluator's display string.
inline std::string Show(const std::string& input, const EvalSettings& settings = {}) {
    const CheckResult check = CheckExpression(input);
    if (!check.passed) return "refused: " + check.message;
    return Evaluate(input, settings).text;
}

} // namespace quill
