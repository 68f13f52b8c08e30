// The display string of a value under the output format and rounding.
//
// Every function here returns text for every double: the non-finite values
// show as "Infinity", "-Infinity" and "Not a number" in every format, and no
// display shows a negative zero.
#pragma once

#include <string>

#include "calc/settings_view.h"

namespace quill {

inline constexpr const char* kInfinityText = "Infinity";
inline constexpr const char* kMinusInfinityText = "-Infinity";
inline constexpr const char* kNotANumberText = "Not a number";
inline constexpr const char* kOverflowText = "Overflow";

// The decimal form: nRound below 0 ("Auto") prints 12 decimals and strips
// trailing zeros (and the point when the whole fraction went); 0 or more
// prints exactly that many decimals.
std::string FormatDecimal(double value, int nRound);

// The display string of `value`: the decimal form for "Decimal"; for "Octal"
// and "Hex" the integer part (truncated toward zero) in the 32-bit form when
// it fits a signed 32-bit integer, in the 64-bit form when it fits a signed
// 64-bit one, else "Overflow"; "%e" for "Exponent".
std::string FormatResult(double value, const EvalSettings& settings);

} // namespace quill
