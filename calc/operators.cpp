#include "calc/operators.h"

#include <cmath>
#include <limits>

namespace quill {

namespace {

bool IsWhole(double y) {
    return std::isfinite(y) && std::trunc(y) == y;
}

// Whole and odd; a double of 2^53 or more is always even.
bool IsOddWhole(double y) {
    return IsWhole(y) && std::fmod(y, 2.0) != 0.0;
}

} // namespace

double Power(double x, double y) {
    return std::pow(x, y);
}

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

} // namespace quill
