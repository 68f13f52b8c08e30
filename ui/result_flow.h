// The Result command as the window decides it, without a window: from the
// expression line's text and the settings to everything the window shows.
//
// Portable (no windows.h); never throws (std::bad_alloc included).
#pragma once

#include <string>
#include <string_view>

#include "app/settings.h"
#include "calc/faults.h"

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
    bool evaluated = false; // the checker passed it: a new entry for recall
    bool value = false;     // the result line holds a value (not a message)
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
ResultView ResultOf(std::string_view expression, const CalcSettings& settings,
                    LineLength length = ByteCount);

} // namespace quill::ui
