// The fourteen named constants.
#pragma once

#include <optional>
#include <string_view>

#include "calc/number/decimal.h"

namespace quill {

// The name of the last answer: read as a constant (2ans and ans(2) fare as
// 2pi and pi(2)), its value handed in with each evaluation.
inline constexpr std::string_view kAnswerName = "ans";

// Whether a name is a constant's (compared whole, byte for byte,
// case-sensitively).
bool IsConstant(std::string_view name);

// The value of a named constant as a ball of `digits` digits (the golden
// ratios exactly 1.618 and 0.618); empty for a name that is not a constant.
std::optional<Decimal> FindConstantValue(std::string_view name, int digits = kRoundedDigits);

} // namespace quill
