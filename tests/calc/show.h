// The window's road for the calculation tests: the one answer function, a
// refusal marked as such.
#pragma once

#include <string>

#include "calc/answer.h"

namespace quill {

// The result line's text: the checker's message after "refused: ", or the
// evaluator's display string (or its fault's text).
inline std::string Show(const std::string& input, const EvalSettings& settings = {}) {
    const Answer answer = AnswerTo(input, settings);
    return answer.checked ? answer.text : "refused: " + answer.text;
}

} // namespace quill
