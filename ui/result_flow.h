// The Result command as the window decides it, without a window: from the
// expression line's text and the settings to everything the window shows.
//
// Portable (no windows.h); never throws (std::bad_alloc included).
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/settings.h"
#include "calc/faults.h"
#include "calc/number/decimal.h"

namespace quill::ui {

struct ResultView {
    std::string result;  // the result line's new text
    bool select = false; // the expression line gets this caret or selection
    int start = 0;       // in the line's own characters; start == end is a caret
    int end = 0;         // -1: to the end of the line
    bool beep = false;   // the alert sound of a refused expression
    bool attention =
        false; // the "Attention" box (the division's text) shows before the lines change
    bool focusExpression = false;
    bool evaluated = false; // the checker passed it
    bool value = false;     // the result line holds a value (not a message)
    Decimal number;         // that value, as the engine holds it (the next "ans")
};

// The result line's text when the expression needed more memory than there was.

// The caption of the box that tells of a division by zero.
inline constexpr const char* kDivisionCaption = "Attention";

// How many of the line's own characters the bytes of its single-byte text
// make (the window's lines hold UTF-16, where a double-byte code page turns
// two bytes into one character).
using LineLength = int (*)(std::string_view bytes);

inline int ByteCount(std::string_view bytes) {
    return static_cast<int>(bytes.size());
}

// A refused expression: the checker's message, its place (none for the
// "Missing" messages, which leave the line as it was) and a beep. A passed
// one: the formatted value, the focus in the expression line, and the box
// first after a division by zero. Out of memory: FaultText(Fault::OutOfMemory) and a beep.
// `answer` is what "ans" stands for (none before any answer).
ResultView ResultOf(std::string_view expression, const CalcSettings& settings,
                    LineLength length = ByteCount, const Decimal* answer = nullptr,
                    std::string_view answerLine = {});

// What "ans" stands for in the window: the last answer; but when a setting
// command computes the same line again, the answer that line was computed
// with, so that "ans*2" shows the same value in the new format instead of
// doubling again.
class AnswerMemory {
  public:
    // The value for evaluating `expression`; `again` for a setting command's
    // recompute. Null when there is none.
    const Decimal* For(std::string_view expression, bool again) const;
    // The line that value answered (empty where not known), for more digits.
    std::string_view LineFor(std::string_view expression, bool again) const;
    // `expression`, evaluated with `used` (null: none) of the line
    // `usedLine`, answered `value`.
    void Answered(std::string_view expression, const Decimal* used, std::string_view usedLine,
                  const Decimal& value);
    // The last answer of an earlier run.
    void Restore(const Decimal& last);

  private:
    std::optional<Decimal> last_;
    std::string lastLine_;            // the line last_ answered
    std::string line_;                // the line last evaluated
    std::optional<Decimal> lineUsed_; // what it was evaluated with
    std::string lineUsedLine_;        // and the line that answered
};

} // namespace quill::ui
