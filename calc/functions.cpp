#include "calc/functions.h"

#include <array>
#include <cmath>
#include <limits>

namespace quill {

namespace {

// How the angle unit touches a function.
enum class Angle { None, Takes, Gives };

struct FunctionEntry {
    std::string_view name;
    Function function;
    Angle angle;
    double (*compute)(double);
};

constexpr std::array<FunctionEntry, 14> kFunctions{{
    {"sin", Function::Sin, Angle::Takes, [](double x) { return std::sin(x); }},
    {"asin", Function::Asin, Angle::Gives, [](double x) { return std::asin(x); }},
    {"sinh", Function::Sinh, Angle::None, [](double x) { return std::sinh(x); }},
    {"cos", Function::Cos, Angle::Takes, [](double x) { return std::cos(x); }},
    {"acos", Function::Acos, Angle::Gives, [](double x) { return std::acos(x); }},
    {"cosh", Function::Cosh, Angle::None, [](double x) { return std::cosh(x); }},
    {"tan", Function::Tan, Angle::Takes, [](double x) { return std::tan(x); }},
    {"atan", Function::Atan, Angle::Gives, [](double x) { return std::atan(x); }},
    {"tanh", Function::Tanh, Angle::None, [](double x) { return std::tanh(x); }},
    {"ceil", Function::Ceil, Angle::None, [](double x) { return std::ceil(x); }},
    {"floor", Function::Floor, Angle::None, [](double x) { return std::floor(x); }},
    {"exp", Function::Exp, Angle::None, [](double x) { return std::exp(x); }},
    {"abs", Function::Abs, Angle::None, [](double x) { return std::fabs(x); }},
    {"log", Function::Log, Angle::None, [](double x) { return std::log(x); }},
}};

const FunctionEntry& EntryOf(Function f) {
    for (const FunctionEntry& e : kFunctions) {
        if (e.function == f) return e;
    }
    return kFunctions[0]; // unreachable: every enumerator has a row
}

// sin, cos or tan of an angle in degrees. The angle is first reduced exactly
// to one turn, so a whole multiple of 90 gives its exact value.
double TrigOfDegrees(const FunctionEntry& e, double degrees) {
    const double turn = std::fmod(degrees, 360.0);
    if (std::fmod(turn, 90.0) == 0.0) {
        constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
        static constexpr std::array<double, 4> kSin{0, 1, 0, -1};
        static constexpr std::array<double, 4> kCos{1, 0, -1, 0};
        static constexpr std::array<double, 4> kTan{0, kNaN, 0, kNaN};
        const auto quarter = static_cast<std::size_t>((static_cast<int>(turn / 90.0) + 4) % 4);
        switch (e.function) {
        case Function::Sin:
            return kSin[quarter];
        case Function::Cos:
            return kCos[quarter];
        default:
            return kTan[quarter];
        }
    }
    return e.compute(turn * kAngleFactor);
}

} // namespace

std::optional<Function> FindFunction(std::string_view name) {
    for (const FunctionEntry& e : kFunctions) {
        if (e.name == name) return e.function;
    }
    return std::nullopt;
}

double ApplyFunction(Function f, double v, bool degrees) {
    const FunctionEntry& e = EntryOf(f);
    if (degrees && e.angle == Angle::Takes) return TrigOfDegrees(e, v);
    if (degrees && e.angle == Angle::Gives) return e.compute(v) / kAngleFactor;
    return e.compute(v);
}

} // namespace quill
