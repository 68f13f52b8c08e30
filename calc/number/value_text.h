// A value as text and back, every digit the engine holds: its midpoint and
// its bound (decimal.h). The history file keeps an answer's value
// so, and "ans" comes back from it after a restart as it was.
//
//   [-]DIGITS[eEXP][~BOUND]    BOUND is MeEXP or inf
//   inf, -inf, nan
//
// DIGITS is the midpoint's coefficient as held (at most kExactDigits
// digits), EXP its power of ten; a bound is written when the value has one.
// 42, -125e-3 and 333e-3~5e-4 are values; an "@" and a whole number after
// them, which an older writer added, are read and passed over. Portable; no I/O; never throws but
// std::bad_alloc.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "calc/number/decimal.h"

namespace quill {

std::string ValueText(const Decimal& value);

// The value the text writes; none for text ValueText never writes, or one
// beyond the range.
std::optional<Decimal> ValueFromText(std::string_view text);

} // namespace quill
