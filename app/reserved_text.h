// Settings that came after the data file's layout was fixed live in its
// reserved text (strReserved) as "name=value" lines. Only a line of ours is
// ever changed, in its place; every other byte of the text is kept as it
// came, so older copies of the program, which carry the text through, and
// text that is not ours both survive.
//
// Portable; never throws but for std::bad_alloc of its strings.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "app/settings.h"

namespace quill {

// The value of the first line "name=value" (a line ends at LF; a CR before
// the LF is no part of the value); none when no line has that name.
std::optional<std::string_view> ReservedValue(std::string_view text, std::string_view name);

// The text with the first line of that name holding `value` instead, its line
// ending kept; without such a line, "name=value" and CR LF are added at the
// end (after a CR LF of their own when the text does not end a line).
std::string WithReservedValue(std::string_view text, std::string_view name, std::string_view value);

// The window's width in pixels at 96 DPI, as the last close left it.
inline constexpr std::string_view kWidthName = "width";
inline constexpr int kMaxStoredWidth = 100000;

// The stored width: none when there is no width line, or when its value is no
// whole number from 1 to kMaxStoredWidth (a damaged line is passed over).
std::optional<int> StoredWidth(const CalcSettings& settings);

// Writes the width line into the reserved text.
void StoreWidth(CalcSettings& settings, int width);

} // namespace quill
