// Decimals to and from text, digit for digit the same on every C runtime and
// in every locale: no printf, no strtod, only our own digits.
//
// The writers take finite values and round by hand, halves away from zero
// (2.5 to no places is 3, 0.125 to two is 0.13); a value that rounds to
// zero is written without a sign.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "calc/number/decimal.h"

namespace quill {

// Reads the longest decimal number at the start of `text`: digits with at
// most one point (no sign, no exponent; reading stops at a second point).
// Exact when it has at most kExactDigits significant digits, else correctly
// rounded with its bound; beyond the range it is Infinity, below it 0 with
// a bound. Text with no digit
// reads as 0. Linear in the length of the text, for any length.
Decimal ReadDecimal(std::string_view text);
// The same, and `length` set to the characters the number takes.
Decimal ReadDecimal(std::string_view text, std::size_t& length);

// The decimal digits of a whole number ("0" for zero).
std::string WriteDigits(const BigInt& n);

// What becomes of zeros at the end of the decimals: kept to the places
// asked, or left out, the point with them where nothing is left behind it.
enum class Zeros : std::uint8_t { Kept, Stripped };

// `value` in fixed notation with `decimals` digits after the point (no point
// for 0): every integer digit, whatever the size. Empty when the ball does
// not prove the digits at that place.
std::string WriteFixed(const Decimal& value, int decimals, Zeros zeros = Zeros::Kept);

// `value` as "%e" writes it: one digit, a point, six decimals, "e", a sign and
// at least two exponent digits (1234 is 1.234000e+03); fewer decimals where
// the ball proves fewer, empty where it proves none.
std::string WriteScientific(const Decimal& value);

// The significant digits of `value` in exponent form, at most kPrecision of
// them and only those the ball proves, trailing zeros left out: 10^400 is
// 1e+400, 2.5 * 10^60 is 2.5e+60. Empty where no digit is proven.
std::string WriteSignificant(const Decimal& value);

} // namespace quill
