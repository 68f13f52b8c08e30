// What Ctrl+C (and the result line's Copy) copies, and how the "<" button
// names itself to screen readers.
//
// Portable; never throws but for std::bad_alloc of its strings.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "ui/number_style.h"

namespace quill::ui {

// Ctrl+C in either line: the line's selection when it has one (in the result
// line, while it shows a value, without the group separators), else the
// result whole as shown but without separators (the decimal mark kept) when
// the result line holds a value; none when there is nothing to copy (the
// result line empty or holding a checker's message). A copy pasted back
// reads as the same value.
std::optional<std::wstring> CopyTextOf(std::wstring_view selection, bool inResultLine,
                                       std::string_view result, bool resultIsValue,
                                       const NumberStyle& style = {});

// The "<" button's accessible name: what it does, and whether it is on.
const wchar_t* TopButtonName(bool topmost);

} // namespace quill::ui
