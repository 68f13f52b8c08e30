// What Ctrl+C copies, and how the "<" button names itself to screen readers.
//
// Portable; never throws but for std::bad_alloc of its strings.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace quill::ui {

// Ctrl+C in either line: the line's selection when it has one, else the
// result when the result line holds a value; none when there is nothing to
// copy (the result line empty or holding a checker's message).
std::optional<std::string> CopyTextOf(std::string_view selection, std::string_view result,
                                      bool resultIsValue);

// The "<" button's accessible name: what it does, and whether it is on.
const wchar_t* TopButtonName(bool topmost);

} // namespace quill::ui
