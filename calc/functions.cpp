#include "calc/functions.h"

#include <array>

#include "calc/angles.h"
#include "calc/work.h"

namespace quill {

namespace {

// tanh(100) is 1 to far more digits than the precision: 1 - tanh(x) and
// 1/cosh(x)^2 lie below 10^-kTanhDigits beyond it.
constexpr std::int64_t kTanhBound = 100;
constexpr std::int64_t kTanhDigits = 86;

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
    if (!angle.proven) return Decimal().Widened(Bound::Unbounded());
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
    const Decimal half = Decimal::Make(false, BigInt(5U), -1);
    Work angle;
    if (Compare(a, half) <= 0) {
        angle = SmallAsin(ToWork(a));
    } else {
        angle = WorkPi() / 2 - 2 * SmallAsin(HalfComplement(a));
    }
    return x.IsNegative() ? Work(-angle) : angle;
}

Work AcosWork(const Decimal& x) {
    const Decimal half = Decimal::Make(false, BigInt(5U), -1);
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
    if (x.IsInfinite()) return One(x.IsNegative());
    if (Beyond(x, kTanhBound)) return One(x.IsNegative()).Widened(Bound::Unit(-kTanhDigits));
    return FromWork(mp::tanh(ToWork(x)));
}

Decimal Exp(const Decimal& x, bool /*degrees*/) {
    if (x.IsNaN()) return x;
    if (x.IsInfinite()) return x.IsNegative() ? Decimal() : x;
    if (Beyond(x, kExpBound)) {
        // Below the range: zero, within a radius that holds the value.
        return x.IsNegative() ? Decimal().Widened(Bound::Unit(kMinScale))
                              : Decimal::Infinity(false);
    }
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

// How a function's argument's radius passes into its result: what bounds
// its slope over the ball.
enum class Slope {
    Tanh,    // 1/cosh^2 at the end nearest 0
    Abs,     // 1, and no binary conversion
    Turn,    // sin, cos: 1, or pi/180 in degrees
    Tan,     // 1/cos^2 at the ball's end nearest a pole
    Arcsine, // asin, acos: 1/sqrt(1 - x^2) at the end nearest 1
    Arctan,  // 1/(1 + x^2) at the end nearest 0, times 180/pi in degrees
    Cosh,    // sinh, cosh: cosh at the end farthest from 0
    Exp,     // exp at the upper end
    Log,     // 1/x at the lower end
    Whole,   // floor, ceil: they take the ball themselves
};

struct FunctionEntry {
    std::string_view name;
    Function function;
    Decimal (*compute)(const Decimal& x, bool degrees);
    Slope slope;
};

constexpr std::array<FunctionEntry, 14> kFunctions{{
    {"sin", Function::Sin, Sin, Slope::Turn},
    {"asin", Function::Asin, Asin, Slope::Arcsine},
    {"sinh", Function::Sinh, Sinh, Slope::Cosh},
    {"cos", Function::Cos, Cos, Slope::Turn},
    {"acos", Function::Acos, Acos, Slope::Arcsine},
    {"cosh", Function::Cosh, Cosh, Slope::Cosh},
    {"tan", Function::Tan, Tan, Slope::Tan},
    {"atan", Function::Atan, AtanOf, Slope::Arctan},
    {"tanh", Function::Tanh, Tanh, Slope::Tanh},
    {"ceil", Function::Ceil, CeilOf, Slope::Whole},
    {"floor", Function::Floor, FloorOf, Slope::Whole},
    {"exp", Function::Exp, Exp, Slope::Exp},
    {"abs", Function::Abs, AbsOf, Slope::Abs},
    {"log", Function::Log, Log, Slope::Log},
}};

// pi/180 and 180/pi, rounded up.
const Bound kDegree = Bound::Of(17453293, -9);
const Bound kRadian = Bound::Of(572957796, -7);

Bound Least(const Bound& a, const Bound& b) {
    return Compare(a, b) <= 0 ? a : b;
}

// How far f may move from its value at the midpoint, `value`, over the ball
// of x with radius r (in the argument's own unit): r times the most |f'|
// reaches there, or less where f itself is bounded.
Bound Spread(Slope slope, const Decimal& x, const Bound& r, const Decimal& value, bool degrees) {
    const Work radius = ToWork(r);
    const Work mid = mp::abs(ToWork(x));
    switch (slope) {
    case Slope::Turn:
        return Least(degrees ? kDegree * r : r, Bound::Of(2, 0)); // sin and cos stay in [-1, 1]
    case Slope::Arctan: {
        const Work near = mid > radius ? Work(mid - radius) : Work(0);
        const Bound s = Least(BoundOf(1 / (1 + near * near)) * r, Bound::Of(4, 0)); // within pi
        return degrees ? s * kRadian : s;
    }
    case Slope::Tanh: {
        const Work near = mid > radius ? Work(mid - radius) : Work(0);
        // Out there tanh lies within 10^-kTanhDigits of +-1, however far
        // the ball reaches.
        if (near > kTanhBound) return Bound::Unit(-kTanhDigits);
        const Work c = mp::cosh(near);
        return Least(BoundOf(1 / (c * c)) * r, Bound::Of(2, 0)); // tanh stays in [-1, 1]
    }
    case Slope::Tan: {
        const Work t = ToWork(value);
        const Work turn = degrees ? radius * WorkPi() / 180 : radius;
        const Work least = 1 / mp::sqrt(1 + t * t) - turn; // |cos| over the ball
        if (!(least > 0)) return Bound::Unbounded();
        const Bound s = BoundOf(1 / (least * least)) * r;
        return degrees ? s * kDegree : s;
    }
    case Slope::Arcsine: {
        const Work end = mid + radius;
        if (!(end < 1)) return Bound::Unbounded();
        const Bound s = BoundOf(1 / mp::sqrt(1 - end * end)) * r;
        return degrees ? s * kRadian : s;
    }
    case Slope::Cosh:
        return BoundOf(mp::cosh(mid + radius)) * r;
    case Slope::Exp:
        return BoundOf(mp::exp(ToWork(x) + radius)) * r;
    case Slope::Log:
        return mid > radius ? BoundOf(1 / (mid - radius)) * r : Bound::Unbounded();
    case Slope::Abs:
    case Slope::Whole:
        break;
    }
    return r;
}

} // namespace

std::optional<Function> FindFunction(std::string_view name) {
    for (const FunctionEntry& e : kFunctions) {
        if (e.name == name) return e.function;
    }
    return std::nullopt;
}

// Each function is computed at the argument's midpoint; the argument's
// radius, and for those that take it in binary the digits that conversion
// may lose, pass through its slope onto the result's own bound. Results
// within [-1, 1] and the like come from values of scale 0.
Decimal ApplyFunction(Function f, const Decimal& v, bool degrees) {
    for (const FunctionEntry& e : kFunctions) {
        if (e.function != f) continue;
        if (!v.IsFinite() || e.slope == Slope::Whole) return e.compute(v, degrees);
        // asin and acos end at +-1: a narrow ball that holds it is it.
        if (e.slope == Slope::Arcsine) {
            const Decimal edge = SnapToWhole(v);
            if (!edge.IsInexact()) return e.compute(edge, degrees);
        }
        Decimal result = e.compute(v.Midpoint(), degrees);
        if (!result.IsFinite()) return result;
        Bound r = v.radius();
        // sin, cos and tan reduce their argument in decimal, exactly; the
        // others take a rounded argument in binary, which may lose a little
        // more of it (an exact one's loss is within the result's own bound).
        const bool binary =
            e.slope != Slope::Turn && e.slope != Slope::Tan && e.slope != Slope::Abs;
        if (binary && v.IsInexact() && !v.IsZero())
            r = r + Bound::Of(v.coefficient(), std::int64_t{v.exponent()} - (kWorkDigits - 1));
        if (r.IsZero()) return result.FromOrigin(0);
        return result.Widened(Spread(e.slope, v, r, result, degrees)).FromOrigin(0);
    }
    return Decimal::NotANumber(); // unreachable: every enumerator has a row
}

} // namespace quill
