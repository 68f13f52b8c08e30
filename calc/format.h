// The display string of a value under the output format and rounding.
//
// Every function here returns text for every value: the non-finite ones show
// as "Infinity", "-Infinity" and "Not a number" in every format, no display
// shows a negative zero, and every digit shown is the value's own, rounded
// halves away from zero.
#pragma once

#include <string>

#include "calc/decimal.h"
#include "calc/eval_settings.h"

namespace quill {

inline constexpr const char* kInfinityText = "Infinity";
inline constexpr const char* kMinusInfinityText = "-Infinity";
inline constexpr const char* kNotANumberText = "Not a number";
inline constexpr const char* kOverflowText = "Overflow";

// The decimal form: kAutoPlaces ("Auto") rounds to 12 decimals and strips
// trailing zeros (and the point when the whole fraction went); 0 or more
// gives exactly that many decimals. A value whose whole part has more digits
// than the precision shows its significant digits in exponent form
// ("1e+400"), never digits it does not have.
std::string FormatDecimal(const Decimal& value, int places);

// The display string of `value`: the decimal form for "Decimal"; for "Octal"
// and "Hex" the whole part (toward zero) in the 32-bit form when it fits a
// signed 32-bit integer, in the 64-bit form when it fits a signed 64-bit one,
// else "Overflow"; "%e"'s form for "Exponent".
std::string FormatResult(const Decimal& value, const EvalSettings& settings);

} // namespace quill
