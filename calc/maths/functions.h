// The fourteen built-in functions of one argument.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

#include "calc/number/decimal.h"

namespace quill {

enum class Function : std::uint8_t {
    Sin,
    Asin,
    Sinh,
    Cos,
    Acos,
    Cosh,
    Tan,
    Atan,
    Tanh,
    Ceil,
    Floor,
    Exp,
    Abs,
    Log
};

// The function of that name (compared byte for byte, case-sensitively).
std::optional<Function> FindFunction(std::string_view name);

// f(v) as a ball of `digits` digits that holds the true value (abs, ceil
// and floor exactly). In degrees, sin, cos and tan take their argument in
// degrees (whole multiples of 90 exactly: sin(180) is 0, tan(90) is not a
// number) and asin, acos and atan give degrees; the other functions do not
// depend on the unit. No domain check: log(0) is -Infinity, asin(2) not a
// number. Any argument, however large, takes a bounded time.
Decimal ApplyFunction(Function f, const Decimal& v, bool degrees, int digits = kRoundedDigits);

} // namespace quill
