// Numbers to and from text, exactly and the same in every locale and on every
// C runtime (std::to_chars / std::from_chars, never printf or strtod).
#pragma once

#include <string>
#include <string_view>

namespace quill {

// Reads the longest decimal number at the start of `text` (digits with an
// optional point; no sign, no exponent). Text with no digits reads as 0.
// A number too large for a double reads as +infinity, one too small as 0.
double ReadDecimal(std::string_view text);

// The shortest text that reads back as exactly `value` ("inf", "-inf", "nan"
// for the non-finite values).
std::string WriteExact(double value);

// `value` in fixed notation with `decimals` digits after the point (no point
// when `decimals` is 0), correctly rounded: what "%.Nf" prints.
std::string WriteFixed(double value, int decimals);

// `value` as "%e" prints it: one digit, a point, six decimals, "e", a sign and
// at least two exponent digits.
std::string WriteScientific(double value);

} // namespace quill
