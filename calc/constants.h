// The fourteen named constants.
#pragma once

#include <optional>
#include <string_view>

#include "calc/decimal.h"

namespace quill {

// The name of the last answer: read as a constant (2ans and ans(2) fare as
// 2pi and pi(2)), its value handed in with each evaluation.
inline constexpr std::string_view kAnswerName = "ans";

// The digits of a named constant (compared whole, byte for byte,
// case-sensitively), ten beyond the precision; null for a name that is not a
// constant.
const char* FindConstant(std::string_view name);

// The value of a named constant: its digits rounded to the precision; empty
// for a name that is not a constant.
std::optional<Decimal> FindConstantValue(std::string_view name);

} // namespace quill
