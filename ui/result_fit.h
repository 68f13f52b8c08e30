// A number too wide for the result line is shown shortened, never cut: the
// same value rounded to as many significant digits as fit (halves away from
// zero, as the display rounds), in exponent form when its whole part does
// not fit, so the size always shows, and marked with one sign, the ellipsis,
// after its last digit. Messages and the words (Infinity, Not a number,
// Overflow) are never shortened. Octal and hex show their leading digits and
// the sign.
//
// Portable; the window measures text with a function it passes in. Never
// throws but for std::bad_alloc of its strings.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "ui/number_style.h"

namespace quill::ui {

// The sign that a number is shown shortened.
inline constexpr wchar_t kShortenedSign = L'\u2026';

// Width in pixels of a text as the result line draws it.
using MeasureText = std::function<int(std::wstring_view)>;

// What the result line shows for the whole display text `whole` in `width`
// pixels, each form in `style` (its separators counted in the width; a
// shortened number ends on a digit, never on a separator): none when it
// shows `whole` itself in the style (it fits, or it is no number); else the
// shortened text, sign included. When not even one digit fits, the shortest
// form.
std::optional<std::wstring> ShortenedResult(std::string_view whole, int width,
                                            const MeasureText& measure,
                                            const NumberStyle& style = {});

} // namespace quill::ui
