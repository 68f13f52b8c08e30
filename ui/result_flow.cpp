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

ResultView ResultOf(std::string_view expression, const CalcSettings& settings, LineLength length,
                    const Decimal* answer, std::string_view answerLine) {
    EvalSettings evalSettings = EvalSettingsOf(settings);
    evalSettings.answer = answer;
    evalSettings.answerLine = answerLine;
    Answer got = AnswerTo(expression, evalSettings);
    ResultView view;
    view.result = std::move(got.text); // moved: no allocation that could fail
    view.value = got.fault == Fault::None;
    if (view.value) view.number = std::move(got.value);
    view.attention = got.fault == Fault::DivisionByZero;
    view.evaluated = got.checked;
    view.focusExpression = got.checked;
    view.beep = !got.checked; // a refusal, or out of memory
    if (got.marked) {
        // The window's count of its characters may need memory too.
        try {
            view.start = LineIndex(expression, got.start, length);
            view.end = LineIndex(expression, got.end, length);
            view.select = true;
        } catch (const std::bad_alloc&) {
            view.result =
                FaultText(Fault::OutOfMemory); // fits the small-string buffer: no allocation
            view.start = view.end = 0;
        }
    }
    return view;
}

const Decimal* AnswerMemory::For(std::string_view expression, bool again) const {
    if (again && expression == line_) return lineUsed_ ? &*lineUsed_ : nullptr;
    return last_ ? &*last_ : nullptr;
}

std::string_view AnswerMemory::LineFor(std::string_view expression, bool again) const {
    if (again && expression == line_) return lineUsedLine_;
    return lastLine_;
}

void AnswerMemory::Answered(std::string_view expression, const Decimal* used,
                            std::string_view usedLine, const Decimal& value) {
    // `used` and `usedLine` may be ours: copied before any changes.
    std::optional<Decimal> before = used ? std::optional<Decimal>(*used) : std::nullopt;
    std::string beforeLine(usedLine);
    Decimal now = value;
    line_ = expression;
    lineUsed_ = std::move(before);
    lineUsedLine_ = std::move(beforeLine);
    last_ = std::move(now);
    lastLine_ = expression;
}

void AnswerMemory::Restore(const Decimal& last) {
    last_ = last;
    lastLine_.clear();
}

} // namespace quill::ui
