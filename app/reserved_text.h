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

// The value of the first line "name=value" (a line ends at LF, CR LF or a
// lone CR; the line end is no part of the value); none when no line has that
// name.
std::optional<std::string_view> ReservedValue(std::string_view text, std::string_view name);

// The text with the first line of that name holding `value` instead, every
// other byte kept; without such a line, "name=value" is added at the end with
// the line end the text uses (its first; CR LF in a text without one), after
// a line end of its own when the text does not end a line.
std::string WithReservedValue(std::string_view text, std::string_view name, std::string_view value);

// The window's width in pixels at 96 DPI, as the last close left it.
inline constexpr std::string_view kWidthName = "width";
inline constexpr int kMaxStoredWidth = 100000;

// The stored width: none when there is no width line, or when its value is no
// whole number from 1 to kMaxStoredWidth (a damaged line is passed over).
std::optional<int> StoredWidth(const CalcSettings& settings);

// Writes the width line into the reserved text.
void StoreWidth(CalcSettings& settings, int width);

// How many answered lines the history file keeps: "history=N", 0 for none
// (and no file). The default when there is no such line or it is damaged;
// kMostHistory for a larger number.
inline constexpr std::string_view kHistoryName = "history";
inline constexpr int kDefaultHistory = 500;
inline constexpr int kMostHistory = 10000;
int HistoryLength(const CalcSettings& settings);

// Whether the result line groups the digits: "grouping=on|off", on unless
// the line says off.
inline constexpr std::string_view kGroupingName = "grouping";
bool GroupsDigits(const CalcSettings& settings);
void StoreGrouping(CalcSettings& settings, bool on);

// The decimal mark the result line writes: "decimal=auto|point|comma",
// auto (the user's locale) unless the line says another.
enum class DecimalMark { Auto, Point, Comma };
inline constexpr std::string_view kDecimalName = "decimal";
DecimalMark DecimalMarkOf(const CalcSettings& settings);
void StoreDecimalMark(CalcSettings& settings, DecimalMark mark);

} // namespace quill
