#include "ui/result_flow.h"

#include <algorithm>
#include <new>
#include <utility>

#include "calc/answer.h"

namespace quill::ui {

namespace {

// A byte index into the text as an index into the line's characters; an
// index past the end stays as far past it.
int LineIndex(std::string_view text, int index, LineLength length) {
    if (index <= 0) return index;
    const auto bytes = std::min(static_cast<std::size_t>(index), text.size());
    return length(text.substr(0, bytes)) + (index - static_cast<int>(bytes));
}

} // namespace

ResultView ResultOf(std::string_view expression, const CalcSettings& settings, LineLength length) {
    Answer answer = AnswerTo(expression, EvalSettingsOf(settings));
    ResultView view;
    view.result = std::move(answer.text); // moved: no allocation that could fail
    view.value = answer.fault == Fault::None;
    view.attention = answer.fault == Fault::DivisionByZero;
    view.evaluated = answer.checked;
    view.focusExpression = answer.checked;
    view.beep = !answer.checked; // a refusal, or out of memory
    if (answer.marked) {
        // The window's count of its characters may need memory too.
        try {
            view.start = LineIndex(expression, answer.start, length);
            view.end = LineIndex(expression, answer.end, length);
            view.select = true;
        } catch (const std::bad_alloc&) {
            view.result =
                FaultText(Fault::OutOfMemory); // fits the small-string buffer: no allocation
            view.start = view.end = 0;
        }
    }
    return view;
}

} // namespace quill::ui
