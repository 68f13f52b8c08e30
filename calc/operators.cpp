#include "calc/operators.h"

#include <array>
#include <cmath>
#include <limits>

namespace quill {

namespace {

struct OperatorEntry {
    char symbol;
    int priority;
};

constexpr std::array<OperatorEntry, 7> kOperators{{
    {'+', 1}, {'-', 1}, {'*', 2}, {'/', 2}, {'%', 3}, {'^', 3}, {'#', 3},
}};

bool IsWhole(double y) { return std::isfinite(y) && std::trunc(y) == y; }

// Whole and odd; a double of 2^53 or more is always even.
bool IsOddWhole(double y) { return IsWhole(y) && std::fmod(y, 2.0) != 0.0; }

} // namespace

int OperatorPriority(char op) {
    for (const OperatorEntry& e : kOperators) {
        if (e.symbol == op) return e.priority;
    }
    return 0;
}

int OperatorPriority(std::string_view token) {
    return token.size() == 1 ? OperatorPriority(token[0]) : 0;
}

double Power(double x, double y) { return std::pow(x, y); }

double Root(double x, double y) {
    constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
    if (std::isnan(x) || std::isnan(y) || y == 0.0) return kNaN;
    if (x < 0) return IsOddWhole(y) ? -Root(-x, y) : kNaN;
    double r = 0;
    if (y == 2.0) {
        r = std::sqrt(x);
    } else if (y == 3.0) {
        r = std::cbrt(x);
    } else {
        r = std::pow(x, 1.0 / y);
    }
    // pow(64, 1/3) falls just short of 4: a whole candidate that gives the
    // radicand back exactly is the exact root.
    if (IsWhole(y) && std::isfinite(r) && r > 0.5) {
        const double whole = std::nearbyint(r);
        if (whole != r && std::pow(whole, y) == x) r = whole;
    }
    return r;
}

std::optional<double> ApplyOperator(char op, double a, double b) {
    switch (op) {
    case '+': return a + b;
    case '-': return a - b;
    case '*': return a * b;
    case '/':
        if (b == 0.0) return std::nullopt;
        return a / b;
    case '%': return a / 100.0 * b;
    case '^': return Power(a, b);
    case '#': return Root(a, b);
    default: return std::nullopt;
    }
}

} // namespace quill
