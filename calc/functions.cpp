#include "calc/functions.h"

#include <array>

#include "calc/angles.h"
#include "calc/work.h"

namespace quill {

namespace {

// e^2400 is beyond the range and e^-2400 below it; tanh(100) is 1 to far
// more digits than the precision.
constexpr std::int64_t kTanhBound = 100;

bool Beyond(const Decimal& x, std::int64_t bound) {
    return Compare(Abs(x), Decimal::Integer(bound)) > 0;
}

Decimal One(bool negative = false) {
    return Decimal::Integer(negative ? -1 : 1);
}

Work ToDegrees(const Work& radians) {
    return radians * 180 / WorkPi();
}

enum class Trig { Sin, Cos, Tan };

// sin, cos or tan of quarter * 90 degrees plus the remainder r:
// (sin, cos) turn through (s, c), (c, -s), (-s, -c), (-c, s).
Decimal Trigonometric(Trig kind, const Decimal& x, bool degrees) {
    if (!x.IsFinite()) return Decimal::NotANumber();
    const ReducedAngle angle = degrees ? ReduceDegrees(x) : ReduceRadians(x);
    const int k = angle.quarter;
    if (angle.exact) {
        static constexpr std::array<int, 4> kSin{0, 1, 0, -1};
        static constexpr std::array<int, 4> kCos{1, 0, -1, 0};
        const auto i = static_cast<std::size_t>(k);
        switch (kind) {
        case Trig::Sin:
            return Decimal::Integer(kSin[i]);
        case Trig::Cos:
            return Decimal::Integer(kCos[i]);
        case Trig::Tan:
            return k % 2 == 0 ? Decimal() : Decimal::NotANumber();
        }
    }
    const Work& r = angle.radians;
    const bool turned = k % 2 == 1; // sin and cos trade places
    switch (kind) {
    case Trig::Sin: {
        const Work v = turned ? mp::cos(r) : mp::sin(r);
        return FromWork(k >= 2 ? Work(-v) : v);
    }
    case Trig::Cos: {
        const Work v = turned ? mp::sin(r) : mp::cos(r);
        return FromWork(k == 1 || k == 2 ? Work(-v) : v);
    }
    case Trig::Tan:
        return FromWork(turned ? Work(-mp::cos(r) / mp::sin(r)) : Work(mp::sin(r) / mp::cos(r)));
    }
    return Decimal::NotANumber();
}

// asin of h for 0 <= h <= 1/2, where atan's argument stays small.
Work SmallAsin(const Work& h) {
    return Atan(h / mp::sqrt(1 - h * h));
}

// sqrt((1 - a) / 2) for 1/2 < a <= 1, from 1 - a taken exactly.
Work HalfComplement(const Decimal& a) {
    return mp::sqrt(ToWork(Subtract(One(), a)) / 2);
}

// Near +-1 the identities asin(a) = pi/2 - 2 asin(sqrt((1 - a) / 2)) and
// acos(a) = 2 asin(sqrt((1 - a) / 2)) keep the digits that 1 - a^2 loses.
Work AsinWork(const Decimal& x) {
    const Decimal a = Abs(x);
    const Decimal half = Decimal::Make(false, Wide(5U), -1);
    Work angle;
    if (Compare(a, half) <= 0) {
        angle = SmallAsin(ToWork(a));
    } else {
        angle = WorkPi() / 2 - 2 * SmallAsin(HalfComplement(a));
    }
    return x.IsNegative() ? Work(-angle) : angle;
}

Work AcosWork(const Decimal& x) {
    const Decimal half = Decimal::Make(false, Wide(5U), -1);
    if (Compare(Abs(x), half) <= 0) return WorkPi() / 2 - AsinWork(x);
    const Work small = 2 * SmallAsin(HalfComplement(Abs(x)));
    return x.IsNegative() ? Work(WorkPi() - small) : small;
}

Decimal Angle(const Work& radians, bool degrees) {
    return FromWork(degrees ? ToDegrees(radians) : radians);
}

Decimal Sin(const Decimal& x, bool degrees) {
    return Trigonometric(Trig::Sin, x, degrees);
}
Decimal Cos(const Decimal& x, bool degrees) {
    return Trigonometric(Trig::Cos, x, degrees);
}
Decimal Tan(const Decimal& x, bool degrees) {
    return Trigonometric(Trig::Tan, x, degrees);
}

Decimal Asin(const Decimal& x, bool degrees) {
    if (!x.IsFinite() || Compare(Abs(x), One()) > 0) return Decimal::NotANumber();
    return Angle(AsinWork(x), degrees);
}

Decimal Acos(const Decimal& x, bool degrees) {
    if (!x.IsFinite() || Compare(Abs(x), One()) > 0) return Decimal::NotANumber();
    return Angle(AcosWork(x), degrees);
}

Decimal AtanOf(const Decimal& x, bool degrees) {
    if (x.IsNaN()) return Decimal::NotANumber();
    if (x.IsInfinite()) {
        const Work quarter = WorkPi() / 2;
        return Angle(x.IsNegative() ? Work(-quarter) : quarter, degrees);
    }
    return Angle(Atan(ToWork(x)), degrees);
}

Decimal Sinh(const Decimal& x, bool /*degrees*/) {
    if (!x.IsFinite()) return x;
    if (Beyond(x, kExpBound)) return Decimal::Infinity(x.IsNegative());
    return FromWork(mp::sinh(ToWork(x)));
}

Decimal Cosh(const Decimal& x, bool /*degrees*/) {
    if (x.IsNaN()) return x;
    if (!x.IsFinite() || Beyond(x, kExpBound)) return Decimal::Infinity(false);
    return FromWork(mp::cosh(ToWork(x)));
}

Decimal Tanh(const Decimal& x, bool /*degrees*/) {
    if (x.IsNaN()) return x;
    if (x.IsInfinite() || Beyond(x, kTanhBound)) return One(x.IsNegative());
    return FromWork(mp::tanh(ToWork(x)));
}

Decimal Exp(const Decimal& x, bool /*degrees*/) {
    if (x.IsNaN()) return x;
    if (x.IsInfinite() || Beyond(x, kExpBound))
        return x.IsNegative() ? Decimal() : Decimal::Infinity(false);
    return FromWork(mp::exp(ToWork(x)));
}

Decimal Log(const Decimal& x, bool /*degrees*/) {
    if (x.IsNaN() || x.IsNegative()) return Decimal::NotANumber();
    if (x.IsZero()) return Decimal::Infinity(true);
    if (x.IsInfinite()) return x;
    return FromWork(LogOf(x));
}

Decimal AbsOf(const Decimal& x, bool /*degrees*/) {
    return Abs(x);
}
Decimal CeilOf(const Decimal& x, bool /*degrees*/) {
    return Ceil(x);
}
Decimal FloorOf(const Decimal& x, bool /*degrees*/) {
    return Floor(x);
}

struct FunctionEntry {
    std::string_view name;
    Function function;
    Decimal (*compute)(const Decimal& x, bool degrees);
};

constexpr std::array<FunctionEntry, 14> kFunctions{{
    {"sin", Function::Sin, Sin},
    {"asin", Function::Asin, Asin},
    {"sinh", Function::Sinh, Sinh},
    {"cos", Function::Cos, Cos},
    {"acos", Function::Acos, Acos},
    {"cosh", Function::Cosh, Cosh},
    {"tan", Function::Tan, Tan},
    {"atan", Function::Atan, AtanOf},
    {"tanh", Function::Tanh, Tanh},
    {"ceil", Function::Ceil, CeilOf},
    {"floor", Function::Floor, FloorOf},
    {"exp", Function::Exp, Exp},
    {"abs", Function::Abs, AbsOf},
    {"log", Function::Log, Log},
}};

} // namespace

std::optional<Function> FindFunction(std::string_view name) {
    for (const FunctionEntry& e : kFunctions) {
        if (e.name == name) return e.function;
    }
    return std::nullopt;
}

Decimal ApplyFunction(Function f, const Decimal& v, bool degrees) {
    for (const FunctionEntry& e : kFunctions) {
        if (e.function == f) {
            Decimal result = e.compute(v, degrees);
            result.MarkInexact(v.IsInexact());
            return result;
        }
    }
    return Decimal::NotANumber(); // unreachable: every enumerator has a row
}

} // namespace quill
