// The fourteen built-in functions of one argument.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>

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

// The double nearest to pi/180.
inline constexpr double kAngleFactor = 0.017453292519943295;

// The function of that name (compared byte for byte, case-sensitively).
std::optional<Function> FindFunction(std::string_view name);

// f(v). In degrees, sin, cos and tan take their argument in degrees (whole
// multiples of 90 exactly: sin(180) is 0, tan(90) is not a number) and asin,
// acos and atan give degrees; the other functions do not depend on the unit.
// No domain check: log(0) is -infinity, asin(2) not a number.
double ApplyFunction(Function f, double v, bool degrees);

} // namespace quill
