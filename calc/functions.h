// The fourteen built-in functions of one argument.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "calc/settings_view.h"

namespace quill {

enum class Function { Sin, Asin, Sinh, Cos, Acos, Cosh, Tan, Atan, Tanh, Ceil, Floor, Exp, Abs, Log };

// The double nearest to pi/180.
inline constexpr double kAngleFactor = 0.017453292519943295;

// The function of that name (compared byte for byte, case-sensitively).
std::optional<Function> FindFunction(std::string_view name);

// f(v). In degrees, sin, cos and tan take their argument in degrees (whole
// multiples of 90 exactly: sin(180) is 0, tan(90) is not a number) and asin,
// acos and atan give degrees; the other functions do not depend on the unit.
// No domain check: log(0) is -infinity, asin(2) not a number.
double ApplyFunction(Function f, double v, bool degrees);

// One call given as text: a name, "(", the argument, and the ")" that closes
// that "(". Answers kBadName when the name is not a built-in function, else
// the exact text of the result (see WriteExact), or the evaluator's failure
// text when the argument does not evaluate.
std::string EvaluateFunction(std::string_view call, const EvalSettings& settings);

} // namespace quill
