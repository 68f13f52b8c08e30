// A value as text and back, every digit the engine holds: its midpoint, its
// bound and its origin (decimal.h). The history file keeps an answer's value
// so, and "ans" comes back from it after a restart as it was.
//
//   [-]DIGITS[eEXP][~BOUND][@ORIGIN]    BOUND is MeEXP or inf
//   inf, -inf, nan
//
// DIGITS is the midpoint's coefficient as held (at most kExactDigits
// digits), EXP its power of ten; a bound is written when the value has one,
// its origin when it is not the midpoint's own scale. 42, -125e-3 and
// 333e-3~5e-4@2 are values. Portable; no I/O; never throws but
// std::bad_alloc.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "calc/decimal.h"

namespace quill {

std::string ValueText(const Decimal& value);

// The value the text writes; none for text ValueText never writes, or one
// beyond the range.
std::optional<Decimal> ValueFromText(std::string_view text);

} // namespace quill
