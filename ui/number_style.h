// How the result line writes a number: the digits of its whole part in
// groups, as the user's locale groups them (1,234,567 in English, 1.234.567
// in German, 12,34,567 in Hindi), and the decimal mark of the locale or of
// the user's setting. Hex is grouped in fours after "0x", octal and an
// exponent form's mantissa not at all. Texts that are no number (messages,
// Infinity) are shown as they are.
//
// The engine writes every number with a point and no separators; this is
// only what the window shows and copies (copies never hold a separator, so
// they read back as the same value).
//
// Portable; never throws but std::bad_alloc.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/reserved_text.h"

namespace quill::ui {

struct NumberStyle {
    std::wstring decimal = L".";
    std::wstring thousands = L",";
    // Group sizes from the point leftward, as Windows' LOCALE_SGROUPING
    // says them: {3, 0} is 3 repeated, {3} one group of 3 and then the rest
    // whole, {3, 2, 0} a 3 and then 2s.
    std::vector<int> groups;
};

// The group separator of hex digits (in fours).
inline constexpr wchar_t kHexSeparator = L' ';

// "3;2;0" as sizes; sizes outside 1 to 9 (but a last 0) end the list.
std::vector<int> ParseGrouping(std::wstring_view grouping);

// The style to show: the locale's decimal mark, separator and grouping, the
// user's "Group digits" and decimal-mark settings over them. A separator
// that equals the mark shown is swapped for the other of "." and ",", so a
// number never reads two ways.
NumberStyle StyleOf(std::wstring_view decimal, std::wstring_view thousands,
                    std::wstring_view grouping, bool groupDigits, DecimalMark mark);

// `plain`, an answer as the engine writes it, as the result line shows it.
// `hiddenDigits`: whole digits left out after the shown ones (a shortened
// hex number), which the grouping counts.
std::wstring ShownNumber(std::string_view plain, const NumberStyle& style,
                         std::size_t hiddenDigits = 0);

// A copy of shown number text: without its group separators, the mark kept.
std::wstring WithoutSeparators(std::wstring_view shown, const NumberStyle& style);

// Whether a WM_SETTINGCHANGE with this area names the number format
// ("intl"), which the window then reads again.
bool IsNumberFormatChange(const wchar_t* area);

} // namespace quill::ui
