// The display string of a value under the output format and rounding.
//
// Every function here returns text for every value: the non-finite ones show
// as "Infinity", "-Infinity" and "Not a number" in every format, no display
// shows a negative zero, and every digit shown is proven: the whole ball of
// the value rounds to it (halves away from zero) at the place shown. A ball
// too wide for the places asked shows fewer; one that proves no digit shows
// kNotEnoughDigitsText.
#pragma once

#include <optional>
#include <string>

#include "calc/eval_settings.h"
#include "calc/faults.h"
#include "calc/number/decimal.h"

namespace quill {

inline constexpr const char* kInfinityText = "Infinity";
inline constexpr const char* kMinusInfinityText = "-Infinity";
inline constexpr const char* kNotANumberText = "Not a number";
inline constexpr const char* kOverflowText = "Overflow";

// The decimals "Auto" rounds to.
inline constexpr int kAutoDecimals = 12;

// The decimal form: kAutoPlaces ("Auto") rounds to 12 decimals and strips
// trailing zeros (and the point when the whole fraction went); 0 or more
// gives that many decimals, fewer where the ball proves fewer (Auto strips
// the zeros of those too: a proven whole number shows as one). A value of 10^kPrecision or more, or
// one whose units are not proven, shows its proven significant digits (at
// most kPrecision) in exponent form ("1e+400").
std::string FormatDecimal(const Decimal& value, int places);

// Whether `value` shows every digit `settings` ask for: the decimals asked
// (twelve for Auto), or kPrecision significant digits at 10^kPrecision and
// beyond, seven in the exponent form, the whole part in octal and hex; a
// non-finite value never does, as it may come of a decision a wider
// evaluation would make otherwise.
bool ShowsEveryDigit(const Decimal& value, const EvalSettings& settings);

// FormatResult's text when ShowsEveryDigit, else nothing: the evaluator
// asks both of every line, and the usual line's digits are then found once.
std::optional<std::string> TextShowingEveryDigit(const Decimal& value,
                                                 const EvalSettings& settings);

// The display string of `value`: the decimal form for "Decimal"; for "Octal"
// and "Hex" the whole part (toward zero) in the 32-bit form when it fits a
// signed 32-bit integer, in the 64-bit form when it fits a signed 64-bit one,
// else "Overflow"; "%e"'s form for "Exponent".
std::string FormatResult(const Decimal& value, const EvalSettings& settings);

} // namespace quill
