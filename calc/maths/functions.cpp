#include "calc/maths/functions.h"

#include <array>

#include "calc/maths/angles.h"
#include "calc/maths/kernels.h"

namespace quill {

namespace {

bool Beyond(const Decimal& x, std::int64_t bound) {
    return Compare(Abs(x), Decimal::Integer(bound)) > 0;
}

Decimal One(bool negative = false) {
    return Decimal::Integer(negative ? -1 : 1);
}

// The digits a difference of two values near 1 loses for a small x: sinh
// and tanh of 10^-30 are e^x - e^-x and 1 - e^-2x, 10^-30 beside 1.
int BitsOfSmall(const Decimal& x) {
    return x.IsZero() || x.Scale() >= 0
               ? 0
               : static_cast<int>(std::min<std::int64_t>(-x.Scale(), 20000));
}

// A ball of radians in degrees.
Decimal ToDegrees(const Decimal& radians, int digits) {
    return Divide(Multiply(radians, Decimal::Integer(180), digits + 5), PiBall(digits + 5),
                  digits + 5);
}

// f at a ball's midpoint, widened by its radius: for a function whose slope
// is at most 1 there (sin, cos and atan everywhere).
Decimal Contracting(Decimal (*f)(const Decimal&, int), const Decimal& x, int digits) {
    return f(x.Midpoint(), digits).Widened(x.radius());
}

enum class Trig { Sin, Cos, Tan };

// sin, cos or tan of quarter * 90 degrees plus the remainder r:
// (sin, cos) turn through (s, c), (c, -s), (-s, -c), (-c, s).
Decimal Trigonometric(Trig kind, const Decimal& x, bool degrees, int digits) {
    if (!x.IsFinite()) return Decimal::NotANumber();
    const ReducedAngle angle = degrees ? ReduceDegrees(x, digits) : ReduceRadians(x, digits);
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
    const Decimal& r = angle.radians;
    const bool turned = k % 2 == 1; // sin and cos trade places
    // Only the series the function wants: tan wants both.
    const bool wantSin = kind == Trig::Tan || (kind == Trig::Sin) != turned;
    const bool wantCos = kind == Trig::Tan || (kind == Trig::Cos) != turned;
    const Decimal sin = wantSin ? Contracting(SinKernel, r, digits + 2) : Decimal();
    const Decimal cos = wantCos ? Contracting(CosKernel, r, digits + 2) : Decimal();
    switch (kind) {
    case Trig::Sin: {
        const Decimal v = turned ? cos : sin;
        return k >= 2 ? -v : v;
    }
    case Trig::Cos: {
        const Decimal v = turned ? sin : cos;
        return k == 1 || k == 2 ? -v : v;
    }
    case Trig::Tan:
        return turned ? -Divide(cos, sin, digits) : Divide(sin, cos, digits);
    }
    return Decimal::NotANumber();
}

Decimal Half() {
    return Decimal::MakeExact(false, 5, -1);
}

// asin of a ball h within [0, 1/2]: atan(h / sqrt(1 - h^2)). There 1 - h^2
// is at least 3/4, where the root's slope is below 1.
Decimal SmallAsin(const Decimal& h, int digits) {
    const int d = digits + 5;
    const Decimal rest = Subtract(Decimal::Integer(1), Multiply(h, h, d));
    const Decimal root = Contracting(SqrtKernel, rest, d);
    return Contracting(AtanKernel, Divide(h, root, d), d);
}

// sqrt((1 - a) / 2) for 1/2 < a <= 1, from 1 - a taken exactly.
Decimal HalfComplement(const Decimal& a, int digits) {
    return SqrtKernel(Multiply(Subtract(Decimal::Integer(1), a), Half(), digits + 10), digits + 5);
}

// Near +-1 the identities asin(a) = pi/2 - 2 asin(sqrt((1 - a) / 2)) and
// acos(a) = 2 asin(sqrt((1 - a) / 2)) keep the digits that 1 - a^2 loses.
// x is exact.
Decimal AsinRadians(const Decimal& x, int digits) {
    const Decimal a = Abs(x);
    Decimal angle;
    if (Compare(a, Half()) <= 0) {
        angle = SmallAsin(a, digits);
    } else {
        const Decimal twice =
            Multiply(Decimal::Integer(2), SmallAsin(HalfComplement(a, digits), digits));
        angle = Subtract(Multiply(PiBall(digits + 5), Half(), digits + 5), twice);
    }
    return x.IsNegative() ? -angle : angle;
}

Decimal AcosRadians(const Decimal& x, int digits) {
    const Decimal halfPi = Multiply(PiBall(digits + 5), Half(), digits + 5);
    if (Compare(Abs(x), Half()) <= 0) return Subtract(halfPi, AsinRadians(x, digits));
    const Decimal small =
        Multiply(Decimal::Integer(2), SmallAsin(HalfComplement(Abs(x), digits), digits));
    return x.IsNegative() ? Subtract(PiBall(digits + 5), small) : small;
}

Decimal Angle(const Decimal& radians, bool degrees, int digits) {
    return degrees ? ToDegrees(radians, digits) : radians;
}

Decimal Sin(const Decimal& x, bool degrees, int digits) {
    return Trigonometric(Trig::Sin, x, degrees, digits);
}
Decimal Cos(const Decimal& x, bool degrees, int digits) {
    return Trigonometric(Trig::Cos, x, degrees, digits);
}
Decimal Tan(const Decimal& x, bool degrees, int digits) {
    return Trigonometric(Trig::Tan, x, degrees, digits);
}

Decimal Asin(const Decimal& x, bool degrees, int digits) {
    if (!x.IsFinite() || Compare(Abs(x), One()) > 0) return Decimal::NotANumber();
    return Angle(AsinRadians(x, digits), degrees, digits);
}

Decimal Acos(const Decimal& x, bool degrees, int digits) {
    if (!x.IsFinite() || Compare(Abs(x), One()) > 0) return Decimal::NotANumber();
    return Angle(AcosRadians(x, digits), degrees, digits);
}

Decimal AtanOf(const Decimal& x, bool degrees, int digits) {
    if (x.IsNaN()) return Decimal::NotANumber();
    if (x.IsInfinite()) {
        const Decimal quarter = Multiply(PiBall(digits + 5), Half(), digits + 5);
        return Angle(x.IsNegative() ? -quarter : quarter, degrees, digits);
    }
    return Angle(AtanKernel(x, digits + 5), degrees, digits);
}

// e^|x| and e^-|x| for a finite exact x within the range's bound.
std::pair<Decimal, Decimal> ExpPair(const Decimal& x, int digits) {
    const Decimal up = ExpKernel(Abs(x), digits + 5);
    return {up, Divide(Decimal::Integer(1), up, digits + 5)};
}

Decimal Sinh(const Decimal& x, bool /*degrees*/, int digits) {
    if (!x.IsFinite()) return x;
    if (Beyond(x, kExpBound)) return Decimal::Infinity(x.IsNegative());
    const auto [up, down] = ExpPair(x, digits + BitsOfSmall(x));
    const Decimal v = Multiply(Subtract(up, down), Half(), digits);
    return x.IsNegative() ? -v : v;
}

Decimal Cosh(const Decimal& x, bool /*degrees*/, int digits) {
    if (x.IsNaN()) return x;
    if (!x.IsFinite() || Beyond(x, kExpBound)) return Decimal::Infinity(false);
    const auto [up, down] = ExpPair(x, digits);
    return Multiply(Add(up, down), Half(), digits);
}

// tanh |x| = (1 - e^-2|x|) / (1 + e^-2|x|): e^-2|x| never overflows.
Decimal Tanh(const Decimal& x, bool /*degrees*/, int digits) {
    if (x.IsNaN()) return x;
    if (x.IsInfinite()) return One(x.IsNegative());
    // Out there 1 - |tanh x| = 2 / (e^2|x| + 1) lies below 10^-10001.
    if (Beyond(x, kExpBound / 2)) return One(x.IsNegative()).Widened(Bound::Unit(kMinScale + 1));
    const int d = digits + BitsOfSmall(x);
    const Decimal e = ExpKernel(Multiply(Decimal::Integer(-2), Abs(x)), d + 5);
    const Decimal one = Decimal::Integer(1);
    const Decimal v = Divide(Subtract(one, e), Add(one, e), d);
    return x.IsNegative() ? -v : v;
}

Decimal Exp(const Decimal& x, bool /*degrees*/, int digits) {
    if (x.IsNaN()) return x;
    if (x.IsInfinite()) return x.IsNegative() ? Decimal() : x;
    if (Beyond(x, kExpBound)) {
        // Below the range: zero, within a radius that holds the value.
        return x.IsNegative() ? Decimal().Widened(Bound::Unit(kMinScale))
                              : Decimal::Infinity(false);
    }
    return ExpKernel(x, digits);
}

Decimal Log(const Decimal& x, bool /*degrees*/, int digits) {
    if (x.IsNaN() || x.IsNegative()) return Decimal::NotANumber();
    if (x.IsZero()) return Decimal::Infinity(true);
    if (x.IsInfinite()) return x;
    return LogKernel(x, digits);
}

Decimal AbsOf(const Decimal& x, bool /*degrees*/, int /*digits*/) {
    return Abs(x);
}
Decimal CeilOf(const Decimal& x, bool /*degrees*/, int /*digits*/) {
    return Ceil(x);
}
Decimal FloorOf(const Decimal& x, bool /*degrees*/, int /*digits*/) {
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
    Decimal (*compute)(const Decimal& x, bool degrees, int digits);
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

// 1 / (1 + v^2) and 1 / sqrt(1 - v^2) at an exact v (|v| < 1 for the
// second), from above.
Bound ArctanSlope(const Decimal& v) {
    const Decimal one = Decimal::Integer(1);
    return Reach(Divide(one, Add(one, Multiply(v, v)), kSlopeDigits));
}

// The least |cos| over a ball of radius `turn` (radians) about a point whose
// tangent is `value`: 1 / sqrt(1 + tan^2) there, less the turn.
Bound LeastCos(const Decimal& value, const Bound& turn) {
    const Decimal one = Decimal::Integer(1);
    const Decimal t = Decimal::Of(Reach(value));
    const Decimal root = SqrtKernel(Add(one, Multiply(t, t)), kSlopeDigits);
    return DifferenceBelow(LeastReach(Divide(one, root, kSlopeDigits)), turn);
}

// r / low^2 for a bound from below, from above; no bound for zero.
Bound OverSquare(const Bound& r, const Bound& low) {
    if (low.IsZero()) return Bound::Unbounded();
    return r / LeastReach(Multiply(Decimal::Of(low), Decimal::Of(low)));
}

// How far f may move from its value at the midpoint, `value`, over the ball
// of x with radius r (in the argument's own unit): r times the most |f'|
// reaches there, or less where f itself is bounded. Worked out in balls of
// a few digits, each end taken the safe way.
Bound Spread(Slope slope, const Decimal& x, const Bound& r, const Decimal& value, bool degrees) {
    const Bound near = LeastReach(x); // |x| at the ball's end nearest 0
    const Bound far = Reach(x);       // and farthest
    switch (slope) {
    case Slope::Turn:
        return Least(degrees ? kDegree * r : r, Bound::Of(2, 0)); // sin and cos stay in [-1, 1]
    case Slope::Arctan: {
        const Bound s = Least(ArctanSlope(Decimal::Of(near)) * r, Bound::Of(4, 0)); // within pi
        return degrees ? s * kRadian : s;
    }
    case Slope::Tanh: {
        // Out there tanh lies within 10^-10001 of +-1, however far the ball
        // reaches; before, 1/cosh^2 is at most 4 e^(-2 |x|).
        if (Compare(near, Bound::Of(kExpBound / 2, 0)) > 0) return Bound::Unit(kMinScale + 1);
        const Decimal e =
            ExpKernel(Multiply(Decimal::Integer(-2), Decimal::Of(near)), kSlopeDigits);
        return Least(Least(Reach(e) * Bound::Of(4, 0), Bound::Unit(0)) * r,
                     Bound::Of(2, 0)); // tanh stays in [-1, 1]
    }
    case Slope::Tan: {
        const Bound turn = degrees ? kDegree * r : r;
        const Bound s = OverSquare(r, LeastCos(value, turn));
        return degrees ? s * kDegree : s;
    }
    case Slope::Arcsine: {
        if (Compare(far, Bound::Unit(0)) >= 0) return Bound::Unbounded();
        const Decimal end = Decimal::Of(far);
        const Decimal rest = Subtract(Decimal::Integer(1), Multiply(end, end));
        const Bound low = LeastReach(SqrtKernel(rest, kSlopeDigits));
        if (low.IsZero()) return Bound::Unbounded();
        const Bound s = r / low;
        return degrees ? s * kRadian : s;
    }
    case Slope::Cosh:  // cosh at the far end, at most e^|x| there
    case Slope::Exp: { // e^x at the upper end
        const Decimal top =
            slope == Slope::Exp ? Add(x.Midpoint(), Decimal::Of(r)) : Decimal::Of(far);
        if (Compare(top, Decimal::Integer(kExpBound)) > 0) return Bound::Unbounded();
        const Decimal e = ExpKernel(top, kSlopeDigits);
        // A ball wholly below the range: its value is zero within 10^kMinScale.
        return e.IsZero() ? Bound() : Reach(e) * r;
    }
    case Slope::Log:
        return near.IsZero() ? Bound::Unbounded() : r / near;
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

// Each function is computed at the argument's midpoint, by our own kernels
// to `digits` digits; the argument's radius passes through its slope onto
// the result's own bound.
Decimal ApplyFunction(Function f, const Decimal& v, bool degrees, int digits) {
    for (const FunctionEntry& e : kFunctions) {
        if (e.function != f) continue;
        if (!v.IsFinite() || e.slope == Slope::Whole) return e.compute(v, degrees, digits);
        // asin and acos end at +-1: a ball that snaps to it is it.
        if (e.slope == Slope::Arcsine) {
            const Decimal edge = SnapToWhole(v);
            if (!edge.IsInexact()) return e.compute(edge, degrees, digits);
        }
        Decimal result = e.compute(v.Midpoint(), degrees, digits);
        if (!result.IsFinite() || !v.IsInexact()) return result;
        return result.Widened(Spread(e.slope, v, v.radius(), result, degrees));
    }
    return Decimal::NotANumber(); // unreachable: every enumerator has a row
}

} // namespace quill
