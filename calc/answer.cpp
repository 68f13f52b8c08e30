#include "calc/answer.h"

#include <algorithm>
#include <climits>
#include <new>

#include "calc/chars.h"
#include "calc/checker.h"
#include "calc/evaluator.h"
#include "calc/plain_line.h"

namespace quill {

namespace {

// The answer to a text the checker passed; `plain` when its shortcut did,
// and the text then needs no normalising.
Answer Evaluated(std::string_view text, const EvalSettings& settings, bool plain) {
    Answer answer;
    answer.checked = true;
    EvalResult value = plain ? EvaluateNormal(text, settings) : Evaluate(text, settings);
    answer.fault = value.fault;
    answer.text = std::move(value.text);
    if (value.fault == Fault::None) answer.value = std::move(value.value);
    return answer;
}

Answer Decide(std::string_view given, const EvalSettings& settings) {
    Answer answer;
    // Positions are counted in int.
    if (given.size() > static_cast<std::size_t>(INT_MAX)) {
        answer.fault = Fault::TooLong;
        answer.text = FaultText(Fault::TooLong);
        return answer;
    }
    // The usual line passes the checker's shortcut as it is: no capital to
    // lower, no fault to find.
    if (IsPlainWellFormed(given)) return Evaluated(given, settings, true);
    // Most lines hold no capital, and then need no copy.
    std::string lowered;
    std::string_view text = given;
    if (std::any_of(given.begin(), given.end(), [](char c) { return ToLowerAscii(c) != c; })) {
        lowered = LowerCased(given);
        text = lowered;
    }
    CheckResult check = CheckByRules(text, settings.answer != nullptr);
    if (!check.passed) {
        answer.fault = check.fault;
        answer.text = std::move(check.message);
        answer.marked = check.select;
        answer.start = check.start;
        answer.end = check.end;
        answer.read = lowered.empty() ? std::string(given) : std::move(lowered);
        return answer;
    }
    return Evaluated(text, settings, false);
}

} // namespace

Answer AnswerTo(std::string_view text, const EvalSettings& settings) {
    try {
        return Decide(text, settings);
    } catch (const std::bad_alloc&) {
        Answer answer;
        answer.fault = Fault::OutOfMemory;
        answer.text = FaultText(Fault::OutOfMemory); // fits the small-string buffer: no allocation
        return answer;
    }
}

} // namespace quill
