#include "ui/result_flow.h"

#include <algorithm>
#include <new>

#include "calc/checker.h"
#include "calc/evaluator.h"

namespace quill::ui {

namespace {

// A byte index into the text as an index into the line's characters; an
// index past the end stays as far past it.
int LineIndex(std::string_view text, int index, LineLength length) {
    if (index <= 0) return index;
    const auto bytes = std::min(static_cast<std::size_t>(index), text.size());
    return length(text.substr(0, bytes)) + (index - static_cast<int>(bytes));
}

ResultView Decide(std::string_view expression, const CalcSettings& settings, LineLength length) {
    ResultView view;
    const CheckResult check = CheckExpression(expression);
    if (!check.passed) {
        view.result = check.message;
        view.beep = true;
        if (check.select) {
            view.select = true;
            view.start = LineIndex(expression, check.start, length);
            view.end = check.end < 0 ? check.end : LineIndex(expression, check.end, length);
        }
        return view;
    }
    EvalResult value = Evaluate(expression, EvalSettingsOf(settings));
    view.attention = value.status == EvalStatus::DivisionByZero;
    view.value = value.status == EvalStatus::Ok;
    view.result = std::move(value.text);
    view.focusExpression = true;
    view.evaluated = true;
    return view;
}

} // namespace

ResultView ResultOf(std::string_view expression, const CalcSettings& settings, LineLength length) {
    try {
        return Decide(expression, settings, length);
    } catch (const std::bad_alloc&) {
        ResultView view;
        view.result = kOutOfMemoryText; // fits the small-string buffer: no allocation
        view.beep = true;
        return view;
    }
}

} // namespace quill::ui
